// The graphics context: lazy matrix hand-over, the matrix stack, drawing
// state and the drawing functions. Every call outside a frame's render (no
// render device) keeps its state in the context and draws nothing.
#include <cmath>

#include "graphics/graphics.h"

gxtkGraphics* nx_graphics_device = nullptr;
gxtkGraphics* nx_graphics_renderDevice = nullptr;
c_GraphicsContext* nx_graphics_context = nullptr;

namespace {

constexpr float kRadiansPerDegree = 0.017453292f;  // pi / 180 in single precision

// Truncation toward zero that cannot overflow: the scissor reaches the
// renderer as integers whatever floats the caller passed.
int TruncateToInt(float value) {
    constexpr float kLimit = 2147483520.0f;  // the largest float below 2^31
    if (std::isnan(value)) return 0;
    if (value >= kLimit) return static_cast<int>(kLimit);
    if (value <= -kLimit) return -static_cast<int>(kLimit);
    return static_cast<int>(value);
}

void IdentityTest(c_GraphicsContext* context) {
    c_GraphicsContext& c = *context;
    c.m_transformed =
        (c.m_ix == 1 && c.m_iy == 0 && c.m_jx == 0 && c.m_jy == 1 && c.m_tx == 0 && c.m_ty == 0) ? 0 : 1;
    c.m_matrixDirty = 1;
}

}  // namespace

c_GraphicsContext* c_GraphicsContext::m_new() {
    gc_assign(m_matrixStack, Array<float>(kInitialMatrixStackFloats));
    return this;
}

void c_GraphicsContext::mark() {
    gc_mark_q(m_defaultFont);
    gc_mark_q(m_font);
    gc_mark_q(m_matrixStack);
}

// Any number of matrix changes between two draws costs one device call.
int c_GraphicsContext::p_Validate() {
    if (!m_matrixDirty || !nx_graphics_renderDevice) return 0;
    nx_graphics_renderDevice->SetMatrix(m_ix, m_iy, m_jx, m_jy, m_tx, m_ty);
    m_matrixDirty = 0;
    return 0;
}

int nx_graphics_SetGraphicsDevice(gxtkGraphics* device) {
    gc_assign(nx_graphics_device, device);
    return 0;
}

gxtkGraphics* nx_graphics_CreateDevice() {
    gxtkGraphics* device = new gxtkGraphics();
    nx_graphics_SetGraphicsDevice(device);
    return device;
}

int nx_graphics_BeginRender() {
    c_GraphicsContext* context = nx_graphics_context;
    gc_assign(nx_graphics_renderDevice, nx_graphics_device);
    context->m_matrixTop = 0;
    nx_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
    nx_graphics_SetColor(255, 255, 255);
    nx_graphics_SetAlpha(1);
    nx_graphics_SetBlend(0);
    // The renderer read the host's device size at its own BeginRender, the
    // same size the app module caches for this frame.
    gxtkGraphics* device = nx_graphics_renderDevice;
    const float width = device ? static_cast<float>(device->Width()) : 0;
    const float height = device ? static_cast<float>(device->Height()) : 0;
    nx_graphics_SetScissor(0, 0, width, height);
    return 0;
}

int nx_graphics_EndRender() {
    nx_graphics_renderDevice = nullptr;
    return 0;
}

int nx_graphics_SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty) {
    c_GraphicsContext* c = nx_graphics_context;
    c->m_ix = ix;
    c->m_iy = iy;
    c->m_jx = jx;
    c->m_jy = jy;
    c->m_tx = tx;
    c->m_ty = ty;
    IdentityTest(c);
    return 0;
}

// A matrix array shorter than six elements is ignored: the matrix stays.
int nx_graphics_SetMatrix2(Array<float> m) {
    if (m.Length() < kMatrixFloats) return 0;
    return nx_graphics_SetMatrix(m[0], m[1], m[2], m[3], m[4], m[5]);
}

// The given transformation applies first, in the current space.
int nx_graphics_Transform(float a, float b, float c, float d, float e, float f) {
    c_GraphicsContext* g = nx_graphics_context;
    const float ix = a * g->m_ix + b * g->m_jx;
    const float iy = a * g->m_iy + b * g->m_jy;
    const float jx = c * g->m_ix + d * g->m_jx;
    const float jy = c * g->m_iy + d * g->m_jy;
    const float tx = e * g->m_ix + f * g->m_jx + g->m_tx;
    const float ty = e * g->m_iy + f * g->m_jy + g->m_ty;
    return nx_graphics_SetMatrix(ix, iy, jx, jy, tx, ty);
}

