// The shared random generator (a 32-bit linear congruential state) and the
// small math module.
#pragma once

#include <cstdint>

extern uint32_t nx_random_Seed;

float nx_random_Rnd();
float nx_random_Rnd2(float low, float high);
float nx_random_Rnd3(float range);

int nx_math_Abs(int value);
float nx_math_Abs2(float value);
int nx_math_Max(int a, int b);
float nx_math_Max2(float a, float b);
