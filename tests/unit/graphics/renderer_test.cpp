// The renderer's batching, drawing state and primitives as OpenGL sees them.
#include <GL/gl.h>

#include <cmath>

#include "tests/unit/graphics/renderer_fixture.h"

using BatchTest = RendererTest;

TEST_F(BatchTest, PointsShareOneDrawCallUntilTheBatchIsFull) {
    for (int i = 0; i < kBatchVertices; ++i) device->DrawPoint(float(i), 1);
    EXPECT_EQ(Draws(), 0);
    device->DrawPoint(5, 5);
    ASSERT_EQ(Draws(), 1);
    EXPECT_EQ(Draw(0).mode, GLenum(GL_POINTS));
    EXPECT_EQ(Draw(0).count, 1024);
    EXPECT_FLOAT_EQ(Draw(0).vertices[1023].x, 1023);
    device->EndRender();
    ASSERT_EQ(Draws(), 2);
    EXPECT_EQ(Draw(1).count, 1);
    EXPECT_FLOAT_EQ(Draw(1).vertices[0].x, 5);
}

TEST_F(BatchTest, TwoHundredFiftySixRectanglesFitOneBatchAndTheNextFlushes) {
    for (int i = 0; i < 256; ++i) device->DrawRect(float(i), 0, 1, 1);
    EXPECT_EQ(Draws(), 0);
    device->DrawRect(0, 0, 1, 1);
    ASSERT_EQ(Draws(), 1);
    EXPECT_EQ(Draw(0).mode, GLenum(GL_TRIANGLES));
    EXPECT_TRUE(Draw(0).indexed);
    EXPECT_EQ(Draw(0).count, 256 * 6);
}

TEST_F(BatchTest, RectanglesAreTwoTrianglesOverTheirCorners) {
    device->DrawRect(10, 20, 30, 40);
    device->EndRender();
    ASSERT_EQ(Draws(), 1);
    const auto& v = Draw(0).vertices;
    ASSERT_EQ(v.size(), 6u);
    const float expected[6][2] = {{10, 20}, {40, 20}, {40, 60}, {10, 20}, {40, 60}, {10, 60}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_FLOAT_EQ(v[i].x, expected[i][0]) << i;
        EXPECT_FLOAT_EQ(v[i].y, expected[i][1]) << i;
    }
}

TEST_F(BatchTest, ChangingPrimitiveKindFlushes) {
    device->DrawRect(0, 0, 1, 1);
    device->DrawLine(0, 0, 5, 5);
    device->DrawRect(0, 0, 1, 1);
    device->EndRender();
    ASSERT_EQ(Draws(), 3);
    EXPECT_EQ(Draw(0).mode, GLenum(GL_TRIANGLES));
    EXPECT_EQ(Draw(1).mode, GLenum(GL_LINES));
    EXPECT_EQ(Draw(1).count, 2);
    EXPECT_EQ(Draw(2).mode, GLenum(GL_TRIANGLES));
}

TEST_F(BatchTest, ColourAndMatrixChangesNeverFlush) {
    device->DrawRect(0, 0, 1, 1);
    device->SetColor(10, 20, 30);
    device->SetAlpha(0.5f);
    device->SetMatrix(2, 0, 0, 2, 5, 5);
    device->DrawRect(0, 0, 1, 1);
    EXPECT_EQ(Draws(), 0);
    device->EndRender();
    EXPECT_EQ(Draws(), 1);
}

TEST_F(BatchTest, BlendAndScissorChangesDrawWhatIsBatchedUnderTheOldState) {
    device->DrawRect(0, 0, 1, 1);
    device->SetBlend(1);
    ASSERT_EQ(Draws(), 1);
    EXPECT_EQ(Draw(0).blendDestination, GLenum(GL_ONE_MINUS_SRC_ALPHA));
    device->DrawRect(0, 0, 1, 1);
    device->SetScissor(10, 10, 20, 20);
    ASSERT_EQ(Draws(), 2);
    EXPECT_EQ(Draw(1).blendDestination, GLenum(GL_ONE));
}

