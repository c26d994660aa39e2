// The title menu driven through the real game object: key repeat, locks
// and medals, taps, drags and flings, the score panel and the ring total,
// and the ways a level is started. On a 640 x 480 window the virtual
// screen is 640 x 480 at scale 1, so pointer positions are game units: the
// list's centre is at x 250 (half of the width left of the 140-wide score
// panel), its row at y 384, and items are 88 apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "tests/unit/game/game_fixture.h"

namespace {

constexpr int kCentreX = 250, kRowY = 384, kSpacing = 88;

struct DrawnImage {
    int id;
    float x, y, frame;
};

}  // namespace

class MenuTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        finishLoading();
        frame(40);  // the screen has slid in
        ASSERT_EQ(app->m_menuScroll, 0);
        ASSERT_EQ(app->m_mode, kModeMenu);
    }

    void setBestRings(int level, int rings) { app->m_scores[300 + 3 * (level - 1)] = rings; }
    void unlockUpTo(int level) {
        for (int l = 1; l < level; ++l) setBestRings(l, 5);
    }
    // The list at rest with `item` selected and centred.
    void restAt(int item) {
        app->m_menuSel = item;
        app->m_listScroll = app->m_listScrollTarget = float((1 - item) * kSpacing);
        app->m_listScrollSpeed = 0;
        app->m_listTarget = 0;
        frame();
    }
    // x of an item at the current scroll.
    int itemX(int item) const { return int(kCentreX + app->m_listScroll) + (item - 1) * kSpacing; }
    void tap(int x, int y) {
        mouseDown(float(x), float(y));
        frame();
        mouseUp(float(x), float(y));
        frame();
    }
    int restingNearest() const {
        int nearest = 1 - int(std::lround(app->m_listScroll / kSpacing));
        return std::max(1, std::min(101, nearest));
    }

    std::vector<DrawnImage> images() const {
        std::vector<DrawnImage> out;
        for (int i = 0; i + 14 < app->m_drawCount; i += 15) {
            const float* r = &app->m_drawList[i];
            if (r[0] >= 0) out.push_back({int(r[0]), r[1], r[2], r[6]});
        }
        return out;
    }
    int buttonFrameAt(int x) const {
        for (const DrawnImage& image : images())
            if (image.id == kImageButtons && int(image.x) == x && int(image.y) == kRowY) return int(image.frame);
        return -1;
    }
    // The characters drawn in a region, in the order drawn (spaces draw nothing).
    std::string glyphs(float minX, float minY, float maxY) const {
        std::string text;
        for (const DrawnImage& image : images())
            if (image.id == app->m_font && image.x >= minX && image.y >= minY && image.y < maxY)
                text += char(int(image.frame) + 32);
        return text;
    }
};

TEST_F(MenuTest, HeldDirectionRepeatsFasterAndFaster) {
    keyDown(kKeyRight);
    std::vector<int> movesAt;
    for (int update = 0, last = app->m_menuSel; update < 80; ++update) {
        frame();
        if (app->m_menuSel != last) movesAt.push_back(update);
        last = app->m_menuSel;
    }
    keyUp(kKeyRight);
    ASSERT_GE(movesAt.size(), 9u);
    EXPECT_EQ(movesAt[0], 0);
    std::vector<int> gaps;
    for (size_t i = 1; i < 9; ++i) gaps.push_back(movesAt[i] - movesAt[i - 1]);
    EXPECT_EQ(gaps, (std::vector<int>{32, 8, 7, 6, 5, 4, 3, 3}));
    EXPECT_EQ(app->m_menuSel, 1 + int(movesAt.size()));

    // Letting go and holding again starts over with the long first wait.
    frame();
    keyDown(kKeyRight);
    const int before = app->m_menuSel;
    frame(32);
    EXPECT_EQ(app->m_menuSel, before + 1);
    frame();
    EXPECT_EQ(app->m_menuSel, before + 2);
}

