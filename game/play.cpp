// A level from its start to the results panel: starting it, one update of
// play (camera, tower, rings, aiming, flinging, score), the ball physics with
// block breaking, the pause entry and the results panel. It records into the
// draw list and plays through p_PlaySFX; the tower and the rings come from
// tower.cpp, the effects from effects.cpp, the buttons from controls.cpp.
#include <algorithm>
#include <cmath>

#include "framework/app.h"
#include "framework/random_math.h"
#include "game/ids.h"
#include "game/my_app.h"
#include "game/play_record.h"

namespace {

// A level start.
constexpr int kSeedPerLevel = 7;
constexpr int kLevelStars = 100;
constexpr int kLevelParticleMax = 250;
constexpr int kMenuSlideStart = -32;  // the menu slides in again after the level

// Frames.
constexpr float kFrameBall = 0;
constexpr float kFrameRing = 1;
constexpr float kFramePauseButton = 0;
constexpr int kFrameWallFirst = 16;
constexpr int kWallFrames = 16;
constexpr int kFrameStartMarkerOffset = 36;
constexpr int kLastTileFrame = 63;

// Ball physics, in pixels and pixels per update.
constexpr float kGravity = 0.25f;
constexpr float kMaxFallSpeed = 8;
constexpr float kBounceUpSpeed = -6;
constexpr float kKnockDownSpeed = 3;
constexpr int kCollisionReach = 2;  // cells tested on each side of the ball's cell
constexpr float kBallLimitCells = 1000;
constexpr int kShardsPerBlock = 7;
constexpr int kBlockPoints = 5, kBonusPoints = 25;
constexpr float kStandardCell = 32;

// Camera and culling.
constexpr float kCameraEase = 0.125f;
constexpr float kCameraBallHeight = 0.35f;  // share of the screen above the ball
constexpr float kCullMargin = 64;

// Rings.
constexpr int kSparksPerRing = 16;
constexpr int kSparkKind = 1, kSparkColour = 3;
constexpr float kRingPointsEach = 10;
constexpr float kRingPointsRise = 48;
constexpr int kRingSpinPerRing = 12;  // degrees between neighbouring rings' turns

// Level end and score display.
constexpr float kLevelEndDepth = 128;
constexpr float kOutDrag = 0.95f;
constexpr float kOutStopSpeed = 0.1f;
constexpr int kScoreEaseDivisor = 6;
constexpr int kScoreSnap = 5;
constexpr int kScoreDigits = 8;

// Results panel.
constexpr int kResultsTimerEnd = 90;
constexpr int kResultsTimerRestart = 73;
constexpr int kResultsFadeOutStep = 2;
constexpr float kResultsDimUpdates = 40;
constexpr float kResultsMaxDim = 0.7f;
constexpr int kResultsSlideSpeed = 12;

struct Verdict {
    int minimumRings;
    const char* text;
};
constexpr Verdict kVerdicts[] = {{10, "Perfect!"}, {5, "Complete"}, {0, "Missed"}};

struct StartMarkerLayer {
    float scaleX, scaleY, alpha;
};
constexpr StartMarkerLayer kStartMarkerLayers[] = {{0.5f, 0.5f, 1}, {0.62f, 0.5f, 0.7f}, {0.75f, 0.5f, 0.5f}};

bool BallFlying(const c_MyApp& app) { return app.m_players[kBallFlying] != 0; }
bool PlayActive(const c_MyApp& app) { return app.m_paused == 0 && app.m_levelDone == 0; }

bool TouchInside(const c_MyApp& app, float left, float right, float top, float bottom) {
    for (int i = 0; i < app.m_touchOn.Length(); ++i) {
        if (!app.m_touchOn[i]) continue;
        const float x = static_cast<float>(app.m_touchX[i]), y = static_cast<float>(app.m_touchY[i]);
        if (x > left && x < right && y > top && y < bottom) return true;
    }
    return false;
}

void Fling(c_MyApp& app, float velocityX) {
    app.m_players[kBallFlying] = 1;
    app.m_players[kBallVelocityX] = velocityX;
    app.p_PlaySFX(kSoundFlingAndBounce, 1, 1, 0);
}

// ---- Physics

// Wall columns bounce the ball but stand for ever; inner blocks break, and
// only a flung ball makes shards, noise and points.
void BreakBlock(c_MyApp& app, int column, int row) {
    if (column <= kLeftWallColumn || column >= kRightWallColumn) return;
    const int cell = CellIndex(column, row);
    if (BallFlying(app)) {
        for (int i = 0; i < kShardsPerBlock; ++i) {
            const int colour = static_cast<int>(nx_random_Rnd2(1, 8.99f));
            const float y = row * app.m_cell + nx_random_Rnd2(0, app.m_cell);
            const float x = column * app.m_cell + nx_random_Rnd2(0, app.m_cell);
            app.p_ThrowParticle(x, y, colour);
        }
        app.p_PlaySFX(kSoundBreak, nx_random_Rnd2(0.6f, 1.4f), 1, 0);
        app.m_lastPoints = app.m_tower[cell] == kCellBonus ? kBonusPoints : kBlockPoints;
        app.p_Gimme(app.m_lastPoints, app.m_players[kBallX], app.m_players[kBallY]);
    }
    app.m_tower[cell] = kCellEmpty;
}

// The three tests all see the ball as it was before any of them, and all run
// even when an earlier one broke the block: a corner hit scores twice.
void CollideWithBlock(c_MyApp& app, int column, int row) {
    Array<float>& p = app.m_players;
    const float x = p[kBallX], y = p[kBallY], vx = p[kBallVelocityX], vy = p[kBallVelocityY];
    const float blockX = column * app.m_cell, blockY = row * app.m_cell, reach = app.m_cell;
    const bool meetsNextY = std::fabs(x - blockX) < reach && std::fabs((y + vy) - blockY) < reach;
    if (meetsNextY && vy > 0) {
        p[kNextVelocityY] = kBounceUpSpeed;
        if (BallFlying(app)) app.p_PlaySFX(kSoundFlingAndBounce, nx_random_Rnd2(0.6f, 1.4f), 1, 0);
        BreakBlock(app, column, row);
    }
    if (meetsNextY && vy < 0) {
        p[kNextVelocityY] = kKnockDownSpeed;
        BreakBlock(app, column, row);
    }
    if (std::fabs((x + vx) - blockX) < reach && std::fabs(y - blockY) < reach) {
        p[kNextVelocityX] = -vx;
        BreakBlock(app, column, row);
    }
}

// ---- The steps of one play update

// The camera's aim across the tower: eight columns in at the screen's middle.
// A portrait screen may be only the tower's width, where that aim would leave
// half the left wall off screen: there the tower's left edge is held at the
// screen's.
float CameraTargetX(const c_MyApp& app) {
    const float centred = app.m_cell * (kTowerColumns / 2) - nx_ZuDizaz_jscrw * 0.5f;
    return app.m_landscape == 1 ? centred : std::min(centred, -app.m_cell / 2);
}

void MoveCamera(c_MyApp& app) {
    const float dx = (app.m_camX - app.m_camTargetX) * kCameraEase;
    const float dy = (app.m_camY - app.m_camTargetY) * kCameraEase;
    app.m_camX -= dx;
    app.m_camY -= dy;
    app.p_DoStars(dx, dy);
    app.m_camTargetX = CameraTargetX(app);
    app.m_cell = kStandardCell;
    app.m_tileScale = 1;
    app.p_ResetDraw();
    app.m_camTargetY = app.m_players[kBallY] - nx_ZuDizaz_jscrh * kCameraBallHeight;
}

// The start markers over the waiting row: one sprite drawn three times,
// widening and fading, as a glow.
void DrawStartMarker(c_MyApp& app, int column, float x, float y) {
    for (const StartMarkerLayer& layer : kStartMarkerLayers) {
        app.p_SetSize(layer.scaleX * app.m_tileScale, layer.scaleY * app.m_tileScale);
        app.p_Alpha(layer.alpha);
        app.p_DrawImg(kImageSprites, x, y, static_cast<float>(column + kFrameStartMarkerOffset));
    }
    app.p_SetSize(app.m_tileScale);
    app.p_Alpha(1);
}

void DrawCell(c_MyApp& app, int column, int row, float x, float y) {
    const int kind = app.m_tower[CellIndex(column, row)];
    if (kind == kCellBlock) app.p_DrawImg(kImageTiles, x, y, static_cast<float>(app.m_tileFrame));
    if (kind == kCellBonus) app.p_DrawImg(kImageTiles, x, y, static_cast<float>(kLastTileFrame - app.m_tileFrame));
    if (column == kLeftWallColumn || column == kRightWallColumn)
        app.p_DrawImg(kImageSprites, x, y, static_cast<float>((column + row) % kWallFrames + kFrameWallFirst));
    if (row == 0 && column >= kFirstStartColumn && column <= kLastStartColumn) DrawStartMarker(app, column, x, y);
}

// Only the rows around the ball are walked, and of those only the cells near
// the screen are recorded, so a tall tower costs no more than a short one.
void DrawTower(c_MyApp& app) {
    const float ballY = app.m_players[kBallY], reach = nx_ZuDizaz_jscrh + kCullMargin;
    int firstRow = static_cast<int>((ballY - reach) / app.m_cell);
    int lastRow = static_cast<int>((reach + ballY) / app.m_cell);
    firstRow = std::max(firstRow, 0);
    if (firstRow >= app.m_towerRows - 1) firstRow = app.m_towerRows - 2;
    lastRow = std::min(std::max(lastRow, 2), app.m_towerRows);
    // A tower not yet built has no rows: keep both ends inside the grid.
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, kGridRows - 1);
    for (int column = 0; column < kTowerColumns; ++column) {
        for (int row = firstRow; row <= lastRow; ++row) {
            const float x = column * app.m_cell - app.m_camX, y = row * app.m_cell - app.m_camY;
            if (x > -kCullMargin && x < nx_ZuDizaz_jscrw + kCullMargin && y > -kCullMargin &&
                y < nx_ZuDizaz_jscrh + kCullMargin)
                DrawCell(app, column, row, x, y);
        }
    }
}

