// The framework through the test host: the host's state gate, the
// delegate's dispatch into the application and its devices, the app module,
// and the input device as the game reads it during its updates.
#include <gtest/gtest.h>

#include <functional>

#include "audio/audio_module.h"
#include "framework/app.h"
#include "framework/input_device.h"
#include "framework/random_math.h"
#include "graphics/graphics.h"
#include "tests/fakes/al/fake_al.h"
#include "tests/support/test_host.h"

namespace {

constexpr int kDown = c_NxGameEvent::KeyDown, kUp = c_NxGameEvent::KeyUp;

// Logs the calls; in each update it records what `watch` reads and the
// characters typed since the last one.
class RecordingApp : public c_App {
public:
    int p_OnCreate() override { return calls.push_back("create"), 0; }
    int p_OnSuspend() override { return calls.push_back("suspend"), 0; }
    int p_OnResume() override { return calls.push_back("resume"), 0; }
    int p_OnRender() override { return calls.push_back("render"), 0; }
    int p_OnUpdate() override {
        hits.push_back(watch());
        for (int c; (c = nx_input_GetChar()) != 0;) typed.push_back(c);
        return calls.push_back("update"), 0;
    }

    std::function<int()> watch = [] { return nx_input_KeyHit(65); };
    std::vector<std::string> calls;
    std::vector<int> hits, typed;
};

// The game is started; calls made before that must not reach it.
class FrameworkTest : public testing::Test {
protected:
    void SetUp() override {
        nx_app__app = nullptr;
        nx_framework_init(), nx_graphics_init(), nx_audio_init(), fake_al::Reset();
        (app = new RecordingApp())->m_new();
        host.UpdateGame(), host.RenderGame(), host.KeyEvent(kDown, 65), host.StartGame(), host.StartGame();
    }
    TestHost host;
    RecordingApp* app;
};

// A suspended game gets no updates (nor their collection steps) but is still
// drawn and hears keys, and its sound device is paused. The device size,
// update rate, state and clock are the host's. A close or back key press
// ends the program where the host can end it; a second application and an uncaught exception are
// runtime errors.
TEST_F(FrameworkTest, HostPassesCallsToTheGameOnlyOnceStartedAndNotSuspended) {
    host.SuspendGame(), host.SuspendGame();
    const int newBytes = gc_new_bytes, marked = gc_marked_bytes;
    host.UpdateGame();
    EXPECT_EQ(std::make_tuple(gc_new_bytes, gc_marked_bytes, fake_al::state().devicePaused), std::make_tuple(newBytes, marked, true));
    host.RenderGame(), host.KeyEvent(kDown, 65), host.ResumeGame(), host.ResumeGame(), host.UpdateGame(), host.UpdateGame();
    EXPECT_EQ(app->calls, (std::vector<std::string>{"create", "suspend", "render", "resume", "update", "update"}));
    EXPECT_EQ(std::make_pair(app->hits, fake_al::state().devicePaused), std::make_pair(std::vector<int>{1, 0}, false));
    host.deviceWidth = 1280, host.deviceHeight = 720, host.milliseconds = 1234;
    host.UpdateGame(), nx_app_SetUpdateRate(30), nx_app_SaveState(String("1,2,3"));
    EXPECT_EQ(std::make_tuple(nx_app_DeviceWidth(), nx_app_DeviceHeight(), host.UpdateRate(), nx_app__updateRate),
              std::make_tuple(1280, 720, 30, 30));
    EXPECT_EQ(std::make_pair(nx_app_LoadState().ToUtf8(), nx_app_Millisecs()), std::make_pair(std::string("1,2,3"), 1234));
    for (int key : {kKeyWindowClose, kKeyBack}) EXPECT_EXIT(host.KeyEvent(kDown, key), testing::ExitedWithCode(0), "");
    EXPECT_EXIT((host.KeyEvent(kUp, kKeyWindowClose), std::exit(7)), testing::ExitedWithCode(7), "") << "only a press ends it";
    host.canEndProgram = false;
    for (int key : {kKeyWindowClose, kKeyBack})
        EXPECT_EXIT((host.KeyEvent(kDown, key), std::exit(7)), testing::ExitedWithCode(7), "") << "a page stays open";
    EXPECT_EXIT((new RecordingApp())->m_new(), testing::ExitedWithCode(255), "");
    app->watch = []() -> int { throw new ThrowableObject(); };
    EXPECT_EXIT(host.UpdateGame(), testing::ExitedWithCode(255), "");
}

// A hit counts each press since the last update (33 at most; a held key's
// repeats add none); characters come in order, 32 at most, each read once.
// Codes outside 1-511 are never down.
TEST_F(FrameworkTest, KeyHitsAndCharactersAreCountedPerUpdate) {
    host.KeyEvent(kDown, 65), host.KeyEvent(kDown, 65), host.UpdateGame(), host.UpdateGame();
    host.KeyEvent(kUp, 65), host.KeyEvent(kDown, 65), host.KeyEvent(kUp, 65), host.KeyEvent(kDown, 65);
    for (int c : {104, 105, 65573}) host.KeyEvent(c_NxGameEvent::KeyChar, c);
    for (int i = 0; i < 40; ++i) host.KeyEvent(c_NxGameEvent::KeyChar, 'a');
    host.UpdateGame(), host.UpdateGame();
    EXPECT_EQ(std::make_tuple(app->hits, app->typed.size(), app->typed.at(2), nx_input_KeyDown(65)),
              std::make_tuple(std::vector<int>{1, 0, 2, 0}, 32u, 65573, true));
    host.KeyEvent(kUp, 65);
    for (int code = 100; code <= 133; ++code) host.KeyEvent(kDown, code);
    EXPECT_EQ(std::make_tuple(nx_input_KeyDown(65), nx_input_KeyHit(132), nx_input_KeyHit(133), nx_input_KeyDown(133)),
              std::make_tuple(false, 1, 0, true));
    host.UpdateGame();
    for (int code : {0, -1, kKeyCodes}) host.KeyEvent(kDown, code);
    EXPECT_EQ(std::make_tuple(nx_input_KeyHit(132), nx_input_KeyDown(0), nx_input_KeyHit(-1), nx_input_KeyDown(kKeyCodes)),
              std::make_tuple(0, false, 0, false));
}

// The left mouse button and touch 0 are one control; only touch 0 moves the
// pointer, and a release does not.
TEST_F(FrameworkTest, MouseTouchesAndMotionReachTheInputDevice) {
    host.MouseEvent(c_NxGameEvent::MouseDown, 0, 12, 34);
    EXPECT_EQ(std::make_tuple(nx_input_MouseDown(0), nx_input_TouchDown(0), nx_input_MouseHit(0), nx_input_KeyHit(kTouchBase), nx_input_TouchX(0)),
              std::make_tuple(true, true, 1, 1, 12.0f));
    host.MouseEvent(c_NxGameEvent::MouseMove, -1, 50, 60), host.MouseEvent(c_NxGameEvent::MouseUp, 0, 0, 0);
    host.MouseEvent(c_NxGameEvent::MouseDown, 1, 50, 60), host.TouchEvent(c_NxGameEvent::TouchDown, 3, 7, 8);
    EXPECT_EQ(std::make_tuple(nx_input_MouseDown(0), nx_input_TouchDown(0), nx_input_MouseX(), nx_input_MouseY(), nx_input_TouchY(0), nx_input_MouseHit(1)),
              std::make_tuple(false, false, 50.0f, 60.0f, 60.0f, 1));
    host.TouchEvent(c_NxGameEvent::TouchUp, 3, 0, 0), host.TouchEvent(c_NxGameEvent::TouchDown, kTouches, 1, 1);
    host.MotionEvent(c_NxGameEvent::MotionAccel, 0, 0.1f, 0.2f, 0.3f), host.TouchEvent(c_NxGameEvent::TouchDown, 0, 5, 6);
    EXPECT_EQ(std::make_tuple(nx_input_TouchDown(3), nx_input_TouchX(3), nx_input_TouchY(3), nx_input_TouchX(kTouches), nx_input_AccelX(),
                              nx_input_AccelY(), nx_input_MouseDown(0), nx_input_MouseX(), nx_input_KeyDown(kTouchBase + kTouches)),
              std::make_tuple(false, 7.0f, 8.0f, 0.0f, 0.1f, 0.2f, true, 5.0f, false));
}

// Pads are polled in order until one is absent: later ones keep their state.
// A held button hits once; an unplugged pad releases its buttons and centres
// its sticks.
TEST_F(FrameworkTest, JoystickButtonsAreKeysAndAnUnpluggedPadLetsGo) {
    std::vector<int> polled;  // ports, in the order polled
    host.pollJoystick = [&](int port, Array<float> joyx, Array<float> joyy, Array<float>, Array<bool> buttons) {
        const bool present = (polled.push_back(port), port < 2 && polled.size() <= 6);  // pads 0 and 1, for two updates
        if (present) buttons[2] = true, joyx[0] = 0.5f, joyy[1] = -0.5f;
        return present;
    };
    nx_input_device->m__joyStates[3]->m_buttons[4] = true;
    app->watch = [] { return nx_input_JoyHit(2, 1); };
    host.UpdateGame(), host.UpdateGame();
    auto pads = [] { return std::make_tuple(nx_input_JoyDown(2, 0), nx_input_JoyDown(2, 1), nx_input_JoyX(0, 1), nx_input_JoyY(1, 0)); };
    EXPECT_EQ(std::make_tuple(polled, app->hits, pads()),
              std::make_tuple(std::vector<int>{0, 1, 2, 0, 1, 2}, std::vector<int>{1, 0}, std::make_tuple(true, true, 0.5f, -0.5f)));
    host.UpdateGame();
    EXPECT_EQ(pads(), std::make_tuple(false, false, 0.0f, 0.0f));
    EXPECT_EQ(std::make_pair(nx_input_device->m__joyStates[3]->m_buttons[4], nx_input_JoyX(0, kJoysticks)), std::make_pair(true, 0.0f));
}

TEST(RandomMathTest, RandomRangesAndIntegerEdges) {
    for (int i = 0; i < 10000; ++i) ASSERT_TRUE(std::abs(nx_random_Rnd2(2, 5) - 3.5f) <= 1.5f && nx_random_Rnd3(3) <= 3);
    EXPECT_EQ(std::make_tuple(nx_math_Abs(-2147483647 - 1), nx_math_Abs(-3), nx_math_Abs2(-1.5f), nx_math_Max(-3, 2), nx_math_Max2(-3.5f, -4.0f)),
              std::make_tuple(-2147483647 - 1, 3, 1.5f, 2, -3.5f));
}

}  // namespace
