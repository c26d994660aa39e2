// What every host does with input once it has read it from its window
// system: the character an editing key types by itself, and an unknown
// joystick's axes and buttons put into the program's layout.
#pragma once

#include "runtime/array.h"

constexpr int kJoystickAxes = 6;
constexpr int kJoystickButtons = 32;

// The character a key code types by itself where no character event reports
// it (Backspace, Tab, Enter, Escape, the cursor and page keys, Insert,
// Delete); 0 for every other key.
int nx_host_KeyToChar(int code);

// Stick 0 x, y, z then stick 1 x, y, z, into the joystick record.
void nx_host_StoreSticks(const float axes[kJoystickAxes], Array<float> joyx, Array<float> joyy,
                         Array<float> joyz);

// A joystick without a known layout: its axes (odd ones turned positive
// upwards) and its pressed buttons, remapped so that the common 14- and
// 18-button pads put their face and shoulder buttons first and their d-pad
// at 8..11. `pressed` holds buttonCount entries, at most kJoystickButtons.
void nx_host_StoreRawJoystick(const float* axes, int axisCount, const bool* pressed, int buttonCount,
                              Array<float> joyx, Array<float> joyy, Array<float> joyz,
                              Array<bool> buttons);
