// The 64 block styles of "tiles". A level draws its blocks in style k and its bonus
// blocks in style 63 - k, so the sheet is built in mirrored pairs: styles 0..31 are
// plain blocks, styles 32..63 carry a bright emblem, and the partner of a style also
// takes the opposite hue. Whatever k a level picks, the two kinds differ in shape and
// colour at a glance.
#include "tools/make_assets/families.h"
#include "tools/make_assets/palette.h"

namespace assets {

namespace {

constexpr int kStyles = 64;
constexpr int kPlainStyles = 32;
constexpr Vec2 kCentre{16, 16};

enum class PlainPattern { kBevel, kCandy, kPlate, kQuarters };
enum class EmblemPattern { kStar, kGem, kCoin, kPlus };
constexpr int kPatterns = 4;

// A block face with a light top-left and a shaded bottom-right edge; a one-unit margin
// leaves a two-unit seam between neighbouring blocks.
void DrawBevelBase(const FrameView& view, Colour hue, float corner) {
    Fill(view, RoundedBox(kCentre, {15, 15}, corner), Darker(hue, 0.45f));
    Fill(view, RoundedBox(kCentre - Vec2{0.8f, 0.8f}, {13.7f, 13.7f}, corner - 0.5f),
         Lighter(hue, 0.45f));
    Fill(view, RoundedBox(kCentre, {12, 12}, corner - 1.0f),
         LinearGradient({16, 4}, Lighter(hue, 0.15f), {16, 28}, Darker(hue, 0.1f)));
}

void DrawPlain(const FrameView& view, PlainPattern pattern, Colour hue) {
    switch (pattern) {
        case PlainPattern::kBevel:
            DrawBevelBase(view, hue, 3.0f);
            break;
        case PlainPattern::kCandy:
            Fill(view, RoundedBox(kCentre, {15, 15}, 8), Darker(hue, 0.4f));
            Fill(view, RoundedBox(kCentre, {13, 13}, 7),
                 RadialGradient({12, 10}, 20, Lighter(hue, 0.35f), hue));
            Fill(view, Ellipse({13, 9}, 6, 2.6f), Rgb(255, 255, 255, 0.55f));
            break;
        case PlainPattern::kPlate:
            DrawBevelBase(view, hue, 1.5f);
            for (Vec2 corner : {Vec2{7, 7}, Vec2{25, 7}, Vec2{7, 25}, Vec2{25, 25}}) {
                Fill(view, Circle(corner, 2.2f), Darker(hue, 0.5f));
                Fill(view, Circle(corner - Vec2{0.4f, 0.4f}, 1.4f), Lighter(hue, 0.6f));
            }
            break;
        case PlainPattern::kQuarters:
            Fill(view, RoundedBox(kCentre, {15, 15}, 2), Darker(hue, 0.5f));
            for (Vec2 q : {Vec2{9, 9}, Vec2{23, 9}, Vec2{9, 23}, Vec2{23, 23}}) {
                Fill(view, RoundedBox(q, {5.6f, 5.6f}, 1.5f),
                     LinearGradient(q - Vec2{0, 6}, Lighter(hue, 0.35f), q + Vec2{0, 6}, hue));
            }
            break;
    }
}

void DrawEmblem(const FrameView& view, EmblemPattern pattern, Colour hue) {
    DrawBevelBase(view, hue, pattern == EmblemPattern::kCoin ? 7.0f : 3.0f);
    Fill(view, Outline(RoundedBox(kCentre, {14.2f, 14.2f}, 3), 1.6f), Rgb(255, 250, 215));
    Colour mark = Rgb(255, 248, 200);
    Colour edge = Darker(hue, 0.6f);
    Shape shape = Circle(kCentre, 1);
    switch (pattern) {
        case EmblemPattern::kStar:
            shape = Star(kCentre + Vec2{0, 0.8f}, 5, 9.5f, 4.2f, 0);
            break;
        case EmblemPattern::kGem:
            shape = Polygon({{16, 6}, {25, 16}, {16, 26}, {7, 16}});
            break;
        case EmblemPattern::kCoin:
            shape = Circle(kCentre, 7.5f);
            break;
        case EmblemPattern::kPlus:
            shape = Union(RoundedBox(kCentre, {8.5f, 3}, 1), RoundedBox(kCentre, {3, 8.5f}, 1));
            break;
    }
    Fill(view, Inflate(shape, 1.5f), edge);
    Fill(view, shape, mark);
    if (pattern == EmblemPattern::kCoin) Fill(view, Ring(kCentre, 4.2f, 1.8f), Darker(mark, 0.25f));
    if (pattern == EmblemPattern::kGem)
        Fill(view, Polygon({{16, 9}, {21, 16}, {16, 16}}), Rgb(255, 255, 255));
}

}  // namespace

void DrawBlockTiles(Sheet& sheet) {
    for (int style = 0; style < kStyles; ++style) {
        const FrameView view = sheet.Frame(style);
        if (style < kPlainStyles) {
            DrawPlain(view, static_cast<PlainPattern>(style / kHueCount), BrightHue(style));
        } else {
            int partner = kStyles - 1 - style;
            auto pattern = static_cast<EmblemPattern>((partner / kHueCount) % kPatterns);
            DrawEmblem(view, pattern, BrightHue(partner + kHueCount / 2));
        }
    }
}

}  // namespace assets
