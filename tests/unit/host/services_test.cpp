// Host services: the path rules, reading files, the state file with what may
// stand in its way, and the date.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/data_path.h"
#include "host/glfw/glfw_game.h"
#include "host/glfw/places.h"

static std::string file_bytes(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

static std::vector<std::string> folder_syncs;  // what the state file held each time its folder was synced

// Stands in for the C library's fsync in this program and records syncs of a
// folder (only the state file's is ever synced); nothing here needs the disk.
extern "C" int fsync(int descriptor) {
    struct stat synced;
    if (fstat(descriptor, &synced) == 0 && S_ISDIR(synced.st_mode))
        folder_syncs.push_back(file_bytes(kStateFilePath));
    return 0;
}

namespace {

constexpr const char* kTemporary = "./.kestrelstate.new";

// Each test runs in a fresh temporary folder, where the state file lives.
class ServicesTest : public testing::Test {
protected:
    void SetUp() override { std::filesystem::current_path(mkdtemp(folder)); }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // The program installed (its data in ../share/flingaroo/data) and started
    // in its folder games/, with XDG_DATA_HOME at `xdg` below the test's folder.
    void FindPlacesInstalled(const std::string& xdg) {
        std::filesystem::current_path(folder);
        std::filesystem::create_directories("share/flingaroo/data");
        std::filesystem::create_directories("games");
        setenv("XDG_DATA_HOME", (folder + xdg).c_str(), 1);
        std::filesystem::current_path("games");
        host.FindPlaces();
        unsetenv("XDG_DATA_HOME");
    }

    char folder[32] = "/tmp/flingaroo-host-XXXXXX";
    NxGlfwGame host;
};

TEST_F(ServicesTest, NamesGoBelowTheDataRootItsRootsToFoldersBesideTheProgramAndRegularFilesAreReadWhole) {
    for (auto [path, fixed] : {std::pair("gfx/a.png", "kestrel://data/gfx/a.png"), {"", "kestrel://data/"},
                               {"a/b:/c", "kestrel://data/a/b:/c"}, {"kestrel://x/y", "kestrel://x/y"},
                               {"./save", "./save"}, {"/abs", "/abs"}})
        EXPECT_EQ(nx_data_FixDataPath(String(path)).ToUtf8(), fixed);
    for (auto [path, file] : {std::pair("kestrel://data/gfx/a.png", "./data/gfx/a.png"), {"gfx/a.png", "gfx/a.png"},
                              {"kestrel://internal/x", "./internal/x"}, {"kestrel://external/y", "./external/y"},
                              {"kestrel://other/z", ""}})
        EXPECT_EQ(host.PathToFilePath(String(path)), file);
    std::ofstream("big", std::ios::binary) << std::string(5000, 'a') << 'z';
    int before = gc_ext_new_bytes, length = -1;
    unsigned char* data = host.LoadData(String("big"), &length);
    EXPECT_EQ(std::tuple(length, data[5000], gc_ext_new_bytes - before), std::tuple(5001, 'z', 5001));
    std::free(data);
    ASSERT_EQ(mkfifo("fifo", 0600), 0);
    for (const char* unread : {"missing", "fifo", "."}) {  // at once: a FIFO without a writer must not block
        EXPECT_EQ(std::tuple(host.LoadData(String(unread), &length), host.OpenFile(String(unread), String("rb"))), std::tuple(nullptr, nullptr)) << unread;
        EXPECT_TRUE(host.LoadString(String(unread)).Empty()) << unread;
    }
    EXPECT_EQ(host.LoadString(String("big")).Length(), 5001);
}

TEST_F(ServicesTest, StateRoundTripsAsUtf8AndItsFolderIsSyncedAfterTheRename) {
    for (auto [state, bytes] : {std::pair(String("s\xE9" "1"), "s\xC3\xA9" "1"), {String(), ""}}) {
        folder_syncs.clear();
        EXPECT_EQ(host.SaveState(state), 0);
        EXPECT_EQ(file_bytes(kStateFilePath), bytes);
        EXPECT_EQ(folder_syncs, std::vector<std::string>{bytes});
        EXPECT_TRUE(host.LoadState() == state);
    }
}

TEST_F(ServicesTest, StateFileThatIsNotARegularFileOrOverAMegabyteLoadsEmptyAndSaysSoAndAMissingOneSaysNothing) {
    const char* ignored = "Ignoring .kestrelstate: not a regular file\n";
    for (auto [make, warning] : {std::pair(+[] { return mkfifo(kStateFilePath, 0600); }, ignored),
                                 {+[] { return mkdir(kStateFilePath, 0700); }, ignored}, {+[] { return 0; }, ""},
                                 {+[] { return std::ofstream(kStateFilePath) << std::string((1 << 20) + 1, '1'), 0; },
                                  "Ignoring .kestrelstate: File too large\n"}}) {
        ASSERT_EQ(make(), 0);
        testing::internal::CaptureStderr();
        EXPECT_TRUE(host.LoadState().Empty());  // at once: a FIFO without a writer must not block
        EXPECT_EQ(testing::internal::GetCapturedStderr(), warning);
        std::filesystem::remove(kStateFilePath);
    }
}

// Whatever stands at the temporary name is removed, never written through or
// waited on, and the state file that results is a plain file.
TEST_F(ServicesTest, SaveReplacesWhateverStandsAtTheTemporaryName) {
    for (auto plant : {+[] { return symlink("decoy", kTemporary); }, +[] { return mkfifo(kTemporary, 0600); }}) {
        std::ofstream("decoy") << "decoy";
        ASSERT_EQ(plant(), 0);
        EXPECT_EQ(host.SaveState(String("records")), 0);
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(kStateFilePath)));
        EXPECT_EQ(file_bytes(kStateFilePath), "records");
        EXPECT_EQ(file_bytes("decoy"), "decoy");
    }
}

