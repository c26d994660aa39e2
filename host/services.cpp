// Host services shared by every platform: opening and reading files, the
// state file, and the date.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <unistd.h>
#include <vector>

#include "host/nxgame.h"

namespace {

constexpr size_t kReadChunk = 4096;

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

// Writes the whole buffer to `path` and makes sure it reached the disk.
// 0 written, -1 could not open, -2 short write.
int write_file(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return -1;
    bool complete = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    complete = std::fflush(file) == 0 && complete;
    complete = fsync(fileno(file)) == 0 && complete;
    complete = std::fclose(file) == 0 && complete;
    return complete ? 0 : -2;
}

}  // namespace

FILE* NxGame::OpenFile(const String& path, const String& mode) {
    String filePath = PathToFilePath(path);
    if (filePath.Empty()) return nullptr;
    return std::fopen(filePath.ToUtf8().c_str(), mode.ToUtf8().c_str());
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

String NxGame::LoadState() {
    FILE* file = OpenFile(String(kStateFilePath), String("rb"));
    if (!file) return String();
    String state = String::Load(file);
    std::fclose(file);
    return state;
}

// The new state goes to a temporary file beside the old one and replaces it
// by rename, so a crash or a full disk during a save never destroys the
// records already saved.
int NxGame::SaveState(const String& state) {
    String path = PathToFilePath(String(kStateFilePath));
    if (path.Empty()) return -1;
    std::string target = path.ToUtf8();
    std::string temporary = target + ".new";
    int status = write_file(temporary, state.ToUtf8());
    if (status == 0 && std::rename(temporary.c_str(), target.c_str()) != 0) status = -1;
    if (status != 0) std::remove(temporary.c_str());
    return status;
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
