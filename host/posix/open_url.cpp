// Opening a web address on the desktop.
#include <spawn.h>

#include <string>

#include "host/glfw/glfw_game.h"

extern char** environ;

// The address goes to xdg-open as one argument, never through a shell, so
// no character in it can run a command.
void NxGlfwGame::OpenUrl(const String& url) {
    std::string address = url.ToCString();
    char program[] = "xdg-open";
    char* argv[] = {program, address.data(), nullptr};
    pid_t child;
    posix_spawnp(&child, program, nullptr, nullptr, argv, environ);  // the result is ignored
}
