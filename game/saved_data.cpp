// The saved string and the level records: building and parsing the string
// (pure, on plain arrays), and the game object's p_Save, p_Load and
// p_LoadMenu, which connect them to the host's state store and the console.
// Checksums are 32-bit sums that wrap, done in unsigned arithmetic so that a
// wrap is defined behaviour.
#include "game/saved_data.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "framework/app.h"
#include "game/ids.h"
#include "game/my_app.h"
#include "runtime/error.h"

namespace {

constexpr int kSettingsPieces = kSettingsSlots + 1;
// Loading reads a level slot only while 21 pieces remain from its first one,
// so the last two slots of a full string are never read back.
constexpr int kLevelLookahead = 21;
// Every test the loader makes on the piece count compares it with a number
// below this, so a store with more pieces loads as one with exactly this
// many; counting stops here to keep a huge store cheap.
constexpr int kPieceLimit = kSettingsPieces + kBadgeWords + 1 + (kLevelSlots - 1) * kLevelNumbers + kLevelLookahead;
// ToInt reads no further than this, so a piece is never copied whole.
constexpr int kNumberChars = 63;
constexpr Char kSeparator = '|';

// Settings the desktop repairs on every load (an on-screen pad's placement,
// which the desktop game keeps but never shows, and the overscan margin).
constexpr int kPadX = 10, kPadBottom = 11, kPadSize = 12, kOverscan = 14;
constexpr int kPadMinPlace = 64, kPadMinSize = 8, kPadDefaultSize = 10;

uint32_t Unsigned(int value) { return static_cast<uint32_t>(value); }
int Signed(uint32_t value) { return static_cast<int>(value); }

int SettingsChecksum(const int* settings) {
    uint32_t sum = 0;
    for (int i = 0; i < kSettingsSlots; ++i) sum += Unsigned(settings[i]) * Unsigned(i);
    return Signed(sum);
}

int BadgeWord(const bool* badges, int word) {
    uint32_t bits = 0;
    for (int j = 0; j < kBadgeBits; ++j)
        if (badges[word * kBadgeBits + j]) bits |= 1u << j;
    return Signed(bits);
}

int BadgeChecksum(const bool* badges) {
    uint32_t sum = 0;
    for (int w = 0; w < kBadgeWords; ++w) sum += Unsigned(BadgeWord(badges, w));
    return Signed(sum);
}

int LevelChecksum(const int* scores, int slot) {
    uint32_t sum = 0;
    for (int k = 0; k < kRanks; ++k) {
        sum += Unsigned(k + 4) * Unsigned(scores[ScoreIndex(slot, k)]);
        sum += Unsigned(slot + k + 3) * Unsigned(scores[RingIndex(slot, k)]);
    }
    return Signed(sum);
}

void AppendNumber(std::string& out, int value) {
    out += std::to_string(value);
    out += '|';
}

// The pieces of the text split by "|", found by their bounds and counted
// up to kPieceLimit; a piece's number is read as ToInt reads it.
class Pieces {
public:
    explicit Pieces(const String& text) : text_(text) {
        int start = 0;
        for (int i = 0; i < text.Length() && int(starts_.size()) + 1 < kPieceLimit; ++i) {
            if (text[i] != kSeparator) continue;
            starts_.push_back(start);
            ends_.push_back(i);
            start = i + 1;
        }
        starts_.push_back(start);
        ends_.push_back(text.Length());
    }
    int Count() const { return int(starts_.size()); }
    int Number(int index) const {
        int start = starts_[index];
        return text_.Slice(start, std::min(ends_[index], start + kNumberChars)).ToInt();
    }

private:
    const String& text_;
    std::vector<int> starts_, ends_;
};

void ReadSettings(const Pieces& pieces, const SavedRecords& records, SavedLoadResult& result) {
    for (int i = 0; i < kSettingsSlots; ++i) records.settings[i] = pieces.Number(result.cursor + i);
    result.cursor += kSettingsSlots;
    int stored = pieces.Number(result.cursor++);
    if (stored == SettingsChecksum(records.settings)) {
        result.messages.push_back("Settings Loaded");
        return;
    }
    result.messages.push_back("Settings Checksum Invalid");
    std::fill_n(records.settings, kSettingsSlots, 0);
    records.settings[kSettingSoundMode] = kSoundEffectsAndMusic;
}

void RepairSettings(int* settings) {
    if (settings[kPadX] < kPadMinPlace) settings[kPadX] = kPadMinPlace;
    if (settings[kPadBottom] < kPadMinPlace) settings[kPadBottom] = kPadMinPlace;
    if (settings[kPadSize] < kPadMinSize) settings[kPadSize] = kPadDefaultSize;
    settings[kOverscan] = 1;
}

void ReadBadges(const Pieces& pieces, const SavedRecords& records, SavedLoadResult& result) {
    for (int w = 0; w < kBadgeWords; ++w) {
        uint32_t word = Unsigned(pieces.Number(result.cursor + w));
        for (int j = 0; j < kBadgeBits; ++j) records.badges[w * kBadgeBits + j] = (word >> j) & 1u;
    }
    result.cursor += kBadgeWords;
    int stored = pieces.Number(result.cursor++);
    if (stored == BadgeChecksum(records.badges)) {
        result.messages.push_back("Badges Loaded");
        return;
    }
    result.messages.push_back("Badge Checksum Invalid");
    std::fill_n(records.badges, kBadgeFlags, false);
}

void ReadLevel(const Pieces& pieces, const SavedRecords& records, int slot, SavedLoadResult& result) {
    int* scores = records.scores;
    for (int k = 0; k < kRanks; ++k) {
        scores[ScoreIndex(slot, k)] = pieces.Number(result.cursor + 2 * k);
        scores[RingIndex(slot, k)] = pieces.Number(result.cursor + 2 * k + 1);
    }
    result.cursor += 2 * kRanks;
    int stored = pieces.Number(result.cursor++);
    const std::string name = "Highscore " + std::to_string(slot);
    if (stored == LevelChecksum(scores, slot)) {
        result.messages.push_back(name + " Loaded");
        return;
    }
    result.messages.push_back(name + " Checksum Invalid");
    for (int k = 0; k < kRanks; ++k) scores[ScoreIndex(slot, k)] = scores[RingIndex(slot, k)] = 0;
}

// The list opens after the last completed level, judged by the records as
// loaded, so a block that failed its checksum (reset by then) has no say, and
// by the best ring count, the one that unlocks the next level, so the list
// never opens on a locked level. An edited ring count in a slot beyond level
// 100 opens it at the options item.
int ItemAfterLastCompleted(const int* scores) {
    for (int slot = kLevelSlots - 1; slot >= 0; --slot)
        if (scores[RingIndex(slot, 0)] > kRingsToComplete) return std::min(slot + 2, kOptionsItem);
    return 1;
}

// The two top-three lists, highest first, merged into `into`. The copies
// share their past (each loaded the same store), so a score found in both
// counts once; that keeps every rank at least as high as in either list.
void MergeTopThree(int* into, const int* other) {
    std::array<int, kRanks> mine, theirs;
    std::copy_n(into, kRanks, mine.begin());
    std::copy_n(other, kRanks, theirs.begin());
    std::sort(mine.rbegin(), mine.rend());
    std::sort(theirs.rbegin(), theirs.rend());
    // Each step takes at least one entry, so neither index passes the rank.
    for (int k = 0, i = 0, j = 0; k < kRanks; ++k) {
        const bool same = mine[i] == theirs[j];
        into[k] = (same || mine[i] > theirs[j]) ? mine[i++] : theirs[j++];
        if (same) ++j;
    }
}

SavedRecords RecordsOf(c_MyApp& app) { return {app.m_settings.begin(), app.m_badgeGot.begin(), app.m_scores.begin()}; }

// The ball record's slot holding the rings collected in the game just finished.
constexpr int kBallRings = 31;

}  // namespace