TEST_F(MenuTest, ButtonsShowMedalsByRingsAndAFlickeringLock) {
    setBestRings(1, 5);
    setBestRings(2, 10);
    restAt(1);
    EXPECT_EQ(buttonFrameAt(itemX(1)), 1);
    EXPECT_EQ(buttonFrameAt(itemX(2)), 2);
    EXPECT_EQ(buttonFrameAt(itemX(3)), 0);  // unlocked by level 2, no rings yet
    std::set<int> lockFrames;
    for (int update = 0; update < 30; ++update) {
        frame();
        int lockFrame = buttonFrameAt(itemX(4));
        EXPECT_GE(lockFrame, 4);
        EXPECT_LE(lockFrame, 7);
        lockFrames.insert(lockFrame);
    }
    EXPECT_GT(lockFrames.size(), 1u) << "a locked level flickers";
}

TEST_F(MenuTest, LockedLevelCanBeSelectedButNotStarted) {
    setBestRings(1, 4);
    restAt(1);
    tapKey(kKeyRight);
    frame(20);
    ASSERT_EQ(app->m_menuSel, 2);
    tapKey(kKeySpace);
    EXPECT_EQ(app->m_mode, kModeMenu);
    tap(itemX(2), kRowY);
    EXPECT_EQ(app->m_mode, kModeMenu);
    // While it is selected, taps on other items do nothing either.
    tap(itemX(3), kRowY);
    tap(itemX(1), kRowY);
    EXPECT_EQ(app->m_menuSel, 2);

    setBestRings(1, 5);
    keyDown(kKeySpace);
    frame();
    EXPECT_EQ(app->m_mode, kModeLoadLevel);
    EXPECT_EQ(app->m_level, 2);
    EXPECT_EQ(app->m_ctrlScheme, 0);
    EXPECT_EQ(app->m_playerJoy, 0);
}

TEST_F(MenuTest, TapSelectsOnlyItemsAfterTheSelectionInTheWalk) {
    unlockUpTo(10);
    restAt(5);
    tap(itemX(3), kRowY);
    EXPECT_EQ(app->m_menuSel, 5);
    EXPECT_EQ(app->m_listScrollTarget, -4 * kSpacing);

    tap(itemX(7), kRowY);
    EXPECT_EQ(app->m_menuSel, 7);
    EXPECT_EQ(app->m_listScrollTarget, -6 * kSpacing);
    frame(60);
    EXPECT_EQ(app->m_menuSel, 7) << "the list scrolls to the tapped item and stays";
    EXPECT_NEAR(app->m_listScroll, -6 * kSpacing, 1);
    EXPECT_EQ(app->m_mode, kModeMenu);
}

TEST_F(MenuTest, TapOnTheSelectedItemStartsItWithThePointerScheme) {
    unlockUpTo(3);
    restAt(3);
    mouseDown(kCentreX, kRowY);
    frame();
    EXPECT_EQ(app->m_mode, kModeLoadLevel);
    EXPECT_EQ(app->m_level, 3);
    EXPECT_EQ(app->m_ctrlScheme, 2);
}

TEST_F(MenuTest, PlayButtonStartsTheSelectedLevel) {
    unlockUpTo(2);
    restAt(2);
    mouseDown(640 - 70, 480 - 48);
    frame();
    EXPECT_EQ(app->m_mode, kModeLoadLevel);
    EXPECT_EQ(app->m_level, 2);
}

TEST_F(MenuTest, SlowPointerMovementIsATap) {
    restAt(1);
    // Press in the gap between items 2 and 3 and creep right, one unit per
    // update (a drag of 1.5): the list stays, and the item reached is tapped.
    int x = itemX(2) + 40;
    const int end = itemX(3) - 20;
    mouseDown(float(x), kRowY);
    frame();
    for (; x < end; ++x) {
        mouseMove(float(x + 1), kRowY);
        frame();
        EXPECT_NE(app->m_touchLatch, 2);
        EXPECT_EQ(app->m_listScrollSpeed, 0);
    }
    mouseUp(float(x), kRowY);
    frame();
    EXPECT_EQ(app->m_menuSel, 3);
}

