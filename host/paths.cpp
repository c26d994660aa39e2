// Resource paths of the desktop host, and opening a web address.
#include <spawn.h>

#include <string>

#include "host/glfw_game.h"

extern char** environ;

namespace {

struct Root {
    const char* prefix;
    const char* directory;
};

constexpr Root kRoots[] = {
    {"kestrel://data/", "./data/"},
    {"kestrel://internal/", "./internal/"},
    {"kestrel://external/", "./external/"},
};

}  // namespace

String NxGlfwGame::PathToFilePath(const String& path) {
    if (!path.StartsWith(String("kestrel:"))) return path;
    for (const Root& root : kRoots) {
        String prefix(root.prefix);
        if (path.StartsWith(prefix)) return String(root.directory) + path.Slice(prefix.Length());
    }
    return String();
}

// The address goes to xdg-open as one argument, never through a shell, so
// no character in it can run a command.
void NxGlfwGame::OpenUrl(const String& url) {
    std::string address = url.ToCString();
    char program[] = "xdg-open";
    char* argv[] = {program, address.data(), nullptr};
    pid_t child;
    posix_spawnp(&child, program, nullptr, nullptr, argv, environ);  // the result is ignored
}
