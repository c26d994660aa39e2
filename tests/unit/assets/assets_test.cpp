// The data directory as the game sees it: the image files its loader asks for, at the
// three resolutions, cut into frames left to right and top to bottom; a font whose
// glyphs are drawn; sound effects that play cleanly; and a generator that always writes
// the same bytes. Files are read through ReadImage and ReadSound so the checks can move
// to the game's own decoders without changing.
#include <gtest/gtest.h>
#include <stb_image.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/asset_table.h"

namespace {

namespace fs = std::filesystem;

const std::string kDataDir = FLINGAROO_TEST_DATA_DIR;

// ---- reading files

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
    uint8_t Alpha(int x, int y) const { return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
    const uint8_t* Pixel(int x, int y) const {
        return &rgba[(static_cast<size_t>(y) * width + x) * 4];
    }
};

Image ReadImage(const std::string& path) {
    Image image;
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &image.width, &image.height, &channels, 4);
    if (pixels == nullptr) return {};
    image.rgba.assign(pixels, pixels + static_cast<size_t>(image.width) * image.height * 4);
    stbi_image_free(pixels);
    return image;
}

struct Sound {
    bool valid = false;
    int channels = 0;
    int sampleRate = 0;
    std::vector<int16_t> samples;  // interleaved
};

uint32_t LittleEndian(const std::vector<uint8_t>& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[at + i];
    return value;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Accepts exactly the plain layout: RIFF/WAVE, a 16-byte PCM fmt chunk, then data.
Sound ReadSound(const std::string& path) {
    std::vector<uint8_t> b = ReadBytes(path);
    Sound sound;
    if (b.size() < 44 || std::string(b.begin(), b.begin() + 4) != "RIFF") return sound;
    if (std::string(b.begin() + 8, b.begin() + 16) != "WAVEfmt " || LittleEndian(b, 16, 4) != 16)
        return sound;
    if (LittleEndian(b, 20, 2) != 1 || LittleEndian(b, 34, 2) != 16) return sound;
    if (std::string(b.begin() + 36, b.begin() + 40) != "data" ||
        LittleEndian(b, 4, 4) != b.size() - 8)
        return sound;
    uint32_t dataBytes = LittleEndian(b, 40, 4);
    if (dataBytes + 44 != b.size()) return sound;
    sound.channels = static_cast<int>(LittleEndian(b, 22, 2));
    sound.sampleRate = static_cast<int>(LittleEndian(b, 24, 4));
    for (size_t at = 44; at + 1 < b.size(); at += 2)
        sound.samples.push_back(static_cast<int16_t>(LittleEndian(b, at, 2)));
    sound.valid = sound.channels == 1 || sound.channels == 2;
    return sound;
}

// ---- what the game loads

std::string ImagePath(const std::string& root, const char* name, const AssetResolution& level) {
    return root + "/" + name + level.suffix + ".png";
}

std::string SoundPath(const std::string& root, int id) {
    char name[32];
    std::snprintf(name, sizeof name, "/sfx/%03d.wav", id);
    return root + name;
}

// ---- frame layout, as the loader cuts it

struct FrameOrigin {
    int x;
    int y;
};

// Frames of the given size in reading order; a partial column at the right is skipped.
// Returns no frames when the layout does not fit the surface, as the loader would fail.
std::vector<FrameOrigin> CutFrames(int surfaceWidth, int surfaceHeight, int width, int height,
                                   int count) {
    std::vector<FrameOrigin> frames;
    int x = 0;
    int y = 0;
    for (int i = 0; i < count; ++i) {
        if (x + width > surfaceWidth) {
            y += height;
            if (width > surfaceWidth) return {};
            x = 0;
        }
        if (y + height > surfaceHeight) return {};
        frames.push_back({x, y});
        x += width;
    }
    return frames;
}

bool FrameHasInk(const Image& image, FrameOrigin origin, int width, int height) {
    for (int y = origin.y; y < origin.y + height; ++y) {
        for (int x = origin.x; x < origin.x + width; ++x) {
            if (image.Alpha(x, y) > 128) return true;
        }
    }
    return false;
}

// Average difference of colour and coverage between two frames, 0..255.
double FrameDifference(const Image& image, FrameOrigin a, FrameOrigin b, int width, int height) {
    double total = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = image.Pixel(a.x + x, a.y + y);
            const uint8_t* q = image.Pixel(b.x + x, b.y + y);
            for (int c = 0; c < 4; ++c) total += std::abs(p[c] - q[c]);
        }
    }
    return total / (4.0 * width * height);
}

