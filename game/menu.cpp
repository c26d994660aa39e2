// The title menu: background, logo, the score panel of the selected level,
// the scrolling list of levels 1..100 and the options item, the total of
// the best ring counts, and the credits button. Keys and pads move the
// selection with an accelerating repeat; a pointer taps items or drags and
// flings the list. Relies on the drawing helpers, the logical buttons and
// the sound effects of the game object, and on the level records.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "framework/app.h"
#include "framework/input_device.h"
#include "framework/random_math.h"
#include "game/ids.h"
#include "game/my_app.h"
#include "game/saved_data.h"

namespace {

// Items of the level list are this far apart; the scroll that centres item i
// is (1 - i) times it.
constexpr float kListItemSpacing = 88.0f;

constexpr int kSelectButtons[] = {kButtonA, kButtonB, kButtonX, kButtonY};

// The screen slides in by one step per update, from -32 to 0; its parts
// move by these many units per step.
constexpr float kSlideStep = 0.25f;
constexpr float kBackgroundSlide = 16, kLogoSlide = 12, kPanelSlide = 4;
constexpr float kPanelWidth = 140;
constexpr float kScoreLineScale = 1.5f;
constexpr int kMaxScoreRows = 3;
constexpr int kScoreDigits = 11;

// The list eases towards its target by an eighth per update; a fling decays
// to a fifth per update and stops below 3 units.
constexpr float kScrollEasing = 0.125f;
constexpr float kFlingDecay = 0.2f, kFlingStop = 3;
constexpr float kDragGain = 1.5f, kTapDragLimit = 2;
constexpr float kNearestStart = 1024, kAlphaFalloff = 480, kMinAlpha = 0.5f;
constexpr float kEndStopNudge = 8;
constexpr float kSettledDistance = 32;
constexpr int kOptionsButtonFrame = 10;
constexpr int kLockedFrame = 4, kLockedFrames = 4;
constexpr int kMedalFrame = 1, kGoldFrame = 2, kGoldRings = 9;
constexpr float kItemSize = 1, kSelectedItemSize = 1.75f, kRingsSize = 2, kSelectedRingsSize = 3;
constexpr float kLabelRaise = 64;

// Key auto-repeat: the first repeat waits this long, then each wait is one
// update shorter down to the shortest.
constexpr int kFirstRepeatDelay = 32, kSecondRepeatDelay = 8, kShortestRepeat = 3;

constexpr int kFirstLevel = 1;  // never locked

bool BoxOpen(const c_MyApp& app) { return app.m_creditsOpen == 1 || app.m_optionsOpen == 1; }
bool LatchesFree(const c_MyApp& app) { return app.m_keyLatch == 0 && app.m_touchLatch == 0; }

bool HeldOnJoystick(c_MyApp& app, int button, int joy) { return app.p_PlayKey(button, 1, joy) != 0; }

bool SelectHeldOn(c_MyApp& app, int joy) {
    for (int button : kSelectButtons)
        if (HeldOnJoystick(app, button, joy)) return true;
    return false;
}

float ScrollCentring(int item) { return (1 - item) * kListItemSpacing; }
int BestRings(const c_MyApp& app, int level) { return app.m_scores[RingIndex(level - 1, 0)]; }

// Where the list runs and where its centre is.
struct ListLayout {
    bool horizontal;
    float centreX, centreY;
    int firstX, firstY;  // item 1
};

// One walk over the items: what it found and the flag that lets the
// selection be used, set when the walk reaches the selected item.
struct ListWalk {
    int nearest = 0;
    float nearestDistance = kNearestStart;
    uint32_t totalRings = 0;  // wraps like every game integer
    bool usable = false;
};

}  // namespace

// ---- Frame, backdrop and score panel

