// Image decoding from an open file, here black PNGs built in memory
// with stored (uncompressed) deflate blocks, so a test states the exact size
// an image truly decodes to. stb_image checks no CRC or Adler-32: they are 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "host/decode/image_data.h"
#include "runtime/gc.h"

namespace {

std::string BigEndian(uint32_t value) { return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)}; }

// Black pixels; the deflate stream is a stored block per row: its filter byte (none), its pixels.
std::string Png(uint32_t width, uint32_t height, int channels) {
    const char* colourType = "\0\0\4\2\6";  // by channels: grey, grey and alpha, RGB, RGBA
    const uint16_t block = uint16_t(width * channels + 1);
    std::string png = "\x89PNG\r\n\x1a\n" + BigEndian(13) + "IHDR" + BigEndian(width) + BigEndian(height) +
                      std::string{8, colourType[channels], 0, 0, 0} + BigEndian(0) + BigEndian(2 + height * (block + 5)) + "IDAT\x78\x01";
    for (uint32_t y = 0; y < height; ++y) (png += {char(y + 1 == height), char(block), char(block >> 8), char(~block), char(~block >> 8)}).append(block, '\0');
    return png += BigEndian(0) + BigEndian(0) + "IEND" + BigEndian(0);
}

// PNG is the one format read. The limits are checked from the header, before any pixel buffer exists: a
// small file can declare a gigabyte. Refused or undecodable files give null
// and leave the outputs (-1) alone; decoded pixels keep the file's channels,
// black, and count for the collector.
TEST(ImageDecodeTest, ImagesDecodeInTheirOwnChannelsUpToTheLimitsAndNothingElseDoes) {
    const std::string whole = Png(64, 64, 3), none = "-1x-1x-1";
    const std::pair<std::string, std::string> files[] = {
        {Png(3, 2, 1), "3x2x1"}, {Png(3, 2, 2), "3x2x2"}, {Png(3, 2, 3), "3x2x3"}, {Png(3, 2, 4), "3x2x4"},
        {"", none}, {whole.substr(0, whole.size() / 2), none}, {"hello", none}, {std::string("P6\n1 1\n255\n\0\0\0", 14), none},  // a well-formed PPM
        {Png(8192, 1, 1), "8192x1x1"}, {Png(8193, 1, 1), none}, {Png(1, 8193, 1), none},  // the widest side
        // 64 MiB exactly, and a row more: the budget counts the file's own channels.
        {Png(4096, 4096, 4), "4096x4096x4"}, {Png(4096, 4097, 4), none}, {Png(4096, 4097, 1), "4096x4097x1"},
    };
    for (auto [file, decoded] : files) {
        int width = -1, height = -1, depth = -1, collectorBytes = gc_ext_new_bytes;
        unsigned char* pixels = nx_host_DecodeImageFile(file.empty() ? nullptr : fmemopen(file.data(), file.size(), "rb"), &width, &height, &depth);
        const int bytes = pixels ? width * height * depth : 0;
        EXPECT_EQ(std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth), decoded);
        EXPECT_EQ(std::make_pair(gc_ext_new_bytes - collectorBytes, std::count(pixels, pixels + bytes, 0)), std::make_pair(bytes, long(bytes)));
        std::free(pixels);
    }
}

}  // namespace