TEST_F(MenuTest, FastDragFlingsTheListWhichSettlesOnTheNearestItem) {
    restAt(1);
    // Above the row, so the press itself taps nothing; 2 units per update
    // is a drag of 3, more than a tap allows.
    int x = 400;
    mouseDown(float(x), 300);
    frame();
    mouseMove(float(x -= 2), 300);
    frame();
    EXPECT_EQ(app->m_touchLatch, 2);
    EXPECT_EQ(app->m_listScrollSpeed, -3);
    for (int i = 0; i < 10; ++i) {
        mouseMove(float(x -= 20), 300);
        frame();
    }
    mouseUp(float(x), 300);
    frame(120);
    EXPECT_EQ(app->m_listScrollSpeed, 0);
    EXPECT_LT(app->m_listScroll, -3 * kSpacing);
    EXPECT_EQ(app->m_menuSel, restingNearest());
    EXPECT_EQ(app->m_mode, kModeMenu);
}

TEST_F(MenuTest, ScorePanelShowsThreeRowsOrOneByScreenHeight) {
    app->m_scores[0] = 333, app->m_scores[1] = 222, app->m_scores[2] = 111;
    restAt(1);
    EXPECT_EQ(glyphs(500, 0, 150), "Top3333222111");

    // 1920 x 600 fits a 640 x 200 virtual screen.
    resize(1920, 600);
    finishLoading();
    frame();
    ASSERT_EQ(nx_ZuDizaz_jscrh, 200);
    EXPECT_EQ(glyphs(500, 0, 150), "Highscore333");
}

TEST_F(MenuTest, TotalCountsTheBestRingsOfAllLevels) {
    setBestRings(1, 5);
    setBestRings(50, 7);  // locked: level 49 has none
    setBestRings(100, 10);
    frame();
    EXPECT_EQ(glyphs(0, 430, 470), "TotalRings:22/1000");
}

TEST_F(MenuTest, CreditsButtonOpensTheCredits) {
    tap(640 - 70, 32);
    EXPECT_EQ(app->m_creditsOpen, 1);
}

TEST_F(MenuTest, OptionsItemOpensTheOptionsBox) {
    restAt(101);
    keyDown(kKeySpace);
    frame();
    EXPECT_EQ(app->m_optionsOpen, 1);
    EXPECT_EQ(app->m_optCursor, 0);
    EXPECT_EQ(app->m_mode, kModeMenu);
}

TEST_F(MenuTest, PadSelectRecordsThePad) {
    // Pads are polled in order up to the first one missing.
    for (int joy = 0; joy <= 2; ++joy) pads[joy].present = true;
    pads[2].buttons[0] = true;  // A
    frame();
    EXPECT_EQ(app->m_mode, kModeLoadLevel);
    EXPECT_EQ(app->m_playerJoy, 2);
    EXPECT_EQ(app->m_ctrlScheme, 1);
}

TEST_F(MenuTest, AbsurdRecordsNeitherCrashNorLeaveTheRange) {
    for (int level = 1; level <= 100; ++level) setBestRings(level, level % 2 ? 2147483647 : -2147483647 - 1);
    app->m_menuSel = 5000;
    frame(5);
    EXPECT_GE(app->m_menuSel, 1);
    EXPECT_LE(app->m_menuSel, 101);
    // 50 * (2^31 - 1) + 50 * -2^31 wraps to -50.
    EXPECT_EQ(glyphs(0, 430, 470), "TotalRings:-50/1000");
}

TEST_F(MenuTest, BackEndsTheProgram) {
    EXPECT_EXIT(
        {
            keyDown(kKeyEscape);
            frame();
        },
        testing::ExitedWithCode(0), "");
}
