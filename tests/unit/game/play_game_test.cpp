// A level in play: a whole level from the first press back to the menu,
// the ball against blocks and walls, flinging, rings, the end below the
// tower and the results; and the towers the levels are built on.
#include <algorithm>

#include "framework/random_math.h"
#include "tests/unit/game/game_fixture.h"

namespace {

class Play : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        startLevel(1);
    }
    int& cell(int column, int row) { return app->m_tower[CellIndex(column, row)]; }
    int cells(int kind) { return static_cast<int>(std::count(app->m_tower.begin(), app->m_tower.end(), kind)); }
    std::vector<int> grid() { return {app->m_tower.begin(), app->m_tower.end()}; }
};

// Every award is a break sound (5 points, 25 for the first award of a bonus
// block) or a ring (10 times its number); the score is exactly their sum.
TEST_F(Play, LevelRunsFromTheFirstPressToTheResultsAndBackToTheMenu) {
    const int bonusAtStart = cells(kCellBonus), breaks = plays(kSoundBreak), moves = plays(kSoundStartColumn);
    for (int press = 0; press < 4; ++press) tapKey(kKeyLeft);
    tapKey(kKeyRight, 30);
    EXPECT_EQ(std::pair(ball(kBallX), plays(kSoundStartColumn) - moves), std::pair(5 * kCell, 5))
        << "the column stops at 4, and a held button moves it once";
    tapKey(kKeyZ);
    EXPECT_EQ(std::pair(ball(kBallFlying), ball(kBallVelocityX)), std::pair(1.0f, -4.0f));
    tapKey(kKeyF2);
    EXPECT_FALSE(shows("00000")) << "F2 hides the score";
    tapKey(kKeyF2);
    for (int update = 0; update < 20000 && app->m_levelDone == 0; ++update) frame();
    const int awards = plays(kSoundBreak) - breaks, bonusBroken = bonusAtStart - cells(kCellBonus);
    const int rings = static_cast<int>(ball(kRingsCollected)), score = app->m_score;
    EXPECT_EQ(score, 25 * bonusBroken + 5 * (awards - bonusBroken) + 5 * rings * (rings + 1));
    EXPECT_EQ(std::tuple(score, rings, bonusBroken), std::tuple(400, 6, 2)) << "this level, flung so, always ends so";
    frame(88);
    EXPECT_TRUE(shows("Rings" + std::to_string(rings) + "/10"));
    EXPECT_EQ(std::pair(app->m_mode, app->m_shownScore), std::pair(kModePlaying, score)) << "the results show 90 updates";
    frame();
    EXPECT_EQ(app->m_mode, kModeReturnToMenu);
    frame();
    EXPECT_EQ(std::tuple(app->m_mode, host.saves, app->m_menuSel), std::tuple(kModeMenu, 1, rings > 4 ? 2 : 1));
    EXPECT_EQ(std::pair(app->m_scores[ScoreIndex(0, 0)], app->m_scores[RingIndex(0, 0)]), std::pair(score, rings));
    frame(35);  // the results fade out 2 a step from 73, drawn while at least 1
    EXPECT_TRUE(shows("Level"));
    frame();
    EXPECT_EQ(std::tuple(app->m_endTimer, shows("Level"), host.saves), std::tuple(0, false, 1));
}

