// The pen, the draw list, text, and the replay of the list each frame.
// Updates only append fixed-size records here; p_OnRender fits the virtual
// screen to the window and replays the records through the graphics module,
// so a render without an update in between shows the same frame again.
#include <algorithm>
#include <cmath>

#include "framework/app.h"
#include "game/my_app.h"

namespace {

constexpr int kDrawRecordFloats = 15;
// A record may start at most here, so the list holds 2499 records, not the
// 2500 its length would allow.
constexpr int kLastRecordStart = 37484;
constexpr float kRectRecord = -3717.0f;
constexpr float kOvalRecord = -3716.0f;

// Record layout: kind or image id, position, rotation, scale or size, frame,
// alpha, (two unused), colour, blend, (one unused).
constexpr int kRecKind = 0, kRecX = 1, kRecY = 2, kRecRot = 3, kRecSizeX = 4, kRecSizeY = 5,
              kRecFrame = 6, kRecAlpha = 7, kRecRed = 10, kRecGreen = 11, kRecBlue = 12,
              kRecBlend = 13;

struct InkColour {
    float red, green, blue;
};
// Named colours 1..9 of p_Ink; index 0 is the grey of every other number.
constexpr InkColour kInkColours[] = {
    {0.3f, 0.3f, 0.3f}, {1.0f, 0.1f, 0.1f}, {1.0f, 0.5f, 0.1f}, {1.0f, 1.0f, 0.1f},
    {0.1f, 1.0f, 0.1f}, {0.1f, 1.0f, 1.0f}, {0.1f, 0.1f, 1.0f}, {0.5f, 0.1f, 1.0f},
    {1.0f, 0.1f, 0.5f}, {1.0f, 1.0f, 1.0f},
};

constexpr int kGlyphBase = 32;      // glyph frame = character code - 32
constexpr int kIconMarker = 0xAC;   // "¬": the next letter names a button icon
constexpr int kKeyboardIconOffset = 16;  // the keyboard's icon set follows the pad's
constexpr int kLastGlyphFrame = 127;
constexpr int kNulGlyph = -kGlyphBase;  // a NUL character neither draws nor moves the pen
constexpr int kIconWidthExtra = 2;      // what an icon adds to the measured width

struct ButtonIcon {
    char letter;
    int frame;
    int extra;
};
constexpr ButtonIcon kButtonIcons[] = {
    {'J', 96, 4},  {'K', 97, 4},  {'L', 98, 4},  {'I', 99, 4},  {'U', 100, 6},
    {'O', 101, 6}, {'Q', 102, 4}, {'E', 103, 4}, {'F', 104, 4}, {'W', 105, 4},
    {'S', 106, 4}, {'A', 107, 4}, {'D', 108, 4},
};
constexpr int kOtherIconExtra = 4;

struct LetterAdjustment {
    int glyphs[7];
    int extra;
};
// Narrow and wide letters of the font; the first matching row wins.
constexpr LetterAdjustment kLetterAdjustments[] = {
    {{87, 77, -1, -1, -1, -1, -1}, 2},   // w m
    {{55, 45, -1, -1, -1, -1, -1}, 1},   // W M
    {{73, 70, 76, -1, -1, -1, -1}, -3},  // i f l
    {{74, 83, 75, 82, 90, 84, 78}, -1},  // j s k r z t n
};

// The extra advance of a glyph, or false when no rule names it.
bool LetterExtra(int glyph, int& extra) {
    for (const LetterAdjustment& rule : kLetterAdjustments)
        for (int listed : rule.glyphs)
            if (listed == glyph) {
                extra = rule.extra;
                return true;
            }
    return false;
}

ButtonIcon IconFor(int letter) {
    for (const ButtonIcon& icon : kButtonIcons)
        if (icon.letter == letter) return icon;
    return {static_cast<char>(letter), letter - kGlyphBase, kOtherIconExtra};
}

bool IsLineBreak(const String& s, int i) {
    return s[i] == '\\' && i + 1 < s.Length() && s[i + 1] == 'n';
}

// Measured width of a text: every character but the last, an icon counting
// as one character of its own width.
int TextWidth(const String& s, float glyphWidth, float sizeX) {
    int total = 0;
    for (int i = 0; i < s.Length() - 1; ++i) {
        int extra = 0;
        if (s[i] == kIconMarker) {
            ++i;
            extra = kIconWidthExtra;
        } else {
            LetterExtra(s[i] - kGlyphBase, extra);
        }
        total = static_cast<int>(total + (glyphWidth + extra) * sizeX);
    }
    return total;
}

float SinDegrees(float degrees) { return std::sin(degrees * D2R); }
float CosDegrees(float degrees) { return std::cos(degrees * D2R); }

}  // namespace

