// The title menu's list of levels and the records behind it: the saved
// string (its exact format, damaged, short and hostile stores, a finished
// game's ranks), then the list driven through the game object: locks and
// medals, taps and flings, the score panel and the ring total, and who
// started a level. On a 640 x 480 window the virtual screen is 640 x 480 at
// scale 1: the list's centre is at x 250 (half the width left of the
// 140-wide score panel), its row at y 384, and items are 88 apart.
#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cmath>

#include "tests/unit/game/game_fixture.h"

namespace {

// The game's persistent arrays, as plain storage.
struct Records {
    std::array<int, kSettingsSlots> settings{};
    std::array<bool, kBadgeFlags> badges{};
    std::vector<int> scores = std::vector<int>(kScoreSlots);
    SavedRecords view() { return {settings.data(), badges.data(), scores.data()}; }
    auto all() const { return std::tie(settings, badges, scores); }
};

// A state whose checksums are worked out by hand below.
Records KnownState() {
    Records r;
    r.settings[5] = 1, r.settings[10] = r.settings[11] = 64, r.settings[12] = 10, r.settings[14] = 1, r.settings[24] = 2147483647;
    r.badges[0] = true;                      // word 0 = 1
    r.badges[32 + 1] = r.badges[63] = true;  // word 1 = 2 + 2^31 -> -2147483646
    r.badges[95] = true;                     // word 2 = 2^31 -> -2147483648
    r.badges[224] = r.badges[226] = true;    // word 7 = 1 + 4 = 5
    r.scores[0] = 120, r.scores[1] = 80, r.scores[2] = 80;  // level 1
    r.scores[300] = 7, r.scores[301] = 5, r.scores[302] = 3;
    r.scores[3] = 2000000000, r.scores[303] = 10;  // level 2
    r.scores[8] = -5;                              // level 3, rank 2
    return r;
}

// The string of `state` with its first `count` pieces, `piece` replaced by `value`.
String Edited(Records state, int piece, const char* value, int count = kSavedNumbers + 1) {
    Array<String> pieces = nx_savedata_Build(state.view()).Split(String("|"));
    pieces[piece] = String(value);
    String out = pieces[0];
    for (int i = 1; i < count; ++i) out += String("|") + pieces[i];
    return out;
}

String KnownString(int count = kSavedNumbers + 1, int piece = 0, const char* value = "0") {
    return Edited(KnownState(), piece, value, count);
}

// The first piece of level slot `slot`'s ring count at rank 0.
constexpr int RingPiece(int slot) { return kSettingsSlots + 1 + kBadgeWords + 1 + slot * kLevelNumbers + 1; }

TEST(SavedString, KnownStateGivesTheExactStringAndComesBack) {
    // Settings checksum: 5*1 + 10*64 + 11*64 + 12*10 + 14*1 = 1483, plus
    // 24 * 2147483647 = 12 * 2^32 - 24, which wraps to -24: 1459.
    const std::string settings = "0|0|0|0|0|1|0|0|0|0|64|64|10|0|1|0|0|0|0|0|0|0|0|0|2147483647|1459|";
    // Badge checksum: 1 - 2147483646 - 2147483648 + 5 = -4294967288, which
    // wraps (+ 2^32) to 8.
    const std::string badges = "1|-2147483646|-2147483648|0|0|0|0|5|8|";
    // Level slot a, rank k: score weight k + 4, ring weight a + k + 3.
    // Slot 0: 4*120 + 5*80 + 6*80 + 3*7 + 4*5 + 5*3 = 1416.
    // Slot 1: 4*2000000000 + 4*10 = 8000000040, less 2 * 2^32: -589934552.
    // Slot 2: 6 * -5 = -30.
    std::string expected = settings + badges + "120|7|80|5|80|3|1416|2000000000|10|0|0|0|0|-589934552|0|0|0|0|-5|0|-30|";
    // Slots 100 and 101 write as their scores slots 300..305, the ring
    // counts of levels 1 and 2; their own ring slots 600..605 are 0.
    // Slot 100: 4*7 + 5*5 + 6*3 = 71. Slot 101: 4*10 = 40.
    for (int slot = 3; slot < kLevelSlots; ++slot)
        expected += slot == 100 ? "7|0|5|0|3|0|71|" : slot == 101 ? "10|0|0|0|0|0|40|" : "0|0|0|0|0|0|0|";
    EXPECT_EQ(nx_savedata_Build(KnownState().view()).ToUtf8(), expected);
    // Loading reads a level slot only while 21 pieces remain from its first
    // one, so the last two slots are never read back.
    Records loaded;
    const SavedLoadResult result = nx_savedata_Parse(String(expected.c_str()), loaded.view());
    EXPECT_TRUE(loaded.all() == KnownState().all());
    EXPECT_EQ(std::tuple(result.messages.size(), result.messages[104], result.cursor), std::tuple(size_t(105), "Highscore 102 Loaded", 756));
}

// A block whose checksum fails is reset; a settings reset keeps the sound on.
TEST(SavedString, OneChangedNumberResetsOnlyItsBlock) {
    for (auto [piece, value, message] : {std::tuple{24, "2147483646", "Settings Checksum Invalid"},
                                         {26 + 7, "4", "Badge Checksum Invalid"},
                                         {35 + 7, "2000000001", "Highscore 1 Checksum Invalid"}}) {
        Records loaded, expected = KnownState();
        const SavedLoadResult result = nx_savedata_Parse(KnownString(kSavedNumbers + 1, piece, value), loaded.view());
        if (piece == 24) expected.settings[24] = 0;
        if (piece == 33) expected.badges = {};
        if (piece == 42) expected.scores[3] = 0;  // its ring count of 10 comes back from slot 101
        EXPECT_TRUE(loaded.all() == expected.all()) << message;
        EXPECT_EQ(std::pair(std::count(result.messages.begin(), result.messages.end(), message), result.menuSel), std::pair(1L, 3))
            << "the list opens after level 2, the last with more than 4 rings";
    }
}

// Only complete blocks load; nothing is read outside the arrays and nothing hangs.
TEST(SavedString, ShortOrHostileStoresLoadQuicklyAndInRange) {
    Records r;
    r.scores[3] = 9;
    SavedLoadResult result = nx_savedata_Parse(KnownString(35 + 21), r.view());
    EXPECT_EQ(std::tuple(result.messages.size(), r.scores[0], r.scores[3], result.menuSel, result.cursor), std::tuple(size_t(3), 120, 9, 2, 42))
        << "the settings, the badges and only slot 0, which has its 21 pieces";
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xff);
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& text : {binary, std::string(10 << 20, '|'), std::string(10 << 20, '9')}) {
        result = nx_savedata_Parse(String(text.c_str(), static_cast<int>(text.size())), Records().view());
        EXPECT_TRUE(result.menuSel >= 1 && result.menuSel <= kOptionsItem);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    Records absurd = KnownState();
    absurd.scores[kRingBase + 102 * 3] = 2147483647;  // a ring count beyond level 100: only an edited store has one
    EXPECT_EQ(nx_savedata_Parse(nx_savedata_Build(absurd.view()), r.view()).menuSel, kOptionsItem);
}

