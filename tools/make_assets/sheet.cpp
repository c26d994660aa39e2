// Sheet layout and PNG output. The PNG is written by stb_image_write with its
// compression level pinned, so the same pixels always give the same bytes.
#include "tools/make_assets/sheet.h"

#include <stb_image_write.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace assets {

namespace {

int RowsFor(SheetLayout layout) {
    return (layout.frames + layout.columns - 1) / layout.columns;
}

uint8_t ToByte(float v) {
    return static_cast<uint8_t>(std::lround(Clamp(v, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Sheet::Sheet(SheetLayout layout, int level)
    : layout_(layout),
      level_(level),
      canvas_(layout.columns * layout.frameWidth * level,
              RowsFor(layout) * layout.frameHeight * level) {}

FrameView Sheet::Frame(int index) {
    int w = layout_.frameWidth * level_;
    int h = layout_.frameHeight * level_;
    return {&canvas_, (index % layout_.columns) * w, (index / layout_.columns) * h, w,
            h,        static_cast<float>(level_)};
}

bool WritePng(const std::string& path, const Canvas& canvas) {
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(canvas.Width()) * canvas.Height() * 4);
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const Colour& c = canvas.At(x, y);
            uint8_t alpha = ToByte(c.a);
            // Fully transparent pixels are stored as zero so no stray colour depends on
            // rounding, and partly covered ones are un-premultiplied for the file.
            float unpremultiply = alpha == 0 ? 0.0f : 1.0f / c.a;
            bytes.push_back(ToByte(c.r * unpremultiply));
            bytes.push_back(ToByte(c.g * unpremultiply));
            bytes.push_back(ToByte(c.b * unpremultiply));
            bytes.push_back(alpha);
        }
    }
    stbi_write_png_compression_level = 8;
    return stbi_write_png(path.c_str(), canvas.Width(), canvas.Height(), 4, bytes.data(),
                          canvas.Width() * 4) != 0;
}

}  // namespace assets
