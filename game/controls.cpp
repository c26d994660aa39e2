// Logical buttons over keys, pad buttons, sticks and virtual buttons; the
// iCade letter decoding that feeds the virtual buttons; and the on-screen
// button and pointer hit tests. Reads the input module only.
#include <iterator>

#include "framework/app.h"
#include "framework/input_device.h"
#include "game/ids.h"
#include "game/my_app.h"

namespace {

constexpr int kIcadeClearedButtons = 19;  // 0..18; 19 is the back key's hit count
constexpr float kStickThreshold = 0.4f;
constexpr int kNone = 0;

enum class Stick { None, Up, Left, Right, Down };

// One logical button: its keys with iCade off and on (iCade letters are
// taken by the decoder, so only non-letter keys stay), pad buttons, the
// stick direction and the virtual buttons. Zero ends each list.
struct LogicalButton {
    int button;
    int keys[4];
    int icadeKeys[3];
    int joyButtons[3];
    Stick stick;
    int virtualButtons[3];
};

constexpr int kNoVirtual = -1;
constexpr LogicalButton kLogicalButtons[] = {
    {0, {kKeyUp, 'W'}, {kKeyUp}, {9}, Stick::Up, {0, kNoVirtual, kNoVirtual}},
    {3, {kKeyLeft, 'A'}, {kKeyLeft}, {8}, Stick::Left, {3, kNoVirtual, kNoVirtual}},
    {5, {kKeyRight, 'D'}, {kKeyRight}, {10}, Stick::Right, {5, kNoVirtual, kNoVirtual}},
    {8, {kKeyDown, 'S'}, {kKeyDown}, {11}, Stick::Down, {8, kNoVirtual, kNoVirtual}},
    {10, {'Z', 'J', kKeySpace, kKeyEnter}, {kKeySpace, kKeyEnter}, {0}, Stick::None, {10, kNoVirtual, kNoVirtual}},
    {11, {'X', 'K', kKeyControl}, {kKeyControl}, {1}, Stick::None, {11, kNoVirtual, kNoVirtual}},
    {12, {'C', 'L', kKeyShift}, {kKeyShift}, {2}, Stick::None, {12, kNoVirtual, kNoVirtual}},
    {13, {'V', 'I'}, {kNone}, {3}, Stick::None, {13, kNoVirtual, kNoVirtual}},
    {14, {'B', 'U'}, {kNone}, {4}, Stick::None, {14, kNoVirtual, kNoVirtual}},
    {15, {'N', 'O'}, {kNone}, {5}, Stick::None, {15, kNoVirtual, kNoVirtual}},
    {99, {kKeyEscape, kKeyBackquote, kKeyDelete, kKeyBackspace}, {kKeyEscape, kKeyDelete, kKeyBackspace}, {6, 7, 14}, Stick::None, {16, 17, 19}},
};
// Pad button 0 is a real button, so pad lists are counted, not zero-ended.
constexpr int kJoyButtonCounts[] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3};

struct IcadeLetters {
    char press, release;
    int virtualButton;
};
constexpr IcadeLetters kIcadeLetters[] = {
    {'W', 'E', 0},  {'X', 'Z', 8},  {'A', 'Q', 3},  {'D', 'C', 5},
    {'Y', 'T', 13}, {'U', 'F', 14}, {'I', 'M', 15}, {'O', 'G', 16},
    {'H', 'R', 10}, {'J', 'N', 11}, {'K', 'P', 12}, {'L', 'V', 17},
};
constexpr int kIcadeHeld = 2;

int RowOf(int button) {
    for (int row = 0; row < static_cast<int>(std::size(kLogicalButtons)); ++row)
        if (kLogicalButtons[row].button == button) return row;
    return -1;
}

bool AnyKeyDown(const int* keys, int count) {
    for (int k = 0; k < count && keys[k] != kNone; ++k)
        if (nx_input_KeyDown(keys[k])) return true;
    return false;
}

bool ValidKeyCode(int code) { return code >= 1 && code < kKeyCodes; }

bool StickHeld(c_MyApp& app, Stick stick, int joy) {
    switch (stick) {
        case Stick::Up: return app.p_StickY(0, joy) < -kStickThreshold;
        case Stick::Down: return app.p_StickY(0, joy) > kStickThreshold;
        case Stick::Left: return app.p_StickX(0, joy) < -kStickThreshold;
        case Stick::Right: return app.p_StickX(0, joy) > kStickThreshold;
        case Stick::None: break;
    }
    return false;
}

}  // namespace

