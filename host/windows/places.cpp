// The program folder, the data folder and the records folder of the desktop
// program on Windows: data beside the program (as the zip and the installer
// lay it out), records in the player's roaming application data.
#include "host/windows/system.h"

#include <shlobj.h>

#include "host/glfw/places.h"
#include "host/windows/text.h"

void nx_glfw_EnterProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    if (length == 0) return;
    path.resize(length);
    const size_t separator = path.find_last_of(L'\\');
    if (separator == std::wstring::npos) return;
    SetCurrentDirectoryW(path.substr(0, separator + 1).c_str());
}

std::string nx_glfw_DataFolder(const std::string& programFolder) { return programFolder + "data/"; }

// A folder of the program's own is not the player's: Program Files may not
// be written, and a zip unpacked anywhere keeps its records in one place.
std::string nx_glfw_PlayersRecordsFolder(const std::string& programFolder) {
    wchar_t* appData = nullptr;
    std::string folder = programFolder;
    if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &appData) == S_OK)
        folder = nx_windows_Utf8(appData) + "\\Flingaroo\\";
    CoTaskMemFree(appData);
    return folder;
}
