// The test host: a host with no window and no GLFW, unless a test lets it
// switch one. Its clock moves only when
// a test says so, its state file is a string in memory, its device size and
// joysticks are plain fields. Framework and game tests drive the real
// delegate and application through its entry points.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "host/nxgame.h"

class TestHost : public NxGame {
public:
    TestHost() { _game = this; }

    int Millisecs() override { return milliseconds; }
    int GetDeviceWidth() override { return deviceWidth; }
    int GetDeviceHeight() override { return deviceHeight; }
    String LoadState() override { return state; }
    int SaveState(const String& text) override {
        state = text;
        ++saves;
        return 0;
    }
    bool StateChangedElsewhere() override { return std::exchange(stateChangedElsewhere, false); }
    bool PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                      Array<bool> buttons) override {
        return pollJoystick ? pollJoystick(port, joyx, joyy, joyz, buttons) : false;
    }

    bool CanEndProgram() override { return canEndProgram; }
    bool GetDesktopMode(NxVideoMode* mode) override {
        *mode = desktopMode;
        return switchesWindows;
    }
    bool SetWindow(int width, int height, bool toFullscreen) override {
        if (switchesWindows) deviceWidth = width, deviceHeight = height, fullscreen = toFullscreen;
        return switchesWindows;
    }

    int milliseconds = 0;
    bool canEndProgram = true;
    int deviceWidth = 640;
    int deviceHeight = 480;
    bool switchesWindows = false;  // as a desktop host's window does
    NxVideoMode desktopMode{1920, 1080};
    bool fullscreen = false;
    String state;
    int saves = 0;
    bool stateChangedElsewhere = false;  // as another copy's save would tell
    std::function<bool(int, Array<float>, Array<float>, Array<float>, Array<bool>)> pollJoystick;
};
