// Signed distance functions and their combinations. Formulas are the standard exact
// ones (circle, rounded box, segment, polygon); combinations use min/max, which keeps
// distances exact outside a shape and close enough inside for anti-aliased edges.
#include "tools/make_assets/shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace assets {

namespace {

Box BoxAround(Vec2 centre, float rx, float ry) {
    return {{centre.x - rx, centre.y - ry}, {centre.x + rx, centre.y + ry}};
}

Box BoxOfPoints(const std::vector<Vec2>& points) {
    Box box{points.front(), points.front()};
    for (Vec2 p : points) box = Merge(box, Box{p, p});
    return box;
}

float SegmentDistance(Vec2 p, Vec2 a, Vec2 b) {
    Vec2 pa = p - a;
    Vec2 ba = b - a;
    float lengthSquared = Dot(ba, ba);
    float t = lengthSquared > 0 ? Clamp(Dot(pa, ba) / lengthSquared, 0.0f, 1.0f) : 0.0f;
    return Length(pa - ba * t);
}

}  // namespace

Shape Circle(Vec2 centre, float radius) {
    return {[=](Vec2 p) { return Length(p - centre) - radius; }, BoxAround(centre, radius, radius)};
}

Shape Ellipse(Vec2 centre, float radiusX, float radiusY) {
    // Scaling the circle distance by the smaller radius keeps the edge within a
    // fraction of a pixel for the mild ellipses drawn here.
    float smaller = std::fmin(radiusX, radiusY);
    return {[=](Vec2 p) {
                Vec2 q{(p.x - centre.x) / radiusX, (p.y - centre.y) / radiusY};
                return (Length(q) - 1.0f) * smaller;
            },
            BoxAround(centre, radiusX, radiusY)};
}

Shape Ring(Vec2 centre, float radius, float width) {
    float half = width * 0.5f;
    return {[=](Vec2 p) { return std::fabs(Length(p - centre) - radius) - half; },
            BoxAround(centre, radius + half, radius + half)};
}

Shape RoundedBox(Vec2 centre, Vec2 halfSize, float cornerRadius) {
    return {[=](Vec2 p) {
                float qx = std::fabs(p.x - centre.x) - halfSize.x + cornerRadius;
                float qy = std::fabs(p.y - centre.y) - halfSize.y + cornerRadius;
                float outside = Length({std::fmax(qx, 0.0f), std::fmax(qy, 0.0f)});
                return outside + std::fmin(std::fmax(qx, qy), 0.0f) - cornerRadius;
            },
            BoxAround(centre, halfSize.x, halfSize.y)};
}

Shape Capsule(Vec2 from, Vec2 to, float width) {
    float half = width * 0.5f;
    return {[=](Vec2 p) { return SegmentDistance(p, from, to) - half; },
            Grow(BoxOfPoints({from, to}), half)};
}

Shape Strokes(const std::vector<std::vector<Vec2>>& lines, float width) {
    float half = width * 0.5f;
    std::vector<std::pair<Vec2, Vec2>> segments;
    Box box{{1e9f, 1e9f}, {-1e9f, -1e9f}};
    for (const auto& line : lines) {
        if (line.empty()) continue;
        box = Merge(box, BoxOfPoints(line));
        segments.push_back({line[0], line[0]});
        for (size_t i = 1; i < line.size(); ++i) segments.push_back({line[i - 1], line[i]});
    }
    return {[=](Vec2 p) {
                float best = 1e9f;
                for (const auto& s : segments)
                    best = std::fmin(best, SegmentDistance(p, s.first, s.second));
                return best - half;
            },
            Grow(box, half)};
}

Shape Polygon(std::vector<Vec2> points) {
    Box box = BoxOfPoints(points);
    return {[points](Vec2 p) {
                size_t n = points.size();
                float best = Dot(p - points[0], p - points[0]);
                bool inside = false;
                for (size_t i = 0, j = n - 1; i < n; j = i, ++i) {
                    Vec2 e = points[j] - points[i];
                    Vec2 w = p - points[i];
                    Vec2 b = w - e * Clamp(Dot(w, e) / Dot(e, e), 0.0f, 1.0f);
                    best = std::fmin(best, Dot(b, b));
                    bool crosses = (points[i].y > p.y) != (points[j].y > p.y);
                    if (crosses && p.x < e.x * (p.y - points[i].y) / e.y + points[i].x)
                        inside = !inside;
                }
                return (inside ? -1.0f : 1.0f) * std::sqrt(best);
            },
            box};
}

Shape Star(Vec2 centre, int points, float outerRadius, float innerRadius, float degrees) {
    std::vector<Vec2> outline;
    for (int i = 0; i < points * 2; ++i) {
        float radius = (i % 2 == 0) ? outerRadius : innerRadius;
        outline.push_back(OnCircle(centre, radius, degrees + 180.0f * i / points));
    }
    return Polygon(outline);
}

