// The saved string: its exact format, a round trip, damaged, short and
// hostile stores, and the records of a finished game; then loading and
// saving through the game object and its host's in-memory store.
#include <array>
#include <chrono>

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

std::vector<std::string> Split(const String& text) {
    std::vector<std::string> pieces(1);
    for (char c : text.ToUtf8())
        if (c == '|') pieces.emplace_back(); else pieces.back() += c;
    return pieces;
}

// The first `count` pieces joined again.
String Join(const std::vector<std::string>& pieces, size_t count) {
    std::string out;
    for (size_t i = 0; i < count; ++i) out += (i ? "|" : "") + pieces[i];
    return String(out.c_str(), static_cast<int>(out.size()));
}

// A state whose checksums are worked out by hand below.
Records KnownState() {
    Records r;
    r.settings[5] = 1;
    r.settings[10] = r.settings[11] = 64;
    r.settings[12] = 10;
    r.settings[14] = 1;
    r.settings[24] = 2147483647;
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

TEST(SavedString, KnownStateGivesTheExactString) {
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
    const std::string levels_0_to_2 = "120|7|80|5|80|3|1416|2000000000|10|0|0|0|0|-589934552|0|0|0|0|-5|0|-30|";
    // Slots 100 and 101 write as their scores slots 300..305, the ring
    // counts of levels 1 and 2; their own ring slots 600..605 are 0.
    // Slot 100: 4*7 + 5*5 + 6*3 = 71. Slot 101: 4*10 = 40.
    std::string expected = settings + badges + levels_0_to_2;
    for (int slot = 3; slot < kLevelSlots; ++slot)
        expected += slot == 100 ? "7|0|5|0|3|0|71|" : slot == 101 ? "10|0|0|0|0|0|40|" : "0|0|0|0|0|0|0|";
    EXPECT_EQ(nx_savedata_Build(KnownState().view()).ToUtf8(), expected);
}

// The loader reads a level slot only while 21 pieces remain from its first
// one, so the last two of 105 slots are never read back; their scores share
// slots with ring counts of levels 4 and 5, which are.
TEST(SavedString, RoundTripRestoresEverythingButTheLastTwoLevelSlots) {
    Records saved, loaded;
    uint32_t seed = 99;
    auto next = [&seed] { return static_cast<int>(seed = seed * 1664525u + 1013904223u); };
    for (int& value : saved.settings) value = next();
    saved.settings[10] = 64 + (next() & 255), saved.settings[11] = 64 + (next() & 255);  // as the loader repairs them
    saved.settings[12] = 8 + (next() & 63), saved.settings[14] = 1;
    for (bool& flag : saved.badges) flag = (next() & 1) != 0;
    for (int& value : saved.scores) value = next() >> (next() & 31);
    std::fill(loaded.scores.begin(), loaded.scores.end(), -77);
    const SavedLoadResult result = nx_savedata_Parse(nx_savedata_Build(saved.view()), loaded.view());
    std::fill(saved.scores.begin() + kRingBase + 103 * 3, saved.scores.end(), -77);
    EXPECT_TRUE(loaded.all() == saved.all());
    ASSERT_EQ(result.messages.size(), 2u + 103);
    EXPECT_EQ(std::tuple(result.messages[0], result.messages[1], result.messages[104], result.cursor),
              std::tuple("Settings Loaded", "Badges Loaded", "Highscore 102 Loaded", 26 + 9 + 103 * 7));
}

// A block whose checksum fails is reset; a settings reset keeps the sound on.
TEST(SavedString, OneChangedNumberResetsOnlyItsBlock) {
    const Records known = KnownState();
    const std::vector<std::string> good = Split(nx_savedata_Build(KnownState().view()));
    for (auto [piece, value, message] : {std::tuple{24, "2147483646", "Settings Checksum Invalid"},
                                         {26 + 7, "4", "Badge Checksum Invalid"},
                                         {35 + 7, "2000000001", "Highscore 1 Checksum Invalid"}}) {
        std::vector<std::string> pieces = good;
        pieces[piece] = value;
        Records loaded, expected = known;
        const SavedLoadResult result = nx_savedata_Parse(Join(pieces, pieces.size()), loaded.view());
        if (piece == 24) expected.settings[24] = 0;
        if (piece == 33) expected.badges = {};
        if (piece == 42) expected.scores[3] = 0;  // its ring count of 10 comes back from slot 101
        EXPECT_TRUE(loaded.all() == expected.all()) << message;
        EXPECT_EQ(std::count_if(result.messages.begin(), result.messages.end(),
                                [](const std::string& m) { return m.find("Invalid") != std::string::npos; }), 1);
        EXPECT_EQ(std::count(result.messages.begin(), result.messages.end(), message), 1);
        EXPECT_EQ(result.menuSel, 3) << "after level 2, the last with more than 4 rings";
    }
}

TEST(SavedString, ShortOrHostileStoresLoadOnlyCompleteBlocksQuicklyAndInRange) {
    const std::vector<std::string> full = Split(nx_savedata_Build(KnownState().view()));
    Records r;
    r.settings[3] = 33, r.scores[3] = 9;
    SavedLoadResult result = nx_savedata_Parse(Join(full, 25), r.view());
    EXPECT_EQ(std::tuple(r.settings[3], r.settings[10], result.messages), std::tuple(33, 64, std::vector<std::string>{"Badge Checksum Invalid"}))
        << "no settings block; pieces 0..8 fail as badge words";
    result = nx_savedata_Parse(Join(full, 35 + 21), r.view());
    EXPECT_EQ(std::tuple(result.messages.size(), r.scores[0], r.scores[3], result.menuSel, result.cursor),
              std::tuple(size_t(3), 120, 9, 2, 42)) << "only slot 0 has its 21 pieces";
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xff);
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& text : {binary, std::string(10 << 20, '|'), std::string(10 << 20, '9')}) {
        result = nx_savedata_Parse(String(text.c_str(), static_cast<int>(text.size())), Records().view());
        EXPECT_TRUE(result.menuSel >= 1 && result.menuSel <= kOptionsItem);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    Records absurd = KnownState(), loaded;
    absurd.scores[kRingBase + 102 * 3] = 2147483647;  // a ring count beyond level 100: only an edited store has one
    EXPECT_EQ(nx_savedata_Parse(nx_savedata_Build(absurd.view()), loaded.view()).menuSel, kOptionsItem);
}

