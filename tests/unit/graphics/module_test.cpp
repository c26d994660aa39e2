// The graphics module over the renderer: lazy matrices, the matrix stack,
// frame state, images and their frames, fonts and asset paths.
#include <unistd.h>

#include <cmath>
#include <cstdio>

#include "graphics/graphics.h"
#include "tests/unit/graphics/renderer_fixture.h"

namespace {

// Counts how often the module hands its matrix to the device.
class CountingDevice : public gxtkGraphics {
public:
    int SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty) override {
        ++matrixCalls;
        return gxtkGraphics::SetMatrix(ix, iy, jx, jy, tx, ty);
    }
    int matrixCalls = 0;
};

// A runtime error prints its report on standard output and then waits for a
// debugger on standard input; in a death test the report goes to standard
// error, where the test can see it, and no debugger answers.
void PrepareForRuntimeError() {
    dup2(STDERR_FILENO, STDOUT_FILENO);
    if (!std::freopen("/dev/null", "r", stdin)) std::abort();
}

}  // namespace

class GraphicsModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake_gl::Reset();
        glfwGraphicsSeq = 1;
        nx_graphics_init();
        device = new CountingDevice();
        nx_graphics_SetGraphicsDevice(device);
        BeginFrame();
    }
    void TearDown() override { nx_graphics_EndRender(); }

    void BeginFrame() {
        device->BeginRender();
        nx_graphics_BeginRender();
    }
    void EndFrame() {
        nx_graphics_EndRender();
        device->EndRender();
    }
    const std::vector<fake_gl::Vertex>& Vertices(int draw) {
        return fake_gl::state().draws.at(size_t(draw)).vertices;
    }
    c_GraphicsContext& Context() { return *nx_graphics_context; }

    ImageTestHost host;
    CountingDevice* device = nullptr;
};

using MatrixTest = GraphicsModuleTest;

TEST_F(MatrixTest, TranslateThenScaleScalesInTheTranslatedSpace) {
    nx_graphics_Translate(10, 20);
    nx_graphics_Scale(2, 2);
    nx_graphics_DrawRect(1, 1, 5, 5);
    EndFrame();
    EXPECT_FLOAT_EQ(Vertices(0)[0].x, 12);
    EXPECT_FLOAT_EQ(Vertices(0)[0].y, 22);
}

TEST_F(MatrixTest, PositiveRotationTurnsTheXAxisUpTheScreen) {
    nx_graphics_Rotate(90);
    nx_graphics_DrawLine(0, 0, 1, 0);
    EndFrame();
    EXPECT_NEAR(Vertices(0)[1].x, 0, 1e-6);
    EXPECT_NEAR(Vertices(0)[1].y, -1, 1e-6);
}

TEST_F(MatrixTest, ManyMatrixChangesReachTheDeviceOncePerDraw) {
    const int atFrameStart = device->matrixCalls;
    for (int i = 0; i < 10; ++i) nx_graphics_Translate(1, 1);
    EXPECT_EQ(device->matrixCalls, atFrameStart);
    nx_graphics_DrawRect(0, 0, 1, 1);
    nx_graphics_DrawRect(0, 0, 1, 1);
    EXPECT_EQ(device->matrixCalls, atFrameStart + 1);
    EXPECT_EQ(Context().m_transformed, 1);
    nx_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
    EXPECT_EQ(Context().m_transformed, 0);
}

TEST_F(MatrixTest, TheStackGrowsByDoublingAndPopsInReverseOrder) {
    EXPECT_EQ(Context().m_matrixStack.Length(), 192);
    for (int i = 1; i <= 33; ++i) {
        nx_graphics_SetMatrix(1, 0, 0, 1, float(i), 0);
        nx_graphics_PushMatrix();
    }
    EXPECT_EQ(Context().m_matrixStack.Length(), 384);
    EXPECT_EQ(Context().m_matrixTop, 33 * 6);
    for (int i = 33; i >= 1; --i) {
        nx_graphics_PopMatrix();
        ASSERT_FLOAT_EQ(Context().m_tx, float(i));
    }
    EXPECT_EQ(Context().m_matrixTop, 0);
}

TEST_F(MatrixTest, PopWithoutPushKeepsTheMatrix) {
    nx_graphics_Translate(5, 6);
    nx_graphics_PopMatrix();
    EXPECT_EQ(Context().m_matrixTop, 0);
    EXPECT_FLOAT_EQ(Context().m_tx, 5);
    EXPECT_FLOAT_EQ(Context().m_ty, 6);
}

