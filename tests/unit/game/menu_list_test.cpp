// The title menu's list of levels: key repeat, locks and medals, taps,
// drags and flings, the score panel and the ring total, and who started a
// level. On a 640 x 480 window the virtual screen is 640 x 480 at scale 1:
// the list's centre is at x 250 (half the width left of the 140-wide score
// panel), its row at y 384, and items are 88 apart.
#include <climits>
#include <cmath>

#include "tests/unit/game/game_fixture.h"

namespace {

constexpr int kCentreX = 250, kRowY = 384, kSpacing = 88;

class Menu : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        frame(40);  // the screen has slid in
    }
    void setBestRings(int level, int rings) { app->m_scores[RingIndex(level - 1, 0)] = rings; }
    // The list at rest with `item` selected and centred.
    void restAt(int item) {
        app->p_ListJumpTo(item);
        frame();
    }
    int itemX(int item) const { return static_cast<int>(kCentreX + app->m_listScroll) + (item - 1) * kSpacing; }
    int buttonFrame(int item) const {
        for (const DrawRecord& r : records())
            if (r.kind == kImageButtons && int(r.x) == itemX(item) && int(r.y) == kRowY) return int(r.frame);
        return -1;
    }
};

// A held direction moves at once, again after 32 updates, then after 8, 7, 6, 5, 4 and 3.
TEST_F(Menu, HeldDirectionRepeatsFasterAndFasterAndStartsOverWhenLetGo) {
    for (int round = 0; round < 2; ++round) {
        keyDown(kKeyRight);
        std::vector<int> gaps;
        for (int update = 0, last = 0, selected = app->m_menuSel; update < 70; ++update) {
            frame();
            if (app->m_menuSel == selected) continue;
            gaps.push_back(update - last);
            last = update, selected = app->m_menuSel;
        }
        keyUp(kKeyRight);
        frame();
        EXPECT_EQ(gaps, (std::vector<int>{0, 32, 8, 7, 6, 5, 4, 3, 3})) << "round " << round;
    }
}

// A level opens once the one before has a best of 5 rings; a locked level
// flickers, the others show a medal from 5 rings and gold from 10.
TEST_F(Menu, LockedLevelCanBeSelectedButNotStarted) {
    setBestRings(1, 4);
    setBestRings(2, 10);
    restAt(1);
    tapKey(kKeyRight);
    frame(20);
    EXPECT_EQ(std::tuple(app->m_menuSel, buttonFrame(1), buttonFrame(2) / 4), std::tuple(2, 0, 1));
    tapKey(kKeySpace);
    tap(itemX(2), kRowY);
    tap(itemX(3), kRowY);
    tap(640 - 70, 480 - 48);
    EXPECT_EQ(std::pair(app->m_mode, app->m_menuSel), std::pair(kModeMenu, 2)) << "nor do taps on other items";
    setBestRings(1, 5);
    frame();
    EXPECT_EQ(std::tuple(buttonFrame(1), buttonFrame(2), buttonFrame(3)), std::tuple(1, 2, 0));
    press(640 - 70, 480 - 48);
    frame();
    EXPECT_EQ(std::tuple(app->m_mode, app->m_level, app->m_ctrlScheme), std::tuple(kModeLoadLevel, 2, kSchemePointer));
}

// A tap selects only items after the selection in the walk over the list.
TEST_F(Menu, TapsSelectLaterItemsAndStartTheSelectedOne) {
    for (int level = 1; level < 10; ++level) setBestRings(level, 5);
    restAt(5);
    tap(itemX(3), kRowY);
    EXPECT_EQ(app->m_menuSel, 5);
    tap(itemX(7), kRowY);
    frame(60);
    EXPECT_EQ(app->m_menuSel, 7) << "the list scrolls to the tapped item and stays";
    EXPECT_NEAR(app->m_listScroll, -6 * kSpacing, 1);
    press(kCentreX, kRowY);
    frame();
    EXPECT_EQ(std::tuple(app->m_mode, app->m_level, app->m_ctrlScheme), std::tuple(kModeLoadLevel, 7, kSchemePointer));
}

