// Image decoding through the host: files written here with stb_image_write
// (or, for images too large to write quickly, built by hand),
// read back through the host's OpenFile with their own channel count.
#include <gtest/gtest.h>
#include <stb_image_write.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/decode/image_data.h"

namespace {

// Deflate packs fields from their least significant bit, Huffman codes from
// their most significant one.
class DeflateBits {
public:
    void PutField(uint32_t value, int count) {
        for (int i = 0; i < count; ++i) PutBit((value >> i) & 1);
    }
    void PutCode(uint32_t code, int length) {
        for (int i = length; i-- > 0;) PutBit((code >> i) & 1);
    }
    std::vector<char> bytes;

private:
    void PutBit(uint32_t bit) {
        if (used % 8 == 0) bytes.push_back(0);
        bytes.back() = static_cast<char>(bytes.back() | bit << (used++ % 8));
    }
    long used = 0;
};

void AppendBigEndian(std::vector<char>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

// A zlib stream of `count` zero bytes that is 160 times smaller: one block of
// fixed Huffman codes holding a literal zero, then copies of 258 bytes from
// one byte back (length code 285, distance code 0), then the last few zeros.
std::vector<char> ZlibOfZeros(uint32_t count) {
    constexpr uint32_t kLiteralZero = 0x30, kLength258 = 0xC5, kLongestCopy = 258;
    DeflateBits deflate;
    deflate.PutField(1, 1);  // the last block
    deflate.PutField(1, 2);  // fixed Huffman codes
    deflate.PutCode(kLiteralZero, 8);
    uint32_t left = count - 1;
    for (; left >= kLongestCopy; left -= kLongestCopy) {
        deflate.PutCode(kLength258, 8);
        deflate.PutCode(0, 5);
    }
    for (; left > 0; --left) deflate.PutCode(kLiteralZero, 8);
    deflate.PutCode(0, 7);  // end of block
    std::vector<char> zlib{0x78, 0x01};
    zlib.insert(zlib.end(), deflate.bytes.begin(), deflate.bytes.end());
    AppendBigEndian(zlib, (count % 65521) << 16 | 1);  // Adler-32 of zeros
    return zlib;
}

uint32_t Crc32(const std::vector<char>& bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit) crc = crc >> 1 ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void AppendChunk(std::vector<char>& png, const char* type, const std::vector<char>& data) {
    std::vector<char> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    AppendBigEndian(png, static_cast<uint32_t>(data.size()));
    png.insert(png.end(), typed.begin(), typed.end());
    AppendBigEndian(png, Crc32(typed));
}

// A complete, valid PNG of black pixels, grey (1 channel) or RGBA (4): a file
// of kilobytes that truly decodes to width × height × channels bytes.
std::vector<char> BlackPng(uint32_t width, uint32_t height, int channels) {
    std::vector<char> header;
    AppendBigEndian(header, width);
    AppendBigEndian(header, height);
    const char colourType = channels == 4 ? 6 : 0;
    header.insert(header.end(), {8, colourType, 0, 0, 0});  // 8 bits, no interlacing
    std::vector<char> png{'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n'};
    AppendChunk(png, "IHDR", header);
    // Each row is its filter byte (0, none) and its pixels: all zero.
    AppendChunk(png, "IDAT", ZlibOfZeros(height * (1 + width * uint32_t(channels))));
    AppendChunk(png, "IEND", {});
    return png;
}

class ImageDecodeTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/flingaroo-decode-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory = pattern;
    }
    void TearDown() override {
        for (const std::string& file : files) std::remove(file.c_str());
        rmdir(directory.c_str());
    }

    std::string PathOf(const std::string& name) {
        files.push_back(directory + "/" + name);
        return files.back();
    }
    std::string WritePng(const std::string& name, int width, int height, int depth,
                         const std::vector<unsigned char>& pixels) {
        std::string path = PathOf(name);
        EXPECT_NE(stbi_write_png(path.c_str(), width, height, depth, pixels.data(), width * depth), 0);
        return path;
    }
    std::string WriteBytes(const std::string& name, const std::vector<char>& bytes) {
        std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary).write(bytes.data(), long(bytes.size()));
        return path;
    }
    std::vector<char> ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<char>(std::istreambuf_iterator<char>(in), {});
    }
    unsigned char* Decode(const std::string& path) {
        return nx_host_DecodeImageFile(&host, String(path.c_str()), &width, &height, &depth);
    }

    NxGame host;
    std::string directory;
    std::vector<std::string> files;
    int width = -1, height = -1, depth = -1;
};

}  // namespace

