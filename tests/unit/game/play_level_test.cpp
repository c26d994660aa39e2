// A level's course: the score display, pausing, the end below the tower,
// the results panel and its timer, and a whole level played from the fling
// back to the menu.
#include "tests/unit/game/play_fixture.h"

namespace {

using namespace play_test;

class LevelCourse : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        startLevel(1);
    }
    int bonusBlocks() {
        int count = 0;
        for (int row = 0; row <= app->m_towerRows; ++row)
            for (int column = 0; column < kTowerColumns; ++column) count += cell(column, row) == kCellBonus;
        return count;
    }
};

TEST_F(LevelCourse, LevelEndsOnlyMoreThan128PixelsBelowTheLastRow) {
    placeBall(7 * kCell, app->m_towerRows * kCell + 127.75f, 0, 0);
    frame(2);  // 127.75, then exactly 128 below
    EXPECT_EQ(app->m_levelDone, 0);
    frame(2);
    EXPECT_EQ(app->m_levelDone, 1);
    EXPECT_TRUE(showsText("Level"));
}

TEST_F(LevelCourse, VerdictFollowsTheRingsCollected) {
    for (auto [rings, verdict] : {std::pair{10, "Perfect!"}, {5, "Complete"}, {4, "Missed"}}) {
        ball(kRingsCollected) = static_cast<float>(rings);
        app->m_levelDone = 1;
        app->m_endTimer = 10;
        frame();
        EXPECT_TRUE(showsText(verdict)) << rings << " rings";
        EXPECT_TRUE(showsText("Rings" + std::to_string(rings) + "/10"));
        EXPECT_EQ(showsText("Perfect!") + showsText("Complete") + showsText("Missed"), 1);
    }
}

// The timer restarts at 73 and the menu's fade call of the same update
// lowers it by 2 at once.
TEST_F(LevelCourse, ResultsReturnToTheMenuAtNinetyAndFadeOut) {
    app->m_levelDone = 1;
    frame(89);
    EXPECT_EQ(app->m_endTimer, 89);
    EXPECT_EQ(app->m_mode, kModePlaying);
    frame();
    EXPECT_EQ(app->m_mode, kModeReturnToMenu);
    EXPECT_EQ(app->m_endTimer, 73 - 2);
    frame(37);  // down by 2 per update; drawn while at least 1
    EXPECT_EQ(app->m_mode, kModeMenu);
    EXPECT_EQ(app->m_endTimer, 0);
    EXPECT_FALSE(showsText("Level"));
}

TEST_F(LevelCourse, ShownScoreEasesBySixthsAndSnapsWhenClose) {
    app->m_score = 600;
    frame(2);
    EXPECT_EQ(app->m_shownScore, 183) << "100, then 100 + 500 / 6 truncated";
    frame(40);
    EXPECT_TRUE(showsText("00000600"));
}

TEST_F(LevelCourse, PauseButtonPausesAndFreezesTheBall) {
    placeBall(7 * kCell, 100, 0, 2);
    mouseDown(16 * app->m_scaleX, 16 * app->m_scaleY);
    frame();
    EXPECT_EQ(app->m_paused, 1);
    const float height = ball(kBallY);
    frame(10);
    EXPECT_EQ(ball(kBallY), height);
}

// Every award is a break sound (5 points, 25 for the first award of a bonus
// block) or a ring; the score must be exactly their sum.
TEST_F(LevelCourse, WholeLevelScoresExactlyThePointsAwarded) {
    const int bonusAtStart = bonusBlocks(), breaks = plays(kSoundBreak);
    tapKey(kKeyZ);
    for (int update = 0; update < 20000 && app->m_mode == kModePlaying; ++update) frame();
    ASSERT_EQ(app->m_mode, kModeReturnToMenu);
    const int awards = plays(kSoundBreak) - breaks, bonusBroken = bonusAtStart - bonusBlocks();
    const int rings = static_cast<int>(ball(kRingsCollected));
    EXPECT_GT(awards, 0);
    EXPECT_EQ(app->m_score, 25 * bonusBroken + 5 * (awards - bonusBroken) + 5 * rings * (rings + 1));
    EXPECT_EQ(app->m_shownScore, app->m_score);
}

}  // namespace
