// The generated files through the game's own loaders: every image of the
// loading sequence cuts into its frames at every resolution without the
// "Image frame outside surface" error, and every sound effect decodes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "graphics/graphics.h"
#include "host/glfw/glfw_game.h"

namespace {

struct Sheet {
    const char* name;
    int width, height, frames;  // frame size in game units
};

constexpr Sheet kSheets[] = {
    {"common/icons", 32, 32, 16},  {"common/Buttons", 64, 64, 16},     {"common/dpad", 32, 32, 16},
    {"common/QRTZLogo", 256, 256, 1}, {"common/Testcard_Circle", 256, 256, 1},
    {"fonts/editundo", 16, 16, 128}, {"menu", 256, 256, 4},            {"logo", 256, 128, 1},
    {"parts", 8, 8, 256},          {"BadgesA", 64, 64, 64},             {"gfx", 32, 32, 64},
    {"tiles", 32, 32, 64},
};

constexpr int kSoundIds[] = {1, 2, 3, 4, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 95, 96, 98, 99};

class LoadersTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(chdir(FLINGAROO_BUILD_DIR), 0);
        nx_graphics_init();
        nx_graphics_CreateDevice();
    }
    NxGlfwGame host;
};

TEST_F(LoadersTest, EveryImageLoadsWithAllItsFramesAtEveryResolution) {
    const struct {
        int level;
        const char* suffix;
    } levels[] = {{1, ""}, {2, "-hd"}, {4, "-hd2"}};
    for (const Sheet& sheet : kSheets) {
        for (const auto& level : levels) {
            String path = String(sheet.name) + String(level.suffix) + String(".png");
            c_Image* image = nx_graphics_LoadImage2(path, sheet.width * level.level,
                                                    sheet.height * level.level, sheet.frames, 1);
            ASSERT_NE(image, nullptr) << path.ToUtf8();
            EXPECT_EQ(image->m_frames.Length(), sheet.frames) << path.ToUtf8();
            EXPECT_EQ(image->m_width, sheet.width * level.level) << path.ToUtf8();
        }
    }
    EXPECT_NE(nx_graphics_LoadImage(String("vela_font.png"), 96, c_Image::m_PadX), nullptr);
}

TEST_F(LoadersTest, EverySoundEffectDecodesAsSixteenBitSamples) {
    for (int id : kSoundIds) {
        char path[32];
        std::snprintf(path, sizeof path, "./data/sfx/%03d.wav", id);
        int length = 0, channels = 0, format = 0, hertz = 0;
        unsigned char* samples = host.LoadAudioData(String(path), &length, &channels, &format, &hertz);
        ASSERT_NE(samples, nullptr) << path;
        EXPECT_GT(length, 0) << path;
        EXPECT_EQ(format, 2) << path << ": bytes per sample";
        EXPECT_EQ(hertz, 44100) << path;
        std::free(samples);
    }
}

}  // namespace