void CollectRing(c_MyApp& app, int ring) {
    Array<float>& p = app.m_players;
    app.p_PlaySFX(kSoundRing, 1, 1, 0);
    p[RingFlag(ring)] = 0;
    p[kRingsCollected] += 1;
    app.p_Gimme(static_cast<int>(p[kRingsCollected] * kRingPointsEach), p[kBallX], p[kBallY] - kRingPointsRise);
    for (int i = 0; i < kSparksPerRing; ++i) {
        const float speed = nx_random_Rnd2(3, 6);
        const float angle = nx_random_Rnd2(-4, 4);
        const float offsetY = nx_random_Rnd2(-12, 12);
        const float offsetX = nx_random_Rnd2(-12, 12);
        app.p_ThrowParticle(p[RingX(ring)] + offsetX, p[RingY(ring)] + offsetY, kSparkKind, kSparkColour, angle,
                            speed);
    }
    const int jingle = kSoundJingleBase + static_cast<int>(p[kRingsCollected]);
    app.p_PlaySFX(jingle, nx_random_Rnd2(0.8f, 1.2f), 1, 0);
}

// Rings turn by squeezing their width with a sine of the clock, each a
// little behind the previous one.
void DoRings(c_MyApp& app) {
    Array<float>& p = app.m_players;
    for (int ring = 0; ring < kRingCount; ++ring) {
        if (p[RingFlag(ring)] != 1.0f) continue;
        const int degrees = nx_app_Millisecs() / 2 + ring * kRingSpinPerRing;
        app.p_SetSize(std::sin(static_cast<float>(degrees) * D2R) * app.m_tileScale, app.m_tileScale);
        app.p_DrawImg(kImageSprites, p[RingX(ring)] - app.m_camX, p[RingY(ring)] - app.m_camY, kFrameRing);
        if (std::fabs(p[RingX(ring)] - p[kBallX]) < app.m_cell && std::fabs(p[RingY(ring)] - p[kBallY]) < app.m_cell)
            CollectRing(app, ring);
    }
}

