// The program's key codes, the same from every host: the keyboard's are the
// Windows virtual-key values, so a letter's or a digit's code is its capital
// character ('A', '7'); above the keyboard's, the events a host posts as keys.
#pragma once

constexpr int kKeyBackspace = 8;
constexpr int kKeyTab = 9;
constexpr int kKeyEnter = 13;
constexpr int kKeyShift = 16;    // either one
constexpr int kKeyControl = 17;  // either one
constexpr int kKeyEscape = 27;
constexpr int kKeySpace = 32;
constexpr int kKeyPageUp = 33;
constexpr int kKeyPageDown = 34;
constexpr int kKeyEnd = 35;
constexpr int kKeyHome = 36;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
constexpr int kKeyInsert = 45;
constexpr int kKeyDelete = 46;
constexpr int kKeyNumpad0 = 96;  // to kKeyNumpad0 + 9
constexpr int kKeyNumpadMultiply = 106;
constexpr int kKeyNumpadAdd = 107;
constexpr int kKeyNumpadSubtract = 109;
constexpr int kKeyNumpadDecimal = 110;
constexpr int kKeyNumpadDivide = 111;
constexpr int kKeyF1 = 112;  // to kKeyF1 + 11, F12
constexpr int kKeyF2 = kKeyF1 + 1;
constexpr int kKeyF4 = kKeyF1 + 3;
constexpr int kKeyF5 = kKeyF1 + 4;
constexpr int kKeyF11 = kKeyF1 + 10;
constexpr int kKeyF12 = kKeyF1 + 11;
constexpr int kKeySemicolon = 186;
constexpr int kKeyEqual = 187;
constexpr int kKeyComma = 188;
constexpr int kKeyMinus = 189;
constexpr int kKeyPeriod = 190;
constexpr int kKeySlash = 191;
constexpr int kKeyBackquote = 192;
constexpr int kKeyBracketLeft = 219;
constexpr int kKeyBackslash = 220;
constexpr int kKeyBracketRight = 221;
constexpr int kKeyQuote = 222;

// A device's back button, and what a host posts, down then up, when the
// player closes the window.
constexpr int kKeyBack = 416;
constexpr int kKeyWindowClose = 432;
