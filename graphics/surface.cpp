// gxtkSurface and the device's surface and pixel operations: loading through
// the host's decoder, premultiplying, texture creation that follows the GL
// context (nxGraphicsContextSeq), pixel writes and read-back.
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "graphics/renderer.h"
#include "host/nxgame.h"

namespace {

constexpr unsigned int kFormatForDepth[] = {0, GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA};
constexpr int kRgbaDepth = 4;

int PowerOfTwoAtLeast(int size) {
    int power = 1;
    while (power < size && power < (1 << 30)) power <<= 1;
    return power;
}

unsigned char Premultiplied(unsigned char channel, unsigned char alpha) {
    return static_cast<unsigned char>(channel * alpha / 255);
}

// Textures hold premultiplied alpha, matching the renderer's blend functions.
void PremultiplyPixels(unsigned char* pixels, int count, int depth) {
    if (depth == 2) {
        for (int i = 0; i < count; ++i, pixels += 2) pixels[0] = Premultiplied(pixels[0], pixels[1]);
    } else if (depth == 4) {
        for (int i = 0; i < count; ++i, pixels += 4) {
            for (int c = 0; c < 3; ++c) pixels[c] = Premultiplied(pixels[c], pixels[3]);
        }
    }
}

bool HasCurrentTexture(const gxtkSurface& surface) {
    return surface.contextSeq == nxGraphicsContextSeq;
}

}  // namespace

gxtkSurface::~gxtkSurface() { Discard(); }

// Names from an older context are abandoned, not deleted: they belong to a
// context that no longer exists.
int gxtkSurface::Discard() {
    if (HasCurrentTexture(*this)) {
        glDeleteTextures(1, &texture);
        gxtkTextureState::Deleted(texture);
        contextSeq = -1;
    }
    std::free(pixels);
    pixels = nullptr;
    return 0;
}

void gxtkSurface::SetData(unsigned char* data, int width_, int height_, int depth_) {
    std::free(pixels);
    pixels = data;
    width = width_;
    height = height_;
    depth = depth_;
    glFormat = depth >= 1 && depth <= 4 ? kFormatForDepth[depth] : 0;
    PremultiplyPixels(pixels, width * height, depth);
}

// The first allocation at the exact size is itself the test for
// non-power-of-two support; the retry is not checked further.
void gxtkSurface::Bind() {
    if (nxGraphicsContextSeq == 0) return;
    if (HasCurrentTexture(*this)) {
        gxtkTextureState::Bind(texture);
        return;
    }
    contextSeq = nxGraphicsContextSeq;
    glGenTextures(1, &texture);
    gxtkTextureState::Bind(texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

    int textureWidth = width;
    int textureHeight = height;
    const GLint format = static_cast<GLint>(glFormat);
    glTexImage2D(GL_TEXTURE_2D, 0, format, textureWidth, textureHeight, 0, glFormat,
                 GL_UNSIGNED_BYTE, nullptr);
    if (glGetError() != GL_NO_ERROR) {
        textureWidth = PowerOfTwoAtLeast(width);
        textureHeight = PowerOfTwoAtLeast(height);
        glTexImage2D(GL_TEXTURE_2D, 0, format, textureWidth, textureHeight, 0, glFormat,
                     GL_UNSIGNED_BYTE, nullptr);
    }
    uScale = 1.0f / textureWidth;
    vScale = 1.0f / textureHeight;

    // The copy stays in memory so the texture can be rebuilt in a new context.
    if (pixels) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, glFormat, GL_UNSIGNED_BYTE, pixels);
    }
}