int nx_graphics_Transform2(Array<float> m) {
    if (m.Length() < kMatrixFloats) return 0;
    return nx_graphics_Transform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

int nx_graphics_Translate(float x, float y) { return nx_graphics_Transform(1, 0, 0, 1, x, y); }

int nx_graphics_Scale(float x, float y) { return nx_graphics_Transform(x, 0, 0, y, 0, 0); }

// With y pointing down, a positive angle turns counter-clockwise on screen.
int nx_graphics_Rotate(float angle) {
    const double radians = angle * kRadiansPerDegree;
    const float cosine = static_cast<float>(std::cos(radians));
    const float sine = static_cast<float>(std::sin(radians));
    return nx_graphics_Transform(cosine, -sine, sine, cosine, 0, 0);
}

// The stack only grows, by doubling, so pushes allocate nothing until 32
// matrices are exceeded.
int nx_graphics_PushMatrix() {
    c_GraphicsContext* c = nx_graphics_context;
    if (c->m_matrixTop + kMatrixFloats > c->m_matrixStack.Length()) {
        const int oldLength = c->m_matrixStack.Length();
        Array<float> larger(oldLength > 0 ? oldLength * 2 : kInitialMatrixStackFloats);
        for (int i = 0; i < oldLength; ++i) larger[i] = c->m_matrixStack[i];
        gc_assign(c->m_matrixStack, larger);
    }
    float* top = &c->m_matrixStack[c->m_matrixTop];
    top[0] = c->m_ix;
    top[1] = c->m_iy;
    top[2] = c->m_jx;
    top[3] = c->m_jy;
    top[4] = c->m_tx;
    top[5] = c->m_ty;
    c->m_matrixTop += kMatrixFloats;
    return 0;
}

// A pop without a matching push is ignored: the matrix stays as it is.
int nx_graphics_PopMatrix() {
    c_GraphicsContext* c = nx_graphics_context;
    if (c->m_matrixTop < kMatrixFloats) return 0;
    const float* top = &c->m_matrixStack[c->m_matrixTop - kMatrixFloats];
    nx_graphics_SetMatrix(top[0], top[1], top[2], top[3], top[4], top[5]);
    c->m_matrixTop -= kMatrixFloats;
    return 0;
}

int nx_graphics_SetColor(float r, float g, float b) {
    c_GraphicsContext* c = nx_graphics_context;
    c->m_colorR = r;
    c->m_colorG = g;
    c->m_colorB = b;
    if (nx_graphics_renderDevice) nx_graphics_renderDevice->SetColor(r, g, b);
    return 0;
}

int nx_graphics_SetAlpha(float alpha) {
    nx_graphics_context->m_alpha = alpha;
    if (nx_graphics_renderDevice) nx_graphics_renderDevice->SetAlpha(alpha);
    return 0;
}

int nx_graphics_SetBlend(int blend) {
    nx_graphics_context->m_blend = blend;
    if (nx_graphics_renderDevice) nx_graphics_renderDevice->SetBlend(blend);
    return 0;
}

// Window pixels: the matrix does not apply to the scissor.
int nx_graphics_SetScissor(float x, float y, float width, float height) {
    c_GraphicsContext* c = nx_graphics_context;
    c->m_scissorX = x;
    c->m_scissorY = y;
    c->m_scissorWidth = width;
    c->m_scissorHeight = height;
    if (nx_graphics_renderDevice) {
        nx_graphics_renderDevice->SetScissor(TruncateToInt(x), TruncateToInt(y), TruncateToInt(width),
                                             TruncateToInt(height));
    }
    return 0;
}

int nx_graphics_DrawRect(float x, float y, float w, float h) {
    if (!nx_graphics_renderDevice) return 0;
    nx_graphics_context->p_Validate();
    nx_graphics_renderDevice->DrawRect(x, y, w, h);
    return 0;
}

int nx_graphics_DrawLine(float x1, float y1, float x2, float y2) {
    if (!nx_graphics_renderDevice) return 0;
    nx_graphics_context->p_Validate();
    nx_graphics_renderDevice->DrawLine(x1, y1, x2, y2);
    return 0;
}

int nx_graphics_DrawEllipse(float x, float y, float xRadius, float yRadius) {
    if (!nx_graphics_renderDevice) return 0;
    nx_graphics_context->p_Validate();
    nx_graphics_renderDevice->DrawOval(x - xRadius, y - yRadius, 2 * xRadius, 2 * yRadius);
    return 0;
}

namespace {

// The frame to draw, or null when there is nothing to draw: no frame being
// rendered, no image, or a frame index outside the image.
c_Frame* DrawableFrame(c_Image* image, int frame) {
    if (!nx_graphics_renderDevice || !image) return nullptr;
    if (frame < 0 || frame >= image->m_frames.Length()) return nullptr;
    return image->m_frames[frame];
}

void DrawFrame(c_Image* image, c_Frame* frame, float x, float y) {
    if (image->m_flags & c_Image::m_WholeSurface) {
        nx_graphics_renderDevice->DrawSurface(image->m_surface, x, y);
    } else {
        nx_graphics_renderDevice->DrawSurface2(image->m_surface, x, y, frame->m_x, frame->m_y,
                                               image->m_width, image->m_height);
    }
}

}  // namespace

int nx_graphics_DrawImage(c_Image* image, float x, float y, int frame) {
    c_Frame* f = DrawableFrame(image, frame);
    if (!f) return 0;
    nx_graphics_context->p_Validate();
    DrawFrame(image, f, x - image->m_tx, y - image->m_ty);
    return 0;
}

// The handle lands on (x, y); rotation and scale turn about it.
int nx_graphics_DrawImage2(c_Image* image, float x, float y, float rotation, float scaleX,
                           float scaleY, int frame) {
    c_Frame* f = DrawableFrame(image, frame);
    if (!f) return 0;
    const double radians = rotation * kRadiansPerDegree;
    const float cosine = static_cast<float>(std::cos(radians));
    const float sine = static_cast<float>(std::sin(radians));
    nx_graphics_PushMatrix();
    nx_graphics_Transform(1, 0, 0, 1, x, y);
    nx_graphics_Transform(cosine, -sine, sine, cosine, 0, 0);
    nx_graphics_Transform(scaleX, 0, 0, scaleY, 0, 0);
    nx_graphics_Transform(1, 0, 0, 1, -image->m_tx, -image->m_ty);
    nx_graphics_context->p_Validate();
    DrawFrame(image, f, 0, 0);
    nx_graphics_PopMatrix();
    return 0;
}
