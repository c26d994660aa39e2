// The large pictures: our studio emblem "common/QRTZLogo", the test-card circle of the
// credits, the game's "logo" lettering and the "menu" backgrounds. They are seen large
// (the logo at 1.5 times) and small (the emblem as a 0.3-size button), so they are built
// from big, bold forms with dark outlines.
#include <cmath>
#include <string>
#include <utility>

#include "tools/make_assets/families.h"
#include "tools/make_assets/lettering.h"
#include "tools/make_assets/palette.h"

namespace assets {

namespace {

const Colour kWhite = Rgb(255, 255, 255);
const Colour kInk = Rgb(40, 14, 62);

// ---- studio emblem: a quartz cluster over the letters QRTZ, in a dark medallion.

struct Crystal {
    Vec2 base;  // middle of the crystal's foot
    float height;
    float width;
    float tilt;  // degrees, clockwise
    int red, green, blue;
};

constexpr Crystal kCrystals[] = {
    {{98, 168}, 78, 32, -24, 170, 120, 250},
    {{158, 168}, 84, 32, 22, 120, 200, 255},
    {{128, 172}, 118, 42, 0, 250, 130, 205},
};

void DrawCrystal(const FrameView& view, const Crystal& k) {
    float half = k.width * 0.5f;
    float shoulder = k.height - k.width * 0.6f;
    auto point = [&](float x, float up) { return Rotate(Vec2{x, -up}, k.tilt) + k.base; };
    Colour colour = Rgb(k.red, k.green, k.blue);
    Shape whole = Polygon({point(-half, 0), point(-half, shoulder), point(0, k.height),
                           point(half, shoulder), point(half, 0)});
    Fill(view, Inflate(whole, 3.0f), kInk);
    Fill(view, whole, Lighter(colour, 0.25f));
    Fill(view, Polygon({point(0, 0), point(0, k.height), point(half, shoulder), point(half, 0)}),
         Darker(colour, 0.2f));
    Fill(view, Polygon({point(-half, shoulder), point(0, k.height), point(0, shoulder + 6)}),
         Lighter(colour, 0.6f));
    Fill(view, Capsule(point(-half * 0.55f, 8), point(-half * 0.55f, shoulder - 6), 3.0f),
         Rgb(255, 255, 255, 0.55f));
}

void DrawSparkle(const FrameView& view, Vec2 at, float size) {
    Glow(view, Circle(at, size * 0.2f), Rgb(255, 255, 255, 0.6f), size * 0.6f);
    Fill(view, Star(at, 4, size, size * 0.22f, 0), kWhite);
}

// ---- lettering shared by the logo and test card.

// Where a letter of a bouncy word sits: lifted on a wave and tipped alternately left
// and right about the middle of its body.
struct LetterPlacement {
    Vec2 origin;
    Vec2 pivot;
    float turn;
};

LetterPlacement PlaceLetter(size_t index, float x, Vec2 origin, Vec2 scale, float width,
                            float wave) {
    float lift = wave * std::sin(static_cast<float>(index) * 1.1f);
    float turn = wave * 1.2f * ((index % 2 == 0) ? -1.0f : 1.0f);
    return {
        {x, origin.y - lift}, {x + width * scale.x * 0.5f, origin.y + 4 * scale.y - lift}, turn};
}

Shape Lettering(const std::string& text, Vec2 origin, Vec2 scale, float stroke, float gap,
                float wave) {
    Shape word = Circle(origin, 0);
    float x = origin.x;
    for (size_t i = 0; i < text.size(); ++i) {
        float width = GlyphFor(text[i]).width;
        LetterPlacement place = PlaceLetter(i, x, origin, scale, width, wave);
        Shape letter = GlyphShape(text[i], place.origin, scale, stroke);
        word = Union(std::move(word), RotateAbout(std::move(letter), place.pivot, place.turn));
        x += (width + gap) * scale.x;
    }
    return word;
}

float LetteringWidth(const std::string& text, Vec2 scale, float gap) {
    float total = -gap;
    for (char c : text) total += GlyphFor(c).width + gap;
    return total * scale.x;
}

// ---- the test card circle.

Shape InDisc(Shape s) {
    return Intersect(std::move(s), Circle({128, 128}, 116));
}

void DrawCardBands(const FrameView& view) {
    Fill(view, InDisc(RoundedBox({128, 128}, {128, 128}, 0)), Rgb(128, 128, 128));
    for (int i = 0; i < 16; ++i) {
        Fill(view, InDisc(RoundedBox({8.0f + 16 * i, 39}, {8, 19}, 0)),
             (i % 2) ? kWhite : Rgb(0, 0, 0));
    }
    const float stripeWidths[] = {8, 6, 4, 3};
    for (int group = 0; group < 4; ++group) {
        float left = 12 + group * 58;
        for (float x = left; x + stripeWidths[group] <= left + 56; x += 2 * stripeWidths[group]) {
            Fill(view,
                 InDisc(RoundedBox({x + stripeWidths[group] * 0.5f, 68},
                                   {stripeWidths[group] * 0.5f, 10}, 0)),
                 kWhite);
        }
    }
}

void DrawCardBars(const FrameView& view) {
    constexpr int kBars[8][3] = {{190, 190, 190}, {190, 190, 0}, {0, 190, 190}, {0, 190, 0},
                                 {190, 0, 190},   {190, 0, 0},   {0, 0, 190},   {16, 16, 16}};
    for (int i = 0; i < 8; ++i) {
        Fill(view, InDisc(RoundedBox({12 + 29.0f * i + 14.5f, 114}, {14.5f, 36}, 0)),
             Rgb(kBars[i][0], kBars[i][1], kBars[i][2]));
    }
    for (int i = 0; i < 6; ++i) {
        int grey = 255 * i / 5;
        Fill(view, InDisc(RoundedBox({20 + 36.0f * i + 18, 165}, {18, 15}, 0)),
             Rgb(grey, grey, grey));
    }
    Fill(view, InDisc(RoundedBox({128, 215}, {128, 35}, 0)), Rgb(12, 12, 12));
}

// ---- menu backgrounds: a sunburst with a motif, in four colourings.

void DrawSunburst(const FrameView& view, Colour a, Colour b, float turn) {
    Vec2 c{128, 128};
    for (int i = 0; i < 16; ++i) {
        float start = turn + i * 22.5f;
        Fill(view, Polygon({c, OnCircle(c, 220, start), OnCircle(c, 220, start + 22.5f)}),
             (i % 2) ? a : b);
    }
    Fill(view, Circle(c, 40), RadialGradient(c, 40, Lighter(a, 0.5f), a));
}

void DrawGoldRing(const FrameView& view, Vec2 c, float r) {
    Fill(view, Ring(c, r, r * 0.62f), Rgb(150, 85, 0));
    Fill(view, Ring(c, r, r * 0.42f),
         LinearGradient(c - Vec2{0, r}, Rgb(255, 250, 180), c + Vec2{0, r}, Rgb(240, 150, 20)));
}

void DrawTowerMotif(const FrameView& view, int hueShift) {
    constexpr int kRowWidths[] = {5, 5, 4, 4, 3, 3, 2};
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < kRowWidths[row]; ++col) {
            Vec2 at{128 + (col - (kRowWidths[row] - 1) * 0.5f) * 24, 226 - row * 24.0f};
            Colour hue = BrightHue(row + col + hueShift);
            Fill(view, RoundedBox(at, {11, 11}, 3), Darker(hue, 0.45f));
            Fill(view, RoundedBox(at - Vec2{0.8f, 0.8f}, {9, 9}, 2.5f), hue);
        }
    }
    // The ball's flight: up from the left and down towards the top of the tower.
    for (int i = 0; i < 7; ++i) {
        float t = i / 7.0f;
        Vec2 at{30 + 160 * t, 150 - 250 * t + 180 * t * t};
        Fill(view, Circle(at, 2.5f + 4 * t), Rgb(255, 255, 255, 0.35f + 0.5f * t));
    }
    Fill(view, Circle({190, 80}, 14), Rgb(235, 70, 30));
    Fill(view, Ellipse({185, 75}, 4.5f, 3.2f), Rgb(255, 255, 255, 0.85f));
    DrawGoldRing(view, {60, 84}, 13);
    DrawGoldRing(view, {210, 118}, 11);
}

}  // namespace

