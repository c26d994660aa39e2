// The renderer and the graphics module drawing real pixels: Mesa under
// Xvfb, in a window opened by the desktop host, read back with glReadPixels.
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <stb_image_write.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "graphics/graphics.h"
#include "host/glfw/glfw_game.h"

namespace {

constexpr int kWindowSize = 64;

struct Rgb {
    int r, g, b;
};

class GraphicsGlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!glfwInit()) std::abort();
        host = new NxGlfwGame();
        host->SetGlfwWindow(kWindowSize, kWindowSize, 8, 8, 8, 8, 0, 0, false);
        if (!host->Window()) std::abort();
        nx_graphics_init();
        device = nx_graphics_CreateDevice();
    }

    // A frame cleared to `background`; the test draws, then EndFrame.
    void BeginFrame(Rgb background) {
        device->BeginRender();
        nx_graphics_BeginRender();
        device->Cls(float(background.r), float(background.g), float(background.b));
    }
    void EndFrame() {
        nx_graphics_EndRender();
        device->EndRender();
        Array<int> pixels(kWindowSize * kWindowSize);
        device->ReadPixels(pixels, 0, 0, kWindowSize, kWindowSize, 0, kWindowSize);
        frame = pixels;
    }
    Rgb Pixel(int x, int y) {
        const uint32_t argb = static_cast<uint32_t>(frame[y * kWindowSize + x]);
        return {int(argb >> 16 & 0xff), int(argb >> 8 & 0xff), int(argb & 0xff)};
    }

    // A PNG written for the test and loaded through the host's decoder.
    c_Image* LoadImage(int width, int height, const std::vector<unsigned char>& rgba, int flags) {
        char path[] = "/tmp/flingaroo-gl-XXXXXX.png";
        const int fd = mkstemps(path, 4);
        EXPECT_GE(fd, 0);
        close(fd);
        EXPECT_NE(stbi_write_png(path, width, height, 4, rgba.data(), width * 4), 0);
        c_Image* image = nx_graphics_LoadImage(String(path), 1, flags);
        std::remove(path);
        return image;
    }

    static NxGlfwGame* host;
    static gxtkGraphics* device;
    Array<int> frame;
};

NxGlfwGame* GraphicsGlTest::host = nullptr;
gxtkGraphics* GraphicsGlTest::device = nullptr;

void ExpectColour(Rgb actual, Rgb expected, const char* where) {
    EXPECT_NEAR(actual.r, expected.r, 1) << where;
    EXPECT_NEAR(actual.g, expected.g, 1) << where;
    EXPECT_NEAR(actual.b, expected.b, 1) << where;
}

}  // namespace

TEST_F(GraphicsGlTest, TranslucentColourBlendsOverTheBackgroundPremultiplied) {
    BeginFrame({0, 0, 255});
    nx_graphics_SetColor(255, 0, 0);
    nx_graphics_SetAlpha(0.5f);
    nx_graphics_DrawRect(8, 8, 16, 16);
    EndFrame();
    ExpectColour(Pixel(16, 16), {127, 0, 128}, "inside");
    ExpectColour(Pixel(30, 30), {0, 0, 255}, "outside");
}

TEST_F(GraphicsGlTest, AdditiveBlendAddsTheColour) {
    BeginFrame({100, 0, 0});
    nx_graphics_SetBlend(1);
    nx_graphics_SetColor(100, 50, 0);
    nx_graphics_DrawRect(0, 0, 32, 32);
    EndFrame();
    ExpectColour(Pixel(10, 10), {200, 50, 0}, "added");
    ExpectColour(Pixel(40, 40), {100, 0, 0}, "untouched");
}

TEST_F(GraphicsGlTest, TexturesAreSampledNearestAtTheirExactTexels) {
    // A 4 × 4 image of distinct texels (one translucent), drawn 8 times larger.
    std::vector<unsigned char> rgba;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const bool translucent = x == 3 && y == 3;
            rgba.insert(rgba.end(), {static_cast<unsigned char>(x * 60), static_cast<unsigned char>(y * 60),
                                     static_cast<unsigned char>(translucent ? 255 : 90),
                                     static_cast<unsigned char>(translucent ? 128 : 255)});
        }
    }
    c_Image* image = LoadImage(4, 4, rgba, 0);
    ASSERT_NE(image, nullptr);
    BeginFrame({0, 0, 0});
    nx_graphics_Scale(8, 8);
    nx_graphics_DrawImage(image, 0, 0, 0);
    EndFrame();
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            for (int offset : {0, 4, 7}) {  // every pixel of a texel's square has its colour
                ExpectColour(Pixel(x * 8 + offset, y * 8 + offset), {x * 60, y * 60, 90}, "texel");
            }
        }
    }
    ExpectColour(Pixel(28, 28), {90, 90, 128}, "premultiplied texel over black");
    ExpectColour(Pixel(40, 40), {0, 0, 0}, "outside the image");
}

TEST_F(GraphicsGlTest, ScissorClipsInWindowPixelsFromTheTop) {
    BeginFrame({0, 0, 0});
    nx_graphics_SetScissor(10, 20, 16, 8);
    nx_graphics_DrawRect(0, 0, kWindowSize, kWindowSize);
    EndFrame();
    ExpectColour(Pixel(10, 20), {255, 255, 255}, "top-left inside");
    ExpectColour(Pixel(25, 27), {255, 255, 255}, "bottom-right inside");
    ExpectColour(Pixel(9, 20), {0, 0, 0}, "left of it");
    ExpectColour(Pixel(10, 19), {0, 0, 0}, "above it");
    ExpectColour(Pixel(26, 27), {0, 0, 0}, "right of it");
    ExpectColour(Pixel(10, 28), {0, 0, 0}, "below it");
}

TEST_F(GraphicsGlTest, ARotatedImageTurnsCounterClockwiseAboutItsHandle) {
    // 16 × 8: red left half, green right half.
    std::vector<unsigned char> rgba;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            rgba.insert(rgba.end(), {static_cast<unsigned char>(x < 8 ? 255 : 0),
                                     static_cast<unsigned char>(x < 8 ? 0 : 255), 0, 255});
        }
    }
    c_Image* image = LoadImage(16, 8, rgba, c_Image::m_CentreHandle);
    ASSERT_NE(image, nullptr);
    BeginFrame({0, 0, 0});
    nx_graphics_DrawImage2(image, 32, 32, 90, 1, 1, 0);
    EndFrame();
    ExpectColour(Pixel(32, 27), {0, 255, 0}, "the right half turned up");
    ExpectColour(Pixel(32, 36), {255, 0, 0}, "the left half turned down");
    ExpectColour(Pixel(38, 32), {0, 0, 0}, "beyond the turned width");
    ExpectColour(Pixel(32, 42), {0, 0, 0}, "beyond the turned height");
}