Shape RegularPolygon(Vec2 centre, int sides, float radius, float degrees) {
    std::vector<Vec2> outline;
    for (int i = 0; i < sides; ++i)
        outline.push_back(OnCircle(centre, radius, degrees + 360.0f * i / sides));
    return Polygon(outline);
}

Shape Gear(Vec2 centre, int teeth, float radius, float toothDepth, float degrees) {
    // Each tooth is a trapezoid: wider at the root than at the tip, so teeth read as
    // teeth rather than as a star when the gear is small.
    std::vector<Vec2> outline;
    float step = 360.0f / teeth;
    for (int i = 0; i < teeth; ++i) {
        float a = degrees + i * step;
        outline.push_back(OnCircle(centre, radius, a - step * 0.30f));
        outline.push_back(OnCircle(centre, radius + toothDepth, a - step * 0.17f));
        outline.push_back(OnCircle(centre, radius + toothDepth, a + step * 0.17f));
        outline.push_back(OnCircle(centre, radius, a + step * 0.30f));
    }
    return Polygon(outline);
}

Shape Arc(Vec2 centre, float radius, float width, float startDegrees, float sweepDegrees) {
    std::vector<Vec2> line;
    int steps = std::max(4, static_cast<int>(std::fabs(sweepDegrees) / 6.0f));
    for (int i = 0; i <= steps; ++i)
        line.push_back(OnCircle(centre, radius, startDegrees + sweepDegrees * i / steps));
    return Strokes({line}, width);
}

Shape Union(Shape a, Shape b) {
    Box box = Merge(a.bounds, b.bounds);
    return {[a = std::move(a.distance), b = std::move(b.distance)](Vec2 p) {
                return std::fmin(a(p), b(p));
            },
            box};
}

Shape Subtract(Shape from, Shape cut) {
    Box box = from.bounds;
    return {[a = std::move(from.distance), b = std::move(cut.distance)](Vec2 p) {
                return std::fmax(a(p), -b(p));
            },
            box};
}

Shape Intersect(Shape a, Shape b) {
    Box box{{std::fmax(a.bounds.min.x, b.bounds.min.x), std::fmax(a.bounds.min.y, b.bounds.min.y)},
            {std::fmin(a.bounds.max.x, b.bounds.max.x), std::fmin(a.bounds.max.y, b.bounds.max.y)}};
    return {[a = std::move(a.distance), b = std::move(b.distance)](Vec2 p) {
                return std::fmax(a(p), b(p));
            },
            box};
}

Shape Inflate(Shape s, float by) {
    return {[d = std::move(s.distance), by](Vec2 p) { return d(p) - by; },
            Grow(s.bounds, std::fmax(by, 0.0f))};
}

Shape Outline(Shape s, float width) {
    float half = width * 0.5f;
    return {[d = std::move(s.distance), half](Vec2 p) { return std::fabs(d(p)) - half; },
            Grow(s.bounds, half)};
}

Shape Translate(Shape s, Vec2 by) {
    Box box{s.bounds.min + by, s.bounds.max + by};
    return {[d = std::move(s.distance), by](Vec2 p) { return d(p - by); }, box};
}

Shape RotateAbout(Shape s, Vec2 centre, float degrees) {
    Vec2 half = (s.bounds.max - s.bounds.min) * 0.5f;
    Vec2 middle = Rotate(s.bounds.min + half - centre, degrees) + centre;
    float reach = Length(half);
    return {[d = std::move(s.distance), centre, degrees](Vec2 p) {
                return d(Rotate(p - centre, -degrees) + centre);
            },
            {{middle.x - reach, middle.y - reach}, {middle.x + reach, middle.y + reach}}};
}

Shape ScaleAbout(Shape s, Vec2 centre, float scaleX, float scaleY) {
    float smaller = std::fmin(scaleX, scaleY);
    Vec2 a{centre.x + (s.bounds.min.x - centre.x) * scaleX,
           centre.y + (s.bounds.min.y - centre.y) * scaleY};
    Vec2 b{centre.x + (s.bounds.max.x - centre.x) * scaleX,
           centre.y + (s.bounds.max.y - centre.y) * scaleY};
    return {
        [d = std::move(s.distance), centre, scaleX, scaleY, smaller](Vec2 p) {
            Vec2 q{centre.x + (p.x - centre.x) / scaleX, centre.y + (p.y - centre.y) / scaleY};
            return d(q) * smaller;
        },
        {{std::fmin(a.x, b.x), std::fmin(a.y, b.y)}, {std::fmax(a.x, b.x), std::fmax(a.y, b.y)}}};
}

}  // namespace assets
