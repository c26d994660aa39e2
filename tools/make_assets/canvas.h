// An RGBA picture in floating point, premultiplied alpha, and the drawing operations
// the image families use. Drawing happens through a FrameView: one frame of a sheet,
// addressed in game units, so every family draws the same shapes at every resolution.
#pragma once

#include <functional>
#include <vector>

#include "tools/make_assets/geometry.h"
#include "tools/make_assets/shapes.h"

namespace assets {

// A straight-alpha colour, components 0..1.
struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

Colour Rgb(int r, int g, int b, float alpha = 1.0f);
Colour WithAlpha(Colour c, float alpha);
Colour MixColour(Colour a, Colour b, float t);
Colour Lighter(Colour c, float towardsWhite);
Colour Darker(Colour c, float towardsBlack);
// Hue in degrees, saturation and value 0..1.
Colour Hsv(float hue, float saturation, float value);

using Paint = std::function<Colour(Vec2)>;
Paint Solid(Colour c);
Paint LinearGradient(Vec2 from, Colour atFrom, Vec2 to, Colour atTo);
Paint RadialGradient(Vec2 centre, float radius, Colour inner, Colour outer);

class Canvas {
  public:
    Canvas(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Premultiplied pixel, row-major.
    Colour& At(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Colour& At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  private:
    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

// One frame of a sheet: a pixel rectangle of the canvas seen in game units, with the
// frame's top-left corner at unit (0, 0). Drawing never leaves the frame, so a shape
// that overhangs cannot bleed into a neighbour that the loader cuts separately.
struct FrameView {
    Canvas* canvas;
    int left;
    int top;
    int width;
    int height;
    float pixelsPerUnit;
    Vec2 SizeInUnits() const { return {width / pixelsPerUnit, height / pixelsPerUnit}; }
    Vec2 Centre() const { return SizeInUnits() * 0.5f; }
};

// Composites the paint over the frame wherever the shape covers a pixel. Coverage is
// taken from the signed distance at the pixel centre over one pixel's width, which is
// the anti-aliasing of a box filter for straight and gently curved edges.
void Fill(const FrameView& view, const Shape& shape, const Paint& paint);
void Fill(const FrameView& view, const Shape& shape, Colour colour);
// A soft halo: full strength inside the shape, fading to nothing `reach` units outside.
void Glow(const FrameView& view, const Shape& shape, Colour colour, float reach);
// Removes what lies under the shape, so the background shows through (cut-out letters).
void Erase(const FrameView& view, const Shape& shape);

}  // namespace assets
