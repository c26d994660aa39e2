// Instrument recipes and the playing of one note. Tones are sums of whole harmonics, each
// left out once it would reach past the Nyquist frequency, so high notes do not alias; the
// harmonics come from one sine and one cosine a sample by the Chebyshev recurrence, which
// keeps the generator quick. Every note rises from zero and releases to zero, so no note
// clicks where it starts or stops.
#include "tools/make_assets/instruments.h"

#include <cmath>

#include "tools/make_assets/wav_file.h"

namespace assets {

namespace {

constexpr double kTwoPi = 6.283185307179586;
// Harmonics stop a little short of Nyquist to leave room for vibrato.
constexpr float kHighestToneHz = 0.45f * kSampleRate;
constexpr float kFaintestHarmonic = 0.01f;
constexpr float kVibratoHz = 5.0f;
constexpr float kVibratoFadeInSeconds = 0.3f;
constexpr float kDrumGlideSeconds = 0.03f;

struct Envelope {
    float attack;   // seconds of linear rise
    float decay;    // seconds for the level to fall two thirds of the way to sustain
    float sustain;  // level held while the key is down, 0..1
    float release;  // seconds to fall to silence once the key is let go
};

struct Recipe {
    Instrument instrument;
    int highestHarmonic;     // 0: noise only; 1: a plain sine
    bool oddHarmonicsOnly;   // hollow, square- or triangle-like
    float harmonicFalloff;   // harmonic n weighs 1 / n^falloff
    float brightness;        // Hz above which the harmonics roll off: a gentle low-pass
    float overtoneFade;      // seconds for the overtones to fall to a third; 0: they hold
    float detune;            // two copies this fraction apart, for a chorus; 0: one copy
    float vibrato;           // depth as a fraction of the pitch
    // Hz at which a drum settles, 0: the note's pitch. The kick on A1 and the snare's
    // body on G3 are notes of the scale, so the drums do not muddy the key.
    float fixedPitch;
    float pitchDrop;         // a drum starts this many times higher and falls to its pitch
    float tone;              // share of the harmonic tone; the rest is noise
    float noiseLow, noiseHigh;  // Hz: the band the noise is filtered to
    Envelope envelope;
};

// Columns: instrument, highest harmonic, odd only, falloff, brightness, overtone fade,
// detune, vibrato, fixed pitch, pitch drop, tone, noise band, envelope.
constexpr Recipe kRecipes[] = {
    {Instrument::kFlute, 9, true, 2.0f, 2500, 0, 0, 0.004f, 0, 1, 1, 0, 0, {0.04f, 0.4f, 0.75f, 0.18f}},
    {Instrument::kSquareLead, 15, true, 1.0f, 3000, 0.5f, 0, 0.003f, 0, 1, 1, 0, 0, {0.008f, 0.2f, 0.55f, 0.08f}},
    {Instrument::kPad, 24, false, 1.0f, 1200, 0, 0.005f, 0, 0, 1, 1, 0, 0, {0.35f, 1.0f, 0.8f, 0.6f}},
    {Instrument::kPluck, 16, false, 1.0f, 3000, 0.08f, 0, 0, 0, 1, 1, 0, 0, {0.004f, 0.5f, 0, 0.15f}},
    {Instrument::kBass, 10, false, 1.5f, 600, 0.15f, 0, 0, 0, 1, 1, 0, 0, {0.006f, 0.4f, 0.5f, 0.08f}},
    {Instrument::kKick, 1, false, 1.0f, 20000, 0, 0, 0, 55, 3.0f, 1, 0, 0, {0.002f, 0.12f, 0, 0.05f}},
    {Instrument::kSnare, 1, false, 1.0f, 20000, 0, 0, 0, 196, 1.5f, 0.35f, 1200, 7000, {0.001f, 0.09f, 0, 0.05f}},
    {Instrument::kHat, 0, false, 1.0f, 20000, 0, 0, 0, 0, 1, 0, 6000, 12000, {0.001f, 0.025f, 0, 0.02f}},
};

const Recipe& RecipeOf(Instrument instrument) {
    for (const Recipe& recipe : kRecipes)
        if (recipe.instrument == instrument) return recipe;
    return kRecipes[0];
}

// The level while the key is down: a linear rise, then an exponential fall to sustain.
float HeldLevel(const Envelope& envelope, float t) {
    float rise = std::fmin(t / envelope.attack, 1.0f);
    float above = std::exp(-std::fmax(t - envelope.attack, 0.0f) / envelope.decay);
    return rise * (envelope.sustain + (1 - envelope.sustain) * above);
}

// After the key is let go the level falls along a parabola that lands on zero exactly.
float Level(const Envelope& envelope, float t, float held) {
    if (t < held) return HeldLevel(envelope, t);
    float left = 1 - (t - held) / envelope.release;
    return left <= 0 ? 0.0f : HeldLevel(envelope, held) * left * left;
}

// Weight of each harmonic (index 0 is the fundamental), scaled so every tone has the
// same power whatever its recipe or pitch; the loudness belongs to the mix. The list
// stops where the weights fall 40 dB under the fundamental's: fainter ones are not heard
// under it, and the summing of harmonics is most of the generator's work.
std::vector<float> HarmonicWeights(const Recipe& recipe, float frequency) {
    std::vector<float> weights;
    float power = 0;
    for (int n = 1; n <= recipe.highestHarmonic && n * frequency < kHighestToneHz; ++n) {
        float above = n * frequency / recipe.brightness;
        float weight = std::pow(float(n), -recipe.harmonicFalloff) / (1 + above * above);
        if (n > 1 && weight < kFaintestHarmonic * weights[0]) break;
        weights.push_back(recipe.oddHarmonicsOnly && n % 2 == 0 ? 0 : weight);
        power += weights.back() * weights.back();
    }
    for (float& weight : weights) weight /= std::sqrt(power);
    return weights;
}

// sin(n·phase) for n = 1, 2, … from sin(phase) and cos(phase) alone. The phase is kept
// in double so long notes do not drift; single precision is plenty for the sum.
float HarmonicSum(const std::vector<float>& weights, double phase, float overtoneGain) {
    const float first = std::sin(static_cast<float>(phase));
    const float twiceCosine = 2 * std::cos(static_cast<float>(phase));
    float previous = 0, current = first, overtones = 0;
    for (size_t n = 1; n < weights.size(); ++n) {
        float next = twiceCosine * current - previous;
        previous = current;
        current = next;
        overtones += weights[n] * current;
    }
    return weights.empty() ? 0.0f : weights[0] * first + overtoneGain * overtones;
}

// The noise's band: two one-pole high-passes and a one-pole low-pass in a row. The
// second high-pass keeps a hat's tick off the middle of the spectrum, where the tune is.
struct NoiseBand {
    float highPassSmoothing, lowPassSmoothing, first = 0, second = 0, band = 0;
    float Filter(float white) {
        first += highPassSmoothing * (white - first);
        const float once = white - first;
        second += highPassSmoothing * (once - second);
        band += lowPassSmoothing * ((once - second) - band);
        return band;
    }
};

float Smoothing(float cornerHz) {
    return 1 - std::exp(static_cast<float>(-kTwoPi) * cornerHz / kSampleRate);
}

float PitchAt(const Recipe& recipe, float frequency, float t) {
    if (recipe.fixedPitch > 0)
        return recipe.fixedPitch * (1 + (recipe.pitchDrop - 1) * std::exp(-t / kDrumGlideSeconds));
    float fadeIn = std::fmin(t / kVibratoFadeInSeconds, 1.0f);
    return frequency * (1 + recipe.vibrato * fadeIn * std::sin(float(kTwoPi) * kVibratoHz * t));
}

// The harmonic tone, sample by sample. With a detune it is two copies on either side of
// the pitch, beating slowly against each other while staying in tune on average.
class Oscillator {
  public:
    float Next(const Recipe& recipe, const std::vector<float>& weights, float pitch, float overtoneGain) {
        if (recipe.detune <= 0) return HarmonicSum(weights, Advance(flat_, pitch), overtoneGain);
        float low = HarmonicSum(weights, Advance(flat_, pitch * (1 - recipe.detune / 2)), overtoneGain);
        float high = HarmonicSum(weights, Advance(sharp_, pitch * (1 + recipe.detune / 2)), overtoneGain);
        return std::sqrt(0.5f) * (low + high);
    }