// The three tests (landing, rising, side) all see the ball as it was before
// any of them, so a corner hit bounces, reverses and scores the block twice.
TEST_F(Play, BlocksBounceTheBallAndBreakButWallsAndRowsBelowTheTowerDoNot) {
    struct Case {
        int column, row, kind;
        float x, y, velocityX, velocityY, nextX, nextY;
        int score, breaks, bounces;
    } const cases[] = {
        {7, 0, kCellEmpty, 200, 100, 0, 0, 0, 0.25f, 0, 0, 0},        // falling faster by a quarter
        {7, 0, kCellEmpty, 200, 100, 0, 8, 0, 8, 0, 0, 0},            // up to 8
        {5, 10, kCellBonus, 136, 296, 4, 4, -4, -6, 25 + 5, 2, 1},    // a corner: the second award finds it empty
        {6, 5, kCellBlock, 192, 200, 0, -5, 0, 3, 5, 1, 0},           // rising: knocked down
        {kLeftWallColumn, 10, kCellBlock, 36, 320, -4, 0, 4, 0.25f, 0, 0, 0},
        {kRightWallColumn, 10, kCellBlock, 444, 320, 4, 0, -4, 0.25f, 0, 0, 0},
        {kLeftWallColumn, 9, kCellBlock, 8, 250, 0, 4, 0, -6, 0, 0, 1},
        {7, 49, kCellBlock, 224, 49 * kCell - 20, 0, 4, 0, 4.25f, 0, 0, 0},  // level 1 has 48 rows
    };
    for (const Case& c : cases) {
        std::fill(app->m_tower.begin(), app->m_tower.end(), kCellEmpty);
        std::fill(app->m_particles.begin(), app->m_particles.end(), 0.0f);
        cell(c.column, c.row) = c.kind;
        app->m_score = 0;
        const int breaks = plays(kSoundBreak), bounces = plays(kSoundFlingAndBounce);
        ball(kBallX) = c.x, ball(kBallY) = c.y, ball(kBallVelocityX) = c.velocityX, ball(kBallVelocityY) = c.velocityY;
        ball(kBallFlying) = 1;
        app->p_MoveBall();
        int shards = 0;
        for (int slot = 0; slot <= app->m_particleMax; ++slot) shards += app->m_particles[slot * 10] == 2;
        EXPECT_EQ(std::tuple(ball(kBallVelocityX), ball(kBallVelocityY), app->m_score, cell(c.column, c.row), shards,
                             plays(kSoundBreak) - breaks, plays(kSoundFlingAndBounce) - bounces),
                  std::tuple(c.nextX, c.nextY, c.score, c.breaks ? kCellEmpty : c.kind, 7 * c.breaks, c.breaks, c.bounces))
            << "block " << c.column << ", " << c.row;
    }
}

// A pad's level flings left with X, the keyboard's with A; the pointer's
// boxes at the top corners work even through the pause, and the ball waits.
TEST_F(Play, FlingsGoLeftOrRightByButtonOrPointerBox) {
    constexpr int kKeyC = 67;  // pad button X's key
    for (auto [scheme, key, x, paused, velocity] :
         {std::tuple{kSchemeKeyboard, kKeyX, 0, 0, 4.0f}, {kSchemePad, kKeyC, 0, 0, -4.0f}, {kSchemePad, kKeyZ, 0, 0, 0.0f},
          {kSchemeKeyboard, kKeyX, 0, 1, 0.0f}, {kSchemePointer, 0, 48, 1, -4.0f}, {kSchemePointer, 0, 640 - 48, 0, 4.0f}}) {
        startLevel(1, scheme);
        app->m_paused = app->m_pauseOpen = paused;
        if (key) tapKey(key);
        if (x) tap(x, 64);
        EXPECT_EQ(std::pair(ball(kBallFlying), ball(kBallVelocityX)), std::pair(velocity != 0 ? 1.0f : 0.0f, velocity != 0 ? velocity : 4.0f))
            << "scheme " << scheme << " key " << key << " x " << x << " paused " << paused;
        EXPECT_EQ(ball(kBallVelocityY) != 0, velocity != 0 && !paused) << "the ball moves once flung and in play";
    }
    startLevel(1);
    app->m_levelDone = 1;
    tapKey(kKeyX);
    EXPECT_EQ(ball(kBallFlying), 0.0f) << "nor after the level ended";
}

TEST_F(Play, RingsPayTenTimesTheirNumberWithClimbingJinglesAndEachOnlyOnce) {
    for (int ring = 0; ring < kRingCount; ++ring) {
        const int score = app->m_score, jingle = plays(kSoundJingleBase + ring + 1);
        for (int other = 0; other < kRingCount; ++other) ball(RingY(other)) = 100000;
        ball(RingX(ring)) = ball(kBallX), ball(RingY(ring)) = ball(kBallY);
        frame(2);
        EXPECT_EQ(std::pair(app->m_score - score, plays(kSoundJingleBase + ring + 1) - jingle), std::pair(10 * (ring + 1), 1));
    }
    EXPECT_EQ(ball(kRingsCollected), 10.0f);
}

TEST_F(Play, PauseButtonFreezesTheBallAndTheScoreEasesBySixths) {
    ball(kBallFlying) = 1, ball(kBallY) = 100;
    press(16, 16);
    frame();
    const float height = ball(kBallY);
    app->m_score = 600;
    frame(2);
    EXPECT_EQ(std::tuple(app->m_paused, ball(kBallY), app->m_shownScore), std::tuple(1, height, 183))
        << "100, then 100 + 500 / 6 truncated";
    frame(40);
    EXPECT_TRUE(shows("00000600")) << "snapped once close";
}

