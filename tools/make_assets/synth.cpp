// Voice rendering. Phase is accumulated sample by sample so pitch glides stay smooth.
#include "tools/make_assets/synth.h"

#include <algorithm>
#include <cmath>

#include "tools/make_assets/wav_file.h"

namespace assets {

namespace {

constexpr float kTwoPi = 6.28318530718f;
constexpr float kEdgeFadeSeconds = 0.004f;
constexpr float kVoiceReleaseSeconds = 0.006f;

float Envelope(const Voice& voice, float t) {
    float rise = voice.attack > 0 ? std::fmin(t / voice.attack, 1.0f) : 1.0f;
    float fall = std::exp(-std::fmax(t - voice.attack, 0.0f) / voice.decay);
    float release = std::fmin((voice.length - t) / kVoiceReleaseSeconds, 1.0f);
    return rise * fall * std::fmax(release, 0.0f);
}

float Wave(Timbre timbre, float phase, float t) {
    switch (timbre) {
        case Timbre::kSine:
            return std::sin(phase);
        case Timbre::kBell:
            return std::sin(phase) + 0.35f * std::exp(-t / 0.08f) * std::sin(phase * 2.76f) +
                   0.2f * std::exp(-t / 0.04f) * std::sin(phase * 5.4f);
        case Timbre::kSoftSquare:
            return std::sin(phase) + std::sin(3 * phase) / 3 + std::sin(5 * phase) / 5 +
                   std::sin(7 * phase) / 7;
        case Timbre::kNoise:
            return 0.0f;
    }
    return 0.0f;
}

void AddVoice(std::vector<float>& mix, const Voice& voice, NoiseSource& noise) {
    int first = static_cast<int>(voice.start * kSampleRate);
    int count = static_cast<int>(voice.length * kSampleRate);
    float phase = 0;
    float filtered = 0;
    for (int i = 0; i < count && first + i < static_cast<int>(mix.size()); ++i) {
        float t = static_cast<float>(i) / kSampleRate;
        float frequency =
            voice.frequency * std::pow(voice.endFrequency / voice.frequency, t / voice.length);
        phase += kTwoPi * frequency / kSampleRate;
        float sample = Wave(voice.timbre, phase, t);
        if (voice.timbre == Timbre::kNoise) {
            // One-pole low-pass: the glide frequency moves the brightness of the noise.
            float smoothing = std::fmin(kTwoPi * frequency / kSampleRate, 1.0f);
            filtered += smoothing * (noise.Next() - filtered);
            sample = filtered * 2.0f;
        }
        mix[first + i] += sample * voice.amplitude * Envelope(voice, t);
    }
}

void FadeEdges(std::vector<float>& samples) {
    size_t fade = static_cast<size_t>(kEdgeFadeSeconds * kSampleRate);
    for (size_t i = 0; i < fade && i < samples.size(); ++i) {
        float gain = static_cast<float>(i) / fade;
        samples[i] *= gain;
        samples[samples.size() - 1 - i] *= gain;
    }
}

}  // namespace

std::vector<float> Render(const std::vector<Voice>& voices, float peak) {
    float end = 0;
    for (const Voice& v : voices) end = std::fmax(end, v.start + v.length);
    std::vector<float> mix(static_cast<size_t>(end * kSampleRate) + 1, 0.0f);
    NoiseSource noise;
    for (const Voice& v : voices) AddVoice(mix, v, noise);
    float loudest = 0;
    for (float s : mix) loudest = std::fmax(loudest, std::fabs(s));
    if (loudest > 0) {
        for (float& s : mix) s *= peak / loudest;
    }
    FadeEdges(mix);
    return mix;
}

float Semitones(float base, float semitones) {
    return base * std::pow(2.0f, semitones / 12.0f);
}

}  // namespace assets
