// Key state, hit counting, characters, pointer and touches, joystick polling.
// Event data come from the window system: every index is checked before use.
#include "framework/input_device.h"

#include "framework/app.h"
#include "host/nxgame.h"

c_InputDevice* nx_input_device = nullptr;

namespace {

bool valid_code(int code) { return code >= 1 && code < kKeyCodes; }

bool valid_touch(int index) { return index >= 0 && index < kTouches; }

// The left mouse button and the first touch are one control.
int mirror_of(int code) {
    if (code == kMouseLeftCode) return kTouchBase;
    if (code == kTouchBase) return kMouseLeftCode;
    return 0;
}

}  // namespace

c_JoyState* c_JoyState::m_new() {
    gc_assign(m_joyx, Array<float>(2));
    gc_assign(m_joyy, Array<float>(2));
    gc_assign(m_joyz, Array<float>(2));
    gc_assign(m_buttons, Array<bool>(kJoyButtons));
    return this;
}

void c_JoyState::mark() {
    gc_mark_q(m_joyx);
    gc_mark_q(m_joyy);
    gc_mark_q(m_joyz);
    gc_mark_q(m_buttons);
}

c_InputDevice* c_InputDevice::m_new() {
    gc_assign(m__joyStates, Array<c_JoyState*>(kJoysticks));
    for (int unit = 0; unit < kJoysticks; ++unit) gc_assign(m__joyStates[unit], (new c_JoyState())->m_new());
    gc_assign(m__keyDown, Array<bool>(kKeyCodes));
    gc_assign(m__keyHitQueue, Array<int>(kKeyHitQueueLength));
    gc_assign(m__keyHit, Array<int>(kKeyCodes));
    gc_assign(m__charQueue, Array<int>(kCharQueueLength));
    gc_assign(m__touchX, Array<float>(kTouches));
    gc_assign(m__touchY, Array<float>(kTouches));
    return this;
}

void c_InputDevice::mark() {
    gc_mark_q(m__joyStates);
    gc_mark_q(m__keyDown);
    gc_mark_q(m__keyHitQueue);
    gc_mark_q(m__keyHit);
    gc_mark_q(m__charQueue);
    gc_mark_q(m__touchX);
    gc_mark_q(m__touchY);
}

// A pad unplugged while a button or the stick was held must not leave them
// held: its buttons are released and its sticks centred.
void c_InputDevice::ReleaseJoystick(int unit) {
    c_JoyState* joy = m__joyStates[unit];
    for (int button = 0; button < kJoyButtons; ++button) {
        joy->m_buttons[button] = false;
        m__keyDown[kJoyButtonBase + kJoyButtons * unit + button] = false;
    }
    for (Array<float> axis : {joy->m_joyx, joy->m_joyy, joy->m_joyz}) axis[0] = axis[1] = 0;
    m__joyWasPresent[unit] = false;
}

void c_InputDevice::p_BeginUpdate() {
    for (int unit = 0; unit < kJoysticks; ++unit) {
        c_JoyState* joy = m__joyStates[unit];
        if (!nx_app__game->PollJoystick(unit, joy->m_joyx, joy->m_joyy, joy->m_joyz, joy->m_buttons)) {
            // Later units are not polled and keep their state, except those
            // that were there before and so may have gone with this one.
            for (int gone = unit; gone < kJoysticks; ++gone)
                if (m__joyWasPresent[gone]) ReleaseJoystick(gone);
            return;
        }
        m__joyWasPresent[unit] = true;
        for (int button = 0; button < kJoyButtons; ++button) {
            int code = kJoyButtonBase + kJoyButtons * unit + button;
            if (!joy->m_buttons[button]) {
                m__keyDown[code] = false;
            } else if (!m__keyDown[code]) {
                m__keyDown[code] = true;
                p_PutKeyHit(code);
            }
        }
    }
}

void c_InputDevice::p_EndUpdate() {
    for (int i = 0; i < m__keyHitPut; ++i) m__keyHit[m__keyHitQueue[i]] = 0;
    m__keyHitPut = 0;
    m__charGet = 0;
    m__charPut = 0;
}

void c_InputDevice::p_PutKeyHit(int code) {
    if (m__keyHitPut == kKeyHitQueueLength || !valid_code(code)) return;
    m__keyHit[code] += 1;
    m__keyHitQueue[m__keyHitPut] = code;
    m__keyHitPut += 1;
}

void c_InputDevice::PressKey(int code) {
    if (!valid_code(code) || m__keyDown[code]) return;  // a repeated key-down adds no hit
    m__keyDown[code] = true;
    p_PutKeyHit(code);
    int mirror = mirror_of(code);
    if (mirror) {
        m__keyDown[mirror] = true;
        p_PutKeyHit(mirror);
    }
}

void c_InputDevice::ReleaseKey(int code) {
    if (!valid_code(code) || !m__keyDown[code]) return;
    m__keyDown[code] = false;
    int mirror = mirror_of(code);
    if (mirror) m__keyDown[mirror] = false;
}

