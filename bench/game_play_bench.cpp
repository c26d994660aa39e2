// Play on a desktop host whose window system, OpenGL and OpenAL are the
// link-time fakes, reading the generated data/: the cost of p_BuildTower for
// each of the 100 levels (its slowest level's median is the figure that
// counts), and of one update of a running level with the ball flung.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "framework/app.h"
#include "game/my_app.h"
#include "game/play_record.h"
#include "host/glfw_game.h"
#include "tests/fakes/al/fake_al.h"
#include "tests/fakes/gl/fake_gl.h"
#include "tests/fakes/glfw/fake_glfw.h"

namespace {

constexpr int kLevels = 100;
constexpr int kSeedPerLevel = 7;
constexpr int kModePlaying = 10, kModeLoadLevel = 11;
constexpr int kUpdatesPerLevel = 400;  // a restart before the ball leaves the tower

// Keeps the saved string in memory, so a benchmark writes no state file.
class BenchHost : public NxGlfwGame {
public:
    String LoadState() override { return String(); }
    int SaveState(const String&) override { return 0; }
};

c_MyApp& startedGame(BenchHost*& hostOut) {
    static BenchHost* host = nullptr;
    static c_MyApp* game = nullptr;
    if (!host) {
        fake_glfw_reset();
        fake_gl::Reset();
        fake_gl::state().recordDraws = false;  // a driver keeps no draws either
        fake_al_reset();
        if (chdir(FLINGAROO_BUILD_DIR) != 0) std::abort();
        host = new BenchHost();
        nx_framework_init();
        nx_graphics_init();
        nx_audio_init();
        nx_game_init();
        host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
        game = (new c_MyApp())->m_new();
        host->StartGame();
        for (int update = 0; update < 100 && (update == 0 || game->m_loadStep > 0); ++update) {
            host->RenderGame();
            host->UpdateGame();
        }
    }
    hostOut = host;
    return *game;
}

// Each iteration builds every level once, timing each build; the counters
// report the slowest level and its median build time.
void BM_BuildTowerEveryLevel(benchmark::State& state) {
    BenchHost* host = nullptr;
    c_MyApp& app = startedGame(host);
    std::vector<std::vector<double>> samples(kLevels + 1);
    for (auto _ : state) {
        for (int level = 1; level <= kLevels; ++level) {
            const auto start = std::chrono::steady_clock::now();
            app.p_BuildTower(level * kSeedPerLevel);
            const auto end = std::chrono::steady_clock::now();
            samples[level].push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        benchmark::DoNotOptimize(app.m_players[RingY(9)]);
    }
    int slowest = 1;
    double slowestMedian = 0;
    for (int level = 1; level <= kLevels; ++level) {
        std::vector<double>& times = samples[level];
        std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
        const double median = times[times.size() / 2];
        if (median > slowestMedian) slowestMedian = median, slowest = level;
    }
    state.counters["slowest_level"] = slowest;
    state.counters["slowest_median_us"] = slowestMedian;
}
BENCHMARK(BM_BuildTowerEveryLevel)->Unit(benchmark::kMillisecond);

void BM_BuildTowerLevel(benchmark::State& state) {
    BenchHost* host = nullptr;
    c_MyApp& app = startedGame(host);
    const int seed = static_cast<int>(state.range(0)) * kSeedPerLevel;
    for (auto _ : state) {
        app.p_BuildTower(seed);
        benchmark::DoNotOptimize(app.m_players[RingY(9)]);
    }
}
// Level 10 is one of the 120-row towers; level 1 a 48-row one.
BENCHMARK(BM_BuildTowerLevel)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

void startFlungLevel(BenchHost& host, c_MyApp& app, int level) {
    app.m_level = level;
    app.m_mode = kModeLoadLevel;
    host.UpdateGame();
    app.m_players[kBallFlying] = 1;
    app.m_players[kBallVelocityX] = -4;
}

// One p_OnUpdate of a running level: camera, stars, tower, rings, ball
// physics, particles and HUD. Every few hundred updates the level restarts
// (untimed) so the ball stays among the blocks.
void BM_PlayUpdate(benchmark::State& state) {
    BenchHost* host = nullptr;
    c_MyApp& app = startedGame(host);
    startFlungLevel(*host, app, 10);
    int updates = 0;
    for (auto _ : state) {
        if (++updates % kUpdatesPerLevel == 0 || app.m_mode != kModePlaying) {
            state.PauseTiming();
            startFlungLevel(*host, app, 10);
            state.ResumeTiming();
        }
        app.p_OnUpdate();
        benchmark::DoNotOptimize(app.m_drawCount);
    }
}
BENCHMARK(BM_PlayUpdate)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