void DoBall(c_MyApp& app) {
    Array<float>& p = app.m_players;
    app.p_SetSize(app.m_tileScale);
    // A runaway ball stays within the number range of the grid loops.
    p[kBallY] = std::min(p[kBallY], app.m_cell * kBallLimitCells);
    // A quit level keeps its ball where it was left, so nothing more scores
    // while the results show.
    if (app.m_paused == 0 && app.m_levelQuit == 0 && BallFlying(app)) app.p_MoveBall();
    app.p_DrawImg(kImageSprites, p[kBallX] - app.m_camX, p[kBallY] - app.m_camY, kFrameBall);
}

void DrawHints(c_MyApp& app) {
    if (BallFlying(app) || (app.m_ctrlScheme != kSchemeKeyboard && app.m_ctrlScheme != kSchemePad)) return;
    const float x = app.m_players[kBallX] - app.m_camX, y = app.m_players[kBallY] - app.m_camY;
    app.p_SetSize(2);
    if ((nx_app_Millisecs() / 1000) % 2 == 0) {
        // "\xAC" and a letter draw a controller button's icon.
        app.p_Text(x - 60, y + 32, app.m_ctrlScheme == kSchemeKeyboard ? "< \xAC" "J " : "< \xAC" "L ", 1, 1);
        app.p_Text(x + 64, y + 32, " \xAC" "K >", 1, 1);
        app.p_Text(x, y + 64, "Fling", 1, 1);
    } else {
        app.p_Text(x, y, "move  <    >  move", 1, 1);
    }
}

