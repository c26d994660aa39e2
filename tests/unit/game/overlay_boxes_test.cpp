// The boxes over the screens, worked by pointer and keys: the options box
// (sound, iCade, display and credits rows), the pause menu over a running
// level, and the credits box. At 640 x 480 the virtual screen is the window.
#include <cmath>

#include "host/glfw/glfw_game.h"
#include "tests/fakes/glfw/fake_glfw.h"
#include "tests/unit/game/game_fixture.h"

namespace {

// Where the option rows stand once the box has slid in.
constexpr float kSoundRowY = 130, kIcadeRowY = 170, kDisplayRowY = 210, kCreditsRowY = 260;

class Boxes : public GameFixture {
protected:
    void openOptions(int cursor) {
        app->m_optCursor = cursor, app->m_optionsOpen = 1;
        frame(31);
    }
    void tapRow(float y) { tap(320, y + 10); }
    std::string row(float y) const { return text(y, y + 20); }
    void openPause() {
        tapKey(kKeyEscape);
        frame(15);
        ASSERT_EQ(std::pair(app->m_paused, app->m_pauseY), std::pair(1, 248)) << "the first step past mid-screen";
    }
    // The level stays paused exactly until the panel has gone above -32.
    void expectPausedUntilThePanelHasLeft() {
        for (int update = 0; update < 30 && app->m_paused != 0; ++update) {
            EXPECT_GE(app->m_pauseY, -32);
            frame();
        }
        EXPECT_TRUE(app->m_paused == 0 && app->m_pauseY < -32 && app->m_pauseY >= -64) << app->m_pauseY;
    }
    bool panelShown() const {
        for (const DrawRecord& r : records())
            if (r.kind == kRectKind && r.r == 255 && r.g == 150 && r.b == 10) return true;
        return false;
    }
};

TEST_F(Boxes, SoundRowCyclesFourModesAndStopsTheMusicForOffAndSfx) {
    app->m_settings[kSettingSoundMode] = 0;
    openOptions(1);
    for (auto [mode, label, musicStops] : {std::tuple{1, "Sound:SFX+Music", false}, {2, "Sound:SFX", true},
                                           {3, "Sound:Music", false}, {0, "Sound:Off", true}}) {
        app->m_musicOn = 1;
        tapRow(kSoundRowY);
        EXPECT_EQ(std::tuple(app->m_settings[kSettingSoundMode], app->m_musicOn == 0, row(kSoundRowY)),
                  std::tuple(mode, musicStops, label));
    }
    for (int unknown : {7, -2}) {
        app->m_settings[kSettingSoundMode] = unknown;
        frame();
        EXPECT_EQ(std::pair(app->m_settings[kSettingSoundMode], row(kSoundRowY)), std::pair(0, std::string()))
            << "an unknown mode shows nothing and the cycle starts again at Off";
    }
}

// Nothing in the box acts while it slides in, nor a press held from before it opened until let go once.
TEST_F(Boxes, OptionsActOnlyOnceTheBoxHasSlidInAndOnFreshPresses) {
    app->m_settings[kSettingSoundMode] = 1;
    app->m_optCursor = 1, app->m_optionsOpen = 1;
    keyDown(kKeyEnter);
    keyDown(kKeyEscape);
    for (int update = 0; update < 40 && app->m_optionsSlide < 30; ++update) {
        press(320, (30 - app->m_optionsSlide) * 24 + kSoundRowY + 10);  // where the row is drawn in this update
        frame();
        release();
    }
    frame(5);
    EXPECT_EQ(std::pair(app->m_settings[kSettingSoundMode], app->m_optionsOpen), std::pair(1, 1));
    keyUp(kKeyEnter);
    keyUp(kKeyEscape);
    frame();
    tapKey(kKeyEnter, 5);
    EXPECT_EQ(app->m_settings[kSettingSoundMode], 2) << "one press, one step, however long it is held";
    tapKey(kKeyEscape);
    EXPECT_EQ(app->m_optionsOpen, 0) << "a fresh back press closes the box";
}

// From the title menu the cursor runs from the cog (0) to the credits row
// (4); over the pause menu there is no credits row.
TEST_F(Boxes, CursorReachesCreditsOnlyFromTheTitleMenuAndTheCogClosesAndSaves) {
    app->m_paused = 1;
    openOptions(0);
    for (int i = 0; i < 6; ++i) tapKey(kKeyDown);
    tapRow(kCreditsRowY);
    EXPECT_EQ(std::tuple(app->m_optCursor, row(kCreditsRowY), app->m_creditsOpen), std::tuple(3, "", 0));
    for (int i = 0; i < 4; ++i) tapKey(kKeyUp);
    tapKey(kKeyEnter);
    EXPECT_EQ(std::pair(app->m_optionsOpen, host.saves), std::pair(0, 1)) << "select on the cog closes and saves";
    app->m_paused = 0;
    openOptions(1);
    tap(100, 60);
    EXPECT_EQ(std::tuple(app->m_optionsOpen, host.saves, app->m_settings[kSettingSoundMode]), std::tuple(0, 2, 1))
        << "so does a tap on it";
    openOptions(0);
    for (int i = 0; i < 6; ++i) tapKey(kKeyDown);
    EXPECT_EQ(std::pair(app->m_optCursor, row(kCreditsRowY)), std::pair(4, std::string("Credits")));
    tapKey(kKeyEnter);
    EXPECT_EQ(std::tuple(app->m_creditsOpen, app->m_optionsOpen, host.saves), std::tuple(1, 0, 2)) << "without a save";
}

TEST_F(Boxes, IcadeRowTogglesTheDecodingAndReleasesTheVirtualButtons) {
    openOptions(2);
    app->m_vButtons[kButtonLeft] = 2;
    tapKey(kKeyEnter);
    EXPECT_EQ(std::tuple(nx_ZuDizaz_iCadeControls, app->m_vButtons[kButtonLeft], row(kIcadeRowY)), std::tuple(1, 0, "iCade:On"));
    tapRow(kIcadeRowY);
    EXPECT_EQ(std::pair(nx_ZuDizaz_iCadeControls, row(kIcadeRowY)), std::pair(0, std::string("iCade:Off")));
}

// The switch is the desktop host's: one stands in for the test host here, on the fake window system.
TEST_F(Boxes, DisplayRowSwitchesTheDesktopWindowBetweenFullscreenAnd640x480) {
    app->p_FullscreenFlip();
    EXPECT_EQ(app->m_fullscreen, 0) << "without a desktop host nothing switches";
    fake_glfw::Reset();
    NxGlfwGame desktop;
    desktop.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
    nx_app__game = &desktop;
    openOptions(3);
    for (auto [fullscreen, width, height, level, label] : {std::tuple{1, 1920, 1080, 4, "Windowed"}, {0, 640, 480, 2, "Fullscreen"}}) {
        tapRow(kDisplayRowY);
        EXPECT_EQ(std::tuple(fake_glfw::state().fullscreen, fake_glfw::state().windowWidth, fake_glfw::state().windowHeight, app->m_fullscreen),
                  std::tuple(fullscreen == 1, width, height, fullscreen));
        finishLoading();
        frame();
        EXPECT_EQ(std::pair(app->m_hdLevel, row(kDisplayRowY)), std::pair(level, std::string(label)));
    }
    nx_app__game = NxGame::_game = &host;
}

TEST_F(Boxes, PauseResumesByKeyBackOrPointerOnlyOnceThePanelHasLeft) {
    startLevel(1);
    for (int how = 0; how < 3; ++how) {
        openPause();
        if (how < 2) tapKey(how == 0 ? kKeyEnter : kKeyEscape);
        if (how == 2) tap(320, 248);
        EXPECT_EQ(std::pair(app->m_pauseOpen, app->m_levelDone), std::pair(-1, 0));
        expectPausedUntilThePanelHasLeft();
    }
}

// Left of resume is quit, right of it the options cog; up and left, right and down move between neighbours.
TEST_F(Boxes, PauseHighlightMovesBetweenNeighboursAndTheCogOpensTheOptionsAtTheRowLeftBefore) {
    startLevel(1);
    app->m_optCursor = 2;
    openPause();
    for (auto [key, selected] : {std::pair{kKeyRight, 1}, {kKeyRight, 1}, {kKeyDown, 0}, {kKeyUp, -1},
                                 {kKeyLeft, -1}, {kKeyDown, 0}, {kKeyLeft, -1}, {kKeyRight, 0}, {kKeyRight, 1}}) {
        tapKey(key);
        EXPECT_EQ(app->m_pauseSel, selected) << "after key " << key;
    }
    tapKey(kKeyEnter);
    frame(35);
    EXPECT_EQ(std::tuple(app->m_optionsOpen, app->m_optCursor, app->m_paused, app->m_pauseOpen), std::tuple(1, 2, 1, 1));
    app->m_optionsOpen = 0;
    frame(35);
    tap(320 + 140, 248 - 64);
    EXPECT_EQ(app->m_optionsOpen, 1) << "and a tap on it";
}

// A quit level keeps its ball where it was left, so the results and the
// saved record keep the score and rings of the moment of quitting.
TEST_F(Boxes, QuitFromPauseEndsTheLevelWhereItStood) {
    startLevel(1);
    tapKey(kKeyZ);
    frame(30);
    openPause();
    tapKey(kKeyLeft);
    tapKey(kKeyEnter);
    EXPECT_EQ(std::tuple(app->m_levelDone, app->m_paused, app->m_pauseY, panelShown()), std::tuple(1, 0, -64, false));
    const int score = app->m_score;
    const float rings = ball(kRingsCollected), x = ball(kBallX), y = ball(kBallY);
    for (int update = 0; update < 100 && app->m_mode == kModePlaying; ++update) frame();
    EXPECT_EQ(std::tuple(app->m_mode, app->m_score, ball(kBallX), ball(kBallY)), std::tuple(kModeReturnToMenu, score, x, y));
    EXPECT_TRUE(shows("Rings" + std::to_string(static_cast<int>(rings)) + "/10"));
    frame();
    EXPECT_EQ(std::pair(app->m_scores[0], app->m_scores[300]), std::pair(score, static_cast<int>(rings)));
}

// A portrait screen stacks the panel and puts quit above resume.
TEST_F(Boxes, PortraitPauseMenuIsTallWithQuitAboveResume) {
    startLevel(1);
    openPause();
    resize(480, 640);
    finishLoading();
    frame(10);  // the panel follows the new, taller middle
    const float middle = nx_ZuDizaz_jscrw / 2, y = static_cast<float>(app->m_pauseY);
    bool tall = false;
    for (const DrawRecord& r : records())
        tall = tall || (r.kind == kRectKind && r.x == middle - 128 && r.y == y - 80 && r.w == 256 && r.h == 160);
    EXPECT_TRUE(tall);
    tap(std::trunc(middle - 96), y - 96);
    EXPECT_EQ(std::pair(app->m_levelDone, app->m_paused), std::pair(1, 0));
}

// Any press or select closes the credits box; each input that closed it is
// latched, so a held select does not start the level on the menu below.
TEST_F(Boxes, CreditsCloseByPressOrSelectWithoutStartingALevel) {
    for (auto [byPointer, byKey] : {std::pair{true, false}, {false, true}, {true, true}}) {
        app->m_creditsOpen = 1;
        frame(31);
        if (byPointer) press(320, 240);
        if (byKey) keyDown(kKeyEnter);
        frame();
        EXPECT_EQ(app->m_creditsOpen, 0) << byPointer << byKey;
        frame(30);
        release();
        keyUp(kKeyEnter);
        EXPECT_EQ(std::pair(app->m_mode, app->m_creditsSlide), std::pair(kModeMenu, 0));
    }
}

// Lines scroll 0.3 a step (1.8 with up or down held), move on every 16,
// wrap around, and never show the list's last entry, which closes it.
TEST_F(Boxes, CreditLinesScrollAndWrapAround) {
    Array<String> lines(4);
    for (int i = 0; i < 4; ++i) lines[i] = String(i < 3 ? std::string(2, 'A' + i).c_str() : "END");
    gc_assign(nx_ZuDizaz_CreditText, lines);
    app->m_creditsOpen = 1;
    frame(31);
    app->m_creditLine = 0, app->m_creditScroll = 0;
    frame(54);  // 54 x 0.3 = 16.2
    EXPECT_EQ(app->m_creditLine, 1);
    EXPECT_NEAR(app->m_creditScroll, -0.2f, 1e-3f);
    keyDown(kKeyUp);
    frame();
    EXPECT_NEAR(app->m_creditScroll, -2.0f, 1e-3f);
    // The line j below the centre one has its glyph centres at 16 j + 241 + the scroll.
    auto line = [this](int j) { return text(16 * j + 241 + app->m_creditScroll - 4, 16 * j + 241 + app->m_creditScroll + 4); };
    EXPECT_EQ(std::tuple(line(-2), line(-1), line(0), line(1), line(2), line(3)), std::tuple("CC", "AA", "BB", "CC", "AA", "BB"));
}

TEST_F(Boxes, CreditsBoxShowsTheTestCardGridAndTheScreenFigures) {
    resize(1280, 960);
    finishLoading();
    app->m_creditsOpen = 1;
    frame(31);
    const float cell = 640.0f / 12;
    int squares = 0, ovals = 0;
    for (const DrawRecord& r : records()) {
        ovals += r.kind == kOvalKind;
        if (r.kind != kRectKind || std::fabs(r.w - (cell + 1)) > 1e-3f) continue;
        ++squares;  // full cells centred on the grid points, the outer ones half off screen
        EXPECT_NEAR(std::remainder(r.x + cell / 2, cell) + std::remainder(r.y + cell / 2, cell), 0, 1e-3f);
    }
    EXPECT_EQ(std::pair(squares, ovals), std::pair(13 * 10, 8));
    EXPECT_EQ(std::pair(text(1.5f * cell - 19, 1.5f * cell - 11), text(1.5f * cell - 3, 1.5f * cell + 5)),
              std::pair(std::string("1280640"), std::string("960480"))) << "the device's figures and the virtual screen's";
}

}  // namespace
