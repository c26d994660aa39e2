// The options box over the title menu and the pause menu, worked by pointer
// and keys, and the fullscreen switch through the desktop host.
#include "host/glfw/glfw_game.h"
#include "tests/fakes/glfw/fake_glfw.h"
#include "tests/unit/game/game_fixture.h"
#include "tests/unit/game/overlay_draw_reader.h"

namespace {


// Where the rows stand once the box has slid in (640 x 480 window, scale 1).
constexpr float kSoundRowY = 130, kICadeRowY = 170, kDisplayRowY = 210, kCreditsRowY = 260;
constexpr float kBackCogX = 100, kBackCogY = 60;

class OptionsBox : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        finishLoading();
    }

    // Opens the box as the menus do and lets it slide fully in.
    void openBox(int cursor = 1) {
        app->m_optCursor = cursor;
        app->m_optionsOpen = 1;
        frame(31);
        ASSERT_EQ(app->m_optionsSlide, 30);
    }

    // Taps a point of the virtual screen.
    void tap(float x, float y) {
        mouseDown(x * app->m_scaleX, y * app->m_scaleY);
        frame();
        mouseUp(x * app->m_scaleX, y * app->m_scaleY);
        frame();
    }
    void tapRow(float rowY) { tap(320, rowY + 10); }

    std::string rowText(float rowY) { return textInBand(*app, rowY, rowY + 20); }
};

TEST_F(OptionsBox, SoundRowCyclesFourModesAndStopsTheMusicWhenLeavingIt) {
    app->m_settings[kSettingSoundMode] = 0;
    openBox();
    EXPECT_EQ(rowText(kSoundRowY), "Sound:Off");

    struct Step {
        int mode;
        const char* text;
        bool musicStops;
    };
    const Step steps[] = {{1, "Sound:SFX+Music", false},
                          {2, "Sound:SFX", true},
                          {3, "Sound:Music", false},
                          {0, "Sound:Off", true}};
    for (const Step& step : steps) {
        app->m_musicOn = 1;
        tapRow(kSoundRowY);
        EXPECT_EQ(app->m_settings[kSettingSoundMode], step.mode);
        EXPECT_EQ(app->m_musicOn, step.musicStops ? 0 : 1) << "after switching to " << step.text;
        EXPECT_EQ(rowText(kSoundRowY), step.text);
    }
    EXPECT_EQ(app->m_optionsOpen, 1) << "the rows do not close the box";
}

TEST_F(OptionsBox, UnknownSoundModeShowsNothingAndRestartsTheCycleAtOff) {
    for (int stored : {7, -2}) {
        app->m_settings[kSettingSoundMode] = stored;
        app->m_optionsOpen = 1;
        frame();
        EXPECT_EQ(app->m_settings[kSettingSoundMode], 0) << stored;
        EXPECT_EQ(rowText(kSoundRowY + (30 - app->m_optionsSlide + 1) * 24), "") << stored;
    }
}

TEST_F(OptionsBox, NeitherTapsNorKeysActWhileTheBoxSlidesIn) {
    app->m_settings[kSettingSoundMode] = 1;
    app->m_optCursor = 0;
    app->m_optionsOpen = 1;
    keyDown(kKeyEscape);
    while (app->m_optionsSlide < 30) {
        // Aim at the sound row where it is drawn during this very update.
        float rowY = (30 - app->m_optionsSlide) * 24 + kSoundRowY;
        mouseDown(320, rowY + 10);
        frame();
        mouseUp(320, rowY + 10);
        ASSERT_EQ(app->m_settings[kSettingSoundMode], 1) << "slide " << app->m_optionsSlide;
        ASSERT_EQ(app->m_optionsOpen, 1) << "back closed the box at slide " << app->m_optionsSlide;
    }
    frame(3);
    EXPECT_EQ(app->m_optionsOpen, 1) << "back still held from the slide-in";
    keyUp(kKeyEscape);
    frame();
    tapKey(kKeyEscape);
    EXPECT_EQ(app->m_optionsOpen, 0) << "a fresh back press closes the box";
}

TEST_F(OptionsBox, SelectHeldAcrossTheOpeningActsOnlyAfterItIsReleasedOnce) {
    app->m_settings[kSettingSoundMode] = 1;
    keyDown(kKeyEnter);  // the press that opened the box, still held
    openBox(1);
    frame(10);
    EXPECT_EQ(app->m_settings[kSettingSoundMode], 1);
    keyUp(kKeyEnter);
    frame();
    EXPECT_EQ(app->m_settings[kSettingSoundMode], 1);
    keyDown(kKeyEnter);
    frame(5);
    EXPECT_EQ(app->m_settings[kSettingSoundMode], 2) << "one press, one step, however long it is held";
}