void DrawStudioEmblem(Sheet& sheet) {
    FrameView view = sheet.Frame(0);
    Vec2 c{128, 128};
    Fill(view, Circle(c, 125), kInk);
    Fill(view, Circle(c, 119), RadialGradient({128, 96}, 150, Rgb(84, 48, 140), Rgb(22, 10, 44)));
    Fill(view, Ring(c, 113, 4.5f), Rgb(255, 170, 230));
    Fill(view, Ellipse({128, 172}, 74, 13), Rgb(62, 30, 96));
    for (const Crystal& crystal : kCrystals) DrawCrystal(view, crystal);
    Vec2 scale{5.0f, 4.2f};
    Shape word = Lettering("QRTZ", {128 - LetteringWidth("QRTZ", scale, 2.4f) * 0.5f, 190}, scale,
                           6.5f, 2.4f, 0);
    Fill(view, Inflate(word, 3.0f), kInk);
    Fill(view, word, LinearGradient({128, 186}, kWhite, {128, 226}, Rgb(255, 190, 235)));
    DrawSparkle(view, {128, 54}, 16);
    DrawSparkle(view, {170, 92}, 9);
}

void DrawTestCardCircle(Sheet& sheet) {
    FrameView view = sheet.Frame(0);
    Vec2 c{128, 128};
    DrawCardBands(view);
    DrawCardBars(view);
    Vec2 scale{2.2f, 2.2f};
    Fill(view,
         Lettering("FLINGAROO", {128 - LetteringWidth("FLINGAROO", scale, 1.8f) * 0.5f, 199}, scale,
                   2.4f, 1.8f, 0),
         kWhite);
    Fill(view, InDisc(RoundedBox(c, {128, 1.3f}, 0)), kWhite);
    Fill(view, InDisc(RoundedBox(c, {1.3f, 128}, 0)), kWhite);
    Fill(view, Ring(c, 22, 2.6f), kWhite);
    Fill(view, Ring(c, 119.5f, 7), kWhite);
    Fill(view, Ring(c, 124.5f, 4), Rgb(0, 0, 0));
}

