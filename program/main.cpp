// The program's entry point: the desktop host runs the game.
#include "host/glfw/glfw_game.h"

int main(int argc, char** argv) {
    NxKestrelGame::Main(argc, argv);
    return 0;
}
