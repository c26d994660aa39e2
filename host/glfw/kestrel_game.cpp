// Process start-up: GLFW, the one host object, the runtime's start-up, the
// application, the main loop.
#include <GLFW/glfw3.h>

#include "host/fixed_rate.h"
#include "host/glfw/glfw_game.h"
#include "host/glfw/places.h"
#include "runtime/error.h"
#include "runtime/program.h"

namespace {

int stored_argc = 0;
char** stored_argv = nullptr;

// Without a display, or with one GLFW cannot use, the program cannot run;
// GLFW's own words say which.
void report_glfw_init_failure() {
    const char* reason = nullptr;
    glfwGetError(&reason);
    dbg_print(String("glfwInit failed") + String(reason ? ": " : "") + String(reason ? reason : ""));
}

}  // namespace

void nx_std_main(int argc, char** argv) {
    stored_argc = argc;
    stored_argv = argv;
    nx_host_StartRuntime();
}

int NxKestrelGame::Main(int argc, char** argv) {
    nx_glfw_EnterProgramFolder();
    // Raw joysticks report their hats once, through the axes, not again as buttons.
    glfwInitHint(GLFW_JOYSTICK_HAT_BUTTONS, GLFW_FALSE);
    if (!glfwInit()) {
        report_glfw_init_failure();
        std::exit(-1);
    }
    NxKestrelGame* host = new NxKestrelGame();
    host->FindPlaces();
    try {
        nx_std_main(argc, argv);
    } catch (ThrowableObject* exception) {
        glfwTerminate();
        host->Die(exception);
    }
    if (host->Delegate()) host->Run();
    glfwTerminate();
    return 0;
}
