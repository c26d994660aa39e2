// The game's bitmap font (16-unit square frames: glyphs of codes 32..127, then the
// game-pad icons and the key-cap icons for the button letters) and the framework's
// default font strip. Glyph strokes sit on whole and half units so that one-unit strokes
// fall exactly on pixel columns at every resolution and stay crisp.
#include <cmath>
#include <utility>

#include "tools/make_assets/families.h"
#include "tools/make_assets/lettering.h"

namespace assets {

namespace {

constexpr int kGlyphFrames = 96;
constexpr int kPadIconFirstFrame = 96;
constexpr int kKeyIconFirstFrame = 112;
constexpr float kFontFrameCentre = 8.0f;
constexpr float kCapitalTop = 4.5f;  // puts capitals 4..12, centred in the 16-unit frame

// The button letters in frame order, and what each stands for on a pad: face buttons
// A B X Y, the bumpers, Back, Start, Guide, then the d-pad directions.
constexpr char kButtonLetters[] = "JKLIUOQEFWSAD";

enum class PadPart { kFace, kBumper, kBack, kStart, kGuide, kDpad };

struct PadIcon {
    PadPart part;
    char label;  // letter on a face button or bumper; d-pad: the arm lit (U, D, L, R)
    int red, green, blue;
};

constexpr PadIcon kPadIcons[] = {
    {PadPart::kFace, 'A', 90, 215, 90},     {PadPart::kFace, 'B', 240, 80, 70},
    {PadPart::kFace, 'X', 80, 140, 250},    {PadPart::kFace, 'Y', 250, 205, 60},
    {PadPart::kBumper, 'L', 220, 220, 232}, {PadPart::kBumper, 'R', 220, 220, 232},
    {PadPart::kBack, ' ', 200, 200, 215},   {PadPart::kStart, ' ', 200, 200, 215},
    {PadPart::kGuide, ' ', 235, 235, 245},  {PadPart::kDpad, 'U', 235, 235, 245},
    {PadPart::kDpad, 'D', 235, 235, 245},   {PadPart::kDpad, 'L', 235, 235, 245},
    {PadPart::kDpad, 'R', 235, 235, 245},
};

void DrawGlyphFrame(const FrameView& view, int code) {
    int extra = ExtraAdvance(code);
    float width = GlyphFor(code).width;
    float left = std::floor(kFontFrameCentre + extra * 0.5f - width * 0.5f) + 0.5f;
    Fill(view, GlyphShape(code, {left, kCapitalTop}, {1, 1}, 1.0f), Rgb(255, 255, 255));
}

Shape DpadShape(Vec2 centre, float armLength, float armWidth) {
    Shape across = RoundedBox(centre, {armLength, armWidth * 0.5f}, 0.8f);
    return Union(std::move(across), RoundedBox(centre, {armWidth * 0.5f, armLength}, 0.8f));
}

Shape DpadArm(Vec2 centre, char arm, float armLength, float armWidth) {
    Vec2 direction = arm == 'U'   ? Vec2{0, -1}
                     : arm == 'D' ? Vec2{0, 1}
                     : arm == 'L' ? Vec2{-1, 0}
                                  : Vec2{1, 0};
    float inner = armWidth * 0.5f;
    Vec2 middle = centre + direction * ((armLength + inner) * 0.5f);
    float halfAlong = (armLength - inner) * 0.5f;
    Vec2 half = direction.x != 0 ? Vec2{halfAlong, inner} : Vec2{inner, halfAlong};
    return RoundedBox(middle, half, 0.8f);
}

void DrawDpadIcon(const FrameView& view, Vec2 centre, char arm, Colour lit) {
    Fill(view, DpadShape(centre, 5.5f, 3.6f), Rgb(95, 95, 112));
    Fill(view, DpadArm(centre, arm, 5.5f, 3.6f), lit);
}

void DrawPadIcon(const FrameView& view, int index) {
    const PadIcon& icon = kPadIcons[index];
    Colour colour = Rgb(icon.red, icon.green, icon.blue);
    int extra = icon.part == PadPart::kBumper ? 6 : 4;  // the layout's extra advance for icons
    Vec2 centre{kFontFrameCentre + extra * 0.5f, 8.5f};
    switch (icon.part) {
        case PadPart::kFace:
            Fill(view, Circle(centre, 5.6f), colour);
            Erase(view, SmallLetter(icon.label, centre));
            break;
        case PadPart::kBumper:
            Fill(view,
                 Union(RoundedBox(centre + Vec2{0, 0.6f}, {4.7f, 3.6f}, 1.0f),
                       RoundedBox(centre - Vec2{0, 0.8f}, {4.7f, 3.2f}, 3.0f)),
                 colour);
            Erase(view, GlyphShape(icon.label, centre - Vec2{2.0f, 2.8f}, {1.0f, 0.8f}, 1.0f));
            break;
        case PadPart::kBack:
        case PadPart::kStart:
        case PadPart::kGuide:
            Fill(view,
                 icon.part == PadPart::kGuide ? Circle(centre, 5.6f)
                                              : RoundedBox(centre, {5.0f, 3.6f}, 3.6f),
                 colour);
            if (icon.part == PadPart::kBack)
                Erase(view, Polygon({centre + Vec2{1.6f, -2.2f}, centre + Vec2{1.6f, 2.2f},
                                     centre + Vec2{-2.2f, 0}}));
            if (icon.part == PadPart::kStart)
                Erase(view, Polygon({centre + Vec2{-1.6f, -2.2f}, centre + Vec2{-1.6f, 2.2f},
                                     centre + Vec2{2.2f, 0}}));
            if (icon.part == PadPart::kGuide) Erase(view, Ring(centre, 2.7f, 1.4f));
            break;
        case PadPart::kDpad:
            DrawDpadIcon(view, centre, icon.label, colour);
            break;
    }
}

// A key cap: a darker side below a light top face, the letter cut through both.
void DrawKeyIcon(const FrameView& view, char letter) {
    Vec2 centre{kFontFrameCentre + 2.0f, 8.0f};
    float halfWidth = letter == 'W' ? 5.5f : 5.0f;
    Fill(view, RoundedBox(centre + Vec2{0, 1.0f}, {halfWidth, 5.5f}, 1.8f), Rgb(140, 140, 160));
    Fill(view, RoundedBox(centre - Vec2{0, 0.2f}, {halfWidth - 0.3f, 5.0f}, 1.6f),
         Rgb(238, 238, 245));
    Erase(view, SmallLetter(letter, centre - Vec2{0, 0.2f}));
}

}  // namespace

void DrawGameFont(Sheet& sheet) {
    for (int frame = 1; frame < kGlyphFrames; ++frame)
        DrawGlyphFrame(sheet.Frame(frame), frame + 32);
    for (int i = 0; kButtonLetters[i] != '\0'; ++i) {
        DrawPadIcon(sheet.Frame(kPadIconFirstFrame + i), i);
        DrawKeyIcon(sheet.Frame(kKeyIconFirstFrame + i), kButtonLetters[i]);
    }
}

void DrawDefaultFont(Sheet& sheet) {
    // Each 10-pixel frame keeps its outer columns empty: the loader strips them as a
    // border, and glyphs are placed on pixel centres so the strip is a crisp pixel font.
    for (int frame = 1; frame < sheet.Frames(); ++frame) {
        int code = frame + 32;
        float left = std::floor(5.0f - GlyphFor(code).width * 0.5f) + 0.5f;
        Fill(sheet.Frame(frame), GlyphShape(code, {left, 2.5f}, {1, 1}, 1.0f), Rgb(255, 255, 255));
    }
}

}  // namespace assets
