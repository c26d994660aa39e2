// A level in play: a whole level from the first press back to the menu,
// the ball against blocks and walls, flinging, the score display, the end
// below the tower and the results; and the towers the levels are built on.
#include <algorithm>
#include <cmath>

#include "tests/unit/game/game_fixture.h"

namespace {

class Play : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        startLevel(1);
    }
    int cells(int kind) { return static_cast<int>(std::count(app->m_tower.begin(), app->m_tower.end(), kind)); }
};

// Every award is a break sound (5 points, 25 for the first award of a bonus
// block) or a ring (10 times its number, with the jingle of its number); the
// score is exactly their sum.
TEST_F(Play, LevelRunsFromTheFirstPressToTheResultsAndBackToTheMenu) {
    const int bonusAtStart = cells(kCellBonus), breaks = plays(kSoundBreak), moves = plays(kSoundStartColumn);
    for (int press = 0; press < 4; ++press) tapKey(kKeyLeft);
    tapKey(kKeyRight, 30);
    EXPECT_EQ(std::pair(ball(kBallX), plays(kSoundStartColumn) - moves), std::pair(5 * kCell, 5))
        << "the column stops at 4, and a held button moves it once";
    app->m_score = 600, frame(2);
    EXPECT_EQ(app->m_shownScore, 183) << "the shown score eases by sixths: 100, then 100 + 500 / 6";
    tapKey(kKeyF2);
    EXPECT_FALSE(shows("00000")) << "F2 hides it";
    app->m_score = 0;
    tapKey('Z');
    EXPECT_EQ(std::pair(ball(kBallFlying), ball(kBallVelocityX)), std::pair(1.0f, -4.0f));
    for (int update = 0; update < 20000 && app->m_levelDone == 0; ++update) frame();
    const int awards = plays(kSoundBreak) - breaks, bonusBroken = bonusAtStart - cells(kCellBonus);
    const int rings = static_cast<int>(ball(kRingsCollected)), score = app->m_score;
    EXPECT_EQ(score, 25 * bonusBroken + 5 * (awards - bonusBroken) + 5 * rings * (rings + 1));
    EXPECT_EQ(std::tuple(score, rings, bonusBroken, plays(kSoundJingleBase + 1), plays(kSoundJingleBase + 6), plays(kSoundJingleBase + 7)),
              std::tuple(400, 6, 2, 1, 1, 0)) << "this level, flung so, always ends so";
    frame(88);
    EXPECT_EQ(std::tuple(app->m_mode, app->m_shownScore, shows("Rings6/10")), std::tuple(kModePlaying, score, true))
        << "the results show for 90 updates";
    frame(2);
    EXPECT_EQ(std::tuple(app->m_mode, host.saves, app->m_menuSel), std::tuple(kModeMenu, 1, 2)) << "saved, and level 2 open";
    EXPECT_EQ(std::pair(app->m_scores[ScoreIndex(0, 0)], app->m_scores[RingIndex(0, 0)]), std::pair(score, rings));
    frame(36);  // the results fade out 2 a step from 73, drawn while at least 1
    EXPECT_EQ(std::tuple(app->m_endTimer, shows("Level"), host.saves), std::tuple(0, false, 1));
}

// A phone held upright shows the tower wall to wall, both walls (sprite
// frames 16 to 31) whole.
TEST_F(Play, APortraitScreenShowsBothWalls) {
    resize(390, 844), finishLoading(), frame(60);
    float left = 1e9f, right = -1e9f;
    for (const DrawRecord& r : records())
        if (r.kind == kImageSprites && r.frame >= 16 && r.frame < 32) left = std::min(left, r.x), right = std::max(right, r.x);
    EXPECT_EQ(std::tuple(std::lround(left), std::lround(right), std::lround(nx_ZuDizaz_jscrw)), std::tuple(16, 496, 512));
}

// The three tests (landing, rising, side) all see the ball as it was before
// any of them, so a corner hit bounces, reverses and scores the block twice.
TEST_F(Play, BlocksBounceTheBallAndBreakButWallsAndRowsBelowTheTowerDoNot) {
    struct Case { int column, row, kind; float x, y, velocityX, velocityY, nextX, nextY; int score, breaks, bounces; };
    const Case cases[] = {
        {7, 0, kCellEmpty, 200, 100, 0, 0, 0, 0.25f, 0, 0, 0},      // falling faster by a quarter
        {7, 0, kCellEmpty, 200, 100, 0, 8, 0, 8, 0, 0, 0},          // up to 8
        {5, 10, kCellBonus, 136, 296, 4, 4, -4, -6, 25 + 5, 2, 1},  // a corner: the second award finds it empty
        {6, 5, kCellBlock, 192, 200, 0, -5, 0, 3, 5, 1, 0},         // rising: knocked down
        {kLeftWallColumn, 10, kCellBlock, 36, 320, -4, 0, 4, 0.25f, 0, 0, 0},
        {kRightWallColumn, 10, kCellBlock, 444, 320, 4, 0, -4, 0.25f, 0, 0, 0},
        {kLeftWallColumn, 9, kCellBlock, 8, 250, 0, 4, 0, -6, 0, 0, 1},
        {7, 49, kCellBlock, 224, 49 * kCell - 20, 0, 4, 0, 4.25f, 0, 0, 0},  // level 1 has 48 rows
    };
    ball(kBallFlying) = 1;
    for (const Case& c : cases) {
        std::fill(app->m_tower.begin(), app->m_tower.end(), kCellEmpty);
        std::fill(app->m_particles.begin(), app->m_particles.end(), 0.0f);
        int& cell = app->m_tower[CellIndex(c.column, c.row)];
        cell = c.kind, app->m_score = 0;
        const int breaks = plays(kSoundBreak), bounces = plays(kSoundFlingAndBounce);
        ball(kBallX) = c.x, ball(kBallY) = c.y, ball(kBallVelocityX) = c.velocityX, ball(kBallVelocityY) = c.velocityY;
        app->p_MoveBall();
        EXPECT_EQ(std::tuple(ball(kBallVelocityX), ball(kBallVelocityY), app->m_score, cell, app->p_FreeParticle(),
                             plays(kSoundBreak) - breaks, plays(kSoundFlingAndBounce) - bounces),
                  std::tuple(c.nextX, c.nextY, c.score, c.breaks ? kCellEmpty : c.kind, app->m_particleMax - 8 * c.breaks,
                             c.breaks, c.bounces))
            << "block " << c.column << ", " << c.row << ": 7 shards and a number for each break";
    }
}

