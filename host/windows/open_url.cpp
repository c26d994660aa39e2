// Opening a web address on Windows: the player's browser, through the shell.
#include "host/windows/system.h"

#include <shellapi.h>

#include "host/glfw/glfw_game.h"
#include "host/windows/text.h"

// The shell opens whatever it is given, and given a path it runs the
// program there: only web addresses are passed on.
void NxGlfwGame::OpenUrl(const String& url) {
    const String address = url.ToLower();
    if (!address.StartsWith(String("http://")) && !address.StartsWith(String("https://"))) return;
    ShellExecuteW(nullptr, L"open", nx_windows_Wide(url.ToUtf8()).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);  // the result is ignored
}
