// Host services: resource paths, reading files, the state file, the date.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/glfw/glfw_game.h"

namespace {

std::string file_bytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// What the state file held each time the working folder was synced to disk.
std::vector<std::string> working_folder_syncs;

bool is_working_folder(int descriptor) {
    struct stat opened, working;
    return fstat(descriptor, &opened) == 0 && stat(".", &working) == 0 &&
           opened.st_dev == working.st_dev && opened.st_ino == working.st_ino;
}

}  // namespace

// Stands in for the C library's fsync in this program, records syncs of the
// working folder, and then syncs for real.
extern "C" int fsync(int descriptor) {
    if (is_working_folder(descriptor)) working_folder_syncs.push_back(file_bytes(kStateFilePath));
    return static_cast<int>(syscall(SYS_fsync, descriptor));
}

namespace {

constexpr const char* kTemporaryPath = "./.kestrelstate.new";
constexpr unsigned kHangSeconds = 10;

// A call that blocks ends the test process (SIGALRM's default action), so a
// hang fails the test instead of stalling the run.
class HangGuard {
public:
    HangGuard() { alarm(kHangSeconds); }
    ~HangGuard() { alarm(0); }
};

// A folder that neither unlink nor rmdir can take away.
void make_full_folder(const char* path) {
    ASSERT_EQ(mkdir(path, 0700), 0);
    std::ofstream(std::string(path) + "/inside");
}

void remove_full_folder(const char* path) {
    ASSERT_EQ(std::remove((std::string(path) + "/inside").c_str()), 0);
    ASSERT_EQ(std::remove(path), 0);
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

TEST_F(ServicesTest, StateFileThatIsNotARegularFileLoadsEmptyAndSaysSoOnce) {
    struct Case {
        const char* kind;
        int (*make)(const char* path);
        const char* warning;
    };
    const Case cases[] = {
        {"fifo", [](const char* path) { return mkfifo(path, 0600); },
         "Ignoring .kestrelstate: not a regular file\n"},
        {"folder", [](const char* path) { return mkdir(path, 0700); },
         "Ignoring .kestrelstate: not a regular file\n"},
        {"missing", [](const char*) { return 0; }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        ASSERT_EQ(c.make(kStateFilePath), 0);
        testing::internal::CaptureStderr();
        {
            HangGuard guard;
            EXPECT_TRUE(host.LoadState().Empty());
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.warning);
        std::remove(kStateFilePath);
    }
}

// Whatever stands at the temporary name is removed, never written through or
// waited on, and the state file that results is a plain file.
TEST_F(ServicesTest, SaveReplacesWhateverStandsAtTheTemporaryName) {
    struct Case {
        const char* kind;
        int (*plant)(const char* path);
    };
    const Case cases[] = {
        {"link to another file", [](const char* path) { return symlink("decoy", path); }},
        {"fifo", [](const char* path) { return mkfifo(path, 0600); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        std::ofstream("decoy") << "decoy";
        ASSERT_EQ(c.plant(kTemporaryPath), 0);
        {
            HangGuard guard;
            EXPECT_EQ(host.SaveState(String("records")), 0);
        }
        struct stat state;
        ASSERT_EQ(lstat(kStateFilePath, &state), 0);
        EXPECT_TRUE(S_ISREG(state.st_mode));
        EXPECT_EQ(file_bytes(kStateFilePath), "records");
        EXPECT_EQ(file_bytes("decoy"), "decoy");
        std::remove(kStateFilePath);
    }
}

TEST_F(ServicesTest, SaveSyncsTheFolderAfterTheRename) {
    working_folder_syncs.clear();
    ASSERT_EQ(host.SaveState(String("records")), 0);
    EXPECT_EQ(working_folder_syncs, std::vector<std::string>{"records"});
}

TEST_F(ServicesTest, SaveThatCannotCompleteKeepsTheRecordsAndSaysWhyOncePerTrouble) {
    ASSERT_EQ(host.SaveState(String("records")), 0);
    const std::string complaint = "Could not save .kestrelstate: Is a directory\n";
    testing::internal::CaptureStderr();
    make_full_folder(kTemporaryPath);
    for (int save = 0; save < 3; ++save) EXPECT_EQ(host.SaveState(String("newer")), -1);
    EXPECT_EQ(file_bytes(kStateFilePath), "records");
    // A success in between forgets the trouble, so its return is reported again.
    remove_full_folder(kTemporaryPath);
    EXPECT_EQ(host.SaveState(String("newest")), 0);
    make_full_folder(kTemporaryPath);
    EXPECT_EQ(host.SaveState(String("newer")), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), complaint + complaint);
    EXPECT_EQ(file_bytes(kStateFilePath), "newest");
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
