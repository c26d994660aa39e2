// The few file operations the host's services need from the system, one
// implementation per system family: host/posix/files.cpp (Linux, the
// browser's virtual file system) and host/windows/files.cpp. Paths are
// bytes as the services hold them: on Windows UTF-8, turned into the UTF-16
// the system takes at the call.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// The largest file nx_files_OpenRegular is asked to take with no limit.
constexpr std::int64_t kAnyFileSize = INT64_MAX;

// Opens a file for reading without ever waiting on it, and only when it is a
// regular file of at most maxBytes: a FIFO may never answer, a device never
// end. The type and size are checked on the opened file, so the file checked
// is the file read. Anything else gives null and `problem` says why; a
// missing file leaves `problem` empty.
FILE* nx_files_OpenRegular(const std::string& path, std::int64_t maxBytes, std::string* problem);

// Opens a file for writing (or any other stdio mode) as fopen does.
FILE* nx_files_Open(const std::string& path, const char* mode);

// True when anything is at `path`.
bool nx_files_Exists(const std::string& path);

// How replacing a file went: status 0, or -1 (the new file could not be
// made or put in place) or -2 (it could not be written whole); for a
// failure the system's error code, taken before any clean-up, and its text.
struct NxFileOutcome {
    int status = 0;
    int error = 0;
    std::string reason;
};

// Replaces the file at `path` by one holding `bytes`, so that at every moment
// (a crash, a full disk, a power cut) `path` holds either the old bytes or
// the new ones: the bytes go to a fresh temporary file beside it ("<path>.new",
// which replaces whatever stood there, never written through), reach the disk,
// and then take the target's place. A missing folder of `path` (the last one
// only) is made first, private to the player.
NxFileOutcome nx_files_Replace(const std::string& path, const std::string& bytes);
