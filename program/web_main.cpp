// The browser program's entry point: the browser host running the game. It
// returns at once; the browser calls the host's frames from then on.
#include "host/web/web_game.h"

int main() {
    NxWebGame::Main();
    return 0;
}
