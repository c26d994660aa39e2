// The page's keyboard, mouse, touch and game pad input turned into the
// framework's events. Listeners only translate and post; the game decides
// during its update.
#include <emscripten/html5.h>

#include <cstring>

#include "host/input_translation.h"
#include "host/web/browser.h"
#include "host/web/web_game.h"

namespace {

constexpr const char* kCanvas = "#canvas";
constexpr int kTouchFingers = 32;
constexpr int kMaxPorts = 4;
constexpr int kKeyCodes = 256;

// Keys down as the page last told; released by the host when focus goes.
bool keyHeld[kKeyCodes];

// Whether the page takes a game key from the browser. Left to it, the
// browser would scroll the page on the cursor keys and Space, go back on
// Backspace and switch to fullscreen on F11. It keeps reload (F5), its
// developer tools (F12) and every shortcut with Ctrl, Alt or the command key,
// while Ctrl itself stays a game key.
bool KeepFromBrowser(int code, const EmscriptenKeyboardEvent* event) {
    const bool modifier = code == kKeyShift || code == kKeyControl;
    const bool shortcut = (event->ctrlKey || event->altKey || event->metaKey) && !modifier;
    return code != 0 && code != kKeyF5 && code != kKeyF12 && !shortcut;
}

// Page (CSS) pixels to canvas pixels: the canvas fills the page from its top
// left corner, at the device pixel ratio.
float ToCanvas(long pagePixels) {
    return static_cast<float>(pagePixels * emscripten_get_device_pixel_ratio());
}

EM_BOOL OnKeyDown(int, const EmscriptenKeyboardEvent* event, void*) {
    NxWebGame* host = NxWebGame::_webGame;
    int code = nx_web_KeyCode(event->code);
    if (code != 0) {
        keyHeld[code] = true;
        // A held key's repeats count as presses, as on the desktop: the device
        // ignores the repeated key-down while a cursor key repeats its character.
        host->KeyEvent(c_NxGameEvent::KeyDown, code);
        int character = nx_host_KeyToChar(code);
        if (character != 0) host->KeyEvent(c_NxGameEvent::KeyChar, character);
    }
    int typed = nx_web_KeyChar(event->key, event->ctrlKey || event->metaKey);
    if (typed != 0) host->KeyEvent(c_NxGameEvent::KeyChar, typed);
    return KeepFromBrowser(code, event);
}

EM_BOOL OnKeyUp(int, const EmscriptenKeyboardEvent* event, void*) {
    int code = nx_web_KeyCode(event->code);
    if (code == 0) return EM_FALSE;
    keyHeld[code] = false;
    NxWebGame::_webGame->KeyEvent(c_NxGameEvent::KeyUp, code);
    return KeepFromBrowser(code, event);
}

EM_BOOL OnMouseButton(int eventType, const EmscriptenMouseEvent* event, void*) {
    int button = nx_web_MouseButton(event->button);
    if (button < 0) return EM_FALSE;
    int kind = eventType == EMSCRIPTEN_EVENT_MOUSEDOWN ? c_NxGameEvent::MouseDown : c_NxGameEvent::MouseUp;
    NxWebGame::_webGame->MouseEvent(kind, button, ToCanvas(event->clientX), ToCanvas(event->clientY));
    return EM_TRUE;
}

EM_BOOL OnMouseMove(int, const EmscriptenMouseEvent* event, void*) {
    NxWebGame::_webGame->MouseEvent(c_NxGameEvent::MouseMove, -1, ToCanvas(event->clientX),
                                    ToCanvas(event->clientY));
    return EM_TRUE;
}

// The page's touch identifiers are arbitrary numbers; the program's fingers
// are the slots 0..31, taken in order of touching down. Finger 0 is also the
// mouse pointer.
long fingerTouch[kTouchFingers];
bool fingerUsed[kTouchFingers];

int FingerOf(long identifier, bool claim) {
    for (int finger = 0; finger < kTouchFingers; ++finger)
        if (fingerUsed[finger] && fingerTouch[finger] == identifier) return finger;
    if (!claim) return -1;
    for (int finger = 0; finger < kTouchFingers; ++finger) {
        if (fingerUsed[finger]) continue;
        fingerUsed[finger] = true;
        fingerTouch[finger] = identifier;
        return finger;
    }
    return -1;
}

EM_BOOL OnTouch(int eventType, const EmscriptenTouchEvent* event, void*) {
    const bool down = eventType == EMSCRIPTEN_EVENT_TOUCHSTART;
    const bool up = eventType == EMSCRIPTEN_EVENT_TOUCHEND || eventType == EMSCRIPTEN_EVENT_TOUCHCANCEL;
    const int kind = down ? c_NxGameEvent::TouchDown : up ? c_NxGameEvent::TouchUp : c_NxGameEvent::TouchMove;
    for (int i = 0; i < event->numTouches; ++i) {
        const EmscriptenTouchPoint& touch = event->touches[i];
        if (!touch.isChanged) continue;
        int finger = FingerOf(touch.identifier, down);
        if (finger < 0) continue;
        if (up) fingerUsed[finger] = false;
        NxWebGame::_webGame->TouchEvent(kind, finger, ToCanvas(touch.clientX), ToCanvas(touch.clientY));
    }
    // Handled here, so the browser makes no mouse events of it and does not scroll.
    return EM_TRUE;
}

EM_BOOL OnFocusChange(int eventType, const EmscriptenFocusEvent*, void*) {
    NxWebGame::_webGame->OnFocus(eventType == EMSCRIPTEN_EVENT_FOCUS);
    return EM_FALSE;
}

EM_BOOL OnVisibilityChange(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    NxWebGame::_webGame->OnVisibility(!event->hidden);
    return EM_FALSE;
}

EM_BOOL OnFullscreen(int, const EmscriptenFullscreenChangeEvent* event, void*) {
    NxWebGame::_webGame->OnFullscreenChange(event->isFullscreen);
    return EM_FALSE;
}

// The browser's standard mapping, in the program's order: A B X Y, bumpers,
// Back, Start, d-pad left up right down, thumbs, Guide.
constexpr int kStandardButtons[] = {0, 1, 2, 3, 4, 5, 8, 9, 14, 12, 15, 13, 10, 11, 16};
constexpr int kLeftTrigger = 6;
constexpr int kRightTrigger = 7;

float Axis(const EmscriptenGamepadEvent& pad, int axis) {
    return axis < pad.numAxes ? static_cast<float>(pad.axis[axis]) : 0.0f;
}

float Analog(const EmscriptenGamepadEvent& pad, int button) {
    return button < pad.numButtons ? static_cast<float>(pad.analogButton[button]) : 0.0f;
}

// Stick y is positive upwards and triggers run 0..1, as the game expects of
// every joystick.
void ReadStandardPad(const EmscriptenGamepadEvent& pad, Array<float> joyx, Array<float> joyy,
                     Array<float> joyz, Array<bool> buttons) {
    const float axes[kJoystickAxes] = {Axis(pad, 0),  -Axis(pad, 1), Analog(pad, kLeftTrigger),
                                       Axis(pad, 2),  -Axis(pad, 3), Analog(pad, kRightTrigger)};
    nx_host_StoreSticks(axes, joyx, joyy, joyz);
    constexpr int kLayoutButtons = sizeof kStandardButtons / sizeof kStandardButtons[0];
    for (int b = 0; b < kJoystickButtons; ++b) {
        int index = b < kLayoutButtons ? kStandardButtons[b] : -1;
        buttons[b] = index >= 0 && index < pad.numButtons && pad.digitalButton[index];
    }
}

void ReadRawPad(const EmscriptenGamepadEvent& pad, Array<float> joyx, Array<float> joyy,
                Array<float> joyz, Array<bool> buttons) {
    float axes[kJoystickAxes] = {};
    int axisCount = pad.numAxes < kJoystickAxes ? pad.numAxes : kJoystickAxes;
    for (int i = 0; i < axisCount; ++i) axes[i] = static_cast<float>(pad.axis[i]);
    bool pressed[kJoystickButtons] = {};
    int buttonCount = pad.numButtons < kJoystickButtons ? pad.numButtons : kJoystickButtons;
    for (int i = 0; i < buttonCount; ++i) pressed[i] = pad.digitalButton[i];
    nx_host_StoreRawJoystick(axes, axisCount, pressed, buttonCount, joyx, joyy, joyz, buttons);
}

}  // namespace

