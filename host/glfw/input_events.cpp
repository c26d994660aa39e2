// Window-system input turned into the framework's events: the key table,
// the characters of editing keys, mouse buttons and pointer motion, and the
// joystick read-out. Callbacks only translate and post; the game decides
// during its update.
#include <GLFW/glfw3.h>

#include <array>

#include "host/glfw/glfw_game.h"
#include "host/input_translation.h"
#include "host/key_codes.h"

namespace {

struct KeyCode {
    int glfwKey;
    int code;
};

// Physical key to program key code. Keys not listed (Alt, keypad Enter and
// equals, lock keys, Super, Menu, Pause, Print Screen, F13 and above, the
// "world" keys) have no code.
constexpr KeyCode kKeyCodes[] = {
    {GLFW_KEY_SPACE, kKeySpace},          {GLFW_KEY_APOSTROPHE, kKeyQuote},
    {GLFW_KEY_COMMA, kKeyComma},          {GLFW_KEY_MINUS, kKeyMinus},
    {GLFW_KEY_PERIOD, kKeyPeriod},        {GLFW_KEY_SLASH, kKeySlash},
    {GLFW_KEY_SEMICOLON, kKeySemicolon},  {GLFW_KEY_EQUAL, kKeyEqual},
    {GLFW_KEY_LEFT_BRACKET, kKeyBracketLeft}, {GLFW_KEY_BACKSLASH, kKeyBackslash},
    {GLFW_KEY_RIGHT_BRACKET, kKeyBracketRight}, {GLFW_KEY_GRAVE_ACCENT, kKeyBackquote},
    {GLFW_KEY_ESCAPE, kKeyEscape},        {GLFW_KEY_ENTER, kKeyEnter},
    {GLFW_KEY_TAB, kKeyTab},              {GLFW_KEY_BACKSPACE, kKeyBackspace},
    {GLFW_KEY_INSERT, kKeyInsert},        {GLFW_KEY_DELETE, kKeyDelete},
    {GLFW_KEY_RIGHT, kKeyRight},          {GLFW_KEY_LEFT, kKeyLeft},
    {GLFW_KEY_DOWN, kKeyDown},            {GLFW_KEY_UP, kKeyUp},
    {GLFW_KEY_PAGE_UP, kKeyPageUp},       {GLFW_KEY_PAGE_DOWN, kKeyPageDown},
    {GLFW_KEY_HOME, kKeyHome},            {GLFW_KEY_END, kKeyEnd},
    {GLFW_KEY_KP_DECIMAL, kKeyNumpadDecimal}, {GLFW_KEY_KP_DIVIDE, kKeyNumpadDivide},
    {GLFW_KEY_KP_MULTIPLY, kKeyNumpadMultiply}, {GLFW_KEY_KP_SUBTRACT, kKeyNumpadSubtract},
    {GLFW_KEY_KP_ADD, kKeyNumpadAdd},     {GLFW_KEY_LEFT_SHIFT, kKeyShift},
    {GLFW_KEY_RIGHT_SHIFT, kKeyShift},    {GLFW_KEY_LEFT_CONTROL, kKeyControl},
    {GLFW_KEY_RIGHT_CONTROL, kKeyControl},
};

// Keys whose codes run in order with GLFW's: first key, last key, first code.
struct KeyRun {
    int firstKey, lastKey, firstCode;
};
constexpr KeyRun kKeyRuns[] = {
    {GLFW_KEY_0, GLFW_KEY_9, '0'},
    {GLFW_KEY_A, GLFW_KEY_Z, 'A'},
    {GLFW_KEY_KP_0, GLFW_KEY_KP_9, kKeyNumpad0},
    {GLFW_KEY_F1, GLFW_KEY_F12, kKeyF1},
};

constexpr std::array<unsigned char, GLFW_KEY_LAST + 1> make_key_table() {
    std::array<unsigned char, GLFW_KEY_LAST + 1> table{};
    for (const KeyRun& run : kKeyRuns)
        for (int key = run.firstKey; key <= run.lastKey; ++key)
            table[key] = static_cast<unsigned char>(run.firstCode + key - run.firstKey);
    for (const KeyCode& entry : kKeyCodes) table[entry.glfwKey] = static_cast<unsigned char>(entry.code);
    return table;
}

constexpr auto kKeyTable = make_key_table();

constexpr int kMouseButtons = 3;

}  // namespace

int NxGlfwGame::TransKey(int glfwKey) {
    if (glfwKey < 0 || glfwKey > GLFW_KEY_LAST) return 0;
    return kKeyTable[static_cast<size_t>(glfwKey)];
}

// Auto-repeat counts as a press: the device ignores the repeated key-down
// but a held cursor or Backspace key repeats its character.
void NxGlfwGame::OnKey(GLFWwindow*, int key, int, int action, int) {
    int code = TransKey(key);
    if (code == 0) return;
    if (action == GLFW_RELEASE) {
        _glfwGame->KeyEvent(c_NxGameEvent::KeyUp, code);
        return;
    }
    _glfwGame->KeyEvent(c_NxGameEvent::KeyDown, code);
    int character = nx_host_KeyToChar(code);
    if (character != 0) _glfwGame->KeyEvent(c_NxGameEvent::KeyChar, character);
}

void NxGlfwGame::OnChar(GLFWwindow*, unsigned int character) {
    _glfwGame->KeyEvent(c_NxGameEvent::KeyChar, static_cast<int>(character));
}

