// Host services: resource paths, reading files, the state file, the date.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "host/glfw/glfw_game.h"

namespace {

std::string file_bytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Each test runs in a fresh temporary folder, where the state file lives.
class ServicesTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/flingaroo-host-XXXXXX";
        folder = mkdtemp(pattern);
        ASSERT_EQ(getcwd(previous, sizeof previous), previous);
        ASSERT_EQ(chdir(folder.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(previous), 0);
        std::string command = "rm -rf " + folder;
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    NxGlfwGame host;
    std::string folder;
    char previous[4096];
};

TEST_F(ServicesTest, ResourcePathsMapToFoldersBesideTheProgram) {
    EXPECT_EQ(host.PathToFilePath(String("kestrel://data/images/a.png")).ToUtf8(), "./data/images/a.png");
    EXPECT_EQ(host.PathToFilePath(String("kestrel://internal/x")).ToUtf8(), "./internal/x");
    EXPECT_EQ(host.PathToFilePath(String("kestrel://external/y")).ToUtf8(), "./external/y");
    EXPECT_TRUE(host.PathToFilePath(String("kestrel://other/z")).Empty());
    EXPECT_EQ(host.PathToFilePath(String("sprites/x.png")).ToUtf8(), "sprites/x.png");
    EXPECT_EQ(host.OpenFile(String("kestrel://other/z"), String("rb")), nullptr);
}

TEST_F(ServicesTest, StateRoundTripsThroughTheFileAsUtf8) {
    EXPECT_TRUE(host.LoadState().Empty()) << "no state file yet";

    Char text[] = {'s', 0xE9, 0x20AC, '1'};
    EXPECT_EQ(host.SaveState(String(text, 4)), 0);
    EXPECT_EQ(file_bytes(kStateFilePath), "s\xC3\xA9\xE2\x82\xAC" "1");
    EXPECT_TRUE(host.LoadState() == String(text, 4));

    EXPECT_EQ(host.SaveState(String()), 0);
    EXPECT_EQ(file_bytes(kStateFilePath), "");
    EXPECT_TRUE(host.LoadState().Empty());
}

TEST_F(ServicesTest, StateFileWithByteOrderMarkOrUtf16IsRead) {
    std::ofstream(kStateFilePath, std::ios::binary) << std::string("\xFF\xFE" "4\0" "2\0", 6);
    EXPECT_EQ(host.LoadState().ToUtf8(), "42");
}

TEST_F(ServicesTest, SaveThatCannotCompleteKeepsThePreviousRecords) {
    ASSERT_EQ(host.SaveState(String("records")), 0);
    // The temporary file cannot be created: a folder stands in its place.
    ASSERT_EQ(mkdir((std::string(kStateFilePath) + ".new").c_str(), 0700), 0);
    EXPECT_EQ(host.SaveState(String("newer")), -1);
    EXPECT_EQ(file_bytes(kStateFilePath), "records");
}

TEST_F(ServicesTest, LoadDataReadsWholeFilesAndCountsThemAsOutsideMemory) {
    std::ofstream("exact", std::ios::binary) << std::string(4096, 'a');
    std::ofstream("empty", std::ios::binary);
    int before = gc_ext_new_bytes;
    int length = -1;
    unsigned char* data = host.LoadData(String("exact"), &length);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(length, 4096);
    EXPECT_EQ(data[4095], 'a');
    EXPECT_EQ(gc_ext_new_bytes - before, 4096);
    std::free(data);

    data = host.LoadData(String("empty"), &length);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(length, 0);
    std::free(data);

    length = 7;
    EXPECT_EQ(host.LoadData(String("missing"), &length), nullptr);
    EXPECT_EQ(length, 7);
    EXPECT_TRUE(host.LoadString(String("missing")).Empty());
}

TEST_F(ServicesTest, DateFillsOnlyAsFarAsTheArrayReaches) {
    Array<int> three(3);
    host.GetDate(three);
    EXPECT_GE(three[0], 2024);
    EXPECT_GE(three[1], 1);
    EXPECT_LE(three[1], 12);

    Array<int> nine(9);
    nine[7] = nine[8] = 77;
    host.GetDate(nine);
    EXPECT_EQ(nine[6], 0);
    EXPECT_EQ(nine[7], 77);
    EXPECT_EQ(nine[8], 77);
}

}  // namespace