String nx_savedata_Build(const SavedRecords& records) {
    std::string out;
    out.reserve(kSavedNumbers * 12);
    for (int i = 0; i < kSettingsSlots; ++i) AppendNumber(out, records.settings[i]);
    AppendNumber(out, SettingsChecksum(records.settings));
    for (int w = 0; w < kBadgeWords; ++w) AppendNumber(out, BadgeWord(records.badges, w));
    AppendNumber(out, BadgeChecksum(records.badges));
    for (int slot = 0; slot < kLevelSlots; ++slot) {
        for (int k = 0; k < kRanks; ++k) {
            AppendNumber(out, records.scores[ScoreIndex(slot, k)]);
            AppendNumber(out, records.scores[RingIndex(slot, k)]);
        }
        AppendNumber(out, LevelChecksum(records.scores, slot));
    }
    return String(out.c_str(), int(out.size()));
}

SavedLoadResult nx_savedata_Parse(const String& text, const SavedRecords& records) {
    Pieces pieces(text);
    SavedLoadResult result;
    if (pieces.Count() >= kSettingsPieces) ReadSettings(pieces, records, result);
    RepairSettings(records.settings);
    if (result.cursor + kBadgeWords < pieces.Count()) ReadBadges(pieces, records, result);
    for (int slot = 0; slot < kLevelSlots; ++slot)
        if (result.cursor + kLevelLookahead - 1 < pieces.Count()) ReadLevel(pieces, records, slot, result);
    result.menuSel = ItemAfterLastCompleted(records.scores);
    return result;
}

