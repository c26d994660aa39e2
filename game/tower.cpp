// Tower generation: a level's grid from its seed, its background colour and
// tile frame, and ten rings hung on the path of a simulated fling. Relies on
// the shared random generator and on p_MoveBall (play.cpp) for the fling; the
// order of every draw is part of a level's identity, so a level is the same
// on every run and every machine.
#include <cmath>
#include <cstdlib>

#include "framework/random_math.h"
#include "game/my_app.h"
#include "game/play_record.h"

namespace {

constexpr int kDiscardedDraws = 21;  // every level's generator opens by skipping these
constexpr int kRowsDefault = 48;
constexpr int kRowsEveryFifth = 72;
constexpr int kRowsEveryTenth = 120;

constexpr float kStartWallWidth[3] = {2, 0, 2};  // left, middle, right
constexpr float kStartWallTimer = 12;
constexpr float kWallChangeOdds = 5;  // a due wall changes with chance 1 in 5
constexpr float kWallWidthChoices = 3;
constexpr float kWallTimerBase = 8;
constexpr float kWallTimerSpread = 8;
constexpr int kPillarColumn = 8;

constexpr int kLastPlainRow = 10;  // ledges start below this row
constexpr float kLedgeSpread = 12;
constexpr float kLedgeOffset = 6;
struct LedgeSpan {
    int firstColumn, lastColumn;
};
constexpr LedgeSpan kLedges[] = {{0, 5}, {10, 15}, {5, 10}};  // ledge values 1, 2, 3
constexpr float kBonusColumnSpread = 13.99f;

constexpr int kColourLevels = 4;
constexpr int kColourStep = 20;
constexpr int kTileFrames = 63;
constexpr float kSimStartColumnSpread = 7.99f;
constexpr float kSimStartColumnFirst = 4;

constexpr int kFirstRingStep = 30;
constexpr int kRingMinY = 150;           // rings keep clear of the top of the tower
constexpr int kRingWideGap = 128;        // vertical gap between rings, first 99 attempts
constexpr int kRingNarrowGap = 64;       // gap of attempts 100..199
constexpr int kWideGapAttempts = 99;     // attempts that keep the wide gap
constexpr int kNarrowGapAttempts = 199;  // attempts that keep the narrow gap

// The generator state a level starts from: its seed advanced by the discarded
// draws. Stepped through the shared generator itself so that there is one
// stepping rule; the shared state is left as it was.
uint32_t LevelStartState(int seed) {
    const uint32_t saved = nx_random_Seed;
    nx_random_Seed = static_cast<uint32_t>(seed);
    for (int i = 0; i < kDiscardedDraws; ++i) nx_random_Rnd();
    const uint32_t state = nx_random_Seed;
    nx_random_Seed = saved;
    return state;
}

int TowerRows(int seed) {
    if (seed % 10 == 0) return kRowsEveryTenth;
    if (seed % 5 == 0) return kRowsEveryFifth;
    return kRowsDefault;
}

// One row's step of a wall's timer; a wall that is due draws once per row
// until the 1-in-5 draw lets it change.
void StepWall(float& width, float& timer) {
    timer -= 1;
    if (timer >= 1) return;
    if (nx_random_Rnd() * kWallChangeOdds >= 1) return;
    width = std::floor(nx_random_Rnd() * kWallWidthChoices);
    timer = nx_random_Rnd() * kWallTimerSpread + kWallTimerBase;
}

void FillRowWalls(Array<int>& grid, int row, const float width[3]) {
    const float left = width[0], middle = width[1], right = width[2];
    for (int column = 0; column < kTowerColumns; ++column) {
        // Only a middle width of 2 makes a pillar, one cell wide.
        const bool solid = column == kLeftWallColumn || column == kRightWallColumn || column < left + 1 ||
                           column > kRightWallColumn - 1 - right || std::abs(column - kPillarColumn) < middle - 1;
        grid[CellIndex(column, row)] = solid ? kCellBlock : kCellEmpty;
    }
}

// Ledge values 1..3 each come with chance 1/12; trunc, not floor, so that
// the values just below zero also add nothing.
void AddLedge(Array<int>& grid, int row) {
    const int ledge = static_cast<int>(nx_random_Rnd() * kLedgeSpread - kLedgeOffset);
    if (ledge < 1 || ledge > 3) return;
    const LedgeSpan& span = kLedges[ledge - 1];
    for (int column = span.firstColumn; column <= span.lastColumn; ++column)
        grid[CellIndex(column, row)] = kCellBlock;
}

void AddBonus(Array<int>& grid, int row) {
    const int column = static_cast<int>(std::floor(nx_random_Rnd() * kBonusColumnSpread + 1));
    int& kind = grid[CellIndex(column, row)];
    if (kind == kCellBlock) kind = kCellBonus;
}

void PlaceBall(c_MyApp& app, float column, float velocityX) {
    Array<float>& p = app.m_players;
    p[kBallX] = app.m_cell * column;
    p[kBallVelocityX] = velocityX;
    p[kBallY] = 0;
    p[kBallVelocityY] = 0;
    p[kBallFlying] = 0;
    p[kRingsCollected] = 0;
}

void ChooseLook(c_MyApp& app) {
    app.m_bgR = app.p_Rand(0, kColourLevels) * kColourStep;
    app.m_bgG = app.p_Rand(0, kColourLevels) * kColourStep;
    app.m_bgB = app.p_Rand(0, kColourLevels) * kColourStep;
    app.m_tileFrame = app.p_Rand(0, kTileFrames);
}

// The ball is not flying, so p_MoveBall bounces and breaks without sound,
// particles or points. Only the part of the path inside the tower is kept.
void SimulateFling(c_MyApp& app) {
    const float column = std::floor(nx_random_Rnd() * kSimStartColumnSpread + kSimStartColumnFirst);
    const float velocityX = nx_random_Rnd() * 2 < 1 ? -kFlingSpeed : kFlingSpeed;
    PlaceBall(app, column, velocityX);
    const float bottom = static_cast<float>(app.m_towerRows) * app.m_cell;
    for (int step = 0; step < kPathSteps; ++step) {
        app.p_MoveBall();
        if (app.m_players[kBallY] < bottom) {
            app.m_path[step] = app.m_players[kBallX];
            app.m_path[kPathSteps + step] = app.m_players[kBallY];
            app.m_tmpRow = step;
        }
    }
}

// A candidate outside the record counts as a step the ball never reached.
float PathX(const c_MyApp& app, int step) {
    return step >= 0 && step < kPathSteps ? app.m_path[step] : kPathUnset;
}
float PathY(const c_MyApp& app, int step) {
    return step >= 0 && step < kPathSteps ? app.m_path[kPathSteps + step] : kPathUnset;
}

// Whether a candidate height is too near the top or to an earlier ring; the
// gap demanded shrinks as the attempts for one ring mount.
bool RingRejected(const c_MyApp& app, int ring, int y, int attempt) {
    bool rejected = y < kRingMinY;
    for (int earlier = 0; earlier < ring; ++earlier) {
        const int gap = std::abs(y - static_cast<int>(app.m_players[RingY(earlier)]));
        if (attempt <= kWideGapAttempts && gap < kRingWideGap) rejected = true;
        if (attempt > kWideGapAttempts && attempt <= kNarrowGapAttempts && gap < kRingNarrowGap) rejected = true;
    }
    return rejected;
}

// Candidates are drawn below a bound that starts as the last step inside
// the tower; once a ring has been compared, the bound becomes the previous
// ring's height in pixels, which the search then keeps using as a step.
int FindRingStep(c_MyApp& app, int ring, int& bound, int& attempts) {
    for (attempts = 1;; ++attempts) {
        const float span = (static_cast<float>(bound) + 0.99f) - kFirstRingStep;
        const int step = static_cast<int>(std::floor(nx_random_Rnd() * span + kFirstRingStep));
        if (ring == 0) return step;
        const bool rejected = RingRejected(app, ring, static_cast<int>(PathY(app, step)), attempts);
        bound = static_cast<int>(app.m_players[RingY(ring - 1)]);
        app.m_tmpRow = bound;
        if (!rejected) return step;
    }
}

void HangRings(c_MyApp& app) {
    int bound = app.m_tmpRow;
    int attempts = 0;
    for (int ring = 0; ring < kRingCount; ++ring) {
        const int step = FindRingStep(app, ring, bound, attempts);
        app.m_players[RingX(ring)] = PathX(app, step);
        app.m_players[RingY(ring)] = PathY(app, step);
        app.m_players[RingFlag(ring)] = 1;
    }
    app.m_ringTries = attempts;
}

}  // namespace

