// The renderer against a bare OpenGL batch loop, both drawing real pixels
// (Mesa under Xvfb) in one process, their runs interleaved at random so that
// a change in the machine's load touches both alike. Each frame is timed
// from its first call to the end of the driver's work (glFinish); bench/run
// prints the ratio of the two medians for every workload.
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/gl_sprites.h"

namespace {

void RegisterWorkloads(GlSprites& sprites) {
    for (const GlSpriteWorkload& workload : kGlSpriteWorkloads) {
        const auto frame = [&sprites, &workload](bool renderer) {
            return [&sprites, &workload, renderer](benchmark::State& state) {
                sprites.UseWindow(workload);
                for (auto _ : state) {
                    if (renderer) {
                        sprites.DrawWithRenderer(workload);
                    } else {
                        sprites.DrawBare(workload);
                    }
                }
            };
        };
        for (bool renderer : {true, false}) {
            const std::string name = std::string("BM_GlFrame/") + workload.name + (renderer ? "/renderer" : "/bare");
            benchmark::RegisterBenchmark(name.c_str(), frame(renderer))->UseRealTime()->Unit(benchmark::kMicrosecond);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!glfwInit()) {
        std::fprintf(stderr, "renderer_gl_bench: no display (run it under Xvfb)\n");
        return 1;
    }
    gc_init_lists();
    nx_graphics_init();
    auto* host = new NxGlfwGame();
    GlSprites sprites(*host);
    RegisterWorkloads(sprites);

    std::vector<char*> arguments(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleave.data());
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
