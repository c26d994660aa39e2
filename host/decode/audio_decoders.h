// The sound decoders behind NxGame::LoadAudioData: our own RIFF WAVE
// reader and Ogg Vorbis through stb_vorbis. Each reads from an open file it
// does not close and returns a malloc'ed block of interleaved PCM that the
// caller frees, or null. Only ogg_reader.cpp includes stb_vorbis.
#pragma once

#include <cstddef>
#include <cstdio>

#include "host/nxgame.h"

// The file at `path` (through the host's OpenFile) decoded by its extension,
// ".wav" or ".ogg"; null for another extension or a file that fails to decode.
unsigned char* nx_host_DecodeAudioFile(NxGame* host, const String& path, int* length,
                                       int* channels, int* format, int* hertz);

// 8-bit unsigned or 16-bit signed little-endian PCM as stored in the file;
// `format` is bytes per sample. Not reentrant (readTag keeps one buffer).
unsigned char* LoadWAV(FILE* file, int* length, int* channels, int* format, int* hertz);

// The same reader over a block of memory, for callers that hold the bytes
// already (and for the fuzzer, which must not touch the disk).
unsigned char* LoadWAVFromMemory(const unsigned char* bytes, size_t size, int* length,
                                 int* channels, int* format, int* hertz);

// 16-bit signed samples in native byte order; `format` is always 2.
short* LoadOGG(FILE* file, int* length, int* channels, int* format, int* hertz);