void c_InputDevice::p_KeyEvent(int event, int data) {
    switch (event) {
        case c_NxGameEvent::KeyDown:
            PressKey(data);
            break;
        case c_NxGameEvent::KeyUp:
            ReleaseKey(data);
            break;
        case c_NxGameEvent::KeyChar:
            if (m__charPut < kCharQueueLength) m__charQueue[m__charPut++] = data;
            break;
    }
}

void c_InputDevice::SetPointer(int touch, float x, float y) {
    if (!valid_touch(touch)) return;
    m__touchX[touch] = x;
    m__touchY[touch] = y;
    if (touch == 0) {
        m__mouseX = x;
        m__mouseY = y;
    }
}

void c_InputDevice::p_MouseEvent(int event, int data, float x, float y) {
    switch (event) {
        case c_NxGameEvent::MouseDown:
            PressKey(kMouseLeftCode + data);
            SetPointer(0, x, y);
            break;
        case c_NxGameEvent::MouseUp:
            ReleaseKey(kMouseLeftCode + data);
            break;
        case c_NxGameEvent::MouseMove:
            SetPointer(0, x, y);
            break;
    }
}

void c_InputDevice::p_TouchEvent(int event, int data, float x, float y) {
    if (!valid_touch(data)) return;
    switch (event) {
        case c_NxGameEvent::TouchDown:
            PressKey(kTouchBase + data);
            SetPointer(data, x, y);
            break;
        case c_NxGameEvent::TouchUp:
            ReleaseKey(kTouchBase + data);
            break;
        case c_NxGameEvent::TouchMove:
            SetPointer(data, x, y);
            break;
    }
}

void c_InputDevice::p_MotionEvent(int event, int, float x, float y, float z) {
    if (event != c_NxGameEvent::MotionAccel) return;
    m__accelX = x;
    m__accelY = y;
    m__accelZ = z;
}

bool c_InputDevice::p_KeyDown(int code) { return valid_code(code) && m__keyDown[code]; }

int c_InputDevice::p_KeyHit(int code) { return valid_code(code) ? m__keyHit[code] : 0; }

int c_InputDevice::p_GetChar() {
    if (m__charGet == m__charPut) return 0;
    return m__charQueue[m__charGet++];
}

float c_InputDevice::p_TouchX(int index) { return valid_touch(index) ? m__touchX[index] : 0; }

float c_InputDevice::p_TouchY(int index) { return valid_touch(index) ? m__touchY[index] : 0; }

namespace {
bool valid_stick(int index, int unit) { return index >= 0 && index < 2 && unit >= 0 && unit < kJoysticks; }
}  // namespace

float c_InputDevice::p_JoyX(int index, int unit) {
    return valid_stick(index, unit) ? m__joyStates[unit]->m_joyx[index] : 0;
}

float c_InputDevice::p_JoyY(int index, int unit) {
    return valid_stick(index, unit) ? m__joyStates[unit]->m_joyy[index] : 0;
}

bool c_InputDevice::p_SetKeyboardEnabled(bool enabled) {
    nx_app__game->SetKeyboardEnabled(enabled);
    return true;
}

void nx_input_SetInputDevice(c_InputDevice* device) { gc_assign(nx_input_device, device); }
bool nx_input_KeyDown(int code) { return nx_input_device->p_KeyDown(code); }
int nx_input_KeyHit(int code) { return nx_input_device->p_KeyHit(code); }
int nx_input_GetChar() { return nx_input_device->p_GetChar(); }
float nx_input_MouseX() { return nx_input_device->p_MouseX(); }
float nx_input_MouseY() { return nx_input_device->p_MouseY(); }
bool nx_input_MouseDown(int button) { return nx_input_device->p_KeyDown(kMouseLeftCode + button); }
int nx_input_MouseHit(int button) { return nx_input_device->p_KeyHit(kMouseLeftCode + button); }
bool nx_input_TouchDown(int index) { return nx_input_device->p_KeyDown(kTouchBase + index); }
float nx_input_TouchX(int index) { return nx_input_device->p_TouchX(index); }
float nx_input_TouchY(int index) { return nx_input_device->p_TouchY(index); }
bool nx_input_JoyDown(int button, int unit) {
    return nx_input_device->p_KeyDown(button | kJoyButtonBase | unit * kJoyButtons);
}
int nx_input_JoyHit(int button, int unit) {
    return nx_input_device->p_KeyHit(button | kJoyButtonBase | unit * kJoyButtons);
}
float nx_input_JoyX(int index, int unit) { return nx_input_device->p_JoyX(index, unit); }
float nx_input_JoyY(int index, int unit) { return nx_input_device->p_JoyY(index, unit); }
float nx_input_AccelX() { return nx_input_device->p_AccelX(); }
float nx_input_AccelY() { return nx_input_device->p_AccelY(); }
int nx_input_EnableKeyboard() {
    nx_app__game->SetKeyboardEnabled(true);
    return 1;
}
int nx_input_DisableKeyboard() {
    nx_app__game->SetKeyboardEnabled(false);
    return 1;
}
