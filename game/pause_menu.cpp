// The pause menu: a panel that slides over a running level with three round
// buttons, quit (left), resume (middle) and options (right), worked by
// pointer, keys or pads. Relies on the pen and draw helpers, p_Button,
// p_DrawCog, the logical buttons and p_PlaySFX; the play update calls it
// while the level is paused and goes on once the panel has slid out.
#include <cmath>

#include "game/ids.h"
#include "game/my_app.h"

namespace {

constexpr int kSlideStep = 24;     // panel travel per update
constexpr int kHiddenY = -64;      // panel centre once it has left the screen
constexpr int kLeftBy = -63;       // the panel counts as gone above this
constexpr int kPauseEndsAbove = -32;  // the level goes on once the panel is above
constexpr float kDimmingPerHeight = 0.8f;

constexpr float kQuitFrame = 1, kResumeFrame = 3, kHighlightFrame = 6;

constexpr int kQuitSel = -1, kResumeSel = 0, kOptionsSel = 1;

struct PanelBar {
    float dx, dy, w, h;  // from the panel's centre (Wv / 2, y)
    float r, g, b, alpha;
};

// The panel and where the side buttons sit, wide for landscape screens and
// narrow and tall for portrait ones.
struct PauseLayout {
    PanelBar bars[3];
    float sideDx;  // quit at -sideDx, options at +sideDx
    float sideDy;
};

constexpr PauseLayout kLandscape = {{{-128, -64, 256, 8, 255, 255, 10, 0.6f},
                                     {-140, -52, 280, 104, 255, 150, 10, 0.7f},
                                     {-128, 56, 256, 8, 10, 150, 255, 0.6f}},
                                    140, -64};
constexpr PauseLayout kPortrait = {{{-96, -92, 192, 8, 255, 255, 10, 0.6f},
                                    {-128, -80, 256, 160, 255, 150, 10, 0.7f},
                                    {-96, 84, 192, 8, 10, 150, 255, 0.6f}},
                                   96, -96};

// A move of the highlight: from a button, by any of two directions, to
// another, with the pitch of its sound.
struct HighlightMove {
    int from;
    int directions[2];
    int to;
    float rate;
};

constexpr HighlightMove kHighlightMoves[] = {
    {kResumeSel, {kButtonLeft, kButtonUp}, kQuitSel, 0.8f},
    {kResumeSel, {kButtonRight, kButtonRight}, kOptionsSel, 1.2f},
    {kQuitSel, {kButtonRight, kButtonDown}, kResumeSel, 0.8f},
    {kOptionsSel, {kButtonLeft, kButtonDown}, kResumeSel, 0.8f},
};

// A press acts once: only while its latch is open, and acting shuts it.
bool TakeKey(c_MyApp& app, bool held) {
    if (!held || app.m_keyLatch != 0) return false;
    app.m_keyLatch = 1;
    return true;
}

bool TakeTouch(c_MyApp& app, bool touched) {
    if (!touched || app.m_touchLatch != 0) return false;
    app.m_touchLatch = 1;
    return true;
}

// The level stays paused until the panel has slid out.
void Resume(c_MyApp& app) {
    app.m_paused = 1;
    app.m_pauseOpen = -1;
    app.p_PlaySFX(kSoundConfirm, 1, 0.5f, 0);
}

// Quitting hides the panel at once and ends the level where it stands.
void Quit(c_MyApp& app) {
    app.m_paused = 0;
    app.m_pauseOpen = -1;
    app.m_pauseY = kHiddenY;
    app.m_levelDone = 1;
    app.m_levelQuit = 1;
    app.p_PlaySFX(kSoundConfirm, 0.5f, 0.5f, 0);
}

void OpenOptions(c_MyApp& app, int sound, float volume) {
    app.m_optionsOpen = 1;
    app.p_PlaySFX(sound, 1, volume, 0);
}

void DimScreen(c_MyApp& app) {
    if (nx_ZuDizaz_jscrh <= 0) return;  // no screen to dim (a minimised window)
    app.p_SetCol(0, 0, 0, std::fabs(static_cast<float>(app.m_pauseY)) / (kDimmingPerHeight * nx_ZuDizaz_jscrh));
    app.p_Rect(0, 0, nx_ZuDizaz_jscrw, nx_ZuDizaz_jscrh);
}

void SlidePanel(c_MyApp& app) {
    if (app.m_pauseOpen == 1 && app.m_pauseY < nx_ZuDizaz_jscrh / 2) app.m_pauseY += kSlideStep;
    if (app.m_pauseOpen != -1) return;
    if (app.m_pauseY < kLeftBy) {
        app.m_paused = 0;
        return;
    }
    app.m_pauseY -= kSlideStep;
    if (app.m_pauseY < kPauseEndsAbove) app.m_paused = 0;
}

void DrawPanel(c_MyApp& app, const PauseLayout& layout, float y) {
    for (const PanelBar& bar : layout.bars) {
        app.p_SetCol(bar.r, bar.g, bar.b, bar.alpha);
        app.p_Rect(nx_ZuDizaz_jscrw / 2 + bar.dx, y + bar.dy, bar.w, bar.h);
    }
}

// The highlighted button: a glow around it, and the directions move the
// highlight on. Returns whether select was pressed on it.
bool HighlightedKeys(c_MyApp& app, int button, float x, float y) {
    app.p_SetSize(2.5f);
    app.p_SetCol(255, 255, 100, 1);
    app.p_DrawImg(kImageIcons, x, y, kHighlightFrame);
    if (TakeKey(app, app.p_Held(kButtonA))) return true;
    for (const HighlightMove& move : kHighlightMoves) {
        if (move.from != button) continue;
        if (!TakeKey(app, app.p_Held(move.directions[0]) || app.p_Held(move.directions[1]))) continue;
        app.m_pauseSel = move.to;
        app.p_PlaySFX(kSoundConfirm, move.rate, 0.5f, 0);
    }
    return false;
}

void ResumeButton(c_MyApp& app, float y) {
    float x = nx_ZuDizaz_jscrw / 2;
    app.p_SetSize(2);
    app.p_SetCol(50, 50, 250, 1);
    if (TakeTouch(app, app.p_Button(kImageIcons, x, y, kResumeFrame) != 0)) Resume(app);
    if (app.m_pauseSel == kResumeSel && HighlightedKeys(app, kResumeSel, x, y)) Resume(app);
}

// Returns whether the level was left.
bool QuitButton(c_MyApp& app, const PauseLayout& layout, float y) {
    float x = std::trunc(nx_ZuDizaz_jscrw / 2 - layout.sideDx);
    float buttonY = y + layout.sideDy;
    app.p_SetSize(2);
    app.p_SetCol(255, 50, 50, 1);
    bool quit = TakeTouch(app, app.p_Button(kImageIcons, x, buttonY, kQuitFrame) != 0);
    if (!quit && app.m_pauseSel == kQuitSel) quit = HighlightedKeys(app, kQuitSel, x, buttonY);
    if (quit) Quit(app);
    return quit;
}

void OptionsButton(c_MyApp& app, const PauseLayout& layout, float y) {
    float x = std::trunc(nx_ZuDizaz_jscrw / 2 + layout.sideDx);
    float buttonY = y + layout.sideDy;
    app.p_SetSize(1);
    app.p_SetCol(255, 255, 255, 1);
    if (app.m_optionsOpen != 1) app.m_cogAngle += 0.2f;
    if (TakeTouch(app, app.p_DrawCog(x, buttonY) != 0)) OpenOptions(app, kSoundClick, 1);
    if (app.m_pauseSel == kOptionsSel && HighlightedKeys(app, kOptionsSel, x, buttonY))
        OpenOptions(app, kSoundConfirm, 0.5f);
}

}  // namespace

int c_MyApp::p_PauseMenu() {
    p_ResetDraw();
    DimScreen(*this);
    SlidePanel(*this);
    const PauseLayout& layout = m_landscape == 1 ? kLandscape : kPortrait;
    const float y = static_cast<float>(m_pauseY);
    DrawPanel(*this, layout, y);
    ResumeButton(*this, y);
    // After a quit the level is over: nothing further here may resume it.
    if (!QuitButton(*this, layout, y)) {
        OptionsButton(*this, layout, y);
        if (TakeKey(*this, p_Held(kButtonBack))) Resume(*this);
    }
    p_ResetDraw();
    return 0;
}
