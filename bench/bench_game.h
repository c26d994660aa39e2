// The game object on the test host, with OpenGL and OpenAL as the link-time
// fakes, reading the generated data/: the set-up every game benchmark starts
// from. One game per benchmark program.
#pragma once

#include <unistd.h>

#include <cstdlib>

#include "framework/app.h"
#include "game/ids.h"
#include "game/my_app.h"
#include "game/play_record.h"
#include "tests/fakes/al/fake_al.h"
#include "tests/fakes/gl/fake_gl.h"
#include "tests/support/test_host.h"

// Keeps the saved string in memory, so a benchmark writes no state file.
using BenchHost = TestHost;

// The game started in a window of the given size with its assets loaded, in
// the menu. The first call decides the size for the whole program.
inline c_MyApp& startedGame(BenchHost*& hostOut, int width = 640, int height = 480) {
    static BenchHost* host = nullptr;
    static c_MyApp* game = nullptr;
    if (!host) {
        fake_gl::Reset();
        fake_gl::state().recordDraws = false;  // a driver keeps no draws either
        fake_al::Reset();
        if (chdir(FLINGAROO_BUILD_DIR) != 0) std::abort();
        host = new BenchHost();  // the framework's globals pick up the host
        nx_framework_init();
        nx_graphics_init();
        nx_audio_init();
        nx_game_init();
        host->deviceWidth = width;
        host->deviceHeight = height;
        nxGraphicsContextSeq = 1;  // as if the host had opened its window
        game = (new c_MyApp())->m_new();
        host->StartGame();
        for (int update = 0; update < 100 && (update == 0 || game->m_loadStep > 0); ++update) {
            host->RenderGame();
            host->UpdateGame();
        }
        if (game->m_loadStep != 0) std::abort();
    }
    hostOut = host;
    return *game;
}

// Mode 11 as the menu leaves it, then the update that builds the level; the
// ball is flung so later updates have physics, breaks and particles to do.
inline void startFlungLevel(BenchHost& host, c_MyApp& app, int level) {
    app.m_level = level;
    app.m_mode = kModeLoadLevel;
    host.UpdateGame();
    app.m_players[kBallFlying] = 1;
    app.m_players[kBallVelocityX] = -4;
}
