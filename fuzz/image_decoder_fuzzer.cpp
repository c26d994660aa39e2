// Feeds arbitrary bytes to the host's image decoder as a file, the way an
// asset arrives. A decoded image must have a size and depth the renderer can
// trust: width × height × depth bytes, depth 1 to 4, within the image limits
// (which the decoder judges from the header before decoding).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/decode/image_data.h"

namespace {

const std::string& ScratchPath() {
    static const std::string path = [] {
        char pattern[] = "/tmp/flingaroo-image-fuzz-XXXXXX";
        const int fd = mkstemp(pattern);
        if (fd < 0) std::abort();
        close(fd);
        return std::string(pattern);
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(ScratchPath().c_str(), "wb");
    if (!file) std::abort();
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);

    int width = 0, height = 0, depth = 0;
    unsigned char* pixels = nx_host_DecodeImageFile(std::fopen(ScratchPath().c_str(), "rb"), &width, &height, &depth);
    if (!pixels) return 0;
    if (width < 1 || height < 1 || depth < 1 || depth > 4) std::abort();
    if (width > kMaxImageSide || height > kMaxImageSide) std::abort();
    const size_t bytes = size_t(width) * height * depth;
    if (bytes > kMaxImageBytes) std::abort();
    // Touch the last byte: the buffer must hold every pixel it claims.
    volatile unsigned char last = pixels[bytes - 1];
    (void)last;
    std::free(pixels);
    return 0;
}
