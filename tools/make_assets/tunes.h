// The game's two tunes as data: chords and melody bar by bar, and the parts that play
// them. A bar is written as space-separated steps that share it equally, so
// "C5 - E5 G5" is a half note and two quarters, and sixteen steps are sixteenth notes.
// A step is "-" to hold what sounds, "." for silence, or:
//   in a melody, a note with its octave: C5, F#4, Bb3 (A4 is 440 Hz);
//   in a chord part, the chord's tones sounded together, by number: 1 root, 3 third,
//   5 fifth, 8 octave; so "1" is the root alone and "135" the whole chord;
//   in a drum part, x for a hit and X for an accented one.
// Both tunes keep to the C major scale, the scale the ring jingles climb, so a jingle
// played over either one is in tune with it.
#pragma once

#include "tools/make_assets/instruments.h"

namespace assets {

struct Bar {
    const char* chords;  // "C", "Am", or two that share the bar: "Dm G"
    const char* melody;
};

struct Part {
    Instrument instrument;
    const char* steps;  // one bar, played in every bar; null plays the bars' melody
    const char* fill;   // played instead in the last bar of every eight; null: no fill
    int octave;         // chord parts: the octave the chord's root sits in
    float level;        // loudness in the mix
    float pan;          // -1 left … 1 right
    float echo;         // share sent to the echo
};

struct Tune {
    const char* name;  // the file's name below music/, without ".ogg"
    int beatsPerMinute;  // four beats a bar
    const Bar* bars;
    int barCount;
    const Part* parts;
    int partCount;
};

extern const Tune kTitleTune;
extern const Tune kPlayTune;

}  // namespace assets