// A pointer moving 1 unit an update (a drag of 1.5) still taps; from 2 it
// drags, and a flung list slows down and settles on the nearest item.
TEST_F(Menu, SlowPointerTapsAndFastPointerFlingsTheList) {
    const int end = itemX(3) - 20;
    int x = itemX(2) + 40;  // in the gap between items 2 and 3
    press(x, kRowY);
    for (; x < end; ++x) {
        frame();
        ASSERT_EQ(app->m_listScrollSpeed, 0);
        move(x + 1, kRowY);
    }
    tap(x, kRowY);
    EXPECT_EQ(app->m_menuSel, 3);
    press(x = 400, 300);  // above the row, where a press taps nothing
    frame();
    move(x -= 2, 300);
    frame();
    EXPECT_EQ(app->m_listScrollSpeed, -3);
    for (int step = 0; step < 10; ++step) {
        move(x -= 20, 300);
        frame();
    }
    release();
    frame(120);
    EXPECT_EQ(std::pair(app->m_listScrollSpeed, app->m_mode), std::pair(0.0f, kModeMenu));
    EXPECT_LT(app->m_listScroll, -3 * kSpacing);
    EXPECT_EQ(app->m_menuSel, 1 - std::lround(app->m_listScroll / kSpacing));
}

TEST_F(Menu, PanelShowsTheSelectedLevelsTopScoresAndTheTotalCountsAllBestRings) {
    app->m_scores[0] = 333, app->m_scores[1] = 222, app->m_scores[2] = 111, app->m_scores[3] = 999;
    setBestRings(1, 5), setBestRings(50, 7), setBestRings(100, 10);  // level 50 is locked but counts
    restAt(1);
    EXPECT_EQ(std::pair(text(0, 150), text(430, 470)), std::pair(std::string("Top3333222111"), std::string("TotalRings:22/1000")));
    for (int level = 1; level <= 100; ++level) setBestRings(level, level % 2 ? INT_MAX : INT_MIN);
    app->m_menuSel = 5000;
    resize(1920, 600);  // a 640 x 200 virtual screen
    finishLoading();
    frame(2);
    EXPECT_EQ(std::pair(text(0, 150), text(130, 200)), std::pair(std::string("Highscore333"), std::string("TotalRings:-50/1000")))
        << "the total wraps; the selection is put back in range";
}

// Pads are polled in order up to the first one missing; the keyboard wins over any pad.
TEST_F(Menu, SelectRecordsWhoseButtonStartedTheLevel) {
    for (auto [pad, key, joy, scheme] : {std::tuple{0, 0, 0, kSchemePad}, {2, 0, 2, kSchemePad}, {1, kKeySpace, 0, kSchemeKeyboard}}) {
        for (int port = 0; port <= 2; ++port) pads[port] = {true, port == pad};
        if (key) keyDown(key);
        frame();
        EXPECT_EQ(std::tuple(app->m_mode, app->m_playerJoy, app->m_ctrlScheme), std::tuple(kModeLoadLevel, joy, scheme));
        pads[pad].a = false;
        if (key) keyUp(key);
        app->m_mode = kModeMenu;
        frame();
    }
}

TEST_F(Menu, CornerButtonAndTheLastItemOpenTheBoxesAndBackEndsTheProgram) {
    tap(640 - 70, 32);
    EXPECT_EQ(app->m_creditsOpen, 1);
    app->m_creditsOpen = 0;
    restAt(kOptionsItem);
    tapKey(kKeySpace);
    EXPECT_EQ(std::tuple(app->m_optionsOpen, app->m_optCursor, app->m_mode), std::tuple(1, 0, kModeMenu));
    app->m_optionsOpen = 0;
    frame(31);
    EXPECT_EXIT(tapKey(kKeyEscape), testing::ExitedWithCode(0), "");
}

}  // namespace
