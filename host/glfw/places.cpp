// Where the desktop program finds its data and keeps its records, on every
// system; the system's own folders are found in host/posix/places.cpp and
// host/windows/places.cpp.
#include "host/glfw/places.h"

#include "host/files.h"
#include "host/glfw/glfw_game.h"
#include "runtime/error.h"

// Records kept beside the program (before it was installed, or by an older
// version) carry over to the records folder, where they are kept from now on;
// a records file already there is the newer one and stays as it is.
void NxGlfwGame::FindPlaces() {
    _dataFolder = nx_glfw_DataFolder("./");
    const std::string records = nx_glfw_PlayersRecordsFolder("./");
    if (records == "./") return;
    _stateFile = records + (kStateFilePath + 2);
    if (nx_files_Exists(_stateFile)) return;
    const String carried = LoadState();
    if (carried.Empty() || SaveState(carried) == 0) return;
    dbg_print(String(("Reading the records beside the game; they cannot be kept in " + records).c_str()));
}

std::string NxGlfwGame::StateFilePath() { return _stateFile.empty() ? NxGame::StateFilePath() : _stateFile; }

// Until the records folder holds a records file, the records beside the
// program are the player's: when they could not be carried over, they are
// read from there (and only read: saves go to the records folder).
String NxGlfwGame::LoadState() {
    const bool recordsFileMissing = !_stateFile.empty() && !nx_files_Exists(_stateFile);
    return recordsFileMissing ? ReadStateFile(NxGame::StateFilePath()) : NxGame::LoadState();
}