namespace {

void StartFrame(c_MyApp& app) {
    app.p_CLS2D(float(app.m_bgR), float(app.m_bgG), float(app.m_bgB), 1);
    if (app.m_menuScroll < 0) app.m_menuScroll = int(app.m_menuScroll + kSlideStep);
    app.m_panelW = kPanelWidth;
}

void DrawBackdrop(c_MyApp& app) {
    const float wv = nx_ZuDizaz_jscrw, hv = nx_ZuDizaz_jscrh, slide = float(app.m_menuScroll);
    app.p_SetSize(3);
    app.p_Alpha(0.2f);
    app.p_DrawImg(kImageMenu, wv / 2, hv / 2 + kBackgroundSlide * slide, 0);
    app.p_SetSize(1.5f);
    app.p_Alpha(1);
    app.p_DrawImg(kImageLogo, 0.4f * wv, 96 + kLogoSlide * slide, 0);
    app.p_SetCol(0, 0, 0);
    app.p_Alpha(0.4f);
    app.p_Rect(wv - app.m_panelW - kPanelSlide * slide, 0, app.m_panelW, hv);
}

// As many of the level's top scores as fit below the panel's title: three
// on a normal screen, one on a very flat one.
void DrawScorePanel(c_MyApp& app) {
    const float wv = nx_ZuDizaz_jscrw, hv = nx_ZuDizaz_jscrh;
    app.p_SetCol(255, 200, 100);
    app.p_SetSize(kScoreLineScale);
    const int lineHeight = std::max(1, int(kScoreLineScale * float(app.m_imgInfo[app.m_font * 3 + 1])));
    const int rows = std::clamp(int(hv - 90 - hv / 2) / lineHeight, 1, kMaxScoreRows);
    String text = rows == 1 ? String("Highscore") : String("Top ") + String(rows);
    for (int k = 0; k < rows; ++k)
        text = text + String("\\n") + app.p_rstr(app.m_scores[ScoreIndex(app.m_level - 1, k)], kScoreDigits, " ");
    app.p_Text(wv - app.m_panelW - kPanelSlide * float(app.m_menuScroll) + 20, 60, text, 0, 0);
}

void CheckSelection(c_MyApp& app) {
    if (app.m_menuSel < 1 || app.m_menuSel > kOptionsItem) app.m_menuSel = 1;
    if (app.m_menuSel <= kLastLevel)
        app.m_level = app.m_menuSel;
    else
        app.m_cogAngle += 0.5f;
}

}  // namespace

// ---- Scrolling and layout

namespace {

void ScrollList(c_MyApp& app) {
    if (app.m_mouseDown == 0) app.m_listDrag = 0;
    app.m_listScrollTarget += app.m_listScrollSpeed;
    app.m_listScroll -= (app.m_listScroll - app.m_listScrollTarget) * kScrollEasing;
    if (app.m_listScrollSpeed != 0) {
        app.m_listScrollSpeed *= kFlingDecay;
        if (std::fabs(app.m_listScrollSpeed) < kFlingStop) app.m_listScrollSpeed = 0;
    }
}

ListLayout LayOutList(const c_MyApp& app) {
    const float wv = nx_ZuDizaz_jscrw, hv = nx_ZuDizaz_jscrh;
    const float middle = (wv - kPanelWidth) / 2;
    if (app.m_landscape == 1) {
        const float rowY = float(int(hv - 96));
        return {true, float(int(middle)), rowY, int(middle + app.m_listScroll), int(rowY)};
    }
    const float columnY = 0.6f * hv;
    return {false, float(int(middle)), float(int(columnY)), int(middle), int(columnY + app.m_listScroll)};
}

}  // namespace

// ---- The walk over the items

