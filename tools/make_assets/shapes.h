// Shapes as signed distance functions in game units (negative inside), each with a
// bounding box so the canvas only visits the pixels a shape can touch. Exact distances
// are what make the canvas's anti-aliasing come out right at every resolution.
#pragma once

#include <functional>
#include <vector>

#include "tools/make_assets/geometry.h"

namespace assets {

struct Shape {
    std::function<float(Vec2)> distance;
    Box bounds;
};

Shape Circle(Vec2 centre, float radius);
Shape Ellipse(Vec2 centre, float radiusX, float radiusY);
// A band of the given width centred on a circle of the given radius.
Shape Ring(Vec2 centre, float radius, float width);
Shape RoundedBox(Vec2 centre, Vec2 halfSize, float cornerRadius);
// A straight stroke with round ends.
Shape Capsule(Vec2 from, Vec2 to, float width);
// Round-jointed strokes along each point list; a list of one point is a dot.
Shape Strokes(const std::vector<std::vector<Vec2>>& lines, float width);
// A closed polygon (any simple outline, either winding).
Shape Polygon(std::vector<Vec2> points);
// A regular star or polygon: `points` tips alternating between the two radii.
Shape Star(Vec2 centre, int points, float outerRadius, float innerRadius, float degrees);
Shape RegularPolygon(Vec2 centre, int sides, float radius, float degrees);
// A toothed wheel: `teeth` teeth of the given depth around a body of radius `radius`.
Shape Gear(Vec2 centre, int teeth, float radius, float toothDepth, float degrees);
// An arc stroke from `startDegrees` clockwise through `sweepDegrees` (0 is straight up).
Shape Arc(Vec2 centre, float radius, float width, float startDegrees, float sweepDegrees);

Shape Union(Shape a, Shape b);
Shape Subtract(Shape from, Shape cut);
Shape Intersect(Shape a, Shape b);
// Grows (positive) or shrinks (negative) a shape by a distance.
Shape Inflate(Shape s, float by);
// The band of the given width along a shape's edge.
Shape Outline(Shape s, float width);
Shape Translate(Shape s, Vec2 by);
Shape RotateAbout(Shape s, Vec2 centre, float degrees);
// Scales about a centre; the distance stays correct for uniform scales only, so
// non-uniform use is kept to gentle stretches.
Shape ScaleAbout(Shape s, Vec2 centre, float scaleX, float scaleY);

}  // namespace assets