TEST_F(Play, LevelEndsOnlyMoreThan128PixelsBelowTheLastRowWithTheVerdictByRings) {
    ball(kBallFlying) = 1, ball(kBallY) = app->m_towerRows * kCell + 127.75f;
    frame(2);  // 127.75, then exactly 128 below
    EXPECT_EQ(app->m_levelDone, 0);
    frame(2);
    EXPECT_EQ(app->m_levelDone, 1);
    for (auto [rings, verdict] : {std::pair{10, "Perfect!"}, {9, "Complete"}, {5, "Complete"}, {4, "Missed"}}) {
        ball(kRingsCollected) = static_cast<float>(rings);
        app->m_endTimer = 10;
        frame();
        EXPECT_TRUE(shows(verdict)) << rings << " rings";
        EXPECT_EQ(shows("Perfect!") + shows("Complete") + shows("Missed"), 1);
    }
}

using Tower = Play;

// Walls cannot change before row 11 and ledges start there; only the first ring may hang within 150 of the top.
TEST_F(Tower, HeightFollowsTheLevelAndTheTopHoldsOnlyWalls) {
    for (int level = 1; level <= 100; ++level) {
        app->p_BuildTower(level * 7);
        EXPECT_EQ(app->m_towerRows, level % 10 == 0 ? 120 : level % 5 == 0 ? 72 : 48) << "level " << level;
        for (int row = 0; row <= 10; ++row)
            for (int column = 0; column < kTowerColumns; ++column)
                ASSERT_EQ(cell(column, row) != kCellEmpty, column <= 2 || column >= 13) << level << ": " << column << ", " << row;
        for (int ring = 1; ring < kRingCount; ++ring) ASSERT_GE(ball(RingY(ring)), 150.0f) << "level " << level;
    }
}

// A change here changes every player's levels.
TEST_F(Tower, LevelsArePinned) {
    for (auto [level, r, g, b, tile, ringX, ringY, blocks, bonus] :
         {std::tuple{1, 40, 0, 60, 53, 392.0f, 932.5f, 684, 42}, {5, 20, 80, 60, 7, 288.0f, 391.75f, 626, 22},
          {10, 80, 20, 20, 14, 372.0f, 3750.5f, 618, 37}, {57, 0, 80, 80, 54, 232.0f, 402.0f, 726, 45}}) {
        app->p_BuildTower(level * 7);
        EXPECT_EQ(std::tuple(app->m_bgR, app->m_bgG, app->m_bgB, app->m_tileFrame, ball(RingX(0)), ball(RingY(0))),
                  std::tuple(r, g, b, tile, ringX, ringY)) << "level " << level;
        EXPECT_EQ(std::tuple(cells(kCellBlock), cells(kCellBonus), ball(RingFlag(0)), ball(RingFlag(9))),
                  std::tuple(blocks, bonus, 1.0f, 1.0f)) << "level " << level;
    }
}

// The simulated fling breaks blocks of the real grid without sound, shards
// or points, and the tower is then made again; a level is built the same
// whatever ran before.
TEST_F(Tower, BuildIsWholeSilentAndTheSameWhateverRanBefore) {
    const int breaks = plays(kSoundBreak);
    app->p_BuildTower(3 * 7);
    const std::vector<int> first = grid();
    app->p_MakeTower(3 * 7);
    EXPECT_EQ(grid(), first);
    ball(kBallX) = 7 * kCell, ball(kBallY) = 0, ball(kBallVelocityX) = 4, ball(kBallFlying) = 0;
    for (int step = 0; step < kPathSteps; ++step) app->p_MoveBall();
    EXPECT_NE(grid(), first) << "a fling breaks blocks";
    EXPECT_EQ(std::tuple(plays(kSoundBreak), app->m_score, app->p_FreeParticle()), std::tuple(breaks, 0, app->m_particleMax));
    nx_random_Seed = 42;
    startLevel(12);
    ball(kBallFlying) = 1;
    frame(120);
    app->p_BuildTower(3 * 7);
    EXPECT_EQ(grid(), first);
}

}  // namespace
