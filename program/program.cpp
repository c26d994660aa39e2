// The program's two entry points: its module globals and its application.
#include "framework/app.h"
#include "game/my_app.h"
#include "runtime/program.h"

void nxInit() {
    nx_framework_init();
    nx_graphics_init();
    nx_audio_init();
    nx_game_init();
}

int nxMain() {
    (new c_MyApp())->m_new();
    return 0;
}
