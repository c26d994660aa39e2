// Console output, runtime errors, the debugger stop protocol and the
// handlers of fatal signals.
#include "runtime/error.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/object.h"

namespace {

FILE* console_log = nullptr;  // where both go instead, when set

void write_line(const std::string& line, FILE* standard) {
    FILE* file = console_log ? console_log : standard;
    std::fwrite(line.data(), 1, line.size(), file);
    std::fflush(file);
}

std::string& print_buffer() {
    static std::string buffer;  // reused by every call
    return buffer;
}

// The "@" command names an object by address: only an object the collector
// knows is asked for its text, so a mistyped address never reads stray memory.
void print_object_at(const char* address_text) {
    void* address = nullptr;
    if (std::sscanf(address_text, "%p", &address) != 1) return;
    if (!gc_is_live_object(address)) return;
    dbg_print(static_cast<Object*>(static_cast<gc_object*>(address))->debug());
}

}  // namespace

void nxPrint(const String& text) {
    std::string& buffer = print_buffer();
    buffer = text.ToUtf8();
    buffer += '\n';
    write_line(buffer, stdout);
}

void nxDebugLog(const String& text) { nxPrint(text); }

void dbg_print(const String& text) {
    std::string bytes = text.ToCString();
    bytes += '\n';
    write_line(bytes, stderr);
}

void nx_console_SendTo(FILE* file) { console_log = file; }

void nxError(const String& message) {
    if (message.Empty()) std::exit(0);
    dbg_error(message.ToCString().c_str());
}

void dbg_error(const char* text) {
    for (;;) {
        nxPrint(String("Kestrel Runtime Error : ") + String(text));
        nxPrint(String());  // the stack trace: none is kept
        dbg_stop();
    }
}

void dbg_stop() {
    std::fputs("{{~~~~}}\n\n", stderr);
    std::fflush(stderr);
    char line[256];
    for (;;) {
        if (!std::fgets(line, sizeof line, stdin)) std::exit(-1);
        char* newline = std::strchr(line, '\n');
        if (!newline) std::exit(-1);
        *newline = '\0';
        switch (line[0]) {
            case '?':
                continue;
            case 'r': case 's': case 'e': case 'l':
                return;
            case 'q':
                std::exit(0);
            case '@':
                print_object_at(line + 1);
                continue;
            default:
                std::printf("????? %s ?????\n", line);
                std::fflush(stdout);
                std::exit(-1);
        }
    }
}

void sighandler(int signal) {
    switch (signal) {
        case SIGSEGV: dbg_error("Memory access violation");
        case SIGILL: dbg_error("Illegal instruction");
        case SIGFPE: dbg_error("Floating point exception");
        default: dbg_error("Unknown signal");
    }
}

void nx_install_signal_handlers() {
    std::signal(SIGSEGV, sighandler);
    std::signal(SIGILL, sighandler);
    std::signal(SIGFPE, sighandler);
}