// ---- images

TEST(GeneratedImages, EveryLoadedImageCutsIntoItsFramesAtEveryResolution) {
    for (const AssetImage& asset : kAssetImages) {
        for (const AssetResolution& level : kAssetResolutions) {
            std::string path = ImagePath(kDataDir, asset.path, level);
            Image image = ReadImage(path);
            ASSERT_GT(image.width, 0) << path << " is missing or unreadable";
            int w = asset.frameWidth * level.level;
            int h = asset.frameHeight * level.level;
            auto frames = CutFrames(image.width, image.height, w, h, asset.frames);
            EXPECT_EQ(frames.size(), static_cast<size_t>(asset.frames))
                << path << " is too small for its frames";
            // No spare rows: a sheet drawn at the wrong resolution would leave them.
            if (!frames.empty()) {
                EXPECT_EQ(frames.back().y + h, image.height) << path;
            }
            EXPECT_EQ(image.width % w, 0) << path << " has a partial frame column";
        }
    }
}

TEST(GeneratedImages, EveryGlyphAndButtonIconOfTheFontIsDrawn) {
    for (const AssetResolution& level : kAssetResolutions) {
        Image font = ReadImage(ImagePath(kDataDir, "fonts/editundo", level));
        ASSERT_GT(font.width, 0);
        int size = 16 * level.level;
        auto frames = CutFrames(font.width, font.height, size, size, 128);
        ASSERT_EQ(frames.size(), 128u);
        for (int code = 33; code <= 126; ++code) {
            EXPECT_TRUE(FrameHasInk(font, frames[code - 32], size, size))
                << "glyph " << char(code) << level.suffix;
        }
        for (int icon = 0; icon < 13; ++icon) {
            EXPECT_TRUE(FrameHasInk(font, frames[96 + icon], size, size))
                << "pad icon " << icon << level.suffix;
            EXPECT_TRUE(FrameHasInk(font, frames[112 + icon], size, size))
                << "key icon " << icon << level.suffix;
        }
        EXPECT_FALSE(FrameHasInk(font, frames[0], size, size)) << "space must stay blank";
    }
}

struct DrawnFrames {
    const char* name;
    int size;  // frame size in game units (square)
    int count;
    std::vector<int> frames;
};

TEST(GeneratedImages, FramesThePlayScreensDrawAreNotEmpty) {
    std::vector<int> walls, allTiles;
    for (int i = 16; i < 32; ++i) walls.push_back(i);
    for (int i = 0; i < 64; ++i) allTiles.push_back(i);
    std::vector<int> sprites = {0, 1, 40, 41, 42, 43, 44, 45, 46, 47};
    sprites.insert(sprites.end(), walls.begin(), walls.end());
    const DrawnFrames drawn[] = {
        {"gfx", 32, 64, sprites},
        {"tiles", 32, 64, allTiles},
        {"common/icons", 32, 16, {0, 1, 3, 6}},
        {"common/Buttons", 64, 16, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 12}},
    };
    for (const DrawnFrames& set : drawn) {
        Image image = ReadImage(ImagePath(kDataDir, set.name, kAssetResolutions[1]));
        ASSERT_GT(image.width, 0) << set.name;
        int size = set.size * 2;
        auto frames = CutFrames(image.width, image.height, size, size, set.count);
        ASSERT_EQ(frames.size(), static_cast<size_t>(set.count)) << set.name;
        for (int frame : set.frames)
            EXPECT_TRUE(FrameHasInk(image, frames[frame], size, size)) << set.name << " " << frame;
    }
}

