// Host services shared by every platform: opening and reading files, the
// state file, and the date.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <string>
#include <vector>

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

void report_ignored_state(const char* reason) {
    dbg_print(String("Ignoring ") + String(kStateFileName) + String(": ") + String(reason));
}

// The records take under 2 KB; a megabyte leaves them room to grow many times
// over, while a planted or damaged file of any size would be read whole.
constexpr off_t kMaxStateBytes = off_t(1) << 20;
constexpr off_t kAnySize = std::numeric_limits<off_t>::max();

// Why an open file cannot be read as one of ours, or null when it can: only a
// regular file of at most `maxBytes` (a FIFO may never answer, a device never end).
const char* why_not_readable(int descriptor, off_t maxBytes) {
    struct stat status;
    if (fstat(descriptor, &status) != 0) return std::strerror(errno);
    if (!S_ISREG(status.st_mode)) return "not a regular file";
    return status.st_size > maxBytes ? std::strerror(EFBIG) : nullptr;
}

// Opens a file for reading without ever waiting: O_NONBLOCK keeps a FIFO with
// no writer from holding up the game for good. The type is checked on the open
// descriptor, so the file checked is the file read; for a regular file
// O_NONBLOCK changes nothing and stays set. Anything else gives null and
// `problem` says why; a missing file leaves `problem` null.
FILE* open_regular_file(const std::string& path, off_t maxBytes, const char** problem) {
    *problem = nullptr;
    int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno != ENOENT) *problem = std::strerror(errno);
        return nullptr;
    }
    *problem = why_not_readable(descriptor, maxBytes);
    if (*problem) {
        close(descriptor);
        return nullptr;
    }
    FILE* file = fdopen(descriptor, "rb");
    if (!file) close(descriptor);
    return file;
}

// A state file that cannot be read loads as an empty store with one line
// saying why; a missing file is a first run and says nothing.
FILE* open_state_for_reading(const std::string& path) {
    const char* problem = nullptr;
    FILE* file = open_regular_file(path, kMaxStateBytes, &problem);
    if (problem) report_ignored_state(problem);
    return file;
}

bool is_reading_mode(const String& mode) { return mode == String("rb") || mode == String("r"); }

// What one save came to: the code SaveState returns and, for a failure, the
// errno of the call that failed (taken before any clean-up can change it).
struct SaveOutcome {
    int status = 0;
    int error = 0;
};

SaveOutcome failed(int status) {
    return {status, errno};
}

// write() may take part of the buffer or be interrupted by a signal; both are
// retried. A regular file takes at least one byte of a write or sets errno.
bool write_all(int descriptor, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t written = write(descriptor, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

// Writes the bytes to a fresh file at `path` and makes sure they reached the
// disk. Whatever stood at `path` is unlinked, never followed or reused: a
// planted link would be written through and a FIFO would block. -1 could not
// create, -2 short write.
SaveOutcome write_new_file(const std::string& path, const std::string& bytes) {
    if (unlink(path.c_str()) != 0 && errno != ENOENT) return failed(-1);
    int descriptor =
        open(path.c_str(), O_CREAT | O_EXCL | O_NOFOLLOW | O_WRONLY | O_NONBLOCK | O_CLOEXEC, 0644);
    if (descriptor < 0) return failed(-1);
    SaveOutcome outcome;
    if (!write_all(descriptor, bytes) || fsync(descriptor) != 0) outcome = failed(-2);
    if (close(descriptor) != 0 && outcome.status == 0) outcome = failed(-2);
    if (outcome.status != 0) unlink(path.c_str());
    return outcome;
}

// A rename is recorded in the folder, not in the file: until the folder
// reaches the disk, a power cut can bring the old state file back. A failure
// here does not fail the save: the new file is already in place and read by
// the next load, only its surviving a power cut is less sure, and the next
// save syncs the folder again.
void sync_folder_of(const std::string& path) {
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    fsync(descriptor);
    close(descriptor);
}

SaveOutcome replace_file(const std::string& temporary, const std::string& target) {
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        SaveOutcome outcome = failed(-1);
        unlink(temporary.c_str());
        return outcome;
    }
    sync_folder_of(target);
    return {};
}

}  // namespace

FILE* NxGame::OpenFile(const String& path, const String& mode) {
    std::string filePath = PathToFilePath(path);
    if (filePath.empty()) return nullptr;
    // Data files are read like the state file, with no size limit and no report.
    const char* problem = nullptr;
    if (is_reading_mode(mode)) return open_regular_file(filePath, kAnySize, &problem);
    return std::fopen(filePath.c_str(), mode.ToUtf8().c_str());
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

// The new state goes to a temporary file beside the old one and replaces it
// by rename, so a crash or a full disk during a save never destroys the
// records already saved.
int NxGame::SaveState(const String& state) {
    std::string target = StateFilePath();
    if (target.empty()) return -1;
    std::string temporary = target + ".new";
    SaveOutcome outcome = write_new_file(temporary, state.ToUtf8());
    if (outcome.status == 0) outcome = replace_file(temporary, target);
    ReportSaveOutcome(outcome.error, String("Could not save ") + String(kStateFileName) + String(": ") +
                                         String(std::strerror(outcome.error)));
    return outcome.status;
}

void NxGame::ReportSaveOutcome(int reason, const String& message) {
    if (reason != 0 && reason != _reportedSaveFailure) dbg_print(message);
    _reportedSaveFailure = reason;
}

void NxGame::GetDate(Array<int> date) {
    if (date.Length() == 0) return;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const int fields[7] = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                           local.tm_min,         local.tm_sec,     0};
    for (int i = 0; i < 7 && i < date.Length(); ++i) date[i] = fields[i];
}
