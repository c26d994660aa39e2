// The graphics module and its renderer over the fake OpenGL, in a frame of a
// 640 × 480 window: the batch and what ends it, primitives, surfaces as
// textures that follow the context, pixel writes and reads, matrices, the
// state every frame starts from, images cut into frames, fonts. Images come
// from memory by path, one pixel value throughout; what reached OpenGL is
// read back as text that a row of a table states.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "graphics/graphics.h"
#include "tests/fakes/gl/fake_gl.h"
#include "tests/support/test_host.h"

namespace {

using Bytes = std::vector<uint8_t>;
using TestImage = std::tuple<int, int, Bytes>;  // width, height, the value of every pixel

struct ImageTestHost : TestHost {
    unsigned char* LoadImageData(const String& path, int* width, int* height, int* depth) override {
        if (!images.count(path.ToUtf8())) return nullptr;
        const auto& [imageWidth, imageHeight, pixel] = images[path.ToUtf8()];
        *width = imageWidth, *height = imageHeight, *depth = int(pixel.size());
        auto* data = static_cast<unsigned char*>(std::malloc(pixel.size() * *width * *height));
        for (int i = 0; i < *width * *height; ++i) std::memcpy(data + i * *depth, pixel.data(), *depth);
        return data;
    }
    std::map<std::string, TestImage> images;
};

struct CountingDevice : gxtkGraphics {  // counts the matrices the module hands over
    int SetMatrix(float a, float b, float c, float d, float e, float f) override { return ++matrices, gxtkGraphics::SetMatrix(a, b, c, d, e, f); }
    int matrices = 0;
};

// Numbers as a test writes them: to 0.001, without trailing zeros or -0, space-separated.
template <class... Values>
std::string Text(Values... values) {
    std::string out;
    char text[32];
    for (double value : {double(values)...}) out += (std::snprintf(text, sizeof text, " %g", std::round(value * 1000) / 1000 + 0.0), text);
    return out.substr(1);
}

template <class T, class V>
Array<T> ArrayOf(std::initializer_list<V> values) {
    Array<T> out(int(values.size()));
    std::transform(values.begin(), values.end(), out.begin(), [](V value) { return T(value); });
    return out;
}

const fake_gl::Texture& TextureOf(const gxtkSurface* surface) { return fake_gl::state().textures.at(surface->texture); }

// Each draw call as primitive and vertex count, then '+' when additive ('?'
// when neither blend) and '@' and the texture when textured: "T6 L2+ T12@1".
std::string Calls() {
    std::string out;
    for (const fake_gl::DrawCall& call : fake_gl::state().draws) {
        out += " " + std::string(1, std::string("PL??T?F").at(call.mode)) + std::to_string(call.vertices.size()) +  // by GL_POINTS..GL_TRIANGLE_FAN
               (call.blend == 'a' ? "" : std::string(1, call.blend)) + (call.texture ? "@" + std::to_string(call.texture) : "");
    }
    return out.substr(out.empty() ? 0 : 1);
}

// Every vertex's position (or texture coordinates), draw by draw: "x,y x,y | x,y".
std::string Vertices(bool uv = false) {
    std::string out;
    for (const fake_gl::DrawCall& call : fake_gl::state().draws) {
        out += out.empty() ? "" : " |";
        for (const fake_gl::Vertex& v : call.vertices) out += " " + (uv ? Text(v.u) + "," + Text(v.v) : Text(v.x) + "," + Text(v.y));
    }
    return out.substr(out.empty() ? 0 : 1);
}

class GraphicsTest : public testing::Test {
protected:
    void SetUp() override { nxGraphicsContextSeq = 1, fake_gl::Reset(), nx_graphics_init(), nx_graphics_SetGraphicsDevice(device), BeginFrame(); }
    void BeginFrame() { fake_gl::state().draws.clear(), device->BeginRender(), nx_graphics_BeginRender(); }
    void EndFrame() { nx_graphics_EndRender(), device->EndRender(); }
    gxtkSurface* Load(const char* path, TestImage image) { return host.images[path] = image, device->LoadSurface(String(path)); }
    // Each scene (what a test does, and what it expects to read) in a frame of its own.
    void Check(std::function<std::string()> observe, std::initializer_list<std::pair<std::function<void()>, std::string>> scenes) {
        for (const auto& [act, expected] : scenes) {
            BeginFrame(), device->SetMatrix(1, 0, 0, 1, 0, 0), act(), EndFrame();
            EXPECT_EQ(observe(), expected);
        }
    }

