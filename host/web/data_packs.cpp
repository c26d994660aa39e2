// The images of each resolution above the plain one are not in the data the
// page loads with the program: browser.js fetches their pack when the game
// first asks for them (see CMakeLists.txt beside this file).
#include "host/web/browser.h"
#include "host/web/web_game.h"

bool NxWebGame::DataReady(const String& suffix) { return nx_web_data_ready(suffix.ToUtf8().c_str()) != 0; }
