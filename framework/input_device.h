// The input device: the host's events and the joysticks polled once per
// update, turned into a picture the game reads during its update: which of
// the 512 key codes are down and how often each was hit since the last
// update, the typed characters, pointer, touches, sticks and accelerometer.
#pragma once

#include "runtime/array.h"
#include "runtime/object.h"

constexpr int kKeyCodes = 512;
constexpr int kKeyHitQueueLength = 33;  // hits counted per update, repeats included
constexpr int kCharQueueLength = 32;
constexpr int kTouches = 32;
constexpr int kJoysticks = 4;
constexpr int kJoyButtons = 32;
constexpr int kJoyButtonBase = 256;
constexpr int kTouchBase = 384;
constexpr int kMouseLeftCode = 1;

class c_JoyState : public Object {
public:
    Array<float> m_joyx;
    Array<float> m_joyy;
    Array<float> m_joyz;
    Array<bool> m_buttons;

    c_JoyState* m_new();
    void mark() override;
};

class c_InputDevice : public Object {
public:
    Array<c_JoyState*> m__joyStates;
    Array<bool> m__keyDown;
    int m__keyHitPut = 0;
    Array<int> m__keyHitQueue;
    Array<int> m__keyHit;
    int m__charGet = 0;
    int m__charPut = 0;
    Array<int> m__charQueue;
    float m__mouseX = 0;
    float m__mouseY = 0;
    Array<float> m__touchX;
    Array<float> m__touchY;
    float m__accelX = 0;
    float m__accelY = 0;
    float m__accelZ = 0;
    bool m__joyWasPresent[kJoysticks] = {};  // answered the last poll

    c_InputDevice* m_new();
    void mark() override;

    void p_BeginUpdate();
    void p_EndUpdate();
    void p_PutKeyHit(int code);
    void p_KeyEvent(int event, int data);
    void p_MouseEvent(int event, int data, float x, float y);
    void p_TouchEvent(int event, int data, float x, float y);
    void p_MotionEvent(int event, int data, float x, float y, float z);
    bool p_KeyDown(int code);
    int p_KeyHit(int code);
    int p_GetChar();
    float p_MouseX() { return m__mouseX; }
    float p_MouseY() { return m__mouseY; }
    float p_TouchX(int index);
    float p_TouchY(int index);
    float p_JoyX(int index, int unit);
    float p_JoyY(int index, int unit);
    float p_AccelX() { return m__accelX; }
    float p_AccelY() { return m__accelY; }
    bool p_SetKeyboardEnabled(bool enabled);

private:
    void ReleaseJoystick(int unit);
    void PressKey(int code);
    void ReleaseKey(int code);
    void SetPointer(int touch, float x, float y);
};

extern c_InputDevice* nx_input_device;

void nx_input_SetInputDevice(c_InputDevice* device);
bool nx_input_KeyDown(int code);
int nx_input_KeyHit(int code);
int nx_input_GetChar();
float nx_input_MouseX();
float nx_input_MouseY();
bool nx_input_MouseDown(int button);
int nx_input_MouseHit(int button);
bool nx_input_TouchDown(int index);
float nx_input_TouchX(int index);
float nx_input_TouchY(int index);
bool nx_input_JoyDown(int button, int unit);
int nx_input_JoyHit(int button, int unit);
float nx_input_JoyX(int index, int unit);
float nx_input_JoyY(int index, int unit);
float nx_input_AccelX();
float nx_input_AccelY();
int nx_input_EnableKeyboard();
int nx_input_DisableKeyboard();