int c_MyApp::p_ResetDraw() {
    m_sizeX = m_sizeY = 1;
    m_rot = 0;
    m_colR = m_colG = m_colB = 255;
    m_alpha = 1;
    m_blend = 1;
    return 0;
}

int c_MyApp::p_CLS2D(float r, float g, float b, float a) {
    if (r > kAbsent) {
        m_clsR = r;
        m_clsG = g;
        m_clsB = b;
        m_clsA = a;
    }
    p_ResetDraw();
    m_drawCount = 0;
    return 0;
}

int c_MyApp::p_SetSize(float x, float y) {
    m_sizeX = x;
    m_sizeY = y > kAbsent ? y : x;
    return 0;
}

int c_MyApp::p_Alpha(float a) {
    m_alpha = a;
    return 0;
}

int c_MyApp::p_SetCol(float r, float g, float b, float a) {
    m_colR = r;
    m_colG = g;
    m_colB = b;
    if (a > kAbsent) m_alpha = a;
    return 0;
}

// Rotation is kept negated: the graphics module turns anticlockwise for a
// positive angle, the game thinks clockwise.
int c_MyApp::p_SetRot(float angle) {
    m_rot = -angle;
    return 0;
}

int c_MyApp::p_Ink(int colour, float level) {
    const InkColour& base = kInkColours[colour >= 1 && colour <= 9 ? colour : 0];
    auto component = [level](float value) { return std::clamp(value * level * 255.0f, 0.0f, 255.0f); };
    m_colR = component(base.red);
    m_colG = component(base.green);
    m_colB = component(base.blue);
    return 0;
}

namespace {

// Appends a record with the pen's rotation, alpha, colour and blend and the
// given kind, position, extent and frame; a full list drops it silently.
void AppendRecord(c_MyApp& app, float kind, float x, float y, float extentX, float extentY,
                         float frame) {
    if (app.m_drawCount > kLastRecordStart) return;
    float* record = &app.m_drawList[app.m_drawCount];
    record[kRecKind] = kind;
    record[kRecX] = x;
    record[kRecY] = y;
    record[kRecRot] = app.m_rot;
    record[kRecSizeX] = extentX;
    record[kRecSizeY] = extentY;
    record[kRecFrame] = frame;
    record[kRecAlpha] = app.m_alpha;
    record[kRecRed] = app.m_colR;
    record[kRecGreen] = app.m_colG;
    record[kRecBlue] = app.m_colB;
    record[kRecBlend] = static_cast<float>(app.m_blend);
    app.m_drawCount += kDrawRecordFloats;
}

}  // namespace

int c_MyApp::p_DrawImg(int id, float x, float y, float frame) {
    AppendRecord(*this, static_cast<float>(id), x, y, m_sizeX, m_sizeY, frame);
    return 0;
}

int c_MyApp::p_Rect(float x, float y, float w, float h) {
    AppendRecord(*this, kRectRecord, x, y, w, h, 0);
    return 0;
}

int c_MyApp::p_Oval(float x, float y, float rx, float ry) {
    AppendRecord(*this, kOvalRecord, x, y, rx, ry, 0);
    return 0;
}