TEST_F(BatchTest, PolygonsOfOneSizeShareABatchAsSeparateFans) {
    Array<float> pentagon(10);
    device->DrawPoly(pentagon);
    device->DrawPoly(pentagon);
    Array<float> hexagon(12);
    device->DrawPoly(hexagon);
    device->EndRender();
    ASSERT_EQ(Draws(), 3);
    EXPECT_EQ(Draw(0).mode, GLenum(GL_TRIANGLE_FAN));
    EXPECT_EQ(Draw(0).first, 0);
    EXPECT_EQ(Draw(1).first, 5);
    EXPECT_EQ(Draw(1).count, 5);
    EXPECT_EQ(Draw(2).count, 6);
}

TEST_F(BatchTest, PolygonsWithNoVertexOrMoreThanABatchAreNotDrawn) {
    device->DrawPoly(Array<float>(1));
    device->DrawPoly(Array<float>(2 * (kBatchVertices + 1)));
    device->EndRender();
    EXPECT_EQ(Draws(), 0);
}

TEST_F(BatchTest, ClsDropsThePendingBatchAndClearsToTheColour) {
    device->DrawRect(0, 0, 1, 1);
    device->Cls(255, 0, 51);
    device->EndRender();
    EXPECT_EQ(Draws(), 0);
    EXPECT_EQ(fake_gl::state().clears, 1);
    EXPECT_FLOAT_EQ(fake_gl::state().clearColor[0], 1);
    EXPECT_FLOAT_EQ(fake_gl::state().clearColor[2], 0.2f);
    EXPECT_FLOAT_EQ(fake_gl::state().clearColor[3], 1);
}

using RendererStateTest = RendererTest;

TEST_F(RendererStateTest, ColourIsPremultipliedIntoTheVertexBytes) {
    device->SetColor(255, 128, 0);
    device->SetAlpha(0.5f);
    device->DrawPoint(0, 0);
    device->EndRender();
    const fake_gl::Vertex& v = Draw(0).vertices[0];
    EXPECT_EQ(v.r, 127);
    EXPECT_EQ(v.g, 64);
    EXPECT_EQ(v.b, 0);
    EXPECT_EQ(v.a, 127);
}

TEST_F(RendererStateTest, OutOfRangeColourIsClampedNotMixedIntoOtherChannels) {
    device->SetColor(300, -20, 128);
    device->SetAlpha(2);
    device->DrawPoint(0, 0);
    device->EndRender();
    const fake_gl::Vertex& v = Draw(0).vertices[0];
    EXPECT_EQ(v.r, 255);
    EXPECT_EQ(v.g, 0);
    EXPECT_EQ(v.b, 255);
    EXPECT_EQ(v.a, 255);
}

TEST_F(RendererStateTest, TheMatrixIsAppliedOnTheProcessor) {
    device->SetMatrix(0, 1, -1, 0, 100, 50);  // a quarter turn, then moved
    device->DrawLine(10, 0, 0, 10);
    device->EndRender();
    const auto& v = Draw(0).vertices;
    EXPECT_FLOAT_EQ(v[0].x, 100);
    EXPECT_FLOAT_EQ(v[0].y, 60);
    EXPECT_FLOAT_EQ(v[1].x, 90);
    EXPECT_FLOAT_EQ(v[1].y, 50);
}

TEST_F(RendererStateTest, BlendModesUsePremultipliedFactors) {
    device->SetBlend(1);
    EXPECT_EQ(fake_gl::state().blendFuncs.back(), std::make_pair(GLenum(GL_ONE), GLenum(GL_ONE)));
    device->SetBlend(7);
    EXPECT_EQ(fake_gl::state().blendFuncs.back(),
              std::make_pair(GLenum(GL_ONE), GLenum(GL_ONE_MINUS_SRC_ALPHA)));
}

TEST_F(BatchTest, SettingTheBlendAlreadyInForceKeepsTheBatch) {
    device->DrawRect(0, 0, 1, 1);
    device->SetBlend(0);  // alpha blending is in force from BeginRender
    device->DrawRect(0, 0, 1, 1);
    device->SetBlend(1);
    device->DrawRect(0, 0, 1, 1);
    device->SetBlend(1);
    device->DrawRect(0, 0, 1, 1);
    device->EndRender();
    EXPECT_EQ(Draws(), 2);
}