TEST_F(MatrixTest, MatrixArraysShorterThanSixAreIgnored) {
    Array<float> m(6);
    const float values[6] = {2, 0, 0, 3, 4, 5};
    for (int i = 0; i < 6; ++i) m[i] = values[i];
    nx_graphics_SetMatrix2(m);
    EXPECT_FLOAT_EQ(Context().m_jy, 3);
    nx_graphics_Transform2(m);
    EXPECT_FLOAT_EQ(Context().m_tx, 12);  // 4·2 + 4
    Array<float> shortArray(5);
    nx_graphics_SetMatrix2(shortArray);
    nx_graphics_Transform2(shortArray);
    nx_graphics_Transform2(Array<float>());
    EXPECT_FLOAT_EQ(Context().m_ix, 4);
    EXPECT_FLOAT_EQ(Context().m_tx, 12);
}

using FrameStateTest = GraphicsModuleTest;

TEST_F(FrameStateTest, BeginRenderStartsEveryFrameFromTheSameState) {
    nx_graphics_Translate(3, 3);
    nx_graphics_PushMatrix();
    nx_graphics_SetColor(10, 20, 30);
    nx_graphics_SetAlpha(0.25f);
    nx_graphics_SetBlend(1);
    nx_graphics_SetScissor(5, 5, 10, 10);
    EndFrame();

    fake_gl::Reset();
    BeginFrame();
    c_GraphicsContext& c = Context();
    EXPECT_EQ(c.m_matrixTop, 0);
    EXPECT_EQ(c.m_transformed, 0);
    EXPECT_FLOAT_EQ(c.m_tx, 0);
    EXPECT_FLOAT_EQ(c.m_colorG, 255);
    EXPECT_FLOAT_EQ(c.m_alpha, 1);
    EXPECT_EQ(c.m_blend, 0);
    EXPECT_FLOAT_EQ(c.m_scissorWidth, 640);
    EXPECT_FLOAT_EQ(c.m_scissorHeight, 480);
    EXPECT_FALSE(fake_gl::IsEnabled(GL_SCISSOR_TEST));
    EXPECT_EQ(fake_gl::state().blendFuncs.back().second, GLenum(GL_ONE_MINUS_SRC_ALPHA));
    nx_graphics_DrawRect(1, 1, 1, 1);
    EndFrame();
    const fake_gl::Vertex& v = Vertices(0)[0];
    EXPECT_FLOAT_EQ(v.x, 1);
    EXPECT_EQ(v.g, 255);
    EXPECT_EQ(v.a, 255);
}

TEST_F(FrameStateTest, ColourAndAlphaReachTheVertices) {
    nx_graphics_SetColor(255, 128, 0);
    nx_graphics_SetAlpha(0.5f);
    nx_graphics_DrawRect(0, 0, 1, 1);
    EndFrame();
    const fake_gl::Vertex& v = Vertices(0)[0];
    EXPECT_EQ(v.r, 127);
    EXPECT_EQ(v.g, 64);
    EXPECT_EQ(v.a, 127);
}

TEST_F(FrameStateTest, ScissorIsInWindowPixelsTruncated) {
    nx_graphics_Scale(2, 2);
    nx_graphics_SetScissor(10.9f, 20.5f, 100.7f, 50.2f);
    const fake_gl::Scissor& s = fake_gl::state().scissors.back();
    EXPECT_EQ(s.x, 10);
    EXPECT_EQ(s.y, 480 - 20 - 50);
    EXPECT_EQ(s.width, 100);
}

TEST_F(FrameStateTest, OutsideAFrameNothingIsDrawnAndStateIsKept) {
    EndFrame();
    host.AddImage("kestrel://data/a.png", 4, 4, {1, 1, 1, 255});
    c_Image* image = nx_graphics_LoadImage(String("a.png"), 1, 0);
    nx_graphics_SetColor(1, 2, 3);
    nx_graphics_SetBlend(1);
    nx_graphics_SetScissor(1, 1, 1, 1);
    nx_graphics_DrawRect(0, 0, 1, 1);
    nx_graphics_DrawLine(0, 0, 1, 1);
    nx_graphics_DrawEllipse(5, 5, 1, 1);
    nx_graphics_DrawImage(image, 0, 0, 0);
    nx_graphics_DrawImage2(image, 0, 0, 45, 1, 1, 0);
    device->EndRender();
    EXPECT_EQ(fake_gl::DrawCallCount(), 0);
    EXPECT_EQ(device->batchCount, 0);
    EXPECT_FLOAT_EQ(Context().m_colorB, 3);
    EXPECT_EQ(Context().m_blend, 1);
    EXPECT_EQ(Context().m_matrixTop, 0);
}

