// The generated files through the game's own loaders: every image of the
// loading sequence cuts into its frames at every resolution without the
// "Image frame outside surface" error, and every sound effect decodes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "graphics/graphics.h"
#include "game/asset_table.h"
#include "tests/support/test_host.h"

namespace {

class LoadersTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(chdir(FLINGAROO_BUILD_DIR), 0);
        nx_graphics_init();
        nx_graphics_CreateDevice();
    }
    TestHost host;
};

TEST_F(LoadersTest, EveryImageLoadsWithAllItsFramesAtEveryResolution) {
    for (const AssetImage& sheet : kAssetImages) {
        for (const AssetResolution& level : kAssetResolutions) {
            String path = String(sheet.path) + String(level.suffix) + String(".png");
            c_Image* image = nx_graphics_LoadImage2(path, sheet.frameWidth * level.level,
                                                    sheet.frameHeight * level.level, sheet.frames, 1);
            ASSERT_NE(image, nullptr) << path.ToUtf8();
            EXPECT_EQ(image->m_frames.Length(), sheet.frames) << path.ToUtf8();
            EXPECT_EQ(image->m_width, sheet.frameWidth * level.level) << path.ToUtf8();
        }
    }
    EXPECT_NE(nx_graphics_LoadImage(String("vela_font.png"), 96, c_Image::m_PadX), nullptr);
}

TEST_F(LoadersTest, EverySoundEffectDecodesAsSixteenBitSamples) {
    for (int id : kAssetSounds) {
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