namespace {

// The button frame: the options item's own, a flickering lock, or a medal
// by the level's best ring count.
int ItemFrame(const c_MyApp& app, int item) {
    if (item == kOptionsItem) return kOptionsButtonFrame;
    if (item > kFirstLevel && BestRings(app, item - 1) <= kRingsToComplete)
        return kLockedFrame + int(nx_random_Rnd() * (kLockedFrames - 0.01f));
    const int rings = BestRings(app, item);
    if (rings > kGoldRings) return kGoldFrame;
    return rings > kRingsToComplete ? kMedalFrame : 0;
}

bool Locked(int frame) { return frame >= kLockedFrame && frame < kOptionsButtonFrame; }

// An end of the list pulled past three quarters of the way across selects
// that end and pushes the list back.
void EndStops(c_MyApp& app, const ListLayout& layout, int item, int x, int y) {
    const float wv = nx_ZuDizaz_jscrw, hv = nx_ZuDizaz_jscrh;
    const float along = float(layout.horizontal ? x : y);
    if (item == 1 && along > (layout.horizontal ? 0.75f * (wv - kPanelWidth) : 0.75f * hv)) {
        app.m_menuSel = 1;
        app.m_listScrollTarget -= kEndStopNudge;
    }
    if (item == kOptionsItem && along < (layout.horizontal ? 0.25f * wv : 0.45f * hv)) {
        app.m_menuSel = kOptionsItem;
        app.m_listScrollTarget += kEndStopNudge;
    }
}

bool OnScreen(int x, int y) {
    return x >= -127 && x < nx_ZuDizaz_jscrw + 128 && y >= 129 && y < nx_ZuDizaz_jscrh + 128;
}

// Draws a visible item and tells whether it is tapped.
bool DrawItem(c_MyApp& app, int item, int frame, int x, int y) {
    if (item == kOptionsItem) {
        app.p_DrawCog(float(x), float(y));
        app.p_Alpha(0);  // its button stays invisible but takes taps
    }
    const bool tapped = app.p_Button(kImageButtons, float(x), float(y), float(frame)) != 0;
    app.p_Text(float(x), float(y) - kLabelRaise, String(item), 1, 1);
    if (item != kOptionsItem && !Locked(frame)) {
        app.p_SetSize(item == app.m_menuSel ? kSelectedRingsSize : kRingsSize);
        app.p_Text(float(x), float(y), String(BestRings(app, item)), 1, 1);
    }
    return tapped;
}

bool PlayButtonPressed(c_MyApp& app) {
    app.p_SetSize(3, 2.5f);
    app.p_SetCol(100, 255, 100);
    app.p_Alpha(0.3f);
    const float slide = float(app.m_menuScroll);
    return app.p_Button(kImageIcons, nx_ZuDizaz_jscrw - 70, nx_ZuDizaz_jscrh - 48 - kPanelSlide * slide, 3) != 0;
}

// Starts the selected level, or opens the options box for the options item.
void UseSelection(c_MyApp& app) {
    app.m_keyLatch = app.m_touchLatch = 1;
    app.p_PlaySFX(kSoundConfirm, 1, 1, 0);
    if (app.m_menuSel == kOptionsItem) {
        app.m_optionsOpen = 1;
        app.m_optCursor = 0;
        return;
    }
    app.m_level = app.m_menuSel;
    app.m_mode = kModeLoadLevel;
    app.m_playerJoy = 0;
    app.m_ctrlScheme = kSchemePointer;
}

void SelectTapped(c_MyApp& app, int item) {
    app.m_menuSel = item;
    app.m_listScrollTarget = ScrollCentring(item);
    app.m_listScrollSpeed = app.m_listDrag = 0;
    app.m_listTarget = item;
    app.m_keyLatch = app.m_touchLatch = 1;
    app.p_PlaySFX(kSoundClick, 1, 1, 0);
}

void WalkItem(c_MyApp& app, const ListLayout& layout, ListWalk& walk, int item) {
    const int offset = (item - 1) * int(kListItemSpacing);
    const int x = layout.horizontal ? layout.firstX + offset : layout.firstX;
    const int y = layout.horizontal ? layout.firstY : layout.firstY + offset;
    app.p_SetSize(item == app.m_menuSel ? kSelectedItemSize : kItemSize);
    app.p_SetRot(0);
    app.p_SetCol(255, 255, 255);
    const float distance = std::hypot(float(x) - layout.centreX, float(y) - layout.centreY);
    if (distance < walk.nearestDistance) {
        walk.nearest = item;
        walk.nearestDistance = distance;
    }
    const float fade = distance / kAlphaFalloff;
    app.p_Alpha(item == app.m_menuSel ? 1 : fade > kMinAlpha ? kMinAlpha : 1 - fade);
    EndStops(app, layout, item, x, y);
    const int frame = ItemFrame(app, item);
    if (item <= kLastLevel) walk.totalRings += uint32_t(BestRings(app, item));
    const bool selected = item == app.m_menuSel;
    if (selected) walk.usable = item == kOptionsItem || frame < kLockedFrame;
    bool tapped = OnScreen(x, y) && DrawItem(app, item, frame, x, y);
    if (selected && item <= kLastLevel) tapped = PlayButtonPressed(app) || tapped;
    if (!tapped || !LatchesFree(app) || !walk.usable) return;
    if (selected)
        UseSelection(app);
    else
        SelectTapped(app, item);
}

// A list left alone settles on the item nearest its centre.
void SettleOnNearest(c_MyApp& app, const ListWalk& walk) {
    if (walk.nearest != 0 && walk.nearest != app.m_menuSel && app.m_listTarget == 0) {
        app.m_menuSel = walk.nearest;
        app.p_PlaySFX(kSoundClick, 1, 1, 0);
    }
    if (app.m_listTarget != 0 && std::fabs(app.m_listScroll - app.m_listScrollTarget) < kSettledDistance)
        app.m_listTarget = 0;
}

void DrawTotal(c_MyApp& app, uint32_t total) {
    app.p_SetSize(2);
    app.p_Alpha(1);
    app.p_SetCol(255, 255, 255);
    String text = String("Total Rings : ") + String(int(total)) + String("/1000");
    app.p_Text(nx_ZuDizaz_jscrw / 2, nx_ZuDizaz_jscrh - 32, text, 1, 1);
}

}  // namespace

// ---- Keys, credits and dragging

