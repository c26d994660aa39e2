// The GLFW functions the host calls, acting on the fake_glfw::State fake.
#include "tests/fakes/glfw/fake_glfw.h"

#include <utility>

namespace {

using fake_glfw::Joystick;

fake_glfw::State fake;
int window_token, monitor_token;
GLFWvidmode desktop_mode;

// A joystick's axes, buttons or hats: none for a joystick that is not there.
template <class T>
const T* read(int jid, std::vector<T> Joystick::*array, int* count) {
    *count = glfwJoystickPresent(jid) ? static_cast<int>((fake.joysticks[jid].*array).size()) : 0;
    return *count ? (fake.joysticks[jid].*array).data() : nullptr;
}

}  // namespace

fake_glfw::State& fake_glfw::state() { return fake; }
void fake_glfw::Reset() { fake = fake_glfw::State(); }
GLFWwindow* fake_glfw::Window() { return reinterpret_cast<GLFWwindow*>(&window_token); }
void fake_glfw::PressCloseButton() { fake.shouldClose = true; fake.closeCallback(Window()); }

void fake_glfw::SetFocus(bool focused, bool iconified) {
    if (focused != fake.focused) fake.focusCallback(Window(), fake.focused = focused);
    if (iconified != fake.iconified) fake.iconifyCallback(Window(), fake.iconified = iconified);
}

void fake_glfw::Resize(int windowWidth, int windowHeight, int framebufferScale) {
    fake.windowWidth = windowWidth, fake.windowHeight = windowHeight, fake.framebufferScale = framebufferScale;
    fake.windowSizeCallback(Window(), windowWidth, windowHeight);
    fake.framebufferSizeCallback(Window(), windowWidth * framebufferScale, windowHeight * framebufferScale);
}

void nx_host_sleep(double seconds) { fake.sleeps.push_back(seconds); fake.time += seconds; }

extern "C" {

double glfwGetTime(void) { return fake.time; }
void glfwDefaultWindowHints(void) {}
void glfwWindowHint(int, int) {}
void glfwMakeContextCurrent(GLFWwindow*) {}
void glfwSwapInterval(int) {}
void glfwSetInputMode(GLFWwindow*, int, int) {}
void glfwSwapBuffers(GLFWwindow*) { fake.onSwap(); }
void glfwPollEvents(void) { fake.onEvents(); }
void glfwWaitEvents(void) { ++fake.waits, fake.onEvents(); }
int glfwWindowShouldClose(GLFWwindow*) { return fake.shouldClose; }
void glfwSetWindowShouldClose(GLFWwindow*, int value) { fake.shouldClose = value; }
int glfwGetKey(GLFWwindow*, int key) { return fake.keysDown.count(key) ? GLFW_PRESS : GLFW_RELEASE; }
void glfwShowWindow(GLFWwindow*) { fake.visible = true; }
void glfwSetWindowTitle(GLFWwindow*, const char* title) { fake.title = title; }
GLFWmonitor* glfwGetPrimaryMonitor(void) { return reinterpret_cast<GLFWmonitor*>(&monitor_token); }

int glfwGetWindowAttrib(GLFWwindow*, int attribute) {
    ++fake.serverQueries;
    return attribute == GLFW_FOCUSED ? fake.focused : attribute == GLFW_ICONIFIED ? fake.iconified : 0;
}

const GLFWvidmode* glfwGetVideoMode(GLFWmonitor*) {
    desktop_mode = {fake.desktopWidth, fake.desktopHeight, 8, 8, 8, 60};
    return &desktop_mode;
}

// A fullscreen window sits at the monitor's corner; x and y count only for a window.
void glfwSetWindowMonitor(GLFWwindow*, GLFWmonitor* monitor, int x, int y, int width, int height, int) {
    fake.fullscreen = monitor != nullptr;
    fake.windowX = monitor ? 0 : x;
    fake.windowY = monitor ? 0 : y;
    fake.windowWidth = width;
    fake.windowHeight = height;
}

// A new window is hidden until shown.
GLFWwindow* glfwCreateWindow(int width, int height, const char* title, GLFWmonitor* monitor, GLFWwindow*) {
    fake.visible = false;
    fake.title = title;
    glfwSetWindowMonitor(fake_glfw::Window(), monitor, 0, 0, width, height, 0);
    return fake_glfw::Window();
}

void glfwSetWindowIcon(GLFWwindow*, int, const GLFWimage*) {}

void glfwGetWindowSize(GLFWwindow*, int* w, int* h) {
    ++fake.serverQueries, *w = fake.windowWidth, *h = fake.windowHeight;
}
void glfwGetFramebufferSize(GLFWwindow*, int* w, int* h) {
    ++fake.serverQueries;
    *w = fake.windowWidth * fake.framebufferScale, *h = fake.windowHeight * fake.framebufferScale;
}
void glfwGetCursorPos(GLFWwindow*, double* x, double* y) { ++fake.serverQueries, *x = fake.cursorX, *y = fake.cursorY; }

// Each setter hands back the callback it replaces, as GLFW's do.
GLFWkeyfun glfwSetKeyCallback(GLFWwindow*, GLFWkeyfun f) { return std::exchange(fake.keyCallback, f); }
GLFWcharfun glfwSetCharCallback(GLFWwindow*, GLFWcharfun f) { return std::exchange(fake.charCallback, f); }
GLFWmousebuttonfun glfwSetMouseButtonCallback(GLFWwindow*, GLFWmousebuttonfun f) { return std::exchange(fake.mouseButtonCallback, f); }
GLFWcursorposfun glfwSetCursorPosCallback(GLFWwindow*, GLFWcursorposfun f) { return std::exchange(fake.cursorPosCallback, f); }
GLFWwindowclosefun glfwSetWindowCloseCallback(GLFWwindow*, GLFWwindowclosefun f) { return std::exchange(fake.closeCallback, f); }
GLFWwindowsizefun glfwSetWindowSizeCallback(GLFWwindow*, GLFWwindowsizefun f) { return std::exchange(fake.windowSizeCallback, f); }
GLFWframebuffersizefun glfwSetFramebufferSizeCallback(GLFWwindow*, GLFWframebuffersizefun f) { return std::exchange(fake.framebufferSizeCallback, f); }
GLFWwindowfocusfun glfwSetWindowFocusCallback(GLFWwindow*, GLFWwindowfocusfun f) { return std::exchange(fake.focusCallback, f); }
GLFWwindowiconifyfun glfwSetWindowIconifyCallback(GLFWwindow*, GLFWwindowiconifyfun f) { return std::exchange(fake.iconifyCallback, f); }

int glfwJoystickPresent(int jid) { return jid >= 0 && jid <= GLFW_JOYSTICK_LAST && fake.joysticks[jid].present; }
int glfwJoystickIsGamepad(int jid) { return glfwJoystickPresent(jid) && fake.joysticks[jid].gamepad; }
int glfwGetGamepadState(int jid, GLFWgamepadstate* state) {
    if (glfwJoystickIsGamepad(jid)) *state = fake.joysticks[jid].gamepadState;
    return glfwJoystickIsGamepad(jid);
}
const float* glfwGetJoystickAxes(int jid, int* count) { return read(jid, &Joystick::axes, count); }
const unsigned char* glfwGetJoystickButtons(int jid, int* count) { return read(jid, &Joystick::buttons, count); }
const unsigned char* glfwGetJoystickHats(int jid, int* count) { return read(jid, &Joystick::hats, count); }

}  // extern "C"
