// Reading of the tunes' notation (described in tunes.h) into notes placed in samples.
// Pure: it needs no synthesis, so a tune can be read and checked on its own.
#pragma once

#include <vector>

#include "tools/make_assets/tunes.h"

namespace assets {

struct ScoreNote {
    long start;       // sample from the tune's start
    long held;        // samples the key is down; the instrument's release follows
    float frequency;  // Hz; 0 for a drum hit
    float velocity;   // 0..1
};

// Every note `part` plays through `tune`, bar after bar at `barSamples` a bar. False,
// with a message on stderr, for a step the notation does not know.
bool ReadPart(const Tune& tune, const Part& part, long barSamples, std::vector<ScoreNote>& notes);

}  // namespace assets
