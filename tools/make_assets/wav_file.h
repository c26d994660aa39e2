// Writing of 16-bit PCM WAV files: a plain RIFF header, a 16-byte fmt chunk, then data.
#pragma once

#include <string>
#include <vector>

namespace assets {

constexpr int kSampleRate = 44100;

// Samples are in -1..1 and are rounded to 16 bits; `channels` is 1 or 2 (interleaved).
bool WriteWav(const std::string& path, const std::vector<float>& samples, int channels);

}  // namespace assets