// The list opens after the last level completed in a block that passed its
// checksum, and never on a level that is still locked.
TEST(SavedString, TheListOpensOnlyOnAnOpenLevelAfterAValidRecord) {
    Records levelOneDone;
    levelOneDone.scores[RingIndex(0, 0)] = 7;  // level 2 is open, level 3 is not
    Records history = levelOneDone;
    history.scores[RingIndex(1, 1)] = 9;  // level 2's ring history above its best: only an edited store has it
    for (const String& text : {Edited(levelOneDone, RingPiece(83), "77garbage"),  // level 84, its checksum now wrong
                               Edited(levelOneDone, RingPiece(1), "2000000000"),  // level 2, likewise
                               nx_savedata_Build(history.view())})
        EXPECT_EQ(nx_savedata_Parse(text, Records().view()).menuSel, 2) << text.ToUtf8().substr(0, 60);
}

// Two copies of the game loaded the same store and then each played: the
// merge keeps the better of both per level, a score both loaded once.
TEST(SavedString, MergingKeepsTheBetterRecordsOfBothCopiesAndTheWritersSettings) {
    Records mine, stored;
    mine.settings[kSettingSoundMode] = 3, stored.settings[kSettingSoundMode] = 0;
    const auto level = [](Records& r, int slot, std::array<int, 6> scoresThenRings) {
        std::copy_n(scoresThenRings.begin(), 3, r.scores.begin() + ScoreIndex(slot, 0));
        std::copy_n(scoresThenRings.begin() + 3, 3, r.scores.begin() + RingIndex(slot, 0));
    };
    level(mine, 0, {500, 300, 0, 4, 2, 2}), level(stored, 0, {700, 500, 0, 6, 4, 2});
    level(mine, 1, {400, 400, 90, 10, 5, 5}), level(stored, 1, {400, 100, 0, 5, 5, 0});
    level(mine, 99, {0, 0, 0, 0, 0, 0}), level(stored, 99, {-5, -6, -7, 3, 0, 0});
    mine.badges[3] = stored.badges[200] = true;
    Records expected = mine;
    level(expected, 0, {700, 500, 300, 6, 4, 2}), level(expected, 1, {400, 400, 100, 10, 5, 5}), level(expected, 99, {0, 0, 0, 3, 0, 0});
    expected.badges[200] = true;
    nx_savedata_MergeRecords(mine.view(), stored.view());
    EXPECT_TRUE(mine.all() == expected.all());
}