// Draws text glyph by glyph from the font image: a leading space is added
// and measured so that ax 0 puts the space's centre on x and ax 2 the last
// character's centre.
int c_MyApp::p_Text(float x, float y, const String& text, float ax, float ay) {
    const String s = String(" ") + text;
    const float glyphWidth = static_cast<float>(m_imgInfo[m_font * 3]);
    const float glyphHeight = static_cast<float>(m_imgInfo[m_font * 3 + 1]);
    const float width = static_cast<float>(TextWidth(s, glyphWidth, m_sizeX));
    const float height = glyphHeight * m_sizeY;
    const float x0 = x + SinDegrees(-m_rot - 90) * width * ax / 2 + SinDegrees(-m_rot) * height * (ay - 1) / 2;
    const float y0 = y - CosDegrees(-m_rot - 90) * width * ax / 2 - CosDegrees(-m_rot) * height * (ay - 1) / 2;
    float penX = x0, penY = y0;
    int line = 0;
    for (int i = 0; i < s.Length();) {
        int extra = 0;
        int glyph = s[i] - kGlyphBase;
        if (s[i] == kIconMarker) {
            if (++i >= s.Length()) break;
            const ButtonIcon icon = IconFor(s[i]);
            glyph = icon.frame + (m_ctrlScheme == 0 ? kKeyboardIconOffset : 0);
            extra = icon.extra;
        }
        LetterExtra(glyph, extra);
        if (IsLineBreak(s, i)) {
            i += 2;
            ++line;
            const float step = (glyphHeight + extra) * m_sizeY * line;
            penX = x0 + SinDegrees(180 - m_rot) * step;
            penY = y0 - CosDegrees(180 - m_rot) * step;
            continue;
        }
        ++i;
        if (glyph >= 1 && glyph <= kLastGlyphFrame) p_DrawImg(m_font, penX, penY, static_cast<float>(glyph));
        if (glyph == kNulGlyph) continue;
        const float advance = (glyphWidth + extra) * m_sizeX;
        penX += SinDegrees(90 - m_rot) * advance;
        penY -= CosDegrees(90 - m_rot) * advance;
    }
    return 0;
}

// The number right-aligned in a field of `digits` characters, padded on the
// left; a longer number keeps only its last digits.
String c_MyApp::p_rstr(int value, int digits, const String& pad) {
    String padding;
    for (m_i = 1; m_i <= std::max(digits + 1, 1); ++m_i) padding += pad;
    const String s = padding + String(value);
    if (digits <= 0) return s;
    return s.Slice(std::max(s.Length() - digits, 0));
}

// ---- Replay

