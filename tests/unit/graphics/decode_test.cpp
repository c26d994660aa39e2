// Image decoding through the host: files written here with stb_image_write,
// read back through the host's OpenFile with their own channel count.
#include <gtest/gtest.h>
#include <stb_image_write.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/decode/image_data.h"

namespace {

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
