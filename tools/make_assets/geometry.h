// Plain 2-D vector maths for the asset generator. All drawing coordinates are in
// game units; the canvas turns them into pixels, so shapes never know the resolution.
#pragma once

#include <cmath>

namespace assets {

constexpr float kPi = 3.14159265358979f;

struct Vec2 {
    float x = 0;
    float y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, float s) {
    return {a.x * s, a.y * s};
}
inline float Dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}
inline float Length(Vec2 a) {
    return std::sqrt(Dot(a, a));
}
inline float Radians(float degrees) {
    return degrees * kPi / 180.0f;
}

// Turns v about the origin; with y pointing down a positive angle turns clockwise on screen.
inline Vec2 Rotate(Vec2 v, float degrees) {
    float c = std::cos(Radians(degrees));
    float s = std::sin(Radians(degrees));
    return {v.x * c - v.y * s, v.x * s + v.y * c};
}

// The point at `degrees` on a circle, 0 straight up, clockwise, as the game measures angles.
inline Vec2 OnCircle(Vec2 centre, float radius, float degrees) {
    return {centre.x + std::sin(Radians(degrees)) * radius,
            centre.y - std::cos(Radians(degrees)) * radius};
}

inline float Clamp(float v, float lo, float hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}
inline float Mix(float a, float b, float t) {
    return a + (b - a) * t;
}

struct Box {
    Vec2 min;
    Vec2 max;
};

inline Box Grow(Box b, float by) {
    return {{b.min.x - by, b.min.y - by}, {b.max.x + by, b.max.y + by}};
}
inline Box Merge(Box a, Box b) {
    return {{std::fmin(a.min.x, b.min.x), std::fmin(a.min.y, b.min.y)},
            {std::fmax(a.max.x, b.max.x), std::fmax(a.max.y, b.max.y)}};
}

}  // namespace assets
