// The sound effects of the data directory, by the id the game loads them with.
#pragma once

#include <vector>

namespace assets {

struct SoundFile {
    int id;
    std::vector<float> samples;  // mono, at kSampleRate
};

std::vector<SoundFile> MakeSounds();

}  // namespace assets
