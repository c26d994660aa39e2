// Window-system input turned into events: the key table, the characters of
// editing keys, the mouse, and the joystick read-out with its remapping.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "host/glfw/glfw_game.h"
#include "tests/fakes/glfw/fake_glfw.h"

namespace {

struct Event {
    int kind;
    int data;
    float x = 0, y = 0;
    bool operator==(const Event& o) const { return kind == o.kind && data == o.data && x == o.x && y == o.y; }
};

class EventLog : public NxGameDelegate {
public:
    void KeyEvent(int kind, int data) override { events.push_back({kind, data}); }
    void MouseEvent(int kind, int data, float x, float y) override { events.push_back({kind, data, x, y}); }
    std::vector<Event> events;
};

// Program key codes by physical key, written out independently of the host's table.
std::map<int, int> expected_codes() {
    std::map<int, int> codes = {
        {GLFW_KEY_SPACE, 32},        {GLFW_KEY_APOSTROPHE, 222},  {GLFW_KEY_COMMA, 188},
        {GLFW_KEY_MINUS, 189},       {GLFW_KEY_PERIOD, 190},      {GLFW_KEY_SLASH, 191},
        {GLFW_KEY_SEMICOLON, 186},   {GLFW_KEY_EQUAL, 187},       {GLFW_KEY_LEFT_BRACKET, 219},
        {GLFW_KEY_BACKSLASH, 220},   {GLFW_KEY_RIGHT_BRACKET, 221}, {GLFW_KEY_GRAVE_ACCENT, 192},
        {GLFW_KEY_ESCAPE, 27},       {GLFW_KEY_ENTER, 13},        {GLFW_KEY_TAB, 9},
        {GLFW_KEY_BACKSPACE, 8},     {GLFW_KEY_INSERT, 45},       {GLFW_KEY_DELETE, 46},
        {GLFW_KEY_PAGE_UP, 33},      {GLFW_KEY_PAGE_DOWN, 34},    {GLFW_KEY_HOME, 36},
        {GLFW_KEY_END, 35},          {GLFW_KEY_LEFT, 37},         {GLFW_KEY_UP, 38},
        {GLFW_KEY_RIGHT, 39},        {GLFW_KEY_DOWN, 40},         {GLFW_KEY_KP_DECIMAL, 110},
        {GLFW_KEY_KP_DIVIDE, 111},   {GLFW_KEY_KP_MULTIPLY, 106}, {GLFW_KEY_KP_SUBTRACT, 109},
        {GLFW_KEY_KP_ADD, 107},      {GLFW_KEY_LEFT_SHIFT, 16},   {GLFW_KEY_RIGHT_SHIFT, 16},
        {GLFW_KEY_LEFT_CONTROL, 17}, {GLFW_KEY_RIGHT_CONTROL, 17},
    };
    for (int i = 0; i < 10; ++i) codes[GLFW_KEY_0 + i] = '0' + i;
    for (int i = 0; i < 26; ++i) codes[GLFW_KEY_A + i] = 'A' + i;
    for (int i = 0; i < 10; ++i) codes[GLFW_KEY_KP_0 + i] = 96 + i;
    for (int i = 0; i < 12; ++i) codes[GLFW_KEY_F1 + i] = 112 + i;
    return codes;
}

class InputEventsTest : public testing::Test {
protected:
    void SetUp() override {
        fake_glfw::Reset();
        log = new EventLog();
        host.SetDelegate(log);
        host.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
        host.StartGame();
    }
    void key(int glfwKey, int action) { NxGlfwGame::OnKey(fake_glfw::Window(), glfwKey, 0, action, 0); }

