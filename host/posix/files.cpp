// The host's file operations on POSIX systems: Linux, and the browser's
// virtual file system.
#include "host/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Why an open file cannot be read as one of ours, or empty when it can.
std::string why_not_readable(int descriptor, std::int64_t maxBytes) {
    struct stat status;
    if (fstat(descriptor, &status) != 0) return std::strerror(errno);
    if (!S_ISREG(status.st_mode)) return "not a regular file";
    return status.st_size > maxBytes ? std::strerror(EFBIG) : "";
}

NxFileOutcome failed(int status) {
    return {status, errno, std::strerror(errno)};
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

std::string folder_of(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

// Whatever stood at `path` is unlinked, never followed or reused: a planted
// link would be written through and a FIFO would block.
int create_fresh(const std::string& path) {
    if (unlink(path.c_str()) != 0 && errno != ENOENT) return -1;
    const int flags = O_CREAT | O_EXCL | O_NOFOLLOW | O_WRONLY | O_NONBLOCK | O_CLOEXEC;
    int descriptor = open(path.c_str(), flags, 0644);
    if (descriptor < 0 && errno == ENOENT && mkdir(folder_of(path).c_str(), 0700) == 0)
        descriptor = open(path.c_str(), flags, 0644);
    return descriptor;
}

// Writes the bytes to a fresh file at `path` and makes sure they reached the disk.
NxFileOutcome write_new_file(const std::string& path, const std::string& bytes) {
    int descriptor = create_fresh(path);
    if (descriptor < 0) return failed(-1);
    NxFileOutcome outcome;
    if (!write_all(descriptor, bytes) || fsync(descriptor) != 0) outcome = failed(-2);
    if (close(descriptor) != 0 && outcome.status == 0) outcome = failed(-2);
    if (outcome.status != 0) unlink(path.c_str());
    return outcome;
}

// A rename is recorded in the folder, not in the file: until the folder
// reaches the disk, a power cut can bring the old file back. A failure here
// does not fail the save: the new file is already in place and read by the
// next load, only its surviving a power cut is less sure, and the next save
// syncs the folder again.
void sync_folder_of(const std::string& path) {
    int descriptor = open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    fsync(descriptor);
    close(descriptor);
}

}  // namespace

// O_NONBLOCK keeps a FIFO with no writer from holding up the game for good;
// for a regular file it changes nothing and stays set.
FILE* nx_files_OpenRegular(const std::string& path, std::int64_t maxBytes, std::string* problem) {
    problem->clear();
    int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno != ENOENT) *problem = std::strerror(errno);
        return nullptr;
    }
    *problem = why_not_readable(descriptor, maxBytes);
    if (!problem->empty()) {
        close(descriptor);
        return nullptr;
    }
    FILE* file = fdopen(descriptor, "rb");
    if (!file) close(descriptor);
    return file;
}

FILE* nx_files_Open(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool nx_files_Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

NxFileOutcome nx_files_Replace(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".new";
    NxFileOutcome outcome = write_new_file(temporary, bytes);
    if (outcome.status != 0) return outcome;
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        outcome = failed(-1);
        unlink(temporary.c_str());
        return outcome;
    }
    sync_folder_of(path);
    return outcome;
}
