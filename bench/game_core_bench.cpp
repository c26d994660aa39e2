// The game object on the test host, with OpenGL and OpenAL as the link-time
// fakes, reading the generated data/: the cost of one
// update while the loading screen turns, and of one render replaying a full
// draw list (2499 records) through the graphics module and the renderer.
#include <benchmark/benchmark.h>

#include "bench/bench_game.h"

namespace {

constexpr int kLastLoaderUpdate = 31;  // past the 30 steps: the update that only draws the loading screen
constexpr int kFullList = 2499;

void BM_UpdateWhileLoading(benchmark::State& state) {
    BenchHost* host = nullptr;
    c_MyApp& app = startedGame(host, 1280, 720);
    for (auto _ : state) {
        app.m_loadStep = kLastLoaderUpdate;
        app.p_OnUpdate();
        benchmark::DoNotOptimize(app.m_drawCount);
    }
}
BENCHMARK(BM_UpdateWhileLoading);

// A play frame's make-up: tiles first, then particles (images at varied
// frames, rotations and colours), then the HUD's rectangles and ovals.
void fillDrawList(c_MyApp& app) {
    constexpr int kTiles = 2200, kParticles = 200;
    app.p_CLS2D(10, 20, 40, 1);
    for (int record = 0; record < kFullList; ++record) {
        const float shade = static_cast<float>(record % 256);
        const float x = static_cast<float>(record % 640), y = static_cast<float>(record % 480);
        app.p_SetCol(shade, 128, 255 - shade, 0.9f);
        app.p_SetRot(static_cast<float>(record % 360));
        if (record < kTiles)
            app.p_DrawImg(2, x, y, static_cast<float>(record % 64));
        else if (record < kTiles + kParticles)
            app.p_DrawImg(96, x, y, shade);
        else if (record % 2)
            app.p_Rect(x, 10, 16, 16);
        else
            app.p_Oval(x, 30, 8, 8);
    }
}

void BM_RenderFullDrawList(benchmark::State& state) {
    BenchHost* host = nullptr;
    c_MyApp& app = startedGame(host, 1280, 720);
    fillDrawList(app);
    for (auto _ : state) {
        host->RenderGame();
        state.PauseTiming();
        fake_gl::state().draws.clear();  // the fake keeps every draw; a driver would not
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(app.m_drawCount / 15);
    fake_gl::state().drawCalls = 0;
    host->RenderGame();
    state.counters["draw_calls"] = fake_gl::state().drawCalls;
}
BENCHMARK(BM_RenderFullDrawList);

}  // namespace

BENCHMARK_MAIN();
