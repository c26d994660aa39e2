// A link-time fake of the OpenGL 1.x functions the renderer calls. It keeps
// the state the renderer relies on (enabled caps and client arrays, bound
// texture, blend function, texture sizes and texels) with the real library's
// rules, and records every draw call with the vertices OpenGL would read, so
// tests assert on what reached the driver. Tests script a driver that rejects
// texture sizes that are not powers of two, and what glReadPixels returns.
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
    GLuint texture;  // the bound texture; 0 when GL_TEXTURE_2D is off
    // 'a' for premultiplied alpha blending (GL_ONE, GL_ONE_MINUS_SRC_ALPHA),
    // '+' for additive (GL_ONE, GL_ONE), '?' for any other or none.
    char blend;
    std::vector<Vertex> vertices;
};

struct Texture {
    GLsizei width = 0, height = 0;
    GLenum format = 0;
    std::vector<uint8_t> texels;  // rows of width × bytes per pixel, top row first
    std::map<GLenum, GLint> parameters;
    // The bytes of texel (x, y); empty when outside the texture.
    std::vector<uint8_t> Texel(int x, int y) const;
};

struct ClientArray {
    const void* pointer = nullptr;
    GLsizei stride = 0;
};

struct State {
    // Scripted by the test.
    bool rejectNonPowerOfTwo = false;   // glTexImage2D fails with GL_INVALID_VALUE
    bool recordDraws = true;            // false: count draw calls only (benchmarks)
    int framebufferWidth = 0;           // what glReadPixels reads as GL_BGRA:
    std::vector<uint32_t> framebuffer;  // 0xAARRGGBB, bottom row first

    // Recorded.
    int drawCalls = 0;
    std::vector<DrawCall> draws;
    std::map<GLuint, Texture> textures;  // the live ones
    std::vector<GLuint> deletedTextures;
    int textureUploads = 0, clears = 0;  // glTexSubImage2D and glClear calls
    int textureBinds = 0, textureSwitches = 0;  // glBindTexture, and GL_TEXTURE_2D on or off
    GLint scissor[4] = {}, viewport[4] = {};
    GLdouble ortho[6] = {};

    // Driver state.
    std::vector<GLenum> enabled;  // caps and client arrays
    GLuint boundTexture = 0;
    GLenum blend[2] = {GL_ONE, GL_ZERO}, error = GL_NO_ERROR;
    GLfloat clearColor[4] = {};
    GLint unpackAlignment = 4;
    ClientArray arrays[3];  // vertex, texture coordinate, colour
};

State& state();
void Reset();
bool IsEnabled(GLenum cap);
int DrawCallCount();

}  // namespace fake_gl