TEST_F(FrameStateTest, EllipsesAreGivenByCentreAndRadii) {
    nx_graphics_DrawEllipse(50, 50, 10, 5);
    EndFrame();
    float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
    for (const fake_gl::Vertex& v : Vertices(0)) {
        left = std::min(left, v.x);
        right = std::max(right, v.x);
        top = std::min(top, v.y);
        bottom = std::max(bottom, v.y);
    }
    EXPECT_NEAR(left, 40, 1e-4);
    EXPECT_NEAR(right, 60, 1e-4);
    EXPECT_NEAR(top, 45, 1e-4);
    EXPECT_NEAR(bottom, 55, 1e-4);
}

class ImageTest : public GraphicsModuleTest {
protected:
    c_Image* Load(const char* name, int width, int height, int frames, int flags) {
        host.AddImage(std::string("kestrel://data/") + name, width, height, {1, 1, 1, 255});
        return nx_graphics_LoadImage(String(name), frames, flags);
    }
    c_Image* Load2(int width, int height, int frameWidth, int frameHeight, int frames) {
        host.AddImage("kestrel://data/sheet.png", width, height, {1, 1, 1, 255});
        return nx_graphics_LoadImage2(String("sheet.png"), frameWidth, frameHeight, frames, 0);
    }
};

TEST_F(ImageTest, APaddedStripHasFramesInsideTheirBorders) {
    c_Image* font = Load("font.png", 960, 16, 96, c_Image::m_PadX);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->m_width, 8);
    EXPECT_EQ(font->m_height, 16);
    ASSERT_EQ(font->m_frames.Length(), 96);
    for (int i = 0; i < 96; ++i) ASSERT_EQ(font->m_frames[i]->m_x, 1 + 10 * i);
    EXPECT_EQ(font->m_frames[95]->m_x, 951);
    EXPECT_EQ(font->m_flags & c_Image::m_WholeSurface, 0);
}

TEST_F(ImageTest, ASingleFrameOfTheWholeSurfaceIsMarkedSo) {
    c_Image* plain = Load("a.png", 64, 32, 1, 0);
    EXPECT_EQ(plain->m_frames[0]->m_x, 0);
    EXPECT_EQ(plain->m_flags, c_Image::m_WholeSurface);
    c_Image* centred = Load("b.png", 64, 32, 1, c_Image::m_CentreHandle);
    EXPECT_FLOAT_EQ(centred->m_tx, 32);
    EXPECT_FLOAT_EQ(centred->m_ty, 16);
    EXPECT_EQ(centred->m_flags, 65536);
    c_Image* padded = Load("c.png", 64, 32, 1, c_Image::m_PadY | c_Image::m_CentreHandle);
    EXPECT_EQ(padded->m_frames[0]->m_y, 1);
    EXPECT_FLOAT_EQ(padded->m_ty, 15);
    EXPECT_EQ(padded->m_flags, c_Image::m_PadY);
}

TEST_F(ImageTest, SheetsAreCutInReadingOrderSkippingPartialColumns) {
    c_Image* sheet = Load2(100, 64, 32, 32, 6);
    ASSERT_EQ(sheet->m_frames.Length(), 6);
    const int expected[6][2] = {{0, 0}, {32, 0}, {64, 0}, {0, 32}, {32, 32}, {64, 32}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(sheet->m_frames[i]->m_x, expected[i][0]) << i;
        EXPECT_EQ(sheet->m_frames[i]->m_y, expected[i][1]) << i;
    }
    EXPECT_EQ(sheet->m_width, 32);
    EXPECT_EQ(sheet->m_flags, 0);
}

TEST_F(ImageTest, FramesThatDoNotFitStopTheProgram) {
    EXPECT_EXIT({ PrepareForRuntimeError(); Load2(100, 64, 32, 32, 7); }, testing::ExitedWithCode(255),
                "Kestrel Runtime Error : Image frame outside surface");
    EXPECT_EXIT({ PrepareForRuntimeError(); Load2(100, 64, 101, 32, 1); }, testing::ExitedWithCode(255),
                "Image frame outside surface");
}

