// The GLFW functions the host calls, acting on the fake_glfw::State fake.
#include "tests/fakes/glfw/fake_glfw.h"

namespace {

fake_glfw::State fake;
int window_token;
int monitor_token;
GLFWvidmode desktop_mode;

GLFWwindow* the_window() { return reinterpret_cast<GLFWwindow*>(&window_token); }

}  // namespace

fake_glfw::State& fake_glfw::state() { return fake; }
void fake_glfw::Reset() { fake = fake_glfw::State(); }
GLFWwindow* fake_glfw::Window() { return the_window(); }

void nx_host_sleep(double seconds) {
    fake.sleeps.push_back(seconds);
    fake.time += seconds;
}

extern "C" {

int glfwInit(void) { return fake.initOk; }
void glfwTerminate(void) {}
void glfwInitHint(int, int) {}
double glfwGetTime(void) { return fake.time; }

void glfwDefaultWindowHints(void) {}
void glfwWindowHint(int, int) {}

GLFWwindow* glfwCreateWindow(int width, int height, const char* title, GLFWmonitor* monitor, GLFWwindow*) {
    ++fake.windowsCreated;
    fake.visible = false;
    fake.windowWidth = width;
    fake.windowHeight = height;
    fake.title = title;
    fake.fullscreen = monitor != nullptr;
    return the_window();
}

void glfwMakeContextCurrent(GLFWwindow*) {}
void glfwShowWindow(GLFWwindow*) { fake.visible = true; }
void glfwSwapBuffers(GLFWwindow*) {
    if (fake.onSwap) fake.onSwap();
}
void glfwSwapInterval(int) {}

void glfwPollEvents(void) {
    ++fake.polls;
    if (fake.onEvents) fake.onEvents();
}

void glfwWaitEvents(void) {
    ++fake.waits;
    if (fake.onEvents) fake.onEvents();
}

int glfwWindowShouldClose(GLFWwindow*) { return fake.shouldClose; }
void glfwSetWindowShouldClose(GLFWwindow*, int value) { fake.shouldClose = value; }

int glfwGetWindowAttrib(GLFWwindow*, int attribute) {
    if (attribute == GLFW_FOCUSED) return fake.focused;
    if (attribute == GLFW_ICONIFIED) return fake.iconified;
    return 0;
}

int glfwGetKey(GLFWwindow*, int key) { return fake.keysDown.count(key) ? GLFW_PRESS : GLFW_RELEASE; }

GLFWmonitor* glfwGetPrimaryMonitor(void) { return reinterpret_cast<GLFWmonitor*>(&monitor_token); }

const GLFWvidmode* glfwGetVideoMode(GLFWmonitor*) {
    desktop_mode = {fake.desktopWidth, fake.desktopHeight, 8, 8, 8, 60};
    return &desktop_mode;
}

void glfwSetWindowMonitor(GLFWwindow*, GLFWmonitor* monitor, int x, int y, int width, int height, int) {
    fake.fullscreen = monitor != nullptr;
    fake.windowX = monitor ? 0 : x;
    fake.windowY = monitor ? 0 : y;
    fake.windowWidth = width;
    fake.windowHeight = height;
}

void glfwSetWindowTitle(GLFWwindow*, const char* title) { fake.title = title; }

void glfwGetWindowSize(GLFWwindow*, int* width, int* height) {
    if (width) *width = fake.windowWidth;
    if (height) *height = fake.windowHeight;
}

void glfwGetFramebufferSize(GLFWwindow*, int* width, int* height) {
    if (width) *width = fake.windowWidth * fake.framebufferScale;
    if (height) *height = fake.windowHeight * fake.framebufferScale;
}

void glfwGetCursorPos(GLFWwindow*, double* x, double* y) {
    if (x) *x = fake.cursorX;
    if (y) *y = fake.cursorY;
}

void glfwSetInputMode(GLFWwindow*, int, int) {}

GLFWkeyfun glfwSetKeyCallback(GLFWwindow*, GLFWkeyfun callback) {
    fake.keyCallback = callback;
    return nullptr;
}
GLFWcharfun glfwSetCharCallback(GLFWwindow*, GLFWcharfun callback) {
    fake.charCallback = callback;
    return nullptr;
}
GLFWmousebuttonfun glfwSetMouseButtonCallback(GLFWwindow*, GLFWmousebuttonfun callback) {
    fake.mouseButtonCallback = callback;
    return nullptr;
}
GLFWcursorposfun glfwSetCursorPosCallback(GLFWwindow*, GLFWcursorposfun callback) {
    fake.cursorPosCallback = callback;
    return nullptr;
}
GLFWwindowclosefun glfwSetWindowCloseCallback(GLFWwindow*, GLFWwindowclosefun callback) {
    fake.closeCallback = callback;
    return nullptr;
}

int glfwJoystickPresent(int jid) { return jid >= 0 && jid <= GLFW_JOYSTICK_LAST && fake.joysticks[jid].present; }
int glfwJoystickIsGamepad(int jid) { return glfwJoystickPresent(jid) && fake.joysticks[jid].gamepad; }

int glfwGetGamepadState(int jid, GLFWgamepadstate* out) {
    if (!glfwJoystickIsGamepad(jid)) return GLFW_FALSE;
    *out = fake.joysticks[jid].gamepadState;
    return GLFW_TRUE;
}

const float* glfwGetJoystickAxes(int jid, int* count) {
    *count = glfwJoystickPresent(jid) ? static_cast<int>(fake.joysticks[jid].axes.size()) : 0;
    return *count ? fake.joysticks[jid].axes.data() : nullptr;
}

const unsigned char* glfwGetJoystickButtons(int jid, int* count) {
    *count = glfwJoystickPresent(jid) ? static_cast<int>(fake.joysticks[jid].buttons.size()) : 0;
    return *count ? fake.joysticks[jid].buttons.data() : nullptr;
}

const unsigned char* glfwGetJoystickHats(int jid, int* count) {
    *count = glfwJoystickPresent(jid) ? static_cast<int>(fake.joysticks[jid].hats.size()) : 0;
    return *count ? fake.joysticks[jid].hats.data() : nullptr;
}

}  // extern "C"
