// The game module's globals and their start values, and the credit lines.
#include "game/my_app.h"

float nx_ZuDizaz_jscrw = 640.0f;
float nx_ZuDizaz_jscrh = 480.0f;
float nx_ZuDizaz_rawscrw = 640.0f;
float nx_ZuDizaz_rawscrh = 480.0f;
int nx_ZuDizaz_iCadeControls = 0;
int nx_ZuDizaz_DebugMode = 0;
int nx_ZuDizaz_overscan = 0;
Array<String> nx_ZuDizaz_CreditText;

namespace {

// The credits box scrolls these lines; it stops at "End".
constexpr const char* kCreditLines[] = {
    "A Game by", "", "The Flingaroo team", "", "-=-=-", "",
    "Graphics", "", "Drawn in code by", "our own asset generator", "", "-=-=-", "",
    "Audio", "", "Synthesised by", "our own asset generator", "", "-=-=-", "",
    "Thanks to", "", "Everyone who played", "the early builds", "The Debian maintainers",
    "Our families and friends", "", "-=-=-", "",
    "Developed using", "", "GLFW", "OpenGL and Mesa", "OpenAL Soft", "stb by Sean Barrett",
    "GoogleTest", "Google Benchmark", "CMake", "GCC", "Xvfb", "ImageMagick", "SoX", "Debian", "",
    "-=-=-", "", "Thank you for playing", "Flingaroo!", "", "-=-=-", "", "", "", "", "", "", "End",
};
constexpr int kCreditLineCount = static_cast<int>(sizeof(kCreditLines) / sizeof(kCreditLines[0]));
static_assert(kCreditLineCount == 57, "the credits box is laid out for 57 lines");

gc_object* ReadCreditText(void* slot) { return static_cast<Array<String>*>(slot)->rep(); }

}  // namespace

void nx_game_init() {
    nx_ZuDizaz_jscrw = 640.0f;
    nx_ZuDizaz_jscrh = 480.0f;
    nx_ZuDizaz_rawscrw = 640.0f;
    nx_ZuDizaz_rawscrh = 480.0f;
    nx_ZuDizaz_iCadeControls = 0;
    nx_ZuDizaz_DebugMode = 0;
    nx_ZuDizaz_overscan = 0;
    Array<String> lines(kCreditLineCount);
    for (int i = 0; i < kCreditLineCount; ++i) lines[i] = String(kCreditLines[i]);
    gc_assign(nx_ZuDizaz_CreditText, lines);
    gc_add_root(&nx_ZuDizaz_CreditText, ReadCreditText);
}