// Pointer aiming: a press in a start column's strip of the screen moves the
// ball there; the two boxes at the top corners fling it.
void DoTouchAiming(c_MyApp& app) {
    if (BallFlying(app) || app.m_ctrlScheme != kSchemePointer) return;
    app.p_SetSize(2);
    const float height = nx_ZuDizaz_jscrh, halfStrip = (height - 128) / 2;
    for (int column = kFirstStartColumn; column <= kLastStartColumn; ++column) {
        const float x = column * kStandardCell - app.m_camX;
        if (app.m_mouseDown > 0 && TouchInside(app, x - 16, x + 16, height / 2 - halfStrip, height / 2 + halfStrip) &&
            app.m_players[kBallStartColumn] != column) {
            app.m_players[kBallStartColumn] = static_cast<float>(column);
            app.p_PlaySFX(kSoundStartColumn, 1, 1, 0);
        }
    }
    const float boxX[2] = {48, nx_ZuDizaz_jscrw - 48};
    const char* const label[2] = {"<-Fling", "Fling->"};
    const float velocity[2] = {-kFlingSpeed, kFlingSpeed};
    for (int side = 0; side < 2; ++side) {
        app.p_Text(boxX[side], 64, label[side], 1, 1);
        if (app.m_mouseDown > 0 && app.p_MouseIn_Centered(boxX[side], 64, 96, 64) && app.m_touchLatch == 0) {
            app.m_touchLatch = 1;
            Fling(app, velocity[side]);
        }
    }
}

// One column per press: the key latch stops a held button from repeating.
void MoveStartColumn(c_MyApp& app) {
    app.p_SetSize(app.m_tileScale);
    if (!PlayActive(app)) return;
    float& column = app.m_players[kBallStartColumn];
    const bool ready = app.m_keyLatch == 0 && !BallFlying(app);
    if (app.p_PlayKey(kButtonLeft, 1, 0) && ready) {
        column = std::max(column - 1, static_cast<float>(kFirstStartColumn));
    } else if (app.p_PlayKey(kButtonRight, 1, 0) && ready) {
        column = std::min(column + 1, static_cast<float>(kLastStartColumn));
    } else {
        return;
    }
    app.m_keyLatch = 1;
    app.p_PlaySFX(kSoundStartColumn, 1, 1, 0);
}

void DoFlingButtons(c_MyApp& app) {
    if (!PlayActive(app)) return;
    const int left = app.m_ctrlScheme == kSchemePad ? kButtonX : kButtonA;
    const int buttons[2] = {left, kButtonB};
    const float velocity[2] = {-kFlingSpeed, kFlingSpeed};
    for (int side = 0; side < 2; ++side) {
        if (app.p_PlayKey(buttons[side], 1, app.m_playerJoy) && app.m_keyLatch == 0 && !BallFlying(app)) {
            app.m_keyLatch = 1;
            Fling(app, velocity[side]);
        }
    }
}