void DrawGameLogo(Sheet& sheet) {
    FrameView view = sheet.Frame(0);
    const std::string name = "Flingaroo";
    Vec2 scale{4.0f, 7.6f};
    float gap = 3.2f;
    constexpr float kWave = 2.5f;
    Vec2 origin{128 - LetteringWidth(name, scale, gap) * 0.5f, 25};
    Shape word = Lettering(name, origin, scale, 7.5f, gap, kWave);
    Fill(view, Translate(Inflate(word, 5.5f), {3, 5}), Rgb(0, 0, 0, 0.45f));
    Fill(view, Inflate(word, 5.0f), kInk);
    Fill(view, word,
         LinearGradient({128, origin.y}, Rgb(255, 248, 130), {128, origin.y + 58},
                        Rgb(255, 105, 40)));
    // The dot of the i is the game's ball.
    constexpr size_t kLetterI = 2;
    float iLeft = origin.x + (GlyphFor('F').width + GlyphFor('l').width + 2 * gap) * scale.x;
    LetterPlacement place = PlaceLetter(kLetterI, iLeft, origin, scale, GlyphFor('i').width, kWave);
    Vec2 dot = Rotate(place.origin - place.pivot, place.turn) + place.pivot;
    Fill(view, Circle(dot, 9.5f), kInk);
    Fill(view, Circle(dot, 7.0f),
         RadialGradient(dot - Vec2{2.5f, 2.5f}, 10, Rgb(255, 235, 170), Rgb(235, 70, 30)));
    Fill(view, Ellipse(dot - Vec2{2.5f, 3}, 2.4f, 1.7f), Rgb(255, 255, 255, 0.85f));
}

void DrawMenuPictures(Sheet& sheet) {
    const int kColours[4][2][3] = {{{40, 70, 160}, {70, 40, 140}},
                                   {{160, 50, 90}, {200, 100, 40}},
                                   {{30, 130, 110}, {40, 80, 150}},
                                   {{110, 50, 160}, {170, 60, 130}}};
    for (int frame = 0; frame < sheet.Frames(); ++frame) {
        FrameView view = sheet.Frame(frame);
        const auto& pair = kColours[frame];
        DrawSunburst(view, Rgb(pair[0][0], pair[0][1], pair[0][2]),
                     Rgb(pair[1][0], pair[1][1], pair[1][2]), frame * 5.0f);
        DrawTowerMotif(view, frame * 2);
    }
}

}  // namespace assets
