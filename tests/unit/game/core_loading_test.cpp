// Loading by window size, the loading sequence and its jingle, sound effects
// over rotating channels, and the life cycle of the game object.
#include <string>

#include "tests/unit/game/game_fixture.h"

namespace {

constexpr int kLogoUnits = 256;  // the logo's size in game units

class LoadingTest : public GameFixture {
protected:
    int logoFilePixels() { return app->m_images[kImageStudioEmblem]->m_surface->Width(); }
    int plays() { return fake_al::state().CountFunction("alSourcePlay"); }
    // The source of the most recent play.
    std::string lastPlayed() {
        for (auto call = fake_al::state().calls.rbegin(); call != fake_al::state().calls.rend(); ++call)
            if (call->rfind("alSourcePlay ", 0) == 0) return call->substr(13);
        return "";
    }
};

TEST_F(LoadingTest, TakesTwentyNineUpdatesFromTheFirstToTheMenu) {
    for (int update = 1; update <= 28; ++update) {
        frame();
        ASSERT_EQ(app->m_loadStep, update + 1) << "after update " << update;
    }
    frame();
    EXPECT_EQ(app->m_loadStep, 0);
    EXPECT_EQ(app->m_mode, 1);
    EXPECT_EQ(app->m_font, 90);
    for (int image : {1, 2, 80, 90, 91, 93, 94, 95, 96, 97, 98, 99}) EXPECT_NE(app->m_images[image], nullptr) << image;
    for (int sound : {1, 2, 3, 4, 11, 20, 95, 96, 98, 99}) {
        ASSERT_NE(app->m_sounds[sound], nullptr) << sound;
        EXPECT_NE(app->m_sounds[sound]->m_sample, nullptr) << "sfx " << sound << " found in data/";
    }
}

TEST_F(LoadingTest, ChoosesTheFileResolutionByWindowSize) {
    finishLoading();
    EXPECT_EQ(app->m_hdLevel, 2) << "640 wide is past the plain files' limit of 630";
    EXPECT_EQ(logoFilePixels(), 2 * kLogoUnits);
    EXPECT_FLOAT_EQ(app->m_imgScale, 0.5f);

    resize(630, 630);
    finishLoading();
    EXPECT_EQ(app->m_hdLevel, 1);
    EXPECT_EQ(logoFilePixels(), kLogoUnits);
    EXPECT_EQ(app->m_imgInfo[kImageStudioEmblem * 3], kLogoUnits);

    resize(1231, 600);
    finishLoading();
    EXPECT_EQ(app->m_hdLevel, 4);
    EXPECT_EQ(logoFilePixels(), 4 * kLogoUnits);
    EXPECT_FLOAT_EQ(app->m_imgScale, 0.25f);
    EXPECT_EQ(app->m_imgInfo[90 * 3], 7) << "the font keeps its glyph cell in game units";
}

TEST_F(LoadingTest, ResizeRestartsLoadingWithoutRepeatingTheJingle) {
    finishLoading();
    EXPECT_EQ(plays(), 1) << "the jingle";
    EXPECT_EQ(app->m_jinglePlayed, 1);
    resize(800, 600);
    frame();
    EXPECT_EQ(app->m_loadStep, 2) << "the render saw the new size, the update did step 1";
    finishLoading();
    EXPECT_EQ(plays(), 1);
}

TEST_F(LoadingTest, LoadingScreenDrawsSpinnerSunBandAndLogo) {
    frame();
    // 11 back dots, the sun, the band, the logo, 11 front dots.
    ASSERT_EQ(app->m_drawCount, 25 * 15);
    EXPECT_EQ(app->m_clsR, 40);
    EXPECT_EQ(app->m_clsB, 80);
    EXPECT_EQ(app->m_drawList[11 * 15], -3716.0f) << "the sun is an oval";
    EXPECT_EQ(app->m_drawList[12 * 15], -3717.0f) << "the band is a rectangle";
    EXPECT_EQ(app->m_drawList[13 * 15], 93.0f) << "the logo";
    const int firstAngle = app->m_spinAngle;
    frame();
    EXPECT_EQ(app->m_spinAngle, firstAngle + 16) << "the spinner turns each update";
}

TEST_F(LoadingTest, TwentyFifthEffectCutsTheFirstOnesChannel) {
    finishLoading();
    std::string first;
    for (int effect = 1; effect <= 25; ++effect) {
        app->p_PlaySFX(1, 1, 1, 0);
        if (effect == 1) {
            first = lastPlayed();
        } else if (effect < 25) {
            EXPECT_NE(lastPlayed(), first) << "effect " << effect;
        }
    }
    EXPECT_EQ(lastPlayed(), first);
    EXPECT_GE(fake_al::state().Count("alSourceStop " + first), 2) << "stopped before each of its two plays";
}

TEST_F(LoadingTest, SoundSettingsWithoutEffectsPlayNothingAndKeepTheRotation) {
    finishLoading();
    std::string sequence[2];
    for (std::string& source : sequence) {
        app->p_PlaySFX(1, 1, 1, 0);
        source = lastPlayed();
    }
    for (int effect = 0; effect < 23; ++effect) app->p_PlaySFX(1, 1, 1, 0);  // round to sequence[0]
    ASSERT_EQ(lastPlayed(), sequence[0]);
    for (int silent : {0, 3}) {
        app->m_settings[5] = silent;
        const size_t calls = fake_al::state().calls.size();
        app->p_PlaySFX(1, 1, 1, 0);
        EXPECT_EQ(fake_al::state().calls.size(), calls) << "setting " << silent;
    }
    app->m_settings[5] = 2;
    app->p_PlaySFX(1, 1, 1, 0);
    EXPECT_EQ(lastPlayed(), sequence[1]) << "the silent effects took no channel";
}

TEST_F(LoadingTest, SuspendPausesOnlyARunningLevel) {
    finishLoading();
    host.SuspendGame();
    EXPECT_EQ(app->m_paused, 0);
    EXPECT_EQ(nx_app__updateRate, 5);
    host.ResumeGame();
    EXPECT_EQ(app->m_paused, 0);
    EXPECT_EQ(nx_app__updateRate, 60);

    app->m_mode = 10;
    app->p_iCade(1);
    app->m_vButtons[0] = 2;
    host.SuspendGame();
    host.ResumeGame();
    EXPECT_EQ(app->m_paused, 1);
    EXPECT_EQ(app->m_pauseOpen, 1);
    EXPECT_EQ(app->m_pauseY, 240);
    EXPECT_EQ(nx_ZuDizaz_iCadeControls, 0);
    EXPECT_EQ(app->m_vButtons[0], 0) << "an iCade hold does not survive a focus change";
}

TEST_F(LoadingTest, FunctionKeysToggleDebugLineAndHud) {
    finishLoading();
    tapKey(112);
    EXPECT_EQ(nx_ZuDizaz_DebugMode, 1);
    frame();
    // The debug line is recorded last, in the font, 16 units above the bottom.
    const float* last = &app->m_drawList[app->m_drawCount - 15];
    EXPECT_EQ(last[0], 90.0f);
    EXPECT_FLOAT_EQ(last[2], nx_ZuDizaz_jscrh - 16 + 5);
    tapKey(112);
    EXPECT_EQ(nx_ZuDizaz_DebugMode, 0);
    tapKey(113);
    EXPECT_EQ(app->m_hideHud, 1);
    tapKey(113);
    EXPECT_EQ(app->m_hideHud, 0);
}

TEST_F(LoadingTest, FreshPressShowsNoPointerMovement) {
    finishLoading();
    mouseMove(100, 50);
    frame();
    mouseMove(200, 80);
    mouseDown(200, 80);
    frame();
    EXPECT_EQ(app->m_mouseDown, 1);
    EXPECT_EQ(app->m_prevMouseX, app->m_mouseX);
    EXPECT_EQ(app->m_prevMouseY, app->m_mouseY);
    mouseUp(200, 80);
    frame();
    for (int i = 0; i < 10; ++i) EXPECT_EQ(app->m_touchX[i], -3717) << "touch " << i << " is up";
}

TEST(CreditText, HasFiftySevenLinesUnderTheFiveHeadingsEndingWithEnd) {
    nx_game_init();
    ASSERT_EQ(nx_ZuDizaz_CreditText.Length(), 57);
    EXPECT_EQ(nx_ZuDizaz_CreditText[0], String("A Game by"));
    EXPECT_EQ(nx_ZuDizaz_CreditText[56], String("End"));
    int headings = 0;
    for (const char* heading : {"A Game by", "Graphics", "Audio", "Thanks to", "Developed using"})
        for (const String& line : nx_ZuDizaz_CreditText) headings += line == String(heading);
    EXPECT_EQ(headings, 5);
}

}  // namespace
