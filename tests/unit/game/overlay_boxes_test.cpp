// The boxes over the screens, worked by pointer and keys: the options box
// (sound, iCade, display and credits rows), the pause menu over a running
// level, and the credits box. At 640 x 480 the virtual screen is the window.
#include <cmath>

#include "tests/unit/game/game_fixture.h"

namespace {

// Where the option rows stand once the box has slid in.
constexpr float kSoundRowY = 130, kIcadeRowY = 170, kDisplayRowY = 210, kCreditsRowY = 260;

using Boxes = GameFixture;

// The title tune stops and starts with the sound mode in the update of the
// tap, and the mode is saved then, with the box still open.
TEST_F(Boxes, SoundRowCyclesFourModesAndTheMusicFollowsAtOnce) {
    app->m_settings[kSettingSoundMode] = 0;
    app->m_optCursor = 1, app->m_optionsOpen = 1, frame(31);
    for (auto [mode, label, tune] : {std::tuple{1, "Sound:SFX+Music", "title"}, {2, "Sound:SFX", ""}, {3, "Sound:Music", "title"}, {0, "Sound:Off", ""}}) {
        press(320, kSoundRowY + 10), frame();
        const auto heard = std::tuple(app->m_settings[kSettingSoundMode], music(), app->m_musicOn);
        release(), frame();
        const std::string storedSettings = "0|0|0|0|0|" + std::to_string(mode) + "|";
        EXPECT_EQ(std::tuple(heard, text(kSoundRowY, kSoundRowY + 20), host.state.ToUtf8().substr(0, 12)),
                  std::tuple(std::tuple(mode, tune, *tune ? 1 : 0), label, storedSettings));
    }
    // An unknown mode shows nothing and the cycle starts again at Off.
    for (int unknown : {7, -2}) {
        app->m_settings[kSettingSoundMode] = unknown, frame();
        EXPECT_EQ(std::pair(app->m_settings[kSettingSoundMode], text(kSoundRowY, kSoundRowY + 20)), std::pair(0, std::string())) << unknown;
    }
}

// Nothing in the box acts until it has slid in, and the screen below takes
// none of its input. The cursor runs from the back cog (0) to the credits
// row (4), which the box over the pause menu does not have. A changed
// option is saved at once; the cog closes and saves; the credits row leaves
// for the credits box without a save.
TEST_F(Boxes, OptionRowsWorkByKeysAndPointerOnlyOnceTheBoxHasSlidIn) {
    app->m_paused = 1, app->m_optionsOpen = 1;
    for (int update = 0; update < 40 && app->m_optionsSlide < 30; ++update)  // tapping where the iCade row is drawn
        press(320, (30 - app->m_optionsSlide) * 24 + kIcadeRowY + 10), frame(), release();
    for (int i = 0; i < 6; ++i) tapKey(kKeyDown);
    tap(320, kCreditsRowY + 10);
    EXPECT_EQ(std::tuple(app->m_optCursor, text(kCreditsRowY, kCreditsRowY + 20), app->m_creditsOpen, nx_ZuDizaz_iCadeControls),
              std::tuple(3, "", 0, 0));
    app->m_vButtons[kButtonLeft] = 2;
    tap(320, kIcadeRowY + 10);
    EXPECT_EQ(std::tuple(nx_ZuDizaz_iCadeControls, app->m_vButtons[kButtonLeft], text(kIcadeRowY, kIcadeRowY + 20), host.saves),
              std::tuple(1, 0, "iCade:On", 1));
    for (int i = 0; i < 3; ++i) tapKey(i < 2 ? kKeyUp : kKeyEnter);
    EXPECT_EQ(std::tuple(app->m_optionsOpen, host.saves, app->m_menuSel), std::tuple(0, 2, 1)) << "select on the cog closes and saves";
    app->m_paused = 0, app->m_optCursor = 0, app->m_optionsOpen = 1, frame(31);
    for (int i = 0; i < 6; ++i) tapKey(kKeyDown);
    EXPECT_EQ(text(kCreditsRowY, kCreditsRowY + 20), "Credits");
    tapKey(kKeyEnter);
    EXPECT_EQ(std::tuple(app->m_optCursor, app->m_creditsOpen, app->m_optionsOpen, host.saves), std::tuple(4, 1, 0, 2));
}

// The row switches the host's window; a host with none to switch refuses and the row stays.
TEST_F(Boxes, DisplayRowSwitchesTheWindowBetweenFullscreenAnd640x480) {
    app->m_optCursor = 3, app->m_optionsOpen = 1, frame(31);
    for (auto [switches, fullscreen, width, height, level, label] :
         {std::tuple{false, 0, 640, 480, 2, "Fullscreen"}, {true, 1, 1920, 1080, 4, "Windowed"}, {true, 0, 640, 480, 2, "Fullscreen"}}) {
        host.switchesWindows = switches;
        tapKey(kKeyEnter);
        EXPECT_EQ(std::tuple(host.fullscreen, host.deviceWidth, host.deviceHeight, app->m_fullscreen),
                  std::tuple(fullscreen == 1, width, height, fullscreen));
        finishLoading(), frame();
        EXPECT_EQ(std::pair(app->m_hdLevel, text(kDisplayRowY, kDisplayRowY + 20)), std::pair(level, std::string(label)));
    }
}

// A level pauses by back, the pause button or a focus change (which also
// slows the updates and drops iCade), and resumes by select, a held back or
// the pointer; it stays paused exactly until the panel has gone above -32.
// Its tune is held as long, also through a focus change in the pause menu;
// a tune switched on meanwhile waits for the level to go on.
TEST_F(Boxes, PauseResumesOnlyOnceThePanelHasLeft) {
    startLevel(1);
    for (int how = 0; how < 3; ++how) {
        app->p_iCade(how == 2);
        how == 0 ? tapKey(kKeyEscape) : how == 1 ? (tap(16, 16), host.SuspendGame()) : host.SuspendGame();
        EXPECT_EQ(nx_app__updateRate, how == 0 ? 60 : 5);
        const std::string resumed = (host.ResumeGame(), music());
        frame(15);
        EXPECT_EQ(std::tuple(app->m_paused, app->m_pauseOpen, app->m_pauseY, nx_ZuDizaz_iCadeControls, nx_app__updateRate, resumed + ", " + music()),
                  std::tuple(1, 1, how == 0 ? 248 : 240, 0, 60, "play held, play held")) << "slid to the first step past half way down, or put there";
        if (how == 2) for (int mode : {kSoundEffectsOnly, kSoundMusicOnly}) app->m_settings[kSettingSoundMode] = mode, frame();
        how == 0 ? tapKey(kKeyEnter) : how == 1 ? keyDown(kKeyEscape) : tap(320, 244);
        for (int update = 0; update < 30 && app->m_paused != 0; ++update, frame())
            EXPECT_EQ(std::pair(app->m_pauseY >= -32, music()), std::pair(true, std::string(how == 2 ? "" : "play held")));
        frame(5), keyUp(kKeyEscape);
        EXPECT_EQ(std::tuple(app->m_paused, app->m_pauseOpen, app->m_pauseY, app->m_levelDone, music(), plays(app->m_tunes[kTunePlay])),
                  std::tuple(0, -1, how == 0 ? -40 : -48, 0, "play", how == 2 ? 2 : 1)) << "the tune goes on where it stood, or starts";
    }
}

// A portrait screen stacks the panel. A quit level keeps its ball (and its
// tune) where it was left, so the results and the saved record keep the
// score and rings of the moment of quitting; back in the menu, its tune.
TEST_F(Boxes, QuitFromPauseEndsTheLevelWhereItStood) {
    startLevel(1);
    tapKey('Z'), frame(100);
    tapKey(kKeyEscape), resize(480, 640), finishLoading(), frame(10);
    const float middle = nx_ZuDizaz_jscrw / 2, y = static_cast<float>(app->m_pauseY);
    bool tall = false;
    for (const DrawRecord& r : records()) tall = tall || (r.kind == kRectKind && r.x == middle - 128 && r.y == y - 80 && r.w == 256 && r.h == 160);
    tapKey(kKeyUp), tapKey(kKeyEnter);
    const auto atQuit = std::tuple(kModeReturnToMenu, app->m_score, ball(kBallX), ball(kBallY), 0, music() + ", then title");
    const int score = app->m_score, rings = static_cast<int>(ball(kRingsCollected));
    for (int update = 0; update < 100 && app->m_mode == kModePlaying; ++update) frame();
    EXPECT_EQ(std::tuple(app->m_mode, app->m_score, ball(kBallX), ball(kBallY), app->m_paused, "play held, then " + music()), atQuit);
    EXPECT_TRUE(tall && score > 0 && shows("Rings" + std::to_string(rings) + "/10"));
    frame();
    EXPECT_EQ(std::pair(app->m_scores[0], app->m_scores[300]), std::pair(score, rings));
}

// Any press or select closes the credits box; the input that closed it is
// latched, so neither a select held on nor a click held and let go on the
// play button, a level or the credits emblem below acts on the menu.
TEST_F(Boxes, CreditsCloseByPressOrSelectWithoutActingOnTheMenuBelow) {
    const std::pair<float, float> play{570, 432}, level2{338, 384}, emblem{570, 32}, none{-1, -1};
    for (auto [at, byKey] : {std::pair{play, false}, {none, true}, {play, true}, {level2, false}, {emblem, false}}) {
        app->m_creditsOpen = 1, frame(31);
        if (at != none) press(at.first, at.second);
        if (byKey) keyDown(kKeyEnter);
        frame(31), release(), keyUp(kKeyEnter), frame(31);
        EXPECT_EQ(std::tuple(app->m_creditsOpen, app->m_creditsSlide, app->m_mode, app->m_menuSel), std::tuple(0, 0, kModeMenu, 1))
            << at.first << "," << at.second << " " << byKey;
    }
}

// The lines scroll 0.3 a step, 1.8 with up or down held, move on every 16,
// wrap around and never show the list's last entry, which closes it. The
// circles, 1.5 cells of the test card in from its top corners, show the
// device's size and the virtual screen's.
TEST_F(Boxes, CreditsScrollTheirLinesOverTheTestCardWithTheScreenFigures) {
    Array<String> lines(4);
    for (int i = 0; i < 4; ++i) lines[i] = String(i < 3 ? std::string(2, 'A' + i).c_str() : "END");
    gc_assign(nx_ZuDizaz_CreditText, lines);
    resize(1280, 960), finishLoading();
    app->m_creditsOpen = 1, frame(31);
    app->m_creditLine = 0, app->m_creditScroll = 0, frame(18);
    keyDown(kKeyUp), frame(6);  // 18 x 0.3 + 6 x 1.8 = 16.2
    auto line = [this](int j) { return text(16 * j + 241 + app->m_creditScroll - 4, 16 * j + 241 + app->m_creditScroll + 4); };
    EXPECT_EQ(std::tuple(app->m_creditLine, std::lround(app->m_creditScroll * 10), line(-1), line(0), line(1), line(2)),
              std::tuple(1, -2L, "AA", "BB", "CC", "AA"));
    const float cell = 640.0f / 12;
    EXPECT_EQ(std::pair(text(1.5f * cell - 19, 1.5f * cell - 11), text(1.5f * cell - 3, 1.5f * cell + 5)),
              std::pair(std::string("1280640"), std::string("960480")));
}

}  // namespace
