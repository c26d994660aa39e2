// A renderer in a frame of a 640 × 480 window over the fake OpenGL, with
// the drawing state the graphics module sets at the start of every frame.
#pragma once

#include <gtest/gtest.h>

#include "graphics/renderer.h"
#include "host/nxgame.h"
#include "tests/fakes/gl/fake_gl.h"
#include "tests/unit/graphics/image_host.h"

class RendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake_gl::Reset();
        glfwGraphicsSeq = 1;
        device = new gxtkGraphics();
        device->BeginRender();
        device->SetMatrix(1, 0, 0, 1, 0, 0);
        device->SetColor(255, 255, 255);
        device->SetAlpha(1);
        device->SetBlend(0);
    }

    const fake_gl::DrawCall& Draw(int index) { return fake_gl::state().draws.at(size_t(index)); }
    int Draws() { return fake_gl::DrawCallCount(); }

    ImageTestHost host;
    gxtkGraphics* device = nullptr;
};
