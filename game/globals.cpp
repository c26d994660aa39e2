// The game module's globals and their start values.
#include "game/my_app.h"

float nx_ZuDizaz_jscrw = 640.0f;
float nx_ZuDizaz_jscrh = 480.0f;
float nx_ZuDizaz_rawscrw = 640.0f;
float nx_ZuDizaz_rawscrh = 480.0f;
int nx_ZuDizaz_iCadeControls = 0;
int nx_ZuDizaz_DebugMode = 0;
int nx_ZuDizaz_overscan = 0;
Array<String> nx_ZuDizaz_CreditText;

void nx_game_init() {
    nx_ZuDizaz_jscrw = 640.0f;
    nx_ZuDizaz_jscrh = 480.0f;
    nx_ZuDizaz_rawscrw = 640.0f;
    nx_ZuDizaz_rawscrh = 480.0f;
    nx_ZuDizaz_iCadeControls = 0;
    nx_ZuDizaz_DebugMode = 0;
    nx_ZuDizaz_overscan = 0;
}
