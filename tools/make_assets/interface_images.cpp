// The interface sets: "common/icons" (round white icons the game tints), "common/Buttons"
// (level buttons, the three cog layers, the credits picture), "common/dpad" and
// "BadgesA". Each set shares one base so its frames look like one family.
#include <cmath>
#include <utility>

#include "tools/make_assets/families.h"
#include "tools/make_assets/lettering.h"
#include "tools/make_assets/palette.h"
#include "tools/make_assets/symbols.h"

namespace assets {

namespace {

const Colour kWhite = Rgb(255, 255, 255);

// ---- icons: a white ring with a white symbol; the game colours them as it draws.

constexpr int kHighlightIcon = 6;

Shape IconSymbol(int frame, Vec2 c) {
    switch (frame) {
        case 0:
            return Union(RoundedBox(c - Vec2{4, 0}, {2.2f, 6.5f}, 0.8f),
                         RoundedBox(c + Vec2{4, 0}, {2.2f, 6.5f}, 0.8f));
        case 1:
            return Cross(c, 7.5f, 3.4f);
        case 2:
            return ArrowLeft(c, 8.0f);
        case 3:
            return PlayTriangle(c + Vec2{0.8f, 0}, 8.5f);
        case 4:
            return RoundedBox(c, {5.5f, 5.5f}, 1.2f);
        case 5:
            return CircularArrow(c, 6.8f);
        case 7:
            return House(c, 9.0f);
        case 8:
            return Cog(c, 8, 9.0f, 2.6f);
        case 9:
            return Union(Speaker(c - Vec2{1.5f, 0}, 8.5f),
                         Union(Arc(c, 5.0f, 2.2f, 50, 80), Arc(c, 8.6f, 2.2f, 45, 90)));
        case 10:
            return Union(Speaker(c - Vec2{2.5f, 0}, 8.5f), Cross(c + Vec2{5.5f, 0}, 3.2f, 2.4f));
        case 11:
            return MusicNote(c, 9.0f);
        case 12:
            return Star(c, 5, 9.0f, 3.9f, 0);
        case 13:
            return Strokes({{c + Vec2{-7.5f, -3}, c + Vec2{-7.5f, -7.5f}, c + Vec2{-3, -7.5f}},
                            {c + Vec2{3, -7.5f}, c + Vec2{7.5f, -7.5f}, c + Vec2{7.5f, -3}},
                            {c + Vec2{7.5f, 3}, c + Vec2{7.5f, 7.5f}, c + Vec2{3, 7.5f}},
                            {c + Vec2{-3, 7.5f}, c + Vec2{-7.5f, 7.5f}, c + Vec2{-7.5f, 3}}},
                           2.6f);
        case 14:
            return Union(Circle(c - Vec2{0, 6.0f}, 1.9f),
                         RoundedBox(c + Vec2{0, 2.5f}, {1.6f, 5.0f}, 0.8f));
        default:
            return GlyphShape('?', c - Vec2{4.0f, 7.5f}, {2, 2}, 2.6f);
    }
}

// The selection highlight sits around a button drawn a little smaller, so it is a
// bright ring with a soft halo and nothing inside.
void DrawHighlight(const FrameView& view, Vec2 c) {
    Glow(view, Ring(c, 13.8f, 2.6f), Rgb(255, 255, 255, 0.5f), 1.6f);
    Fill(view, Ring(c, 13.8f, 2.8f), kWhite);
}

// ---- buttons: 64-unit discs; the level number is written above and the ring count
// over the middle, so the middle stays dark and the state shows on the rim.

constexpr Vec2 kButtonCentre{32, 32};

void DrawButtonBase(const FrameView& view, Colour rim) {
    Vec2 c = kButtonCentre;
    Fill(view, Circle(c, 27.5f), Darker(rim, 0.55f));
    Fill(view, Ring(c, 24.2f, 5.2f),
         LinearGradient(c - Vec2{0, 27}, Lighter(rim, 0.45f), c + Vec2{0, 27}, Darker(rim, 0.1f)));
    Fill(view, Circle(c, 21.4f),
         RadialGradient(c - Vec2{0, 8}, 26, Rgb(46, 56, 96), Rgb(22, 26, 48)));
    Fill(view, Arc(c, 24.4f, 1.8f, 300, 55), Rgb(255, 255, 255, 0.7f));
}

void DrawCompletedMark(const FrameView& view) {
    Vec2 badge{50, 50};
    Fill(view, Circle(badge, 9.0f), Rgb(20, 90, 30));
    Fill(view, Circle(badge, 7.5f), Rgb(90, 215, 100));
    Fill(
        view,
        Strokes({{badge + Vec2{-3.8f, 0.2f}, badge + Vec2{-1.0f, 3.0f}, badge + Vec2{4.0f, -2.8f}}},
                2.6f),
        kWhite);
}

void DrawPerfectMark(const FrameView& view) {
    Glow(view, Ring(kButtonCentre, 24.2f, 5.0f), Rgb(255, 230, 120, 0.5f), 3.5f);
    for (float angle : {-38.0f, 0.0f, 38.0f}) {
        Vec2 at = OnCircle(kButtonCentre, 24.2f, angle);
        Fill(view, Star(at, 5, 7.2f, 3.3f, 0), Rgb(120, 70, 0));
        Fill(view, Star(at, 5, 5.6f, 2.5f, 0), Rgb(255, 250, 200));
    }
}

// Locked buttons flicker between four frames at random, so the frames differ only by a
// little jitter and a bright interference band, like a screen that will not switch on.
void DrawLockedButton(const FrameView& view, int variant) {
    constexpr float kRimLevel[] = {1.0f, 0.8f, 1.1f, 0.9f};
    constexpr float kJitter[] = {0.0f, -1.5f, 1.0f, 0.5f};
    constexpr float kBandY[] = {20.0f, 40.0f, 29.0f, 45.0f};
    Colour rim = Rgb(118, 118, 134);
    DrawButtonBase(view,
                   MixColour(Darker(rim, 0.3f), Lighter(rim, 0.3f), kRimLevel[variant] - 0.6f));
    Fill(view,
         Intersect(RoundedBox({32, kBandY[variant]}, {22, 1.6f}, 0), Circle(kButtonCentre, 21.4f)),
         Rgb(200, 210, 255, 0.3f));
    Fill(view, Padlock(kButtonCentre + Vec2{kJitter[variant], -2}, 15.0f), Rgb(205, 205, 218));
}

void DrawCogLayers(Sheet& sheet) {
    // Three layers drawn over one another and turned at different speeds: an outer
    // toothed ring, a cog that fits inside its hole, and a small hub inside that.
    Vec2 c = kButtonCentre;
    FrameView outer = sheet.Frame(8);
    Fill(outer, Inflate(Subtract(Gear(c, 12, 23.5f, 5.0f, 0), Circle(c, 15.5f)), 1.2f),
         Rgb(60, 64, 82));
    Fill(outer, Subtract(Gear(c, 12, 23.5f, 5.0f, 0), Circle(c, 15.5f)),
         LinearGradient(c - Vec2{0, 29}, Rgb(235, 238, 245), c + Vec2{0, 29}, Rgb(150, 156, 175)));
    FrameView middle = sheet.Frame(9);
    Fill(middle, Inflate(Cog(c, 8, 13.8f, 5.2f), 1.0f), Rgb(30, 60, 95));
    Fill(middle, Cog(c, 8, 13.8f, 5.2f), Rgb(115, 190, 245));
    FrameView hub = sheet.Frame(10);
    Fill(hub, Inflate(Cog(c, 6, 4.8f, 1.3f), 0.8f), Rgb(110, 55, 0));
    Fill(hub, Cog(c, 6, 4.8f, 1.3f), Rgb(255, 172, 60));
}

// The picture in the credits' lower-left circle: an arcade joystick.
void DrawJoystick(const FrameView& view) {
    Fill(view, RoundedBox({32, 48}, {21, 8}, 5), Rgb(60, 20, 30));
    Fill(view, RoundedBox({32, 46.5f}, {19.5f, 6.5f}, 4.5f),
         LinearGradient({32, 40}, Rgb(240, 90, 90), {32, 53}, Rgb(170, 35, 45)));
    Fill(view, Capsule({32, 44}, {32, 21}, 5.0f), Rgb(200, 205, 215));
    Fill(view, Circle({32, 17}, 9.0f), Rgb(110, 20, 20));
    Fill(view, Circle({32, 17}, 7.8f),
         RadialGradient({29, 14}, 10, Rgb(255, 130, 110), Rgb(215, 30, 30)));
    Fill(view, Ellipse({29, 13.5f}, 2.6f, 1.8f), Rgb(255, 255, 255, 0.85f));
    Fill(view, Circle({45, 44}, 3.6f), Rgb(255, 215, 60));
}

void DrawArrowButton(const FrameView& view, bool pointsLeft) {
    DrawButtonBase(view, Rgb(90, 140, 230));
    Shape arrow = ArrowLeft(kButtonCentre, 13.0f);
    Fill(view, pointsLeft ? arrow : RotateAbout(std::move(arrow), kButtonCentre, 180), kWhite);
}

// ---- d-pad: one frame per combination of pressed directions (bit 1 up, 2 right,
// 4 down, 8 left), pressed arms lit.

void DrawDpadFrame(const FrameView& view, int pressed) {
    Vec2 c{16, 16};
    const Vec2 directions[] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    Shape cross = Union(RoundedBox(c, {13, 4.6f}, 1.5f), RoundedBox(c, {4.6f, 13}, 1.5f));
    Fill(view, Inflate(cross, 1.4f), Rgb(30, 30, 44));
    Fill(view, cross, Rgb(150, 150, 168));
    for (int i = 0; i < 4; ++i) {
        Vec2 d = directions[i];
        Vec2 middle = c + d * 8.2f;
        Vec2 half = d.x != 0 ? Vec2{4.8f, 4.6f} : Vec2{4.6f, 4.8f};
        if (pressed & (1 << i)) Fill(view, RoundedBox(middle, half, 1.5f), Rgb(255, 255, 255));
        Vec2 tip = c + d * 11.0f;
        Vec2 side{-d.y, d.x};
        Fill(view, Polygon({tip, tip - d * 2.6f + side * 2.4f, tip - d * 2.6f - side * 2.4f}),
             Rgb(40, 40, 58));
    }
    Fill(view, Circle(c, 2.6f), Rgb(95, 95, 112));
}

// ---- badges: eight emblems, each in the eight hues.

Shape BadgeEmblem(int emblem, Vec2 c) {
    switch (emblem) {
        case 0:
            return Star(c + Vec2{0, 1}, 5, 14, 6.2f, 0);
        case 1:
            return Ring(c, 9.5f, 5.0f);
        case 2:
            return Circle(c, 10.5f);
        case 3:
            return LightningBolt(c, 15);
        case 4:
            return Crown(c, 14);
        case 5:
            return Heart(c + Vec2{0, 1}, 14);
        case 6:
            return Gem(c + Vec2{0, 1}, 15);
        default:
            return Chevrons(c + Vec2{0, 1}, 14);
    }
}

void DrawBadge(const FrameView& view, int frame) {
    Vec2 c{32, 32};
    Colour hue = BrightHue(frame);
    Fill(view, Circle(c, 28), Darker(hue, 0.55f));
    Fill(view, Circle(c, 25.5f),
         LinearGradient(c - Vec2{0, 25}, Lighter(hue, 0.4f), c + Vec2{0, 25}, Darker(hue, 0.05f)));
    Fill(view, Ring(c, 21.5f, 1.8f), Lighter(hue, 0.65f));
    Shape emblem = BadgeEmblem(frame / kHueCount, c);
    Fill(view, Inflate(emblem, 1.6f), Darker(hue, 0.6f));
    Fill(view, emblem, Rgb(255, 252, 238));
}

}  // namespace

void DrawIcons(Sheet& sheet) {
    for (int frame = 0; frame < sheet.Frames(); ++frame) {
        FrameView view = sheet.Frame(frame);
        Vec2 c = view.Centre();
        if (frame == kHighlightIcon) {
            DrawHighlight(view, c);
            continue;
        }
        Fill(view, Ring(c, 13.2f, 2.6f), kWhite);
        Fill(view, IconSymbol(frame, c), kWhite);
    }
}

void DrawButtons(Sheet& sheet) {
    DrawButtonBase(sheet.Frame(0), Rgb(90, 140, 230));
    DrawButtonBase(sheet.Frame(1), Rgb(70, 200, 90));
    DrawCompletedMark(sheet.Frame(1));
    DrawButtonBase(sheet.Frame(2), Rgb(250, 195, 40));
    DrawPerfectMark(sheet.Frame(2));
    DrawButtonBase(sheet.Frame(3), Rgb(235, 80, 170));
    for (int variant = 0; variant < 4; ++variant)
        DrawLockedButton(sheet.Frame(4 + variant), variant);
    DrawCogLayers(sheet);
    Fill(sheet.Frame(11), Circle(kButtonCentre, 28), Rgb(34, 38, 62, 0.85f));
    DrawJoystick(sheet.Frame(12));
    DrawArrowButton(sheet.Frame(13), true);
    DrawArrowButton(sheet.Frame(14), false);
    DrawButtonBase(sheet.Frame(15), Rgb(150, 150, 165));
}

void DrawDpad(Sheet& sheet) {
    for (int frame = 0; frame < sheet.Frames(); ++frame) DrawDpadFrame(sheet.Frame(frame), frame);
}

void DrawBadges(Sheet& sheet) {
    for (int frame = 0; frame < sheet.Frames(); ++frame) DrawBadge(sheet.Frame(frame), frame);
}

}  // namespace assets