TEST(SavedString, AFinishedGameRanksBelowAnEqualScoreAndShiftsTheRest) {
    std::vector<int> scores(kScoreSlots);
    scores[12] = 500, scores[13] = 300, scores[14] = 100;  // level 5
    EXPECT_EQ(nx_savedata_RecordGame(scores.data(), 5, 500, 0), 1);
    EXPECT_EQ(nx_savedata_RecordGame(scores.data(), 5, 300, 0), -1);
    EXPECT_EQ(nx_savedata_RecordGame(scores.data(), 5, 900, 0), 0);
    EXPECT_EQ(std::vector<int>(scores.begin() + 12, scores.begin() + 15), (std::vector<int>{900, 500, 500}));
}

using SavedGame = GameFixture;

TEST_F(SavedGame, LoadPrintsEachBlockAndOpensTheListAfterTheLastCompletedLevel) {
    std::vector<std::string> pieces = Split(nx_savedata_Build(KnownState().view()));
    pieces[35 + 7 * 2 + 4] = "-4";  // level 3's rank-2 score -5 becomes -4
    host.state = Join(pieces, pieces.size());
    testing::internal::CaptureStdout();
    app->p_Load();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("Settings Loaded\nBadges Loaded\nHighscore 0 Loaded\nHighscore 1 Loaded\nHighscore 2 Checksum Invalid\nHighscore 3 Loaded\n", 0), 0u);
    EXPECT_EQ(std::pair(out.find("\nHighscore 102 Loaded\n") + 22, out.size()), std::pair(out.size(), out.size()));
    EXPECT_EQ(std::tuple(app->m_menuSel, app->m_listScroll, app->m_loadCursor, app->m_scores[3]), std::tuple(3, -176.0f, 756, 2000000000));
    host.state = String();
    app->p_Load();
    EXPECT_EQ(std::tuple(app->m_menuSel, app->m_listScroll, app->m_settings[10], app->m_settings[14], app->m_bgB), std::tuple(1, 0.0f, 64, 1, 80))
        << "an empty store is a first run";
}

// A game with more than 4 rings moves the list on; every game is recorded and saved.
TEST_F(SavedGame, FinishedGamesAreRecordedAndSaved) {
    for (auto [score, rings, selected, rank] : {std::tuple{250, 5, 8, 0}, {100, 4, 7, 1}}) {
        app->m_level = app->m_menuSel = 7, app->m_score = score, ball(kRingsCollected) = rings;
        const int saves = host.saves;
        app->p_LoadMenu();
        EXPECT_EQ(std::tuple(app->m_menuSel, app->m_listScrollTarget, app->m_newRank, host.saves),
                  std::tuple(selected, -88.0f * 7, rank, saves + 1)) << score;
    }
    Records reloaded;
    EXPECT_EQ(nx_savedata_Parse(host.state, reloaded.view()).messages[2 + 6], "Highscore 6 Loaded");
    EXPECT_EQ(std::vector<int>(reloaded.scores.begin() + 18, reloaded.scores.begin() + 20), (std::vector<int>{250, 100}));
    EXPECT_EQ(std::vector<int>(reloaded.scores.begin() + 318, reloaded.scores.begin() + 321), (std::vector<int>{5, 5, 0}))
        << "the best rings stay; the history moves on";
}

}  // namespace
