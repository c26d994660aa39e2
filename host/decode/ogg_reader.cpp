// Ogg Vorbis decoding through stb_vorbis, whole stream into one block of
// 16-bit interleaved samples. Debian's libstb already holds the decoder, and
// its stb_vorbis.h carries the implementation unless told it is a header only.
#include <climits>
#include <cstdlib>

#include "host/decode/audio_decoders.h"

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

namespace {

constexpr int kFrameRoomPerChannel = 4096;  // room kept free before each frame is decoded

// Grows `buffer` to `capacity` samples; frees it and yields null on failure.
short* resize(short* buffer, long capacity) {
    auto* grown = static_cast<short*>(std::realloc(buffer, sizeof(short) * capacity));
    if (!grown) std::free(buffer);
    return grown;
}

// Decodes every frame; the buffer doubles whenever less than one frame's
// worth of room is left, so a long stream costs few reallocations.
short* decodeAll(stb_vorbis* decoder, int channels, long* total) {
    const long frameRoom = static_cast<long>(channels) * kFrameRoomPerChannel;
    long capacity = frameRoom;
    short* buffer = resize(nullptr, capacity);
    *total = 0;
    while (buffer) {
        int room = static_cast<int>(capacity - *total);
        int frames = stb_vorbis_get_frame_short_interleaved(decoder, channels, buffer + *total, room);
        if (frames == 0) break;
        *total += static_cast<long>(frames) * channels;
        if (capacity - *total >= frameRoom) continue;
        if (capacity > INT_MAX / 4) {  // its byte count must stay an int
            std::free(buffer);
            return nullptr;
        }
        capacity *= 2;
        buffer = resize(buffer, capacity);
    }
    return buffer;
}

}  // namespace

short* LoadOGG(FILE* file, int* length, int* channels, int* format, int* hertz) {
    int error = 0;
    stb_vorbis* decoder = stb_vorbis_open_file(file, 0, &error, nullptr);
    if (!decoder) return nullptr;
    stb_vorbis_info info = stb_vorbis_get_info(decoder);
    long total = 0;
    short* samples = info.channels > 0 ? decodeAll(decoder, info.channels, &total) : nullptr;
    stb_vorbis_close(decoder);
    if (!samples) return nullptr;
    // Trim once to what was decoded (kept at one sample so an empty stream
    // still returns a block the caller can free).
    samples = resize(samples, total > 0 ? total : 1);
    if (!samples) return nullptr;
    *length = static_cast<int>(total / info.channels);
    *channels = info.channels;
    *format = 2;
    *hertz = static_cast<int>(info.sample_rate);
    return samples;
}
