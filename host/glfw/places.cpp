// The data folder and the records folder of the desktop program.
#include "host/glfw/places.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "host/glfw/glfw_game.h"
#include "runtime/error.h"

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

// Records kept beside the program (before it was installed, or by an older
// version) carry over to the records folder, where they are kept from now on;
// a records file already there is the newer one and stays as it is.
void NxGlfwGame::FindPlaces() {
    _dataFolder = nx_glfw_DataFolder("./");
    const std::string records = nx_glfw_RecordsFolder("./", std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (records == "./") return;
    _stateFile = records + (kStateFilePath + 2);
    if (access(_stateFile.c_str(), F_OK) == 0) return;
    const String carried = LoadState();
    if (carried.Empty() || SaveState(carried) == 0) return;
    dbg_print(String(("Reading the records beside the game; they cannot be kept in " + records).c_str()));
}

std::string NxGlfwGame::StateFilePath() { return _stateFile.empty() ? NxGame::StateFilePath() : _stateFile; }

// Until the records folder holds a records file, the records beside the
// program are the player's: when they could not be carried over, they are
// read from there (and only read: saves go to the records folder).
String NxGlfwGame::LoadState() {
    const bool recordsFileMissing = !_stateFile.empty() && access(_stateFile.c_str(), F_OK) != 0;
    return recordsFileMissing ? ReadStateFile(NxGame::StateFilePath()) : NxGame::LoadState();
}
