// Window (re)creation, the close button, device size, cursor and swap
// interval, and the desktop mode.
#include <GLFW/glfw3.h>
#include <dirent.h>

#include <cstdlib>
#include <vector>

#include "host/glfw/glfw_game.h"

NxGlfwGame* NxGlfwGame::_glfwGame = nullptr;

namespace {

constexpr int kRefreshRate = 60;
constexpr const char* kWindowTitle = "Flingaroo";
// The icon in the desktop's layout: one SIZExSIZE folder for each size.
constexpr const char* kIconFolder = "icons/hicolor/";
constexpr const char* kIconFile = "/apps/flingaroo.png";

}  // namespace

NxGlfwGame::NxGlfwGame() {
    _game = this;
    _glfwGame = this;
}

void NxGlfwGame::SetGlfwWindow(int width, int height, int red, int green, int blue, int alpha,
                               int depth, int stencil, bool fullscreen) {
    ReleaseHeldKeys();
    bool opening = !_window;
    if (opening) {
        OpenWindow(width, height, red, green, blue, alpha, depth, stencil, fullscreen);
        if (!_window) return;  // not reported: the loop finds no open window
    }
    PlaceWindow(width, height, fullscreen);
    if (opening) glfwShowWindow(_window);
    if (_swapInterval >= 0) glfwSwapInterval(_swapInterval);
    ReadWindowState();
}

// Every size of the program's icon that the data folder holds (an RGBA PNG
// each); the window system picks the one that suits where it shows it.
void NxGlfwGame::SetWindowIcon() {
    const String folder = String("kestrel://data/") + String(kIconFolder);
    std::vector<GLFWimage> icons;
    if (DIR* listing = opendir(PathToFilePath(folder).c_str())) {
        while (const dirent* entry = readdir(listing)) {
            GLFWimage icon{};
            int depth = 0;
            const String file = folder + String(entry->d_name) + String(kIconFile);
            icon.pixels = LoadImageData(file, &icon.width, &icon.height, &depth);
            if (icon.pixels && depth == 4) icons.push_back(icon);
            else std::free(icon.pixels);
        }
        closedir(listing);
    }
    if (!icons.empty()) glfwSetWindowIcon(_window, int(icons.size()), icons.data());
    for (GLFWimage& icon : icons) std::free(icon.pixels);
}

// The one place that asks the server; the callbacks keep the answers current.
void NxGlfwGame::ReadWindowState() {
    glfwGetWindowSize(_window, &_windowWidth, &_windowHeight);
    glfwGetFramebufferSize(_window, &_framebufferWidth, &_framebufferHeight);
    _focused = glfwGetWindowAttrib(_window, GLFW_FOCUSED) != 0;
    _iconified = glfwGetWindowAttrib(_window, GLFW_ICONIFIED) != 0;
    glfwGetCursorPos(_window, &_cursorX, &_cursorY);
}

// The application never keeps a key down across a window change.
void NxGlfwGame::ReleaseHeldKeys() {
    if (!_window) return;
    for (int key = GLFW_KEY_SPACE; key <= GLFW_KEY_LAST; ++key) {
        int code = TransKey(key);
        if (code != 0 && glfwGetKey(_window, key) == GLFW_PRESS) KeyEvent(c_NxGameEvent::KeyUp, code);
    }
}

void NxGlfwGame::OpenWindow(int width, int height, int red, int green, int blue, int alpha,
                            int depth, int stencil, bool fullscreen) {
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_RED_BITS, red);
    glfwWindowHint(GLFW_GREEN_BITS, green);
    glfwWindowHint(GLFW_BLUE_BITS, blue);
    glfwWindowHint(GLFW_ALPHA_BITS, alpha);
    glfwWindowHint(GLFW_DEPTH_BITS, depth);
    glfwWindowHint(GLFW_STENCIL_BITS, stencil);
    glfwWindowHint(GLFW_REFRESH_RATE, kRefreshRate);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_TRUE);
    // A fullscreen game must not minimise when focus moves to another monitor.
    glfwWindowHint(GLFW_AUTO_ICONIFY, GLFW_FALSE);
    // Shown only once placed, so the window never appears in a corner first.
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWmonitor* monitor = fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    _window = glfwCreateWindow(width, height, kWindowTitle, monitor, nullptr);
    if (!_window) return;
    SetWindowIcon();
    glfwMakeContextCurrent(_window);
    ++nxGraphicsContextSeq;
    RegisterCallbacks();
}

