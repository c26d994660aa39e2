// A link-time fake of the OpenGL 1.x functions the renderer calls. It keeps
// the little state the renderer relies on (enabled caps, bound texture,
// client arrays, texture sizes and texels) and records every draw call with
// the vertices OpenGL would read, so tests assert on what reached the driver.
// Tests script results through State (a driver that rejects texture sizes
// that are not powers of two, the frame buffer that glReadPixels returns).
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <map>
#include <vector>

namespace fake_gl {

struct Vertex {
    float x, y, u, v;
    uint8_t r, g, b, a;
};

struct DrawCall {
    GLenum mode;
    GLint first;
    GLsizei count;
    bool indexed;       // glDrawElements: vertices are listed in index order
    bool textured;      // GL_TEXTURE_2D was enabled
    GLuint texture;     // the bound texture
    GLenum blendSource, blendDestination;
    std::vector<Vertex> vertices;
};

struct TexImage {
    GLuint texture;
    GLint internalFormat;
    GLsizei width, height;
    GLenum format;
    bool accepted;
};

struct TexSubImage {
    GLuint texture;
    GLint x, y;
    GLsizei width, height;
};

struct Texture {
    GLsizei width = 0, height = 0;
    GLenum format = 0;
    std::vector<uint8_t> texels;  // rows of width × bytes per pixel, top row first
    std::map<GLenum, GLint> parameters;
    // The bytes of texel (x, y); empty when outside the texture.
    std::vector<uint8_t> Texel(int x, int y) const;
};

struct Scissor {
    GLint x, y;
    GLsizei width, height;
};

struct ReadPixelsCall {
    GLint x, y;
    GLsizei width, height;
    GLenum format;
};

struct State {
    // Scripted by the test.
    bool rejectNonPowerOfTwo = false;       // glTexImage2D fails with GL_INVALID_VALUE
    bool recordDraws = true;                // false: count draw calls only (benchmarks)
    int framebufferWidth = 0;               // what glReadPixels reads: 0xAARRGGBB,
    std::vector<uint32_t> framebuffer;      // bottom row first

    // Recorded.
    int drawCalls = 0;
    std::vector<DrawCall> draws;
    std::vector<TexImage> texImages;
    std::vector<TexSubImage> texSubImages;
    std::map<GLuint, Texture> textures;
    std::vector<GLuint> deletedTextures;
    std::vector<Scissor> scissors;
    std::vector<std::pair<GLenum, GLenum>> blendFuncs;
    std::vector<ReadPixelsCall> readPixels;
    int clears = 0;
    GLfloat clearColor[4] = {0, 0, 0, 0};
    GLint viewport[4] = {0, 0, 0, 0};
    GLdouble ortho[6] = {0, 0, 0, 0, 0, 0};

    // Driver state.
    std::vector<GLenum> enabled;  // a few caps: a vector is cheapest to search
    std::vector<GLenum> clientArrays;
    GLuint nextTextureName = 1;
    GLuint boundTexture = 0;
    GLenum blendSource = GL_ONE, blendDestination = GL_ZERO;
    GLenum error = GL_NO_ERROR;
    GLint unpackAlignment = 4;
    const void* vertexPointer = nullptr;
    const void* texCoordPointer = nullptr;
    const void* colorPointer = nullptr;
    GLsizei vertexStride = 0, texCoordStride = 0, colorStride = 0;
};

State& state();
void Reset();
bool IsEnabled(GLenum cap);
int DrawCallCount();

}  // namespace fake_gl
