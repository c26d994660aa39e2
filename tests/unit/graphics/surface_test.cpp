// Surfaces: premultiplied pixels, textures that follow the OpenGL context,
// the power-of-two retry, textured primitives and pixel writes and reads.
#include <GL/gl.h>

#include "tests/unit/graphics/renderer_fixture.h"

class SurfaceTest : public RendererTest {
protected:
    gxtkSurface* Load(const std::string& path) { return device->LoadSurface(String(path.c_str())); }
    const fake_gl::Texture& TextureOf(gxtkSurface* surface) {
        return fake_gl::state().textures.at(surface->texture);
    }
};

TEST_F(SurfaceTest, LoadedPixelsArePremultipliedInMemoryAndInTheTexture) {
    host.AddImage("rgba.png", 3, 2, {200, 100, 50, 128});
    gxtkSurface* surface = Load("rgba.png");
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->glFormat, unsigned(GL_RGBA));
    const std::vector<uint8_t> premultiplied{100, 50, 25, 128};
    EXPECT_EQ(std::vector<uint8_t>(surface->pixels, surface->pixels + 4), premultiplied);
    EXPECT_EQ(TextureOf(surface).Texel(2, 1), premultiplied);
}

TEST_F(SurfaceTest, EveryDepthKeepsItsOwnFormatAndOnlyAlphaDepthsArePremultiplied) {
    host.AddImage("grey.png", 1, 1, {90});
    host.AddImage("greyalpha.png", 1, 1, {255, 51});
    host.AddImage("rgb.png", 1, 1, {1, 2, 3});
    EXPECT_EQ(Load("grey.png")->glFormat, unsigned(GL_LUMINANCE));
    gxtkSurface* greyAlpha = Load("greyalpha.png");
    EXPECT_EQ(greyAlpha->glFormat, unsigned(GL_LUMINANCE_ALPHA));
    EXPECT_EQ(TextureOf(greyAlpha).Texel(0, 0), (std::vector<uint8_t>{51, 51}));
    gxtkSurface* rgb = Load("rgb.png");
    EXPECT_EQ(rgb->glFormat, unsigned(GL_RGB));
    EXPECT_EQ(TextureOf(rgb).Texel(0, 0), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(SurfaceTest, AMissingImageGivesNullAndNoTexture) {
    EXPECT_EQ(Load("missing.png"), nullptr);
    EXPECT_TRUE(fake_gl::state().texImages.empty());
}

TEST_F(SurfaceTest, TexturesUseNearestFilteringAndClampAtTheExactSize) {
    host.AddImage("odd.png", 100, 60, {1, 2, 3, 255});
    gxtkSurface* surface = Load("odd.png");
    const auto& parameters = TextureOf(surface).parameters;
    EXPECT_EQ(parameters.at(GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    EXPECT_EQ(parameters.at(GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_EQ(parameters.at(GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(parameters.at(GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    ASSERT_EQ(fake_gl::state().texImages.size(), 1u);
    EXPECT_EQ(fake_gl::state().texImages[0].width, 100);
    EXPECT_FLOAT_EQ(surface->uScale, 1.0f / 100);
}

TEST_F(SurfaceTest, ARejectedExactSizeIsRetriedAtPowersOfTwo) {
    fake_gl::state().rejectNonPowerOfTwo = true;
    host.AddImage("odd.png", 100, 60, {1, 2, 3, 255});
    gxtkSurface* surface = Load("odd.png");
    const auto& images = fake_gl::state().texImages;
    ASSERT_EQ(images.size(), 2u);
    EXPECT_FALSE(images[0].accepted);
    EXPECT_EQ(images[1].width, 128);
    EXPECT_EQ(images[1].height, 64);
    EXPECT_FLOAT_EQ(surface->uScale, 1.0f / 128);
    EXPECT_FLOAT_EQ(surface->vScale, 1.0f / 64);
    EXPECT_EQ(TextureOf(surface).Texel(99, 59), (std::vector<uint8_t>{1, 2, 3, 255}));

    device->DrawSurface(surface, 0, 0);
    device->EndRender();
    const auto& v = Draw(0).vertices;
    EXPECT_FLOAT_EQ(v[2].u, 100.0f / 128);  // the bottom-right corner
    EXPECT_FLOAT_EQ(v[2].v, 60.0f / 64);
}

TEST_F(SurfaceTest, ANewContextGetsANewTextureWithTheSamePixels) {
    host.AddImage("ball.png", 2, 2, {9, 8, 7, 255});
    gxtkSurface* surface = Load("ball.png");
    const GLuint oldTexture = surface->texture;
    ++glfwGraphicsSeq;
    device->DrawSurface(surface, 0, 0);
    device->EndRender();
    EXPECT_NE(surface->texture, oldTexture);
    EXPECT_EQ(surface->contextSeq, glfwGraphicsSeq);
    EXPECT_EQ(Draw(0).texture, surface->texture);
    EXPECT_EQ(TextureOf(surface).Texel(1, 1), (std::vector<uint8_t>{9, 8, 7, 255}));
    EXPECT_TRUE(fake_gl::state().deletedTextures.empty());  // the old name is abandoned
}

TEST_F(SurfaceTest, WithoutAWindowTheTextureIsMadeAtTheFirstBindAfterOne) {
    glfwGraphicsSeq = 0;
    host.AddImage("early.png", 2, 2, {1, 1, 1, 255});
    gxtkSurface* surface = Load("early.png");
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->contextSeq, -1);
    EXPECT_TRUE(fake_gl::state().texImages.empty());
    glfwGraphicsSeq = 1;
    surface->Bind();
    EXPECT_EQ(surface->contextSeq, 1);
    EXPECT_EQ(TextureOf(surface).Texel(0, 0), (std::vector<uint8_t>{1, 1, 1, 255}));
}

TEST_F(SurfaceTest, DiscardDeletesOnlyATextureOfTheCurrentContext) {
    host.AddImage("a.png", 1, 1, {1, 1, 1, 255});
    gxtkSurface* current = Load("a.png");
    gxtkSurface* old = Load("a.png");
    const GLuint currentTexture = current->texture;
    current->Discard();
    EXPECT_EQ(fake_gl::state().deletedTextures, std::vector<GLuint>{currentTexture});
    EXPECT_EQ(current->pixels, nullptr);
    EXPECT_EQ(current->contextSeq, -1);
    ++glfwGraphicsSeq;
    old->Discard();
    EXPECT_EQ(fake_gl::state().deletedTextures.size(), 1u);
    EXPECT_EQ(old->pixels, nullptr);
}

TEST_F(SurfaceTest, ACollectedSurfaceReleasesItsTexture) {
    GLuint texture = 0;
    {
        gxtkSurface surface;  // not in collected memory: destroyed at the end of the block
        host.AddImage("a.png", 1, 1, {1, 1, 1, 255});
        ASSERT_TRUE(device->LoadSurface__UNSAFE__(&surface, String("a.png")));
        surface.Bind();
        texture = surface.texture;
    }
    EXPECT_EQ(fake_gl::state().deletedTextures, std::vector<GLuint>{texture});
}

TEST_F(SurfaceTest, SurfacesShareABatchOnlyWithThemselves) {
    host.AddImage("a.png", 8, 8, {1, 1, 1, 255});
    gxtkSurface* first = Load("a.png");
    gxtkSurface* second = Load("a.png");
    device->DrawSurface(first, 0, 0);
    device->DrawSurface2(first, 10, 0, 0, 0, 4, 4);
    device->DrawSurface(second, 0, 0);
    device->EndRender();
    ASSERT_EQ(Draws(), 2);
    EXPECT_EQ(Draw(0).count, 12);
    EXPECT_EQ(Draw(0).texture, first->texture);
    EXPECT_TRUE(Draw(0).textured);
    EXPECT_EQ(Draw(1).texture, second->texture);
    EXPECT_FALSE(fake_gl::IsEnabled(GL_TEXTURE_2D));  // untextured primitives come next
}

TEST_F(SurfaceTest, PartsOfASurfaceMapToTheirTexels) {
    host.AddImage("strip.png", 64, 32, {1, 1, 1, 255});
    gxtkSurface* surface = Load("strip.png");
    device->DrawSurface2(surface, 100, 200, 16, 8, 32, 16);
    Array<float> triangle(12);
    const float corners[12] = {0, 0, 0, 0, 10, 0, 4, 0, 0, 10, 0, 4};
    for (int i = 0; i < 12; ++i) triangle[i] = corners[i];
    device->DrawPoly2(triangle, surface, 8, 16);
    device->EndRender();
    const auto& quad = Draw(0).vertices;  // corners 0, 1, 2 then 0, 2, 3
    EXPECT_FLOAT_EQ(quad[0].x, 100);
    EXPECT_FLOAT_EQ(quad[0].u, 16.0f / 64);
    EXPECT_FLOAT_EQ(quad[0].v, 8.0f / 32);
    EXPECT_FLOAT_EQ(quad[2].x, 132);
    EXPECT_FLOAT_EQ(quad[2].y, 216);
    EXPECT_FLOAT_EQ(quad[2].u, 48.0f / 64);
    EXPECT_FLOAT_EQ(quad[2].v, 24.0f / 32);
    const auto& poly = Draw(1).vertices;
    EXPECT_FLOAT_EQ(poly[1].u, 12.0f / 64);
    EXPECT_FLOAT_EQ(poly[2].v, 20.0f / 32);
}

using PixelsTest = SurfaceTest;

namespace {

Array<int> Pixels(std::initializer_list<uint32_t> values) {
    Array<int> pixels(static_cast<int>(values.size()));
    int i = 0;
    for (uint32_t value : values) pixels[i++] = static_cast<int>(value);
    return pixels;
}

}  // namespace

TEST_F(PixelsTest, CreatedSurfacesAreRgbaTexturesWithoutACopy) {
    gxtkSurface* surface = device->CreateSurface(4, 2);
    EXPECT_EQ(surface->glFormat, unsigned(GL_RGBA));
    EXPECT_EQ(surface->pixels, nullptr);
    EXPECT_EQ(TextureOf(surface).width, 4);
    EXPECT_TRUE(fake_gl::state().texSubImages.empty());
}

TEST_F(PixelsTest, FullWidthWritesUploadOnceAndArePremultiplied) {
    gxtkSurface* surface = device->CreateSurface(2, 2);
    device->WritePixels2(surface, Pixels({0, 0x80FF0000, 0xFF00FF00, 0x400000FF, 0xFFFFFFFF}), 0, 0, 2, 2, 1, 2);
    ASSERT_EQ(fake_gl::state().texSubImages.size(), 1u);
    EXPECT_EQ(TextureOf(surface).Texel(0, 0), (std::vector<uint8_t>{128, 0, 0, 128}));
    EXPECT_EQ(TextureOf(surface).Texel(1, 0), (std::vector<uint8_t>{0, 255, 0, 255}));
    EXPECT_EQ(TextureOf(surface).Texel(0, 1), (std::vector<uint8_t>{0, 0, 64, 64}));
    EXPECT_EQ(TextureOf(surface).Texel(1, 1), (std::vector<uint8_t>{255, 255, 255, 255}));
}

TEST_F(PixelsTest, NarrowWritesUploadRowByRowAtTheCopysStride) {
    gxtkSurface* surface = device->CreateSurface(4, 3);
    device->WritePixels2(surface, Pixels({0xFF010203, 0xFF040506, 0, 0xFF070809, 0xFF0A0B0C}), 1, 1, 2, 2, 0, 3);
    const auto& uploads = fake_gl::state().texSubImages;
    ASSERT_EQ(uploads.size(), 2u);
    EXPECT_EQ(uploads[1].y, 2);
    EXPECT_EQ(uploads[1].height, 1);
    EXPECT_EQ(TextureOf(surface).Texel(2, 1), (std::vector<uint8_t>{4, 5, 6, 255}));
    EXPECT_EQ(TextureOf(surface).Texel(1, 2), (std::vector<uint8_t>{7, 8, 9, 255}));
    EXPECT_EQ(TextureOf(surface).Texel(2, 2), (std::vector<uint8_t>{10, 11, 12, 255}));
}

TEST_F(PixelsTest, WritesDrawWhatWasBatchedWithTheOldContentsFirst) {
    gxtkSurface* surface = device->CreateSurface(1, 1);
    device->DrawSurface(surface, 0, 0);
    device->WritePixels2(surface, Pixels({0xFFFFFFFF}), 0, 0, 1, 1, 0, 1);
    EXPECT_EQ(Draws(), 1);
}

TEST_F(PixelsTest, OnlyRgbaSurfacesAreWritten) {
    host.AddImage("rgb.png", 2, 2, {1, 2, 3});
    gxtkSurface* surface = Load("rgb.png");
    device->WritePixels2(surface, Pixels({0xFFFFFFFF}), 0, 0, 1, 1, 0, 1);
    EXPECT_TRUE(fake_gl::state().texSubImages.size() == 1u);  // only the load's upload
    EXPECT_EQ(surface->pixels[0], 1);
}

TEST_F(PixelsTest, RectanglesOutsideTheSurfaceOrTheArrayAreIgnored) {
    gxtkSurface* surface = device->CreateSurface(2, 2);
    device->WritePixels2(surface, Pixels({1, 2, 3, 4}), 1, 1, 2, 2, 0, 2);   // past the surface
    device->WritePixels2(surface, Pixels({1, 2, 3}), 0, 0, 2, 2, 0, 2);      // past the array
    device->WritePixels2(surface, Pixels({1, 2, 3, 4}), 0, 0, 2, 2, -1, 2);  // before the array
    EXPECT_TRUE(fake_gl::state().texSubImages.empty());
    EXPECT_EQ(surface->pixels, nullptr);
}

TEST_F(PixelsTest, WritesWithoutACurrentTextureReachItAtTheNextBind) {
    gxtkSurface* surface = device->CreateSurface(1, 1);
    ++glfwGraphicsSeq;
    device->WritePixels2(surface, Pixels({0xFF102030}), 0, 0, 1, 1, 0, 1);
    EXPECT_TRUE(fake_gl::state().texSubImages.empty());
    surface->Bind();
    EXPECT_EQ(TextureOf(surface).Texel(0, 0), (std::vector<uint8_t>{0x10, 0x20, 0x30, 0xFF}));
}

TEST_F(PixelsTest, ReadPixelsCopiesAWindowRectangleTopRowFirst) {
    host.deviceHeight = 3;
    device->BeginRender();
    fake_gl::State& gl = fake_gl::state();
    gl.framebufferWidth = 4;
    gl.framebuffer = {0x00, 0x01, 0x02, 0x03,   // bottom row of the window
                      0x10, 0x11, 0x12, 0x13,
                      0x20, 0x21, 0x22, 0x23};  // top row
    Array<int> pixels(8);
    device->ReadPixels(pixels, 1, 0, 2, 2, 1, 4);
    ASSERT_EQ(gl.readPixels.size(), 1u);
    EXPECT_EQ(gl.readPixels[0].y, 1);
    EXPECT_EQ(gl.readPixels[0].format, GLenum(GL_BGRA));
    const int expected[8] = {0, 0x21, 0x22, 0, 0, 0x11, 0x12, 0};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(pixels[i], expected[i]) << i;
    device->ReadPixels(pixels, 0, 0, 2, 2, 5, 4);  // would run past the array
    EXPECT_EQ(gl.readPixels.size(), 1u);
}
