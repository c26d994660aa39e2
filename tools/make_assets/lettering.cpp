// Placing glyph strokes in game units.
#include "tools/make_assets/lettering.h"

#include <utility>

namespace assets {

Shape GlyphShape(int code, Vec2 origin, Vec2 scale, float strokeWidth) {
    Glyph glyph = GlyphFor(code);
    for (auto& line : glyph.strokes) {
        for (Vec2& p : line) p = {origin.x + p.x * scale.x, origin.y + p.y * scale.y};
    }
    return Strokes(glyph.strokes, strokeWidth);
}

Shape SmallLetter(char letter, Vec2 centre) {
    float width = GlyphFor(letter).width;
    return GlyphShape(letter, {centre.x - width * 0.5f, centre.y - 3.5f}, {1, 1}, 1.0f);
}

Shape Word(const std::string& text, float centreX, float topY, Vec2 scale, float strokeWidth,
           float gap) {
    float total = 0;
    for (char c : text) total += GlyphFor(c).width + gap;
    total -= gap;
    float x = centreX - total * scale.x * 0.5f;
    Shape word = GlyphShape(text[0], {x, topY}, scale, strokeWidth);
    for (size_t i = 0; i < text.size(); ++i) {
        if (i > 0)
            word = Union(std::move(word), GlyphShape(text[i], {x, topY}, scale, strokeWidth));
        x += (GlyphFor(text[i]).width + gap) * scale.x;
    }
    return word;
}

}  // namespace assets
