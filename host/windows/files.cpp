// The host's file operations on Windows, through the UTF-16 calls.
#include "host/files.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>

#include "host/windows/system.h"
#include "host/windows/text.h"

namespace {

// Readers share the file in every way, so that another copy of the game can
// replace it while this one reads.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool is_missing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// Why an open file cannot be read as one of ours, or empty when it can. A
// folder opens too (backup semantics), so it is told apart here like a pipe.
std::string why_not_readable(HANDLE file, std::int64_t maxBytes) {
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return "not a regular file";
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) return nx_windows_ErrorText(GetLastError());
    return size.QuadPart > maxBytes ? "File too large" : "";
}

NxFileOutcome failed(int status, DWORD error) {
    return {status, static_cast<int>(error), nx_windows_ErrorText(error)};
}

std::wstring folder_of(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? L"." : path.substr(0, separator);
}

// A read-only file cannot be deleted until it is made writable; a link's
// attributes may be its target's, which are not ours to change.
void make_deletable(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

// Whatever stood at `path` is deleted first (a link itself, not what it
// leads to; a read-only file too), and the new file is made only where
// nothing is: a stale or planted file is never written through or reused.
HANDLE create_fresh(const std::wstring& path) {
    make_deletable(path);
    if (!DeleteFileW(path.c_str()) && !is_missing(GetLastError())) return INVALID_HANDLE_VALUE;
    auto create = [&path] {
        return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    };
    HANDLE file = create();
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_PATH_NOT_FOUND &&
        CreateDirectoryW(folder_of(path).c_str(), nullptr))
        file = create();
    return file;
}

bool write_all(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// Writes the bytes to a fresh file at `path` and makes sure they reached the disk.
NxFileOutcome write_new_file(const std::wstring& path, const std::string& bytes) {
    HANDLE file = create_fresh(path);
    if (file == INVALID_HANDLE_VALUE) return failed(-1, GetLastError());
    NxFileOutcome outcome;
    if (!write_all(file, bytes) || !FlushFileBuffers(file)) outcome = failed(-2, GetLastError());
    if (!CloseHandle(file) && outcome.status == 0) outcome = failed(-2, GetLastError());
    if (outcome.status != 0) DeleteFileW(path.c_str());
    return outcome;
}

}  // namespace

FILE* nx_files_OpenRegular(const std::string& path, std::int64_t maxBytes, std::string* problem) {
    problem->clear();
    HANDLE file = CreateFileW(nx_windows_Wide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (!is_missing(error)) *problem = nx_windows_ErrorText(error);
        return nullptr;
    }
    *problem = why_not_readable(file, maxBytes);
    const int descriptor = problem->empty() ? _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY) : -1;
    if (descriptor < 0) {
        CloseHandle(file);
        return nullptr;
    }
    FILE* stream = _fdopen(descriptor, "rb");
    if (!stream) _close(descriptor);
    return stream;
}

FILE* nx_files_Open(const std::string& path, const char* mode) {
    return _wfopen(nx_windows_Wide(path).c_str(), nx_windows_Wide(mode).c_str());
}

bool nx_files_Exists(const std::string& path) {
    return GetFileAttributesW(nx_windows_Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The replacing move goes through to the disk before it returns, so no folder
// needs syncing afterwards.
NxFileOutcome nx_files_Replace(const std::string& path, const std::string& bytes) {
    const std::wstring target = nx_windows_Wide(path);
    const std::wstring temporary = target + L".new";
    NxFileOutcome outcome = write_new_file(temporary, bytes);
    if (outcome.status != 0) return outcome;
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        outcome = failed(-1, GetLastError());
        DeleteFileW(temporary.c_str());
    }
    return outcome;
}