// A pad's level flings left with X, the keyboard's with A; the pointer's
// boxes at the top corners work even through the pause, and the ball waits.
// Buttons fling neither in the pause nor after the level's end.
TEST_F(Play, FlingsGoLeftOrRightByButtonOrPointerBox) {
    for (auto [scheme, key, x, paused, done, velocity] :
         {std::tuple{kSchemeKeyboard, int{'X'}, 0, 0, 0, 4.0f}, {kSchemePad, 'C' /* pad button X */, 0, 0, 0, -4.0f}, {kSchemePad, 'Z', 0, 0, 0, 0.0f},
          {kSchemeKeyboard, 'X', 0, 1, 0, 0.0f}, {kSchemeKeyboard, 'X', 0, 0, 1, 0.0f}, {kSchemePointer, 0, 48, 1, 0, -4.0f},
          {kSchemePointer, 0, 640 - 48, 0, 0, 4.0f}}) {
        startLevel(1, scheme);
        app->m_paused = app->m_pauseOpen = paused, app->m_levelDone = done;
        key ? tapKey(key) : tap(x, 64);
        EXPECT_EQ(std::tuple(ball(kBallFlying), ball(kBallVelocityX), ball(kBallVelocityY) != 0),
                  std::tuple(velocity != 0 ? 1.0f : 0.0f, velocity != 0 ? velocity : 4.0f, velocity != 0 && !paused))
            << "scheme " << scheme << " key " << key << " x " << x << " paused " << paused << " ended " << done;
    }
}

TEST_F(Play, LevelEndsOnlyMoreThan128BelowTheLastRowWithTheVerdictByRings) {
    ball(kBallFlying) = 1, ball(kBallY) = app->m_towerRows * kCell + 127.75f, ball(kBallVelocityY) = 0;
    frame(2);  // 127.75, then exactly 128 below
    EXPECT_EQ(app->m_levelDone, 0);
    frame(2);
    EXPECT_EQ(app->m_levelDone, 1);
    for (auto [rings, verdict] : {std::pair{10, "Perfect!"}, {9, "Complete"}, {5, "Complete"}, {4, "Missed"}}) {
        ball(kRingsCollected) = static_cast<float>(rings);
        app->m_endTimer = 10, frame();
        EXPECT_EQ(std::pair(shows(verdict), shows("Perfect!") + shows("Complete") + shows("Missed")), std::pair(true, 1)) << rings;
    }
    frame(81);
    EXPECT_EQ(std::pair(app->m_mode, app->m_listScrollTarget), std::pair(kModeMenu, 0.0f)) << "4 rings open no level to slide to";
}

// Levels are the same on every run, whatever ran before: a change here
// changes every player's levels.
TEST_F(Play, TowersArePinned) {
    for (auto [level, rows, r, g, b, tile, ringX, ringY, lastRingY, blocks, bonus] :
         {std::tuple{1, 48, 40, 0, 60, 53, 392.0f, 932.5f, 1035.75f, 684, 42}, {5, 72, 20, 80, 60, 7, 288.0f, 391.75f, 1718.0f, 626, 22},
          {10, 120, 80, 20, 20, 14, 372.0f, 3750.5f, 180.0f, 618, 37}, {57, 48, 0, 80, 80, 54, 232.0f, 402.0f, 853.25f, 726, 45}}) {
        startLevel(level);
        EXPECT_EQ(std::tuple(app->m_towerRows, app->m_bgR, app->m_bgG, app->m_bgB, app->m_tileFrame), std::tuple(rows, r, g, b, tile))
            << "level " << level;
        EXPECT_EQ(std::tuple(ball(RingX(0)), ball(RingY(0)), ball(RingY(9)), cells(kCellBlock), cells(kCellBonus), ball(RingFlag(9))),
                  std::tuple(ringX, ringY, lastRingY, blocks, bonus, 1.0f)) << "level " << level;
        ball(kBallFlying) = 1;
        frame(100);
    }
}

}  // namespace
