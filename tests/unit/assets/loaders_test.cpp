// The generated data/ through the game's own loaders: every image cuts into
// exactly its frames at every resolution with only the unused ones blank,
// every sound effect is a short, clean, audible 16-bit sound with a true
// RIFF size, and the generator writes the same files again.
#include <gtest/gtest.h>
#include <unistd.h>

#include "game/asset_table.h"
#include "graphics/graphics.h"
#include "tests/support/test_host.h"

namespace {

// The frames without a pixel more than half opaque.
std::string Blank(const c_Image* image) {
    std::string blank;
    for (int i = 0; i < image->m_frames.Length(); ++i) {
        bool inked = false;
        for (int y = image->m_frames[i]->m_y; y < image->m_frames[i]->m_y + image->m_height; ++y) {
            const unsigned char* row = image->m_surface->pixels + (size_t(y) * image->m_surface->width + image->m_frames[i]->m_x) * 4;
            for (int x = 0; x < image->m_width; ++x) inked |= row[4 * x + 3] > 128;
        }
        if (!inked) blank += std::to_string(i) + " ";
    }
    return blank;
}

struct GeneratedDataTest : testing::Test {
    void SetUp() override { nx_graphics_init(), nx_graphics_CreateDevice(); ASSERT_EQ(chdir(FLINGAROO_BUILD_DIR), 0); }
    TestHost host;
};

TEST_F(GeneratedDataTest, EveryImageCutsIntoExactlyItsFramesAtEveryResolutionWithOnlyTheUnusedOnesBlank) {
    for (const AssetImage& sheet : kAssetImages) {
        for (const AssetResolution& level : kAssetResolutions) {
            const String path = String(sheet.path) + String(level.suffix) + String(".png");
            c_Image* image = nx_graphics_LoadImage2(path, sheet.frameWidth * level.level, sheet.frameHeight * level.level, sheet.frames, 0);
            // The last frame ends the surface: a sheet drawn for another resolution would leave spare rows or columns.
            EXPECT_EQ(std::make_pair(image->m_frames[sheet.frames - 1]->m_y + image->m_height, image->m_surface->width % image->m_width),
                      std::make_pair(image->m_surface->height, 0)) << path.ToUtf8();
            EXPECT_EQ(Blank(image), sheet.id == kImageFont ? "0 109 110 111 125 126 127 "  // the space and unused slots
                                    : sheet.id == kImageSprites ? "2 3 4 5 6 7 8 9 10 11 12 13 14 15 32 33 34 35 36 37 38 39 48 49 50 51 52 53 54 55 56 57 58 59 60 61 62 63 "
                                    : "") << path.ToUtf8();
        }
    }
    EXPECT_EQ(Blank(nx_graphics_LoadImage(String("vela_font.png"), 96, c_Image::m_PadX)), "0 ");  // glyphs from "!"
}

TEST_F(GeneratedDataTest, EverySoundEffectIsAShortCleanAudibleSixteenBitSoundWithATrueRiffSize) {
    const auto loudest = [](const int16_t* from, const int16_t* to) {
        return std::abs(*std::max_element(from, to, [](int a, int b) { return std::abs(a) < std::abs(b); }));
    };
    for (int id : kAssetSounds) {
        char path[32];
        std::snprintf(path, sizeof path, "data/sfx/%03d.wav", id);
        int length = 0, channels = 0, bytesPerSample = 0, hertz = 0, bytes = 0;
        auto* samples = reinterpret_cast<int16_t*>(host.LoadAudioData(String(path), &length, &channels, &bytesPerSample, &hertz));
        ASSERT_TRUE(samples && bytesPerSample == 2 && hertz == 44100 && length > hertz / 50 && length < 2 * hertz) << path;
        const int16_t* end = samples + length * channels;
        EXPECT_TRUE(loudest(samples, end) > 3000 && loudest(samples, end) < 32000) << path << " is too quiet or reaches full scale";
        EXPECT_LT(std::max(loudest(samples, samples + 4), loudest(end - 4, end)), 330) << path << " clicks at an end";
        std::free(samples);
        unsigned char* file = host.LoadData(String(path), &bytes);  // "RIFF", then the size of what follows, little-endian
        EXPECT_EQ(std::string(file, file + 4) + std::to_string(file[4] | file[5] << 8 | file[6] << 16 | uint32_t(file[7]) << 24), "RIFF" + std::to_string(bytes - 8)) << path;
        std::free(file);
    }
}

TEST_F(GeneratedDataTest, TheGeneratorWritesTheSameFilesAgain) {
    // One more run into a new folder, compared file by file with the build's; diff names any file only one of them has.
    EXPECT_EQ(std::system("again=$(mktemp -d) && \"" FLINGAROO_MAKE_ASSETS "\" $again && diff --recursive --brief data $again;"
                          "status=$?; rm -rf \"$again\"; exit $status"), 0);
}

}  // namespace
