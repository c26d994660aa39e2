// The draw list's capacity and clear colour, the fit of the virtual screen to
// the window, text layout glyph by glyph, and right-aligned numbers.
#include <vector>

#include "tests/unit/game/game_fixture.h"

namespace {

constexpr float kGlyphW = 7, kGlyphH = 10;  // the font's cell in game units

struct Glyph {
    float frame, x, y, rotation;
};

class DrawListTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        finishLoading();
        app->p_CLS2D();
    }
    std::vector<Glyph> glyphs() {
        std::vector<Glyph> out;
        for (int at = 0; at < app->m_drawCount; at += 15) {
            EXPECT_EQ(app->m_drawList[at], kImageFont);
            out.push_back({app->m_drawList[at + 6], app->m_drawList[at + 1], app->m_drawList[at + 2],
                           app->m_drawList[at + 3]});
        }
        return out;
    }
    bool drewColour(uint8_t r, uint8_t g, uint8_t b) {
        for (const fake_gl::DrawCall& call : fake_gl::state().draws)
            for (const fake_gl::Vertex& v : call.vertices)
                if (v.r == r && v.g == g && v.b == b) return true;
        return false;
    }
};

TEST_F(DrawListTest, Record2499IsDrawnAndLaterOnesAreDropped) {
    app->p_SetCol(255, 0, 0);
    for (int record = 1; record <= 2498; ++record) app->p_Rect(0, 0, 1, 1);
    app->p_SetCol(0, 255, 0);
    app->p_Rect(10, 10, 5, 5);
    app->p_SetCol(0, 0, 255);
    app->p_Rect(20, 20, 5, 5);
    EXPECT_EQ(app->m_drawCount, 2499 * 15);
    fake_gl::Reset();
    host.RenderGame();
    EXPECT_TRUE(drewColour(0, 255, 0)) << "record 2499";
    EXPECT_FALSE(drewColour(0, 0, 255)) << "record 2500";
}

TEST_F(DrawListTest, ClearWithoutColourKeepsItButEmptiesListAndResetsPen) {
    app->p_CLS2D(10, 20, 30, 0.5f);
    app->p_SetSize(2);
    app->p_SetCol(1, 2, 3, 0.25f);
    app->p_SetRot(30);
    app->p_DrawImg(1, 5, 5, 0);
    EXPECT_EQ(app->m_drawList[3], -30.0f) << "rotation is stored negated";
    EXPECT_EQ(app->m_drawList[5], 2.0f) << "one size sets both scales";
    app->p_CLS2D();
    EXPECT_EQ(app->m_drawCount, 0);
    EXPECT_EQ(app->m_clsR, 10);
    EXPECT_EQ(app->m_clsG, 20);
    EXPECT_EQ(app->m_clsB, 30);
    EXPECT_EQ(app->m_clsA, 0.5f);
    EXPECT_EQ(app->m_sizeX, 1);
    EXPECT_EQ(app->m_rot, 0);
    EXPECT_EQ(app->m_colB, 255);
    EXPECT_EQ(app->m_alpha, 1);
}

TEST_F(DrawListTest, WideWindowFitsTheWidthOf640) {
    resize(1280, 720);
    frame();
    EXPECT_EQ(app->m_fitMode, 1);
    EXPECT_FLOAT_EQ(app->m_scaleX, 2.0f);
    EXPECT_FLOAT_EQ(app->m_scaleY, 2.0f);
    EXPECT_FLOAT_EQ(nx_ZuDizaz_jscrw, 640);
    EXPECT_FLOAT_EQ(nx_ZuDizaz_jscrh, 360);
    EXPECT_EQ(app->m_landscape, 1);
}

TEST_F(DrawListTest, TallWindowAfterAPortraitFrameFitsTheHeightOf768) {
    resize(600, 1000);
    frame();
    ASSERT_GT(nx_ZuDizaz_jscrh, nx_ZuDizaz_jscrw) << "a portrait virtual screen";
    EXPECT_EQ(app->m_landscape, 0);
    resize(800, 1200);
    frame();
    EXPECT_EQ(nx_ZuDizaz_rawscrw, 1024);
    EXPECT_EQ(app->m_fitMode, 2);
    EXPECT_FLOAT_EQ(app->m_scaleX, 1200.0f / 768);
    EXPECT_FLOAT_EQ(nx_ZuDizaz_jscrw, 512);
    EXPECT_FLOAT_EQ(nx_ZuDizaz_jscrh, 768);
}

