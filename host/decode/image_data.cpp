// Image decoding for the renderer through stb_image; the file's channel
// count is kept. stb_image allocates with malloc, so callers free() the result.
#include "host/decode/image_data.h"

#include <stb_image.h>

namespace {

// Reads the header only, so an oversized image is refused before any pixel
// buffer exists; stbi_info_from_file puts the file position back.
bool FitsImageLimits(FILE* file) {
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_file(file, &width, &height, &channels)) return false;
    if (width > kMaxImageSide || height > kMaxImageSide) return false;
    return static_cast<long long>(width) * height * channels <= kMaxImageBytes;
}

}  // namespace

unsigned char* nx_host_DecodeImageFile(NxGame* host, const String& path, int* width, int* height,
                                       int* depth) {
    FILE* file = host->OpenFile(path, String("rb"));
    if (!file) return nullptr;
    int decodedWidth = 0, decodedHeight = 0, decodedDepth = 0;
    unsigned char* pixels =
        FitsImageLimits(file)
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
