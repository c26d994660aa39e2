// Key characters and the raw joystick layout, shared by the hosts.
#include "host/input_translation.h"

int nx_host_KeyToChar(int code) {
    switch (code) {
        case 8: case 9: case 13: case 27:
            return code;
        case 33: case 34: case 35: case 36: case 37: case 38: case 39: case 40: case 45:
            return 65536 + code;
        case 46:
            return 127;
        default:
            return 0;
    }
}

void nx_host_StoreSticks(const float axes[kJoystickAxes], Array<float> joyx, Array<float> joyy,
                         Array<float> joyz) {
    joyx[0] = axes[0];
    joyy[0] = axes[1];
    joyz[0] = axes[2];
    joyx[1] = axes[3];
    joyy[1] = axes[4];
    joyz[1] = axes[5];
}

void nx_host_StoreRawJoystick(const float* rawAxes, int axisCount, const bool* pressed, int n,
                              Array<float> joyx, Array<float> joyy, Array<float> joyz,
                              Array<bool> buttons) {
    if (axisCount > kJoystickAxes) axisCount = kJoystickAxes;
    if (n > kJoystickButtons) n = kJoystickButtons;
    float axes[kJoystickAxes] = {};
    for (int i = 0; i < axisCount; ++i) axes[i] = (i & 1) ? -rawAxes[i] : rawAxes[i];
    nx_host_StoreSticks(axes, joyx, joyy, joyz);

    if (n > 12) {
        for (int b = 0; b < 8; ++b) buttons[b] = pressed[b];
        for (int b = 0; b < 4; ++b) buttons[8 + b] = pressed[n - 4 + b];
        for (int b = 0; b < n - 12; ++b) buttons[12 + b] = pressed[8 + b];
    } else {
        for (int b = 0; b < n; ++b) buttons[b] = pressed[b];
    }

    if (n == 14 && axisCount == 5) {
        joyx[1] = axes[4];
        joyy[1] = -axes[3];
    } else if (n == 18 && axisCount == 4) {
        joyy[1] = -axes[2];
    }
}
