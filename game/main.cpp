#include "host/glfw_game.h"

int main(int argc, char** argv) {
    NxKestrelGame::Main(argc, argv);
    return 0;
}
