// Level generation: height, the top rows, repeatability whatever ran before,
// the rings' distance from the top, the whole tower after the simulated
// fling, and pinned values of level 1.
#include <vector>

#include "framework/random_math.h"
#include "tests/unit/game/play_fixture.h"

namespace {

using namespace play_test;

class TowerGeneration : public PlayFixture {
protected:
    // Everything a build decides: cell kinds, colours, tile frame, rings.
    std::vector<float> build(int level) {
        app->p_BuildTower(level * 7);
        std::vector<float> decided{float(app->m_bgR), float(app->m_bgG), float(app->m_bgB), float(app->m_tileFrame)};
        for (int i = 0; i < app->m_tower.Length(); i += kCellInts) decided.push_back(app->m_tower[i]);
        for (int entry = RingX(0); entry <= RingFlag(kRingCount - 1); ++entry) decided.push_back(ball(entry));
        return decided;
    }
};

TEST_F(TowerGeneration, HeightFollowsTheLevelNumber) {
    for (auto [level, rows] : {std::pair{10, 120}, {5, 72}, {2, 48}, {20, 120}, {15, 72}}) {
        app->p_BuildTower(level * 7);
        EXPECT_EQ(app->m_towerRows, rows) << "level " << level;
    }
}

// Walls cannot change before row 11 and ledges start there.
TEST_F(TowerGeneration, RowsZeroToTenHoldOnlyTheThreeCellWalls) {
    for (int level = 1; level <= 100; ++level) {
        app->p_BuildTower(level * 7);
        for (int row = 0; row <= 10; ++row)
            for (int column = 0; column < kTowerColumns; ++column)
                EXPECT_EQ(cell(column, row) != kCellEmpty, column <= 2 || column >= 13)
                    << "level " << level << " row " << row << " column " << column;
    }
}

TEST_F(TowerGeneration, SameLevelIsBuiltTheSameWhateverRanBefore) {
    const std::vector<float> first = build(3);
    nx_random_Seed = 42;
    build(57);
    startLevel(12);
    placeBall(7 * kCell, 0, 4, 0);
    frame(120);
    EXPECT_EQ(build(3), first);
    EXPECT_NE(build(4), first);
}

TEST_F(TowerGeneration, OnlyTheFirstRingMayHangWithin150PixelsOfTheTop) {
    for (int level = 1; level <= 100; ++level) {
        app->p_BuildTower(level * 7);
        for (int ring = 1; ring < kRingCount; ++ring)
            EXPECT_GE(ball(RingY(ring)), 150.0f) << "level " << level << " ring " << ring;
    }
}

// The simulation steps the real grid, breaking blocks without sound,
// shards or points; the player must still find the tower whole.
TEST_F(TowerGeneration, TowerIsWholeAndSilentAfterTheSimulatedFling) {
    finishLoading();
    const int breaks = plays(kSoundBreak), score = app->m_score;
    for (int level : {1, 5, 10}) {
        app->p_MakeTower(level * 7);
        std::vector<int> made(app->m_tower.begin(), app->m_tower.end());
        app->p_BuildTower(level * 7);
        EXPECT_EQ(std::vector<int>(app->m_tower.begin(), app->m_tower.end()), made) << "level " << level;
        placeBall(7 * kCell, 0, 4, 0, 0);
        for (int step = 0; step < kPathSteps; ++step) app->p_MoveBall();
        EXPECT_NE(std::vector<int>(app->m_tower.begin(), app->m_tower.end()), made) << "a fling breaks blocks";
    }
    EXPECT_EQ(plays(kSoundBreak), breaks);
    EXPECT_EQ(app->m_score, score);
    EXPECT_EQ(particlesOfKind(kShardKind) + particlesOfKind(kScoreNumberKind), 0);
}

// Computed by this generator and matched, for all 100 levels, against an
// independent re-implementation of the rules; a change here changes every
// player's level 1.
TEST_F(TowerGeneration, LevelOneIsPinned) {
    app->p_BuildTower(1 * 7);
    EXPECT_EQ(app->m_bgR, 40);
    EXPECT_EQ(app->m_bgG, 0);
    EXPECT_EQ(app->m_bgB, 60);
    EXPECT_EQ(app->m_tileFrame, 53);
    EXPECT_EQ(ball(RingX(0)), 392.0f);
    EXPECT_EQ(ball(RingY(0)), 932.5f);
    EXPECT_EQ(ball(RingY(9)), 1035.75f);
    EXPECT_EQ(app->m_ringTries, 110);
}

}  // namespace
