// The sound decoders behind NxGame::LoadAudioData and BeginAudioData: our
// own RIFF WAVE reader and Ogg Vorbis through stb_vorbis. Each reads from an
// open file it does not close and yields a malloc'ed block of interleaved
// PCM that the caller frees, or null. Only ogg_reader.cpp includes stb_vorbis.
#pragma once

#include <cstddef>
#include <cstdio>

#include "host/nxgame.h"

// The file at `path` (through the host's OpenFile) decoded by its extension,
// ".wav" or ".ogg"; null for another extension or a file that fails to decode.
unsigned char* nx_host_DecodeAudioFile(NxGame* host, const String& path, int* length,
                                       int* channels, int* format, int* hertz);
// The same file decoded over several calls (see NxAudioDecoding); null where
// nx_host_DecodeAudioFile would fail at once: no file, another extension, a
// WAV it refuses, or a stream that is not Ogg Vorbis.
NxAudioDecoding* nx_host_BeginAudioDecoding(NxGame* host, const String& path);

// 8-bit unsigned or 16-bit signed little-endian PCM as stored in the file;
// `format` is bytes per sample. Not reentrant (readTag keeps one buffer).
unsigned char* LoadWAV(FILE* file, int* length, int* channels, int* format, int* hertz);

// The same reader over a block of memory, for callers that hold the bytes
// already (and for the fuzzer, which must not touch the disk).
unsigned char* LoadWAVFromMemory(const unsigned char* bytes, size_t size, int* length,
                                 int* channels, int* format, int* hertz);

// Ogg Vorbis, a slice at a time. OpenOgg reads the stream's headers (null
// when it is not Ogg Vorbis); DecodeOgg decodes whole Vorbis frames until at
// least `frames` more sample frames are done, and answers true once the
// stream has ended or memory ran out; FinishOgg hands over the samples,
// 16-bit signed in native byte order with `format` 2 (null after a failure),
// and closes the decoding; CloseOgg abandons it.
struct OggDecoding;
OggDecoding* OpenOgg(FILE* file);
bool DecodeOgg(OggDecoding* ogg, int frames);
short* FinishOgg(OggDecoding* ogg, int* length, int* channels, int* format, int* hertz);
void CloseOgg(OggDecoding* ogg);
