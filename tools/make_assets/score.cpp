// The notation reader. A step's first character tells what it is, a note name, chord
// tones or a drum hit, so one reader serves every part whatever its instrument.
#include "tools/make_assets/score.h"

#include <cctype>
#include <cstdio>
#include <sstream>
#include <string>

#include "tools/make_assets/synth.h"

namespace assets {

namespace {

constexpr int kA4 = 69;  // the note number of the tuning pitch
constexpr float kA4Hz = 440.0f;
constexpr int kNotesPerOctave = 12;
constexpr int kBarsPerFill = 8;
constexpr float kAccented = 1.0f, kUnaccented = 0.6f;
// Semitones above C of the letters A to G.
constexpr int kLetterSemitones[] = {9, 11, 0, 2, 4, 5, 7};

std::vector<std::string> Steps(const char* bar) {
    std::istringstream words(bar);
    std::vector<std::string> steps;
    for (std::string step; words >> step;) steps.push_back(step);
    return steps;
}

// The note number (C4 = 60) of a letter, an optional sharp or flat, and the octave
// given (`octave` < 0: the one written after the name); -1 if it is not a note.
int NoteNumber(const std::string& name, int octave = -1) {
    if (name.empty() || name[0] < 'A' || name[0] > 'G') return -1;
    int semitone = kLetterSemitones[name[0] - 'A'];
    size_t next = 1;
    if (next < name.size() && (name[next] == '#' || name[next] == 'b'))
        semitone += name[next++] == '#' ? 1 : -1;
    if (octave < 0) {
        if (next + 1 != name.size() || !std::isdigit(static_cast<unsigned char>(name[next]))) return -1;
        octave = name[next] - '0';
    }
    return (octave + 1) * kNotesPerOctave + semitone;
}

float Frequency(int noteNumber) { return Semitones(kA4Hz, float(noteNumber - kA4)); }

// Semitones above the chord's root of the chord tone `digit`, or -1.
int ChordTone(char digit, bool minor) {
    switch (digit) {
        case '1': return 0;
        case '3': return minor ? 3 : 4;
        case '5': return 7;
        case '8': return kNotesPerOctave;
        default: return -1;
    }
}

// The frequencies one step sounds (0 for a drum hit) and their velocity; false for a
// step that is none of a note, chord tones or a hit.
bool StepSounds(const std::string& step, const std::string& chord, int octave,
                std::vector<float>& frequencies, float& velocity) {
    velocity = step == "x" ? kUnaccented : kAccented;
    if (step == "x" || step == "X") {
        frequencies.push_back(0);
        return true;
    }
    if (NoteNumber(step) >= 0) {
        frequencies.push_back(Frequency(NoteNumber(step)));
        return true;
    }
    const bool minor = chord.size() > 1 && chord.back() == 'm';
    const int root = NoteNumber(minor ? chord.substr(0, chord.size() - 1) : chord, octave);
    for (char digit : step) {
        const int tone = ChordTone(digit, minor);
        if (tone < 0 || root < 0) return false;
        frequencies.push_back(Frequency(root + tone));
    }
    return true;
}

const char* BarSteps(const Tune& tune, const Part& part, int bar) {
    if (!part.steps) return tune.bars[bar].melody;
    return part.fill && bar % kBarsPerFill == kBarsPerFill - 1 ? part.fill : part.steps;
}

}  // namespace

bool ReadPart(const Tune& tune, const Part& part, long barSamples, std::vector<ScoreNote>& notes) {
    size_t sounding = notes.size();  // the notes a "-" holds on: those from here on
    for (int bar = 0; bar < tune.barCount; ++bar) {
        const std::vector<std::string> steps = Steps(BarSteps(tune, part, bar));
        const std::vector<std::string> chords = Steps(tune.bars[bar].chords);
        for (size_t i = 0; i < steps.size(); ++i) {
            const long start = bar * barSamples + long(i) * barSamples / long(steps.size());
            const long end = bar * barSamples + long(i + 1) * barSamples / long(steps.size());
            if (steps[i] == "-") {
                for (size_t n = sounding; n < notes.size(); ++n) notes[n].held = end - notes[n].start;
                continue;
            }
            sounding = notes.size();
            if (steps[i] == ".") continue;
            std::vector<float> frequencies;
            float velocity = 0;
            if (chords.empty() ||
                !StepSounds(steps[i], chords[i * chords.size() / steps.size()], part.octave, frequencies, velocity)) {
                std::fprintf(stderr, "make_assets: %s, bar %d: cannot read \"%s\"\n", tune.name, bar + 1, steps[i].c_str());
                return false;
            }
            for (float frequency : frequencies) notes.push_back({start, end - start, frequency, velocity});
        }
    }
    return true;
}

}  // namespace assets
