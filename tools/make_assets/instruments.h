// The instruments the tunes are played on: each is a recipe of band-limited harmonics
// and filtered noise under an attack/decay/sustain/release envelope. A note comes out as
// a mono buffer that starts and ends at zero; placing it in a mix is the caller's business.
#pragma once

#include <vector>

#include "tools/make_assets/synth.h"

namespace assets {

enum class Instrument {
    kFlute,       // soft lead: odd harmonics falling fast, a slow vibrato
    kSquareLead,  // brighter chip-tune lead
    kPad,         // two detuned, rounded saw tones under a slow swell
    kPluck,       // harp-like: overtones die away long before the fundamental
    kBass,        // round and short, its overtones fading after the pluck
    kKick,        // a sine falling in pitch: a soft thump
    kSnare,       // a noise burst over a short low tone
    kHat,         // a tick of high noise
};

// The note played for `heldSeconds`, then released; the buffer includes the release.
// Drums sound at their own pitch and ignore `frequency`.
std::vector<float> PlayNote(Instrument instrument, float frequency, float heldSeconds,
                            NoiseSource& noise);

}  // namespace assets