// A button is pressed where the pointer last moved to: GLFW reports every
// motion (and the entry into the window) before the press.
void NxGlfwGame::OnMouseButton(GLFWwindow*, int button, int action, int) {
    if (button < 0 || button >= kMouseButtons) return;
    double x = _glfwGame->_cursorX, y = _glfwGame->_cursorY;
    _glfwGame->WindowToFramebuffer(&x, &y);
    int event = action == GLFW_RELEASE ? c_NxGameEvent::MouseUp : c_NxGameEvent::MouseDown;
    _glfwGame->MouseEvent(event, button, static_cast<float>(x), static_cast<float>(y));
}

void NxGlfwGame::OnMousePos(GLFWwindow*, double x, double y) {
    _glfwGame->_cursorX = x;
    _glfwGame->_cursorY = y;
    _glfwGame->WindowToFramebuffer(&x, &y);
    _glfwGame->MouseEvent(c_NxGameEvent::MouseMove, -1, static_cast<float>(x), static_cast<float>(y));
}

namespace {

// A pad GLFW knows is read in one standard layout: A B X Y, bumpers, Back,
// Start, d-pad left up right down, thumbs, Guide. Stick y is positive
// upwards and triggers run 0..1, as the game expects of every joystick.
void read_gamepad(const GLFWgamepadstate& state, Array<float> joyx, Array<float> joyy,
                  Array<float> joyz, Array<bool> buttons) {
    const float* a = state.axes;
    const float axes[kJoystickAxes] = {a[GLFW_GAMEPAD_AXIS_LEFT_X],  -a[GLFW_GAMEPAD_AXIS_LEFT_Y],
                                  (a[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] + 1) / 2,
                                  a[GLFW_GAMEPAD_AXIS_RIGHT_X], -a[GLFW_GAMEPAD_AXIS_RIGHT_Y],
                                  (a[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] + 1) / 2};
    nx_host_StoreSticks(axes, joyx, joyy, joyz);
    static constexpr int kLayout[] = {
        GLFW_GAMEPAD_BUTTON_A,          GLFW_GAMEPAD_BUTTON_B,         GLFW_GAMEPAD_BUTTON_X,
        GLFW_GAMEPAD_BUTTON_Y,          GLFW_GAMEPAD_BUTTON_LEFT_BUMPER, GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER,
        GLFW_GAMEPAD_BUTTON_BACK,       GLFW_GAMEPAD_BUTTON_START,     GLFW_GAMEPAD_BUTTON_DPAD_LEFT,
        GLFW_GAMEPAD_BUTTON_DPAD_UP,    GLFW_GAMEPAD_BUTTON_DPAD_RIGHT, GLFW_GAMEPAD_BUTTON_DPAD_DOWN,
        GLFW_GAMEPAD_BUTTON_LEFT_THUMB, GLFW_GAMEPAD_BUTTON_RIGHT_THUMB, GLFW_GAMEPAD_BUTTON_GUIDE,
    };
    constexpr int kLayoutButtons = sizeof kLayout / sizeof kLayout[0];
    for (int b = 0; b < kJoystickButtons && b < buttons.Length(); ++b)
        buttons[b] = b < kLayoutButtons && state.buttons[kLayout[b]] == GLFW_PRESS;
}

// GLFW 3 gives an unknown pad's d-pad only as a hat (hat buttons are kept off
// so that GLFW does not append them in its own order). The first hat becomes
// four more buttons, left, up, right, down, as far as the record has room.
// They follow at least 8 buttons (a smaller pad's missing ones unpressed),
// so that a small pad's d-pad is the program's d-pad, never its bumpers,
// Back or Start.
int append_first_hat(int port, bool pressed[kJoystickButtons], int buttonCount) {
    constexpr int kFirstDpadButton = 8;
    int hatCount = 0;
    const unsigned char* hats = glfwGetJoystickHats(port, &hatCount);
    if (!hats || hatCount < 1) return buttonCount;
    for (; buttonCount < kFirstDpadButton; ++buttonCount) pressed[buttonCount] = false;
    static constexpr unsigned char kHatButtons[] = {GLFW_HAT_LEFT, GLFW_HAT_UP, GLFW_HAT_RIGHT,
                                                    GLFW_HAT_DOWN};
    for (unsigned char direction : kHatButtons) {
        if (buttonCount == kJoystickButtons) break;
        pressed[buttonCount++] = (hats[0] & direction) != 0;
    }
    return buttonCount;
}

// An unknown joystick: its own axes and buttons with its d-pad hat after
// them, in the layout every host gives such a joystick.
void read_raw_joystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                       Array<bool> buttons) {
    int axisCount = 0, buttonCount = 0;
    const float* axes = glfwGetJoystickAxes(port, &axisCount);
    const unsigned char* rawButtons = glfwGetJoystickButtons(port, &buttonCount);
    if (!axes) axisCount = 0;
    if (!rawButtons) buttonCount = 0;
    buttonCount = buttonCount < kJoystickButtons ? buttonCount : kJoystickButtons;
    bool pressed[kJoystickButtons] = {};
    for (int i = 0; i < buttonCount; ++i) pressed[i] = rawButtons[i] == GLFW_PRESS;
    buttonCount = append_first_hat(port, pressed, buttonCount);
    nx_host_StoreRawJoystick(axes, axisCount, pressed, buttonCount, joyx, joyy, joyz, buttons);
}

}  // namespace

bool NxGlfwGame::PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                              Array<bool> buttons) {
    if (!glfwJoystickPresent(port)) return false;
    if (joyx.Length() < 2 || joyy.Length() < 2 || joyz.Length() < 2 || buttons.Length() < kJoystickButtons)
        return false;
    GLFWgamepadstate state;
    if (glfwJoystickIsGamepad(port) && glfwGetGamepadState(port, &state)) {
        read_gamepad(state, joyx, joyy, joyz, buttons);
    } else {
        read_raw_joystick(port, joyx, joyy, joyz, buttons);
    }
    return true;
}
