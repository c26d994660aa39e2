// The compositions. The melodies move in two-bar phrases that answer each other: a
// phrase that rises and stops open is followed by one that falls back home. They stay
// mostly in the fourth octave, under the ring jingles (C5 and up), so a jingle stands
// out on top. Tempos are chosen so a beat is a whole number of samples at 44.1 kHz.
#include "tools/make_assets/tunes.h"

#include <iterator>

namespace assets {

namespace {

// Calm, in C major: long notes over a gentle harp.
constexpr Bar kTitleBars[] = {
    {"C", "E4 - - - G4 - C5 -"},
    {"Am", "E5 - D5 - C5 - A4 -"},
    {"F", "A4 - - - G4 - F4 -"},
    {"G", "G4 - F4 - D4 - - -"},
    {"C", "E4 - - - G4 - C5 -"},
    {"Am", "C5 - E5 - A5 - G5 -"},
    {"Dm G", "F5 - E5 - D5 - B4 -"},
    {"C", "C5 - - - - - . ."},
    {"F", "C5 - A4 - F4 - A4 -"},
    {"G", "B4 - - - D5 - - -"},
    {"Em", "B4 - G4 - E4 - G4 -"},
    {"Am", "A4 - - - - - . ."},
    {"F", "A4 - - - C5 - A4 -"},
    {"G", "G4 - - - B4 - D5 -"},
    {"C", "E5 - D5 - C5 - G4 -"},
    {"G", "D5 - - - B4 - F4 -"},  // F4 leans on E4, where the tune starts again
};

constexpr Part kTitleParts[] = {
    {Instrument::kFlute, nullptr, nullptr, 0, 0.80f, 0.15f, 0.30f},
    {Instrument::kPluck, "1 5 8 5 3 5 8 5", nullptr, 4, 0.30f, -0.40f, 0.35f},
    {Instrument::kPad, "135 - - - - - - -", nullptr, 3, 0.22f, -0.10f, 0.0f},
    {Instrument::kBass, "1 - - - 5 - - -", nullptr, 2, 0.60f, 0.0f, 0.0f},
    {Instrument::kKick, "x . . . x . . .", nullptr, 0, 0.70f, 0.0f, 0.0f},
    {Instrument::kHat, ". x . x . x . x", nullptr, 0, 0.60f, 0.25f, 0.0f},
};

// Livelier, in A minor (the same notes as C major): a syncopated riff, answered in the
// middle by a phrase in three-three-two.
constexpr Bar kPlayBars[] = {
    {"Am", "E4 . A4 . C5 - B4 A4"},
    {"F", "C5 - A4 - F4 - . ."},
    {"C", "E4 . G4 . C5 - D5 C5"},
    {"G", "B4 - G4 - D4 - . ."},
    {"Am", "E4 . A4 . C5 - E5 D5"},
    {"F", "C5 - A4 - C5 - D5 -"},
    {"G", "D5 - B4 - G4 - A4 B4"},
    {"Am", "A4 - - - . . E4 G4"},
    {"F", "C5 - - A4 - - F4 -"},
    {"G", "G4 - - B4 - - D5 -"},
    {"Em", "E5 - - D5 - - B4 -"},
    {"Am", "C5 - - - A4 - . ."},
    {"F", "C5 - - A4 - - F4 -"},
    {"G", "G4 - - B4 - - D5 -"},
    {"C", "E5 - - D5 - - C5 -"},
    {"G", "D5 - - - B4 - G4 -"},
    {"Am", "E4 . A4 . C5 - B4 A4"},
    {"F", "C5 - A4 - F4 - . ."},
    {"C", "E4 . G4 . C5 - D5 C5"},
    {"G", "B4 - G4 - D4 - . ."},
    {"Am", "E4 . A4 . C5 - E5 D5"},
    {"F", "C5 - A4 - C5 - D5 -"},
    {"G", "D5 - B4 - G4 - B4 -"},
    {"Am", "A4 - - - - - . ."},
};

constexpr Part kPlayParts[] = {
    {Instrument::kSquareLead, nullptr, nullptr, 0, 0.70f, 0.10f, 0.25f},
    {Instrument::kPluck, ". 135 . 135 . 135 . 135", nullptr, 3, 0.22f, -0.35f, 0.15f},
    {Instrument::kBass, "1 8 1 8 1 8 5 8", nullptr, 2, 0.60f, 0.0f, 0.0f},
    {Instrument::kKick, "x . . x x . . .", nullptr, 0, 0.90f, 0.0f, 0.0f},
    {Instrument::kSnare, ". . x . . . x .", ". . . . x . . . . . x . x x X X", 0, 0.50f, 0.05f, 0.10f},
    {Instrument::kHat, "x . X . x . X . x . X . x x X .", nullptr, 0, 0.35f, 0.30f, 0.0f},
};

}  // namespace

const Tune kTitleTune = {"title", 98, kTitleBars, int(std::size(kTitleBars)),
                         kTitleParts, int(std::size(kTitleParts))};
const Tune kPlayTune = {"play", 140, kPlayBars, int(std::size(kPlayBars)),
                        kPlayParts, int(std::size(kPlayParts))};

}  // namespace assets
