#include "program/command_line.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage =
    "Usage: flingaroo [--help | --version]\n"
    "\n"
    "Flingaroo, a one-fling arcade game: pick a level, aim the ball on top of the\n"
    "tower, fling it once and watch it break blocks and collect rings.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "  -V, --version  print the version and exit\n"
    "\n"
    "Records are kept in .kestrelstate beside the program when its folder is\n"
    "writable, otherwise in $XDG_DATA_HOME/flingaroo (by default\n"
    "~/.local/share/flingaroo).\n";

bool Is(const char* argument, const char* shortName, const char* longName) {
    return std::strcmp(argument, shortName) == 0 || std::strcmp(argument, longName) == 0;
}

}  // namespace

int nx_program_AnswerCommandLine(int argc, char** argv) {
    if (argc < 2) return -1;
    if (argc == 2 && Is(argv[1], "-h", "--help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && Is(argv[1], "-V", "--version")) {
        std::printf("flingaroo %s\n", FLINGAROO_VERSION);
        return 0;
    }
    std::fprintf(stderr, "flingaroo: unexpected argument '%s'\n%s", argv[argc == 2 ? 1 : 2], kUsage);
    return 2;
}
