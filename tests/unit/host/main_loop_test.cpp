// The main loop's timing, focus rule, window placement and close button,
// driven through a fake GLFW whose clock moves only when the test says so.
#include <gtest/gtest.h>

#include <vector>

#include "host/glfw/glfw_game.h"
#include "tests/fakes/glfw/fake_glfw.h"

namespace {

// Records what the host asks of the game; frame by frame.
class RecordingDelegate : public NxGameDelegate {
public:
    void StartGame() override { ++starts; }
    void SuspendGame() override { ++suspends; }
    void ResumeGame() override { ++resumes; }
    void UpdateGame() override {
        ++updatesThisFrame;
        if (onUpdate) onUpdate();
    }
    void RenderGame() override {
        updatesPerFrame.push_back(updatesThisFrame);
        updatesThisFrame = 0;
    }
    void KeyEvent(int event, int data) override { keys.push_back({event, data}); }

    int starts = 0, suspends = 0, resumes = 0;
    int updatesThisFrame = 0;
    std::vector<int> updatesPerFrame;  // updates run before each frame
    std::vector<std::pair<int, int>> keys;
    std::function<void()> onUpdate;
};

class MainLoopTest : public testing::Test {
protected:
    void SetUp() override {
        fake_glfw::Reset();
        delegate = new RecordingDelegate();
        host.SetDelegate(delegate);
        host.SetUpdateRate(60);
    }

    // Runs the loop for `frames` frames; `frame` tells the current one.
    void run_frames(int frames) {
        fake_glfw::State& glfw = fake_glfw::state();
        auto previous = glfw.onEvents;
        glfw.onEvents = [this, frames, previous] {
            if (previous) previous();
            if (++frame >= frames) fake_glfw::state().shouldClose = true;
        };
        host.Run();
    }

