// The fake OpenGL functions: C linkage and the exact signatures of <GL/gl.h>.
#include "tests/fakes/gl/fake_gl.h"

#include <GL/glext.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace fake_gl {

State& state() {
    static State instance;
    return instance;
}

void Reset() { state() = State(); }

bool IsEnabled(GLenum cap) { return std::count(state().enabled.begin(), state().enabled.end(), cap) > 0; }

int DrawCallCount() { return state().drawCalls; }

namespace {

int BytesPerPixel(GLenum format) {
    return format == GL_RGBA ? 4 : format == GL_RGB ? 3 : format == GL_LUMINANCE_ALPHA ? 2 : format == GL_LUMINANCE ? 1 : 0;
}

bool IsPowerOfTwo(GLsizei size) { return size > 0 && (size & (size - 1)) == 0; }

enum Array { kPositions, kTextureCoordinates, kColours };
constexpr GLenum kArrayCaps[] = {GL_VERTEX_ARRAY, GL_TEXTURE_COORD_ARRAY, GL_COLOR_ARRAY};

// Element `index` of a client array, or null while the array is off: OpenGL
// reads only the arrays that are enabled.
template <class T>
const T* Element(Array array, int index) {
    const ClientArray& at = state().arrays[array];
    if (!at.pointer || !IsEnabled(kArrayCaps[array])) return nullptr;
    return reinterpret_cast<const T*>(static_cast<const uint8_t*>(at.pointer) + size_t(at.stride) * index);
}

void RecordDraw(GLenum mode, GLsizei count, const GLushort* indices, GLint first) {
    State& s = state();
    ++s.drawCalls;
    if (!s.recordDraws) return;
    const bool blending = IsEnabled(GL_BLEND) && s.blend[0] == GL_ONE;
    const char blend = !blending ? '?' : s.blend[1] == GL_ONE ? '+' : s.blend[1] == GL_ONE_MINUS_SRC_ALPHA ? 'a' : '?';
    DrawCall call{mode, IsEnabled(GL_TEXTURE_2D) ? s.boundTexture : 0, blend, {}};
    for (GLsizei i = 0; i < count; ++i) {
        const int index = indices ? indices[i] : first + i;
        Vertex vertex{};
        if (const float* xy = Element<float>(kPositions, index)) vertex.x = xy[0], vertex.y = xy[1];
        // Texture coordinates are left unwritten for untextured primitives.
        const float* uv = call.texture ? Element<float>(kTextureCoordinates, index) : nullptr;
        if (uv) vertex.u = uv[0], vertex.v = uv[1];
        if (const uint8_t* rgba = Element<uint8_t>(kColours, index)) std::memcpy(&vertex.r, rgba, 4);
        call.vertices.push_back(vertex);
    }
    s.draws.push_back(call);
}

template <class T, class... Values>
void Store(T* out, Values... values) {
    const T in[] = {T(values)...};
    std::copy(std::begin(in), std::end(in), out);
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

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) { fake_gl::Store(state().viewport, x, y, width, height); }

void glMatrixMode(GLenum) {}
void glLoadIdentity(void) {}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near_val, GLdouble far_val) {
    fake_gl::Store(state().ortho, left, right, bottom, top, near_val, far_val);
}

void glEnable(GLenum cap) {
    state().textureSwitches += cap == GL_TEXTURE_2D;
    if (!fake_gl::IsEnabled(cap)) state().enabled.push_back(cap);
}

void glDisable(GLenum cap) {
    state().textureSwitches += cap == GL_TEXTURE_2D;
    std::vector<GLenum>& enabled = state().enabled;
    enabled.erase(std::remove(enabled.begin(), enabled.end(), cap), enabled.end());
}

void glEnableClientState(GLenum array) { glEnable(array); }

void glVertexPointer(GLint, GLenum, GLsizei stride, const GLvoid* p) { state().arrays[fake_gl::kPositions] = {p, stride}; }
void glTexCoordPointer(GLint, GLenum, GLsizei stride, const GLvoid* p) { state().arrays[fake_gl::kTextureCoordinates] = {p, stride}; }
void glColorPointer(GLint, GLenum, GLsizei stride, const GLvoid* p) { state().arrays[fake_gl::kColours] = {p, stride}; }

