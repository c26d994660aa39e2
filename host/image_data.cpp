// Image decoding for the renderer: not yet available on this host.
#include "host/glfw_game.h"

unsigned char* NxGlfwGame::LoadImageData(const String&, int*, int*, int*) { return nullptr; }
