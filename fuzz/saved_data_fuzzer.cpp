// Feeds arbitrary bytes to the saved-data loader as the state file would
// hand them over: decoded as the host decodes the file, then parsed over
// the game's records. Whatever the bytes, loading must stay inside the
// arrays, end with the list on a real item, and leave records that save
// and load back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "game/saved_data.h"

namespace {

int settings[kSettingsSlots];
bool badges[kBadgeFlags];
int scores[kScoreSlots];
int reloadedScores[kScoreSlots];

// The ring counts of the last two level slots are never read back.
constexpr int kRestoredScores = kRingBase + (kLevelSlots - 2) * kRanks;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    std::memset(settings, 0, sizeof settings);
    std::memset(badges, 0, sizeof badges);
    std::memset(scores, 0, sizeof scores);
    SavedRecords records{settings, badges, scores};
    SavedLoadResult loaded = nx_savedata_Parse(String::Decode(bytes, size), records);
    if (loaded.menuSel < 1 || loaded.menuSel > kOptionsItem || loaded.cursor > kSavedNumbers) std::abort();

    int reloadedSettings[kSettingsSlots];
    bool reloadedBadges[kBadgeFlags];
    std::memcpy(reloadedScores, scores, sizeof scores);
    SavedRecords copy{reloadedSettings, reloadedBadges, reloadedScores};
    nx_savedata_Parse(nx_savedata_Build(records), copy);
    if (std::memcmp(reloadedSettings, settings, sizeof settings) != 0 ||
        std::memcmp(reloadedBadges, badges, sizeof badges) != 0 ||
        std::memcmp(reloadedScores, scores, kRestoredScores * sizeof(int)) != 0)
        std::abort();
    return 0;
}
