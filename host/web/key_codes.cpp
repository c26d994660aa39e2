// The page's keys and mouse buttons as the program's codes. Keys are read by
// their "code", the physical key, so a key gives the same code on every
// keyboard layout, as on the desktop.
#include <cstring>

#include "host/key_codes.h"
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
    {"Space", kKeySpace},          {"Quote", kKeyQuote},          {"Comma", kKeyComma},
    {"Minus", kKeyMinus},          {"Period", kKeyPeriod},        {"Slash", kKeySlash},
    {"Semicolon", kKeySemicolon},  {"Equal", kKeyEqual},          {"BracketLeft", kKeyBracketLeft},
    {"Backslash", kKeyBackslash},  {"BracketRight", kKeyBracketRight}, {"Backquote", kKeyBackquote},
    {"Escape", kKeyEscape},        {"Enter", kKeyEnter},          {"Tab", kKeyTab},
    {"Backspace", kKeyBackspace},  {"Insert", kKeyInsert},        {"Delete", kKeyDelete},
    {"ArrowRight", kKeyRight},     {"ArrowLeft", kKeyLeft},       {"ArrowDown", kKeyDown},
    {"ArrowUp", kKeyUp},           {"PageUp", kKeyPageUp},        {"PageDown", kKeyPageDown},
    {"Home", kKeyHome},            {"End", kKeyEnd},              {"F2", kKeyF1 + 1},
    {"F3", kKeyF1 + 2},            {"F4", kKeyF1 + 3},            {"F5", kKeyF1 + 4},
    {"F6", kKeyF1 + 5},            {"F7", kKeyF1 + 6},            {"F8", kKeyF1 + 7},
    {"F9", kKeyF1 + 8},            {"F10", kKeyF1 + 9},           {"F11", kKeyF1 + 10},
    {"F12", kKeyF1 + 11},          {"NumpadDecimal", kKeyNumpadDecimal}, {"NumpadDivide", kKeyNumpadDivide},
    {"NumpadMultiply", kKeyNumpadMultiply}, {"NumpadSubtract", kKeyNumpadSubtract}, {"NumpadAdd", kKeyNumpadAdd},
    {"ShiftLeft", kKeyShift},      {"ShiftRight", kKeyShift},     {"ControlLeft", kKeyControl},
    {"ControlRight", kKeyControl},
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
    {"Key", 'A', 'Z', 'A'},
    {"Digit", '0', '9', '0'},
    {"Numpad", '0', '9', kKeyNumpad0},
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
