// Our RIFF WAVE reader: "RIFF", "WAVE", a PCM "fmt " chunk first, then
// chunks until the first "data". Integers are little-endian; chunk sizes are
// used exactly as stored (no pad byte after an odd size), but only as far as
// the file holds: a size reaching past the end of the file ends the search,
// so no header can make us allocate, read or skip more than the file contains.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/decode/audio_decoders.h"

namespace {

constexpr int kTagBytes = 4;
constexpr int kPcmFormatTag = 1;
constexpr int kBasicFormatChunkBytes = 16;  // the PCM fields; anything beyond is skipped

struct WavFormat {
    int channels = 0;
    int hertz = 0;
    int bytesPerSample = 0;
};

// Four bytes zero-terminated in one static buffer; empty at end of file.
const char* readTag(FILE* file) {
    static char tag[8];
    size_t got = std::fread(tag, 1, kTagBytes, file);
    tag[got == kTagBytes ? kTagBytes : 0] = '\0';
    return tag;
}

// A four-byte signed integer, -1 when the read fails.
int readInt(FILE* file) {
    unsigned char b[4];
    if (std::fread(b, 1, sizeof b, file) != sizeof b) return -1;
    uint32_t value = b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
    return static_cast<int>(value);
}

// A two-byte unsigned field, or `failed` when it cannot be read.
int readShort(FILE* file, int failed) {
    unsigned char b[2];
    if (std::fread(b, 1, sizeof b, file) != sizeof b) return failed;
    return b[0] | b[1] << 8;
}

// The end of the file as an offset, or -1 for a stream that cannot seek.
long fileEnd(FILE* file) {
    long start = std::ftell(file);
    if (start < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
    long end = std::ftell(file);
    if (std::fseek(file, start, SEEK_SET) != 0) return -1;
    return end;
}

bool fitsInFile(FILE* file, long end, int bytes) {
    long at = std::ftell(file);
    return bytes >= 0 && at >= 0 && bytes <= end - at;
}

bool skip(FILE* file, long end, int bytes) {
    return fitsInFile(file, end, bytes) && std::fseek(file, bytes, SEEK_CUR) == 0;
}

bool expectTag(FILE* file, const char* expected) {
    return std::strcmp(readTag(file), expected) == 0;
}

// The "fmt " chunk's fields. Zero channels or under 8 bits per sample would
// make the frame size zero, and the length a division by it: rejected.
bool readFormatChunk(FILE* file, long end, WavFormat* format) {
    int chunkBytes = readInt(file);
    if (readShort(file, -1) != kPcmFormatTag) return false;
    format->channels = readShort(file, -1);
    format->hertz = readInt(file);
    readInt(file);        // byte rate
    readShort(file, 0);   // block align
    format->bytesPerSample = readShort(file, 0) >> 3;
    if (format->channels <= 0 || format->bytesPerSample <= 0) return false;
    return chunkBytes <= kBasicFormatChunkBytes ||
           skip(file, end, chunkBytes - kBasicFormatChunkBytes);
}

// Walks the chunks after "fmt " to the first "data" chunk the file holds
// whole, and answers its size; -1 when there is none.
int findDataChunk(FILE* file, long end) {
    for (;;) {
        const char* tag = readTag(file);
        if (tag[0] == '\0') return -1;
        bool isData = std::strcmp(tag, "data") == 0;
        int chunkBytes = readInt(file);
        // An unreadable size (-1) or one the rest of the file cannot hold
        // means the sound is not in this file.
        if (!fitsInFile(file, end, chunkBytes)) return -1;
        if (isData) return chunkBytes;
        if (std::fseek(file, chunkBytes, SEEK_CUR) != 0) return -1;
    }
}

}  // namespace

struct WavDecoding {
    FILE* file;
    WavFormat format;
    unsigned char* data;  // read since the last take; null once a read has failed
    int held;             // bytes in data
    int left;             // bytes of the kept part of the data chunk still to read
};

namespace {

bool readFailed(WavDecoding* wav) {
    std::free(wav->data);
    wav->data = nullptr;
    return true;
}

}  // namespace

WavDecoding* OpenWav(FILE* file, int maxBytes) {
    long end = fileEnd(file);
    if (end < 0) return nullptr;
    if (!expectTag(file, "RIFF")) return nullptr;
    readInt(file);  // RIFF size: the chunks say where they end
    if (!expectTag(file, "WAVE") || !expectTag(file, "fmt ")) return nullptr;
    WavFormat wav;
    if (!readFormatChunk(file, end, &wav)) return nullptr;
    int chunkBytes = findDataChunk(file, end);
    if (chunkBytes < 0) return nullptr;
    // Whole frames only, so that a sound cut at the cap stays in step.
    const int frameBytes = wav.channels * wav.bytesPerSample;
    const int bytes = chunkBytes <= maxBytes ? chunkBytes : maxBytes / frameBytes * frameBytes;
    auto* data = static_cast<unsigned char*>(std::malloc(1));
    if (!data) return nullptr;
    return new WavDecoding{file, wav, data, 0, bytes};
}

// The block grows by each slice only: a file's size is known to hold the
// chunk, yet nothing is allocated before it is read.
bool ReadWav(WavDecoding* wav, int frames) {
    if (!wav->data) return true;
    const int frameBytes = wav->format.channels * wav->format.bytesPerSample;
    const int slice = frames <= 0 ? 0 : frames < wav->left / frameBytes ? frames * frameBytes : wav->left;
    auto* grown = static_cast<unsigned char*>(std::realloc(wav->data, std::max(wav->held + slice, 1)));
    if (!grown) return readFailed(wav);
    wav->data = grown;
    if (std::fread(grown + wav->held, 1, slice, wav->file) != static_cast<size_t>(slice)) return readFailed(wav);
    wav->held += slice;
    wav->left -= slice;
    return wav->left == 0;
}

unsigned char* TakeWav(WavDecoding* wav, int* length, int* channels, int* format, int* hertz) {
    unsigned char* data = wav->data;
    if (!data) return nullptr;
    *length = wav->held / (wav->format.channels * wav->format.bytesPerSample);
    *channels = wav->format.channels;
    *format = wav->format.bytesPerSample;
    *hertz = wav->format.hertz;
    wav->data = static_cast<unsigned char*>(std::malloc(1));
    wav->held = 0;
    return data;
}

void CloseWav(WavDecoding* wav) {
    std::free(wav->data);
    delete wav;
}

unsigned char* LoadWAV(FILE* file, int* length, int* channels, int* format, int* hertz) {
    WavDecoding* wav = OpenWav(file, INT_MAX);
    if (!wav) return nullptr;
    ReadWav(wav, INT_MAX);
    unsigned char* data = TakeWav(wav, length, channels, format, hertz);
    CloseWav(wav);
    return data;
}