void gxtkSurface::SetSubData(int x, int y, int w, int h, const int* src, int pitch) {
    if (glFormat != GL_RGBA) return;
    if (x < 0 || y < 0 || w < 0 || h < 0 || w > width - x || h > height - y) return;
    if (!pixels) pixels = static_cast<unsigned char*>(std::malloc(size_t(width) * height * kRgbaDepth));
    if (!pixels) return;

    const size_t rowBytes = size_t(width) * kRgbaDepth;
    for (int r = 0; r < h; ++r) {
        unsigned char* out = pixels + (y + r) * rowBytes + size_t(x) * kRgbaDepth;
        for (int c = 0; c < w; ++c, out += kRgbaDepth) {
            const uint32_t argb = static_cast<uint32_t>(src[r * pitch + c]);
            const unsigned char a = argb >> 24;
            out[0] = Premultiplied((argb >> 16) & 0xff, a);
            out[1] = Premultiplied((argb >> 8) & 0xff, a);
            out[2] = Premultiplied(argb & 0xff, a);
            out[3] = a;
        }
    }
    // Without a current texture the copy alone changes; the next Bind uploads it.
    if (!HasCurrentTexture(*this)) return;
    gxtkTextureState::Bind(texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (w == width) {
        glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels + y * rowBytes);
        return;
    }
    for (int r = 0; r < h; ++r) {
        glTexSubImage2D(GL_TEXTURE_2D, 0, x, y + r, w, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                        pixels + (y + r) * rowBytes + size_t(x) * kRgbaDepth);
    }
}

gxtkSurface* gxtkGraphics::LoadSurface(const String& path) {
    gxtkSurface* surface = new gxtkSurface();
    if (!LoadSurface__UNSAFE__(surface, path)) return nullptr;
    surface->Bind();
    return surface;
}

// No OpenGL call here: decoding may run where no context is current.
bool gxtkGraphics::LoadSurface__UNSAFE__(gxtkSurface* surface, const String& path) {
    int imageWidth = 0, imageHeight = 0, imageDepth = 0;
    NxGame* host = NxGame::_game;
    unsigned char* data = host ? host->LoadImageData(path, &imageWidth, &imageHeight, &imageDepth) : nullptr;
    if (!data) return false;
    surface->SetData(data, imageWidth, imageHeight, imageDepth);
    return true;
}

gxtkSurface* gxtkGraphics::CreateSurface(int surfaceWidth, int surfaceHeight) {
    gxtkSurface* surface = new gxtkSurface();
    surface->width = surfaceWidth > 0 ? surfaceWidth : 0;
    surface->height = surfaceHeight > 0 ? surfaceHeight : 0;
    surface->depth = kRgbaDepth;
    surface->glFormat = GL_RGBA;
    surface->Bind();
    return surface;
}

namespace {

// True when `pixels` holds h rows of w elements from `offset`, `pitch` apart.
bool RectFitsArray(const Array<int>& pixels, int w, int h, int offset, int pitch) {
    if (w <= 0 || h <= 0) return false;
    if (offset < 0 || pitch < 0) return false;
    const long long last = offset + static_cast<long long>(h - 1) * pitch + w;
    return last <= pixels.Length();
}

}  // namespace

int gxtkGraphics::ReadPixels(Array<int> pixels, int x, int y, int w, int h, int offset, int pitch) {
    Flush();
    if (!RectFitsArray(pixels, w, h, offset, pitch)) return 0;
    std::vector<int> rows(size_t(w) * h);
    glReadPixels(x, height - y - h, w, h, GL_BGRA, GL_UNSIGNED_BYTE, rows.data());
    // OpenGL hands the rows bottom-up; the caller wants the top row first.
    for (int r = 0; r < h; ++r) {
        std::memcpy(&pixels[offset + r * pitch], &rows[size_t(h - 1 - r) * w], size_t(w) * sizeof(int));
    }
    return 0;
}

int gxtkGraphics::WritePixels2(gxtkSurface* surface, Array<int> pixels, int x, int y, int w, int h,
                               int offset, int pitch) {
    // Primitives batched with the old texture contents are drawn first.
    Flush();
    if (!surface || !RectFitsArray(pixels, w, h, offset, pitch)) return 0;
    surface->SetSubData(x, y, w, h, &pixels[offset], pitch);
    return 0;
}