void nx_savedata_MergeRecords(const SavedRecords& records, const SavedRecords& stored) {
    for (int slot = 0; slot < kLastLevel; ++slot) {
        MergeTopThree(records.scores + ScoreIndex(slot, 0), stored.scores + ScoreIndex(slot, 0));
        for (int k = 0; k < kRanks; ++k)
            records.scores[RingIndex(slot, k)] = std::max(records.scores[RingIndex(slot, k)], stored.scores[RingIndex(slot, k)]);
    }
    for (int i = 0; i < kBadgeFlags; ++i) records.badges[i] = records.badges[i] || stored.badges[i];
}

void nx_savedata_MergeStored(const String& text, const SavedRecords& records) {
    // Zeroed, so a block missing from the text or reset by its checksum
    // merges as no record at all.
    std::array<int, kSettingsSlots> settings{};
    std::array<bool, kBadgeFlags> badges{};
    std::vector<int> scores(kScoreSlots);
    const SavedRecords stored{settings.data(), badges.data(), scores.data()};
    nx_savedata_Parse(text, stored);
    nx_savedata_MergeRecords(records, stored);
}

int nx_savedata_RecordGame(int* scores, int level, int score, float rings) {
    if (level < 1 || level > kLevelSlots) return -1;  // no record to keep
    const int slot = level - 1;
    int rank = -1;
    for (int k = 0; k < kRanks && rank < 0; ++k)
        if (scores[ScoreIndex(slot, k)] < score) rank = k;
    if (rank >= 0) {
        for (int k = kRanks - 1; k > rank; --k) scores[ScoreIndex(slot, k)] = scores[ScoreIndex(slot, k - 1)];
        scores[ScoreIndex(slot, rank)] = score;
    }
    int* rings_history = scores + RingIndex(slot, 0);
    rings_history[2] = rings_history[1];
    rings_history[1] = rings_history[0];
    if (rings > float(rings_history[0])) rings_history[0] = int(rings);
    return rank;
}

void c_MyApp::p_TakeStoredRecords() { nx_savedata_MergeStored(nx_app_LoadState(), RecordsOf(*this)); }

// Another copy of the game may have saved since this one loaded, so a save
// first takes in what is stored: it never lowers a record.
int c_MyApp::p_Save() {
    p_TakeStoredRecords();
    String text = nx_savedata_Build(RecordsOf(*this));
    nx_app_SaveState(text);
    if (nx_ZuDizaz_DebugMode == 1) nxPrint(text);
    return 0;
}

int c_MyApp::p_Load() {
    String text = nx_app_LoadState();
    if (nx_ZuDizaz_DebugMode == 1) nxPrint(text);
    m_bgR = 0, m_bgG = 40, m_bgB = 80;
    SavedLoadResult result = nx_savedata_Parse(text, RecordsOf(*this));
    for (const std::string& line : result.messages) nxPrint(String(line.c_str()));
    nx_ZuDizaz_overscan = 0;
    m_loadCursor = result.cursor;
    p_ListJumpTo(result.menuSel);
    return 0;
}

int c_MyApp::p_LoadMenu() {
    const float rings = m_players[kBallRings];
    m_newRank = nx_savedata_RecordGame(m_scores.begin(), m_level, m_score, rings);
    if (rings > kRingsToComplete) p_ListSlideToNext();
    p_Save();
    return 0;
}
