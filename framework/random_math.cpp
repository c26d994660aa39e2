// The shared random generator and the math module.
#include "framework/random_math.h"

uint32_t nx_random_Seed = 1234;

namespace {
constexpr uint32_t kMultiplier = 1664525;
constexpr uint32_t kIncrement = 1013904223;
constexpr float kToUnit = 1.0f / 16777216.0f;  // 2^-24: the top 24 bits as a fraction
}  // namespace

float nx_random_Rnd() {
    nx_random_Seed = nx_random_Seed * kMultiplier + kIncrement;
    return static_cast<float>(nx_random_Seed >> 8) * kToUnit;
}

float nx_random_Rnd2(float low, float high) { return low + (high - low) * nx_random_Rnd(); }

float nx_random_Rnd3(float range) { return nx_random_Rnd() * range; }

// Integers wrap, so the absolute value of the most negative number is itself.
int nx_math_Abs(int value) { return value < 0 ? static_cast<int>(0u - static_cast<uint32_t>(value)) : value; }

float nx_math_Abs2(float value) { return value < 0 ? -value : value; }

int nx_math_Max(int a, int b) { return a < b ? b : a; }

float nx_math_Max2(float a, float b) { return a > b ? a : b; }
