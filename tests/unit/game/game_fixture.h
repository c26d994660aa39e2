// Drives the real game object through a desktop host whose window system,
// OpenGL and OpenAL are the link-time fakes: updates, renders and input
// events go in through the host's entry points as the main loop would send
// them, and the game reads the real data/ of the build. The state file is a
// string in memory.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "framework/app.h"
#include "framework/input_device.h"
#include "game/my_app.h"
#include "host/glfw/glfw_game.h"
#include "tests/fakes/al/fake_al.h"
#include "tests/fakes/gl/fake_gl.h"
#include "tests/fakes/glfw/fake_glfw.h"

class GameTestHost : public NxGlfwGame {
public:
    String LoadState() override { return state; }
    int SaveState(const String& text) override {
        state = text;
        ++saves;
        return 0;
    }
    String state;
    int saves = 0;
};

class GameFixture : public testing::Test {
protected:
    void SetUp() override {
        fake_glfw_reset();
        fake_gl::Reset();
        fake_al_reset();
        ASSERT_EQ(chdir(programFolder().c_str()), 0) << "the game reads ./data beside the program";
        nx_app__app = nullptr;
        nx_framework_init();
        nx_graphics_init();
        nx_audio_init();
        nx_game_init();
        host.state = initialState();
        host.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
        app = (new c_MyApp())->m_new();
        host.StartGame();
    }

    // The saved string the game finds at start-up; empty for a first run.
    virtual String initialState() { return String(); }
    // The folder the game runs in: the build's, with the generated data/.
    virtual std::string programFolder() { return FLINGAROO_BUILD_DIR; }

    // One frame of the main loop: render, then `updates` updates, the clock
    // moving 1/60 s per update.
    void frame(int updates = 1) {
        host.RenderGame();
        for (int i = 0; i < updates; ++i) {
            fake_glfw().time += 1.0 / 60;
            host.UpdateGame();
        }
    }
    void finishLoading() {
        frame();
        for (int i = 0; i < 100 && app->m_loadStep > 0; ++i) frame();
        ASSERT_EQ(app->m_loadStep, 0);
    }
    void keyDown(int code) { host.KeyEvent(c_NxGameEvent::KeyDown, code); }
    void keyUp(int code) { host.KeyEvent(c_NxGameEvent::KeyUp, code); }
    // A key pressed for one update and released.
    void tapKey(int code) {
        keyDown(code);
        frame();
        keyUp(code);
        frame();
    }
    void typeChar(int character) { host.KeyEvent(c_NxGameEvent::KeyChar, character); }
    void mouseDown(float x, float y) { host.MouseEvent(c_NxGameEvent::MouseDown, 0, x, y); }
    void mouseUp(float x, float y) { host.MouseEvent(c_NxGameEvent::MouseUp, 0, x, y); }
    void mouseMove(float x, float y) { host.MouseEvent(c_NxGameEvent::MouseMove, -1, x, y); }

    GameTestHost host;
    c_MyApp* app = nullptr;
};
