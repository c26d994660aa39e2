// The credits box over the title menu: the test-card grid, the scrolling and
// wrapping credit lines, the figure circles, and closing it.
#include <cmath>

#include "tests/unit/game/game_fixture.h"
#include "tests/unit/game/overlay_draw_reader.h"

namespace {

constexpr float kCell = 640.0f / 12;  // at the 640 x 480 virtual screen

class CreditsBox : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        finishLoading();
    }

    void openBox() {
        app->m_creditsOpen = 1;
        frame(31);
        ASSERT_EQ(app->m_creditsSlide, 30);
    }

    // Records one frame of the box alone, as it stands.
    void recordBoxAlone() {
        app->p_CLS2D();
        app->p_CreditBox();
    }

    void useCreditLines(std::initializer_list<const char*> lines) {
        Array<String> text(static_cast<int>(lines.size()));
        int i = 0;
        for (const char* line : lines) text[i++] = String(line);
        gc_assign(nx_ZuDizaz_CreditText, text);
    }

    // The credit line drawn j lines below the centre one (k = 0).
    std::string creditLine(int j) {
        float y = 16.0f * j + 240 + app->m_creditScroll + 1;  // glyph centres, ay 0.8
        return textInBand(*app, y - 4, y + 4);
    }
};

TEST_F(CreditsBox, GridAt640x480HasCellsOf53AndSquaresOn13By10Points) {
    app->m_creditsSlide = 30;
    app->m_creditsOpen = 1;
    recordBoxAlone();
    int squares = 0;
    float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
    for (const DrawRecord& record : drawRecords(*app)) {
        if (record.kind != kRectKind || std::fabs(record.w - (kCell + 1)) > 1e-3f) continue;
        ++squares;
        float centreX = record.x + kCell / 2, centreY = record.y + kCell / 2;
        float column = centreX / kCell, row = centreY / kCell;
        EXPECT_NEAR(column, std::round(column), 1e-3f) << "square off the grid";
        EXPECT_NEAR(row, std::round(row), 1e-3f) << "square off the grid";
        left = std::min(left, centreX), right = std::max(right, centreX);
        top = std::min(top, centreY), bottom = std::max(bottom, centreY);
    }
    EXPECT_EQ(squares, 13 * 10);
    EXPECT_NEAR(left, 0, 1e-3f) << "the outer squares are half off screen";
    EXPECT_NEAR(right, 640, 1e-3f);
    EXPECT_NEAR(top, 0, 1e-3f);
    EXPECT_NEAR(bottom, 480, 1e-3f);
}

TEST_F(CreditsBox, CellsFlyInFromOutsideAndGrowWhileTheBoxOpens) {
    app->m_creditsSlide = 10;
    recordBoxAlone();
    float smallest = 1e9f, leftmost = 1e9f;
    for (const DrawRecord& record : drawRecords(*app))
        if (record.kind == kRectKind && record.w == record.h && hasColour(record, 0, 0, 0)) {
            smallest = std::min(smallest, record.w);
            leftmost = std::min(leftmost, record.x);
            EXPECT_FLOAT_EQ(record.alpha, 10.0f / 30);
        }
    EXPECT_FLOAT_EQ(smallest, kCell * 10 / 20 + 1);
    // The left column is 7 steps from the centre: 20 x 7 x 7 further out.
    EXPECT_NEAR(leftmost, -20.0f * 49 - kCell / 4, 1e-2f);
}

TEST_F(CreditsBox, LinesScrollAFifthFasterWithUpOrDownAndMoveOnEvery16) {
    openBox();
    float scroll = app->m_creditScroll;
    int line = app->m_creditLine;
    frame();
    float step = app->m_creditScroll - scroll;
    if (app->m_creditLine != line) step -= 16;
    EXPECT_NEAR(step, -0.3f, 1e-4f);

    keyDown(kKeyUp);
    scroll = app->m_creditScroll;
    line = app->m_creditLine;
    frame();
    step = app->m_creditScroll - scroll + 16.0f * (app->m_creditLine - line);
    EXPECT_NEAR(step, -1.8f, 1e-4f);
    keyUp(kKeyUp);

    app->m_creditScroll = 0;
    app->m_creditLine = 5;
    frame(54);  // 54 x 0.3 = 16.2
    EXPECT_EQ(app->m_creditLine, 6);
    EXPECT_NEAR(app->m_creditScroll, -0.2f, 1e-3f);
    EXPECT_GT(app->m_creditScroll, -16.0f);
}

TEST_F(CreditsBox, LinesWrapAroundAndNeverShowTheLastEntry) {
    useCreditLines({"AA", "BB", "CC", "END"});
    openBox();
    app->m_creditLine = 0;
    app->m_creditScroll = 0;
    app->m_drawCount = 0;
    frame();
    EXPECT_EQ(creditLine(0), "AA");
    EXPECT_EQ(creditLine(1), "BB");
    EXPECT_EQ(creditLine(2), "CC");
    EXPECT_EQ(creditLine(3), "AA") << "after the last shown line the list starts again";
    EXPECT_EQ(creditLine(-1), "CC") << "lines above the first one wrap as well";
    EXPECT_EQ(creditLine(-3), "AA");
}

TEST_F(CreditsBox, AShortListIsShownWithoutFailing) {
    useCreditLines({"ONLY"});
    openBox();
    EXPECT_EQ(creditLine(0), "ONLY");
    EXPECT_EQ(creditLine(2), "ONLY");

    useCreditLines({});
    frame(20);
    EXPECT_EQ(creditLine(0), "");
    EXPECT_EQ(app->m_creditsOpen, 1);
}

TEST_F(CreditsBox, CirclesShowDeviceAndVirtualSizes) {
    resize(1280, 960);
    finishLoading();
    frame();
    app->m_creditsSlide = 30;
    recordBoxAlone();
    const float topCircleY = 1.5f * kCell;
    // Three lines 16 apart centred on each top circle (glyph centres 1 below
    // the line): the device's figures on the left, the virtual screen's on
    // the right.
    EXPECT_EQ(textInBand(*app, topCircleY - 19, topCircleY - 11), "1280640");
    EXPECT_EQ(textInBand(*app, topCircleY - 3, topCircleY + 5), "960480");
    int ovals = 0;
    for (const DrawRecord& record : drawRecords(*app)) ovals += record.kind == kOvalKind;
    EXPECT_EQ(ovals, 8);
}

TEST_F(CreditsBox, PointerPressOrSelectClosesTheBox) {
    openBox();
    mouseDown(320, 240);
    frame();
    EXPECT_EQ(app->m_creditsOpen, 0);
    mouseUp(320, 240);
    frame(31);
    EXPECT_EQ(app->m_creditsSlide, 0);

    openBox();
    keyDown(kKeyEnter);
    frame();
    EXPECT_EQ(app->m_creditsOpen, 0);
    keyUp(kKeyEnter);
}

// A click and a select key in the same update both go to closing the box: the
// key, still held, does not start the level selected on the menu below.
TEST_F(CreditsBox, ClickAndSelectTogetherOnlyCloseTheBox) {
    openBox();
    mouseDown(320, 240);
    keyDown(kKeyEnter);
    frame();
    EXPECT_EQ(app->m_creditsOpen, 0);
    mouseUp(320, 240);
    frame(5);
    EXPECT_EQ(app->m_mode, kModeMenu);
    keyUp(kKeyEnter);
}

}  // namespace
