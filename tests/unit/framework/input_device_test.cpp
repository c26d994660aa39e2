// The input device: key state and hits per update, characters, pointer and
// touches, joystick buttons as keys.
#include <gtest/gtest.h>

#include "framework/app.h"
#include "framework/input_device.h"
#include "tests/support/test_host.h"

namespace {

constexpr int kDown = c_NxGameEvent::KeyDown;
constexpr int kUp = c_NxGameEvent::KeyUp;

class InputDeviceTest : public testing::Test {
protected:
    void SetUp() override {
        nx_framework_init();
        device = (new c_InputDevice())->m_new();
        nx_input_SetInputDevice(device);
    }
    // One update: the joysticks are polled, the game looks, the hits are cleared.
    void update() {
        device->p_BeginUpdate();
        hits = device->p_KeyHit(65);
        device->p_EndUpdate();
    }

    TestHost host;
    c_InputDevice* device;
    int hits = 0;
};

TEST_F(InputDeviceTest, HeldKeyHitsOnlyInTheFirstUpdate) {
    device->p_KeyEvent(kDown, 65);
    device->p_KeyEvent(kDown, 65);  // auto-repeat
    update();
    EXPECT_EQ(hits, 1);
    update();
    EXPECT_EQ(hits, 0);
    EXPECT_TRUE(nx_input_KeyDown(65));
    device->p_KeyEvent(kUp, 65);
    EXPECT_FALSE(nx_input_KeyDown(65));
}

TEST_F(InputDeviceTest, PressReleasePressWithinOneFrameCountsTwoHits) {
    device->p_KeyEvent(kDown, 65);
    device->p_KeyEvent(kUp, 65);
    device->p_KeyEvent(kDown, 65);
    update();
    EXPECT_EQ(hits, 2);
}

TEST_F(InputDeviceTest, HitsBeyondThirtyThreeAreNotCountedButKeysAreDown) {
    for (int code = 1; code <= 33; ++code) device->p_KeyEvent(kDown, 100 + code);
    device->p_KeyEvent(kDown, 65);
    EXPECT_TRUE(nx_input_KeyDown(65));
    EXPECT_EQ(nx_input_KeyHit(65), 0);
    EXPECT_EQ(nx_input_KeyHit(133), 1);
    update();
    EXPECT_EQ(nx_input_KeyHit(133), 0);
}

TEST_F(InputDeviceTest, CharactersComeOutInOrderAndUnreadOnesAreGone) {
    for (int c : {int{'h'}, int{'i'}, 65573}) device->p_KeyEvent(c_NxGameEvent::KeyChar, c);
    EXPECT_EQ(nx_input_GetChar(), 'h');
    EXPECT_EQ(nx_input_GetChar(), 'i');
    EXPECT_EQ(nx_input_GetChar(), 65573);
    EXPECT_EQ(nx_input_GetChar(), 0);
    device->p_KeyEvent(c_NxGameEvent::KeyChar, 'x');
    update();
    EXPECT_EQ(nx_input_GetChar(), 0);
    for (int i = 0; i < 40; ++i) device->p_KeyEvent(c_NxGameEvent::KeyChar, 'a' + i % 26);
    int read = 0;
    while (nx_input_GetChar()) ++read;
    EXPECT_EQ(read, 32);
}

TEST_F(InputDeviceTest, LeftMouseButtonIsAlsoTouchZero) {
    device->p_MouseEvent(c_NxGameEvent::MouseDown, 0, 12, 34);
    EXPECT_TRUE(nx_input_MouseDown(0));
    EXPECT_TRUE(nx_input_TouchDown(0));
    EXPECT_EQ(nx_input_MouseHit(0), 1);
    EXPECT_EQ(nx_input_KeyHit(384), 1);
    EXPECT_FLOAT_EQ(nx_input_TouchX(0), 12);
    EXPECT_FLOAT_EQ(nx_input_MouseY(), 34);
    device->p_MouseEvent(c_NxGameEvent::MouseMove, -1, 50, 60);
    EXPECT_FLOAT_EQ(nx_input_TouchY(0), 60);
    device->p_MouseEvent(c_NxGameEvent::MouseUp, 0, 0, 0);
    EXPECT_FALSE(nx_input_TouchDown(0));
    EXPECT_FLOAT_EQ(nx_input_MouseX(), 50) << "a release does not move the pointer";
    device->p_MouseEvent(c_NxGameEvent::MouseDown, 1, 0, 0);
    EXPECT_TRUE(nx_input_KeyDown(2));
}

TEST_F(InputDeviceTest, TouchesAndMotionAreRecorded) {
    device->p_TouchEvent(c_NxGameEvent::TouchDown, 3, 7, 8);
    EXPECT_TRUE(nx_input_TouchDown(3));
    EXPECT_FLOAT_EQ(nx_input_TouchX(3), 7);
    EXPECT_FLOAT_EQ(nx_input_MouseX(), 0) << "only touch 0 moves the pointer";
    device->p_MotionEvent(c_NxGameEvent::MotionAccel, 0, 0.1f, 0.2f, 0.3f);
    EXPECT_FLOAT_EQ(nx_input_AccelY(), 0.2f);
}

TEST_F(InputDeviceTest, OutOfRangeCodesReadAsUpAndNeverWriteOutside) {
    for (int code : {0, -1, 512, 100000}) {
        device->p_KeyEvent(kDown, code);
        device->p_KeyEvent(kUp, code);
        EXPECT_FALSE(nx_input_KeyDown(code));
        EXPECT_EQ(nx_input_KeyHit(code), 0);
    }
    device->p_TouchEvent(c_NxGameEvent::TouchDown, 40, 1, 1);
    device->p_TouchEvent(c_NxGameEvent::TouchMove, -2, 1, 1);
    device->p_MouseEvent(c_NxGameEvent::MouseDown, 600, 1, 1);
    EXPECT_FLOAT_EQ(nx_input_TouchX(40), 0);
    EXPECT_FLOAT_EQ(nx_input_JoyX(5, 9), 0);
    EXPECT_EQ(device->m__keyHitPut, 0);
}

TEST_F(InputDeviceTest, JoystickButtonsBehaveLikeKeys) {
    bool pressed = true;
    host.pollJoystick = [&](int port, Array<float> joyx, Array<float>, Array<float>, Array<bool> buttons) {
        if (port > 0) return false;
        buttons[1] = pressed;
        joyx[0] = 0.5f;
        return true;
    };
    update();
    EXPECT_TRUE(nx_input_JoyDown(1, 0));
    EXPECT_FLOAT_EQ(nx_input_JoyX(0, 0), 0.5f);
    device->p_BeginUpdate();
    EXPECT_EQ(nx_input_JoyHit(1, 0), 0) << "held: no new hit";
    device->p_EndUpdate();
    pressed = false;
    update();
    EXPECT_FALSE(nx_input_JoyDown(1, 0));
}

TEST_F(InputDeviceTest, UnitsAfterTheFirstAbsentOneAreNotPolled) {
    std::vector<int> polled;
    host.pollJoystick = [&](int port, Array<float>, Array<float>, Array<float>, Array<bool>) {
        polled.push_back(port);
        return port == 0;
    };
    device->m__joyStates[2]->m_buttons[4] = true;
    update();
    EXPECT_EQ(polled, (std::vector<int>{0, 1}));
    EXPECT_TRUE(device->m__joyStates[2]->m_buttons[4]) << "kept its state";
}

TEST_F(InputDeviceTest, UnpluggedPadReleasesWhatWasHeld) {
    bool plugged = true;
    host.pollJoystick = [&](int port, Array<float> joyx, Array<float>, Array<float>, Array<bool> buttons) {
        if (port > 1 || !plugged) return false;
        buttons[2] = true;
        joyx[0] = 0.9f;
        return true;
    };
    update();
    ASSERT_TRUE(nx_input_JoyDown(2, 0));
    ASSERT_TRUE(nx_input_JoyDown(2, 1));
    plugged = false;
    update();
    for (int unit : {0, 1}) {
        EXPECT_FALSE(nx_input_JoyDown(2, unit));
        EXPECT_FLOAT_EQ(nx_input_JoyX(0, unit), 0);
    }
}

TEST_F(InputDeviceTest, JoystickCodesCombineButtonAndUnit) {
    device->p_KeyEvent(kDown, 291);
    EXPECT_EQ(nx_input_JoyHit(3, 1), 1);
    EXPECT_TRUE(nx_input_JoyDown(3, 1));
}

}  // namespace