TEST(SavedString, AFinishedGameRanksBelowAnEqualScoreAndShiftsTheRestDown) {
    std::vector<int> scores(kScoreSlots);
    scores[12] = 500, scores[13] = 300, scores[14] = 100;  // level 5
    EXPECT_EQ((std::vector<int>{nx_savedata_RecordGame(scores.data(), 5, 500, 5), nx_savedata_RecordGame(scores.data(), 5, 300, 4),
                                nx_savedata_RecordGame(scores.data(), 5, 900, 7)}), (std::vector<int>{1, -1, 0}));
    EXPECT_EQ(std::vector<int>(scores.begin() + 12, scores.begin() + 15), (std::vector<int>{900, 500, 500}));
    EXPECT_EQ(std::vector<int>(scores.begin() + 312, scores.begin() + 315), (std::vector<int>{7, 5, 5})) << "the best rings, then the last two";
}


constexpr int kCentreX = 250, kRowY = 384, kSpacing = 88;

class Menu : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        frame(40);  // the screen has slid in
    }
    void setBestRings(int level, int rings) { app->m_scores[RingIndex(level - 1, 0)] = rings; }
    int itemX(int item) const { return static_cast<int>(kCentreX + app->m_listScroll) + (item - 1) * kSpacing; }
    int buttonFrame(int item) const {
        for (const DrawRecord& r : records())
            if (r.kind == kImageButtons && int(r.x) == itemX(item) && int(r.y) == kRowY) return int(r.frame);
        return -1;
    }
};

// A level opens once the one before has a best of 5 rings; a locked level
// (frames 4 to 7) can be selected but not started, and meanwhile taps on
// other items do nothing. Medals show from 5 rings, gold from 10. A tap
// selects only items after the selection in the walk over the list; a tap
// on the selected item, or the play button, starts it.
TEST_F(Menu, TapsSelectAndStartOnlyOpenLevels) {
    setBestRings(1, 4), setBestRings(2, 10);
    tapKey(kKeyRight);
    EXPECT_EQ(app->m_menuSel, 2) << "the list follows the key, not the item nearest its middle";
    frame(20);
    tapKey(kKeySpace), tap(itemX(2), kRowY), tap(itemX(3), kRowY), tap(640 - 70, 480 - 48);
    EXPECT_EQ(std::tuple(app->m_mode, app->m_menuSel, buttonFrame(1), buttonFrame(2) / 4), std::tuple(kModeMenu, 2, 0, 1));
    setBestRings(1, 5), tap(itemX(1), kRowY), tap(itemX(3), kRowY), frame(60);
    EXPECT_EQ(std::tuple(app->m_menuSel, std::lround(app->m_listScroll), buttonFrame(1), buttonFrame(2), buttonFrame(3)),
              std::tuple(3, -2L * kSpacing, 1, 2, 0)) << "scrolled to the tapped item";
    for (auto [x, y] : {std::pair{kCentreX, kRowY}, {640 - 70, 480 - 48}}) {
        app->m_mode = kModeMenu, app->m_menuScroll = 0, tap(x, y);
        EXPECT_EQ(std::tuple(app->m_mode, app->m_level, app->m_ctrlScheme), std::tuple(kModePlaying, 3, kSchemePointer));
    }
}