TEST_F(ImageDecodeTest, GreyAndAlphaKeepTwoChannelsInTheFilesOrder) {
    const std::vector<unsigned char> pixels{10, 255, 20, 128, 30, 0, 40, 64, 50, 32, 60, 16};
    const std::string path = WritePng("grey-alpha.png", 3, 2, 2, pixels);
    const int externalBefore = gc_ext_new_bytes;
    unsigned char* decoded = Decode(path);
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(depth, 2);
    EXPECT_EQ(std::vector<unsigned char>(decoded, decoded + 12), pixels);  // not premultiplied
    EXPECT_EQ(gc_ext_new_bytes - externalBefore, 12);
    std::free(decoded);
}

TEST_F(ImageDecodeTest, EveryChannelCountComesBackAsStored) {
    for (int channels = 1; channels <= 4; ++channels) {
        std::vector<unsigned char> pixels(size_t(2 * 2 * channels));
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 17);
        unsigned char* decoded = Decode(WritePng("c" + std::to_string(channels) + ".png", 2, 2, channels, pixels));
        ASSERT_NE(decoded, nullptr);
        EXPECT_EQ(depth, channels);
        EXPECT_EQ(std::vector<unsigned char>(decoded, decoded + pixels.size()), pixels);
        std::free(decoded);
    }
}

TEST_F(ImageDecodeTest, FilesThatAreNotCompleteImagesGiveNullAndLeaveTheOutputs) {
    std::vector<unsigned char> pixels(64 * 64 * 3, 200);
    for (size_t i = 0; i < pixels.size(); i += 7) pixels[i] = static_cast<unsigned char>(i);
    std::vector<char> png = ReadBytes(WritePng("whole.png", 64, 64, 3, pixels));
    png.resize(png.size() / 2);
    EXPECT_EQ(Decode(WriteBytes("truncated.png", png)), nullptr);
    EXPECT_EQ(Decode(WriteBytes("text.png", {'h', 'e', 'l', 'l', 'o', '\n'})), nullptr);
    EXPECT_EQ(Decode(WriteBytes("empty.png", {})), nullptr);
    EXPECT_EQ(Decode(directory + "/missing.png"), nullptr);
    EXPECT_EQ(width, -1);
    EXPECT_EQ(depth, -1);
}

TEST_F(ImageDecodeTest, FileDeclaringAHugeImageIsRefusedLikeAnUndecodableOne) {
    // 500 KB of valid PNG that would decode to 81 MB.
    const std::string bomb = WriteBytes("bomb.png", BlackPng(9000, 9000, 1));
    const int externalBefore = gc_ext_new_bytes;
    EXPECT_EQ(Decode(bomb), nullptr);
    EXPECT_EQ(width, -1);
    EXPECT_EQ(depth, -1);
    EXPECT_EQ(gc_ext_new_bytes, externalBefore);
}

TEST_F(ImageDecodeTest, ImagesUpToTheTextureLimitsDecodeAndOneStepPastIsRefused) {
    struct Case {
        uint32_t width, height;
        int channels;
        bool decodes;
    };
    const Case cases[] = {
        // The widest side, and one pixel past it either way.
        {8192, 1, 1, true},
        {8193, 1, 1, false},
        {1, 8193, 1, false},
        // 64 MiB exactly, and a row more: the budget counts the file's own channels.
        {4096, 4096, 4, true},
        {4096, 4097, 4, false},
        {4096, 4097, 1, true},
    };
    for (const Case& image : cases) {
        SCOPED_TRACE(std::to_string(image.width) + " x " + std::to_string(image.height) + " x " +
                     std::to_string(image.channels));
        const std::vector<char> png = BlackPng(image.width, image.height, image.channels);
        unsigned char* decoded = Decode(WriteBytes("limit.png", png));
        EXPECT_EQ(decoded != nullptr, image.decodes);
        std::free(decoded);
    }
}
