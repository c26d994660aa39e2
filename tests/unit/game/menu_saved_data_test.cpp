// The saved string: its exact format, a round trip, damaged and short
// stores, hostile stores, and the records of a finished game. The format
// functions are tested alone; loading, printing and recording through the
// game object with its host's in-memory store.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "tests/unit/game/game_fixture.h"

namespace {

// The game's persistent arrays, as plain storage.
struct Records {
    std::array<int, kSettingsSlots> settings{};
    std::array<bool, kBadgeFlags> badges{};
    std::vector<int> scores = std::vector<int>(kScoreSlots);
    SavedRecords view() { return {settings.data(), badges.data(), scores.data()}; }
};

std::string Text(const String& s) { return s.ToUtf8(); }

std::vector<std::string> SplitPieces(const std::string& text) {
    std::vector<std::string> pieces(1);
    for (char c : text) {
        if (c == '|')
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

std::string Join(const std::vector<std::string>& pieces) {
    std::string out;
    for (size_t i = 0; i < pieces.size(); ++i) out += (i ? "|" : "") + pieces[i];
    return out;
}

// A state whose checksums are worked out by hand below.
Records KnownState() {
    Records r;
    r.settings[5] = 1;
    r.settings[10] = r.settings[11] = 64;
    r.settings[12] = 10;
    r.settings[14] = 1;
    r.settings[24] = 2147483647;
    r.badges[0] = true;                       // word 0 = 1
    r.badges[32 + 1] = r.badges[63] = true;   // word 1 = 2 + 2^31 -> -2147483646
    r.badges[95] = true;                      // word 2 = 2^31 -> -2147483648
    r.badges[224] = r.badges[226] = true;     // word 7 = 1 + 4 = 5
    r.scores[0] = 120, r.scores[1] = 80, r.scores[2] = 80;  // level 1
    r.scores[300] = 7, r.scores[301] = 5, r.scores[302] = 3;
    r.scores[3] = 2000000000, r.scores[303] = 10;  // level 2
    r.scores[8] = -5;                              // level 3, rank 2
    return r;
}

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

// A state full of varied values, negative and beyond 16 bits included, with
// the settings the loader repairs already at repaired values.
Records VariedState() {
    Records r;
    uint32_t seed = 99;
    auto next = [&seed] { return static_cast<int>(seed = seed * 1664525u + 1013904223u); };
    for (int& value : r.settings) value = next();
    r.settings[10] = 64 + (next() & 255), r.settings[11] = 64 + (next() & 255), r.settings[12] = 8 + (next() & 63);
    r.settings[14] = 1;
    for (bool& flag : r.badges) flag = (next() & 1) != 0;
    for (int& value : r.scores) value = next() >> (next() & 31);
    return r;
}

}  // namespace

TEST(SavedString, KnownStateGivesTheExactString) {
    Records state = KnownState();
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
    const std::string zero_slot = "0|0|0|0|0|0|0|";
    const std::string expected = settings + badges + levels_0_to_2 + Repeat(zero_slot, 97) + "7|0|5|0|3|0|71|" +
                                 "10|0|0|0|0|0|40|" + Repeat(zero_slot, 3);

    std::string built = Text(nx_savedata_Build(state.view()));
    EXPECT_EQ(built, expected);
    EXPECT_EQ(SplitPieces(built).size(), size_t(kSavedNumbers + 1));
}

TEST(SavedString, RoundTripRestoresEverythingButTheLastTwoLevelSlots) {
    Records saved = VariedState();
    Records loaded;
    for (int& value : loaded.scores) value = -77;
    SavedLoadResult result = nx_savedata_Parse(nx_savedata_Build(saved.view()), loaded.view());

    EXPECT_EQ(loaded.settings, saved.settings);
    EXPECT_EQ(loaded.badges, saved.badges);
    // Slots 103 and 104 are not read back; their scores share slots with
    // the ring counts of levels 4 and 5, which are, so only their own ring
    // slots keep what they held. Slots past the last ring count are not
    // part of the store at all.
    for (int i = 0; i < kScoreSlots; ++i) {
        bool unread = i >= kRingBase + 103 * 3;
        EXPECT_EQ(loaded.scores[i], unread ? -77 : saved.scores[i]) << "slot " << i;
    }
    ASSERT_EQ(result.messages.size(), size_t(2 + 103));
    EXPECT_EQ(result.messages[0], "Settings Loaded");
    EXPECT_EQ(result.messages[1], "Badges Loaded");
    EXPECT_EQ(result.messages[2], "Highscore 0 Loaded");
    EXPECT_EQ(result.messages.back(), "Highscore 102 Loaded");
    EXPECT_EQ(result.cursor, 26 + 9 + 103 * 7);
}

TEST(SavedString, OneChangedDigitResetsOnlyItsBlock) {
    const std::string good = Text(nx_savedata_Build(KnownState().view()));
    auto load_with_piece = [&](int piece, const std::string& value, Records& into) {
        std::vector<std::string> pieces = SplitPieces(good);
        pieces[piece] = value;
        return nx_savedata_Parse(String(Join(pieces).c_str()), into.view());
    };
    const Records known = KnownState();

    Records settings_damaged;
    SavedLoadResult result = load_with_piece(24, "2147483646", settings_damaged);
    EXPECT_EQ(result.messages[0], "Settings Checksum Invalid");
    EXPECT_EQ(result.messages[1], "Badges Loaded");
    std::array<int, kSettingsSlots> reset{};
    reset[5] = 1, reset[10] = reset[11] = 64, reset[12] = 10, reset[14] = 1;
    EXPECT_EQ(settings_damaged.settings, reset);
    EXPECT_EQ(settings_damaged.badges, known.badges);
    EXPECT_EQ(settings_damaged.scores, known.scores);

    Records badges_damaged;
    result = load_with_piece(26 + 7, "4", badges_damaged);
    EXPECT_EQ(result.messages[0], "Settings Loaded");
    EXPECT_EQ(result.messages[1], "Badge Checksum Invalid");
    EXPECT_EQ(badges_damaged.badges, (std::array<bool, kBadgeFlags>{}));
    EXPECT_EQ(badges_damaged.settings, known.settings);
    EXPECT_EQ(badges_damaged.scores, known.scores);

    // Level 2's best score 2000000000 becomes 2000000001: its six values
    // are reset, yet its ring count of 10 already moved the list on.
    Records level_damaged;
    result = load_with_piece(35 + 7, "2000000001", level_damaged);
    EXPECT_EQ(result.messages[2], "Highscore 0 Loaded");
    EXPECT_EQ(result.messages[3], "Highscore 1 Checksum Invalid");
    EXPECT_EQ(result.messages[4], "Highscore 2 Loaded");
    EXPECT_EQ(level_damaged.scores[3], 0);
    // Its ring counts come back from slot 101, which writes the same slots
    // as its scores and whose checksum still holds.
    EXPECT_EQ(level_damaged.scores[303], 10);
    EXPECT_EQ(level_damaged.scores[0], 120);
    EXPECT_EQ(level_damaged.scores[8], -5);
    EXPECT_EQ(level_damaged.settings, known.settings);
    EXPECT_EQ(result.menuSel, 3);
}

TEST(SavedString, ShortStringLoadsOnlyCompleteBlocks) {
    const std::vector<std::string> full = SplitPieces(Text(nx_savedata_Build(KnownState().view())));
    auto first = [&](int count) {
        return String(Join(std::vector<std::string>(full.begin(), full.begin() + count)).c_str());
    };

    // 25 pieces: no settings block; the badge test then looks at pieces
    // 0..8, which fail as badge words.
    Records r;
    r.settings[3] = 33;
    SavedLoadResult result = nx_savedata_Parse(first(25), r.view());
    EXPECT_EQ(r.settings[3], 33);
    EXPECT_EQ(r.settings[10], 64);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0], "Badge Checksum Invalid");

