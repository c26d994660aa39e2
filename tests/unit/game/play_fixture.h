// A level under test: the game fixture with the assets loaded and a level
// started as the menu starts one, plus accessors for the ball, the grid, the
// sounds played and the text recorded in the draw list.
#pragma once

#include <string>

#include "game/play_record.h"
#include "tests/unit/game/game_fixture.h"
#include "tests/unit/game/overlay_draw_reader.h"

namespace play_test {
constexpr int kShardKind = 2, kScoreNumberKind = 99;
constexpr float kCell = 32;
}  // namespace play_test

class PlayFixture : public GameFixture {
protected:
    // Mode 11 with the level and control scheme set, as the menu leaves it.
    void startLevel(int level, int scheme = 0) {
        finishLoading();
        app->m_level = level;
        app->m_ctrlScheme = scheme;
        app->m_mode = kModeLoadLevel;
        frame();
        ASSERT_EQ(app->m_mode, kModePlaying);
    }

    float& ball(int entry) { return app->m_players[entry]; }
    int& cell(int column, int row) { return app->m_tower[CellIndex(column, row)]; }
    void clearTower() {
        for (int i = 0; i < app->m_tower.Length(); ++i) app->m_tower[i] = kCellEmpty;
    }
    void placeBall(float x, float y, float velocityX, float velocityY, float flying = 1) {
        ball(kBallX) = x;
        ball(kBallY) = y;
        ball(kBallVelocityX) = velocityX;
        ball(kBallVelocityY) = velocityY;
        ball(kBallFlying) = flying;
    }
    // Far below the tower, where the ball never meets them.
    void moveRingsAway() {
        for (int ring = 0; ring < kRingCount; ++ring) ball(RingY(ring)) = 100000;
    }
    int particlesOfKind(int kind) {
        int count = 0;
        for (int slot = 0; slot <= app->m_particleMax; ++slot) count += app->m_particles[slot * 10] == kind;
        return count;
    }
    // Starts of sound `id` so far: each start attaches the sound's own buffer.
    int plays(int id) {
        return fake_al::state().Count("alSourcei AL_BUFFER " + std::to_string(app->m_sounds[id]->m_sample->buffer));
    }
    // The glyphs recorded this frame in order; other records end a run with '|'.
    bool showsText(const std::string& words) {
        std::string text;
        for (const DrawRecord& record : drawRecords(*app))
            text += record.kind == app->m_font ? static_cast<char>(record.frame + 32) : '|';
        return text.find(words) != std::string::npos;
    }
};