int c_MyApp::p_PlayKey(int button, int analog, int joy) {
    const int row = RowOf(button);
    if (row < 0 || joy < kKeysOnly) return 0;
    const LogicalButton& logical = kLogicalButtons[row];
    const bool icade = nx_ZuDizaz_iCadeControls == 1;
    if (icade ? AnyKeyDown(logical.icadeKeys, 3) : AnyKeyDown(logical.keys, 4)) return 1;
    if (joy >= 0) {
        for (int b = 0; b < kJoyButtonCounts[row]; ++b) {
            const int code = kJoyButtonBase + kJoyButtons * joy + logical.joyButtons[b];
            if (ValidKeyCode(code) && nx_input_KeyDown(code)) return 1;
        }
        if (!icade && analog == 1 && StickHeld(*this, logical.stick, joy)) return 1;
    }
    for (int v : logical.virtualButtons) {
        if (v == kNoVirtual || m_vButtons[v] == 0) continue;
        // The decoder's held value passes through for the menu buttons, so a
        // menu can tell an iCade hold from a key.
        const bool passValue = button >= 13 && button <= 15 && joy == kKeysOnly && icade;
        return passValue ? m_vButtons[v] : 1;
    }
    return 0;
}

int c_MyApp::p_PlayKeyAll(int button, int analog) {
    int sum = 0;
    for (int joy = 0; joy < kJoysticks; ++joy) sum += p_PlayKey(button, analog, joy);
    return sum;
}

bool c_MyApp::p_Held(int button) {
    for (int joy = 0; joy < kJoysticks; ++joy)
        if (p_PlayKey(button, 1, joy) != 0) return true;
    return false;
}

float c_MyApp::p_StickX(int axis, int joy) { return joy < 0 ? 0 : nx_input_JoyX(axis, joy); }

// Stick 0 is turned so that pushing it up reads negative, like the screen's y.
float c_MyApp::p_StickY(int axis, int joy) {
    if (joy < 0) return 0;
    const float y = nx_input_JoyY(axis, joy);
    return axis == 0 ? -y : y;
}

int c_MyApp::p_iCade(int on) {
    if (on == 1) {
        nx_input_EnableKeyboard();
        nx_ZuDizaz_iCadeControls = 1;
        // Letters typed before the switch are not controller input.
        while (nx_input_GetChar() != 0) {
        }
    } else if (on == 0) {
        nx_input_DisableKeyboard();
        nx_ZuDizaz_iCadeControls = 0;
        for (int v = 0; v < kIcadeClearedButtons; ++v) m_vButtons[v] = 0;
    }
    return 0;
}

// The iCade sends each button as a letter on press and another on release.
int c_MyApp::p_ReadICade() {
    for (;;) {
        m_tmpA = nx_input_GetChar();
        if (m_tmpA == 0) break;
        const int letter = (m_tmpA >= 'a' && m_tmpA <= 'z') ? m_tmpA - ('a' - 'A') : m_tmpA;
        for (const IcadeLetters& pair : kIcadeLetters) {
            if (letter == pair.press) m_vButtons[pair.virtualButton] = kIcadeHeld;
            if (letter == pair.release) m_vButtons[pair.virtualButton] = 0;
        }
    }
    return 0;
}

namespace {

// Half the drawn size of one frame of an image, in game units.
void HalfExtent(const c_MyApp& app, int image, float& halfW, float& halfH) {
    const bool known = image >= 0 && image * 3 + 1 < app.m_imgInfo.Length();
    halfW = known ? app.m_imgInfo[image * 3] * app.m_imgScale * app.m_sizeX * 0.5f : 0;
    halfH = known ? app.m_imgInfo[image * 3 + 1] * app.m_imgScale * app.m_sizeY * 0.5f : 0;
}

bool InOpenBox(float px, float py, float left, float top, float right, float bottom) {
    return left < px && px < right && top < py && py < bottom;
}

}  // namespace

int c_MyApp::p_Button(int image, float x, float y, float frame) {
    p_DrawImg(image, x, y, frame);
    float hw, hh;
    HalfExtent(*this, image, hw, hh);
    m_btnHit = 0;
    if (m_mouseDown > 0)
        for (int i = 0; i < m_touchX.Length(); ++i)
            if (InOpenBox(m_touchX[i], m_touchY[i], x - hw, y - hh, x + hw, y + hh)) m_btnHit = 1;
    return m_btnHit;
}

bool c_MyApp::p_Button0(int image, float x, float y, float frame) {
    p_DrawImg(image, x, y, frame);
    float hw, hh;
    HalfExtent(*this, image, hw, hh);
    return m_mouseDown > 0 && InOpenBox(m_touchX[0], m_touchY[0], x - hw, y - hh, x + hw, y + hh);
}

// The box reaches further right and down than left and up: a finger covers
// the area below and right of where it seems to point.
int c_MyApp::p_Touch(float x, float y, float w, float h) {
    constexpr float kLeadMargin = 6, kTrailMargin = 12;
    p_Rect(x, y, w, h);
    for (int i = 0; i < m_touchOn.Length(); ++i)
        if (m_touchOn[i] && InOpenBox(m_touchX[i], m_touchY[i], x - kLeadMargin, y - kLeadMargin,
                                      x + w + kTrailMargin, y + h + kTrailMargin))
            return 1;
    return 0;
}

int c_MyApp::p_MouseIn_Centered(float cx, float cy, float w, float h) {
    for (int i = 0; i < m_touchOn.Length(); ++i)
        if (m_touchOn[i] && InOpenBox(m_touchX[i], m_touchY[i], cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2))
            return 1;
    return 0;
}
