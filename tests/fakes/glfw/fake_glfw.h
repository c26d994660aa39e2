// A scriptable stand-in for GLFW and the host's sleep, linked into unit tests
// instead of the real library: a clock that only moves when told, one window
// whose focus, size and keys a test sets, and joysticks made of plain arrays.
#pragma once

#include <GLFW/glfw3.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace fake_glfw {

struct Joystick {
    bool present = false, gamepad = false;
    GLFWgamepadstate gamepadState{};
    std::vector<float> axes;
    std::vector<unsigned char> buttons;
    std::vector<unsigned char> hats;  // GLFW_HAT_* bits, one entry per hat
};

struct State {
    double time = 1.0;  // GLFW's clock has always run a little by the first frame
    bool focused = true, iconified = false, shouldClose = false, fullscreen = false, visible = false;
    int windowX = 0, windowY = 0, windowWidth = 0, windowHeight = 0, framebufferScale = 1;
    int desktopWidth = 1920, desktopHeight = 1080;
    std::string title;
    std::set<int> keysDown;
    double cursorX = 0, cursorY = 0;
    Joystick joysticks[GLFW_JOYSTICK_LAST + 1];
    std::vector<double> sleeps;  // every nx_host_sleep, in seconds (the clock moves on by as much)
    int waits = 0;               // calls of glfwWaitEvents
    int serverQueries = 0;       // calls that wait for the X server on X11 (sizes, focus, cursor)
    std::function<void()> onEvents = [] {};  // inside glfwPollEvents/glfwWaitEvents, where callbacks run
    std::function<void()> onSwap = [] {};    // inside glfwSwapBuffers, to make a frame take time

    GLFWkeyfun keyCallback = nullptr;
    GLFWcharfun charCallback = nullptr;
    GLFWmousebuttonfun mouseButtonCallback = nullptr;
    GLFWcursorposfun cursorPosCallback = nullptr;
    GLFWwindowclosefun closeCallback = nullptr;
    GLFWwindowsizefun windowSizeCallback = nullptr;
    GLFWframebuffersizefun framebufferSizeCallback = nullptr;
    GLFWwindowfocusfun focusCallback = nullptr;
    GLFWwindowiconifyfun iconifyCallback = nullptr;
};

// The one fake; tests reset it with fake_glfw::Reset().
State& state();
void Reset();
// The one window the fake makes.
GLFWwindow* Window();
// As GLFW does for the close button: the close flag is set, then the callback runs.
void PressCloseButton();
// The window system's changes as GLFW reports them during the event step:
// the state changes, then the callbacks run.
void SetFocus(bool focused, bool iconified);
void Resize(int windowWidth, int windowHeight, int framebufferScale);

}  // namespace fake_glfw
