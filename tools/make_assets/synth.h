// A very small synthesiser for the sound effects: voices (tones with a pitch glide,
// a timbre and an attack/decay envelope) mixed into a mono buffer, then levelled and
// faded at both ends. Noise comes from a fixed-seed generator, so sounds repeat exactly.
#pragma once

#include <cstdint>
#include <vector>

namespace assets {

// A fixed-seed linear congruential generator: white noise in -1..1, the same every run.
class NoiseSource {
  public:
    float Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<float>(state_ >> 8) / 8388608.0f - 1.0f;
    }

  private:
    uint32_t state_ = 22222u;
};

enum class Timbre {
    kSine,        // pure tone
    kBell,        // sine with two inharmonic partials that die away faster
    kSoftSquare,  // odd harmonics with falling weight: a mellow chip-tune tone
    kNoise,       // filtered noise; frequency sets the filter's brightness
};

struct Voice {
    float start;         // seconds
    float length;        // seconds
    float frequency;     // Hz at the start
    float endFrequency;  // Hz at the end (a glide); equal to frequency for a steady note
    float amplitude;     // before levelling
    Timbre timbre;
    float attack;  // seconds of linear rise
    float decay;   // seconds for the level to fall to about a third
};

// Mixes the voices, scales the result so its peak is `peak` (below full scale), and
// fades the first and last few milliseconds so the sound starts and ends in silence.
std::vector<float> Render(const std::vector<Voice>& voices, float peak);

// The frequency of a note `semitones` above `base`.
float Semitones(float base, float semitones);

}  // namespace assets
