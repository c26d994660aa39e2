// The options box, a panel that slides down over the title menu or the pause
// menu (sound mode, iCade decoding, display mode, credits), and the switch
// between a fullscreen window at the desktop's mode and a 640 x 480 window.
// Relies on the pen and draw helpers, the logical buttons, p_Touch, p_PlaySFX,
// p_Save, and the host's window switch (nothing on a host without windows).
#include <cmath>

#include "framework/app.h"
#include "game/ids.h"
#include "game/my_app.h"
#include "game/saved_data.h"

namespace {

constexpr int kSlideIn = 30;           // m_optionsSlide once the box stands
constexpr float kSlideStepHeight = 24;  // how far the panel moves per slide step

constexpr float kCogTurn = 0.2f;  // per update while the box is shown

constexpr int kSelectButtons[] = {kButtonA, kButtonB, kButtonX, kButtonY, kButtonLeftBumper,
                                  kButtonRightBumper};

constexpr int kWindowedWidth = 640, kWindowedHeight = 480;

// The cog is drawn as three layers turning at their own speeds.
struct CogLayer {
    int frame;
    float turn;  // times m_cogAngle, stored as m_rot
};
constexpr CogLayer kCogLayers[] = {{8, 0.66f}, {9, -0.33f}, {10, -1.0f}};
constexpr int kCogLayerCount = 3;

// The back cog and its label: x follows the slide, y stays.
constexpr float kBackCogY = 60;
constexpr float kBackLabelDx = 76;

// The rows' bars and texts.
constexpr float kRowsTop = 130;   // first row's y when the box stands
constexpr float kRowTextX = 100;
constexpr float kBarInset = 16;   // bar starts this far left of the text
constexpr float kBarRaise = 2;    // and this far above it
constexpr float kBarHeight = 24;
constexpr float kBarMargin = 84;  // full-width bars leave this much at each side
constexpr float kRightRowFromEdge = 264;
constexpr float kRightBarWidth = 180;
constexpr int kRowsFromPause = 3, kRowsFromTitle = 4;

const char* const kSoundLabels[] = {"Sound : Off", "Sound : SFX + Music", "Sound : SFX",
                                    "Sound : Music"};

bool BoxLatchesFree(const c_MyApp& app) { return app.m_optKeyLatch == 0 && app.m_optTouchLatch == 0; }

void Click(c_MyApp& app) { app.p_PlaySFX(kSoundClick, 1, 1, 0); }

void CloseBox(c_MyApp& app) {
    app.m_optionsOpen = 0;
    Click(app);
    app.p_Save();
}

// ---- The rows: what each shows and what using it does.

String SoundLabel(c_MyApp& app) {
    int mode = app.m_settings[kSettingSoundMode];
    // A mode the box does not know (from an old or damaged save) shows
    // nothing and starts the cycle again at Off.
    if (mode < 0 || mode >= kSoundModes) {
        app.m_settings[kSettingSoundMode] = 0;
        return String();
    }
    return String(kSoundLabels[mode]);
}

// The music follows in this same update (p_UpdateMusic): Off and SFX-only
// stop it at once, the modes with music start the screen's tune.
void NextSoundMode(c_MyApp& app) {
    app.m_settings[kSettingSoundMode] = (app.m_settings[kSettingSoundMode] + 1) % kSoundModes;
}

String ICadeLabel(c_MyApp&) {
    return String(nx_ZuDizaz_iCadeControls == 1 ? "iCade : On" : "iCade : Off");
}

void ToggleICade(c_MyApp& app) {
    int on = 1 - nx_ZuDizaz_iCadeControls;
    nx_ZuDizaz_iCadeControls = on;
    app.p_iCade(on);
    for (int i = 0; i < app.m_vButtons.Length(); ++i) app.m_vButtons[i] = 0;
}

// Names the mode the row switches to, not the one in force.
String DisplayLabel(c_MyApp& app) { return String(app.m_fullscreen == 1 ? "Windowed" : "Fullscreen"); }

void FlipDisplay(c_MyApp& app) { app.p_FullscreenFlip(); }

String CreditsLabel(c_MyApp&) { return String("Credits"); }

// Leaves the box for the credits without a click or a save; the credits box
// takes the pointer and keys from here.
void OpenCredits(c_MyApp& app) {
    app.m_creditsOpen = 1;
    app.m_optKeyLatch = 0;
    app.m_optTouchLatch = 0;
    app.m_optionsOpen = 0;
}

struct OptionRow {
    float gap;            // below the previous row
    bool titleMenuOnly;   // absent over the pause menu
    bool shortAtRight;    // a short bar at the right instead of a full-width one
    bool changesSetting;  // using it locks the box's latches, clicks and saves
    String (*label)(c_MyApp&);
    void (*use)(c_MyApp&);
};

// Row n of the table is cursor position n + 1; position 0 is the back cog.
constexpr OptionRow kRows[] = {
    {0, false, false, true, SoundLabel, NextSoundMode},
    {40, false, false, true, ICadeLabel, ToggleICade},
    {40, false, false, true, DisplayLabel, FlipDisplay},
    {50, true, true, false, CreditsLabel, OpenCredits},
};

struct Bar {
    float x, y, w, h;
};

Bar RowBar(const OptionRow& row, float textX, float y) {
    if (row.shortAtRight) return {textX - kBarInset, y - kBarRaise, kRightBarWidth, kBarHeight};
    return {kBarMargin, y - kBarRaise, nx_ZuDizaz_jscrw - 2 * kBarMargin, kBarHeight};
}

void DrawAndUseRow(c_MyApp& app, const OptionRow& row, int position, float y) {
    float textX = row.shortAtRight ? std::trunc(nx_ZuDizaz_jscrw - kRightRowFromEdge) : kRowTextX;
    Bar bar = RowBar(row, textX, y);
    if (app.m_optCursor == position)
        app.p_SetCol(0, 180, 255, 0.5f);
    else
        app.p_SetCol(0, 0, 160, 0.5f);
    bool touched = app.p_Touch(bar.x, bar.y, bar.w, bar.h) != 0;
    if (touched) app.m_optCursor = position;
    bool used = touched || (app.m_optCursor == position && app.p_AnyHeld(kSelectButtons));

    app.p_SetCol(255, 255, 255, 1);
    app.p_SetSize(2);
    app.p_Text(textX, y, row.label(app), 0, 0);

    if (!used || !BoxLatchesFree(app)) return;
    row.use(app);
    if (!row.changesSetting) return;
    app.m_optKeyLatch = 1;
    app.m_optTouchLatch = 1;
    Click(app);
    // Saved at once, not when the box closes: a crash or a killed game with
    // the box still open keeps the change.
    app.p_Save();
}

void DrawRows(c_MyApp& app, int slide) {
    float y = (kSlideIn - slide) * kSlideStepHeight + kRowsTop;
    int position = 0;
    for (const OptionRow& row : kRows) {
        ++position;
        if (row.titleMenuOnly && app.m_paused != 0) continue;
        y += row.gap;
        DrawAndUseRow(app, row, position, y);
    }
}

// ---- The rest of the box.

void DrawPanel(c_MyApp& app, int slide) {
    app.p_SetCol(150, 75, 0, 0.85f);
    app.p_Rect(50, (kSlideIn - slide) * kSlideStepHeight, nx_ZuDizaz_jscrw - 100, nx_ZuDizaz_jscrh);
}

void BackCog(c_MyApp& app, int slide) {
    float x = (3 * slide - 90) * 4 + 100;  // flies in from the left with the panel
    app.p_SetCol(255, 255, 255, 1);
    app.p_SetSize(app.m_optCursor == 0 ? 2.0f : 1.5f);
    app.m_cogAngle += kCogTurn;
    bool tapped = app.p_DrawCog(x, kBackCogY) != 0;
    if ((tapped || app.p_Held(kButtonBack)) && BoxLatchesFree(app)) CloseBox(app);

    app.p_SetSize(2);
    app.p_SetCol(255, 255, 255, 1);
    app.p_Text(x + kBackLabelDx, kBackCogY, String("<[BACK]"), 0, 1);
}

void CursorKeys(c_MyApp& app) {
    if (app.m_optKeyLatch != 0) return;
    int lastRow = app.m_paused != 0 ? kRowsFromPause : kRowsFromTitle;
    if (app.m_optCursor == 0 && app.p_AnyHeld(kCloseButtons)) {
        app.m_optKeyLatch = 1;
        CloseBox(app);
    } else if (app.m_optCursor > 0 && (app.p_Held(kButtonUp) || app.p_Held(kButtonLeft))) {
        app.m_optCursor -= 1;
        app.m_optKeyLatch = 1;
        Click(app);
    } else if (app.m_optCursor < lastRow && (app.p_Held(kButtonDown) || app.p_Held(kButtonRight))) {
        app.m_optCursor += 1;
        app.m_optKeyLatch = 1;
        Click(app);
    }
}

void ReleaseLatches(c_MyApp& app) {
    if (app.m_mouseDown == 0) app.m_optTouchLatch = 0;
    if (!app.p_AnyHeld(kLatchingButtons)) app.m_optKeyLatch = 0;
}

}  // namespace

