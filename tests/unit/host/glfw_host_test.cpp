// The desktop host on a fake GLFW whose clock moves only when the test says
// so: the main loop's fixed rate and focus rule, the window and its close
// button, keys a person would check and keys without a code, editing
// characters, the mouse, and the joystick read-out with its remapping.
#include <gtest/gtest.h>

#include "host/glfw/glfw_game.h"
#include "host/input_translation.h"
#include "tests/fakes/glfw/fake_glfw.h"

namespace {

using Events = std::vector<std::tuple<int, int, float, float>>;  // kind, data, x, y

// Records what the host asks of the game, frame by frame.
struct RecordingDelegate : NxGameDelegate {
    void UpdateGame() override { ++updates.back(), onUpdate(); }
    void RenderGame() override {  // reads the device size as the renderer does
        updates.push_back(0);
        sizes.push_back({NxGame::_game->GetDeviceWidth(), NxGame::_game->GetDeviceHeight()});
    }
    void KeyEvent(int kind, int data) override { events.push_back({kind, data, 0, 0}); }
    void MouseEvent(int kind, int data, float x, float y) override { events.push_back({kind, data, x, y}); }
    std::vector<int> updates;  // how many updates followed each frame
    std::vector<std::pair<int, int>> sizes;  // the device size each frame drew at
    Events events;
    std::function<void()> onUpdate = [] {};
};

constexpr int kDown = c_NxGameEvent::KeyDown, kUp = c_NxGameEvent::KeyUp, kChar = c_NxGameEvent::KeyChar;

class GlfwHostTest : public testing::Test {
protected:
    void SetUp() override {
        fake_glfw::Reset();
        host.SetDelegate(delegate);
        host.SetUpdateRate(64);  // a period of 1/64 s keeps the clock's sums exact
        host.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);  // the loop's run starts the game
    }
    // Runs the loop for `frames` frames; `frame` counts them from 0 as their events arrive.
    void run_frames(int frames, std::function<void()> during_events = [] {}) {
        glfw.onEvents = [=] { during_events(); if (++frame >= frames) glfw.shouldClose = true; };
        host.Run();
    }
    void key(int glfwKey, int action) { glfw.keyCallback(fake_glfw::Window(), glfwKey, 0, action, 0); }
    std::pair<std::vector<int>, std::array<float, 6>> poll(int port) {  // buttons pressed, sticks
        if (!host.PollJoystick(port, joyx, joyy, joyz, buttons)) return {{-1}, {}};
        std::vector<int> pressed;
        for (int b = 0; b < buttons.Length(); ++b)
            if (buttons[b]) pressed.push_back(b);
        return {pressed, {joyx[0], joyy[0], joyz[0], joyx[1], joyy[1], joyz[1]}};
    }
    fake_glfw::Joystick& pad(int port, int buttonCount, const std::vector<int>& held) {
        fake_glfw::Joystick& pad = glfw.joysticks[port];
        pad.present = true;
        pad.buttons.assign(buttonCount, GLFW_RELEASE);
        for (int b : held) pad.buttons[b] = GLFW_PRESS;
        return pad;
    }

    int contexts = nxGraphicsContextSeq;  // before the fixture opens the window
    fake_glfw::State& glfw = fake_glfw::state();
    NxGlfwGame host;
    RecordingDelegate* delegate = new RecordingDelegate();
    int frame = 0;
    Array<float> joyx{2}, joyy{2}, joyz{2};  // the record as the input device hands it over
    Array<bool> buttons{32};
};

