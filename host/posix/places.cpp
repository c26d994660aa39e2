// The program folder, the data folder and the records folder of the desktop
// program on Linux.
#include "host/glfw/places.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kInstalledData = "../share/flingaroo/data/";

bool IsFolder(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Makes each missing folder of an absolute path, private to the player as
// user data folders are meant to be; folders already there are left as they are.
void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        if (mkdir(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) return;
}

// $XDG_DATA_HOME when set to an absolute path, else the home folder's
// .local/share; empty when not even a home folder is known.
std::string UserDataFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && xdgDataHome[0] == '/') return xdgDataHome;
    if (!home || home[0] != '/') {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : nullptr;
    }
    return home && home[0] == '/' ? std::string(home) + "/.local/share" : std::string();
}

bool Installed(const std::string& programFolder) {
    return nx_glfw_DataFolder(programFolder) == programFolder + kInstalledData;
}

}  // namespace

void nx_glfw_EnterProgramFolder() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return;
    path[length] = '\0';
    char* slash = std::strrchr(path, '/');
    if (!slash) return;
    *slash = '\0';
    if (chdir(path[0] ? path : "/") != 0) std::perror("chdir");
}

std::string nx_glfw_DataFolder(const std::string& programFolder) {
    const std::string beside = programFolder + "data/";
    if (!IsFolder(beside) && IsFolder(programFolder + kInstalledData)) return programFolder + kInstalledData;
    return beside;
}

std::string nx_glfw_RecordsFolder(const std::string& programFolder, const char* xdgDataHome, const char* home) {
    if (!Installed(programFolder)) return programFolder;
    const std::string userData = UserDataFolder(xdgDataHome, home);
    if (userData.empty()) return programFolder;
    const std::string folder = userData + "/flingaroo/";
    MakeFolders(folder);
    return folder;
}

std::string nx_glfw_PlayersRecordsFolder(const std::string& programFolder) {
    return nx_glfw_RecordsFolder(programFolder, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}
