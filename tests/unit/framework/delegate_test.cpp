// The host's state gate and the delegate's dispatch into the application,
// observed through the test host.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/game_delegate.h"
#include "framework/input_device.h"
#include "framework/random_math.h"
#include "audio/audio_module.h"
#include "graphics/graphics.h"
#include "tests/support/test_host.h"

namespace {

class RecordingApp : public c_App {
public:
    int p_OnCreate() override { return log("create"); }
    int p_OnSuspend() override { return log("suspend"); }
    int p_OnResume() override { return log("resume"); }
    int p_OnUpdate() override {
        hitsSeen.push_back(nx_input_KeyHit(65));
        return log("update");
    }
    int p_OnRender() override { return log("render"); }
    int log(const char* call) {
        calls.push_back(call);
        return 0;
    }
    std::vector<std::string> calls;
    std::vector<int> hitsSeen;
};

class DelegateTest : public testing::Test {
protected:
    void SetUp() override {
        nx_app__app = nullptr;
        nx_framework_init();
        nx_graphics_init();
        nx_audio_init();
        app = new RecordingApp();
        app->m_new();
    }
    TestHost host;
    RecordingApp* app;
};

TEST_F(DelegateTest, RegistrationConnectsTheDelegateToTheHost) {
    EXPECT_EQ(host.Delegate(), nx_app__delegate);
    EXPECT_EQ(nx_app__app, app);
}

TEST_F(DelegateTest, StartRunsOnceAndCreatesTheInputDeviceFirst) {
    host.StartGame();
    host.StartGame();
    EXPECT_EQ(app->calls, std::vector<std::string>{"create"});
    EXPECT_NE(nx_input_device, nullptr);
    EXPECT_EQ(nx_app_DeviceWidth(), 640);
}

TEST_F(DelegateTest, NothingReachesTheGameBeforeItStarts) {
    host.UpdateGame();
    host.RenderGame();
    host.KeyEvent(c_NxGameEvent::KeyDown, 65);
    EXPECT_TRUE(app->calls.empty());
}

TEST_F(DelegateTest, SuspendedGameGetsNoUpdatesButStillRendersAndHearsKeys) {
    host.StartGame();
    host.SuspendGame();
    host.SuspendGame();
    int newBytes = gc_new_bytes, marked = gc_marked_bytes;
    host.UpdateGame();
    EXPECT_EQ(gc_marked_bytes, marked) << "no collection step for a gated call";
    EXPECT_EQ(gc_new_bytes, newBytes);
    host.RenderGame();
    host.KeyEvent(c_NxGameEvent::KeyDown, 65);
    host.ResumeGame();
    host.ResumeGame();
    host.UpdateGame();
    std::vector<std::string> expected = {"create", "suspend", "render", "resume", "update"};
    EXPECT_EQ(app->calls, expected);
    EXPECT_EQ(app->hitsSeen, std::vector<int>{1}) << "the key pressed while suspended still counts";
}

TEST_F(DelegateTest, HitsAreSeenByOneUpdateOnly) {
    host.StartGame();
    host.KeyEvent(c_NxGameEvent::KeyDown, 65);
    host.UpdateGame();
    host.UpdateGame();
    EXPECT_EQ(app->hitsSeen, (std::vector<int>{1, 0}));
    EXPECT_TRUE(nx_input_KeyDown(65));
}

TEST_F(DelegateTest, UpdateAndDeviceSizeFollowTheHost) {
    host.StartGame();
    host.deviceWidth = 1280;
    host.deviceHeight = 720;
    host.UpdateGame();
    EXPECT_EQ(nx_app_DeviceWidth(), 1280);
    EXPECT_EQ(nx_app_DeviceHeight(), 720);
    nx_app_SetUpdateRate(30);
    EXPECT_EQ(host.UpdateRate(), 30);
    EXPECT_EQ(nx_app__updateRate, 30);
}

TEST_F(DelegateTest, StateStringPassesThroughTheHost) {
    nx_app_SaveState(String("1,2,3"));
    EXPECT_EQ(nx_app_LoadState().ToUtf8(), "1,2,3");
    host.milliseconds = 1234;
    EXPECT_EQ(nx_app_Millisecs(), 1234);
}

TEST_F(DelegateTest, CloseKeyEndsTheProgramWithStatusZero) {
    host.StartGame();
    EXPECT_EXIT(host.KeyEvent(c_NxGameEvent::KeyDown, 432), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(host.KeyEvent(c_NxGameEvent::KeyDown, 416), testing::ExitedWithCode(0), "");
    host.KeyEvent(c_NxGameEvent::KeyUp, 432);  // only a press ends it
}

TEST_F(DelegateTest, SecondApplicationIsARuntimeError) {
    EXPECT_EXIT((new RecordingApp())->m_new(), testing::ExitedWithCode(255), "");
}

// A runtime exception thrown by the game ends the program with status -1.
class ThrowingApp : public c_App {
public:
    int p_OnUpdate() override { throw new ThrowableObject(); }
};

TEST(DelegateFailureTest, UncaughtExceptionDies) {
    TestHost host;
    nx_app__app = nullptr;
    nx_framework_init();
    nx_graphics_init();
    nx_audio_init();
    (new ThrowingApp())->m_new();
    host.StartGame();
    EXPECT_EXIT(host.UpdateGame(), testing::ExitedWithCode(255), "");
}

TEST(RandomTest, GeneratorFollowsItsRecurrence) {
    nx_random_Seed = 1234;
    float first = nx_random_Rnd();
    uint32_t seed = 1234u * 1664525u + 1013904223u;
    EXPECT_EQ(nx_random_Seed, seed);
    EXPECT_FLOAT_EQ(first, static_cast<float>(seed >> 8) / 16777216.0f);
    for (int i = 0; i < 100000; ++i) {
        float r = nx_random_Rnd2(2, 5);
        ASSERT_GE(r, 2.0f);
        ASSERT_LE(r, 5.0f);
    }
    EXPECT_EQ(nx_math_Abs(-2147483647 - 1), -2147483647 - 1);
    EXPECT_EQ(nx_math_Max(-3, 2), 2);
    EXPECT_FLOAT_EQ(nx_math_Max2(-3.5f, -4.0f), -3.5f);
}

}  // namespace