void NxWebGame::RegisterInput() {
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, nullptr, EM_TRUE, OnKeyDown);
    emscripten_set_keyup_callback(window, nullptr, EM_TRUE, OnKeyUp);
    emscripten_set_mousedown_callback(kCanvas, nullptr, EM_TRUE, OnMouseButton);
    // Released and moved anywhere on the page, so a drag that leaves the
    // canvas still ends.
    emscripten_set_mouseup_callback(window, nullptr, EM_TRUE, OnMouseButton);
    emscripten_set_mousemove_callback(window, nullptr, EM_TRUE, OnMouseMove);
    emscripten_set_touchstart_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
    emscripten_set_touchend_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
    emscripten_set_touchmove_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
    emscripten_set_touchcancel_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
    // The right button is a game button, not the page's menu.
    nx_web_block_context_menu();
    emscripten_set_focus_callback(window, nullptr, EM_TRUE, OnFocusChange);
    emscripten_set_blur_callback(window, nullptr, EM_TRUE, OnFocusChange);
    emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, OnVisibilityChange);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, OnFullscreen);
}

// The page's listeners see keys, not key states: while the game is not
// listening (the tab hidden or the page unfocused) a release can be missed,
// so every key still down is released when focus goes, as GLFW does on the
// desktop.
void NxWebGame::ReleaseHeldKeys() {
    for (int code = 0; code < kKeyCodes; ++code) {
        if (!keyHeld[code]) continue;
        keyHeld[code] = false;
        KeyEvent(c_NxGameEvent::KeyUp, code);
    }
}

bool NxWebGame::PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                             Array<bool> buttons) {
    if (!_padsSampled || port < 0 || port >= kMaxPorts) return false;
    if (port >= emscripten_get_num_gamepads()) return false;
    if (joyx.Length() < 2 || joyy.Length() < 2 || joyz.Length() < 2 || buttons.Length() < kJoystickButtons)
        return false;
    EmscriptenGamepadEvent pad;
    if (emscripten_get_gamepad_status(port, &pad) != EMSCRIPTEN_RESULT_SUCCESS || !pad.connected)
        return false;
    if (std::strcmp(pad.mapping, "standard") == 0) {
        ReadStandardPad(pad, joyx, joyy, joyz, buttons);
    } else {
        ReadRawPad(pad, joyx, joyy, joyz, buttons);
    }
    return true;
}