TEST_F(GlfwHostTest, FramesSleepUntilTheNextUpdateAndCatchUpWithAtMostFourUnlessTheRateChanges) {
    glfw.onSwap = [this] { glfw.time += frame == 3 || frame == 7 ? 0.25 : 1.0 / 128; };
    delegate->onUpdate = [this] { if (frame == 8) host.SetUpdateRate(0); };  // in the updates after frame 7
    run_frames(10);
    // After the slow frame 3 the rest of the schedule is dropped: frame 4 starts afresh. After the
    // slow frame 7 the change of rate ends the catch-up, and at rate 0 no frame sleeps.
    EXPECT_EQ(delegate->updates, (std::vector<int>{1, 1, 1, 4, 1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(glfw.sleeps, std::vector<double>(4, 1.0 / 128)) << "frames 1, 2, 5 and 6";
    glfw.time = 1.9999;
    EXPECT_EQ(host.Millisecs(), 1999);
}

TEST_F(GlfwHostTest, LosingFocusOrMinimisingSuspendsUntilBackAndThenResumesWithoutABurst) {
    run_frames(11, [this] {
        fake_glfw::SetFocus(frame < 2 || frame >= 6, frame >= 7 && frame < 9);
        glfw.time += frame >= 2 ? 1.0 : 0.0;  // away far longer than a frame
    });
    EXPECT_EQ(delegate->updates, (std::vector<int>{1, 1, 0, 0, 0, 0, 1, 0, 0, 1, 0}));
    EXPECT_EQ(glfw.waits, 6) << "a suspended game blocks in the event wait";
}

TEST_F(GlfwHostTest, WindowOpensCentredKeepsItsContextThroughModeChangesAndCloseOnlyPostsAKey) {
    run_frames(3, [this] { if (frame == 1) fake_glfw::PressCloseButton(); });
    EXPECT_EQ(frame, 3) << "the close button leaves the window open";
    EXPECT_EQ(std::tuple(glfw.windowX, glfw.windowY, glfw.windowWidth, glfw.visible, glfw.title),
              std::tuple(640, 300, 640, true, std::string("Flingaroo")));
    glfw.desktopWidth = 2560, glfw.desktopHeight = 1440;
    glfw.keysDown = {GLFW_KEY_LEFT, GLFW_KEY_RIGHT_SHIFT, GLFW_KEY_KP_ENTER};  // released before the change
    NxVideoMode desktop;
    EXPECT_TRUE(host.GetDesktopMode(&desktop) && host.SetWindow(desktop.width, desktop.height, true));
    EXPECT_EQ(delegate->events, (Events{{kDown, kKeyWindowClose, 0, 0}, {kUp, kKeyWindowClose, 0, 0},
                                        {kUp, kKeyLeft, 0, 0}, {kUp, kKeyShift, 0, 0}}));
    EXPECT_EQ(std::tuple(glfw.fullscreen, host.GetDeviceWidth(), host.GetDeviceHeight()),
              std::tuple(true, 2560, 1440));
    host.SetWindow(640, 480, false);
    EXPECT_EQ(std::tuple(glfw.fullscreen, glfw.windowX, glfw.windowY, glfw.windowHeight),
              std::tuple(false, 960, 480, 480));
    EXPECT_EQ(nxGraphicsContextSeq, contexts + 1);
}

TEST_F(GlfwHostTest, KeysGiveTheCodeOfTheirPhysicalKeyOrNone) {
    const std::pair<int, int> rows[] = {
        {GLFW_KEY_A, 'A'}, {GLFW_KEY_Z, 'Z'}, {GLFW_KEY_0, '0'}, {GLFW_KEY_9, '9'}, {GLFW_KEY_SPACE, 32},
        {GLFW_KEY_ESCAPE, 27}, {GLFW_KEY_ENTER, 13}, {GLFW_KEY_TAB, 9}, {GLFW_KEY_F1, 112}, {GLFW_KEY_F11, 122},
        {GLFW_KEY_LEFT, 37}, {GLFW_KEY_UP, 38}, {GLFW_KEY_RIGHT, 39}, {GLFW_KEY_DOWN, 40}, {GLFW_KEY_KP_0, 96},
        {GLFW_KEY_LEFT_SHIFT, 16}, {GLFW_KEY_RIGHT_SHIFT, 16}, {GLFW_KEY_RIGHT_CONTROL, 17},
        // and keys without a code
        {GLFW_KEY_LEFT_ALT, 0}, {GLFW_KEY_KP_ENTER, 0}, {GLFW_KEY_KP_EQUAL, 0}, {GLFW_KEY_CAPS_LOCK, 0},
        {GLFW_KEY_LEFT_SUPER, 0}, {GLFW_KEY_MENU, 0}, {GLFW_KEY_PAUSE, 0}, {GLFW_KEY_F13, 0}, {GLFW_KEY_WORLD_1, 0},
        {GLFW_KEY_UNKNOWN, 0}, {GLFW_KEY_LAST + 1, 0}};
    for (auto [glfwKey, code] : rows) EXPECT_EQ(NxGlfwGame::TransKey(glfwKey), code) << "GLFW key " << glfwKey;
}

TEST_F(GlfwHostTest, KeysPostDownAndUpEditingKeysTheirCharacterAtEveryRepeatAndNothingBeforeTheStart) {
    key(GLFW_KEY_B, GLFW_PRESS), host.StartGame();  // dropped: the game had not started
    for (int action : {GLFW_PRESS, GLFW_REPEAT, GLFW_RELEASE}) key(GLFW_KEY_LEFT, action);
    key(GLFW_KEY_A, GLFW_PRESS);
    glfw.charCallback(fake_glfw::Window(), 'a');
    key(GLFW_KEY_KP_ENTER, GLFW_PRESS);
    EXPECT_EQ(delegate->events, (Events{{kDown, 37, 0, 0}, {kChar, 65573, 0, 0},  // Left, pressed
                                        {kDown, 37, 0, 0}, {kChar, 65573, 0, 0},  // repeated
                                        {kUp, 37, 0, 0}, {kDown, 65, 0, 0}, {kChar, 'a', 0, 0}}));
    for (auto [code, character] : {std::pair(8, 8), {27, 27}, {40, 65576}, {45, 65581}, {46, 127}, {65, 0}})
        EXPECT_EQ(nx_host_KeyToChar(code), character) << "key code " << code;
}

TEST_F(GlfwHostTest, MouseButtonsAndMotionComeInFramebufferPixels) {
    host.StartGame();
    glfw.cursorX = 7, glfw.cursorY = 8;
    host.SetWindow(320, 240, false);  // the pointer as it stands when the window changes
    fake_glfw::Resize(320, 240, 2);
    glfw.mouseButtonCallback(fake_glfw::Window(), 0, GLFW_PRESS, 0);
    glfw.cursorPosCallback(fake_glfw::Window(), 5, 6);
    for (int button : {-1, 2, 3}) glfw.mouseButtonCallback(fake_glfw::Window(), button, GLFW_PRESS, 0);
    glfw.mouseButtonCallback(fake_glfw::Window(), 1, GLFW_RELEASE, 0);
    EXPECT_EQ(delegate->events, (Events{{c_NxGameEvent::MouseDown, 0, 14, 16}, {c_NxGameEvent::MouseMove, -1, 10, 12},
                                        {c_NxGameEvent::MouseDown, 2, 10, 12}, {c_NxGameEvent::MouseUp, 1, 10, 12}}));
}

// On X11 GLFW waits for the server to answer a size, focus or pointer query.
TEST_F(GlfwHostTest, FramesAndPointerEventsNeverWaitOnTheWindowSystem) {
    int queriesAtOpen = 0;  // the window is opened (and asked about) before the first frame's events
    run_frames(5, [&] {
        if (frame == 0) queriesAtOpen = glfw.serverQueries;
        if (frame == 1) fake_glfw::Resize(400, 300, 2);
        glfw.cursorPosCallback(fake_glfw::Window(), 1, 1);
        glfw.mouseButtonCallback(fake_glfw::Window(), 0, frame % 2 ? GLFW_PRESS : GLFW_RELEASE, 0);
        fake_glfw::SetFocus(frame != 2, false);
    });
    EXPECT_EQ(glfw.serverQueries, queriesAtOpen);
    EXPECT_EQ(delegate->sizes, (std::vector<std::pair<int, int>>{{640, 480}, {640, 480}, {800, 600}, {800, 600}, {800, 600}}));
    EXPECT_EQ(delegate->updates, (std::vector<int>{1, 1, 0, 1, 0}));
}

TEST_F(GlfwHostTest, KnownPadReportsTheStandardLayoutWithUpPositiveAndTriggersFromZero) {
    fake_glfw::Joystick& known = pad(0, 0, {});
    known.gamepad = true;
    for (int b : {GLFW_GAMEPAD_BUTTON_B, GLFW_GAMEPAD_BUTTON_DPAD_LEFT, GLFW_GAMEPAD_BUTTON_GUIDE})
        known.gamepadState.buttons[b] = GLFW_PRESS;
    // Left stick pushed up, right stick down, left trigger released and right one pulled.
    std::copy_n(std::array{0.5f, -1.0f, 0.25f, 0.75f, -1.0f, 1.0f}.data(), 6, known.gamepadState.axes);
    EXPECT_EQ(poll(0), std::pair(std::vector<int>{1, 8, 14}, std::array<float, 6>{0.5f, 1, 0, 0.25f, -0.75f, 1}));
}

// An unknown pad's hat is four more buttons after its own: left, up, right, down, with a pad of
// fewer than 8 padded to 8 first so that its hat is never a bumper or Back. Up to 12 buttons
// keep their places; with more, program buttons 8..11 are the last four and 12.. the device's
// 8.. (so the 14- and 18-button pads put their d-pad at 8..11). The record holds 32.
TEST_F(GlfwHostTest, UnknownPadPutsItsHatAfterItsButtonsAndBigPadsTheirDpadAt8) {
    // device buttons, those held, the hat (-1: none), the program's buttons pressed
    const std::tuple<int, std::vector<int>, int, std::vector<int>> rows[] = {
        {4, {3}, GLFW_HAT_RIGHT_DOWN, {3, 10, 11}}, {4, {}, GLFW_HAT_LEFT_UP, {8, 9}}, {8, {3}, GLFW_HAT_UP, {3, 9}},
        {8, {7}, GLFW_HAT_RIGHT_UP, {7, 9, 10}}, {8, {5}, GLFW_HAT_CENTERED, {5}}, {8, {0}, GLFW_HAT_LEFT_DOWN, {0, 8, 11}},
        {10, {8}, GLFW_HAT_UP, {9, 12}}, {10, {2}, GLFW_HAT_LEFT, {2, 8}}, {10, {9}, GLFW_HAT_RIGHT_DOWN, {10, 11, 13}}, {14, {8, 9, 10, 13}, -1, {8, 11, 12, 13}},
        {18, {0, 8, 13, 14, 17}, -1, {0, 8, 11, 12, 17}}, {40, {0, 27, 31, 32, 39}, GLFW_HAT_LEFT_UP, {0, 11, 31}}};
    for (const auto& [count, held, hat, pressed] : rows) {
        pad(3, count, held).hats.assign(hat < 0 ? 0 : 1, static_cast<unsigned char>(hat));
        for (bool& b : buttons) b = false;
        EXPECT_EQ(poll(3).first, pressed) << count << " buttons, hat " << hat;
    }
}

TEST_F(GlfwHostTest, UnknownPadSticksAreUpPositiveAndBigPadsFindTheirSecondStick) {
    const std::tuple<int, int, std::array<float, 6>> rows[] = {  // axes 0.1, 0.2...; buttons; sticks
        {12, 8, {.1f, -.2f, .3f, -.4f, .5f, -.6f}}, {5, 14, {.1f, -.2f, .3f, .5f, .4f, 0}},
        {6, 14, {.1f, -.2f, .3f, -.4f, .5f, -.6f}}, {4, 18, {.1f, -.2f, .3f, -.4f, -.3f, 0}},
        {6, 18, {.1f, -.2f, .3f, -.4f, .5f, -.6f}}};
    const float axes[] = {.1f, .2f, .3f, .4f, .5f, .6f, .7f, .8f, .9f, 1, 1.1f, 1.2f};
    for (const auto& [axisCount, buttonCount, sticks] : rows) {
        pad(2, buttonCount, {}).axes.assign(axes, axes + axisCount);
        EXPECT_EQ(poll(2).second, sticks) << axisCount << " axes, " << buttonCount << " buttons";
    }
}

TEST_F(GlfwHostTest, AbsentPadTouchesNothingAndASmallPadOnlyItsOwnButtons) {
    buttons[20] = true;  // as an earlier poll left it
    EXPECT_EQ(poll(1).first, std::vector<int>{-1});
    pad(1, 2, {0, 1});
    EXPECT_EQ(poll(1).first, (std::vector<int>{0, 1, 20}));
}

}  // namespace
