// The saved string: the game's settings, badge flags and level records as one
// line of decimal numbers, each block followed by its checksum, so that a
// damaged or edited store loses only the blocks it touched. Building,
// parsing and recording a finished game are pure: they work on plain arrays
// and need no host, window or game object. saved_data.cpp connects them to
// c_MyApp and the host's state store.
#pragma once

#include <string>
#include <vector>

#include "runtime/string.h"

constexpr int kSettingsSlots = 25;
constexpr int kSettingSoundMode = 5;  // the settings slot of the sound mode
constexpr int kBadgeWords = 8;
constexpr int kBadgeBits = 32;
constexpr int kBadgeFlags = kBadgeWords * kBadgeBits;
constexpr int kLevelSlots = 105;
constexpr int kRanks = 3;
constexpr int kScoreSlots = 1575;
// Ring counts follow the scores at this offset: [kRingBase + 3a + k].
constexpr int kRingBase = 300;
// Numbers in a full string: settings and checksum, badge words and checksum,
// and per level slot three score/ring pairs and a checksum.
constexpr int kLevelNumbers = 2 * kRanks + 1;
constexpr int kSavedNumbers = kSettingsSlots + 1 + kBadgeWords + 1 + kLevelSlots * kLevelNumbers;
// A best ring count above this completes a level and unlocks the next one.
constexpr int kRingsToComplete = 4;
// The last playable level; level slots beyond it only the save format sees.
constexpr int kLastLevel = 100;
// The level list's last item, the options item, just after the last level.
constexpr int kOptionsItem = kLastLevel + 1;

// Where level slot `slot` (level - 1) keeps its rank `rank` score and ring
// count in the scores array.
constexpr int ScoreIndex(int slot, int rank) { return slot * kRanks + rank; }
constexpr int RingIndex(int slot, int rank) { return kRingBase + slot * kRanks + rank; }

// Views of the game's persistent arrays: kSettingsSlots settings,
// kBadgeFlags badge flags and kScoreSlots level records.
struct SavedRecords {
    int* settings;
    bool* badges;
    int* scores;
};

// What loading found beside the records themselves.
struct SavedLoadResult {
    int cursor = 0;                     // pieces consumed
    int menuSel = 1;                    // the item after the last completed level, never a locked one
    std::vector<std::string> messages;  // console lines, in order
};

// The saved string for the records: kSavedNumbers numbers, each followed by "|".
String nx_savedata_Build(const SavedRecords& records);

// Reads `text` over the records: each complete block whose checksum matches
// is taken, a mismatching block is reset, a missing one keeps its values;
// then the settings are repaired. Never reads outside the arrays, whatever
// the text holds.
SavedLoadResult nx_savedata_Parse(const String& text, const SavedRecords& records);

// Keeps in `records` the better of them and `stored` for every playable
// level: the top three scores of both lists (a score both hold counts once,
// as both copies of the game loaded it from the same store), the higher ring
// count at each place of the ring history, and every badge either holds, so
// the unlocks follow. The settings are left alone: they are the writer's.
void nx_savedata_MergeRecords(const SavedRecords& records, const SavedRecords& stored);

// Parses `text` (another copy's save) into scratch arrays and merges the
// records of its valid blocks into `records`.
void nx_savedata_MergeStored(const String& text, const SavedRecords& records);

// Records a finished game of `level` (1-based) into the scores: the top three
// (an equal score ranks below the stored one) and the ring history. Returns
// the rank the score took, or -1.
int nx_savedata_RecordGame(int* scores, int level, int score, float rings);
