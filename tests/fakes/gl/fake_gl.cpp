// The fake OpenGL functions: C linkage and the exact signatures of <GL/gl.h>.
#include "tests/fakes/gl/fake_gl.h"

#include <GL/glext.h>

#include <algorithm>
#include <cstring>

namespace fake_gl {

State& state() {
    static State instance;
    return instance;
}

void Reset() { state() = State(); }

bool IsEnabled(GLenum cap) {
    const std::vector<GLenum>& enabled = state().enabled;
    return std::find(enabled.begin(), enabled.end(), cap) != enabled.end();
}

int DrawCallCount() { return state().drawCalls; }

namespace {

int BytesPerPixel(GLenum format) {
    switch (format) {
        case GL_LUMINANCE: return 1;
        case GL_LUMINANCE_ALPHA: return 2;
        case GL_RGB: return 3;
        case GL_RGBA: case GL_BGRA: return 4;
        default: return 0;
    }
}

bool IsPowerOfTwo(GLsizei size) { return size > 0 && (size & (size - 1)) == 0; }

template <class T>
const T* At(const void* base, GLsizei stride, int index) {
    return reinterpret_cast<const T*>(static_cast<const uint8_t*>(base) + size_t(stride) * index);
}

Vertex ReadVertex(int index, bool textured) {
    const State& s = state();
    Vertex vertex{};
    if (s.vertexPointer) {
        const float* position = At<float>(s.vertexPointer, s.vertexStride, index);
        vertex.x = position[0];
        vertex.y = position[1];
    }
    if (textured && s.texCoordPointer) {
        const float* uv = At<float>(s.texCoordPointer, s.texCoordStride, index);
        vertex.u = uv[0];
        vertex.v = uv[1];
    }
    if (s.colorPointer) {
        const uint8_t* rgba = At<uint8_t>(s.colorPointer, s.colorStride, index);
        vertex.r = rgba[0];
        vertex.g = rgba[1];
        vertex.b = rgba[2];
        vertex.a = rgba[3];
    }
    return vertex;
}

DrawCall NewDrawCall(GLenum mode, GLint first, GLsizei count, bool indexed) {
    State& s = state();
    return DrawCall{mode, first, count, indexed, IsEnabled(GL_TEXTURE_2D), s.boundTexture,
                    s.blendSource, s.blendDestination, {}};
}

}  // namespace

std::vector<uint8_t> Texture::Texel(int x, int y) const {
    const int bytes = BytesPerPixel(format);
    if (x < 0 || y < 0 || x >= width || y >= height) return {};
    const size_t at = (size_t(y) * width + x) * bytes;
    return std::vector<uint8_t>(texels.begin() + long(at), texels.begin() + long(at + bytes));
}

}  // namespace fake_gl

using fake_gl::state;

extern "C" {

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    GLint* v = state().viewport;
    v[0] = x, v[1] = y, v[2] = width, v[3] = height;
}

void glMatrixMode(GLenum) {}
void glLoadIdentity(void) {}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near_val,
             GLdouble far_val) {
    GLdouble* o = state().ortho;
    o[0] = left, o[1] = right, o[2] = bottom, o[3] = top, o[4] = near_val, o[5] = far_val;
}

void glEnableClientState(GLenum cap) {
    std::vector<GLenum>& arrays = state().clientArrays;
    if (std::find(arrays.begin(), arrays.end(), cap) == arrays.end()) arrays.push_back(cap);
}

void glVertexPointer(GLint, GLenum, GLsizei stride, const GLvoid* ptr) {
    state().vertexPointer = ptr;
    state().vertexStride = stride;
}

void glTexCoordPointer(GLint, GLenum, GLsizei stride, const GLvoid* ptr) {
    state().texCoordPointer = ptr;
    state().texCoordStride = stride;
}

void glColorPointer(GLint, GLenum, GLsizei stride, const GLvoid* ptr) {
    state().colorPointer = ptr;
    state().colorStride = stride;
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    ++state().drawCalls;
    if (!state().recordDraws) return;
    fake_gl::DrawCall call = fake_gl::NewDrawCall(mode, first, count, false);
    for (GLsizei i = 0; i < count; ++i) call.vertices.push_back(fake_gl::ReadVertex(first + i, call.textured));
    state().draws.push_back(call);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    ++state().drawCalls;
    if (!state().recordDraws) return;
    fake_gl::DrawCall call = fake_gl::NewDrawCall(mode, 0, count, true);
    const GLushort* index = static_cast<const GLushort*>(indices);
    if (type == GL_UNSIGNED_SHORT) {
        for (GLsizei i = 0; i < count; ++i) call.vertices.push_back(fake_gl::ReadVertex(index[i], call.textured));
    }
    state().draws.push_back(call);
}

