// The play sprites: "gfx" (ball, ring, the wall column and the start-column markers)
// and "parts" (the white particles the game tints with its particle colours).
#include <cmath>

#include "tools/make_assets/families.h"
#include "tools/make_assets/palette.h"

namespace assets {

namespace {

constexpr int kBallFrame = 0;
constexpr int kRingFrame = 1;
constexpr int kFirstWallFrame = 16;
constexpr int kWallFrames = 16;
constexpr int kFirstMarkerFrame = 40;
constexpr int kMarkerFrames = 8;
constexpr float kCell = 32.0f;

void DrawBall(const FrameView& view) {
    Vec2 c = view.Centre();
    Fill(view, Circle(c, 11.5f), Rgb(110, 25, 10));
    Fill(view, Circle(c, 10.2f),
         RadialGradient(c - Vec2{3.5f, 4}, 15.0f, Rgb(255, 235, 170), Rgb(235, 70, 30)));
    Fill(view, Ellipse(c - Vec2{3.5f, 4.5f}, 3.4f, 2.4f), Rgb(255, 255, 255, 0.85f));
}

// A gold ring with a halo, a highlight and a sparkle; the game spins it by squashing
// it across, so the ring is broad enough to stay a ring when narrow.
void DrawRing(const FrameView& view) {
    Vec2 c = view.Centre();
    Glow(view, Ring(c, 10.5f, 6.0f), Rgb(255, 220, 90, 0.45f), 2.2f);
    Fill(view, Ring(c, 10.5f, 6.6f), Rgb(150, 85, 0));
    Fill(view, Ring(c, 10.5f, 4.4f),
         LinearGradient(c - Vec2{0, 12}, Rgb(255, 252, 190), c + Vec2{0, 12}, Rgb(240, 145, 15)));
    Fill(view, Arc(c, 10.8f, 1.6f, 280, 70), Rgb(255, 255, 255, 0.9f));
    Glow(view, Circle(c + Vec2{7.5f, -7.5f}, 1.2f), Rgb(255, 255, 255, 0.8f), 2.5f);
    Fill(view, Star(c + Vec2{7.5f, -7.5f}, 4, 5.5f, 1.1f, 0), Rgb(255, 255, 255));
}

// The wall column is one long girder cut into 16 consecutive tiles: every shape is
// placed in column coordinates, so each tile continues the one above it and the last
// continues into the first.
void DrawWallTile(const FrameView& view, int tile) {
    float top = tile * kCell;
    float period = kWallFrames * kCell;
    Fill(view, RoundedBox({16, 16}, {16, 16}, 0), [](Vec2 p) {
        return MixColour(Rgb(28, 34, 52), Rgb(62, 74, 102), 1.0f - std::fabs(p.x - 16) / 16);
    });
    for (int j = tile - 1; j <= tile + 1; ++j) {
        float y = j * kCell - top;
        Fill(view, Capsule({6, y}, {26, y + kCell}, 3.4f), Rgb(100, 116, 150));
        Fill(view, Capsule({26, y}, {6, y + kCell}, 3.4f), Rgb(100, 116, 150));
        Fill(view, Circle({16, y + 16}, 2.8f), Rgb(60, 70, 95));
        Fill(view, Circle({16, y + 16}, 1.9f), Rgb(185, 198, 222));
    }
    for (float railX : {3.0f, 29.0f}) {
        Fill(view, RoundedBox({railX, 16}, {3.2f, 17}, 0), Rgb(150, 166, 198));
        Fill(view, RoundedBox({railX, 16}, {1.3f, 17}, 0),
             [=](Vec2 p) { return Hsv((top + p.y) / period * 360.0f, 0.55f, 1.0f); });
    }
}

// Downward markers over the eight start columns, one hue each; the game draws each
// three times, wider and fainter, so the shape is a plain bold chevron.
void DrawStartMarker(const FrameView& view, int column) {
    Colour hue = BrightHue(column);
    Shape arrow = Polygon({{6, 8}, {26, 8}, {16, 24}});
    Fill(view, Inflate(arrow, 3.5f), Darker(hue, 0.6f));
    Fill(view, Inflate(arrow, 2.0f), LinearGradient({16, 6}, Lighter(hue, 0.55f), {16, 25}, hue));
    Fill(view, Capsule({10, 9}, {21, 9}, 2.0f), Rgb(255, 255, 255, 0.65f));
}

enum class ParticleKind { kSparkle, kDot, kShard, kStar, kDiamond, kChip, kRing, kCross };
constexpr int kParticleKinds = 8;

Shape ParticleShape(ParticleKind kind, Vec2 c, float size, float turn) {
    switch (kind) {
        case ParticleKind::kSparkle:
            return Star(c, 4, 3.7f * size, 0.9f, turn);
        case ParticleKind::kDot:
            return Circle(c, 1.9f * size);
        case ParticleKind::kShard:
            return Polygon({OnCircle(c, 3.4f * size, turn), OnCircle(c, 2.2f * size, turn + 140),
                            OnCircle(c, 2.8f * size, turn + 230)});
        case ParticleKind::kStar:
            return Star(c, 5, 3.6f * size, 1.6f * size, turn);
        case ParticleKind::kDiamond:
            return RotateAbout(Polygon({c + Vec2{0, -3.4f * size}, c + Vec2{2.1f * size, 0},
                                        c + Vec2{0, 3.4f * size}, c + Vec2{-2.1f * size, 0}}),
                               c, turn);
        case ParticleKind::kChip:
            return RotateAbout(RoundedBox(c, {2.2f * size, 1.6f * size}, 0.5f), c, turn);
        case ParticleKind::kRing:
            return Ring(c, 2.4f * size, 1.3f);
        case ParticleKind::kCross:
            return RotateAbout(
                Union(Capsule(c - Vec2{3.2f * size, 0}, c + Vec2{3.2f * size, 0}, 1.3f),
                      Capsule(c - Vec2{0, 3.2f * size}, c + Vec2{0, 3.2f * size}, 1.3f)),
                c, turn);
    }
    return Circle(c, 1);
}

void DrawParticle(const FrameView& view, int frame) {
    Vec2 c = view.Centre();
    auto kind = static_cast<ParticleKind>(frame % kParticleKinds);
    int variant = frame / kParticleKinds;
    float size = 0.7f + 0.3f * (variant % 4) / 3.0f;
    float turn = variant * 37.0f;
    Glow(view, Circle(c, 0.8f * size), Rgb(255, 255, 255, 0.35f), 2.8f * size);
    Fill(view, ParticleShape(kind, c, size, turn),
         RadialGradient(c, 3.5f, Rgb(255, 255, 255), Rgb(205, 205, 205)));
}

}  // namespace

void DrawGameSprites(Sheet& sheet) {
    DrawBall(sheet.Frame(kBallFrame));
    DrawRing(sheet.Frame(kRingFrame));
    for (int tile = 0; tile < kWallFrames; ++tile)
        DrawWallTile(sheet.Frame(kFirstWallFrame + tile), tile);
    for (int column = 0; column < kMarkerFrames; ++column)
        DrawStartMarker(sheet.Frame(kFirstMarkerFrame + column), column);
}

void DrawParticles(Sheet& sheet) {
    for (int frame = 0; frame < sheet.Frames(); ++frame) DrawParticle(sheet.Frame(frame), frame);
}

}  // namespace assets
