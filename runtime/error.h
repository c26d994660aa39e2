// Console output, runtime errors and the debugger stop protocol.
// Every runtime error is fatal: report, stop, exit. Ending the application
// is a runtime error with an empty message (exit status 0).
#pragma once

#include <cstdio>

#include "runtime/string.h"

void nxPrint(const String& text);     // one UTF-8 line on standard output, flushed
void nxDebugLog(const String& text);  // the same as nxPrint
void dbg_print(const String& text);   // low 8 bits per character, on standard error
// Sends what nxPrint and dbg_print write, both, to `file` from now on instead
// of the standard output and error: a program that has none keeps a log.
void nx_console_SendTo(FILE* file);

[[noreturn]] void nxError(const String& message);
[[noreturn]] void dbg_error(const char* text);
void dbg_stop();

// Installs the reports of fatal signals (segmentation fault, illegal
// instruction, floating-point exception).
void nx_install_signal_handlers();
void sighandler(int signal);
