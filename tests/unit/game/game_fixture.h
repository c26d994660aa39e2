// Drives the real game object through the test host, with OpenGL and OpenAL
// as the link-time fakes: updates, renders and input events go in through
// the host's entry points as a main loop would send them, and the game reads
// the real data/ of the build through the host's own decoders. The state file
// is a string in memory, the clock and the device size are plain fields, and
// pads are scripted in their program layout.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "framework/app.h"
#include "framework/input_device.h"
#include "game/ids.h"
#include "game/my_app.h"
#include "game/saved_data.h"
#include "tests/fakes/al/fake_al.h"
#include "tests/fakes/gl/fake_gl.h"
#include "tests/support/test_host.h"

// Key codes the tests press.
constexpr int kKeyEnter = 13, kKeyEscape = 27, kKeySpace = 32;
constexpr int kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;
constexpr int kKeyX = 88, kKeyZ = 90;

// A pad as the host reports it: program buttons and sticks.
struct TestPad {
    bool present = false;
    float x[2] = {}, y[2] = {}, z[2] = {};
    bool buttons[32] = {};
};

class GameFixture : public testing::Test {
protected:
    void SetUp() override {
        fake_gl::Reset();
        fake_al::Reset();
        ASSERT_EQ(chdir(programFolder().c_str()), 0) << "the game reads ./data beside the program";
        nx_app__app = nullptr;
        nx_framework_init();
        nx_graphics_init();
        nx_audio_init();
        nx_game_init();
        host.state = initialState();
        host.pollJoystick = [this](int port, Array<float> x, Array<float> y, Array<float> z,
                                   Array<bool> buttons) { return readPad(port, x, y, z, buttons); };
        glfwGraphicsSeq = 1;  // as if the host had opened its window
        resize(640, 480);
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
            tick();
            host.UpdateGame();
        }
    }
    void finishLoading() {
        frame();
        for (int i = 0; i < 100 && app->m_loadStep > 0; ++i) frame();
        ASSERT_EQ(app->m_loadStep, 0);
    }
    bool readPad(int port, Array<float> x, Array<float> y, Array<float> z, Array<bool> buttons) {
        if (port < 0 || port >= 4 || !pads[port].present) return false;
        const TestPad& pad = pads[port];
        for (int i = 0; i < 2; ++i) {
            x[i] = pad.x[i];
            y[i] = pad.y[i];
            z[i] = pad.z[i];
        }
        for (int i = 0; i < 32 && i < buttons.Length(); ++i) buttons[i] = pad.buttons[i];
        return true;
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

    void resize(int width, int height) {
        host.deviceWidth = width;
        host.deviceHeight = height;
    }
    // The clock moves 1/60 s.
    void tick() {
        seconds += 1.0 / 60;
        host.milliseconds = static_cast<int>(seconds * 1000.0);
    }

    TestHost host;
    TestPad pads[4];
    double seconds = 0;
    c_MyApp* app = nullptr;
};
