// WAV output, written byte by byte in little-endian order whatever the machine.
#include "tools/make_assets/wav_file.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace assets {

namespace {

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

int16_t ToSample(float v) {
    float clamped = v < -1.0f ? -1.0f : (v > 1.0f ? 1.0f : v);
    return static_cast<int16_t>(std::lround(clamped * 32767.0f));
}

}  // namespace

bool WriteWav(const std::string& path, const std::vector<float>& samples, int channels) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    PutLittleEndian(out, 36 + dataBytes, 4);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2);  // PCM
    PutLittleEndian(out, channels, 2);
    PutLittleEndian(out, kSampleRate, 4);
    PutLittleEndian(out, kSampleRate * channels * 2, 4);
    PutLittleEndian(out, channels * 2, 2);
    PutLittleEndian(out, 16, 2);
    PutTag(out, "data");
    PutLittleEndian(out, dataBytes, 4);
    for (float s : samples) PutLittleEndian(out, static_cast<uint16_t>(ToSample(s)), 2);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace assets
