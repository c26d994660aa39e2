// The generated data/ through the game's own loaders: every image cuts into
// exactly its frames at every resolution with only the unused ones blank, the
// default font's glyphs keep their empty borders, a level's bonus blocks stand
// apart from its blocks, every sound effect is a short, clean, audible 16-bit
// sound with a true RIFF size, each tune decodes as a seamless loop quieter than
// the ring it plays under, and the generator writes the same files again.
#include <gtest/gtest.h>
#include <cmath>
#include <unistd.h>

#include "game/asset_table.h"
#include "graphics/graphics.h"
#include "tests/support/test_host.h"

namespace {

// The sum of one channel (3: coverage) of a frame's pixels, premultiplied, and
// of `margin` more columns on either side.
long Sum(const c_Image* image, int frame, int channel, int margin = 0) {
    const int left = image->m_frames[frame]->m_x - margin, top = image->m_frames[frame]->m_y, width = image->m_width + 2 * margin;
    long sum = 0;
    for (int y = top; y < top + image->m_height; ++y) {
        for (int x = left; x < left + width; ++x) sum += image->m_surface->pixels[(size_t(y) * image->m_surface->width + x) * 4 + channel];
    }
    return sum;
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
            const int bottom = image->m_frames[sheet.frames - 1]->m_y + image->m_height;
            EXPECT_EQ(std::make_pair(bottom, image->m_surface->width % image->m_width), std::make_pair(image->m_surface->height, 0)) << path.ToUtf8();
            std::string blank;  // the frames without coverage
            for (int frame = 0; frame < sheet.frames; ++frame) blank += Sum(image, frame, 3) ? "" : std::to_string(frame) + " ";
            EXPECT_EQ(blank, sheet.id == kImageFont ? "0 109 110 111 125 126 127 "  // the space and unused slots
                                    : sheet.id == kImageSprites ? "2 3 4 5 6 7 8 9 10 11 12 13 14 15 32 33 34 35 36 37 38 39 48 49 50 51 52 53 54 55 56 57 58 59 60 61 62 63 "
                                    : "") << path.ToUtf8();
        }
    }
    c_Image* font = nx_graphics_LoadImage(String("vela_font.png"), 96, c_Image::m_PadX);
    for (int frame = 0; frame < 96; ++frame)  // glyphs from "!", each between two empty columns
        EXPECT_EQ(std::make_pair(Sum(font, frame, 3) > 0, Sum(font, frame, 3, 1)), std::make_pair(frame > 0, Sum(font, frame, 3))) << "glyph " << frame;
    // A level draws its blocks in style k and its bonus blocks in style 63 - k: their colours differ at a glance.
    c_Image* tiles = nx_graphics_LoadImage2(String("tiles.png"), 32, 32, 64, 0);
    const auto apart = [&](int k, int channel) { return std::labs(Sum(tiles, k, channel) - Sum(tiles, 63 - k, channel)) / (32 * 32); };
    for (int k = 0; k < 32; ++k) EXPECT_GT(apart(k, 0) + apart(k, 1) + apart(k, 2), 100) << "style " << k;  // of 765, in the mean
}

TEST_F(GeneratedDataTest, EverySoundEffectIsAShortCleanAudibleSixteenBitSoundWithATrueRiffSize) {
    for (int id : kAssetSounds) {
        const std::string path = "data/sfx/" + std::to_string(1000 + id).substr(1) + ".wav";  // three digits
        int length = 0, channels = 0, bytesPerSample = 0, hertz = 0, bytes = 0;
        auto* samples = reinterpret_cast<int16_t*>(host.LoadAudioData(String(path.c_str()), &length, &channels, &bytesPerSample, &hertz));
        ASSERT_TRUE(samples && bytesPerSample == 2 && hertz == 44100 && length > hertz / 50 && length < 2 * hertz) << path;
        int16_t* end = samples + length * channels;
        const auto [low, high] = std::minmax_element(samples, end);
        const int peak = std::max(-*low, int(*high)), edge = std::max({std::abs(samples[0]), std::abs(samples[3]), std::abs(end[-4]), std::abs(end[-1])});
        EXPECT_TRUE(peak > 3000 && peak < 32000 && edge < 330) << path << ": peak " << peak << " (too quiet or full scale), at the ends " << edge << " (a click)";
        std::free(samples);
        unsigned char* file = host.LoadData(String(path.c_str()), &bytes);  // "RIFF", then the size of what follows, little-endian
        EXPECT_EQ(std::string(file, file + 4) + std::to_string(file[4] | file[5] << 8 | file[6] << 16 | uint32_t(file[7]) << 24), "RIFF" + std::to_string(bytes - 8)) << path;
        std::free(file);
    }
}

TEST_F(GeneratedDataTest, EachTuneIsAHalfMinuteToMinuteLoopWithoutAJumpAtItsSeamAndQuieterThanTheRing) {
    const auto load = [&](const char* path, int* length, int* channels, int* hertz) {  // in slices, as the loader decodes tunes
        int bytesPerSample = 0;
        NxAudioDecoding* decoding = host.BeginAudioData(String(path));
        decoding->Continue(1 << 30);
        auto* samples = reinterpret_cast<int16_t*>(decoding->Take(length, channels, &bytesPerSample, hertz));
        return delete decoding, samples;
    };
    const auto loudness = [](const int16_t* samples, long count) {
        double power = 0;
        for (long i = 0; i < count; ++i) power += double(samples[i]) * samples[i];
        return std::sqrt(power / count);
    };
    int ringLength = 0, ringChannels = 0, hertz = 0, length = 0, channels = 0;
    int16_t* ring = load("data/sfx/001.wav", &ringLength, &ringChannels, &hertz);
    for (const char* path : {"data/music/title.ogg", "data/music/play.ogg"}) {
        int16_t* samples = load(path, &length, &channels, &hertz);
        ASSERT_TRUE(samples && hertz == 44100 && length >= 30 * hertz && length <= 60 * hertz) << path;
        const auto at = [&](long frame, int channel) { return int(samples[(frame + length) % length * channels + channel]); };
        const auto step = [&](long frame, int channel) { return std::abs(at(frame, channel) - at(frame - 1, channel)); };
        const auto [low, high] = std::minmax_element(samples, samples + length * channels);
        EXPECT_LT(std::max(-*low, int(*high)), 29000) << path << ": within 1 dB of full scale";
        // Twice as quiet as the ring (6 dB under it), so a ring stays clear over the music.
        EXPECT_LT(2 * loudness(samples, long(length) * channels), loudness(ring, ringLength)) << path;
        for (int channel = 0; channel < channels; ++channel) {  // last to first no steeper than the 5 ms around it
            int nearby = 0;
            for (long frame = 1; frame < hertz / 200; ++frame) nearby = std::max({nearby, step(frame, channel), step(-frame, channel)});
            EXPECT_LE(step(0, channel), nearby) << path << ", channel " << channel;
        }
        std::free(samples);
    }
    std::free(ring);
}

TEST_F(GeneratedDataTest, TheGeneratorWritesTheSameFilesAgain) {
    // One more run into a new folder, compared file by file with the build's; diff names any file only one of them has.
    EXPECT_EQ(std::system("again=$(mktemp -d) && \"" FLINGAROO_MAKE_ASSETS "\" $again && diff --recursive --brief data $again;"
                          "status=$?; rm -rf \"$again\"; exit $status"), 0);
}

}  // namespace
