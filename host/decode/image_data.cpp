// Image decoding for the renderer through stb_image; the file's channel
// count is kept. stb_image allocates with malloc, so callers free() the result.
#include "host/decode/image_data.h"

#include <stb_image.h>

#include <algorithm>
#include <cstdint>

#include "runtime/gc.h"

namespace {

// stb_image grows its buffer for compressed data by each chunk's declared
// length before reading the chunk, so a few bytes claiming a 2 GiB chunk
// cost 2 GiB. No chunk up to IEND may claim more than the file still holds.
bool ChunksFitTheFile(FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return false;
    const long size = std::ftell(file);
    for (long at = 8; at + 12 <= size;) {  // chunks start after the signature
        unsigned char header[8];
        if (std::fseek(file, at, SEEK_SET) != 0 || std::fread(header, 1, 8, file) != 8) return false;
        const uint32_t length = uint32_t(header[0]) << 24 | header[1] << 16 | header[2] << 8 | header[3];
        if (length > uint64_t(size - at - 12)) return false;
        if (std::equal(header + 4, header + 8, "IEND")) break;
        at += 12 + long(length);
    }
    return std::fseek(file, 0, SEEK_SET) == 0;
}

// Reads the header only, so an oversized image is refused before any pixel
// buffer exists; stbi_info_from_file puts the file position back.
bool FitsImageLimits(FILE* file) {
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_file(file, &width, &height, &channels)) return false;
    if (width > kMaxImageSide || height > kMaxImageSide) return false;
    return static_cast<long long>(width) * height * channels <= kMaxImageBytes;
}

}  // namespace

unsigned char* nx_host_DecodeImageFile(FILE* file, int* width, int* height, int* depth) {
    if (!file) return nullptr;
    int decodedWidth = 0, decodedHeight = 0, decodedDepth = 0;
    unsigned char* pixels =
        FitsImageLimits(file) && ChunksFitTheFile(file)
            ? stbi_load_from_file(file, &decodedWidth, &decodedHeight, &decodedDepth, 0)
            : nullptr;
    std::fclose(file);
    if (!pixels) return nullptr;
    *width = decodedWidth;
    *height = decodedHeight;
    *depth = decodedDepth;
    // The collector paces itself by memory held outside it too.
    gc_ext_malloced(decodedWidth * decodedHeight * decodedDepth);
    return pixels;
}