namespace {

constexpr float kLandscapeBaseW = 640, kLandscapeBaseH = 480;
constexpr float kPortraitBaseW = 1024, kPortraitBaseH = 768;
constexpr int kFitWidth = 1, kFitHeight = 2;
// A level's tower, wall to wall: 16 columns of 32 units. A portrait screen
// is never narrower, so a phone held upright still shows both walls.
constexpr float kNarrowestPortraitW = 512;

void MeasureFrameRate(c_MyApp& app) {
    const int now = nx_app_Millisecs();
    if (now > app.m_lastMillis) app.m_fps = 1000 / (now - app.m_lastMillis);
    app.m_fpsAvg = (9 * app.m_fpsAvg + app.m_fps) / 10;
    app.m_lastMillis = now;
}

// A screen taller than wide and narrower than the tower takes the tower's
// width instead, its height following the window's shape.
void WidenNarrowPortrait(c_MyApp& app, float deviceW, float deviceH) {
    if (nx_ZuDizaz_jscrh <= nx_ZuDizaz_jscrw || nx_ZuDizaz_jscrw >= kNarrowestPortraitW) return;
    const float factor = deviceW / kNarrowestPortraitW;
    app.m_fitMode = kFitWidth;
    app.m_scaleX = app.m_scaleY = factor;
    nx_ZuDizaz_jscrw = kNarrowestPortraitW;
    nx_ZuDizaz_jscrh = deviceH / factor;
}

// Scales the virtual screen so that one side equals the base size and the
// other follows the window's shape (a narrow portrait one then widens to the
// tower); the base follows the orientation the virtual screen had at the
// previous render.
void FitVirtualScreen(c_MyApp& app, float deviceW, float deviceH) {
    const bool landscape = nx_ZuDizaz_jscrh <= nx_ZuDizaz_jscrw;
    nx_ZuDizaz_rawscrw = landscape ? kLandscapeBaseW : kPortraitBaseW;
    nx_ZuDizaz_rawscrh = landscape ? kLandscapeBaseH : kPortraitBaseH;
    const float sx = deviceW / nx_ZuDizaz_rawscrw;
    const float sy = deviceH / nx_ZuDizaz_rawscrh;
    app.m_scaleX = sx;
    app.m_scaleY = sy;
    float factor;
    if (sy > sx) {
        app.m_fitMode = kFitHeight;
        app.m_scaleX = sy;
        factor = deviceH / nx_ZuDizaz_rawscrh;
    } else {
        app.m_fitMode = kFitWidth;
        app.m_scaleY = sx;
        factor = deviceW / nx_ZuDizaz_rawscrw;
    }
    nx_ZuDizaz_jscrw = deviceW / factor;
    nx_ZuDizaz_jscrh = deviceH / factor;
    WidenNarrowPortrait(app, deviceW, deviceH);
    app.m_landscape = nx_ZuDizaz_jscrh <= nx_ZuDizaz_jscrw ? 1 : 0;
}

void ReplayRecord(c_MyApp& app, const float* record) {
    nx_graphics_SetAlpha(record[kRecAlpha]);
    nx_graphics_SetColor(record[kRecRed], record[kRecGreen], record[kRecBlue]);
    nx_graphics_SetBlend(0);
    const float kind = record[kRecKind];
    const float x = record[kRecX] * app.m_scaleX, y = record[kRecY] * app.m_scaleY;
    const float extentX = record[kRecSizeX] * app.m_scaleX, extentY = record[kRecSizeY] * app.m_scaleY;
    if (kind == kRectRecord) {
        nx_graphics_DrawRect(x, y, extentX, extentY);
    } else if (kind == kOvalRecord) {
        nx_graphics_DrawEllipse(x, y, extentX, extentY);
    } else if (kind > -1 && kind < app.m_images.Length()) {
        // An id past the image table would read outside it; such a record draws nothing.
        c_Image* image = app.m_images[static_cast<int>(kind)];
        if (image)
            nx_graphics_DrawImage2(image, x, y, record[kRecRot], extentX * app.m_imgScale,
                                   extentY * app.m_imgScale, static_cast<int>(record[kRecFrame]));
    }
}

}  // namespace

int c_MyApp::p_OnRender() {
    MeasureFrameRate(*this);
    const int deviceW = nx_app_DeviceWidth(), deviceH = nx_app_DeviceHeight();
    nx_graphics_SetColor(m_clsR, m_clsG, m_clsB);
    nx_graphics_SetAlpha(m_clsA);
    nx_graphics_DrawRect(-1, -1, static_cast<float>(deviceW + 2), static_cast<float>(deviceH + 2));
    nx_graphics_SetColor(255, 255, 255);
    nx_graphics_SetAlpha(1);
    FitVirtualScreen(*this, static_cast<float>(deviceW), static_cast<float>(deviceH));
    if (m_drawCount > kDrawRecordFloats - 1)
        for (m_i = 0; m_i < m_drawCount - (kDrawRecordFloats - 1); m_i += kDrawRecordFloats)
            ReplayRecord(*this, &m_drawList[m_i]);
    return 0;
}
