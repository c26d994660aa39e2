// The Windows program's messages, in a program that opens no console window.
#include "host/glfw/console.h"

#include "host/windows/system.h"

#include <cstdio>
#include <string>

#include "host/glfw/places.h"
#include "host/windows/text.h"

namespace {

bool has_output(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

void send_to_log() {
    const std::string folder = nx_glfw_PlayersRecordsFolder("./");
    CreateDirectoryW(nx_windows_Wide(folder).c_str(), nullptr);
    const std::wstring log = nx_windows_Wide(folder + "flingaroo.log");
    // Both streams append to one file emptied here, so neither overwrites the other.
    if (FILE* fresh = _wfopen(log.c_str(), L"w")) std::fclose(fresh);
    _wfreopen(log.c_str(), L"a", stdout);
    _wfreopen(log.c_str(), L"a", stderr);
}

}  // namespace

void nx_glfw_FindConsole() {
    if (has_output(STD_ERROR_HANDLE)) return;
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
        return;
    }
    send_to_log();
}