int c_MyApp::p_DrawCog(float x, float y) {
    float keptRotation = m_rot;
    int tapped = 0;
    for (int i = 0; i < kCogLayerCount; ++i) {
        m_rot = kCogLayers[i].turn * m_cogAngle;
        float frame = static_cast<float>(kCogLayers[i].frame);
        // All layers share one frame size, so the top one's box is the cog's.
        if (i + 1 < kCogLayerCount)
            p_DrawImg(kImageButtons, x, y, frame);
        else
            tapped = p_Button(kImageButtons, x, y, frame);
    }
    m_rot = keptRotation;
    return tapped;
}

int c_MyApp::p_OptionBox() {
    const int slide = m_optionsSlide;
    p_ResetDraw();
    // The box takes all input: nothing below it reacts, and nothing in it
    // until it has slid fully in.
    m_keyLatch = 1;
    m_touchLatch = 1;
    if (slide != kSlideIn) {
        m_optKeyLatch = 1;
        m_optTouchLatch = 1;
    }
    DrawPanel(*this, slide);
    BackCog(*this, slide);
    DrawRows(*this, slide);
    CursorKeys(*this);
    ReleaseLatches(*this);
    p_ResetDraw();
    return 0;
}

int c_MyApp::p_FullscreenFlip() {
    NxVideoMode desktop;
    if (!nx_app_DesktopMode(&desktop)) return 0;  // a host with no windows to switch
    // Without a known desktop size there is no fullscreen mode to open.
    if (m_fullscreen == 0 && (desktop.width <= 0 || desktop.height <= 0)) return 0;
    m_fullscreen = 1 - m_fullscreen;
    if (m_fullscreen == 1)
        nx_app_SetWindow(desktop.width, desktop.height, true);
    else
        nx_app_SetWindow(kWindowedWidth, kWindowedHeight, false);
    return 0;
}
