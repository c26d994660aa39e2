// The sound decoders behind NxGame::LoadAudioData and BeginAudioData: our
// own RIFF WAVE reader and Ogg Vorbis through stb_vorbis. Each reads from an
// open file it does not close and yields a malloc'ed block of interleaved
// PCM that the caller frees, or null. Only ogg_reader.cpp includes stb_vorbis.
#pragma once

#include <cstddef>
#include <cstdio>

#include "host/nxgame.h"

// Decoded sound is capped, so that no file can fill memory or hold up the
// game: a sound decoded whole, in one update (an effect), keeps at most its
// first 30 seconds, a sound decoded in slices (a tune) its first 10 minutes.
// The seconds are counted at 48 kHz in 16-bit stereo, as rich as the sounds we
// play get: a sound at a lower rate or in mono keeps more of its time.
constexpr int kRichestSoundBytesPerSecond = 48000 * 2 * 2;
constexpr int kWholeSoundMaxBytes = 30 * kRichestSoundBytesPerSecond;
constexpr int kSlicedSoundMaxBytes = 10 * 60 * kRichestSoundBytesPerSecond;

// A file the host opened (null when it could not), decoded whole by the
// extension of its name, ".wav" or ".ogg", up to kWholeSoundMaxBytes; null for
// another extension or a file that fails to decode. Closes the file.
unsigned char* nx_host_DecodeAudioFile(FILE* file, const String& name, int* length, int* channels,
                                       int* format, int* hertz);
// The same file decoded over several calls (see NxAudioDecoding, which closes
// it), up to `maxBytes`; null, the file closed, where nx_host_DecodeAudioFile
// would fail at once: no file, another extension, a WAV it refuses, or a
// stream that is not Ogg Vorbis.
NxAudioDecoding* nx_host_BeginAudioDecoding(FILE* file, const String& name, int maxBytes);

// Both readers work a slice at a time and keep at most `maxBytes` of decoded
// sound (whole sample frames); what lies beyond is never read or decoded.
// Open reads the headers (null for a file the reader refuses); Read or
// Decode then does at least `frames` more sample frames or the rest, and
// answers true once the sound is whole or has failed; Take hands over the
// samples done since the last Take (null after a failure), so that a long
// sound need never be held whole; Close ends the decoding.

// RIFF WAVE: 8-bit unsigned or 16-bit signed little-endian PCM as stored in
// the file; `format` is bytes per sample. Not reentrant (readTag keeps one buffer).
struct WavDecoding;
WavDecoding* OpenWav(FILE* file, int maxBytes);
bool ReadWav(WavDecoding* wav, int frames);
unsigned char* TakeWav(WavDecoding* wav, int* length, int* channels, int* format, int* hertz);
void CloseWav(WavDecoding* wav);

// The whole of a WAV file, uncapped: its size is the only bound.
unsigned char* LoadWAV(FILE* file, int* length, int* channels, int* format, int* hertz);

// Ogg Vorbis: 16-bit signed samples in native byte order, `format` 2. Decode
// works in whole Vorbis frames; answers true also when memory ran out.
struct OggDecoding;
OggDecoding* OpenOgg(FILE* file, int maxBytes);
bool DecodeOgg(OggDecoding* ogg, int frames);
short* TakeOgg(OggDecoding* ogg, int* length, int* channels, int* format, int* hertz);
void CloseOgg(OggDecoding* ogg);
