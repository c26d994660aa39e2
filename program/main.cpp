// The program's entry point: the command line's answer, or the desktop host
// running the game.
#include "host/glfw/console.h"
#include "host/glfw/glfw_game.h"
#include "program/command_line.h"

int main(int argc, char** argv) {
    nx_glfw_FindConsole();
    const int answered = nx_program_AnswerCommandLine(argc, argv);
    if (answered >= 0) return answered;
    NxKestrelGame::Main(argc, argv);
    return 0;
}