    NxGlfwGame host;
    RecordingDelegate* delegate;
    int frame = 0;
};

TEST_F(MainLoopTest, SlowFrameIsFollowedByFourUpdatesAndNoSleep) {
    fake_glfw::State& glfw = fake_glfw::state();
    std::vector<size_t> sleepsAtSwap;
    glfw.onSwap = [&] {
        sleepsAtSwap.push_back(glfw.sleeps.size());
        glfw.time += frame == 3 ? 0.2 : 1.0 / 120;
    };
    run_frames(7);
    ASSERT_GE(delegate->updatesPerFrame.size(), 7u);
    // The 0.2 s frame (the fourth) is followed by exactly four updates...
    EXPECT_EQ(delegate->updatesPerFrame[4], 4);
    // ...and the schedule is dropped: the next frame does not sleep and runs one update.
    EXPECT_EQ(sleepsAtSwap[5] - sleepsAtSwap[4], 0u);
    EXPECT_EQ(delegate->updatesPerFrame[5], 1);
    // Frames on time sleep for the rest of their period.
    EXPECT_EQ(sleepsAtSwap[3] - sleepsAtSwap[2], 1u);
}

TEST_F(MainLoopTest, LoopSleepsUntilTheNextUpdateIsDue) {
    run_frames(5);
    fake_glfw::State& glfw = fake_glfw::state();
    // No time passes while rendering, so each frame waits a whole period.
    ASSERT_FALSE(glfw.sleeps.empty());
    for (double s : glfw.sleeps) EXPECT_NEAR(s, 1.0 / 60, 1e-9);
    for (size_t i = 1; i < delegate->updatesPerFrame.size(); ++i) EXPECT_EQ(delegate->updatesPerFrame[i], 1);
}

TEST_F(MainLoopTest, RateChangeInsideAnUpdateStopsTheCatchUp) {
    fake_glfw::State& glfw = fake_glfw::state();
    glfw.onSwap = [this, &glfw] { glfw.time += frame == 2 ? 0.5 : 0.0; };
    bool changed = false;
    delegate->onUpdate = [this, &changed] {
        if (frame == 3 && !changed) {
            changed = true;
            host.SetUpdateRate(30);
        }
    };
    run_frames(5);
    EXPECT_TRUE(changed);
    EXPECT_EQ(delegate->updatesPerFrame[3], 1);
}

TEST_F(MainLoopTest, RateZeroRunsOneUpdatePerFrameWithoutSleeping) {
    host.SetUpdateRate(0);
    fake_glfw::state().onSwap = [] { fake_glfw::state().time += 0.3; };
    run_frames(5);
    EXPECT_TRUE(fake_glfw::state().sleeps.empty());
    for (size_t i = 1; i < delegate->updatesPerFrame.size(); ++i) EXPECT_EQ(delegate->updatesPerFrame[i], 1);
}

TEST_F(MainLoopTest, LosingFocusSuspendsOnceAndRegainingItResumesWithoutABurst) {
    fake_glfw::State& glfw = fake_glfw::state();
    glfw.onEvents = [this, &glfw] {
        glfw.focused = !(frame >= 2 && frame < 6);
        if (frame >= 2 && frame < 6) glfw.time += 1.0;  // a long time away
    };
    run_frames(9);
    EXPECT_EQ(delegate->suspends, 1);
    EXPECT_EQ(delegate->resumes, 1);
    EXPECT_GE(glfw.waits, 3) << "an unfocused game blocks in the event wait";
    for (int f = 3; f <= 6; ++f) EXPECT_EQ(delegate->updatesPerFrame[static_cast<size_t>(f)], 0);
    EXPECT_EQ(delegate->updatesPerFrame[7], 1) << "the first update after resuming runs at once, alone";
}

TEST_F(MainLoopTest, MinimisedWindowCountsAsUnfocused) {
    fake_glfw::state().onEvents = [this] { fake_glfw::state().iconified = frame == 1; };
    run_frames(4);
    EXPECT_EQ(delegate->suspends, 1);
    EXPECT_EQ(delegate->resumes, 1);
}

TEST_F(MainLoopTest, CloseButtonPostsTheCloseKeyAndKeepsTheWindowOpen) {
    fake_glfw::state().onEvents = [this] {
        if (frame == 1) fake_glfw::state().closeCallback(fake_glfw::Window());
    };
    run_frames(3);
    ASSERT_EQ(delegate->keys.size(), 2u);
    EXPECT_EQ(delegate->keys[0], std::make_pair(c_NxGameEvent::KeyDown, 432));
    EXPECT_EQ(delegate->keys[1], std::make_pair(c_NxGameEvent::KeyUp, 432));
    EXPECT_EQ(frame, 3) << "the window stayed open";
}

TEST_F(MainLoopTest, WindowIsCentredTitledAndCountsItsContext) {
    int contexts = glfwGraphicsSeq;
    run_frames(1);
    fake_glfw::State& glfw = fake_glfw::state();
    EXPECT_EQ(glfw.windowX, 640);
    EXPECT_EQ(glfw.windowY, 300);
    EXPECT_EQ(glfw.windowWidth, 640);
    EXPECT_EQ(glfw.windowHeight, 480);
    EXPECT_EQ(glfw.title, "Flingaroo");
    EXPECT_TRUE(glfw.visible);
    EXPECT_EQ(glfwGraphicsSeq, contexts + 1);
    EXPECT_EQ(delegate->starts, 1);
}

TEST_F(MainLoopTest, HeldKeysAreReleasedBeforeTheWindowChanges) {
    run_frames(1);
    fake_glfw::State& glfw = fake_glfw::state();
    glfw.keysDown = {GLFW_KEY_LEFT, GLFW_KEY_RIGHT_SHIFT, GLFW_KEY_KP_ENTER};
    delegate->keys.clear();
    NxGlfwVideoMode* desktop = host.GetGlfwDesktopMode();
    host.SetGlfwWindow(desktop->width, desktop->height, 8, 8, 8, 0, 0, 0, true);
    std::vector<std::pair<int, int>> expected = {{c_NxGameEvent::KeyUp, 37}, {c_NxGameEvent::KeyUp, 16}};
    EXPECT_EQ(delegate->keys, expected);
    EXPECT_TRUE(glfw.fullscreen);
    EXPECT_EQ(glfw.windowWidth, 1920);
    EXPECT_EQ(host.GetDeviceHeight(), 1080);

    host.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
    EXPECT_FALSE(glfw.fullscreen);
    EXPECT_EQ(glfw.windowX, 640);
    EXPECT_EQ(glfw.windowWidth, 640);
}

TEST_F(MainLoopTest, DesktopModeReportsSizeAndColourBits) {
    fake_glfw::state().desktopWidth = 2560;
    fake_glfw::state().desktopHeight = 1440;
    NxGlfwVideoMode* mode = host.GetGlfwDesktopMode();
    EXPECT_EQ(mode->width, 2560);
    EXPECT_EQ(mode->height, 1440);
    EXPECT_EQ(mode->red + mode->green + mode->blue, 24);
}

TEST_F(MainLoopTest, MillisecsTruncatesTheClock) {
    fake_glfw::state().time = 1.9999;
    EXPECT_EQ(host.Millisecs(), 1999);
}

}  // namespace