TEST_F(OptionsBox, FromTheTitleMenuTheCursorReachesCreditsAndSelectOpensThem) {
    openBox(0);
    for (int i = 0; i < 6; ++i) tapKey(kKeyDown);
    EXPECT_EQ(app->m_optCursor, 4);
    EXPECT_EQ(rowText(kCreditsRowY), "Credits");
    int saves = host.saves;
    tapKey(kKeyEnter);
    EXPECT_EQ(app->m_creditsOpen, 1);
    EXPECT_EQ(app->m_optionsOpen, 0);
    EXPECT_EQ(host.saves, saves) << "leaving for the credits does not save";
}

TEST_F(OptionsBox, FromThePauseMenuThereIsNoCreditsRowAndTheCursorStopsAtTheDisplayRow) {
    app->m_paused = 1;
    openBox(0);
    for (int i = 0; i < 6; ++i) tapKey(kKeyDown);
    EXPECT_EQ(app->m_optCursor, 3);
    EXPECT_EQ(rowText(kCreditsRowY), "");
    tap(320, kCreditsRowY + 10);
    EXPECT_EQ(app->m_creditsOpen, 0);
    EXPECT_EQ(app->m_optionsOpen, 1);
}

TEST_F(OptionsBox, UpFromTheFirstRowReachesTheCogWhereSelectClosesAndSaves) {
    openBox(1);
    tapKey(kKeyUp);
    tapKey(kKeyUp);
    EXPECT_EQ(app->m_optCursor, 0);
    int saves = host.saves;
    tapKey(kKeyEnter);
    EXPECT_EQ(app->m_optionsOpen, 0);
    EXPECT_EQ(host.saves, saves + 1);
}

TEST_F(OptionsBox, TappingTheTurningCogClosesAndSaves) {
    openBox(1);
    float angle = app->m_cogAngle;
    int saves = host.saves;
    tap(kBackCogX, kBackCogY);
    EXPECT_GT(app->m_cogAngle, angle);
    EXPECT_EQ(app->m_optionsOpen, 0);
    EXPECT_EQ(host.saves, saves + 1);
    EXPECT_EQ(app->m_settings[kSettingSoundMode], 1) << "the cog is not a row";
}

TEST_F(OptionsBox, ICadeRowTogglesTheDecodingAndReleasesTheVirtualButtons) {
    openBox(2);
    EXPECT_EQ(rowText(kICadeRowY), "iCade:Off");
    app->m_vButtons[3] = 2;
    tapKey(kKeyEnter);
    EXPECT_EQ(nx_ZuDizaz_iCadeControls, 1);
    EXPECT_EQ(app->m_vButtons[3], 0);
    EXPECT_EQ(rowText(kICadeRowY), "iCade:On");
    tapRow(kICadeRowY);
    EXPECT_EQ(nx_ZuDizaz_iCadeControls, 0);
}

// The switch is the desktop host's: for this test one stands in for the test
// host, on the fake window system.
TEST_F(OptionsBox, DisplayRowOpensTheDesktopModeFullscreenAndBringsBack640x480) {
    fake_glfw::Reset();
    fake_glfw::state().desktopWidth = 1920;
    fake_glfw::state().desktopHeight = 1080;
    NxGlfwGame desktop;
    desktop.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
    nx_app__game = &desktop;
    openBox();
    EXPECT_EQ(rowText(kDisplayRowY), "Fullscreen");

    tapRow(kDisplayRowY);
    EXPECT_TRUE(fake_glfw::state().fullscreen);
    EXPECT_EQ(fake_glfw::state().windowWidth, 1920);
    EXPECT_EQ(fake_glfw::state().windowHeight, 1080);
    EXPECT_EQ(app->m_fullscreen, 1);
    EXPECT_GT(app->m_loadStep, 0) << "a new window size restarts loading";
    finishLoading();
    EXPECT_EQ(app->m_hdLevel, 4) << "the 1920 x 1080 window loads the largest images";
    frame();  // the box is not run while loading
    EXPECT_EQ(rowText(kDisplayRowY), "Windowed");

    tapRow(kDisplayRowY);
    EXPECT_FALSE(fake_glfw::state().fullscreen);
    EXPECT_EQ(fake_glfw::state().windowWidth, 640);
    EXPECT_EQ(fake_glfw::state().windowHeight, 480);
    EXPECT_EQ(app->m_fullscreen, 0);
    finishLoading();
    EXPECT_EQ(app->m_hdLevel, 2);
    nx_app__game = NxGame::_game = &host;
}

TEST_F(OptionsBox, WithoutADesktopHostTheSwitchChangesNothing) {
    app->p_FullscreenFlip();
    EXPECT_EQ(app->m_fullscreen, 0);
}

}  // namespace
