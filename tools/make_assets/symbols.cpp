// Pictogram outlines. Proportions are fractions of r so each reads the same at any size;
// strokes stay at least a tenth of r wide, which keeps them whole at icon sizes.
#include "tools/make_assets/symbols.h"

#include <cmath>
#include <utility>

namespace assets {

Shape PlayTriangle(Vec2 c, float r) {
    return Inflate(Polygon({c + Vec2{-0.45f * r, -0.75f * r}, c + Vec2{0.8f * r, 0},
                            c + Vec2{-0.45f * r, 0.75f * r}}),
                   0.1f * r);
}

Shape ArrowLeft(Vec2 c, float r) {
    return Polygon({c + Vec2{-0.9f * r, 0}, c + Vec2{-0.05f * r, -0.75f * r},
                    c + Vec2{-0.05f * r, -0.3f * r}, c + Vec2{0.85f * r, -0.3f * r},
                    c + Vec2{0.85f * r, 0.3f * r}, c + Vec2{-0.05f * r, 0.3f * r},
                    c + Vec2{-0.05f * r, 0.75f * r}});
}

// A clockwise arrow round a circle, its head at the end of the arc.
Shape CircularArrow(Vec2 c, float r) {
    constexpr float kEnd = 330.0f;
    Vec2 end = OnCircle(c, r, kEnd);
    Vec2 along{std::cos(Radians(kEnd)), std::sin(Radians(kEnd))};
    Vec2 outward = (end - c) * (1.0f / r);
    Shape head = Polygon({end + along * 4.5f, end + outward * 4.2f - along * 0.5f,
                          end - outward * 4.2f - along * 0.5f});
    return Union(Arc(c, r, 3.0f, 40, kEnd - 40), std::move(head));
}

Shape Cross(Vec2 c, float r, float width) {
    return Union(Capsule(c - Vec2{r, r} * 0.7f, c + Vec2{r, r} * 0.7f, width),
                 Capsule(c + Vec2{-r, r} * 0.7f, c + Vec2{r, -r} * 0.7f, width));
}

Shape Cog(Vec2 c, int teeth, float r, float hole) {
    return Subtract(Gear(c, teeth, r * 0.78f, r * 0.22f, 0), Circle(c, hole));
}

Shape House(Vec2 c, float r) {
    Shape roof = Inflate(Polygon({c + Vec2{0, -0.85f * r}, c + Vec2{0.85f * r, -0.05f * r},
                                  c + Vec2{-0.85f * r, -0.05f * r}}),
                         0.06f * r);
    Shape body = RoundedBox(c + Vec2{0, 0.35f * r}, {0.55f * r, 0.45f * r}, 0.08f * r);
    return Subtract(Union(std::move(roof), std::move(body)),
                    RoundedBox(c + Vec2{0, 0.5f * r}, {0.17f * r, 0.32f * r}, 0.05f * r));
}

Shape Speaker(Vec2 c, float r) {
    return Polygon({c + Vec2{-0.8f * r, -0.3f * r}, c + Vec2{-0.4f * r, -0.3f * r},
                    c + Vec2{0.05f * r, -0.75f * r}, c + Vec2{0.05f * r, 0.75f * r},
                    c + Vec2{-0.4f * r, 0.3f * r}, c + Vec2{-0.8f * r, 0.3f * r}});
}

Shape MusicNote(Vec2 c, float r) {
    Shape heads = Union(Ellipse(c + Vec2{-0.45f * r, 0.55f * r}, 0.3f * r, 0.24f * r),
                        Ellipse(c + Vec2{0.45f * r, 0.4f * r}, 0.3f * r, 0.24f * r));
    Shape stems = Strokes({{c + Vec2{-0.2f * r, 0.55f * r}, c + Vec2{-0.2f * r, -0.6f * r},
                            c + Vec2{0.7f * r, -0.8f * r}, c + Vec2{0.7f * r, 0.4f * r}}},
                          0.16f * r);
    return Union(std::move(heads), std::move(stems));
}

Shape Heart(Vec2 c, float r) {
    Shape lobes = Union(Circle(c + Vec2{-0.38f * r, -0.28f * r}, 0.42f * r),
                        Circle(c + Vec2{0.38f * r, -0.28f * r}, 0.42f * r));
    Shape point = Polygon(
        {c + Vec2{-0.78f * r, -0.15f * r}, c + Vec2{0.78f * r, -0.15f * r}, c + Vec2{0, 0.8f * r}});
    return Union(std::move(lobes), std::move(point));
}

Shape LightningBolt(Vec2 c, float r) {
    return Polygon({c + Vec2{0.1f * r, -0.95f * r}, c + Vec2{-0.65f * r, 0.15f * r},
                    c + Vec2{-0.1f * r, 0.15f * r}, c + Vec2{-0.35f * r, 0.95f * r},
                    c + Vec2{0.65f * r, -0.2f * r}, c + Vec2{0.1f * r, -0.2f * r},
                    c + Vec2{0.45f * r, -0.95f * r}});
}

Shape Crown(Vec2 c, float r) {
    return Inflate(Polygon({c + Vec2{-0.75f * r, 0.55f * r}, c + Vec2{-0.8f * r, -0.55f * r},
                            c + Vec2{-0.4f * r, -0.05f * r}, c + Vec2{0, -0.75f * r},
                            c + Vec2{0.4f * r, -0.05f * r}, c + Vec2{0.8f * r, -0.55f * r},
                            c + Vec2{0.75f * r, 0.55f * r}}),
                   0.05f * r);
}

Shape Gem(Vec2 c, float r) {
    return Polygon({c + Vec2{-0.45f * r, -0.6f * r}, c + Vec2{0.45f * r, -0.6f * r},
                    c + Vec2{0.85f * r, -0.15f * r}, c + Vec2{0, 0.8f * r},
                    c + Vec2{-0.85f * r, -0.15f * r}});
}

Shape Chevrons(Vec2 c, float r) {
    return Strokes(
        {{c + Vec2{-0.7f * r, -0.05f * r}, c + Vec2{0, -0.6f * r}, c + Vec2{0.7f * r, -0.05f * r}},
         {c + Vec2{-0.7f * r, 0.55f * r}, c, c + Vec2{0.7f * r, 0.55f * r}}},
        0.28f * r);
}

Shape Padlock(Vec2 c, float r) {
    Shape shackle = Arc(c + Vec2{0, -0.2f * r}, 0.42f * r, 0.2f * r, 270, 180);
    Shape legs = Strokes({{c + Vec2{-0.42f * r, -0.2f * r}, c + Vec2{-0.42f * r, 0.1f * r}},
                          {c + Vec2{0.42f * r, -0.2f * r}, c + Vec2{0.42f * r, 0.1f * r}}},
                         0.2f * r);
    Shape body = RoundedBox(c + Vec2{0, 0.42f * r}, {0.65f * r, 0.48f * r}, 0.12f * r);
    Shape keyhole = Union(Circle(c + Vec2{0, 0.32f * r}, 0.13f * r),
                          RoundedBox(c + Vec2{0, 0.5f * r}, {0.06f * r, 0.18f * r}, 0.03f * r));
    return Subtract(Union(Union(std::move(shackle), std::move(legs)), std::move(body)),
                    std::move(keyhole));
}

}  // namespace assets