// Switching with glfwSetWindowMonitor keeps the OpenGL context, so textures
// survive a change between fullscreen and windowed.
void NxGlfwGame::PlaceWindow(int width, int height, bool fullscreen) {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* desktop = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (fullscreen && monitor) {
        glfwSetWindowMonitor(_window, monitor, 0, 0, width, height, kRefreshRate);
        return;
    }
    int x = desktop ? (desktop->width - width) / 2 : 0;
    int y = desktop ? (desktop->height - height) / 2 : 0;
    glfwSetWindowMonitor(_window, nullptr, x, y, width, height, GLFW_DONT_CARE);
    glfwSetWindowTitle(_window, kWindowTitle);
}

void NxGlfwGame::RegisterCallbacks() {
    glfwSetKeyCallback(_window, OnKey);
    glfwSetCharCallback(_window, OnChar);
    glfwSetMouseButtonCallback(_window, OnMouseButton);
    glfwSetCursorPosCallback(_window, OnMousePos);
    glfwSetWindowCloseCallback(_window, OnWindowClose);
    glfwSetWindowSizeCallback(_window, OnWindowSize);
    glfwSetFramebufferSizeCallback(_window, OnFramebufferSize);
    glfwSetWindowFocusCallback(_window, OnFocus);
    glfwSetWindowIconifyCallback(_window, OnIconify);
}

// The close button does not close the window: it posts the close key and
// leaves the decision to the application.
void NxGlfwGame::OnWindowClose(GLFWwindow* window) {
    _glfwGame->KeyEvent(c_NxGameEvent::KeyDown, kKeyWindowClose);
    _glfwGame->KeyEvent(c_NxGameEvent::KeyUp, kKeyWindowClose);
    glfwSetWindowShouldClose(window, GLFW_FALSE);
}

void NxGlfwGame::OnWindowSize(GLFWwindow*, int width, int height) {
    _glfwGame->_windowWidth = width;
    _glfwGame->_windowHeight = height;
}

void NxGlfwGame::OnFramebufferSize(GLFWwindow*, int width, int height) {
    _glfwGame->_framebufferWidth = width;
    _glfwGame->_framebufferHeight = height;
}

void NxGlfwGame::OnFocus(GLFWwindow*, int focused) { _glfwGame->_focused = focused != 0; }

void NxGlfwGame::OnIconify(GLFWwindow*, int iconified) { _glfwGame->_iconified = iconified != 0; }

int NxGlfwGame::GetDeviceWidth() { return _window ? _framebufferWidth : 0; }

int NxGlfwGame::GetDeviceHeight() { return _window ? _framebufferHeight : 0; }

void NxGlfwGame::SetMouseVisible(bool visible) {
    if (_window) glfwSetInputMode(_window, GLFW_CURSOR, visible ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);
}

void NxGlfwGame::SetSwapInterval(int interval) {
    _swapInterval = interval;
    if (interval >= 0 && _window) glfwSwapInterval(interval);
}

bool NxGlfwGame::SetWindow(int width, int height, bool fullscreen) {
    SetGlfwWindow(width, height, 8, 8, 8, 0, 0, 0, fullscreen);
    return true;
}

bool NxGlfwGame::GetDesktopMode(NxVideoMode* mode) {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* desktop = monitor ? glfwGetVideoMode(monitor) : nullptr;
    *mode = desktop ? NxVideoMode{desktop->width, desktop->height} : NxVideoMode{};
    return true;
}

void NxGlfwGame::WindowToFramebuffer(double* x, double* y) const {
    if (_windowWidth > 0) *x = *x * _framebufferWidth / _windowWidth;
    if (_windowHeight > 0) *y = *y * _framebufferHeight / _windowHeight;
}
