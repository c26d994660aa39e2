// Key characters and the raw joystick layout, shared by the hosts.
#include "host/input_translation.h"

#include "host/key_codes.h"

namespace {
// Keys that type no character of their own give their code above the
// characters' range.
constexpr int kKeyCharBase = 65536;
constexpr int kDeleteChar = 127;
}  // namespace

int nx_host_KeyToChar(int code) {
    switch (code) {
        case kKeyBackspace: case kKeyTab: case kKeyEnter: case kKeyEscape:
            return code;
        case kKeyPageUp: case kKeyPageDown: case kKeyEnd: case kKeyHome: case kKeyLeft: case kKeyUp:
        case kKeyRight: case kKeyDown: case kKeyInsert:
            return kKeyCharBase + code;
        case kKeyDelete:
            return kDeleteChar;
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
