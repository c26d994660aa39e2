// The GLFW functions the host calls, acting on the FakeGlfw state.
#include "tests/fakes/glfw/fake_glfw.h"

namespace {

FakeGlfw state;
int window_token;
int monitor_token;
GLFWvidmode desktop_mode;

GLFWwindow* the_window() { return reinterpret_cast<GLFWwindow*>(&window_token); }

}  // namespace

FakeGlfw& fake_glfw() { return state; }
void fake_glfw_reset() { state = FakeGlfw(); }
GLFWwindow* fake_glfw_window() { return the_window(); }

void nx_host_sleep(double seconds) {
    state.sleeps.push_back(seconds);
    state.time += seconds;
}

extern "C" {

int glfwInit(void) { return state.initOk; }
void glfwTerminate(void) {}
void glfwInitHint(int, int) {}
double glfwGetTime(void) { return state.time; }

void glfwDefaultWindowHints(void) {}
void glfwWindowHint(int, int) {}

GLFWwindow* glfwCreateWindow(int width, int height, const char* title, GLFWmonitor* monitor, GLFWwindow*) {
    ++state.windowsCreated;
    state.visible = false;
    state.windowWidth = width;
    state.windowHeight = height;
    state.title = title;
    state.fullscreen = monitor != nullptr;
    return the_window();
}

void glfwMakeContextCurrent(GLFWwindow*) {}
void glfwShowWindow(GLFWwindow*) { state.visible = true; }
void glfwSwapBuffers(GLFWwindow*) {
    if (state.onSwap) state.onSwap();
}
void glfwSwapInterval(int) {}

void glfwPollEvents(void) {
    ++state.polls;
    if (state.onEvents) state.onEvents();
}

void glfwWaitEvents(void) {
    ++state.waits;
    if (state.onEvents) state.onEvents();
}

int glfwWindowShouldClose(GLFWwindow*) { return state.shouldClose; }
void glfwSetWindowShouldClose(GLFWwindow*, int value) { state.shouldClose = value; }

int glfwGetWindowAttrib(GLFWwindow*, int attribute) {
    if (attribute == GLFW_FOCUSED) return state.focused;
    if (attribute == GLFW_ICONIFIED) return state.iconified;
    return 0;
}

int glfwGetKey(GLFWwindow*, int key) { return state.keysDown.count(key) ? GLFW_PRESS : GLFW_RELEASE; }

GLFWmonitor* glfwGetPrimaryMonitor(void) { return reinterpret_cast<GLFWmonitor*>(&monitor_token); }

const GLFWvidmode* glfwGetVideoMode(GLFWmonitor*) {
    desktop_mode = {state.desktopWidth, state.desktopHeight, 8, 8, 8, 60};
    return &desktop_mode;
}

void glfwSetWindowMonitor(GLFWwindow*, GLFWmonitor* monitor, int x, int y, int width, int height, int) {
    state.fullscreen = monitor != nullptr;
    state.windowX = monitor ? 0 : x;
    state.windowY = monitor ? 0 : y;
    state.windowWidth = width;
    state.windowHeight = height;
}

void glfwSetWindowTitle(GLFWwindow*, const char* title) { state.title = title; }

void glfwGetWindowSize(GLFWwindow*, int* width, int* height) {
    if (width) *width = state.windowWidth;
    if (height) *height = state.windowHeight;
}

void glfwGetFramebufferSize(GLFWwindow*, int* width, int* height) {
    if (width) *width = state.windowWidth * state.framebufferScale;
    if (height) *height = state.windowHeight * state.framebufferScale;
}

void glfwGetCursorPos(GLFWwindow*, double* x, double* y) {
    if (x) *x = state.cursorX;
    if (y) *y = state.cursorY;
}

void glfwSetInputMode(GLFWwindow*, int, int) {}

GLFWkeyfun glfwSetKeyCallback(GLFWwindow*, GLFWkeyfun callback) {
    state.keyCallback = callback;
    return nullptr;
}
GLFWcharfun glfwSetCharCallback(GLFWwindow*, GLFWcharfun callback) {
    state.charCallback = callback;
    return nullptr;
}
GLFWmousebuttonfun glfwSetMouseButtonCallback(GLFWwindow*, GLFWmousebuttonfun callback) {
    state.mouseButtonCallback = callback;
    return nullptr;
}
GLFWcursorposfun glfwSetCursorPosCallback(GLFWwindow*, GLFWcursorposfun callback) {
    state.cursorPosCallback = callback;
    return nullptr;
}
GLFWwindowclosefun glfwSetWindowCloseCallback(GLFWwindow*, GLFWwindowclosefun callback) {
    state.closeCallback = callback;
    return nullptr;
}

int glfwJoystickPresent(int jid) { return jid >= 0 && jid <= GLFW_JOYSTICK_LAST && state.joysticks[jid].present; }
int glfwJoystickIsGamepad(int jid) { return glfwJoystickPresent(jid) && state.joysticks[jid].gamepad; }

int glfwGetGamepadState(int jid, GLFWgamepadstate* out) {
    if (!glfwJoystickIsGamepad(jid)) return GLFW_FALSE;
    *out = state.joysticks[jid].gamepadState;
    return GLFW_TRUE;
}

const float* glfwGetJoystickAxes(int jid, int* count) {
    *count = glfwJoystickPresent(jid) ? static_cast<int>(state.joysticks[jid].axes.size()) : 0;
    return *count ? state.joysticks[jid].axes.data() : nullptr;
}

const unsigned char* glfwGetJoystickButtons(int jid, int* count) {
    *count = glfwJoystickPresent(jid) ? static_cast<int>(state.joysticks[jid].buttons.size()) : 0;
    return *count ? state.joysticks[jid].buttons.data() : nullptr;
}

const unsigned char* glfwGetJoystickHats(int jid, int* count) {
    *count = glfwJoystickPresent(jid) ? static_cast<int>(state.joysticks[jid].hats.size()) : 0;
    return *count ? state.joysticks[jid].hats.data() : nullptr;
}

}  // extern "C"