    NxGlfwGame host;
    EventLog* log;
};

TEST_F(InputEventsTest, EveryGlfwKeyMapsToItsPhysicalKeysCodeOrToNone) {
    std::map<int, int> expected = expected_codes();
    for (int key = -1; key <= GLFW_KEY_LAST + 1; ++key) {
        int code = expected.count(key) ? expected[key] : 0;
        EXPECT_EQ(NxGlfwGame::TransKey(key), code) << "GLFW key " << key;
    }
    for (int none : {GLFW_KEY_LEFT_ALT, GLFW_KEY_KP_ENTER, GLFW_KEY_KP_EQUAL, GLFW_KEY_CAPS_LOCK,
                     GLFW_KEY_LEFT_SUPER, GLFW_KEY_MENU, GLFW_KEY_PAUSE, GLFW_KEY_F13, GLFW_KEY_WORLD_1})
        EXPECT_EQ(NxGlfwGame::TransKey(none), 0) << "GLFW key " << none;
}

TEST_F(InputEventsTest, ShiftGivesItsCodeAndNoCharacter) {
    key(GLFW_KEY_LEFT_SHIFT, GLFW_PRESS);
    key(GLFW_KEY_LEFT_SHIFT, GLFW_RELEASE);
    std::vector<Event> expected = {{c_NxGameEvent::KeyDown, 16}, {c_NxGameEvent::KeyUp, 16}};
    EXPECT_EQ(log->events, expected);
}

TEST_F(InputEventsTest, EditingKeysRepeatTheirCharacter) {
    key(GLFW_KEY_LEFT, GLFW_PRESS);
    key(GLFW_KEY_LEFT, GLFW_REPEAT);
    std::vector<Event> expected = {{c_NxGameEvent::KeyDown, 37}, {c_NxGameEvent::KeyChar, 65573},
                                   {c_NxGameEvent::KeyDown, 37}, {c_NxGameEvent::KeyChar, 65573}};
    EXPECT_EQ(log->events, expected);
    EXPECT_EQ(NxGlfwGame::KeyToChar(46), 127);
    EXPECT_EQ(NxGlfwGame::KeyToChar(45), 65581);
    EXPECT_EQ(NxGlfwGame::KeyToChar(13), 13);
    EXPECT_EQ(NxGlfwGame::KeyToChar(65), 0);
}

TEST_F(InputEventsTest, LetterComesAsKeyFromOneCallbackAndCharacterFromTheOther) {
    key(GLFW_KEY_A, GLFW_PRESS);
    NxGlfwGame::OnChar(fake_glfw::Window(), 'a');
    std::vector<Event> expected = {{c_NxGameEvent::KeyDown, 65}, {c_NxGameEvent::KeyChar, 97}};
    EXPECT_EQ(log->events, expected);
}

TEST_F(InputEventsTest, KeysWithoutACodeAndExtraMouseButtonsProduceNothing) {
    key(GLFW_KEY_KP_ENTER, GLFW_PRESS);
    key(9999, GLFW_PRESS);
    key(-1, GLFW_PRESS);
    NxGlfwGame::OnMouseButton(fake_glfw::Window(), 3, GLFW_PRESS, 0);
    NxGlfwGame::OnMouseButton(fake_glfw::Window(), -1, GLFW_PRESS, 0);
    EXPECT_TRUE(log->events.empty());
}

TEST_F(InputEventsTest, PointerPositionsAreInFramebufferPixels) {
    fake_glfw::state().framebufferScale = 2;
    fake_glfw::state().cursorX = 10;
    fake_glfw::state().cursorY = 20;
    NxGlfwGame::OnMouseButton(fake_glfw::Window(), 1, GLFW_PRESS, 0);
    NxGlfwGame::OnMouseButton(fake_glfw::Window(), 1, GLFW_RELEASE, 0);
    NxGlfwGame::OnMousePos(fake_glfw::Window(), 5, 6);
    std::vector<Event> expected = {{c_NxGameEvent::MouseDown, 1, 20, 40},
                                   {c_NxGameEvent::MouseUp, 1, 20, 40},
                                   {c_NxGameEvent::MouseMove, -1, 10, 12}};
    EXPECT_EQ(log->events, expected);
}

TEST_F(InputEventsTest, EventsBeforeTheStartAreDropped) {
    NxGlfwGame fresh;
    EventLog* quiet = new EventLog();
    fresh.SetDelegate(quiet);
    NxGlfwGame::OnKey(fake_glfw::Window(), GLFW_KEY_A, 0, GLFW_PRESS, 0);
    EXPECT_TRUE(quiet->events.empty());
}

// Joysticks: the record's arrays as the input device hands them over.
class JoystickTest : public InputEventsTest {
protected:
    bool poll(int port) { return host.PollJoystick(port, joyx, joyy, joyz, buttons); }
    std::vector<int> pressed_buttons() {
        std::vector<int> pressed;
        for (int b = 0; b < buttons.Length(); ++b)
            if (buttons[b]) pressed.push_back(b);
        return pressed;
    }
    Array<float> joyx{2}, joyy{2}, joyz{2};
    Array<bool> buttons{32};
};

TEST_F(JoystickTest, KnownPadReportsTheStandardLayout) {
    fake_glfw::Joystick& pad = fake_glfw::state().joysticks[0];
    pad.present = pad.gamepad = true;
    pad.gamepadState.buttons[GLFW_GAMEPAD_BUTTON_B] = GLFW_PRESS;
    pad.gamepadState.buttons[GLFW_GAMEPAD_BUTTON_DPAD_LEFT] = GLFW_PRESS;
    pad.gamepadState.buttons[GLFW_GAMEPAD_BUTTON_GUIDE] = GLFW_PRESS;
    pad.gamepadState.axes[GLFW_GAMEPAD_AXIS_LEFT_X] = 0.5f;
    pad.gamepadState.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -1.0f;  // pushed up
    pad.gamepadState.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = 1.0f;
    pad.gamepadState.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = -1.0f;
    ASSERT_TRUE(poll(0));
    EXPECT_EQ(pressed_buttons(), (std::vector<int>{1, 8, 14}));
    EXPECT_FLOAT_EQ(joyx[0], 0.5f);
    EXPECT_FLOAT_EQ(joyy[0], 1.0f) << "up is positive";
    EXPECT_FLOAT_EQ(joyz[0], 0.0f);
    EXPECT_FLOAT_EQ(joyz[1], 1.0f);
}

TEST_F(JoystickTest, FourteenButtonFiveAxisPadIsRemapped) {
    fake_glfw::Joystick& pad = fake_glfw::state().joysticks[1];
    pad.present = true;
    pad.buttons.assign(14, GLFW_RELEASE);
    pad.buttons[10] = pad.buttons[13] = pad.buttons[8] = pad.buttons[9] = GLFW_PRESS;
    pad.axes = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f};
    ASSERT_TRUE(poll(1));
    EXPECT_TRUE(buttons[8]);    // device 10
    EXPECT_FALSE(buttons[9]);   // device 11
    EXPECT_TRUE(buttons[11]);   // device 13
    EXPECT_TRUE(buttons[12]);   // device 8
    EXPECT_TRUE(buttons[13]);   // device 9
    EXPECT_FALSE(buttons[0]);
    // The second stick: x from axis 4, y the negated axis 3 (as the game reads axes, y up).
    EXPECT_FLOAT_EQ(joyx[1], 0.5f);
    EXPECT_FLOAT_EQ(joyy[1], 0.4f);
    EXPECT_FLOAT_EQ(joyx[0], 0.1f);
    EXPECT_FLOAT_EQ(joyy[0], -0.2f);
}