  private:
    static double Advance(double& phase, float pitch) {
        phase = std::fmod(phase + kTwoPi * pitch / kSampleRate, kTwoPi);
        return phase;
    }
    double flat_ = 0, sharp_ = 0;
};

}  // namespace

std::vector<float> PlayNote(Instrument instrument, float frequency, float heldSeconds,
                            NoiseSource& noise) {
    const Recipe& recipe = RecipeOf(instrument);
    const float base = recipe.fixedPitch > 0 ? recipe.fixedPitch * recipe.pitchDrop : frequency;
    const std::vector<float> weights = HarmonicWeights(recipe, base * (1 + recipe.vibrato));
    const float noiseGain = std::sqrt(0.5f * kSampleRate / std::fmax(recipe.noiseHigh - recipe.noiseLow, 1.0f));
    NoiseBand band{Smoothing(recipe.noiseLow), Smoothing(recipe.noiseHigh)};
    std::vector<float> note(static_cast<size_t>((heldSeconds + recipe.envelope.release) * kSampleRate));
    Oscillator oscillator;
    for (size_t i = 0; i < note.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float overtoneGain = recipe.overtoneFade > 0 ? std::exp(-t / recipe.overtoneFade) : 1.0f;
        const float tone = oscillator.Next(recipe, weights, PitchAt(recipe, frequency, t), overtoneGain);
        const float hiss = recipe.tone < 1 ? band.Filter(noise.Next()) * noiseGain : 0.0f;
        note[i] = (recipe.tone * tone + (1 - recipe.tone) * hiss) * Level(recipe.envelope, t, heldSeconds);
    }
    return note;
}

}  // namespace assets
