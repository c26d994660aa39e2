// Start values of the framework's module globals, and its collector roots.
#include "framework/app.h"
#include "framework/game_delegate.h"
#include "framework/input_device.h"
#include "framework/random_math.h"

void nx_framework_init() {
    nx_app__game = NxGame::_game;
    nx_random_Seed = 1234;
    gc_root(nx_app__app);
    gc_root(nx_app__delegate);
    gc_root(nx_input_device);
}