TEST_F(JoystickTest, HatOfAnUnknownPadIsItsDpad) {
    struct Case {
        int deviceButtons;
        int heldButton;
        unsigned char hat;
        std::vector<int> pressed;
    };
    // The hat is read as four more device buttons: left, up, right, down.
    // 8 buttons + hat = 12: the device's buttons keep their places and the hat
    // is 8..11. 10 buttons + hat = 14, where the 14-button rule gives program
    // 0..7 = device 0..7, 8..11 = the last four (the hat: left 8, up 9,
    // right 10, down 11) and 12, 13 = device buttons 8, 9.
    const Case cases[] = {
        {8, 3, GLFW_HAT_UP, {3, 9}},
        {8, 7, GLFW_HAT_RIGHT_UP, {7, 9, 10}},
        {8, 0, GLFW_HAT_LEFT_DOWN, {0, 8, 11}},
        {8, 5, GLFW_HAT_CENTERED, {5}},
        {10, 8, GLFW_HAT_UP, {9, 12}},
        {10, 9, GLFW_HAT_RIGHT_DOWN, {10, 11, 13}},
        {10, 2, GLFW_HAT_LEFT, {2, 8}},
    };
    fake_glfw::Joystick& pad = fake_glfw::state().joysticks[3];
    pad.present = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.deviceButtons << " buttons, button " << c.heldButton
                                        << " held, hat " << int(c.hat));
        pad.buttons.assign(c.deviceButtons, GLFW_RELEASE);
        pad.buttons[c.heldButton] = GLFW_PRESS;
        pad.hats = {c.hat};
        for (int b = 0; b < buttons.Length(); ++b) buttons[b] = false;
        ASSERT_TRUE(poll(3));
        EXPECT_EQ(pressed_buttons(), c.pressed);
    }
}

TEST_F(JoystickTest, SmallPadLeavesTheOtherButtonsAlone) {
    fake_glfw::Joystick& pad = fake_glfw::state().joysticks[0];
    pad.present = true;
    pad.buttons.assign(8, GLFW_PRESS);
    buttons[20] = true;  // as an earlier poll left it
    ASSERT_TRUE(poll(0));
    for (int b = 0; b < 8; ++b) EXPECT_TRUE(buttons[b]);
    for (int b = 8; b < 20; ++b) EXPECT_FALSE(buttons[b]);
    EXPECT_TRUE(buttons[20]);
}

TEST_F(JoystickTest, OversizedPadIsReadWithinTheRecord) {
    fake_glfw::Joystick& pad = fake_glfw::state().joysticks[2];
    pad.present = true;
    pad.buttons.assign(64, GLFW_PRESS);
    pad.hats = {GLFW_HAT_LEFT_UP};
    pad.axes.assign(12, 0.25f);
    ASSERT_TRUE(poll(2));
    for (int b = 0; b < 32; ++b) EXPECT_TRUE(buttons[b]);
    EXPECT_FLOAT_EQ(joyz[1], -0.25f);
}

TEST_F(JoystickTest, AbsentPadTouchesNothing) {
    joyx[0] = 0.75f;
    EXPECT_FALSE(poll(1));
    EXPECT_FALSE(poll(7));
    EXPECT_FLOAT_EQ(joyx[0], 0.75f);
}

}  // namespace
