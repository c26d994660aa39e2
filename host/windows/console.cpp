// The Windows program's messages, in a program that opens no console window.
#include "host/glfw/console.h"

#include "host/windows/system.h"

#include <cstdio>
#include <string>

#include "host/glfw/places.h"
#include "host/windows/text.h"
#include "runtime/error.h"

namespace {

bool has_output(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// The program's own messages go to the log; the C library's streams keep
// nowhere to go (some C libraries cannot reopen a stream that had no file).
void send_to_log() {
    const std::string folder = nx_glfw_PlayersRecordsFolder("./");
    CreateDirectoryW(nx_windows_Wide(folder).c_str(), nullptr);
    if (FILE* log = _wfopen(nx_windows_Wide(folder + "flingaroo.log").c_str(), L"w")) nx_console_SendTo(log);
}

}  // namespace

void nx_glfw_FindConsole() {
    if (has_output(STD_ERROR_HANDLE)) return;
    if (AttachConsole(ATTACH_PARENT_PROCESS) && std::freopen("CONOUT$", "w", stdout) &&
        std::freopen("CONOUT$", "w", stderr))
        return;
    send_to_log();
}
