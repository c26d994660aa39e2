// Compositing of shapes into a premultiplied float canvas. Only the pixels inside a
// shape's bounding box (grown by a pixel) and inside the frame are visited.
#include "tools/make_assets/canvas.h"

#include <algorithm>
#include <cmath>

namespace assets {

Colour Rgb(int r, int g, int b, float alpha) {
    return {r / 255.0f, g / 255.0f, b / 255.0f, alpha};
}

Colour WithAlpha(Colour c, float alpha) {
    return {c.r, c.g, c.b, alpha};
}

Colour MixColour(Colour a, Colour b, float t) {
    return {Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t), Mix(a.a, b.a, t)};
}

Colour Lighter(Colour c, float towardsWhite) {
    return MixColour(c, {1, 1, 1, c.a}, towardsWhite);
}

Colour Darker(Colour c, float towardsBlack) {
    return MixColour(c, {0, 0, 0, c.a}, towardsBlack);
}

Colour Hsv(float hue, float saturation, float value) {
    float h = std::fmod(std::fmod(hue, 360.0f) + 360.0f, 360.0f) / 60.0f;
    float chroma = value * saturation;
    float x = chroma * (1.0f - std::fabs(std::fmod(h, 2.0f) - 1.0f));
    float m = value - chroma;
    int sector = static_cast<int>(h) % 6;
    const float table[6][3] = {{chroma, x, 0}, {x, chroma, 0}, {0, chroma, x},
                               {0, x, chroma}, {x, 0, chroma}, {chroma, 0, x}};
    return {table[sector][0] + m, table[sector][1] + m, table[sector][2] + m, 1.0f};
}

Paint Solid(Colour c) {
    return [c](Vec2) { return c; };
}

Paint LinearGradient(Vec2 from, Colour atFrom, Vec2 to, Colour atTo) {
    Vec2 axis = to - from;
    float lengthSquared = Dot(axis, axis);
    return [=](Vec2 p) {
        return MixColour(atFrom, atTo, Clamp(Dot(p - from, axis) / lengthSquared, 0.0f, 1.0f));
    };
}

Paint RadialGradient(Vec2 centre, float radius, Colour inner, Colour outer) {
    return [=](Vec2 p) {
        return MixColour(inner, outer, Clamp(Length(p - centre) / radius, 0.0f, 1.0f));
    };
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<size_t>(width) * height, Colour{0, 0, 0, 0}) {}

namespace {

// Calls visit(x, y, point) for each pixel of the frame that the box can reach.
template <typename Visit>
void ForPixelsIn(const FrameView& view, Box box, Visit visit) {
    float s = view.pixelsPerUnit;
    int x0 = std::max(0, static_cast<int>(std::floor(box.min.x * s)) - 1);
    int y0 = std::max(0, static_cast<int>(std::floor(box.min.y * s)) - 1);
    int x1 = std::min(view.width, static_cast<int>(std::ceil(box.max.x * s)) + 1);
    int y1 = std::min(view.height, static_cast<int>(std::ceil(box.max.y * s)) + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x)
            visit(view.left + x, view.top + y, Vec2{(x + 0.5f) / s, (y + 0.5f) / s});
    }
}

void Over(Colour& under, Colour top, float coverage) {
    float a = top.a * coverage;
    under.r = top.r * a + under.r * (1.0f - a);
    under.g = top.g * a + under.g * (1.0f - a);
    under.b = top.b * a + under.b * (1.0f - a);
    under.a = a + under.a * (1.0f - a);
}

}  // namespace

void Fill(const FrameView& view, const Shape& shape, const Paint& paint) {
    float s = view.pixelsPerUnit;
    ForPixelsIn(view, shape.bounds, [&](int x, int y, Vec2 p) {
        float coverage = Clamp(0.5f - shape.distance(p) * s, 0.0f, 1.0f);
        if (coverage > 0) Over(view.canvas->At(x, y), paint(p), coverage);
    });
}

void Fill(const FrameView& view, const Shape& shape, Colour colour) {
    Fill(view, shape, Solid(colour));
}

void Glow(const FrameView& view, const Shape& shape, Colour colour, float reach) {
    ForPixelsIn(view, Grow(shape.bounds, reach), [&](int x, int y, Vec2 p) {
        float t = Clamp(1.0f - shape.distance(p) / reach, 0.0f, 1.0f);
        if (t > 0) Over(view.canvas->At(x, y), colour, t * t);
    });
}

void Erase(const FrameView& view, const Shape& shape) {
    float s = view.pixelsPerUnit;
    ForPixelsIn(view, shape.bounds, [&](int x, int y, Vec2 p) {
        float keep = 1.0f - Clamp(0.5f - shape.distance(p) * s, 0.0f, 1.0f);
        Colour& c = view.canvas->At(x, y);
        c = {c.r * keep, c.g * keep, c.b * keep, c.a * keep};
    });
}

}  // namespace assets
