// What the browser host makes of the page's input, checked without a
// browser: a physical key gives the code the desktop host gives it (but F1,
// the browser's help key, gives none), typed
// text one character, mouse buttons the desktop's numbers. (The editing
// characters and an unknown pad's layout are shared with the desktop host,
// whose tests cover them.)
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "host/glfw/glfw_game.h"
#include "host/web/web_game.h"

namespace {

TEST(WebInputTest, EachPhysicalKeyGivesTheDesktopsCodeOrNone) {
    const std::pair<const char*, int> sameKeys[] = {
        {"KeyA", GLFW_KEY_A}, {"KeyZ", GLFW_KEY_Z}, {"Digit0", GLFW_KEY_0}, {"Digit9", GLFW_KEY_9},
        {"Numpad0", GLFW_KEY_KP_0}, {"Numpad9", GLFW_KEY_KP_9}, {"Space", GLFW_KEY_SPACE},
        {"Escape", GLFW_KEY_ESCAPE}, {"Backquote", GLFW_KEY_GRAVE_ACCENT}, {"Quote", GLFW_KEY_APOSTROPHE},
        {"F11", GLFW_KEY_F11}, {"ArrowLeft", GLFW_KEY_LEFT}, {"ShiftRight", GLFW_KEY_RIGHT_SHIFT},
        {"ControlLeft", GLFW_KEY_LEFT_CONTROL}, {"NumpadDecimal", GLFW_KEY_KP_DECIMAL}};
    for (auto [domCode, glfwKey] : sameKeys)
        EXPECT_EQ(nx_web_KeyCode(domCode), NxGlfwGame::TransKey(glfwKey)) << domCode;
    for (const char* none : {"AltLeft", "NumpadEnter", "NumpadEqual", "CapsLock", "MetaLeft", "ContextMenu",
                             "F1", "F13", "IntlBackslash", "KeyAB", "Key", "Digit10", ""})
        EXPECT_EQ(nx_web_KeyCode(none), 0) << none;
}

TEST(WebInputTest, TypedTextIsOneCharacterAndKeyNamesOrCommandsTypeNothing) {
    const std::pair<const char*, int> rows[] = {
        {"a", 'a'}, {"A", 'A'}, {" ", ' '}, {"\xC3\xA9", 0xE9}, {"\xE2\x82\xAC", 0x20AC},
        {"\xF0\x9F\x98\x80", 0x1F600}, {"Shift", 0}, {"Enter", 0}, {"Dead", 0}, {"\xC3", 0}, {"\x7F", 0}};
    for (auto [key, character] : rows) EXPECT_EQ(nx_web_KeyChar(key, false), character) << key;
    EXPECT_EQ(nx_web_KeyChar("a", true), 0);
}

TEST(WebInputTest, MouseButtonsAreNumberedLeftRightMiddle) {
    EXPECT_EQ(nx_web_MouseButton(0), 0);
    EXPECT_EQ(nx_web_MouseButton(1), 2);
    EXPECT_EQ(nx_web_MouseButton(2), 1);
    EXPECT_EQ(nx_web_MouseButton(3), -1);
}

}  // namespace
