// Play on the test host, with OpenGL and OpenAL as the link-time fakes,
// reading the generated data/: the cost of p_BuildTower for
// each of the 100 levels (its slowest level's median is the figure that
// counts), and of one update of a running level with the ball flung.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "bench/bench_game.h"

namespace {

constexpr int kLevels = 100;
constexpr int kSeedPerLevel = 7;
constexpr int kUpdatesPerLevel = 400;  // a restart before the ball leaves the tower

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
