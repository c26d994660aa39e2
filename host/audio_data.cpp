// Sound decoding for the audio device: not yet available on this host.
#include "host/glfw_game.h"

unsigned char* NxGlfwGame::LoadAudioData(const String&, int*, int*, int*, int*) { return nullptr; }