// Below the tower the ball drifts to a stop while it falls out of sight;
// the level ends once it is well clear of the last row.
void DoBelowTower(c_MyApp& app) {
    Array<float>& p = app.m_players;
    const float bottom = app.m_towerRows * app.m_cell;
    if (p[kBallY] <= bottom) return;
    if (p[kBallY] > bottom + kLevelEndDepth) app.m_levelDone = 1;
    p[kBallVelocityX] *= kOutDrag;
    if (std::fabs(p[kBallVelocityX]) < kOutStopSpeed) p[kBallVelocityX] = 0;
}

void EaseScore(c_MyApp& app) {
    const int shown = app.m_shownScore - (app.m_shownScore - app.m_score) / kScoreEaseDivisor;
    app.m_shownScore = std::abs(shown - app.m_score) > kScoreSnap ? shown : app.m_score;
}

void DrawHud(c_MyApp& app) {
    if (app.m_hideHud == 1) return;
    app.p_SetCol(100, 255, 100);
    app.p_Alpha(0.8f);
    app.p_SetSize(2);
    app.p_SetRot(0);
    app.p_Text(nx_ZuDizaz_jscrw * 0.5f, 16, app.p_rstr(app.m_shownScore, kScoreDigits, "0"), 1, 1);
    app.p_SetCol(255, 255, 255);
    app.p_SetSize(0.5f);
    for (int ring = 1; ring <= kRingCount; ++ring) {
        app.p_Alpha(ring <= app.m_players[kRingsCollected] ? 1.0f : 0.5f);
        app.p_DrawImg(kImageSprites, ring * 16 + nx_ZuDizaz_jscrw * 0.5f - 88, 32, kFrameRing);
    }
}

// ---- Pause and results

void OpenPause(c_MyApp& app) {
    app.m_paused = 1;
    app.m_pauseOpen = 1;
    app.m_pauseSel = 0;
    app.p_PlaySFX(kSoundConfirm, 0.5f, 1, 0);
}

const char* VerdictText(int rings) {
    for (const Verdict& verdict : kVerdicts)
        if (rings >= verdict.minimumRings) return verdict.text;
    return "Missed";  // only a negative count, which play never makes
}

// Two bars slide in from opposite sides while the screen dims; the words
// ride on them and the ring count sits on a third bar below.
void DrawResults(c_MyApp& app) {
    const float width = nx_ZuDizaz_jscrw, height = nx_ZuDizaz_jscrh;
    const int rings = static_cast<int>(app.m_players[kRingsCollected]);
    app.m_keyLatch = 1;
    app.m_touchLatch = 1;
    app.p_SetCol(0, 0, 0);
    app.p_Alpha(std::min(app.m_endTimer / kResultsDimUpdates, kResultsMaxDim));
    app.p_Rect(-1, -1, width + 2, height + 2);
    const int slide = std::min(app.m_endTimer * kResultsSlideSpeed, static_cast<int>(height * 0.45f));
    app.p_SetCol(255, 255, 0);
    app.p_Alpha(0.5f);
    app.p_Rect(-1, height * 0.45f - 8, 2.0f * slide, 16);
    app.p_SetCol(255, 128, 0);
    app.p_Rect(width - 2.0f * slide, height * 0.55f - 8, 2.0f * slide + 1, 16);
    app.p_SetSize(4);
    app.p_SetCol(255, 180, 180);
    app.p_Alpha(1);
    app.p_Text(width * 0.35f, static_cast<float>(slide), "Level", 1, 1);
    app.p_Text(width * 0.65f, height - slide, VerdictText(rings), 1, 1);
    app.p_SetCol(0, 125, 255);
    app.p_Alpha(0.5f);
    app.p_Rect(width * 0.35f, height - slide / 1.5f - 16, width * 0.3f, 16);
    app.p_SetSize(2);
    app.p_SetCol(100, 255, 100);
    app.p_Alpha(1);
    // Backslash-n is the text helper's line break.
    app.p_Text(width * 0.5f, height - slide / 1.5f, "Rings         \\n          " + String(rings) + "/10", 0.5f, 2);
}

}  // namespace

