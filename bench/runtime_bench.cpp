// The collector's share of the game's time and its food: the cost of one
// collection step while a level runs (the step the host takes after each
// update), the worst step (one that finishes a cycle and traces the whole
// live heap), and the collected bytes the game allocates per update in play
// and in the menu. Also the cost of one menu p_OnUpdate. The game runs on
// the test host with OpenGL and OpenAL as the link-time fakes, reading the
// generated data/.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "bench/bench_game.h"
#include "runtime/gc.h"

namespace {

constexpr int kBenchLevel = 10;        // one of the 120-row towers
constexpr int kUpdatesPerLevel = 400;  // a restart before the ball leaves the tower
constexpr int kStepsTimed = 20000;      // a fixed count: a step alone is too quick for the usual run time
constexpr double kStepBudgetSeconds = 20e-6;

using Clock = std::chrono::steady_clock;

void backToMenu(BenchHost& host, c_MyApp& app) {
    app.m_mode = kModeMenu;
    app.m_levelDone = 0;
    for (int update = 0; update < 120; ++update) host.UpdateGame();  // the list slides in
}

// One p_OnUpdate of the menu: pointer and buttons, the level list with its
// items, medals and labels, the score panel and the totals line.
void BM_MenuUpdate(benchmark::State& state) {
    BenchHost* host = nullptr;
    c_MyApp& app = startedGame(host);
    backToMenu(*host, app);
    for (auto _ : state) {
        app.p_OnUpdate();
        benchmark::DoNotOptimize(app.m_drawCount);
    }
    if (app.m_mode != kModeMenu) state.SkipWithError("the menu was left");
}
BENCHMARK(BM_MenuUpdate)->Unit(benchmark::kMicrosecond);

// The step the host takes after each update of a running level, timed
// alone: each iteration runs the delegate's update untimed, then times the
// collection step that the host's dispatch would take after it.
void BM_CollectorStepInPlay(benchmark::State& state) {
    BenchHost* host = nullptr;
    c_MyApp& app = startedGame(host);
    startFlungLevel(*host, app, kBenchLevel);
    int updates = 0, cyclesFinished = 0, overBudget = 0;
    double slowest = 0;
    for (auto _ : state) {
        if (++updates % kUpdatesPerLevel == 0 || app.m_mode != kModePlaying) startFlungLevel(*host, app, kBenchLevel);
        host->Delegate()->UpdateGame();
        const int colour = gc_markbit;
        const auto start = Clock::now();
        host->gc_collect();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        slowest = std::max(slowest, seconds);
        overBudget += seconds > kStepBudgetSeconds;
        cyclesFinished += gc_markbit != colour;
    }
    state.counters["slowest_step_us"] = slowest * 1e6;
    state.counters["cycles_finished"] = cyclesFinished;
    state.counters["steps_over_20us"] = overBudget;
}
BENCHMARK(BM_CollectorStepInPlay)->UseManualTime()->Iterations(kStepsTimed)->Unit(benchmark::kMicrosecond);

// The worst step: one that finishes a cycle, tracing whatever of the live
// heap is still grey and moving the survivors back to white. A running level
// never gets here unless it allocates; the counter is raised to force it.
void BM_CollectorStepFinishingCycle(benchmark::State& state) {
    BenchHost* host = nullptr;
    c_MyApp& app = startedGame(host);
    startFlungLevel(*host, app, kBenchLevel);
    int objects = 0;
    for (auto _ : state) {
        state.PauseTiming();
        host->Delegate()->UpdateGame();
        if (app.m_mode != kModePlaying) startFlungLevel(*host, app, kBenchLevel);
        gc_new_bytes = kGcCycleBytes + 1;
        state.ResumeTiming();
        host->gc_collect();
    }
    for (const gc_object* o = gc_unmarked_list.succ; o != &gc_unmarked_list; o = o->succ) ++objects;
    state.counters["live_objects"] = objects;
    state.counters["live_kbytes"] = gc_alloced_bytes / 1024.0;
}
BENCHMARK(BM_CollectorStepFinishingCycle)->Unit(benchmark::kMicrosecond);

// Collected bytes allocated per host update (the delegate's update, the
// game's p_OnUpdate and the collection step), from the collector's
// new-bytes counter; an update whose step finished a cycle resets that
// counter and is left out. The render of each frame is counted apart.
// The time is that of a whole frame of host calls on the fakes.
struct AllocationTally {
    double updateBytes = 0, renderBytes = 0;
    int maxUpdateBytes = 0, updates = 0, frames = 0;

    void frame(BenchHost& host) {
        int colour = gc_markbit, before = gc_new_bytes;
        host.RenderGame();
        if (gc_markbit == colour) renderBytes += gc_new_bytes - before, ++frames;
        colour = gc_markbit, before = gc_new_bytes;
        host.UpdateGame();
        if (gc_markbit != colour) return;
        const int bytes = gc_new_bytes - before;
        updateBytes += bytes;
        maxUpdateBytes = std::max(maxUpdateBytes, bytes);
        ++updates;
    }

    void report(benchmark::State& state) const {
        state.counters["collected_bytes_per_update"] = updates ? updateBytes / updates : -1;
        state.counters["max_collected_bytes_in_update"] = maxUpdateBytes;
        state.counters["collected_bytes_per_render"] = frames ? renderBytes / frames : -1;
        state.counters["updates_counted"] = updates;
    }
};

void BM_CollectedBytesInPlay(benchmark::State& state) {
    BenchHost* host = nullptr;
    c_MyApp& app = startedGame(host);
    const int before = gc_new_bytes, colour = gc_markbit;
    startFlungLevel(*host, app, kBenchLevel);
    const int loadBytes = gc_markbit == colour ? gc_new_bytes - before : -1;
    AllocationTally tally;
    int updates = 0;
    for (auto _ : state) {
        if (++updates % kUpdatesPerLevel == 0 || app.m_mode != kModePlaying) {
            state.PauseTiming();
            startFlungLevel(*host, app, kBenchLevel);
            state.ResumeTiming();
        }
        tally.frame(*host);
    }
    tally.report(state);
    state.counters["collected_bytes_level_start"] = loadBytes;
}
BENCHMARK(BM_CollectedBytesInPlay)->Unit(benchmark::kMicrosecond);

void BM_CollectedBytesInMenu(benchmark::State& state) {
    BenchHost* host = nullptr;
    c_MyApp& app = startedGame(host);
    backToMenu(*host, app);
    AllocationTally tally;
    for (auto _ : state) tally.frame(*host);
    tally.report(state);
    if (app.m_mode != kModeMenu) state.SkipWithError("the menu was left");
}
BENCHMARK(BM_CollectedBytesInMenu)->Unit(benchmark::kMicrosecond);

// What the program does between showing its window and its first frame: the
// game's p_OnCreate (the logo and the font decoded and uploaded, the saved
// string read) and the first render, which draws the empty loading screen.
// Runs last: it leaves the game at the start of its loading screen.
void BM_CreateToFirstFrame(benchmark::State& state) {
    BenchHost* host = nullptr;
    c_MyApp& app = startedGame(host);
    for (auto _ : state) {
        app.p_OnCreate();
        host->RenderGame();
    }
    state.counters["live_kbytes"] = gc_alloced_bytes / 1024.0;
}
BENCHMARK(BM_CreateToFirstFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