TEST_F(ServicesTest, SaveThatCannotCompleteKeepsTheRecordsAndSaysWhyOncePerTrouble) {
    ASSERT_EQ(host.SaveState(String("records")), 0);
    const std::string complaint = "Could not save .kestrelstate: Is a directory\n";
    testing::internal::CaptureStderr();
    std::filesystem::create_directories("./.kestrelstate.new/full");  // neither unlink nor rmdir takes it
    for (int save = 0; save < 3; ++save) EXPECT_EQ(host.SaveState(String("newer")), -1);
    EXPECT_EQ(file_bytes(kStateFilePath), "records");
    // A success in between forgets the trouble, so its return is reported again.
    std::filesystem::remove_all(kTemporary);
    EXPECT_EQ(host.SaveState(String("newest")), 0);
    std::filesystem::create_directories("./.kestrelstate.new/full");
    EXPECT_EQ(host.SaveState(String("newer")), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), complaint + complaint);
}

// A program folder with data/ (a build or a copy) uses it; an installed one
// finds share/flingaroo/data beside its own folder. Records stay beside a
// program whose data is beside it and otherwise go to the player's data
// folder, made private on the way, even when the program's folder (as for
// root) may be written.
TEST_F(ServicesTest, DataIsBesideTheProgramOrInstalledAboveItAndRecordsGoBesideOnlyDataBesideIt) {
    std::filesystem::create_directories("games");
    EXPECT_EQ(nx_glfw_DataFolder("games/"), "games/data/");
    std::filesystem::create_directories("share/flingaroo/data");
    EXPECT_EQ(nx_glfw_DataFolder("games/"), "games/../share/flingaroo/data/");
    std::filesystem::create_directories("games/data");
    EXPECT_EQ(nx_glfw_DataFolder("games/"), "games/data/");

    const std::string here = std::filesystem::current_path().string();
    for (const char* beside : {"./", "games/", "gone/"}) EXPECT_EQ(nx_glfw_RecordsFolder(beside, "/nowhere", "/nowhere"), beside);
    std::filesystem::create_directories("bin");
    EXPECT_EQ(nx_glfw_RecordsFolder("bin/", (here + "/xdg").c_str(), "/nowhere"), here + "/xdg/flingaroo/");
    EXPECT_EQ(nx_glfw_RecordsFolder("bin/", "relative/xdg", here.c_str()), here + "/.local/share/flingaroo/");
    for (const char* folder : {"xdg", "xdg/flingaroo", ".local", ".local/share/flingaroo"})
        EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all) << folder;
}

// The state file beside an installed program carries over, but never over a
// records file already in the records folder; where the records folder cannot
// take it, it is still read, and the message names that folder.
TEST_F(ServicesTest, RecordsBesideTheProgramCarryOverNeverOverNewerOnesAndAreReadWhenTheyCannot) {
    std::filesystem::create_directories("games");
    std::ofstream("games/.kestrelstate") << "older";
    std::filesystem::create_directories("xdg/flingaroo");
    std::ofstream("xdg/flingaroo/.kestrelstate") << "newer";
    std::ofstream("file") << "not a folder";
    for (auto [xdg, loaded, said] :
         {std::tuple("/xdg", "newer", std::string()),
          {"/file", "older", "Could not save .kestrelstate: Not a directory\nReading the records beside the game; "
                             "they cannot be kept in " + std::string(folder) + "/file/flingaroo/\n"}}) {
        testing::internal::CaptureStderr();
        FindPlacesInstalled(xdg);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), said);
        EXPECT_TRUE(host.LoadState() == String(loaded)) << xdg;
    }
    EXPECT_EQ(file_bytes("../xdg/flingaroo/.kestrelstate"), "newer");
}

// A folder from the environment is used byte for byte, whether or not it is UTF-8.
TEST_F(ServicesTest, RecordsRoundTripInAnEnvironmentFolderOfAnyBytes) {
    for (const char* xdg : {"/h_\xF0\x9F\x98\x80", "/x\xE9"}) {
        FindPlacesInstalled(xdg);
        EXPECT_EQ(host.SaveState(String("records")), 0);
        EXPECT_EQ(file_bytes((".." + std::string(xdg) + "/flingaroo/.kestrelstate").c_str()), "records") << xdg;
        EXPECT_TRUE(host.LoadState() == String("records")) << xdg;
    }
}

TEST_F(ServicesTest, DateFillsOnlyAsFarAsTheArrayReaches) {
    const std::time_t now = std::time(nullptr);
    Array<int> date(2);
    host.GetDate(date);
    EXPECT_EQ(std::pair(date[0], date[1]), std::pair(localtime(&now)->tm_year + 1900, localtime(&now)->tm_mon + 1));
}

}  // namespace
