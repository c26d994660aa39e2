#!/usr/bin/env python3
# tunes.py WAV TITLE PLAY LEVEL_END: a capture of the game's sound, in the
# mode without effects, that went from the title menu into a level holds the
# title tune from its first sound, then the play tune from the moment the
# title tune stopped until LEVEL_END (seconds), and nothing else. Lined up
# with the capture sample by sample, each tune leaves no more than the
# output's dither unexplained; an effect over it would stand out.
import array, math, subprocess, sys

RATE, BLOCK, STEP = 44100, 4410, 441  # a second, a tenth and a hundredth
AUDIBLE = 300    # of 32768, about -40 dBFS: a sound's first sample
LEFT_OVER = 30   # RMS of what a tune may leave unexplained, about -60 dBFS


# Mono 16-bit samples of a sound file, through sox.
def samples(path):
    return array.array('h', subprocess.run(['sox', path, '-t', 's16', '-c', '1', '-r', str(RATE), '-'], capture_output=True).stdout)


# What the looping tune, with its first sample at `offset`, leaves of the capture from `start` at the best gain:
# an RMS, or a share of the capture's energy (all of it where the capture is silent).
def unexplained(capture, tune, offset, start, length, share=False):
    c = capture[start:start + length]
    t = [tune[(i - offset) % len(tune)] for i in range(start, start + len(c))]
    ct, tt, cc = sum(a * b for a, b in zip(c, t)), sum(b * b for b in t) or 1, sum(a * a for a in c)
    left = max(cc - ct * ct / tt, 0)
    return (left / cc if cc else 1) if share else math.sqrt(left / max(len(c), 1))


def onset(x): return next((i for i, v in enumerate(x) if abs(v) > AUDIBLE), len(x))


# The offset within 10 ms of a guess at which the tune's first sound matches the capture best.
def lined_up(capture, tune, guesses):
    near = [o + d for o in guesses for d in range(-STEP, STEP)]
    return min(near, key=lambda o: unexplained(capture, tune, o, o + onset(tune), 2 * STEP, share=True))


def tunes(path, title_path, play_path, level_end):
    capture, title, play, end = samples(path), samples(title_path), samples(play_path), int(float(level_end) * RATE)
    title_at = lined_up(capture, title, [onset(capture) - onset(title)])
    # The title tune explains every 10 ms until it stops for the play tune (or, where it was quiet, until the
    # play tune's first sound).
    steps = range(title_at + onset(title), end, STEP)
    switch = next((s for s in steps if unexplained(capture, title, title_at, s, STEP) > LEFT_OVER), end)
    play_at = lined_up(capture, play, [switch, switch - onset(play)])
    print(f'title tune from {title_at / RATE:.3f} s, play tune from {play_at / RATE:.3f} s to {end / RATE:.1f} s')
    failures = [] if end - play_at > 3 * RATE else ['no play tune for three seconds of the level']
    for tune, at, until, name in ((title, title_at, play_at, 'title'), (play, play_at, end, 'play')):
        worst = max([unexplained(capture, tune, at, b, BLOCK) for b in range(at + BLOCK, until - BLOCK, BLOCK)] or [1e9])
        failures += [f'more than the {name} tune was heard: {worst:.1f} of 32768 left in a tenth of a second'] if worst > LEFT_OVER else []
    return failures


sys.exit('\n'.join(tunes(*sys.argv[1:5])) or None)  # the failures, if any, on standard error
