// The Windows file services, run under Wine by the windows tier: the records
// file replaced whole, whatever stands in the way of a save, and a records
// folder whose name is not ASCII.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/files.h"
#include "host/nxgame.h"
#include "host/windows/system.h"
#include "host/windows/text.h"

namespace {

std::wstring temporary_folder() {
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, path);
    return path;
}

// Keeps its records in a folder of its own below the temporary folder, named
// with letters from beyond ASCII and beyond the 16-bit range.
class RecordsHost : public NxGame {
public:
    std::string StateFilePath() override { return nx_windows_Utf8(folder) + "\\.kestrelstate"; }
    std::wstring folder = temporary_folder() + L"Fl\u00efngaroo \u0416 \U0001F600 " + std::to_wstring(GetCurrentProcessId());
    std::wstring file = folder + L"\\.kestrelstate";
    std::wstring temporary = file + L".new";
};

class WindowsFilesTest : public testing::Test {
protected:
    void TearDown() override {
        SetFileAttributesW(host.temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(host.temporary.c_str());
        RemoveDirectoryW(host.temporary.c_str());
        DeleteFileW(host.file.c_str());
        RemoveDirectoryW(host.file.c_str());
        RemoveDirectoryW(host.folder.c_str());
    }

    bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    void plant_file(const std::wstring& path, const char* bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        CreateDirectoryW(host.folder.c_str(), nullptr);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
        DWORD written;
        WriteFile(file, bytes, static_cast<DWORD>(strlen(bytes)), &written, nullptr);
        CloseHandle(file);
    }

    RecordsHost host;
};

TEST_F(WindowsFilesTest, SavesMakeTheFolderAndReplaceTheRecordsWholeLeavingNoTemporaryFile) {
    EXPECT_EQ(host.LoadState(), String());  // a first run: no folder yet
    ASSERT_EQ(host.SaveState(String("1|2|3")), 0);
    EXPECT_TRUE(exists(host.folder));
    ASSERT_EQ(host.SaveState(String("4|5")), 0);
    EXPECT_EQ(host.LoadState(), String("4|5"));
    EXPECT_FALSE(exists(host.temporary));
}

TEST_F(WindowsFilesTest, AStaleOrReadOnlyTemporaryFileIsReplacedNeverReused) {
    for (DWORD attributes : {DWORD(FILE_ATTRIBUTE_NORMAL), DWORD(FILE_ATTRIBUTE_READONLY)}) {
        plant_file(host.temporary, "stale bytes that are longer than the records", attributes);
        ASSERT_EQ(host.SaveState(String("7|8")), 0) << attributes;
        EXPECT_EQ(host.LoadState(), String("7|8"));
        EXPECT_FALSE(exists(host.temporary));
    }
}

TEST_F(WindowsFilesTest, AFolderInTheWayFailsTheSaveKeepsTheRecordsAndLeavesNothingBehind) {
    ASSERT_EQ(host.SaveState(String("kept")), 0);
    CreateDirectoryW(host.temporary.c_str(), nullptr);
    EXPECT_EQ(host.SaveState(String("lost")), -1);
    EXPECT_EQ(host.LoadState(), String("kept"));
    RemoveDirectoryW(host.temporary.c_str());

    DeleteFileW(host.file.c_str());
    CreateDirectoryW(host.file.c_str(), nullptr);
    EXPECT_EQ(host.SaveState(String("lost")), -1);
    EXPECT_FALSE(exists(host.temporary));
    EXPECT_EQ(host.LoadState(), String());  // a folder is not read as records
}

TEST_F(WindowsFilesTest, OnlyRegularFilesWithinTheLimitAreOpenedAndMissingOnesAreNoProblem) {
    const std::string folder = nx_windows_Utf8(host.folder);
    std::string problem = "unset";
    EXPECT_EQ(nx_files_OpenRegular(folder + "\\missing", kAnyFileSize, &problem), nullptr);
    EXPECT_EQ(problem, "");
    CreateDirectoryW(host.folder.c_str(), nullptr);
    EXPECT_EQ(nx_files_OpenRegular(folder, kAnyFileSize, &problem), nullptr);
    EXPECT_EQ(problem, "not a regular file");
    plant_file(host.file, "12345");
    EXPECT_EQ(nx_files_OpenRegular(host.StateFilePath(), 4, &problem), nullptr);
    EXPECT_EQ(problem, "File too large");
    FILE* file = nx_files_OpenRegular(host.StateFilePath(), 5, &problem);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(problem, "");
    char bytes[8] = {};
    EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file), 5u);
    std::fclose(file);
}

}  // namespace