TEST_F(ImageTest, AFrameCountBelowOneStopsTheProgram) {
    EXPECT_EXIT({ PrepareForRuntimeError(); Load("a.png", 64, 32, 0, 0); }, testing::ExitedWithCode(255),
                "Kestrel Runtime Error : Image frame count must be at least 1");
}

TEST_F(ImageTest, MissingFilesGiveNullThroughTheDataRoot) {
    EXPECT_EQ(nx_graphics_LoadImage(String("gfx/ball.png"), 1, 0), nullptr);
    EXPECT_EQ(nx_graphics_LoadImage2(String("./save.png"), 8, 8, 1, 0), nullptr);
    EXPECT_EQ(host.requestedPaths, (std::vector<std::string>{"kestrel://data/gfx/ball.png", "./save.png"}));
}

TEST_F(ImageTest, WholeSurfaceImagesDrawWholeAndFramesDrawTheirPart) {
    c_Image* whole = Load("a.png", 20, 10, 1, c_Image::m_CentreHandle);
    c_Image* strip = Load("b.png", 40, 10, 4, 0);
    nx_graphics_DrawImage(whole, 100, 100, 0);
    nx_graphics_DrawImage(strip, 0, 0, 2);
    EndFrame();
    const auto& first = Vertices(0);
    EXPECT_FLOAT_EQ(first[0].x, 90);  // the handle lands on (100, 100)
    EXPECT_FLOAT_EQ(first[0].y, 95);
    EXPECT_FLOAT_EQ(first[2].u, 1);
    const auto& second = Vertices(1);
    EXPECT_FLOAT_EQ(second[0].u, 20.0f / 40);
    EXPECT_FLOAT_EQ(second[2].x, 10);
    EXPECT_FLOAT_EQ(second[2].u, 30.0f / 40);
}

TEST_F(ImageTest, FramesOutsideTheImageAreNotDrawn) {
    c_Image* strip = Load("b.png", 40, 10, 4, 0);
    nx_graphics_DrawImage(strip, 0, 0, 4);
    nx_graphics_DrawImage(strip, 0, 0, -1);
    nx_graphics_DrawImage2(strip, 0, 0, 0, 1, 1, 99);
    nx_graphics_DrawImage(nullptr, 0, 0, 0);
    EndFrame();
    EXPECT_EQ(fake_gl::DrawCallCount(), 0);
    EXPECT_EQ(Context().m_matrixTop, 0);
}

TEST_F(ImageTest, RotatedImagesTurnAboutTheirHandle) {
    c_Image* image = Load("a.png", 20, 10, 1, c_Image::m_CentreHandle);
    nx_graphics_Translate(1000, 0);  // the current matrix applies too
    nx_graphics_DrawImage2(image, 100, 50, 90, 2, 1, 0);
    EndFrame();
    const auto& v = Vertices(0);
    // Top-left corner (-10, -5) of the frame, scaled by 2 in x, turned a quarter
    // counter-clockwise on screen: x' = y, y' = -x.
    EXPECT_NEAR(v[0].x, 1100 - 5, 1e-3);
    EXPECT_NEAR(v[0].y, 50 + 20, 1e-3);
    EXPECT_FLOAT_EQ(Context().m_tx, 1000);
    EXPECT_EQ(Context().m_matrixTop, 0);
}

using FontTest = ImageTest;

TEST_F(FontTest, TheDefaultFontIsLoadedOnceAndStartsAtSpace) {
    host.AddImage("kestrel://data/vela_font.png", 960, 16, {1, 1, 1, 255});
    nx_graphics_SetFont(nullptr, 65);
    ASSERT_NE(Context().m_font, nullptr);
    EXPECT_EQ(Context().m_font, Context().m_defaultFont);
    EXPECT_EQ(Context().m_firstChar, 32);
    EXPECT_EQ(Context().m_font->m_frames.Length(), 96);
    EXPECT_EQ(Context().m_font->m_frames[1]->m_x, 11);
    c_Image* other = Load("other.png", 80, 8, 10, 0);
    nx_graphics_SetFont(other, 48);
    EXPECT_EQ(Context().m_font, other);
    EXPECT_EQ(Context().m_firstChar, 48);
    nx_graphics_SetFont(nullptr, 0);
    EXPECT_EQ(host.requestedPaths.size(), 2u);
}

TEST_F(FontTest, AMissingDefaultFontLeavesNoFont) {
    nx_graphics_SetFont(nullptr, 32);
    EXPECT_EQ(Context().m_font, nullptr);
}