TEST_F(RendererStateTest, FullWindowScissorSwitchesTheTestOffAndOthersFlipY) {
    device->SetScissor(10, 20, 100, 50);
    EXPECT_TRUE(fake_gl::IsEnabled(GL_SCISSOR_TEST));
    ASSERT_EQ(fake_gl::state().scissors.size(), 1u);
    const fake_gl::Scissor& s = fake_gl::state().scissors[0];
    EXPECT_EQ(s.x, 10);
    EXPECT_EQ(s.y, 480 - 20 - 50);
    EXPECT_EQ(s.width, 100);
    EXPECT_EQ(s.height, 50);
    device->SetScissor(0, 0, 640, 480);
    EXPECT_FALSE(fake_gl::IsEnabled(GL_SCISSOR_TEST));
}

TEST_F(RendererStateTest, BeginRenderFollowsTheHostsDeviceSize) {
    host.deviceWidth = 800;
    host.deviceHeight = 600;
    EXPECT_EQ(device->Width(), 640);
    device->BeginRender();
    EXPECT_EQ(device->Width(), 800);
    EXPECT_EQ(device->Height(), 600);
    const GLint* viewport = fake_gl::state().viewport;
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    const GLdouble* ortho = fake_gl::state().ortho;
    EXPECT_EQ(ortho[1], 800);  // right
    EXPECT_EQ(ortho[2], 600);  // bottom: y grows downwards
    EXPECT_EQ(ortho[3], 0);
    EXPECT_TRUE(fake_gl::IsEnabled(GL_BLEND));
}

using OvalTest = RendererTest;

namespace {

int OvalVertices(gxtkGraphics* device, float w, float h) {
    fake_gl::Reset();
    device->BeginRender();
    device->DrawOval(0, 0, w, h);
    device->EndRender();
    return fake_gl::state().draws.empty() ? 0 : fake_gl::state().draws[0].count;
}

}  // namespace

TEST_F(OvalTest, SegmentsFollowTheRadiiInStepsOfFourBetweenTwelveAndABatch) {
    EXPECT_EQ(OvalVertices(device, 10, 10), 12);
    EXPECT_EQ(OvalVertices(device, 100, 60), 80);
    EXPECT_EQ(OvalVertices(device, 101, 61), 80);
    EXPECT_EQ(OvalVertices(device, 106, 60), 80);  // estimate 83 rounds down
    EXPECT_EQ(OvalVertices(device, -100, 60), 80);
    EXPECT_EQ(OvalVertices(device, 3000, 3000), 1024);
    EXPECT_EQ(OvalVertices(device, 0, 0), 12);
    EXPECT_EQ(OvalVertices(device, std::nanf(""), 1e30f), 12);
}

TEST_F(OvalTest, SegmentsFollowTheTransformedSize) {
    device->SetMatrix(2, 0, 0, 2, 0, 0);
    EXPECT_EQ(OvalVertices(device, 10, 10), 20);
    device->SetMatrix(0, 3, -3, 0, 0, 0);  // rotated and scaled by 3
    EXPECT_EQ(OvalVertices(device, 10, 10), 28);
}

TEST_F(OvalTest, OutlineStartsAtTheRightmostPointAndRunsCounterClockwise) {
    device->DrawOval(10, 20, 100, 60);
    device->EndRender();
    ASSERT_EQ(Draws(), 1);
    EXPECT_EQ(Draw(0).mode, GLenum(GL_TRIANGLE_FAN));
    const auto& v = Draw(0).vertices;
    EXPECT_FLOAT_EQ(v[0].x, 110);
    EXPECT_FLOAT_EQ(v[0].y, 50);
    EXPECT_NEAR(v[20].x, 60, 1e-3);  // a quarter of 80 segments: the top
    EXPECT_NEAR(v[20].y, 20, 1e-3);
}
