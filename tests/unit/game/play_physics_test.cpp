// The ball in a running level: gravity, the collision tests and the break
// rule, aiming with the start column, flinging, and collecting rings.
#include "tests/unit/game/play_fixture.h"

namespace {

using namespace play_test;

// Level 1 with an empty grid, so each test lays out the blocks it needs.
class BallPhysics : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        startLevel(1);
        clearTower();
        moveRingsAway();
    }
};

TEST_F(BallPhysics, FallSpeedGrowsByAQuarterUpToEight) {
    placeBall(200, 100, 0, 0);
    app->p_MoveBall();
    EXPECT_EQ(ball(kBallVelocityY), 0.25f);
    for (int step = 0; step < 100; ++step) app->p_MoveBall();
    EXPECT_EQ(ball(kBallVelocityY), 8.0f);
}

TEST_F(BallPhysics, CornerHitBouncesUpReversesAndScoresTheBlockTwice) {
    cell(5, 10) = kCellBonus;
    placeBall(136, 296, 4, 4);  // moves to (140, 300): landing and side tests both pass
    const int bounces = plays(kSoundFlingAndBounce), breaks = plays(kSoundBreak);
    app->p_MoveBall();
    EXPECT_EQ(ball(kBallVelocityY), -6.0f);
    EXPECT_EQ(ball(kBallVelocityX), -4.0f);
    EXPECT_EQ(cell(5, 10), kCellEmpty);
    EXPECT_EQ(app->m_score, 25 + 5) << "the second award finds the cell already empty";
    EXPECT_EQ(particlesOfKind(kShardKind), 2 * 7);
    EXPECT_EQ(plays(kSoundFlingAndBounce), bounces + 1);
    EXPECT_EQ(plays(kSoundBreak), breaks + 2);
}

TEST_F(BallPhysics, RisingBallIsKnockedDownAndBreaksTheBlockAbove) {
    cell(6, 5) = kCellBlock;
    placeBall(192, 200, 0, -5);
    app->p_MoveBall();
    EXPECT_EQ(ball(kBallVelocityY), 3.0f);
    EXPECT_EQ(cell(6, 5), kCellEmpty);
    EXPECT_EQ(app->m_score, 5);
}

TEST_F(BallPhysics, WallColumnsBounceButNeverBreakOrScore) {
    cell(kLeftWallColumn, 10) = cell(kRightWallColumn, 10) = cell(kLeftWallColumn, 9) = kCellBlock;
    placeBall(36, 320, -4, 0);
    app->p_MoveBall();
    EXPECT_EQ(ball(kBallVelocityX), 4.0f);
    placeBall(444, 320, 4, 0);
    app->p_MoveBall();
    EXPECT_EQ(ball(kBallVelocityX), -4.0f);
    placeBall(8, 250, 0, 4);
    app->p_MoveBall();
    EXPECT_EQ(ball(kBallVelocityY), -6.0f);
    EXPECT_EQ(cell(kLeftWallColumn, 10) + cell(kRightWallColumn, 10) + cell(kLeftWallColumn, 9), 3 * kCellBlock);
    EXPECT_EQ(app->m_score, 0);
}

TEST_F(BallPhysics, BlocksBelowTheLastRowAreIgnored) {
    cell(7, app->m_towerRows + 1) = kCellBlock;
    placeBall(224, (app->m_towerRows + 1) * kCell - 20, 0, 4);
    app->p_MoveBall();
    EXPECT_EQ(ball(kBallVelocityY), 4.25f);
}

class Aiming : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        startLevel(1);
    }
};

TEST_F(Aiming, StartColumnStopsAtFourAndEleven) {
    for (int press = 0; press < 5; ++press) tapKey(kKeyLeft);
    EXPECT_EQ(ball(kBallX), 4 * kCell);
    for (int press = 0; press < 9; ++press) tapKey(kKeyRight);
    EXPECT_EQ(ball(kBallX), 11 * kCell);
}

TEST_F(Aiming, HeldButtonMovesTheColumnOnce) {
    const int moves = plays(kSoundStartColumn);
    keyDown(kKeyRight);
    frame(30);
    keyUp(kKeyRight);
    frame();
    EXPECT_EQ(ball(kBallStartColumn), 8.0f);
    EXPECT_EQ(plays(kSoundStartColumn), moves + 1);
}

TEST_F(Aiming, ButtonFlingIsIgnoredWhilePausedOrAfterTheLevelEnds) {
    app->m_paused = app->m_pauseOpen = 1;
    tapKey(kKeyX);
    EXPECT_EQ(ball(kBallFlying), 0.0f);
    app->m_paused = 0;
    app->m_levelDone = 1;
    tapKey(kKeyX);
    EXPECT_EQ(ball(kBallFlying), 0.0f);
    app->m_levelDone = 0;
    frame();  // the results panel held the key latch
    tapKey(kKeyX);
    EXPECT_EQ(ball(kBallVelocityX), 4.0f);
    EXPECT_EQ(ball(kBallFlying), 1.0f);
}

// The pointer's fling box works through the pause; the ball waits for play.
TEST_F(Aiming, PointerFlingWhilePausedMovesTheBallOnlyAfterTheResume) {
    app->m_ctrlScheme = 2;
    app->m_paused = app->m_pauseOpen = 1;
    mouseDown(48 * app->m_scaleX, 64 * app->m_scaleY);
    frame(3);
    EXPECT_EQ(ball(kBallVelocityX), -4.0f);
    EXPECT_EQ(ball(kBallY), 0.0f);
}

TEST_F(Aiming, RingsPayTenTimesTheirOrderWithClimbingJingles) {
    moveRingsAway();
    for (int ring = 0; ring < kRingCount; ++ring) {
        const int score = app->m_score, jingle = plays(10 + ring + 1);
        ball(RingX(ring)) = ball(kBallX);
        ball(RingY(ring)) = ball(kBallY);
        frame(2);
        EXPECT_EQ(app->m_score - score, 10 * (ring + 1)) << "ring " << ring + 1;
        EXPECT_EQ(plays(10 + ring + 1), jingle + 1) << "ring " << ring + 1;
    }
    EXPECT_EQ(ball(kRingsCollected), 10.0f);
}

}  // namespace
