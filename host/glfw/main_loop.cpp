// The fixed-rate main loop: render and swap, sleep until the next update is
// due, the event step with the focus rule, then one to four updates.
#include <GLFW/glfw3.h>

#include "host/fixed_rate.h"
#include "host/glfw/glfw_game.h"

int NxGlfwGame::Millisecs() { return static_cast<int>(glfwGetTime() * 1000.0); }

bool NxGlfwGame::WindowOpen() const { return _window && !glfwWindowShouldClose(_window); }

bool NxGlfwGame::WindowActive() const { return _focused && !_iconified; }

void NxGlfwGame::Run() {
    SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
    StartGame();
    while (WindowOpen()) {
        RenderGame();
        glfwSwapBuffers(_window);
        if (_nextUpdate != 0.0) {
            double delay = _nextUpdate - glfwGetTime();
            if (delay > 0) nx_host_sleep(delay);
        }
        if (!UpdateEvents()) continue;
        RunUpdates();
    }
}

bool NxGlfwGame::UpdateEvents() {
    // While suspended the loop blocks here, so an unfocused game uses no CPU.
    if (_suspended) {
        glfwWaitEvents();
    } else {
        glfwPollEvents();
    }
    if (!WindowOpen()) return false;
    return nx_host_FollowFocus(this, WindowActive(), &_nextUpdate);
}

void NxGlfwGame::RunUpdates() { nx_host_RunUpdates(this, _updatePeriod, &_nextUpdate, glfwGetTime); }
