// The program's icon: the ball resting on a two-block tower against the
// evening sky of the menu. It is drawn once per size on a 16-unit grid, with
// every straight edge snapped to whole pixels of that size, so the small
// icons stay sharp instead of blurring at half-pixel edges.
#include "tools/make_assets/app_icon.h"

#include <cmath>

#include "tools/make_assets/palette.h"

namespace assets {

namespace {

constexpr float kGrid = 16.0f;

// A position on the grid moved to the nearest pixel edge of this size.
float Snap(const FrameView& view, float units) {
    return std::round(units * view.pixelsPerUnit) / view.pixelsPerUnit;
}

// A block between two grid corners, edges on whole pixels: a dark rim, a face
// lit from the top and a light upper edge.
void DrawBlock(const FrameView& view, Vec2 from, Vec2 to, Colour hue) {
    const Vec2 a{Snap(view, from.x), Snap(view, from.y)}, b{Snap(view, to.x), Snap(view, to.y)};
    const float pixel = 1.0f / view.pixelsPerUnit, rim = std::fmax(pixel, Snap(view, 0.6f));
    const Vec2 centre = (a + b) * 0.5f, half = (b - a) * 0.5f;
    Fill(view, RoundedBox(centre, half, 0), Darker(hue, 0.5f));
    Fill(view, RoundedBox(centre, half - Vec2{rim, rim}, 0),
         LinearGradient({0, a.y}, Lighter(hue, 0.25f), {0, b.y}, Darker(hue, 0.1f)));
    Fill(view, RoundedBox({centre.x, a.y + rim + pixel * 0.5f}, {half.x - rim, pixel * 0.5f}, 0),
         Lighter(hue, 0.6f));
}

void DrawBall(const FrameView& view, Vec2 centre, float radius) {
    Fill(view, Circle(centre, radius), Rgb(110, 25, 10));
    Fill(view, Circle(centre, radius * 0.87f),
         RadialGradient(centre - Vec2{radius * 0.3f, radius * 0.35f}, radius * 1.3f,
                        Rgb(255, 235, 170), Rgb(235, 70, 30)));
    Fill(view, Ellipse(centre - Vec2{radius * 0.3f, radius * 0.38f}, radius * 0.3f, radius * 0.2f),
         Rgb(255, 255, 255, 0.85f));
}

}  // namespace

void DrawAppIcon(Canvas& canvas) {
    const FrameView grid{&canvas, 0, 0, canvas.Width(), canvas.Height(), canvas.Width() / kGrid};
    Fill(grid, RoundedBox({8, 8}, {8, 8}, 3),
         LinearGradient({0, 0}, Rgb(40, 52, 120), {0, kGrid}, Rgb(120, 60, 140)));
    if (grid.pixelsPerUnit >= 3) Glow(grid, Circle({12.2f, 3.8f}, 0.5f), Rgb(255, 245, 200, 0.9f), 1.2f);
    DrawBlock(grid, {4, 12}, {12, 15}, BrightHue(5));
    DrawBlock(grid, {5, 9}, {11, 12}, BrightHue(3));
    DrawBall(grid, {8, 6.2f}, 2.8f);
}

}  // namespace assets
