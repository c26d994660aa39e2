// The program's command line: with no arguments it plays; it also answers
// --help and --version without opening a window.
#pragma once

// The exit status when the command line is answered here (0 after --help or
// --version, 2 with usage on standard error for anything else), or -1 when
// the game should start.
int nx_program_AnswerCommandLine(int argc, char** argv);
