// The count of OpenGL contexts made so far, in a file of its own so that the
// renderer can read it without pulling the window code into its programs.
#include "host/glfw_game.h"

int glfwGraphicsSeq = 0;