void glEnable(GLenum cap) {
    if (!fake_gl::IsEnabled(cap)) state().enabled.push_back(cap);
}

void glDisable(GLenum cap) {
    std::vector<GLenum>& enabled = state().enabled;
    enabled.erase(std::remove(enabled.begin(), enabled.end(), cap), enabled.end());
}

void glBlendFunc(GLenum sfactor, GLenum dfactor) {
    state().blendSource = sfactor;
    state().blendDestination = dfactor;
    if (state().recordDraws) state().blendFuncs.emplace_back(sfactor, dfactor);
}

void glScissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (state().recordDraws) state().scissors.push_back({x, y, width, height});
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    GLfloat* c = state().clearColor;
    c[0] = red, c[1] = green, c[2] = blue, c[3] = alpha;
}

void glClear(GLbitfield) { ++state().clears; }

void glGenTextures(GLsizei n, GLuint* textures) {
    for (GLsizei i = 0; i < n; ++i) {
        textures[i] = state().nextTextureName++;
        state().textures[textures[i]];
    }
}

void glBindTexture(GLenum, GLuint texture) { state().boundTexture = texture; }

void glTexParameteri(GLenum, GLenum pname, GLint param) {
    state().textures[state().boundTexture].parameters[pname] = param;
}

void glTexImage2D(GLenum, GLint, GLint internalFormat, GLsizei width, GLsizei height, GLint,
                  GLenum format, GLenum, const GLvoid*) {
    fake_gl::State& s = state();
    const bool accepted = !s.rejectNonPowerOfTwo || (fake_gl::IsPowerOfTwo(width) && fake_gl::IsPowerOfTwo(height));
    s.texImages.push_back({s.boundTexture, internalFormat, width, height, format, accepted});
    if (!accepted) {
        s.error = GL_INVALID_VALUE;
        return;
    }
    fake_gl::Texture& texture = s.textures[s.boundTexture];
    texture.width = width;
    texture.height = height;
    texture.format = format;
    texture.texels.assign(size_t(width) * height * fake_gl::BytesPerPixel(format), 0);
}

void glTexSubImage2D(GLenum, GLint, GLint xoffset, GLint yoffset, GLsizei width, GLsizei height,
                     GLenum format, GLenum, const GLvoid* pixels) {
    fake_gl::State& s = state();
    s.texSubImages.push_back({s.boundTexture, xoffset, yoffset, width, height});
    fake_gl::Texture& texture = s.textures[s.boundTexture];
    const int bytes = fake_gl::BytesPerPixel(format);
    if (xoffset < 0 || yoffset < 0 || xoffset + width > texture.width || yoffset + height > texture.height) {
        s.error = GL_INVALID_VALUE;
        return;
    }
    // Source rows are padded to the unpack alignment, as a real driver reads them.
    const size_t rowBytes = size_t(width) * bytes;
    const size_t stride = (rowBytes + s.unpackAlignment - 1) / s.unpackAlignment * s.unpackAlignment;
    const uint8_t* source = static_cast<const uint8_t*>(pixels);
    for (GLsizei row = 0; row < height; ++row) {
        uint8_t* out = &texture.texels[(size_t(yoffset + row) * texture.width + xoffset) * bytes];
        std::memcpy(out, source + row * stride, rowBytes);
    }
}

void glPixelStorei(GLenum pname, GLint param) {
    if (pname == GL_UNPACK_ALIGNMENT) state().unpackAlignment = param;
}

void glDeleteTextures(GLsizei n, const GLuint* textures) {
    for (GLsizei i = 0; i < n; ++i) {
        state().deletedTextures.push_back(textures[i]);
        state().textures.erase(textures[i]);
    }
}

GLenum glGetError(void) {
    GLenum error = state().error;
    state().error = GL_NO_ERROR;
    return error;
}

void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum,
                  GLvoid* pixels) {
    fake_gl::State& s = state();
    s.readPixels.push_back({x, y, width, height, format});
    uint32_t* out = static_cast<uint32_t*>(pixels);
    for (GLsizei row = 0; row < height; ++row) {
        for (GLsizei column = 0; column < width; ++column) {
            const size_t at = size_t(y + row) * s.framebufferWidth + size_t(x + column);
            *out++ = at < s.framebuffer.size() ? s.framebuffer[at] : 0;
        }
    }
}

}  // extern "C"
