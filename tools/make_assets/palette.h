// The shared colours of our art: eight bright hues used by blocks, markers and badges,
// in rainbow order so that a hue four steps away is its opposite.
#pragma once

#include "tools/make_assets/canvas.h"

namespace assets {

constexpr int kHueCount = 8;

inline Colour BrightHue(int index) {
    constexpr int kHues[kHueCount][3] = {{235, 60, 60},  {245, 140, 40}, {240, 210, 50},
                                         {70, 200, 80},  {50, 200, 220}, {60, 110, 235},
                                         {150, 80, 230}, {235, 80, 170}};
    const int* h = kHues[((index % kHueCount) + kHueCount) % kHueCount];
    return Rgb(h[0], h[1], h[2]);
}

}  // namespace assets