    // Settings, badges and three slots' worth: only slot 0 has 21 pieces.
    Records partial;
    partial.scores[3] = 9;
    result = nx_savedata_Parse(first(35 + 21), partial.view());
    ASSERT_EQ(result.messages.size(), 3u);
    EXPECT_EQ(result.messages[2], "Highscore 0 Loaded");
    EXPECT_EQ(partial.scores[0], 120);
    EXPECT_EQ(partial.scores[3], 9);
    EXPECT_EQ(result.menuSel, 2);
    EXPECT_EQ(result.cursor, 42);
}

TEST(SavedString, HostileStoresLoadQuicklyAndStayInRange) {
    // Bytes that are no text, a separator storm, one endless number and
    // absurd values: nothing is read outside the arrays, nothing hangs.
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += char((i * 37) & 0xff);
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& text : {binary, std::string(10 << 20, '|'), std::string(10 << 20, '9')}) {
        Records r;
        SavedLoadResult result = nx_savedata_Parse(String(text.c_str(), int(text.size())), r.view());
        EXPECT_GE(result.menuSel, 1);
        EXPECT_LE(result.menuSel, kOptionsItem);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    // A ring count in a slot beyond level 100 (only an edited store has one).
    Records absurd = KnownState();
    absurd.scores[kRingBase + 102 * 3] = 2147483647;
    absurd.scores[300] = -2147483647 - 1;
    Records loaded;
    SavedLoadResult result = nx_savedata_Parse(nx_savedata_Build(absurd.view()), loaded.view());
    EXPECT_EQ(result.menuSel, kOptionsItem);
    EXPECT_EQ(loaded.scores[300], -2147483647 - 1);
}

