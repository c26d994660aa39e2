// The page's keys and mouse buttons as the program's codes. Keys are read by
// their "code", the physical key, so a key gives the same code on every
// keyboard layout, as on the desktop.
#include <cstring>

#include "host/web/web_game.h"

namespace {

struct KeyCode {
    const char* domCode;
    int code;
};

// Keys not listed (Alt, keypad Enter and equals, lock keys, the OS and
// context-menu keys, Pause, Print Screen, F13 and above) have no code. Nor
// has F1: it is the browser's help key, not the game's debug switch.
constexpr KeyCode kKeyCodes[] = {
    {"Space", 32},        {"Quote", 222},        {"Comma", 188},         {"Minus", 189},
    {"Period", 190},      {"Slash", 191},        {"Semicolon", 186},     {"Equal", 187},
    {"BracketLeft", 219}, {"Backslash", 220},    {"BracketRight", 221},  {"Backquote", 192},
    {"Escape", 27},       {"Enter", 13},         {"Tab", 9},             {"Backspace", 8},
    {"Insert", 45},       {"Delete", 46},        {"ArrowRight", 39},     {"ArrowLeft", 37},
    {"ArrowDown", 40},    {"ArrowUp", 38},       {"PageUp", 33},         {"PageDown", 34},
    {"Home", 36},         {"End", 35},           {"F2", 113},
    {"F3", 114},          {"F4", 115},           {"F5", 116},            {"F6", 117},
    {"F7", 118},          {"F8", 119},           {"F9", 120},            {"F10", 121},
    {"F11", 122},         {"F12", 123},          {"NumpadDecimal", 110}, {"NumpadDivide", 111},
    {"NumpadMultiply", 106}, {"NumpadSubtract", 109}, {"NumpadAdd", 107}, {"ShiftLeft", 16},
    {"ShiftRight", 16},   {"ControlLeft", 17},   {"ControlRight", 17},
};

// "KeyA".."KeyZ", "Digit0".."Digit9" and "Numpad0".."Numpad9": a prefix and
// one character that runs from `first` with the codes from `firstCode`.
struct KeyRange {
    const char* prefix;
    char first;
    char last;
    int firstCode;
};

constexpr KeyRange kKeyRanges[] = {
    {"Key", 'A', 'Z', 65},
    {"Digit", '0', '9', 48},
    {"Numpad", '0', '9', 96},
};

}  // namespace

int nx_web_KeyCode(const char* domCode) {
    for (const KeyRange& range : kKeyRanges) {
        size_t length = std::strlen(range.prefix);
        if (std::strncmp(domCode, range.prefix, length) != 0) continue;
        char c = domCode[length];
        if (c >= range.first && c <= range.last && domCode[length + 1] == '\0')
            return range.firstCode + (c - range.first);
    }
    for (const KeyCode& entry : kKeyCodes)
        if (std::strcmp(domCode, entry.domCode) == 0) return entry.code;
    return 0;
}

// A key's "key" is the text it types when that is one character, or a name
// ("Shift", "ArrowLeft") otherwise; keys typed with Ctrl or the command key
// type nothing, as on the desktop. The UTF-8 text is decoded to one code
// point; anything longer is a name.
int nx_web_KeyChar(const char* domKey, bool withCommandModifier) {
    if (withCommandModifier) return 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(domKey);
    int length = bytes[0] < 0x80 ? 1 : bytes[0] >= 0xF0 ? 4 : bytes[0] >= 0xE0 ? 3 : bytes[0] >= 0xC0 ? 2 : 0;
    if (length == 0 || std::strlen(domKey) != static_cast<size_t>(length)) return 0;
    if (length == 1) return bytes[0] >= 0x20 && bytes[0] != 0x7F ? bytes[0] : 0;
    int character = bytes[0] & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((bytes[i] & 0xC0) != 0x80) return 0;
        character = character << 6 | (bytes[i] & 0x3F);
    }
    return character;
}

// The page numbers buttons left, middle, right; the program left, right, middle.
int nx_web_MouseButton(int domButton) {
    static constexpr int kButtons[] = {0, 2, 1};
    return domButton >= 0 && domButton < 3 ? kButtons[domButton] : -1;
}
