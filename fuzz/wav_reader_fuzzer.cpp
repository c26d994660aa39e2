// Feeds arbitrary bytes to the WAV reader. Whatever the header claims, the
// reader must neither read nor allocate beyond the input (libFuzzer's malloc
// limit catches an allocation sized from a lying chunk header), and a
// decoded sound must fit in the bytes it came from.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "host/decode/audio_decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    int length = 0, channels = 0, format = 0, hertz = 0;
    // The bytes are read from memory: the fuzzer must not touch the disk.
    FILE* file = size ? fmemopen(const_cast<uint8_t*>(bytes), size, "rb") : nullptr;
    if (!file) return 0;
    unsigned char* data = LoadWAV(file, &length, &channels, &format, &hertz);
    std::fclose(file);
    if (!data) return 0;
    long long decoded = static_cast<long long>(length) * channels * format;
    if (channels <= 0 || format <= 0 || length < 0 || decoded > static_cast<long long>(size)) {
        std::abort();
    }
    // Touch every decoded byte so AddressSanitizer checks the whole block.
    volatile unsigned char sum = 0;
    for (long long i = 0; i < decoded; ++i) sum = static_cast<unsigned char>(sum + data[i]);
    std::free(data);
    return 0;
}
