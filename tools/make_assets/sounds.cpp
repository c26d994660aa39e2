// Recipes of the sound effects. They are short because the game plays them often and on
// 24 channels in turn; they are levelled well below full scale because several overlap
// and the game also plays them faster or slower (bounces at 0.6 to 1.4 times).
#include "game/ids.h"
#include "tools/make_assets/sounds.h"

#include <cstddef>

#include "tools/make_assets/synth.h"

namespace assets {

namespace {

constexpr float kPeak = 0.7f;
// Noisy and very frequent sounds are set lower so they sit under the tunes.
constexpr float kQuietPeak = 0.5f;
constexpr float kRingJingleBase = 523.25f;  // C5: the first ring's note
// A major scale in semitones; the n-th ring jingle starts on its n-th step.
constexpr float kMajorScale[] = {0, 2, 4, 5, 7, 9, 11, 12, 14, 16, 17, 19, 21, 23};

std::vector<Voice> RingCollected() {
    return {{0.00f, 0.30f, 1568.0f, 1568.0f, 0.6f, Timbre::kBell, 0.005f, 0.08f},
            {0.05f, 0.30f, 2093.0f, 2093.0f, 0.6f, Timbre::kBell, 0.005f, 0.10f},
            {0.05f, 0.25f, 3136.0f, 3136.0f, 0.12f, Timbre::kSine, 0.010f, 0.06f}};
}

std::vector<Voice> FlingAndBounce() {
    return {{0.0f, 0.14f, 190.0f, 520.0f, 0.8f, Timbre::kSine, 0.004f, 0.06f},
            {0.0f, 0.10f, 190.0f, 520.0f, 0.15f, Timbre::kSoftSquare, 0.004f, 0.03f}};
}

std::vector<Voice> BlockBroken() {
    return {{0.0f, 0.22f, 3500.0f, 900.0f, 0.9f, Timbre::kNoise, 0.001f, 0.05f},
            {0.0f, 0.16f, 150.0f, 60.0f, 0.7f, Timbre::kSine, 0.002f, 0.05f},
            {0.02f, 0.10f, 9000.0f, 6000.0f, 0.3f, Timbre::kNoise, 0.001f, 0.015f}};
}

std::vector<Voice> StartColumnMoved() {
    return {{0.0f, 0.06f, 880.0f, 990.0f, 0.5f, Timbre::kSoftSquare, 0.004f, 0.02f}};
}

std::vector<Voice> RingJingle(int ring) {
    float first = Semitones(kRingJingleBase, kMajorScale[ring - 1]);
    float third = Semitones(kRingJingleBase, kMajorScale[ring + 1]);
    return {{0.00f, 0.22f, first, first, 0.5f, Timbre::kBell, 0.005f, 0.07f},
            {0.07f, 0.30f, third, third, 0.5f, Timbre::kBell, 0.005f, 0.10f},
            {0.07f, 0.25f, third * 2, third * 2, 0.08f, Timbre::kSine, 0.005f, 0.06f}};
}

std::vector<Voice> Arpeggio(const std::vector<float>& semitones, float base, float spacing,
                            float ring, Timbre timbre) {
    std::vector<Voice> voices;
    for (std::size_t i = 0; i < semitones.size(); ++i) {
        float f = Semitones(base, semitones[i]);
        voices.push_back({spacing * i, ring, f, f, 0.45f, timbre, 0.005f, ring * 0.3f});
    }
    return voices;
}

std::vector<Voice> LevelFanfare() {
    std::vector<Voice> voices = Arpeggio({0, 4, 7, 12}, 523.25f, 0.09f, 0.35f, Timbre::kSoftSquare);
    for (float s : {0.0f, 4.0f, 7.0f}) {
        float f = Semitones(523.25f, s);
        voices.push_back({0.36f, 0.5f, f, f, 0.3f, Timbre::kBell, 0.003f, 0.18f});
    }
    return voices;
}

std::vector<Voice> LogoJingle() {
    // A falling sparkle that settles on a chord: the studio emblem catching the light.
    std::vector<Voice> voices = Arpeggio({19, 16, 12, 7}, 523.25f, 0.08f, 0.4f, Timbre::kBell);
    for (float s : {0.0f, 4.0f, 7.0f, 12.0f}) {
        float f = Semitones(523.25f, s);
        voices.push_back({0.34f, 0.85f, f, f, 0.3f, Timbre::kBell, 0.004f, 0.30f});
    }
    return voices;
}

std::vector<Voice> PauseConfirm() {
    return {{0.00f, 0.08f, 660.0f, 660.0f, 0.5f, Timbre::kSoftSquare, 0.003f, 0.04f},
            {0.07f, 0.10f, 990.0f, 990.0f, 0.5f, Timbre::kSoftSquare, 0.003f, 0.05f}};
}

std::vector<Voice> MenuClick() {
    return {{0.0f, 0.045f, 1400.0f, 1100.0f, 0.6f, Timbre::kSine, 0.001f, 0.012f},
            {0.0f, 0.020f, 6000.0f, 6000.0f, 0.2f, Timbre::kNoise, 0.0005f, 0.004f}};
}

}  // namespace

std::vector<SoundFile> MakeSounds() {
    std::vector<SoundFile> sounds = {
        {kSoundRing, Render(RingCollected(), kPeak)},
        {kSoundFlingAndBounce, Render(FlingAndBounce(), kQuietPeak)},
        {kSoundBreak, Render(BlockBroken(), kQuietPeak)},
        {kSoundStartColumn, Render(StartColumnMoved(), kPeak)},
        {kSoundFanfare, Render(LevelFanfare(), kPeak)},
        {kSoundLogoJingle, Render(LogoJingle(), kPeak)},
        {kSoundConfirm, Render(PauseConfirm(), kPeak)},
        {kSoundClick, Render(MenuClick(), kQuietPeak)},
    };
    for (int ring = 1; ring <= 10; ++ring)
        sounds.push_back({kSoundJingleBase + ring, Render(RingJingle(ring), kPeak)});
    return sounds;
}

}  // namespace assets