void glDrawArrays(GLenum mode, GLint first, GLsizei count) { fake_gl::RecordDraw(mode, count, nullptr, first); }

// Only 16-bit indices are read; any other type draws nothing here.
void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    fake_gl::RecordDraw(mode, type == GL_UNSIGNED_SHORT ? count : 0, static_cast<const GLushort*>(indices), 0);
}

void glBlendFunc(GLenum source, GLenum destination) { fake_gl::Store(state().blend, source, destination); }

void glScissor(GLint x, GLint y, GLsizei width, GLsizei height) { fake_gl::Store(state().scissor, x, y, width, height); }

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    fake_gl::Store(state().clearColor, red, green, blue, alpha);
}

void glClear(GLbitfield) { ++state().clears; }

// As drivers do, the lowest free name: a deleted texture's name comes back.
void glGenTextures(GLsizei n, GLuint* textures) {
    for (GLsizei i = 0; i < n; ++i) {
        GLuint name = 1;
        while (state().textures.count(name)) ++name;
        state().textures[textures[i] = name];
    }
}

void glBindTexture(GLenum, GLuint texture) { ++state().textureBinds, state().boundTexture = texture; }

void glTexParameteri(GLenum, GLenum name, GLint value) { state().textures[state().boundTexture].parameters[name] = value; }

void glTexImage2D(GLenum, GLint, GLint, GLsizei width, GLsizei height, GLint, GLenum format, GLenum,
                  const GLvoid*) {
    fake_gl::State& s = state();
    const bool sizeAccepted = !s.rejectNonPowerOfTwo || (fake_gl::IsPowerOfTwo(width) && fake_gl::IsPowerOfTwo(height));
    if (!sizeAccepted) {
        s.error = GL_INVALID_VALUE;
        return;
    }
    fake_gl::Texture& texture = s.textures[s.boundTexture];
    texture.width = width, texture.height = height, texture.format = format;
    texture.texels.assign(size_t(width) * height * fake_gl::BytesPerPixel(format), 0);
}

void glTexSubImage2D(GLenum, GLint, GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum,
                     const GLvoid* pixels) {
    fake_gl::State& s = state();
    ++s.textureUploads;
    fake_gl::Texture& texture = s.textures[s.boundTexture];
    // Outside the texture is an error; this fake converts no formats, so it refuses another one too.
    if (x < 0 || y < 0 || x + width > texture.width || y + height > texture.height || format != texture.format) {
        s.error = GL_INVALID_OPERATION;
        return;
    }
    // Source rows are padded to the unpack alignment, as a real driver reads them.
    const int bytes = fake_gl::BytesPerPixel(format);
    const size_t rowBytes = size_t(width) * bytes;
    const size_t stride = (rowBytes + s.unpackAlignment - 1) / s.unpackAlignment * s.unpackAlignment;
    for (GLsizei row = 0; row < height; ++row) {
        std::memcpy(&texture.texels[(size_t(y + row) * texture.width + x) * bytes],
                    static_cast<const uint8_t*>(pixels) + row * stride, rowBytes);
    }
}

void glPixelStorei(GLenum name, GLint value) { if (name == GL_UNPACK_ALIGNMENT) state().unpackAlignment = value; }

void glDeleteTextures(GLsizei n, const GLuint* textures) {
    for (GLsizei i = 0; i < n; ++i) {
        state().deletedTextures.push_back(textures[i]);
        state().textures.erase(textures[i]);
        if (state().boundTexture == textures[i]) state().boundTexture = 0;  // deleting unbinds
    }
}

GLenum glGetError(void) { return std::exchange(state().error, GLenum(GL_NO_ERROR)); }

// Only GL_BGRA reads the bytes of 0xAARRGGBB in order; other formats read nothing.
void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum, GLvoid* pixels) {
    const fake_gl::State& s = state();
    for (GLsizei i = 0; i < width * height && format == GL_BGRA; ++i) {
        const size_t at = size_t(y + i / width) * s.framebufferWidth + size_t(x + i % width);
        static_cast<uint32_t*>(pixels)[i] = at < s.framebuffer.size() ? s.framebuffer[at] : 0;
    }
}

}  // extern "C"
