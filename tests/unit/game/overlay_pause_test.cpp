// The pause menu over a running level: its slide, resume, quit and options,
// by pointer, keys and back, in landscape and portrait screens.
#include <cmath>

#include <string>

#include "tests/unit/game/play_fixture.h"

namespace {

constexpr int kPanelCentreY = 248;  // where the panel stops: the first step past mid-screen

class PauseMenu : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        startLevel(1);
    }

    void openPause() {
        tapKey(kKeyEscape);
        ASSERT_EQ(app->m_paused, 1);
        frame(15);
        ASSERT_EQ(app->m_pauseY, kPanelCentreY);
    }

    void press(int key) {
        keyDown(key);
        frame();
        keyUp(key);
    }

    // Highlights the quit button and selects it.
    void quitByKeys() {
        press(kKeyLeft);
        frame();
        ASSERT_EQ(app->m_pauseSel, -1);
        press(kKeyEnter);
    }

    // Taps the screen at a point of the virtual screen.
    void tap(float x, float y) {
        mouseDown(x * app->m_scaleX, y * app->m_scaleY);
        frame();
        mouseUp(x * app->m_scaleX, y * app->m_scaleY);
    }

    bool panelShown() {
        for (const DrawRecord& record : drawRecords(*app))
            if (record.kind == kRectKind && hasColour(record, 255, 150, 10)) return true;
        return false;
    }

    // Runs updates until the level is no longer paused, checking that the
    // pause lasts exactly until the panel has gone above -32.
    void expectPausedUntilThePanelHasLeft() {
        for (int update = 0; update < 30 && app->m_paused != 0; ++update) {
            frame();
            if (app->m_paused != 0) {
                EXPECT_GE(app->m_pauseY, -32) << "still paused with the panel gone";
            }
        }
        EXPECT_EQ(app->m_paused, 0);
        EXPECT_LT(app->m_pauseY, -32);
        EXPECT_GE(app->m_pauseY, -64);
    }
};

TEST_F(PauseMenu, ResumedLevelStaysPausedUntilThePanelHasSlidAboveMinus32) {
    openPause();
    press(kKeyEnter);
    EXPECT_EQ(app->m_pauseOpen, -1);
    EXPECT_EQ(app->m_paused, 1) << "resume does not end the pause by itself";
    expectPausedUntilThePanelHasLeft();
    EXPECT_EQ(app->m_levelDone, 0);
}

TEST_F(PauseMenu, BackResumesTheLevel) {
    openPause();
    press(kKeyEscape);
    EXPECT_EQ(app->m_pauseOpen, -1);
    expectPausedUntilThePanelHasLeft();
    frame(5);
    EXPECT_EQ(app->m_paused, 0) << "a held back does not pause again";
}

TEST_F(PauseMenu, QuitEndsTheLevelAtOnceAndHidesThePanel) {
    openPause();
    quitByKeys();
    EXPECT_EQ(app->m_levelDone, 1);
    EXPECT_EQ(app->m_paused, 0);
    EXPECT_EQ(app->m_pauseY, -64);
    frame();
    EXPECT_FALSE(panelShown());
    EXPECT_EQ(app->m_pauseY, -64);
}

// While the results show, a quit level's ball stays where it was left, so the
// panel and the saved record keep the score and rings of the moment of quitting.
TEST_F(PauseMenu, QuitLevelKeepsItsBallScoreAndRingsWhileTheResultsShow) {
    tapKey(kKeyZ);
    frame(30);  // blocks broken already, rings and more blocks below the ball
    openPause();
    quitByKeys();
    const int score = app->m_score;
    const float rings = ball(kRingsCollected), x = ball(kBallX), y = ball(kBallY);
    const int saves = host.saves;
    bool ballStayed = true;
    for (int update = 0; update < 100 && app->m_mode == kModePlaying; ++update) {
        frame();
        ballStayed = ballStayed && ball(kBallX) == x && ball(kBallY) == y;
    }
    ASSERT_EQ(app->m_mode, kModeReturnToMenu);
    EXPECT_TRUE(ballStayed);
    EXPECT_EQ(app->m_score, score);
    EXPECT_EQ(ball(kRingsCollected), rings);
    EXPECT_TRUE(showsText("Rings" + std::to_string(static_cast<int>(rings)) + "/10"));
    frame();
    EXPECT_EQ(host.saves, saves + 1);
    EXPECT_EQ(app->m_scores[0], score) << "the level's best score";
    EXPECT_EQ(app->m_scores[300], rings) << "the level's best rings";
}

TEST_F(PauseMenu, DirectionsMoveTheHighlightOnlyBetweenNeighbours) {
    openPause();
    struct Move {
        int key;
        int selection;
    };
    const Move moves[] = {{kKeyRight, 1}, {kKeyRight, 1}, {kKeyDown, 0}, {kKeyUp, -1},
                          {kKeyLeft, -1}, {kKeyDown, 0}, {kKeyLeft, -1}, {kKeyRight, 0}};
    for (const Move& move : moves) {
        press(move.key);
        frame();
        EXPECT_EQ(app->m_pauseSel, move.selection) << "after key " << move.key;
    }
    EXPECT_EQ(app->m_paused, 1);
    EXPECT_EQ(app->m_pauseOpen, 1);
}

TEST_F(PauseMenu, SelectOnTheCogOpensTheOptionsAtTheRowLeftBefore) {
    app->m_optCursor = 2;
    openPause();
    press(kKeyRight);
    frame();
    press(kKeyEnter);
    EXPECT_EQ(app->m_optionsOpen, 1);
    frame(35);
    EXPECT_EQ(app->m_optCursor, 2);
    EXPECT_EQ(app->m_paused, 1) << "the level stays paused under the box";
    EXPECT_EQ(app->m_pauseOpen, 1);
}

TEST_F(PauseMenu, PointerResumesAndOpensTheOptionsInLandscape) {
    openPause();
    ASSERT_EQ(app->m_landscape, 1);
    tap(320 + 140, kPanelCentreY - 64);
    EXPECT_EQ(app->m_optionsOpen, 1);
    app->m_optionsOpen = 0;
    frame(35);

    tap(320, kPanelCentreY);
    EXPECT_EQ(app->m_pauseOpen, -1);
    expectPausedUntilThePanelHasLeft();
}

TEST_F(PauseMenu, PortraitScreenStacksThePanelAndPlacesQuitAboveIt) {
    openPause();
    resize(480, 640);
    finishLoading();
    frame(10);  // the panel follows the new, taller middle
    ASSERT_EQ(app->m_landscape, 0);
    const float middleX = nx_ZuDizaz_jscrw / 2;
    const float y = static_cast<float>(app->m_pauseY);
    ASSERT_GE(y, nx_ZuDizaz_jscrh / 2);
    bool tallPanel = false;
    for (const DrawRecord& record : drawRecords(*app))
        if (record.kind == kRectKind && hasColour(record, 255, 150, 10))
            tallPanel = record.x == middleX - 128 && record.y == y - 80 && record.w == 256 && record.h == 160;
    EXPECT_TRUE(tallPanel);

    tap(std::trunc(middleX - 96), y - 96);
    EXPECT_EQ(app->m_levelDone, 1);
    EXPECT_EQ(app->m_paused, 0);
}

}  // namespace
