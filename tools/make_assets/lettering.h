// Glyph strokes placed as shapes: the one way every image turns our letters into
// something to fill or cut out.
#pragma once

#include <string>

#include "tools/make_assets/glyphs.h"
#include "tools/make_assets/shapes.h"

namespace assets {

// The character's strokes with glyph point (0, 0) at `origin`, grid units scaled by
// `scale` across and down, drawn `strokeWidth` wide.
Shape GlyphShape(int code, Vec2 origin, Vec2 scale, float strokeWidth);

// A capital letter centred on `centre`, one grid unit per game unit, strokes one unit
// wide: the size the button icons use.
Shape SmallLetter(char letter, Vec2 centre);

// A word of glyphs on one baseline; letters are spaced by their widths plus `gap` grid
// units. Returns the union of the letters, centred across `centreX`.
Shape Word(const std::string& text, float centreX, float topY, Vec2 scale, float strokeWidth,
           float gap);

}  // namespace assets
