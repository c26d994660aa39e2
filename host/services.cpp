// Host services shared by every platform: opening and reading files, the
// state file, and the date.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "host/files.h"
#include "host/nxgame.h"
#include "runtime/error.h"

namespace {

constexpr size_t kReadChunk = 4096;
constexpr const char* kStateFileName = kStateFilePath + 2;  // as the player knows it, without "./"

std::vector<unsigned char> read_all(FILE* file) {
    std::vector<unsigned char> bytes;
    unsigned char chunk[kReadChunk];
    size_t got;
    do {
        got = std::fread(chunk, 1, kReadChunk, file);
        bytes.insert(bytes.end(), chunk, chunk + got);
    } while (got == kReadChunk);
    return bytes;
}

// The records take under 2 KB; a megabyte leaves them room to grow many times
// over, while a planted or damaged file of any size would be read whole.
constexpr std::int64_t kMaxStateBytes = std::int64_t(1) << 20;

// A state file that cannot be read loads as an empty store with one line
// saying why; a missing file is a first run and says nothing.
FILE* open_state_for_reading(const std::string& path) {
    std::string problem;
    FILE* file = nx_files_OpenRegular(path, kMaxStateBytes, &problem);
    if (!problem.empty())
        dbg_print(String("Ignoring ") + String(kStateFileName) + String(": ") + String(problem.c_str()));
    return file;
}

bool is_reading_mode(const String& mode) { return mode == String("rb") || mode == String("r"); }

}  // namespace

FILE* NxGame::OpenFile(const String& path, const String& mode) {
    std::string filePath = PathToFilePath(path);
    if (filePath.empty()) return nullptr;
    // Data files are read like the state file, with no size limit and no report.
    std::string problem;
    if (is_reading_mode(mode)) return nx_files_OpenRegular(filePath, kAnyFileSize, &problem);
    return nx_files_Open(filePath, mode.ToUtf8().c_str());
}

String NxGame::LoadString(const String& path) {
    FILE* file = OpenFile(path, String("rb"));
    if (!file) return String();
    String text = String::Load(file);
    std::fclose(file);
    return text;
}

unsigned char* NxGame::LoadData(const String& path, int* length) {
    FILE* file = OpenFile(path, String("rb"));
    if (!file) return nullptr;
    std::vector<unsigned char> bytes = read_all(file);
    std::fclose(file);
    auto* buffer = static_cast<unsigned char*>(std::malloc(bytes.size() ? bytes.size() : 1));
    if (!buffer) return nullptr;
    if (!bytes.empty()) std::memcpy(buffer, bytes.data(), bytes.size());
    *length = static_cast<int>(bytes.size());
    gc_ext_malloced(*length);
    return buffer;
}

String NxGame::LoadState() { return ReadStateFile(StateFilePath()); }

String NxGame::ReadStateFile(const std::string& path) {
    if (path.empty()) return String();
    FILE* file = open_state_for_reading(path);
    if (!file) return String();
    String state = String::Load(file);
    std::fclose(file);
    return state;
}

// The new state replaces the old file whole, so a crash or a full disk during
// a save never destroys the records already saved.
int NxGame::SaveState(const String& state) {
    std::string target = StateFilePath();
    if (target.empty()) return -1;
    NxFileOutcome outcome = nx_files_Replace(target, state.ToUtf8());
    ReportSaveOutcome(outcome.error, String("Could not save ") + String(kStateFileName) + String(": ") +
                                         String(outcome.reason.c_str()));
    return outcome.status;
}

void NxGame::ReportSaveOutcome(int reason, const String& message) {
    if (reason != 0 && reason != _reportedSaveFailure) dbg_print(message);
    _reportedSaveFailure = reason;
}

void NxGame::GetDate(Array<int> date) {
    if (date.Length() == 0) return;
    std::time_t now = std::time(nullptr);
    // Called from the game's thread only; the C library's own copy is fine.
    const std::tm* found = std::localtime(&now);
    if (!found) return;
    const std::tm local = *found;
    const int fields[7] = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                           local.tm_min,         local.tm_sec,     0};
    for (int i = 0; i < 7 && i < date.Length(); ++i) date[i] = fields[i];
}
