// The layout of a level's state inside c_MyApp's fixed arrays: the entries of
// the play record m_players (ball, rings, wall widths) and the cell records of
// the tower grid m_tower. Shared by play, tower generation and their tests.
#pragma once

// m_players holds this many entries.
constexpr int kPlayRecordFloats = 512;

// Ball and ring entries of m_players.
constexpr int kBallX = 1;
constexpr int kBallY = 2;
constexpr int kBallVelocityX = 3;
constexpr int kBallVelocityY = 4;
constexpr int kBallFlying = 5;       // 0.0 while waiting to be flung, 1.0 after
constexpr int kBallStartColumn = 7;  // the column the ball waits over
constexpr int kNextVelocityX = 13;   // velocity for the next physics step,
constexpr int kNextVelocityY = 14;   // worked out while colliding
constexpr int kRingsCollected = 31;
constexpr int kRingFirstEntry = 50;  // ring k: x at 50 + 5k, y at 51 + 5k, flag at 52 + 5k
constexpr int kRingStride = 5;
constexpr int kRingCount = 10;
constexpr int kWallWidthEntries[3] = {201, 202, 203};  // left, middle, right
constexpr int kPlayRecordClearedEntries = 500;         // entries cleared at a level start

constexpr int RingX(int ring) { return kRingFirstEntry + kRingStride * ring; }
constexpr int RingY(int ring) { return RingX(ring) + 1; }
constexpr int RingFlag(int ring) { return RingX(ring) + 2; }

// The tower grid: 16 columns by 320 rows of 10-int cell records whose first
// int is the cell kind. Only the first 128 rows are ever generated.
constexpr int kTowerColumns = 16;
constexpr int kGridRows = 320;
constexpr int kCellInts = 10;
constexpr int kGeneratedRows = 128;
constexpr int kLeftWallColumn = 0;
constexpr int kRightWallColumn = kTowerColumns - 1;

constexpr int kCellEmpty = 0;
constexpr int kCellBlock = 1;
constexpr int kCellBonus = 2;

constexpr int kGridInts = kTowerColumns * kGridRows * kCellInts;
constexpr int CellIndex(int column, int row) { return (row * kTowerColumns + column) * kCellInts; }

// The simulated fling's path record m_path: x of step s at s, y at kPathSteps + s.
constexpr int kPathSteps = 5000;
constexpr int kPathEntriesCleared = 2 * kPathSteps + 1;
constexpr float kPathUnset = -1000.0f;
constexpr int kPathFloats = kPathEntriesCleared + 4;  // m_path's size

// The start columns the ball may wait over.
constexpr int kFirstStartColumn = 4;
constexpr int kLastStartColumn = 11;
constexpr int kLevelStartColumn = 7;

// A fling sends the ball sideways at this speed, left or right.
constexpr float kFlingSpeed = 4;