    ImageTestHost host;
    CountingDevice* device = new CountingDevice();
};

TEST_F(GraphicsTest, DrawsShareACallUntilThePrimitiveTextureBlendScissorOrRoomChanges) {
    gxtkSurface *a = Load("a.png", {8, 8, {1, 1, 1, 255}}), *b = Load("a.png", {8, 8, {1, 1, 1, 255}});
    gxtkGraphics& d = *device;
    const auto rect = [&] { d.DrawRect(0, 0, 1, 1); };
    const auto oval = [&](float w, float h) { d.DrawOval(0, 0, w, h); };
    Check(Calls, {
        {[&] { for (int i = 0; i <= kBatchVertices; ++i) d.DrawPoint(1, 1); }, "P1024 P1"},
        {[&] { for (int i = 0; i <= kBatchQuads; ++i) rect(); }, "T1536 T6"},
        {[&] { rect(), d.DrawLine(0, 0, 5, 5), rect(); }, "T6 L2 T6"},
        {[&] { rect(), d.SetColor(1, 2, 3), d.SetAlpha(0.5f), d.SetMatrix(2, 0, 0, 2, 5, 5), rect(); }, "T12"},
        {[&] { rect(), d.SetBlend(0), rect(), d.SetBlend(1), rect(), d.SetBlend(1), rect(), d.SetBlend(7), rect(); }, "T12 T12+ T6"},
        {[&] { rect(), d.SetScissor(10, 10, 20, 20), rect(); }, "T6 T6"},
        {[&] { rect(), d.Cls(0, 0, 0), d.DrawLine(0, 0, 1, 1); }, "L2"},  // what is pending is cleared away
        {[&] { for (int n : {5, 5, 6, 0, kBatchVertices, kBatchVertices + 1}) d.DrawPoly(Array<float>(2 * n)); }, "F5 F5 F6 F1024"},
        {[&] { d.DrawSurface(a, 0, 0), d.DrawSurface2(a, 0, 0, 0, 0, 4, 4), d.DrawPoly2(Array<float>(12), a, 0, 0), d.DrawSurface(b, 0, 0);
               d.DrawSurface(nullptr, 0, 0), d.DrawPoly2(Array<float>(12), nullptr, 0, 0), rect(); }, "T12@1 T3@1 T6@2 T6"},
        // Oval segments follow the size on screen in steps of four, from 12 to a whole batch.
        {[&] { oval(10, 10), oval(100, 60), oval(101, 61), oval(106, 60), oval(-100, 60), oval(3000, 3000), oval(0, 0), oval(NAN, 1e30f); },
         "F12 F80 F80 F80 F80 F1024 F12 F12"},
        {[&] { d.SetMatrix(2, 0, 0, 2, 0, 0), oval(10, 10), d.SetMatrix(0, 3, -3, 0, 0, 0), oval(10, 10); }, "F20 F28"},
    });
}

TEST_F(GraphicsTest, PrimitivesReachOpenGLAsTheirCornersThroughTheMatrix) {
    const auto poly = [&](float x) { device->DrawPoly(ArrayOf<float, float>({x, 0, x + 1, 0, x + 2, 0, x + 3, 0, x + 4, 0})); };
    Check([] { return Vertices(); }, {
        {[&] { device->DrawRect(10, 20, 30, 40), device->DrawRect(1, 2, 3, 4); }, "10,20 40,20 40,60 10,20 40,60 10,60 1,2 4,2 4,6 1,2 4,6 1,6"},
        {[&] { device->DrawPoint(7, 8), device->DrawLine(1, 2, 3, 4), poly(0), poly(5); }, "7,8 | 1,2 3,4 | 0,0 1,0 2,0 3,0 4,0 | 5,0 6,0 7,0 8,0 9,0"},
        // By centre and radii, counter-clockwise on screen from the rightmost point, moved down.
        {[] { nx_graphics_Translate(0, 10), nx_graphics_DrawEllipse(50, 50, 10, 5); },
         "60,60 58.66,57.5 55,55.67 50,55 45,55.67 41.34,57.5 40,60 41.34,62.5 45,64.33 50,65 55,64.33 58.66,62.5"},
    });
}

TEST_F(GraphicsTest, TexturesKeepThePixelFormatAreNearestAndClampedAtTheExactSizeOrElseThePowersOfTwoAbove) {
    const std::map<GLenum, GLint> parameters = {{GL_TEXTURE_MAG_FILTER, GL_NEAREST}, {GL_TEXTURE_MIN_FILTER, GL_NEAREST},
                                                {GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE}, {GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE}};
    const Array<float> triangle = ArrayOf<float, float>({0, 0, 0, 0, 10, 0, 4, 0, 0, 10, 0, 4});
    for (auto [pixel, texel, rejected] : {std::tuple{Bytes{200, 100, 50, 128}, Bytes{100, 50, 25, 128}, false},  // premultiplied
                                          {Bytes{255, 51}, Bytes{51, 51}, true}, {Bytes{1, 2, 3}, Bytes{1, 2, 3}, true}, {Bytes{9}, Bytes{9}, false}}) {
        fake_gl::state().rejectNonPowerOfTwo = rejected;
        gxtkSurface* surface = Load("odd.png", {101, 64, pixel});  // rows of unaligned lengths but the first
        const fake_gl::Texture& texture = TextureOf(surface);
        EXPECT_EQ(std::make_tuple(texture.width, texture.height, texture.Texel(100, 63), texture.parameters),
                  std::make_tuple(rejected ? 128 : 101, 64, texel, parameters));
        BeginFrame(), device->DrawSurface(surface, 0, 0), device->DrawPoly2(triangle, surface, 8, 16), device->EndRender();
        EXPECT_EQ(Vertices(true), rejected ? "0,0 0.789,0 0.789,1 0,0 0.789,1 0,1 | 0.063,0.25 0.094,0.25 0.063,0.313"
                                           : "0,0 1,0 1,1 0,0 1,1 0,1 | 0.079,0.25 0.119,0.25 0.079,0.313");
    }
    EXPECT_EQ(device->LoadSurface(String("missing.png")), nullptr);
}

TEST_F(GraphicsTest, TexturesAreMadeInTheCurrentContextAndOnlyItsOwnAreDeleted) {
    nxGraphicsContextSeq = 0;  // no window yet: the texture waits for the first use in one
    gxtkSurface* surface = Load("a.png", {2, 2, {90, 60, 30, 128}});
    for (int context : {1, 2}) {  // each context needs a texture of its own, with the same pixels
        nxGraphicsContextSeq = context, BeginFrame(), device->DrawSurface(surface, 0, 0), device->EndRender();
        EXPECT_EQ(Calls() + " " + Text(TextureOf(surface).Texel(1, 1)[2]), "T6@" + std::to_string(context) + " 15");
    }
    gxtkSurface* older = Load("a.png", {1, 1, {1}});
    nxGraphicsContextSeq = 3, older->Discard();  // its texture went with its context: not deleted
    { gxtkSurface collected; device->LoadSurface__UNSAFE__(&collected, String("a.png")), collected.Bind(); }  // texture 4
    surface->Bind(), surface->Discard();  // texture 4 again
    EXPECT_EQ(fake_gl::state().deletedTextures, (std::vector<GLuint>{4, 4}));
    EXPECT_EQ(std::make_tuple(older->pixels, surface->pixels, surface->contextSeq), std::make_tuple(nullptr, nullptr, -1));
}

TEST_F(GraphicsTest, WrittenPixelsArePremultipliedIntoTheCopyAndTheTextureWhenTheyFit) {
    gxtkSurface* surface = device->CreateSurface(4, 4);
    const auto texels = [&] {
        std::vector<Bytes> out;
        for (auto [x, y] : {std::pair{3, 3}, {1, 0}, {2, 0}, {1, 1}, {2, 1}, {3, 1}}) out.push_back(TextureOf(surface).Texel(x, y));
        return out;
    };
    device->DrawSurface(surface, 0, 0);  // drawn with the old contents first
    device->WritePixels2(surface, ArrayOf<int, uint32_t>({0, 0x80FF8040, 0xFF00FF00, 0, 0x400000FF, 0xFF0A0B0C}), 1, 0, 2, 2, 1, 3);
    device->WritePixels2(surface, ArrayOf<int, uint32_t>({0, 0, 0, 0, 0, 0, 0, 0xFF010203}), 0, 2, 4, 2, 0, 4);
    EXPECT_EQ(texels(), (std::vector<Bytes>{{1, 2, 3, 255}, {128, 64, 32, 128}, {0, 255, 0, 255}, {0, 0, 64, 64}, {10, 11, 12, 255}, {0, 0, 0, 0}}));
    nxGraphicsContextSeq = 2;  // without a current texture a write changes the copy, uploaded at the next use
    device->WritePixels2(surface, ArrayOf<int, uint32_t>({0xFF102030}), 3, 1, 1, 1, 0, 1), surface->Bind();
    EXPECT_EQ(texels(), (std::vector<Bytes>{{1, 2, 3, 255}, {128, 64, 32, 128}, {0, 255, 0, 255}, {0, 0, 64, 64}, {10, 11, 12, 255}, {16, 32, 48, 255}}));
    // The narrow write uploads a row at a time, the whole rows at once, the new texture everything.
    EXPECT_EQ(Calls() + " " + Text(fake_gl::state().textureUploads), "T6@1 4");

    gxtkSurface* rgba = device->CreateSurface(2, 2);
    gxtkSurface* rgb = Load("rgb.png", {2, 2, {1, 2, 3}});  // only RGBA surfaces are written
    for (auto [target, x, y, width, height, offset, pitch, length] :
         {std::tuple{rgba, 1, 1, 2, 2, 0, 2, 4}, {rgba, 0, 1, 1, 2, 0, 1, 2}, {rgba, -1, 0, 1, 1, 0, 1, 1}, {rgba, 0, 0, 2, 2, 0, 2, 3}, {rgba, 0, 0, 2, 2, -1, 2, 4},
          {rgba, 0, 0, 1, 2, 2, -1, 4}, {rgba, 0, 0, 0, 1, 0, 1, 1}, {rgb, 0, 0, 1, 1, 0, 1, 1}, {nullptr, 0, 0, 1, 1, 0, 1, 1}}) {
        device->WritePixels2(target, Array<int>(length), x, y, width, height, offset, pitch);  // outside the surface or the array
    }
    EXPECT_EQ(std::make_tuple(fake_gl::state().textureUploads, rgba->pixels, rgb->pixels[0]), std::make_tuple(5, nullptr, 1));
}

TEST_F(GraphicsTest, TextureStateReachesOpenGLOnlyWhenItChangesAndNeverStale) {
    gxtkSurface *a = Load("a.png", {1, 1, {9}}), *b = device->CreateSurface(1, 1);
    fake_gl::State& gl = fake_gl::state();
    const auto calls = [&gl, binds = gl.textureBinds, switches = gl.textureSwitches] {
        return Calls() + " " + Text(gl.textureBinds - binds, gl.textureSwitches - switches);
    };
    Check(calls, {{[&] {
        device->DrawSurface(a, 0, 0), device->SetBlend(1), device->DrawSurface(a, 0, 0), device->SetBlend(0);
        device->DrawRect(0, 0, 1, 1), device->WritePixels2(b, Array<int>(1), 0, 0, 1, 1, 0, 1), device->DrawSurface(a, 0, 0);
    }, "T6@1 T6+@1 T6 T6@1 3 4"}});  // binds a, b (its write), a; every frame starts with texturing off
    a->Discard();  // its name comes back for the next texture, which must not be taken as bound
    EXPECT_EQ(TextureOf(Load("c.png", {1, 1, {7}})).Texel(0, 0), Bytes{7});
}

TEST_F(GraphicsTest, ReadPixelsCopiesAWindowRectangleTopRowFirstAfterDrawingWhatIsPending) {
    host.deviceHeight = 3, BeginFrame();
    // Four pixels a row, the bottom row first.
    fake_gl::state().framebufferWidth = 4, fake_gl::state().framebuffer = {0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23};
    Array<int> pixels(8);
    device->DrawRect(0, 0, 1, 1), device->ReadPixels(pixels, 1, 0, 2, 2, 1, 4);
    device->ReadPixels(pixels, 0, 0, 2, 2, 5, 4);  // would run past the array
    EXPECT_EQ(Calls() + ": " + Text(pixels[0], pixels[1], pixels[2], pixels[3], pixels[4], pixels[5], pixels[6], pixels[7]), "T6: 0 21 22 0 0 11 12 0");
}

TEST_F(GraphicsTest, MatrixOperationsApplyInTheCurrentSpaceAndPopsRestoreOnlyWhatWasPushed) {
    const Array<float> values = ArrayOf<float, float>({1, 2, 3, 4, 5, 6}), tooShort(5);
    const c_GraphicsContext& c = *nx_graphics_context;
    const auto matrix = [&] { return Text(c.m_ix, c.m_iy, c.m_jx, c.m_jy, c.m_tx, c.m_ty, c.m_transformed); };
    Check(matrix, {
        {[] { nx_graphics_Translate(10, 20), nx_graphics_Scale(2, 3); }, "2 0 0 3 10 20 1"},
        {[] { nx_graphics_Translate(1, 2), nx_graphics_Translate(3, 4); }, "1 0 0 1 4 6 1"},
        {[] { nx_graphics_Rotate(90); }, "0 -1 1 0 0 0 1"},  // counter-clockwise on screen
        {[&] { nx_graphics_SetMatrix2(values), nx_graphics_Transform2(values); }, "7 10 15 22 28 40 1"},
        {[&] { nx_graphics_Translate(0, 6), nx_graphics_SetMatrix2(tooShort), nx_graphics_Transform2(tooShort); }, "1 0 0 1 0 6 1"},
        // A pop restores what was pushed; one more pop is ignored.
        {[] { nx_graphics_Translate(5, 6), nx_graphics_PushMatrix(), nx_graphics_Scale(2, 2), nx_graphics_PopMatrix(), nx_graphics_PopMatrix(); }, "1 0 0 1 5 6 1"},
        {[] { nx_graphics_Translate(5, 6), nx_graphics_SetMatrix(1, 0, 0, 1, 0, 0); }, "1 0 0 1 0 0 0"},
    });
    const int room = c.m_matrixStack.Length();  // before any allocation
    for (int i = 1; i <= 33; ++i) nx_graphics_SetMatrix(i, i, i, i, i, i), nx_graphics_PushMatrix();
    EXPECT_EQ(Text(room, c.m_matrixStack.Length()), Text(32 * kMatrixFloats, 64 * kMatrixFloats));
    for (int i = 33; i >= 1; --i) ASSERT_EQ((nx_graphics_PopMatrix(), matrix()), Text(i, i, i, i, i, i, 1));
}

TEST_F(GraphicsTest, OutsideAFrameNothingIsDrawnAndEveryFrameStartsFromTheSameStateAtTheHostsSize) {
    host.images["kestrel://data/a.png"] = {4, 4, {1, 1, 1, 255}};
    c_Image* image = nx_graphics_LoadImage(String("a.png"), 1, 0);
    EndFrame();
    nx_graphics_Translate(3, 3), nx_graphics_PushMatrix(), nx_graphics_SetColor(10, 20, 30), nx_graphics_SetAlpha(0.25f), nx_graphics_SetBlend(1);
    nx_graphics_SetScissor(5, 5, 10, 10), nx_graphics_DrawRect(0, 0, 1, 1), nx_graphics_DrawLine(0, 0, 1, 1), nx_graphics_DrawEllipse(5, 5, 1, 1);
    nx_graphics_DrawImage(image, 0, 0, 0), nx_graphics_DrawImage2(image, 0, 0, 45, 1, 1, 0), device->EndRender();
    const c_GraphicsContext& c = *nx_graphics_context;
    const auto state = [&] { return Text(c.m_colorR, c.m_colorG, c.m_colorB, c.m_alpha, c.m_blend, c.m_scissorX, c.m_scissorY, c.m_scissorWidth, c.m_scissorHeight, c.m_matrixTop, c.m_tx); };
    EXPECT_EQ(Text(fake_gl::DrawCallCount()) + ", " + state(), "0, 10 20 30 0.25 1 5 5 10 10 6 3");
    host.deviceWidth = 800, host.deviceHeight = 600, BeginFrame();
    EXPECT_EQ(state(), "255 255 255 1 0 0 0 800 600 0 0");
    const int matrices = device->matrices;
    device->Cls(255, 0, 51), nx_graphics_SetBlend(1), nx_graphics_DrawRect(1, 1, 1, 1);
    nx_graphics_SetColor(255, 128, 64), nx_graphics_SetAlpha(0.5f), nx_graphics_DrawRect(1, 1, 1, 1);  // premultiplied
    nx_graphics_SetColor(300, -20, 1), nx_graphics_SetAlpha(2), nx_graphics_DrawRect(1, 1, 1, 1);  // clamped
    EndFrame();
    const fake_gl::State& gl = fake_gl::state();
    // The matrix, reset, reaches the device once, at the first draw; the scissor is off.
    EXPECT_EQ(Calls() + " " + Vertices().substr(0, 7) + " " + Text(device->matrices - matrices, fake_gl::IsEnabled(GL_SCISSOR_TEST)), "T18+ 1,1 2,1 1 0");
    const auto rgba = [&](int i) { const fake_gl::Vertex& v = gl.draws.at(0).vertices.at(i); return Text(v.r, v.g, v.b, v.a); };
    EXPECT_EQ(rgba(0) + ", " + rgba(6) + ", " + rgba(12), "255 255 255 255, 127 64 32 127, 255 0 2 255");
    // The viewport, the projection with y growing down, the clear.
    EXPECT_EQ(Text(gl.viewport[0], gl.viewport[1], gl.viewport[2], gl.viewport[3], gl.ortho[0], gl.ortho[1], gl.ortho[2], gl.ortho[3], gl.ortho[4],
                   gl.ortho[5], gl.clears, gl.clearColor[0], gl.clearColor[1], gl.clearColor[2], gl.clearColor[3]), "0 0 800 600 0 800 600 0 -1 1 1 1 0 0.2 1");
}

TEST_F(GraphicsTest, TheScissorIsInWindowPixelsTruncatedAndOffForTheWholeWindow) {
    const auto scissor = [](float x, float y, float width, float height) { return [=] { nx_graphics_SetScissor(x, y, width, height); }; };
    const GLint* s = fake_gl::state().scissor;  // as OpenGL counts rows, from the bottom
    Check([&] { return fake_gl::IsEnabled(GL_SCISSOR_TEST) ? Text(s[0], s[1], s[2], s[3]) : "off"; }, {
        {[] { nx_graphics_Scale(2, 2), nx_graphics_SetScissor(10.9f, 20.5f, 100.7f, 50.2f); }, "10 410 100 50"},  // no matrix
        {scissor(0, 0, 640, 480), "off"}, {scissor(1, 0, 640, 480), "1 0 640 480"}, {scissor(0, 1, 640, 480), "0 -1 640 480"},
        {scissor(0, 0, 639, 480), "0 0 639 480"}, {scissor(0, 0, 640, 479), "0 1 640 479"},
        {scissor(NAN, 3e9f, -3e9f, 2), Text(0, 480 - 2147483520 - 2, -2147483520, 2)},
    });
}

TEST_F(GraphicsTest, ImagesAreCutIntoFramesWithTheirPaddingHandleAndFlagsOrAreNotMadeWhenTheFileIsTooSmall) {
    const int padX = c_Image::m_PadX, padY = c_Image::m_PadY, centre = c_Image::m_CentreHandle;
    // Frame size, handle, flags, then the frame origins; frameWidth 0 for frames side by side.
    for (auto [width, height, frameWidth, frameHeight, frames, flags, cut] : {
             std::tuple{40, 16, 0, 0, 4, padX | padY, "8 14 0 0 6: 1 1, 11 1, 21 1, 31 1, "}, {10, 4, 0, 0, 3, 0, "3 4 0 0 0: 0 0, 3 0, 6 0, "},
             {64, 32, 0, 0, 1, 0, "64 32 0 0 65536: 0 0, "}, {64, 32, 64, 16, 1, 0, "64 16 0 0 0: 0 0, "},  // only the whole surface draws cheaper
             {64, 32, 0, 0, 1, centre, "64 32 32 16 65536: 0 0, "}, {64, 32, 0, 0, 1, padY | centre, "64 30 32 15 4: 0 1, "},
             {100, 64, 32, 32, 6, 0, "32 32 0 0 0: 0 0, 32 0, 64 0, 0 32, 32 32, 64 32, "},  // a partial column is skipped
             {96, 64, 32, 32, 6, 0, "32 32 0 0 0: 0 0, 32 0, 64 0, 0 32, 32 32, 64 32, "}, {32, 32, 32, 32, 1, 0, "32 32 0 0 65536: 0 0, "}}) {
        host.images["kestrel://data/i.png"] = {width, height, {1, 1, 1, 255}};
        c_Image* image = frameWidth ? nx_graphics_LoadImage2(String("i.png"), frameWidth, frameHeight, frames, flags)
                                    : nx_graphics_LoadImage(String("i.png"), frames, flags);
        std::string text = Text(image->m_width, image->m_height, image->m_tx, image->m_ty, image->m_flags) + ": ";
        for (const c_Frame* frame : image->m_frames) text += Text(frame->m_x, frame->m_y) + ", ";
        EXPECT_EQ(text, cut);
    }
    // The file (the last row's, 32 x 32) holds one 32 x 32 frame: not two, nor one wider or taller.
    for (auto [frameWidth, frameHeight, frames] : {std::tuple{32, 32, 2}, {33, 16, 1}, {16, 33, 1}})
        EXPECT_EQ(nx_graphics_LoadImage2(String("i.png"), frameWidth, frameHeight, frames, 0), nullptr) << frameWidth << " x " << frameHeight;
    // A runtime error reports on standard output, here standard error where the test sees it, then waits for a debugger.
    const auto stderrAndNoDebugger = [] { return dup2(STDERR_FILENO, STDOUT_FILENO), std::freopen("/dev/null", "r", stdin); };
    EXPECT_EXIT((stderrAndNoDebugger(), nx_graphics_LoadImage(String("i.png"), 0, 0)), testing::ExitedWithCode(255), "count must be at least 1");
}

TEST_F(GraphicsTest, ImagesDrawTheirFrameWithTheHandleOnThePointAndTurnAboutIt) {
    host.images["kestrel://data/whole.png"] = {20, 10, {1, 1, 1, 255}}, host.images["kestrel://data/sheet.png"] = {40, 20, {1, 1, 1, 255}};
    c_Image* whole = nx_graphics_LoadImage(String("whole.png"), 1, c_Image::m_CentreHandle);
    c_Image* sheet = nx_graphics_LoadImage2(String("sheet.png"), 20, 10, 3, 0);  // an odd count: no slack after the frames
    nx_graphics_DrawImage(whole, 100, 100, 0), nx_graphics_DrawImage(sheet, 0, 0, 2), nx_graphics_DrawImage(nullptr, 0, 0, 0);
    for (int frame : {3, -1}) nx_graphics_DrawImage(sheet, 0, 0, frame), nx_graphics_DrawImage2(sheet, 0, 0, 0, 1, 1, frame);
    nx_graphics_Translate(1000, 0), nx_graphics_DrawImage2(whole, 100, 50, 90, 2, 1, 0);  // the current matrix applies too
    EndFrame();
    // The turned one: corner (-10, -5) from the handle, twice as wide, a quarter turn counter-clockwise.
    EXPECT_EQ(Vertices(), "90,95 110,95 110,105 90,95 110,105 90,105 | 0,0 20,0 20,10 0,0 20,10 0,10 | "
                    "1095,70 1095,30 1105,30 1095,70 1105,30 1105,70");
    EXPECT_EQ(Vertices(true).substr(0, 63), "0,0 1,0 1,1 0,0 1,1 0,1 | 0,0.5 0.5,0.5 0.5,1 0,0.5 0.5,1 0,1 |");
    EXPECT_EQ(Text(nx_graphics_context->m_tx, nx_graphics_context->m_matrixTop), "1000 0");
}

TEST_F(GraphicsTest, TheDefaultFontIsLoadedThroughTheDataRootOnFirstNeedAndStartsAtSpace) {
    const c_GraphicsContext& c = *nx_graphics_context;
    EXPECT_EQ((nx_graphics_SetFont(nullptr, 65), c.m_font), nullptr);  // missing: no font, no report
    host.images["kestrel://data/vela_font.png"] = {960, 16, {1, 1, 1, 255}};
    c_Image* font = (nx_graphics_SetFont(nullptr, 65), c.m_font);
    EXPECT_EQ(Text(c.m_firstChar, font->m_frames.Length(), font->m_width, font->m_frames[1]->m_x), "32 96 8 11");
    c_Image* other = nx_graphics_LoadImage(String("vela_font.png"), 1, 0);
    EXPECT_EQ((nx_graphics_SetFont(other, 48), std::make_pair(c.m_font, c.m_firstChar)), std::make_pair(other, 48));
    EXPECT_EQ((nx_graphics_SetFont(nullptr, 0), std::make_pair(c.m_font, c.m_defaultFont)), std::make_pair(font, font));  // loaded once
}

}  // namespace
