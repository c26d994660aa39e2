// Both ways of drawing the sprite frames; see gl_sprites.h.
#include "bench/gl_sprites.h"

#include <GL/glext.h>
#include <GLFW/glfw3.h>

namespace {

constexpr int kSpriteSize = 32;
constexpr int kQuadsPerBatch = 256;
constexpr float kClearGrey = 40;

// A disc of colour with a soft edge: opaque, translucent and clear texels.
std::vector<int> SpritePixels() {
    std::vector<int> pixels;
    for (int y = 0; y < kSpriteSize; ++y) {
        for (int x = 0; x < kSpriteSize; ++x) {
            const int dx = 2 * x - kSpriteSize + 1, dy = 2 * y - kSpriteSize + 1;
            const int distance = dx * dx + dy * dy;
            const uint32_t alpha = distance < 600 ? 255 : distance < 1000 ? 128 : 0;
            pixels.push_back(static_cast<int>(alpha << 24 | uint32_t(8 * x) << 16 | uint32_t(8 * y) << 8 | 200));
        }
    }
    return pixels;
}

// The RGBA bytes of a premultiplied texel, as the renderer stores them.
uint32_t PremultipliedRgba(uint32_t argb) {
    const uint32_t a = argb >> 24;
    const uint32_t r = (argb >> 16 & 0xff) * a / 255, g = (argb >> 8 & 0xff) * a / 255, b = (argb & 0xff) * a / 255;
    return a << 24 | b << 16 | g << 8 | r;
}

// Spread over the window in a fixed pattern, whole pixels only.
void SpritePosition(int sprite, const GlSpriteWorkload& workload, int* x, int* y) {
    *x = sprite * 37 % (workload.width - kSpriteSize);
    *y = sprite * 53 % (workload.height - kSpriteSize);
}

}  // namespace

GlSprites::GlSprites(NxGlfwGame& host) : _host(host) {
    host.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
    _device = nx_graphics_CreateDevice();
    const std::vector<int> pixels = SpritePixels();
    gxtkSurface* surface = _device->CreateSurface(kSpriteSize, kSpriteSize);
    Array<int> texels(static_cast<int>(pixels.size()));
    for (int i = 0; i < texels.Length(); ++i) texels[i] = pixels[i];
    _device->WritePixels2(surface, texels, 0, 0, kSpriteSize, kSpriteSize, 0, kSpriteSize);
    _image = (new c_Image())->m_new()->p_Init(surface, 1, 0);
    gc_root(_image);

    for (int pixel : pixels) _premultiplied.push_back(PremultipliedRgba(static_cast<uint32_t>(pixel)));
    glGenTextures(1, &_bareTexture);
    glBindTexture(GL_TEXTURE_2D, _bareTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kSpriteSize, kSpriteSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 _premultiplied.data());
    for (int quad = 0; quad < kQuadsPerBatch; ++quad) {
        const uint16_t first = static_cast<uint16_t>(quad * 4);
        const uint16_t corners[] = {first, uint16_t(first + 1), uint16_t(first + 2), first, uint16_t(first + 2), uint16_t(first + 3)};
        for (int i = 0; i < 6; ++i) _indices[quad * 6 + i] = corners[i];
    }
}

void GlSprites::UseWindow(const GlSpriteWorkload& workload) {
    if (_host.GetDeviceWidth() != workload.width || _host.GetDeviceHeight() != workload.height)
        _host.SetWindow(workload.width, workload.height, false);
    glfwPollEvents();
    glViewport(0, 0, workload.width, workload.height);
    glfwSwapBuffers(_host.Window());  // the driver takes the new size at a swap
}

void GlSprites::DrawWithRenderer(const GlSpriteWorkload& workload) {
    _device->BeginRender();
    nx_graphics_BeginRender();
    _device->Cls(kClearGrey, kClearGrey, kClearGrey);
    if (workload.scissored) nx_graphics_SetScissor(0, 0, 1, 1);
    for (int sprite = 0; sprite < workload.sprites; ++sprite) {
        int x = 0, y = 0;
        SpritePosition(sprite, workload, &x, &y);
        nx_graphics_DrawImage(_image, static_cast<float>(x), static_cast<float>(y), 0);
    }
    nx_graphics_EndRender();
    _device->EndRender();
    glFinish();
}

// The same state as the renderer's frame start, set the plain way.
void GlSprites::BeginBareFrame(const GlSpriteWorkload& workload) {
    glViewport(0, 0, workload.width, workload.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, workload.width, workload.height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &_vertices[0].x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &_vertices[0].u);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), &_vertices[0].color);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(kClearGrey / 255, kClearGrey / 255, kClearGrey / 255, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    if (workload.scissored) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, workload.height - 1, 1, 1);
    }
}

void GlSprites::DrawBare(const GlSpriteWorkload& workload) {
    BeginBareFrame(workload);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, _bareTexture);
    for (int first = 0; first < workload.sprites; first += kQuadsPerBatch) {
        const int quads = workload.sprites - first < kQuadsPerBatch ? workload.sprites - first : kQuadsPerBatch;
        for (int quad = 0; quad < quads; ++quad) {
            int x = 0, y = 0;
            SpritePosition(first + quad, workload, &x, &y);
            const float left = float(x), top = float(y), right = left + kSpriteSize, bottom = top + kSpriteSize;
            Vertex* v = _vertices + quad * 4;
            v[0] = {left, top, 0, 0, 0xffffffff};
            v[1] = {right, top, 1, 0, 0xffffffff};
            v[2] = {right, bottom, 1, 1, 0xffffffff};
            v[3] = {left, bottom, 0, 1, 0xffffffff};
        }
        glDrawElements(GL_TRIANGLES, quads * 6, GL_UNSIGNED_SHORT, _indices);
    }
    glDisable(GL_TEXTURE_2D);
    glFinish();
}

std::vector<uint32_t> GlSprites::ReadFrame(const GlSpriteWorkload& workload) const {
    std::vector<uint32_t> pixels(size_t(workload.width) * workload.height);
    glReadPixels(0, 0, workload.width, workload.height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