TEST(GeneratedImages, BonusBlockStyleDiffersClearlyFromItsLevelsBlockStyle) {
    Image tiles = ReadImage(ImagePath(kDataDir, "tiles", kAssetResolutions[1]));
    ASSERT_GT(tiles.width, 0);
    auto frames = CutFrames(tiles.width, tiles.height, 64, 64, 64);
    ASSERT_EQ(frames.size(), 64u);
    for (int style = 0; style < 32; ++style) {
        EXPECT_GT(FrameDifference(tiles, frames[style], frames[63 - style], 64, 64), 40.0)
            << "style " << style;
    }
}

TEST(GeneratedImages, DefaultFontIsAStripOf96BorderedFrames) {
    Image strip = ReadImage(kDataDir + "/vela_font.png");
    ASSERT_GT(strip.width, 0);
    ASSERT_EQ(strip.width % 96, 0);
    int frameWidth = strip.width / 96;
    ASSERT_GE(frameWidth, 3);
    for (int frame = 0; frame < 96; ++frame) {
        int left = frame * frameWidth;
        for (int y = 0; y < strip.height; ++y) {
            EXPECT_EQ(strip.Alpha(left, y), 0) << "frame " << frame << " left border";
            EXPECT_EQ(strip.Alpha(left + frameWidth - 1, y), 0)
                << "frame " << frame << " right border";
        }
        if (frame >= 1 && frame <= 94) {
            EXPECT_TRUE(FrameHasInk(strip, {left + 1, 0}, frameWidth - 2, strip.height))
                << "glyph " << char(frame + 32);
        }
    }
}

// ---- sounds

TEST(GeneratedSounds, EveryEffectIsACleanShortPcmWav) {
    for (int id : kAssetSounds) {
        std::string path = SoundPath(kDataDir, id);
        Sound sound = ReadSound(path);
        ASSERT_TRUE(sound.valid) << path << " is not a plain 16-bit PCM WAV";
        ASSERT_GT(sound.sampleRate, 0);
        double seconds =
            static_cast<double>(sound.samples.size()) / sound.channels / sound.sampleRate;
        EXPECT_GT(seconds, 0.02) << path;
        EXPECT_LT(seconds, 2.0) << path;
        int peak = 0;
        for (int16_t s : sound.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_LT(peak, 32000) << path << " reaches full scale";
        EXPECT_GT(peak, 3000) << path << " is nearly silent";
        size_t edge = static_cast<size_t>(sound.channels) * 4;
        for (size_t i = 0; i < edge; ++i) {
            EXPECT_LT(std::abs(sound.samples[i]), 330) << path << " starts with a click";
            EXPECT_LT(std::abs(sound.samples[sound.samples.size() - 1 - i]), 330)
                << path << " ends with a click";
        }
    }
}

// ---- the generator

std::vector<std::string> FilesBelow(const fs::path& root) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(AssetGenerator, TwoRunsWriteIdenticalFiles) {
    fs::path base = fs::temp_directory_path() / ("flingaroo_assets_" + std::to_string(::getpid()));
    fs::remove_all(base);
    for (const char* run : {"a", "b"}) {
        std::string command =
            std::string("\"") + FLINGAROO_MAKE_ASSETS + "\" \"" + (base / run).string() + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    std::vector<std::string> first = FilesBelow(base / "a");
    ASSERT_EQ(first, FilesBelow(base / "b"));
    EXPECT_EQ(first, FilesBelow(kDataDir)) << "the build's data directory holds other files";
    for (const std::string& file : first) {
        EXPECT_TRUE(ReadBytes((base / "a" / file).string()) ==
                    ReadBytes((base / "b" / file).string()))
            << file;
    }
    fs::remove_all(base);
}

}  // namespace
