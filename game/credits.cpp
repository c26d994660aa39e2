// The credits box: an animated television test card whose cells fly in from
// outside, the scrolling credit lines over its centre picture, the logo, and
// four circles with the device and virtual sizes and the update and render
// rates. Relies on the pen and draw helpers, the logical buttons, p_PlaySFX
// and the credit lines in nx_ZuDizaz_CreditText.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "game/ids.h"
#include "game/my_app.h"

namespace {

constexpr int kSlideIn = 30;            // m_creditsSlide once the box stands
constexpr float kCellsAcross = 12;      // of the longer screen side
constexpr int kGrowUntilSlide = 20;     // cells reach full size at this slide
constexpr float kStripeInset = 8;       // ring colour leaves this much to its neighbours
constexpr float kInnerInset = 2;        // inner grey squares leave this much all round
constexpr float kBarOverlap = 6;        // grey bar cells reach this far left
constexpr float kBarExtraWidth = 24;    // and this much wider, so that they merge
constexpr float kBarEndExtraWidth = 4;  // the bar's last cell stops short
constexpr int kBarFirstAfter = 3;       // the bar starts after this inner column
constexpr float kRampTop = 512;         // colour ramps run twice over 255 and clamp
constexpr float kInnerGrey = 128;

constexpr float kPictureRise = 24;  // per step of k
constexpr float kLogoSize = 0.4f, kStudioSize = 0.3f;
constexpr float kGamepadFrame = 12;

constexpr float kCreditScrollStep = 0.3f, kCreditScrollFast = 1.5f;
constexpr float kCreditLineHeight = 16;
constexpr int kCreditFirst = -3, kCreditLast = 4;  // lines drawn around the centre one
constexpr float kCreditFadeDistance = 40, kCreditFadeFull = 0.3f;
constexpr float kCreditTextDx = 24, kTextAlign = 0.8f;

constexpr float kCircleRim = 3;
constexpr float kCircleLineGap = 16;

// The card's grid: nx x ny cells of size c centred on the screen, drawn as
// (nx + 1) x (ny + 1) squares of size q centred on the grid points.
struct TestCard {
    float cell;
    int across, down;
    float left, top;
    float square;
    float spread;  // k: how far the cells still are from their places
    float alpha;
};

float Channel(float value) { return std::min(255.0f, std::max(0.0f, value)); }
float NotBelowZero(float value) { return std::max(0.0f, value); }

TestCard CardLayout(const c_MyApp& app) {
    TestCard card{};
    card.cell = std::max(nx_ZuDizaz_jscrw, nx_ZuDizaz_jscrh) / kCellsAcross;
    // A screen of no size (a minimised window) has no grid.
    if (card.cell > 0) {
        card.across = static_cast<int>(nx_ZuDizaz_jscrw / card.cell);
        card.down = static_cast<int>(nx_ZuDizaz_jscrh / card.cell);
    }
    card.left = nx_ZuDizaz_jscrw / 2 - card.across * card.cell / 2;
    card.top = nx_ZuDizaz_jscrh / 2 - card.down * card.cell / 2;
    card.square = card.cell;
    if (app.m_creditsSlide < kGrowUntilSlide) card.square = card.cell * app.m_creditsSlide / kGrowUntilSlide;
    card.spread = static_cast<float>(kSlideIn - app.m_creditsSlide);
    card.alpha = static_cast<float>(app.m_creditsSlide) / kSlideIn;
    return card;
}

// Cells far from the centre start further out, so the card opens outwards.
float FlyOffset(int index, int count, float spread) {
    int u = index - count / 2;
    if (u <= 0) u -= 1;
    return spread * static_cast<float>(u * std::abs(u));
}

// Colour ramp along one side of the ring; a side of two cells or fewer has
// at most one coloured cell, which starts the ramp.
float Ramp(int index, int count) { return count > 2 ? kRampTop / (count - 2) * (index - 1) : 0; }

void RingStripe(c_MyApp& app, const TestCard& card, int gx, int gy, float x, float y) {
    const bool column = gx == 0 || gx == card.across;
    const bool row = gy == 0 || gy == card.down;
    if (column && row) return;  // corners stay black
    const float q = card.square;
    const float narrow = NotBelowZero(q - 2 * kStripeInset);
    if (gy == 0) {
        float f = Ramp(gx, card.across);
        app.p_SetCol(Channel(f), Channel(kRampTop - f), 0, card.alpha);
    } else if (gy == card.down) {
        float grey = card.across > 2 ? static_cast<float>((gx - 1) * 255 / (card.across - 2)) : 0;
        app.p_SetCol(Channel(grey), Channel(grey), Channel(grey), card.alpha);
    } else {
        float f = Ramp(gy, card.down);
        if (gx == 0)
            app.p_SetCol(0, Channel(kRampTop - f), Channel(f), card.alpha);
        else
            app.p_SetCol(Channel(kRampTop - f), 0, Channel(f), card.alpha);
    }
    if (row)
        app.p_Rect(x + kStripeInset, y, narrow, q);
    else
        app.p_Rect(x, y + kStripeInset, q, narrow);
}

// Inner cells are grey, and on the last inner row most of them merge into
// one bar.
void InnerGrey(c_MyApp& app, const TestCard& card, int gx, int gy, float x, float y) {
    const float q = card.square;
    const float side = NotBelowZero(q - 2 * kInnerInset);
    app.p_SetCol(kInnerGrey, kInnerGrey, kInnerGrey, card.alpha);
    bool bar = gy == card.down - 1 && gx > kBarFirstAfter && gx < card.across - 2;
    if (!bar) {
        app.p_Rect(x + kInnerInset, y + kInnerInset, side, side);
        return;
    }
    float extra = gx == card.across - 3 ? kBarEndExtraWidth : kBarExtraWidth;
    app.p_Rect(x - kBarOverlap, y + kInnerInset, q + extra, side);
}

void DrawCell(c_MyApp& app, const TestCard& card, int gx, int gy) {
    const float q = card.square;
    float x = FlyOffset(gx, card.across, card.spread) + gx * card.cell + card.left - q / 2;
    float y = FlyOffset(gy, card.down, card.spread) + gy * card.cell + card.top - q / 2;
    bool ring = gx == 0 || gx == card.across || gy == 0 || gy == card.down;
    float shade = ring ? 0.0f : 255.0f;
    app.p_SetCol(shade, shade, shade, card.alpha);
    app.p_Rect(x, y, q + 1, q + 1);
    if (ring)
        RingStripe(app, card, gx, gy, x, y);
    else
        InnerGrey(app, card, gx, gy, x, y);
}

void DrawGrid(c_MyApp& app, const TestCard& card) {
    for (int gx = 0; gx <= card.across; ++gx)
        for (int gy = 0; gy <= card.down; ++gy) DrawCell(app, card, gx, gy);
}

void DrawCentrePicture(c_MyApp& app, const TestCard& card) {
    app.p_SetSize(1);
    app.p_SetCol(255, 255, 255, card.alpha);
    app.p_DrawImg(kImageTestCard, nx_ZuDizaz_jscrw / 2, nx_ZuDizaz_jscrh / 2 - kPictureRise * card.spread, 0);
}

void ScrollCredits(c_MyApp& app) {
    app.m_creditScroll -= kCreditScrollStep;
    if (app.p_Held(kButtonUp) || app.p_Held(kButtonDown)) app.m_creditScroll -= kCreditScrollFast;
    if (app.m_creditScroll < -kCreditLineHeight) {
        app.m_creditScroll += kCreditLineHeight;
        app.m_creditLine += 1;
    }
}

void DrawCreditLines(c_MyApp& app, const TestCard& card) {
    const int count = nx_ZuDizaz_CreditText.Length();
    if (count == 0) return;
    // The list's last entry closes it and is not shown; a single line is.
    const int period = count > 1 ? count - 1 : 1;
    app.p_SetSize(1);
    for (int j = kCreditFirst; j <= kCreditLast; ++j) {
        int index = (app.m_creditLine + j) % period;
        if (index < 0) index += period;
        float offset = kCreditLineHeight * j + app.m_creditScroll;
        float fade = 1 - (std::fabs(offset / kCreditFadeDistance) - kCreditFadeFull);
        app.p_SetCol(255, 255, 255, std::min(1.0f, std::max(0.0f, fade)));
        float y = offset + nx_ZuDizaz_jscrh / 2 - kPictureRise * card.spread;
        app.p_Text(nx_ZuDizaz_jscrw / 2 + kCreditTextDx, y, nx_ZuDizaz_CreditText[index], kTextAlign,
                   kTextAlign);
    }
}

void DrawLogo(c_MyApp& app, const TestCard& card) {
    app.p_SetSize(kLogoSize);
    app.p_SetCol(255, 255, 255, card.alpha);
    float y = 4 * card.spread + (card.down - 1) * card.cell + card.top;
    app.p_DrawImg(kImageLogo, nx_ZuDizaz_jscrw / 2, y, 0);
}

void CircleText(c_MyApp& app, float x, float y, int first, int second, int third) {
    app.p_SetSize(1);
    app.p_Text(x, y - kCircleLineGap, String(first), kTextAlign, kTextAlign);
    app.p_Text(x, y, String(second), kTextAlign, kTextAlign);
    app.p_Text(x, y + kCircleLineGap, String(third), kTextAlign, kTextAlign);
}

enum class CircleShows { DeviceFigures, VirtualFigures, Gamepad, StudioLogo };

struct InfoCircle {
    bool right, bottom;
    CircleShows shows;
};

constexpr InfoCircle kCircles[] = {
    {false, false, CircleShows::DeviceFigures},
    {true, false, CircleShows::VirtualFigures},
    {false, true, CircleShows::Gamepad},
    {true, true, CircleShows::StudioLogo},
};

// The pen is white at the card's alpha.
void DrawCircleContent(c_MyApp& app, CircleShows shows, float x, float y) {
    switch (shows) {
        case CircleShows::DeviceFigures:
            CircleText(app, x, y, nx_app_DeviceWidth(), nx_app_DeviceHeight(), app.m_updFpsAvg);
            break;
        case CircleShows::VirtualFigures:
            CircleText(app, x, y, static_cast<int>(nx_ZuDizaz_jscrw), static_cast<int>(nx_ZuDizaz_jscrh),
                       app.m_fpsAvg);
            break;
        case CircleShows::Gamepad:
            app.p_SetSize(1);
            app.p_DrawImg(kImageButtons, x, y, kGamepadFrame);
            break;
        case CircleShows::StudioLogo:
            app.p_SetSize(kStudioSize);
            app.p_DrawImg(kImageStudioEmblem, x, y, 0);
            break;
    }
}

// The circles sit one and a half cells in from the card's corners and come
// in from the sides and from above and below.
void DrawCircles(c_MyApp& app, const TestCard& card) {
    const float c = card.cell, k = card.spread, q = card.square;
    for (const InfoCircle& circle : kCircles) {
        float x = circle.right ? card.left + (card.across - 1.5f) * c + 6 * k : card.left + 1.5f * c - 6 * k;
        float y = circle.bottom ? card.top + (card.down - 1.5f) * c + 3 * k : card.top + 1.5f * c - 3 * k;
        app.p_SetCol(255, 255, 255, card.alpha);
        app.p_Oval(x, y, q, q);
        app.p_SetCol(kInnerGrey, kInnerGrey, kInnerGrey, card.alpha);
        app.p_Oval(x, y, NotBelowZero(q - kCircleRim), NotBelowZero(q - kCircleRim));
        app.p_SetCol(255, 255, 255, card.alpha);
        DrawCircleContent(app, circle.shows, x, y);
    }
}

// Any pointer press or a select button closes the box; while it fades out
// a press belongs to the screen below again. Each input that closed it is
// latched, so a key held with the closing click does not act on the menu.
void CloseOnPress(c_MyApp& app) {
    if (app.m_creditsOpen != 1) return;
    bool byPointer = app.m_mouseDown != 0 && app.m_touchLatch == 0;
    bool byKey = app.m_keyLatch == 0 &&
                 app.p_AnyHeld(kCloseButtons);
    if (byPointer) app.m_touchLatch = 1;
    if (byKey) app.m_keyLatch = 1;
    if (!byPointer && !byKey) return;
    app.m_creditsOpen = 0;
    app.p_PlaySFX(kSoundClick, 1, 1, 0);
}

}  // namespace

int c_MyApp::p_CreditBox() {
    p_ResetDraw();
    const TestCard card = CardLayout(*this);
    DrawGrid(*this, card);
    DrawCentrePicture(*this, card);
    ScrollCredits(*this);
    DrawCreditLines(*this, card);
    DrawLogo(*this, card);
    DrawCircles(*this, card);
    CloseOnPress(*this);
    p_ResetDraw();
    return 0;
}