// All 128 rows are made whatever the tower's height, so that the draws, and
// with them the rest of the level, do not depend on the height.
int c_MyApp::p_MakeTower(int seed) {
    m_towerRows = TowerRows(seed);
    const uint32_t state = LevelStartState(seed);
    nx_random_Seed = state;
    float width[3], timer[3];
    for (int wall = 0; wall < 3; ++wall) {
        width[wall] = kStartWallWidth[wall];
        timer[wall] = kStartWallTimer;
    }
    for (int row = 0; row < kGeneratedRows; ++row) {
        for (int wall = 0; wall < 3; ++wall) StepWall(width[wall], timer[wall]);
        FillRowWalls(m_tower, row, width);
        if (row > kLastPlainRow) AddLedge(m_tower, row);
        AddBonus(m_tower, row);
    }
    for (int wall = 0; wall < 3; ++wall) m_players[kWallWidthEntries[wall]] = width[wall];
    nx_random_Seed = state;
    return 0;
}

// The fling is simulated on the real tower and breaks blocks; the tower is
// then made again from the seed, so the player finds it whole.
int c_MyApp::p_BuildTower(int seed) {
    for (int i = 0; i < kPathEntriesCleared; ++i) m_path[i] = kPathUnset;
    p_MakeTower(seed);
    PlaceBall(*this, kLevelStartColumn, kFlingSpeed);
    nx_random_Seed = LevelStartState(seed);
    ChooseLook(*this);
    SimulateFling(*this);
    p_MakeTower(seed);
    const uint32_t state = LevelStartState(seed);
    HangRings(*this);
    nx_random_Seed = state;
    PlaceBall(*this, kLevelStartColumn, kFlingSpeed);
    m_players[kBallStartColumn] = kLevelStartColumn;
    return 0;
}
