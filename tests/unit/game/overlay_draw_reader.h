// Reads back what the overlays recorded in the game's draw list: records by
// kind and colour, and the text of the glyphs drawn in a band of the screen.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "game/my_app.h"

struct DrawRecord {
    float kind;  // image id, or -3717 rectangle, -3716 oval
    float x, y, w, h, frame, alpha, r, g, b;
};

constexpr float kRectKind = -3717.0f, kOvalKind = -3716.0f;

inline std::vector<DrawRecord> drawRecords(const c_MyApp& app) {
    std::vector<DrawRecord> out;
    for (int i = 0; i + 15 <= app.m_drawCount; i += 15) {
        const Array<float>& list = app.m_drawList;
        out.push_back({list[i], list[i + 1], list[i + 2], list[i + 4], list[i + 5], list[i + 6],
                       list[i + 7], list[i + 10], list[i + 11], list[i + 12]});
    }
    return out;
}

inline bool hasColour(const DrawRecord& record, float r, float g, float b) {
    return record.r == r && record.g == g && record.b == b;
}

// The characters of the font glyphs whose centres lie in [top, bottom),
// left to right; spaces are not drawn, so they do not appear.
inline std::string textInBand(const c_MyApp& app, float top, float bottom) {
    std::vector<std::pair<float, char>> glyphs;
    for (const DrawRecord& record : drawRecords(app))
        if (record.kind == static_cast<float>(app.m_font) && record.y >= top && record.y < bottom)
            glyphs.emplace_back(record.x, static_cast<char>(record.frame + 32));
    std::sort(glyphs.begin(), glyphs.end());
    std::string text;
    for (const auto& glyph : glyphs) text += glyph.second;
    return text;
}
