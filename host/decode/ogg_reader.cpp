// Ogg Vorbis decoding through stb_vorbis into one block of 16-bit interleaved
// samples, a slice at a time. Debian's libstb already holds the
// decoder, and its stb_vorbis.h carries the implementation unless told it
// is a header only.
#include <algorithm>
#include <cstdlib>

#include "host/decode/audio_decoders.h"

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

struct OggDecoding {
    stb_vorbis* decoder;
    int channels;
    int hertz;
    short* samples;  // decoded since the last take; null once an allocation has failed
    long capacity;   // samples the block holds
    long total;      // samples in the block
    long most;       // samples the block may hold at most: whole frames within what the cap leaves
};

namespace {

constexpr int kFrameRoomPerChannel = 4096;  // room kept free before each frame is decoded

// Grows `buffer` to `capacity` samples; frees it and yields null on failure.
short* resize(short* buffer, long capacity) {
    auto* grown = static_cast<short*>(std::realloc(buffer, sizeof(short) * capacity));
    if (!grown) std::free(buffer);
    return grown;
}

// The block doubles whenever less than one frame's worth of room is left,
// so a long stream costs few reallocations; it never grows past the cap.
void makeRoom(OggDecoding* ogg) {
    const long frameRoom = static_cast<long>(ogg->channels) * kFrameRoomPerChannel;
    if (ogg->capacity - ogg->total >= frameRoom || ogg->capacity == ogg->most) return;
    ogg->capacity = std::min(ogg->capacity * 2, ogg->most);
    ogg->samples = resize(ogg->samples, ogg->capacity);
}

// A new block for the samples decoded next, with room for a frame or for
// what the cap leaves (at least one sample, so that it can be handed over).
void startBlock(OggDecoding* ogg) {
    ogg->capacity = std::min(static_cast<long>(ogg->channels) * kFrameRoomPerChannel, ogg->most);
    ogg->total = 0;
    ogg->samples = resize(nullptr, std::max(ogg->capacity, 1L));
}

}  // namespace

OggDecoding* OpenOgg(FILE* file, int maxBytes) {
    int error = 0;
    stb_vorbis* decoder = stb_vorbis_open_file(file, 0, &error, nullptr);
    if (!decoder) return nullptr;
    stb_vorbis_info info = stb_vorbis_get_info(decoder);
    const long frameBytes = static_cast<long>(info.channels) * sizeof(short);
    const long most = info.channels > 0 ? maxBytes / frameBytes * info.channels : 0;
    const int hertz = static_cast<int>(info.sample_rate);
    auto* ogg = new OggDecoding{decoder, info.channels, hertz, nullptr, 0, 0, most};
    startBlock(ogg);
    return ogg;
}

// A frame that reaches past the cap is cut there (stb_vorbis keeps what fits
// the room it is given), and the stream ends with it.
bool DecodeOgg(OggDecoding* ogg, int frames) {
    for (long decoded = 0; ogg->samples && decoded < frames;) {
        int room = static_cast<int>(ogg->capacity - ogg->total);
        int got = room > 0 ? stb_vorbis_get_frame_short_interleaved(ogg->decoder, ogg->channels,
                                                                    ogg->samples + ogg->total, room)
                           : 0;
        if (got == 0) return true;
        ogg->total += static_cast<long>(got) * ogg->channels;
        decoded += got;
        makeRoom(ogg);
    }
    return !ogg->samples;
}

short* TakeOgg(OggDecoding* ogg, int* length, int* channels, int* format, int* hertz) {
    if (!ogg->samples) return nullptr;
    // Trimmed to what was decoded (kept at one sample so an empty slice
    // still is a block the caller can free).
    short* samples = resize(ogg->samples, std::max(ogg->total, 1L));
    ogg->samples = nullptr;
    if (!samples) return nullptr;
    *length = static_cast<int>(ogg->total / ogg->channels);
    *channels = ogg->channels;
    *format = 2;
    *hertz = ogg->hertz;
    ogg->most -= ogg->total;
    startBlock(ogg);
    return samples;
}

void CloseOgg(OggDecoding* ogg) {
    std::free(ogg->samples);
    stb_vorbis_close(ogg->decoder);
    delete ogg;
}
