// The pen, the draw list, text, and the replay of the list each frame.
#include "game/my_app.h"

int c_MyApp::p_OnRender() { return 0; }
