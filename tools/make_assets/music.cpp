// Rendering of a tune into its loop. Everything that rings past the loop's end, a release
// or an echo, is wrapped round and mixed into the start, so the loop's end runs into its
// start just as its middle runs on. The level is set by loudness, not by peak: the
// effects play over the music and must stay clearly audible above it.
#include "tools/make_assets/music.h"

#include <cmath>

#include "tools/make_assets/score.h"
#include "tools/make_assets/synth.h"
#include "tools/make_assets/tunes.h"
#include "tools/make_assets/wav_file.h"

namespace assets {

namespace {

constexpr float kTwoPi = 6.2831853f;
constexpr int kBeatsPerBar = 4;
// A dotted eighth: its repeats fall between the beats instead of doubling them.
constexpr float kEchoBeats = 0.75f;
constexpr float kEchoFeedback = 0.35f;
constexpr float kEchoDarkeningHz = 2500;  // each repeat a little duller than the last
// The ring and bounce effects measure about -16 dBFS RMS in their files, but play as
// centred mono sources, which come out about 4 dB lower on each side, while the stereo
// music plays at its file's level. Fourteen decibels under the effects' files leaves
// the music about ten under them as heard: a bed they cut through. The peak limit
// keeps Vorbis's overshoot off full scale.
constexpr float kLoudnessDecibels = -30;
constexpr float kPeakLimitDecibels = -3;

struct Loop {
    explicit Loop(long length) : left(length), right(length), echoSend(length) {}
    std::vector<float> left, right, echoSend;
};

float Amplitude(float decibels) { return std::pow(10.0f, decibels / 20); }

// Adds `sound` from `start` on, carrying what passes the end over to the start.
void AddWrapped(std::vector<float>& channel, long start, const std::vector<float>& sound, float gain) {
    const size_t length = channel.size();
    for (size_t i = 0; i < sound.size(); ++i) channel[(start + i) % length] += gain * sound[i];
}

bool AddPart(const Tune& tune, const Part& part, long barSamples, Loop& loop, NoiseSource& noise) {
    std::vector<ScoreNote> notes;
    if (!ReadPart(tune, part, barSamples, notes)) return false;
    // Equal-power panning: a part keeps its loudness wherever it is placed.
    const float angle = (part.pan + 1) * kTwoPi / 8;
    for (const ScoreNote& note : notes) {
        const float held = static_cast<float>(note.held) / kSampleRate;
        const std::vector<float> sound = PlayNote(part.instrument, note.frequency, held, noise);
        const float level = part.level * note.velocity;
        AddWrapped(loop.left, note.start, sound, level * std::cos(angle));
        AddWrapped(loop.right, note.start, sound, level * std::sin(angle));
        if (part.echo > 0) AddWrapped(loop.echoSend, note.start, sound, level * part.echo);
    }
    return true;
}

// A ping-pong echo: the first repeat on the left, the next on the right, and so on. It
// runs twice round the loop, so on the second pass the delay line already holds the
// repeats of the loop's end, as it will when the game plays the loop again.
void AddEcho(Loop& loop, long delay) {
    const long length = static_cast<long>(loop.left.size());
    const float smoothing = 1 - std::exp(-kTwoPi * kEchoDarkeningHz / kSampleRate);
    std::vector<float> toLeft(length), toRight(length);
    float darkened = 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (long i = 0; i < length; ++i) {
            const long from = (i - delay + length) % length;
            darkened += smoothing * (loop.echoSend[from] + kEchoFeedback * toRight[from] - darkened);
            toLeft[i] = darkened;
            toRight[i] = kEchoFeedback * toLeft[from];
        }
    }
    for (long i = 0; i < length; ++i) {
        loop.left[i] += toLeft[i];
        loop.right[i] += toRight[i];
    }
}

// Scales the loop to the loudness wanted, or lower if its peak would pass the limit.
void SetLevel(Loop& loop) {
    double power = 0;
    float peak = 0;
    for (const std::vector<float>* channel : {&loop.left, &loop.right}) {
        for (float s : *channel) {
            power += double(s) * s;
            peak = std::fmax(peak, std::fabs(s));
        }
    }
    const float loudness = static_cast<float>(std::sqrt(power / (2.0 * loop.left.size())));
    const float gain = std::fmin(Amplitude(kLoudnessDecibels) / loudness, Amplitude(kPeakLimitDecibels) / peak);
    for (std::vector<float>* channel : {&loop.left, &loop.right})
        for (float& s : *channel) s *= gain;
}

bool RenderTune(const Tune& tune, MusicFile& file) {
    // Whole beats of samples, so the loop is a whole number of bars to the sample.
    const long beatSamples = 60L * kSampleRate / tune.beatsPerMinute;
    const long barSamples = kBeatsPerBar * beatSamples;
    Loop loop(barSamples * tune.barCount);
    NoiseSource noise;
    for (int part = 0; part < tune.partCount; ++part)
        if (!AddPart(tune, tune.parts[part], barSamples, loop, noise)) return false;
    AddEcho(loop, std::lround(kEchoBeats * beatSamples));
    SetLevel(loop);
    file = {tune.name, std::move(loop.left), std::move(loop.right)};
    return true;
}

}  // namespace

std::vector<MusicFile> MakeMusic() {
    std::vector<MusicFile> files;
    for (const Tune* tune : {&kTitleTune, &kPlayTune}) {
        files.emplace_back();
        if (!RenderTune(*tune, files.back())) return {};
    }
    return files;
}

}  // namespace assets