int c_MyApp::p_LoadGame() {
    m_paused = 0;
    m_score = 0;
    m_levelDone = 0;
    m_levelQuit = 0;
    m_endTimer = 0;
    m_mode = kModePlaying;
    m_camX = m_camY = m_camTargetX = m_camTargetY = 0;
    p_ResetStars(kLevelStars);
    m_particleMax = kLevelParticleMax;
    for (int slot = 0; slot <= m_particleMax; ++slot) m_particles[slot * kEffectRecordFloats] = 0;
    for (int i = 0; i < kPlayRecordClearedEntries; ++i) m_players[i] = 0;
    m_i = kPlayRecordClearedEntries;
    m_cell = kStandardCell;
    m_tileScale = 1;
    p_BuildTower(m_level * kSeedPerLevel);
    return 0;
}

int c_MyApp::p_Game() {
    m_viewW = nx_ZuDizaz_jscrw;
    m_viewH = nx_ZuDizaz_jscrh;
    p_CLS2D(static_cast<float>(m_bgR), static_cast<float>(m_bgG), static_cast<float>(m_bgB), 1);
    MoveCamera(*this);
    DrawTower(*this);
    DoRings(*this);
    DoBall(*this);
    DrawHints(*this);
    DoTouchAiming(*this);
    MoveStartColumn(*this);
    if (!BallFlying(*this)) m_players[kBallX] = m_players[kBallStartColumn] * m_cell;
    DoFlingButtons(*this);
    p_DoParticles();
    DoBelowTower(*this);
    EaseScore(*this);
    DrawHud(*this);
    return 0;
}

int c_MyApp::p_MoveBall() {
    Array<float>& p = m_players;
    p[kBallX] += p[kBallVelocityX];
    p[kBallY] += p[kBallVelocityY];
    if (p[kBallVelocityY] < kMaxFallSpeed) p[kBallVelocityY] += kGravity;
    p[kNextVelocityX] = p[kBallVelocityX];
    p[kNextVelocityY] = p[kBallVelocityY];
    const int ballColumn = static_cast<int>(p[kBallX] / m_cell), ballRow = static_cast<int>(p[kBallY] / m_cell);
    // Cells outside the grid or below the last row take no part; clipping the
    // ranges first keeps a ball that has left the tower cheap to step.
    const int firstColumn = std::max(ballColumn - kCollisionReach, 0);
    const int lastColumn = std::min(ballColumn + kCollisionReach, kTowerColumns - 1);
    const int firstRow = std::max(ballRow - kCollisionReach, 0);
    const int lastRow = std::min({ballRow + kCollisionReach, m_towerRows, kGridRows - 1});
    for (int column = firstColumn; column <= lastColumn; ++column) {
        for (int row = firstRow; row <= lastRow; ++row) {
            const int kind = m_tower[CellIndex(column, row)];
            if (kind == kCellBlock || kind == kCellBonus) CollideWithBlock(*this, column, row);
        }
    }
    p[kBallVelocityX] = p[kNextVelocityX];
    p[kBallVelocityY] = p[kNextVelocityY];
    return 0;
}

int c_MyApp::p_InGame() {
    p_ResetDraw();
    m_menuScroll = kMenuSlideStart;
    if (p_Held(kButtonBack) && m_paused == 0 && m_keyLatch == 0) {
        m_keyLatch = 1;
        OpenPause(*this);
    }
    if (m_hideHud != 1) {
        p_Alpha(m_ctrlScheme == kSchemePointer ? 1.0f : 0.2f);
        if (p_Button(kImageIcons, 16, 16, kFramePauseButton) && m_paused == 0) {
            m_touchLatch = 1;
            OpenPause(*this);
        }
        p_Alpha(1);
    }
    if (m_paused == 1) p_PauseMenu();
    return 0;
}

int c_MyApp::p_GameOver() {
    if (m_endTimer >= 1) DrawResults(*this);
    if (m_mode == kModePlaying) {
        ++m_endTimer;
        if (m_endTimer >= kResultsTimerEnd) {
            m_mode = kModeReturnToMenu;  // the music step of this update changes the tune
            m_endTimer = kResultsTimerRestart;
        }
    } else if (m_mode < kModePlaying) {
        m_endTimer = std::max(m_endTimer - kResultsFadeOutStep, 0);
    }
    return 0;
}
