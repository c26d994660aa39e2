// Image decoding for the renderer through stb_image; the file's channel
// count is kept. stb_image allocates with malloc, so callers free() the result.
#include "host/decode/image_data.h"

#include <stb_image.h>

unsigned char* nx_host_DecodeImageFile(NxGame* host, const String& path, int* width, int* height,
                                       int* depth) {
    FILE* file = host->OpenFile(path, String("rb"));
    if (!file) return nullptr;
    int decodedWidth = 0, decodedHeight = 0, decodedDepth = 0;
    unsigned char* pixels = stbi_load_from_file(file, &decodedWidth, &decodedHeight, &decodedDepth, 0);
    std::fclose(file);
    if (!pixels) return nullptr;
    *width = decodedWidth;
    *height = decodedHeight;
    *depth = decodedDepth;
    // The collector paces itself by memory held outside it too.
    gc_ext_malloced(decodedWidth * decodedHeight * decodedDepth);
    return pixels;
}