TEST(FinishedGameRecord, EqualScoreRanksBelowTheStoredOne) {
    std::vector<int> scores(kScoreSlots);
    scores[12] = 500, scores[13] = 300, scores[14] = 100;  // level 5
    EXPECT_EQ(nx_savedata_RecordGame(scores.data(), 5, 500, 0), 1);
    EXPECT_EQ(std::vector<int>(scores.begin() + 12, scores.begin() + 15), (std::vector<int>{500, 500, 300}));
    EXPECT_EQ(nx_savedata_RecordGame(scores.data(), 5, 300, 0), -1);
    EXPECT_EQ(nx_savedata_RecordGame(scores.data(), 5, 900, 0), 0);
    EXPECT_EQ(std::vector<int>(scores.begin() + 12, scores.begin() + 15), (std::vector<int>{900, 500, 500}));
}

// Loading and recording through the game object and its host's store.
class SavedDataGame : public GameFixture {
protected:
    std::string load(const std::string& state) {
        host.state = String(state.c_str(), int(state.size()));
        testing::internal::CaptureStdout();
        app->p_Load();
        return testing::internal::GetCapturedStdout();
    }
    void finishGame(int level, int score, float rings) {
        app->m_level = level;
        app->m_menuSel = level;
        app->m_score = score;
        app->m_players[31] = rings;
        app->p_LoadMenu();
    }
};

TEST_F(SavedDataGame, EmptyStoreGivesTheFirstRunState) {
    for (int& value : app->m_settings) value = 0;
    app->m_settings[5] = 1;
    EXPECT_EQ(load(""), "");
    EXPECT_EQ(app->m_settings[5], 1);
    EXPECT_EQ(app->m_settings[10], 64);
    EXPECT_EQ(app->m_settings[11], 64);
    EXPECT_EQ(app->m_settings[12], 10);
    EXPECT_EQ(app->m_settings[14], 1);
    EXPECT_EQ(app->m_menuSel, 1);
    EXPECT_EQ(app->m_listScroll, 0);
    EXPECT_EQ(app->m_listScrollTarget, 0);
    EXPECT_EQ(app->m_scores[300], 0);
    EXPECT_EQ(app->m_bgG, 40);
    EXPECT_EQ(app->m_bgB, 80);
}

TEST_F(SavedDataGame, LoadPrintsEachBlockAndOpensTheListAfterTheLastCompletedLevel) {
    std::string state = Text(nx_savedata_Build(KnownState().view()));
    std::vector<std::string> pieces = SplitPieces(state);
    pieces[35 + 7 * 2 + 4] = "-4";  // level 3's rank-2 score -5 becomes -4
    std::string out = load(Join(pieces));
    EXPECT_EQ(out.rfind("Settings Loaded\nBadges Loaded\nHighscore 0 Loaded\n", 0), 0u);
    EXPECT_NE(out.find("\nHighscore 1 Loaded\nHighscore 2 Checksum Invalid\nHighscore 3 Loaded\n"), std::string::npos);
    EXPECT_NE(out.find("\nHighscore 102 Loaded\n"), std::string::npos);
    EXPECT_EQ(out.find("Highscore 103"), std::string::npos);
    EXPECT_EQ(app->m_menuSel, 3);  // level 2 has 10 rings
    EXPECT_EQ(app->m_listScroll, -176);
    EXPECT_EQ(app->m_loadCursor, 756);
    EXPECT_EQ(app->m_scores[3], 2000000000);
}

TEST_F(SavedDataGame, CompletingALevelMovesTheListOnAndSaves) {
    load("");
    host.saves = 0;
    finishGame(7, 250, 5);
    EXPECT_EQ(app->m_menuSel, 8);
    EXPECT_EQ(app->m_listScrollTarget, -7 * 88);
    EXPECT_EQ(app->m_listScrollSpeed, 0);
    EXPECT_EQ(app->m_newRank, 0);
    EXPECT_EQ(host.saves, 1);

    // The store now holds level 7's record with a valid checksum.
    Records reloaded;
    SavedLoadResult result = nx_savedata_Parse(host.state, reloaded.view());
    EXPECT_EQ(result.messages[2 + 6], "Highscore 6 Loaded");
    EXPECT_EQ(reloaded.scores[18], 250);
    EXPECT_EQ(reloaded.scores[318], 5);

    // Fewer rings keep the best count; the history still moves on.
    finishGame(7, 100, 4);
    EXPECT_EQ(app->m_menuSel, 7);
    EXPECT_EQ(app->m_newRank, 1);
    EXPECT_EQ(host.saves, 2);
    EXPECT_EQ(app->m_scores[318], 5);
    EXPECT_EQ(app->m_scores[319], 5);
    EXPECT_EQ(app->m_scores[320], 0);
}

TEST_F(SavedDataGame, DebugSwitchPrintsTheSavedString) {
    nx_ZuDizaz_DebugMode = 1;
    testing::internal::CaptureStdout();
    app->p_Save();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, Text(host.state) + "\n");
    nx_ZuDizaz_DebugMode = 0;
}
