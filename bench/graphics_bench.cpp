// Replays a full draw list (2499 image records: mixed frames of one texture,
// each with its own position, rotation, scale, colour and alpha) the way the
// game's render does, through the graphics module and the renderer into the
// fake OpenGL. Reports the CPU time per frame and the draw calls per frame.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "graphics/graphics.h"
#include "host/nxgame.h"
#include "tests/fakes/gl/fake_gl.h"

namespace {

constexpr int kRecords = 2499;
constexpr int kSheetSize = 512;
constexpr int kFrameSize = 32;
constexpr int kFrames = (kSheetSize / kFrameSize) * (kSheetSize / kFrameSize);

class BenchHost : public NxGame {
public:
    BenchHost() { _game = this; }
    int GetDeviceWidth() override { return 1280; }
    int GetDeviceHeight() override { return 720; }
    unsigned char* LoadImageData(const String&, int* width, int* height, int* depth) override {
        const size_t bytes = size_t(kSheetSize) * kSheetSize * 4;
        auto* pixels = static_cast<unsigned char*>(std::malloc(bytes));
        std::memset(pixels, 0xff, bytes);
        *width = *height = kSheetSize;
        *depth = 4;
        return pixels;
    }
};

struct Record {
    float x, y, rotation, scaleX, scaleY;
    int frame;
    float alpha, red, green, blue;
};

// Deterministic, varied records: a linear congruential sequence.
std::vector<Record> MakeRecords() {
    std::vector<Record> records;
    uint32_t seed = 1234;
    auto next = [&seed](float range) {
        seed = seed * 1664525u + 1013904223u;
        return float(seed >> 8) / 16777216.0f * range;
    };
    for (int i = 0; i < kRecords; ++i) {
        records.push_back({next(640), next(480), next(360) - 180, 0.5f + next(1), 0.5f + next(1),
                           int(next(kFrames)), 0.25f + next(0.75f), next(255), next(255), next(255)});
    }
    return records;
}

struct Scene {
    BenchHost host;
    gxtkGraphics* device = nullptr;
    c_Image* sheet = nullptr;
    std::vector<Record> records = MakeRecords();

    Scene() {
        gc_init_lists();
        nxGraphicsContextSeq = 1;  // as if the host had opened its window
        nx_graphics_init();
        device = nx_graphics_CreateDevice();
        sheet = nx_graphics_LoadImage2(String("sheet.png"), kFrameSize, kFrameSize, kFrames,
                                       c_Image::m_CentreHandle);
        fake_gl::state().recordDraws = false;
    }

    // One render as the delegate brackets it and the game's replay draws it.
    void RenderFrame() {
        const float scale = 2.0f;  // a 640 × 480 virtual screen on 1280 × 720
        device->BeginRender();
        nx_graphics_BeginRender();
        nx_graphics_SetColor(0, 0, 0);
        nx_graphics_DrawRect(0, 0, 1280, 720);
        for (const Record& r : records) {
            nx_graphics_SetAlpha(r.alpha);
            nx_graphics_SetColor(r.red, r.green, r.blue);
            nx_graphics_SetBlend(0);
            nx_graphics_DrawImage2(sheet, r.x * scale, r.y * scale, r.rotation, r.scaleX * scale * 0.5f,
                                   r.scaleY * scale * 0.5f, r.frame);
        }
        nx_graphics_EndRender();
        device->EndRender();
    }
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

// The game's replay sets alpha, colour and blend 0 before every record.
void BM_ReplayDrawList(benchmark::State& state) {
    Scene& scene = TheScene();
    int drawCalls = 0;
    for (auto _ : state) {
        const int before = fake_gl::DrawCallCount();
        scene.RenderFrame();
        drawCalls = fake_gl::DrawCallCount() - before;
    }
    state.counters["draw_calls"] = drawCalls;
    state.counters["records"] = kRecords;
}


}  // namespace

BENCHMARK(BM_ReplayDrawList)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
