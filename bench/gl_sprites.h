// The sprite frames the renderer is measured on with real OpenGL, each drawn
// two ways: through the graphics module as the game draws, and by a bare
// OpenGL 1.x client-array batch loop of the same design, the baseline. Both
// must leave the same pixels; the gl test tier checks that they do.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "graphics/graphics.h"
#include "host/glfw/glfw_game.h"

struct GlSpriteWorkload {
    const char* name;
    int width, height;  // of the window
    int sprites;        // 32 × 32, textured, translucent at the edges
    bool scissored;     // drawn behind a 1 × 1 scissor: the cost of a sprite without its pixels
};

constexpr GlSpriteWorkload kGlSpriteWorkloads[] = {
    {"empty_640x480", 640, 480, 0, false},
    {"sprites2500_640x480", 640, 480, 2500, false},
    {"sprites2500_640x480_scissor1x1", 640, 480, 2500, true},
    {"sprites10000_1280x720", 1280, 720, 10000, false},
};

class GlSprites {
public:
    // Opens the host's window; the graphics module must be initialised.
    explicit GlSprites(NxGlfwGame& host);

    // Sizes the window for the workload and lets the driver see the new size.
    void UseWindow(const GlSpriteWorkload& workload);
    // One whole frame, finished by the driver (glFinish) but not shown.
    void DrawWithRenderer(const GlSpriteWorkload& workload);
    void DrawBare(const GlSpriteWorkload& workload);
    // The window's pixels as 0xAARRGGBB, bottom row first.
    std::vector<uint32_t> ReadFrame(const GlSpriteWorkload& workload) const;

private:
    struct Vertex {
        float x, y, u, v;
        uint32_t color;
    };
    void BeginBareFrame(const GlSpriteWorkload& workload);

    NxGlfwGame& _host;
    gxtkGraphics* _device;
    c_Image* _image = nullptr;
    GLuint _bareTexture = 0;
    std::vector<uint32_t> _premultiplied;  // the sprite's texels as the renderer keeps them
    Vertex _vertices[1024];
    uint16_t _indices[1536];
};
