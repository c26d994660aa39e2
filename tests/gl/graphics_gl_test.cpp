// The renderer and the graphics module drawing real pixels: Mesa under
// Xvfb, in a window opened by the desktop host, read back with glReadPixels.
// The unit tier checks what is handed to OpenGL; this checks what OpenGL
// makes of it: the blend functions, premultiplied colours and texels, the
// scissor's rows, nearest sampling.
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

class GraphicsGlTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!glfwInit()) std::abort();
        host = new NxGlfwGame();
        host->SetGlfwWindow(kWindowSize, kWindowSize, 8, 8, 8, 8, 0, 0, false);
        if (!host->Window()) std::abort();
        nx_graphics_init();
        device = nx_graphics_CreateDevice();
    }

    // A frame cleared to a background colour; the test draws, then EndFrame.
    void BeginFrame(float r, float g, float b) {
        device->BeginRender();
        nx_graphics_BeginRender();
        device->Cls(r, g, b);
    }
    void EndFrame() {
        nx_graphics_EndRender();
        device->EndRender();
        device->ReadPixels(frame, 0, 0, kWindowSize, kWindowSize, 0, kWindowSize);
    }
    // "r g b" of a window pixel, each within one of `expected` (rounding differs between drivers).
    void ExpectPixel(int x, int y, int r, int g, int b) {
        const uint32_t argb = static_cast<uint32_t>(frame[y * kWindowSize + x]);
        const int actual[] = {int(argb >> 16 & 0xff), int(argb >> 8 & 0xff), int(argb & 0xff)}, expected[] = {r, g, b};
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(actual[c], expected[c], 1) << "channel " << c << " at " << x << ", " << y;
    }

    static NxGlfwGame* host;
    static gxtkGraphics* device;
    Array<int> frame{kWindowSize * kWindowSize};
};

NxGlfwGame* GraphicsGlTest::host = nullptr;
gxtkGraphics* GraphicsGlTest::device = nullptr;

}  // namespace

TEST_F(GraphicsGlTest, TranslucentColourBlendsPremultipliedAndAdditiveBlendAdds) {
    BeginFrame(100, 0, 255);
    nx_graphics_SetColor(255, 0, 0), nx_graphics_SetAlpha(0.5f), nx_graphics_DrawRect(8, 8, 16, 16);
    nx_graphics_SetBlend(1), nx_graphics_SetColor(100, 50, 0), nx_graphics_SetAlpha(1), nx_graphics_DrawRect(40, 40, 16, 16);
    EndFrame();
    ExpectPixel(16, 16, 177, 0, 128);  // half of red over half of the background
    ExpectPixel(48, 48, 200, 50, 255);  // added
    ExpectPixel(30, 30, 100, 0, 255);  // untouched
}

TEST_F(GraphicsGlTest, ScissorClipsInWindowPixelsFromTheTop) {
    BeginFrame(0, 0, 0);
    nx_graphics_SetScissor(10, 20, 16, 8);
    nx_graphics_DrawRect(0, 0, kWindowSize, kWindowSize);
    EndFrame();
    for (auto [x, y] : {std::pair{10, 20}, {25, 27}}) ExpectPixel(x, y, 255, 255, 255);  // its corners
    for (auto [x, y] : {std::pair{9, 20}, {10, 19}, {26, 27}, {10, 28}}) ExpectPixel(x, y, 0, 0, 0);  // just outside
}

TEST_F(GraphicsGlTest, ImageTexelsAreSampledNearestAndPremultiplied) {
    // 4 × 4 distinct texels, the last translucent, drawn 8 times larger from a PNG through the host's decoder.
    std::vector<unsigned char> rgba;
    for (int i = 0; i < 16; ++i) rgba.insert(rgba.end(), {(unsigned char)(i % 4 * 60), (unsigned char)(i / 4 * 60), 90, (unsigned char)(i < 15 ? 255 : 128)});
    char path[] = "/tmp/flingaroo-gl-XXXXXX.png";
    close(mkstemps(path, 4));
    ASSERT_NE(stbi_write_png(path, 4, 4, 4, rgba.data(), 4 * 4), 0);
    c_Image* image = nx_graphics_LoadImage(String(path), 1, 0);
    std::remove(path);
    ASSERT_NE(image, nullptr);
    BeginFrame(0, 0, 0);
    nx_graphics_Scale(8, 8), nx_graphics_DrawImage(image, 0, 0, 0);
    EndFrame();
    for (int i = 0; i < 15; ++i) {
        for (int offset : {0, 7}) ExpectPixel(i % 4 * 8 + offset, i / 4 * 8 + offset, i % 4 * 60, i / 4 * 60, 90);  // every pixel of its square
    }
    ExpectPixel(28, 28, 90, 90, 45);  // the translucent one over black
    ExpectPixel(40, 40, 0, 0, 0);  // outside the image
}