namespace {

// A held direction moves at once, again after 32 updates, then after 8, 7,
// 6, 5, 4 and from then on every 3 updates.
void RepeatKeys(c_MyApp& app) {
    const bool back = app.p_Held(kButtonUp) || app.p_Held(kButtonLeft);
    const bool forward = app.p_Held(kButtonDown) || app.p_Held(kButtonRight);
    if (!back && !forward) {
        app.m_repeatDelay = kFirstRepeatDelay;
        app.m_repeatNext = kSecondRepeatDelay;
        app.m_repeatWait = 0;
        return;
    }
    if (app.m_repeatWait > 0) --app.m_repeatWait;
    if (app.m_repeatWait >= 1 || BoxOpen(app)) return;
    app.m_keyLatch = 1;
    if (back && app.m_menuSel > 1) --app.m_menuSel;
    if (!back && app.m_menuSel < kOptionsItem) ++app.m_menuSel;
    app.m_listTarget = app.m_menuSel;
    app.m_repeatWait = app.m_repeatDelay;
    app.m_repeatDelay = app.m_repeatNext;
    app.m_repeatNext = std::max(app.m_repeatNext - 1, kShortestRepeat);
    app.p_PlaySFX(kSoundClick, 1, 1, 0);
    app.m_listScrollTarget = ScrollCentring(app.m_menuSel);
    app.m_listScrollSpeed = app.m_listDrag = 0;
}

// A level started by a key remembers whose key it was: the pad that holds
// a select button (the lowest-numbered one), or the keyboard over any pad.
void SelectByKey(c_MyApp& app, bool usable) {
    if (!usable || app.m_keyLatch != 0 || BoxOpen(app) || !app.p_AnyHeld(kSelectButtons)) return;
    UseSelection(app);
    if (app.m_menuSel == kOptionsItem) return;
    app.m_ctrlScheme = kSchemeKeyboard;
    app.m_playerJoy = 0;
    for (int joy = kJoysticks - 1; joy >= 0; --joy) {
        if (!SelectHeldOn(app, joy)) continue;
        app.m_playerJoy = joy;
        app.m_ctrlScheme = kSchemePad;
    }
    if (SelectHeldOn(app, kKeysOnly)) {
        app.m_playerJoy = 0;
        app.m_ctrlScheme = kSchemeKeyboard;
    }
}

void OpenCredits(c_MyApp& app) {
    app.p_PlaySFX(kSoundClick, 1, 1, 0);
    app.m_creditsOpen = 1;
}

void CreditsButton(c_MyApp& app) {
    if (app.m_keyLatch == 0 && !BoxOpen(app) && app.p_Held(kButtonRightBumper)) {
        app.m_keyLatch = 1;
        OpenCredits(app);
    }
    app.p_SetSize(0.35f);
    const float y = 32 + kPanelSlide * float(app.m_menuScroll);
    if (app.p_Button(kImageStudioEmblem, nx_ZuDizaz_jscrw - 70, y, 0) && app.m_touchLatch == 0 && !BoxOpen(app)) {
        app.m_touchLatch = 1;
        OpenCredits(app);
    }
}

// A pointer moving more than a little per update drags the list and stops
// counting as a tap.
void DragList(c_MyApp& app, const ListLayout& layout) {
    if (app.m_optionsOpen == 1 || app.m_mouseDown == 0 || app.m_touchLatch == 1 || app.m_creditsOpen != 0) return;
    const int moved = layout.horizontal ? app.m_mouseX - app.m_prevMouseX : app.m_mouseY - app.m_prevMouseY;
    app.m_listDrag = kDragGain * float(moved);
    if (std::fabs(app.m_listDrag) <= kTapDragLimit) return;
    app.m_touchLatch = 2;
    app.m_listScrollSpeed += app.m_listDrag;
}

}  // namespace

void c_MyApp::p_ListJumpTo(int item) {
    m_menuSel = item;
    m_listScrollTarget = m_listScroll = ScrollCentring(item);
    m_listScrollSpeed = 0;
}

void c_MyApp::p_ListSlideToNext() {
    ++m_menuSel;
    m_listScrollTarget = ScrollCentring(m_menuSel);
    m_listScrollSpeed = 0;
}

int c_MyApp::p_Menu() {
    StartFrame(*this);
    if (LatchesFree(*this) && p_Held(kButtonBack)) nx_app_EndApp();
    DrawBackdrop(*this);
    if (!BoxOpen(*this) && m_menuSel <= kLastLevel) DrawScorePanel(*this);
    CheckSelection(*this);
    ScrollList(*this);
    const ListLayout layout = LayOutList(*this);
    ListWalk walk;
    if (!BoxOpen(*this)) {
        for (int item = 1; item <= kOptionsItem; ++item) WalkItem(*this, layout, walk, item);
        SettleOnNearest(*this, walk);
    }
    DrawTotal(*this, walk.totalRings);
    RepeatKeys(*this);
    SelectByKey(*this, walk.usable);
    CreditsButton(*this);
    DragList(*this, layout);
    return 0;
}