// A pointer moving 2 units an update drags the list (a drag of 3, where a
// tap allows 2); let go, the list slows down and settles on the nearest item.
TEST_F(Menu, ListScrollsByFlingAndByKeys) {
    for (int x = 400, step = 0; step < 12; x -= step++ ? 20 : 2) {  // above the row, where a press taps nothing
        step ? move(x, 300) : press(x, 300);
        frame();
        EXPECT_TRUE(step != 1 || app->m_listScrollSpeed == -3) << "a drag of 3 flings";
    }
    release(), frame(120);
    EXPECT_EQ(std::tuple(app->m_listScrollSpeed, app->m_listScroll < -3 * kSpacing, app->m_menuSel),
              std::tuple(0.0f, true, 1 - std::lround(app->m_listScroll / kSpacing)));
    // A held direction moves at once, again after 32 updates, then after 8,
    // 7, 6, 5, 4 and 3; letting go starts over.
    std::vector<int> movesAt;
    for (int update = 0, selected = app->m_menuSel; update < 100; ++update, selected = app->m_menuSel) {
        update == 70 ? keyUp(kKeyRight) : keyDown(kKeyRight);
        frame();
        if (app->m_menuSel != selected) movesAt.push_back(update);
    }
    EXPECT_EQ(movesAt, (std::vector<int>{0, 32, 40, 47, 53, 58, 62, 65, 68, 71}));
}

TEST_F(Menu, LoadOpensTheListAfterTheLastCompletedLevelWithItsScoresAndTheRingTotal) {
    host.state = KnownString();
    app->p_Load(), frame(2);
    EXPECT_EQ(std::tuple(app->m_menuSel, app->m_listScroll, app->m_loadCursor, text(0, 150), text(430, 470)),
              std::tuple(3, -176.0f, 756, "Top300-5", "TotalRings:17/1000"));
    for (int level = 1; level <= 100; ++level) setBestRings(level, level % 2 ? INT_MAX : INT_MIN);
    resize(1920, 600), finishLoading();  // a 640 x 200 virtual screen
    app->m_menuSel = 5000, frame(2);
    EXPECT_EQ(std::pair(text(0, 150), text(130, 200)), std::pair(std::string("Highscore120"), std::string("TotalRings:-50/1000")))
        << "locked levels count, the total wraps, and the selection is put back in range";
}

// Another copy of the game (a second window, another tab) stored better
// records: this copy's save keeps them, with its own settings, and its menu
// shows what the other copy stores next as soon as the host tells of it, or
// when this copy comes back to the front.
TEST_F(Menu, AnotherCopysRecordsSurviveThisCopysSaveAndReachItsMenu) {
    Records other;
    other.scores[ScoreIndex(0, 0)] = 900, other.scores[RingIndex(0, 0)] = 8;
    host.state = nx_savedata_Build(other.view());
    setBestRings(2, 6), app->m_settings[kSettingSoundMode] = 3;
    host.SuspendGame();
    Records saved;
    nx_savedata_Parse(host.state, saved.view());
    EXPECT_EQ(std::tuple(saved.scores[ScoreIndex(0, 0)], saved.scores[RingIndex(0, 0)], saved.scores[RingIndex(1, 0)], saved.settings[kSettingSoundMode]),
              std::tuple(900, 8, 6, 3));
    host.ResumeGame(), frame(2);
    other.scores[RingIndex(2, 0)] = 10;
    host.state = nx_savedata_Build(other.view()), host.stateChangedElsewhere = true, frame(2);
    EXPECT_EQ(text(430, 470), "TotalRings:24/1000") << "8 + 6 + 10";
    host.SuspendGame();
    other.scores[RingIndex(3, 0)] = 5;
    host.state = nx_savedata_Build(other.view());
    host.ResumeGame(), frame(2);
    EXPECT_EQ(text(430, 470), "TotalRings:29/1000");
}

// Pads are polled in order up to the first one missing; the keyboard wins over any pad.
TEST_F(Menu, SelectRecordsWhoseButtonStartedTheLevelAndBackEndsTheProgram) {
    for (auto [pad, key, joy, scheme] : {std::tuple{0, 0, 0, kSchemePad}, {2, 0, 2, kSchemePad}, {1, kKeySpace, 0, kSchemeKeyboard}}) {
        for (int port = 0; port <= 2; ++port) pads[port] = {true, port == pad};
        if (key) keyDown(key);
        frame();
        EXPECT_EQ(std::tuple(app->m_mode, app->m_playerJoy, app->m_ctrlScheme), std::tuple(kModeLoadLevel, joy, scheme));
        pads[pad].a = false, app->m_mode = kModeMenu;
        if (key) keyUp(key);
        frame();
    }
    EXPECT_EXIT(tapKey(kKeyEscape), testing::ExitedWithCode(0), "");
}

}  // namespace
