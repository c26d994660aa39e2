// The desktop host on GLFW 3: the window, the fixed-rate main loop, the
// window-system callbacks, joystick polling, the desktop mode and process
// start-up. The only folder that includes GLFW.
#pragma once

#include "host/nxgame.h"

struct GLFWwindow;

class NxGlfwGame : public NxGame {
public:
    NxGlfwGame();

    int Millisecs() override;
    bool PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                      Array<bool> buttons) override;
    void OpenUrl(const String& url) override;
    void SetMouseVisible(bool visible) override;
    int GetDeviceWidth() override;
    int GetDeviceHeight() override;
    bool GetDesktopMode(NxVideoMode* mode) override;
    bool SetWindow(int width, int height, bool fullscreen) override;
    void SetSwapInterval(int interval) override;

    virtual void SetGlfwWindow(int width, int height, int red, int green, int blue, int alpha,
                               int depth, int stencil, bool fullscreen);
    virtual void Run();

    // Finds the data folder and the records file (host/glfw/places.h); the
    // program's own folder must be the current one.
    void FindPlaces();
    std::string StateFilePath() override;
    String LoadState() override;

    // The event step and the focus rule of the main loop; false when the
    // loop should go back to its test without updating.
    bool UpdateEvents();
    static int TransKey(int glfwKey);

    static void OnKey(GLFWwindow* window, int key, int scancode, int action, int mods);
    static void OnChar(GLFWwindow* window, unsigned int character);
    static void OnMouseButton(GLFWwindow* window, int button, int action, int mods);
    static void OnMousePos(GLFWwindow* window, double x, double y);
    static void OnWindowClose(GLFWwindow* window);
    static void OnWindowSize(GLFWwindow* window, int width, int height);
    static void OnFramebufferSize(GLFWwindow* window, int width, int height);
    static void OnFocus(GLFWwindow* window, int focused);
    static void OnIconify(GLFWwindow* window, int iconified);

    GLFWwindow* Window() const { return _window; }

    static NxGlfwGame* _glfwGame;

protected:
    int _swapInterval = -1;

private:
    bool WindowOpen() const;
    bool WindowActive() const;
    void RunUpdates();
    void ReleaseHeldKeys();
    void OpenWindow(int width, int height, int red, int green, int blue, int alpha, int depth,
                    int stencil, bool fullscreen);
    void PlaceWindow(int width, int height, bool fullscreen);
    void RegisterCallbacks();
    void ReadWindowState();
    void SetWindowIcon();
    void WindowToFramebuffer(double* x, double* y) const;

    GLFWwindow* _window = nullptr;
    std::string _stateFile;  // empty until FindPlaces: the state file beside the program
    // What the window system last told of the window. On X11 asking GLFW for
    // any of these waits for the server, so they are asked once when the
    // window changes and then follow GLFW's callbacks: no frame and no
    // pointer event waits on the server.
    int _windowWidth = 0, _windowHeight = 0;
    int _framebufferWidth = 0, _framebufferHeight = 0;
    bool _focused = false, _iconified = false;
    double _cursorX = 0, _cursorY = 0;  // in window coordinates
};

class NxKestrelGame : public NxGlfwGame {
public:
    static int Main(int argc, char** argv);
};

// The runtime's start-up proper: signal handlers, locale, collector lists,
// module globals, roots, then the application.
void nx_std_main(int argc, char** argv);

// Sleeps the calling thread; a seam of its own so tests of the main loop can
// replace it together with GLFW's clock.
void nx_host_sleep(double seconds);
