// Our letter shapes: every printable ASCII character as strokes on a small grid, used
// by the bitmap fonts, the key-cap and pad icons, and the big lettering of the logos.
// Grid: x from 0 to the glyph's width, y 0 at the top of capitals, 2 the top of small
// letters, 7 the baseline and 9 the bottom of descenders. Strokes are drawn one unit wide.
#pragma once

#include <vector>

#include "tools/make_assets/geometry.h"

namespace assets {

struct Glyph {
    float width;  // distance between the leftmost and rightmost stroke centres
    std::vector<std::vector<Vec2>> strokes;
};

// The glyph of a printable character (32..127); an empty glyph for anything else.
Glyph GlyphFor(int code);

// The extra advance the game's text layout gives a character after it is drawn, in
// glyph units. Glyphs are shifted by half of it so the gaps on both sides stay even.
int ExtraAdvance(int code);

}  // namespace assets