TEST_F(DrawListTest, TwoLettersStartOneAdvanceAfterTheLeadingSpace) {
    app->p_Text(100, 50, String("AB"), 0, 1);
    const std::vector<Glyph> g = glyphs();
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0].frame, 'A' - 32);
    EXPECT_FLOAT_EQ(g[0].x, 100 + kGlyphW);
    EXPECT_FLOAT_EQ(g[0].y, 50);
    EXPECT_EQ(g[1].frame, 'B' - 32);
    EXPECT_FLOAT_EQ(g[1].x, 100 + 2 * kGlyphW);
}

TEST_F(DrawListTest, CentredTextSpansItsMeasuredWidthAroundX) {
    app->p_SetSize(2, 3);
    app->p_Text(100, 50, String("AB"), 1, 0);
    const std::vector<Glyph> g = glyphs();
    ASSERT_EQ(g.size(), 2u);
    // Width 28 covers the space and "A", so the run from the space's centre
    // to the "B"'s is centred on x; ay 0 puts the line's top on y.
    EXPECT_FLOAT_EQ(g[0].x, 100);
    EXPECT_FLOAT_EQ(g[1].x, 100 + 2 * kGlyphW);
    EXPECT_FLOAT_EQ(g[0].y, 50 + kGlyphH * 3 / 2);
}

TEST_F(DrawListTest, NarrowAndWideLettersAdjustAdvanceAndWidth) {
    // ax 2 centres the last character on x: "m" is 2 wider, "i" 3 narrower.
    app->p_Text(100, 50, String("mi"), 2, 1);
    const std::vector<Glyph> g = glyphs();
    ASSERT_EQ(g.size(), 2u);
    EXPECT_FLOAT_EQ(g[0].x, 100 - (kGlyphW + 2));
    EXPECT_FLOAT_EQ(g[1].x, 100);
}

TEST_F(DrawListTest, BackslashNBreaksTheLineBackToTheStart) {
    app->p_Text(100, 50, String("A\\nB"), 0, 1);
    const std::vector<Glyph> g = glyphs();
    ASSERT_EQ(g.size(), 2u) << "the break pair draws nothing";
    EXPECT_FLOAT_EQ(g[0].x, 100 + kGlyphW);
    EXPECT_FLOAT_EQ(g[1].frame, 'B' - 32);
    EXPECT_NEAR(g[1].x, 100, 1e-4);
    EXPECT_NEAR(g[1].y, 50 + kGlyphH, 1e-4);
}

TEST_F(DrawListTest, TextTurnedNinetyDegreesRunsDownwards) {
    app->p_SetRot(90);
    app->p_Text(100, 50, String("AB"), 0, 1);
    const std::vector<Glyph> g = glyphs();
    ASSERT_EQ(g.size(), 2u);
    EXPECT_NEAR(g[0].x, 100, 1e-4);
    EXPECT_NEAR(g[0].y, 50 + kGlyphW, 1e-4);
    EXPECT_NEAR(g[1].x, 100, 1e-4);
    EXPECT_NEAR(g[1].y, 50 + 2 * kGlyphW, 1e-4);
    EXPECT_EQ(g[0].rotation, -90);
}

TEST_F(DrawListTest, ButtonIconFollowsTheControlSchemeAndIsWider) {
    for (int scheme : {0, 1, 2}) {
        app->p_CLS2D();
        app->m_ctrlScheme = scheme;
        app->p_Text(100, 50, String("\xAC" "KA"), 0, 1);
        const std::vector<Glyph> g = glyphs();
        ASSERT_EQ(g.size(), 2u) << "the marker and its letter draw one icon";
        EXPECT_EQ(g[0].frame, scheme == 0 ? 113 : 97) << "scheme " << scheme;
        EXPECT_FLOAT_EQ(g[1].x, g[0].x + kGlyphW + 4);
    }
}

TEST_F(DrawListTest, NumbersAreRightAlignedAndCutToTheirField) {
    EXPECT_EQ(app->p_rstr(42, 5, String("0")), String("00042"));
    EXPECT_EQ(app->p_rstr(4567, 3, String("0")), String("567"));
    EXPECT_EQ(app->p_rstr(4567, 3, String(" ")), String("567"));
    EXPECT_EQ(app->p_rstr(7, 0, String("x")), String("x7"));
}

TEST_F(DrawListTest, InkScalesNamedColoursAndClamps) {
    app->p_Ink(2, 0.5f);
    EXPECT_FLOAT_EQ(app->m_colR, 127.5f);
    EXPECT_FLOAT_EQ(app->m_colG, 63.75f);
    app->p_Ink(42, 10);
    EXPECT_FLOAT_EQ(app->m_colB, 255) << "any other number is grey, clamped";
}

}  // namespace
