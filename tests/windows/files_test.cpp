// The Windows file services, run under Wine by the windows tier: the records
// file replaced whole, whatever stands in the way of a save, and a records
// folder whose name is not ASCII.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/files.h"
#include "host/nxgame.h"
#include "host/windows/system.h"
#include "host/windows/text.h"

namespace {

namespace fs = std::filesystem;

// Keeps its records in a folder of its own below the temporary folder, named
// with letters from beyond ASCII and beyond the 16-bit range.
class RecordsHost : public NxGame {
public:
    std::string StateFilePath() override { return nx_windows_Utf8(file.wstring()); }
    fs::path folder = fs::temp_directory_path() / (L"Fl\u00efngaroo \u0416 \U0001F600 " + std::to_wstring(GetCurrentProcessId()));
    fs::path file = folder / L".kestrelstate";
    fs::path temporary = folder / L".kestrelstate.new";
};

class WindowsFilesTest : public testing::Test {
protected:
    void TearDown() override {
        SetFileAttributesW(host.temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code ignored;
        fs::remove_all(host.folder, ignored);
    }
    void plant_file(const fs::path& path, const char* bytes) {
        fs::create_directory(host.folder);
        std::ofstream(path) << bytes;
    }
    RecordsHost host;
};

TEST_F(WindowsFilesTest, SavesMakeTheFolderAndReplaceTheRecordsAndAnyStaleOrReadOnlyTemporaryFile) {
    EXPECT_EQ(host.LoadState(), String());  // a first run: no folder yet
    ASSERT_EQ(host.SaveState(String("1|2|3")), 0);
    for (DWORD attributes : {FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_READONLY}) {
        plant_file(host.temporary, "stale bytes that are longer than the records");
        SetFileAttributesW(host.temporary.c_str(), attributes);
        ASSERT_EQ(host.SaveState(String("7|8")), 0) << attributes;
        EXPECT_EQ(host.LoadState(), String("7|8"));
        EXPECT_FALSE(fs::exists(host.temporary));
    }
}

TEST_F(WindowsFilesTest, AFolderInTheWayFailsTheSaveKeepsTheRecordsAndLeavesNothingBehind) {
    ASSERT_EQ(host.SaveState(String("kept")), 0);
    fs::create_directory(host.temporary);
    EXPECT_EQ(host.SaveState(String("lost")), -1);
    EXPECT_EQ(host.LoadState(), String("kept"));
    fs::remove(host.temporary);

    fs::remove(host.file);
    fs::create_directory(host.file);
    EXPECT_EQ(host.SaveState(String("lost")), -1);
    EXPECT_FALSE(fs::exists(host.temporary));
    EXPECT_EQ(host.LoadState(), String());  // a folder is not read as records
}

TEST_F(WindowsFilesTest, OnlyFilesWithinTheLimitAreOpenedAndMissingOnesAreNoProblem) {
    std::string problem = "unset";
    EXPECT_EQ(nx_files_OpenRegular(host.StateFilePath(), kAnyFileSize, &problem), nullptr);
    EXPECT_EQ(problem, "");
    plant_file(host.file, "12345");
    EXPECT_EQ(nx_files_OpenRegular(host.StateFilePath(), 4, &problem), nullptr);
    EXPECT_EQ(problem, "File too large");
    FILE* file = nx_files_OpenRegular(host.StateFilePath(), 5, &problem);
    ASSERT_NE(file, nullptr);
    std::fclose(file);
}

}  // namespace
