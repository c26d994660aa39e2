// Builds RIFF WAVE files byte by byte, including malformed ones: any format
// tag, extra fmt bytes, chunks before "data" and a "data" size that lies.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct WavLayout {
    int formatTag = 1;
    int channels = 2;
    int hertz = 22050;
    int bits = 16;
    int fmtExtraBytes = 0;  // bytes after the 16 PCM fields of "fmt "
    std::vector<std::pair<std::string, std::vector<unsigned char>>> chunksBeforeData;
    std::vector<unsigned char> data;
    int64_t declaredDataBytes = -1;  // the size written for "data"; -1: the real size
};

inline void PutLittleEndian(std::vector<unsigned char>& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

inline void PutChunkHeader(std::vector<unsigned char>& out, const std::string& tag, uint64_t bytes) {
    out.insert(out.end(), tag.begin(), tag.end());
    PutLittleEndian(out, bytes, 4);
}

inline std::vector<unsigned char> BuildWav(const WavLayout& layout) {
    std::vector<unsigned char> out;
    PutChunkHeader(out, "RIFF", 0);  // patched below
    out.insert(out.end(), {'W', 'A', 'V', 'E'});
    PutChunkHeader(out, "fmt ", 16 + layout.fmtExtraBytes);
    int blockAlign = layout.channels * layout.bits / 8;
    PutLittleEndian(out, layout.formatTag, 2);
    PutLittleEndian(out, layout.channels, 2);
    PutLittleEndian(out, layout.hertz, 4);
    PutLittleEndian(out, static_cast<uint64_t>(layout.hertz) * blockAlign, 4);
    PutLittleEndian(out, blockAlign, 2);
    PutLittleEndian(out, layout.bits, 2);
    out.insert(out.end(), layout.fmtExtraBytes, 'x');
    for (const auto& chunk : layout.chunksBeforeData) {
        PutChunkHeader(out, chunk.first, chunk.second.size());
        out.insert(out.end(), chunk.second.begin(), chunk.second.end());
    }
    uint64_t declared = layout.declaredDataBytes >= 0 ? static_cast<uint64_t>(layout.declaredDataBytes)
                                                    : layout.data.size();
    PutChunkHeader(out, "data", declared);
    out.insert(out.end(), layout.data.begin(), layout.data.end());
    uint64_t riffBytes = out.size() - 8;
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<unsigned char>(riffBytes >> (8 * i));
    return out;
}

// 16-bit little-endian PCM of a sine, the same on every channel.
inline std::vector<unsigned char> SinePcm16(int frames, int channels, double frequency, int hertz,
                                            double amplitude) {
    std::vector<unsigned char> out;
    const double kTwoPi = 6.283185307179586;
    for (int frame = 0; frame < frames; ++frame) {
        double value = amplitude * 32767.0 * std::sin(kTwoPi * frequency * frame / hertz);
        auto sample = static_cast<int16_t>(std::lround(value));
        for (int channel = 0; channel < channels; ++channel) {
            PutLittleEndian(out, static_cast<uint16_t>(sample), 2);
        }
    }
    return out;
}
