// gxtkGraphics: frame set-up, drawing state, the vertex batch and the
// primitives. Relies on OpenGL 1.x client-side arrays and on the host for
// the window (framebuffer) size; surfaces live in surface.cpp.
#include <GL/gl.h>

#include <cmath>

#include "graphics/renderer.h"
#include "host/nxgame.h"

namespace {

constexpr double kMaxOvalSegments = kBatchVertices;
constexpr double kMinOvalSegments = 12;
constexpr float kTwoPi = 6.2831855f;

// Colour bytes are clamped rather than left to run into each other, so an
// out-of-range colour can never become undefined float-to-int conversion.
uint32_t ColorByte(float value) {
    if (!(value > 0)) return 0;  // also NaN
    if (value >= 255) return 255;
    return static_cast<uint32_t>(value);
}

}  // namespace

gxtkGraphics::gxtkGraphics() {
    ReadWindowSize();
    for (int quad = 0; quad < kBatchQuads; ++quad) {
        uint16_t* index = quadIndices + quad * kQuadIndicesPerQuad;
        const uint16_t first = static_cast<uint16_t>(quad * 4);
        index[0] = first;
        index[1] = first + 1;
        index[2] = first + 2;
        index[3] = first;
        index[4] = first + 2;
        index[5] = first + 3;
    }
}

void gxtkGraphics::ReadWindowSize() {
    NxGame* host = NxGame::_game;
    width = host ? host->GetDeviceWidth() : 0;
    height = host ? host->GetDeviceHeight() : 0;
}

int gxtkGraphics::BeginRender() {
    ReadWindowSize();
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(gxtkVertex), &batchVertices[0].x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(gxtkVertex), &batchVertices[0].u);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(gxtkVertex), &batchVertices[0].color);

    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    additiveBlend = false;
    gxtkTextureState::Forget();
    gxtkTextureState::SetEnabled(false);
    batchCount = 0;
    return 1;
}

int gxtkGraphics::EndRender() {
    Flush();
    return 0;
}

// Pending primitives are dropped: they were meant to be drawn below the clear.
int gxtkGraphics::Cls(float r, float g, float b) {
    batchCount = 0;
    glClearColor(r / 255, g / 255, b / 255, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    return 0;
}

int gxtkGraphics::SetAlpha(float value) {
    alpha = value;
    PackColor();
    return 0;
}

int gxtkGraphics::SetColor(float r, float g, float b) {
    red = r;
    green = g;
    blue = b;
    PackColor();
    return 0;
}

void gxtkGraphics::PackColor() {
    packedColor = ColorByte(255 * alpha) << 24 | ColorByte(blue * alpha) << 16 |
                  ColorByte(green * alpha) << 8 | ColorByte(red * alpha);
}

// Blend and scissor are OpenGL state, not vertex data, so what is batched
// must be drawn under the old state first. Setting the blend already in force
// changes nothing on screen, so it keeps the batch: the game sets it before
// every record it replays, and a flush each time would cost a draw call each.
int gxtkGraphics::SetBlend(int mode) {
    bool additive = mode == 1;
    if (additive == additiveBlend) return 0;
    Flush();
    glBlendFunc(GL_ONE, additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
    additiveBlend = additive;
    return 0;
}

int gxtkGraphics::SetScissor(int x, int y, int w, int h) {
    Flush();
    if (x == 0 && y == 0 && w == Width() && h == Height()) {
        glDisable(GL_SCISSOR_TEST);
        return 0;
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, Height() - y - h, w, h);  // OpenGL counts rows from the bottom
    return 0;
}

int gxtkGraphics::SetMatrix(float ix_, float iy_, float jx_, float jy_, float tx_, float ty_) {
    ix = ix_;
    iy = iy_;
    jx = jx_;
    jy = jy_;
    tx = tx_;
    ty = ty_;
    transformed = !(ix == 1 && iy == 0 && jx == 0 && jy == 1 && tx == 0 && ty == 0);
    return 0;
}

gxtkVertex* gxtkGraphics::BeginNewBatch(int type, int count, gxtkSurface* surface) {
    Flush();
    batchType = type;
    batchSurface = surface;
    batchCount = count;
    return batchVertices;
}

void gxtkGraphics::Flush() {
    if (batchCount == 0) return;
    gxtkTextureState::SetEnabled(batchSurface != nullptr);
    if (batchSurface) batchSurface->Bind();
    switch (batchType) {
        case kBatchPoints: glDrawArrays(GL_POINTS, 0, batchCount); break;
        case kBatchLines: glDrawArrays(GL_LINES, 0, batchCount); break;
        case kBatchTriangles: glDrawArrays(GL_TRIANGLES, 0, batchCount); break;
        case kBatchQuadList:
            glDrawElements(GL_TRIANGLES, batchCount / 4 * kQuadIndicesPerQuad, GL_UNSIGNED_SHORT,
                           quadIndices);
            break;
        default:
            for (int first = 0; first < batchCount; first += batchType)
                glDrawArrays(GL_TRIANGLE_FAN, first, batchType);
    }
    batchCount = 0;
}

void gxtkGraphics::Put(gxtkVertex* vertex, float x, float y) {
    if (transformed) {
        vertex->x = ix * x + jx * y + tx;
        vertex->y = iy * x + jy * y + ty;
    } else {
        vertex->x = x;
        vertex->y = y;
    }
    vertex->color = packedColor;
}

void gxtkGraphics::PutTextured(gxtkVertex* vertex, float x, float y, float u, float v) {
    Put(vertex, x, y);
    vertex->u = u;
    vertex->v = v;
}

int gxtkGraphics::DrawPoint(float x, float y) {
    Put(Begin(kBatchPoints, 1, nullptr), x, y);
    return 0;
}

int gxtkGraphics::DrawLine(float x1, float y1, float x2, float y2) {
    gxtkVertex* vertices = Begin(kBatchLines, 2, nullptr);
    Put(vertices, x1, y1);
    Put(vertices + 1, x2, y2);
    return 0;
}

int gxtkGraphics::DrawRect(float x, float y, float w, float h) {
    gxtkVertex* vertices = Begin(kBatchQuadList, 4, nullptr);
    Put(vertices, x, y);
    Put(vertices + 1, x + w, y);
    Put(vertices + 2, x + w, y + h);
    Put(vertices + 3, x, y + h);
    return 0;
}

// Segments follow the on-screen size of the radii, in steps of four so the
// outline stays symmetric, between 12 and one whole batch. The estimate is
// kept in double so a huge or invalid size never reaches an int conversion.
int gxtkGraphics::OvalSegments(float xRadius, float yRadius) const {
    double estimate;
    if (transformed) {
        estimate = std::trunc(std::sqrt(double{ix * xRadius} * (ix * xRadius) +
                                        double{iy * xRadius} * (iy * xRadius)) +
                              std::sqrt(double{jx * yRadius} * (jx * yRadius) +
                                        double{jy * yRadius} * (jy * yRadius)));
    } else {
        estimate = std::fabs(std::trunc(xRadius)) + std::fabs(std::trunc(yRadius));
    }
    if (!(estimate >= kMinOvalSegments)) return static_cast<int>(kMinOvalSegments);
    if (estimate > kMaxOvalSegments) return static_cast<int>(kMaxOvalSegments);
    return static_cast<int>(estimate) & ~3;
}

int gxtkGraphics::DrawOval(float x, float y, float w, float h) {
    const float xRadius = w * 0.5f;
    const float yRadius = h * 0.5f;
    const int segments = OvalSegments(xRadius, yRadius);
    gxtkVertex* vertices = Begin(segments, segments, nullptr);
    const float centreX = x + xRadius;
    const float centreY = y + yRadius;
    for (int i = 0; i < segments; ++i) {
        // Counter-clockwise on screen from the rightmost point: y grows downwards.
        const float angle = i * kTwoPi / segments;
        Put(vertices + i, centreX + std::cos(angle) * xRadius, centreY - std::sin(angle) * yRadius);
    }
    return 0;
}

int gxtkGraphics::DrawPoly(Array<float> verts) {
    const int count = verts.Length() / 2;
    if (count < 1 || count > kBatchVertices) return 0;
    gxtkVertex* vertices = Begin(count, count, nullptr);
    for (int i = 0; i < count; ++i) Put(vertices + i, verts[2 * i], verts[2 * i + 1]);
    return 0;
}

int gxtkGraphics::DrawPoly2(Array<float> verts, gxtkSurface* surface, int srcx, int srcy) {
    const int count = verts.Length() / 4;
    if (count < 1 || count > kBatchVertices || !surface) return 0;
    gxtkVertex* vertices = Begin(count, count, surface);
    for (int i = 0; i < count; ++i) {
        const float* vertex = &verts[4 * i];
        PutTextured(vertices + i, vertex[0], vertex[1], (vertex[2] + srcx) * surface->uScale,
                    (vertex[3] + srcy) * surface->vScale);
    }
    return 0;
}

// The hot path of every image: without a matrix the four corners are
// stored straight into the batch.
void gxtkGraphics::PutTexturedQuad(gxtkSurface* surface, float x, float y, float w, float h,
                                   float uLeft, float vTop, float uRight, float vBottom) {
    gxtkVertex* vertices = Begin(kBatchQuadList, 4, surface);
    const float right = x + w, bottom = y + h;
    if (transformed) {
        PutTextured(vertices, x, y, uLeft, vTop);
        PutTextured(vertices + 1, right, y, uRight, vTop);
        PutTextured(vertices + 2, right, bottom, uRight, vBottom);
        PutTextured(vertices + 3, x, bottom, uLeft, vBottom);
        return;
    }
    const uint32_t color = packedColor;
    vertices[0] = {x, y, uLeft, vTop, color};
    vertices[1] = {right, y, uRight, vTop, color};
    vertices[2] = {right, bottom, uRight, vBottom, color};
    vertices[3] = {x, bottom, uLeft, vBottom, color};
}

int gxtkGraphics::DrawSurface(gxtkSurface* surface, float x, float y) {
    if (!surface) return 0;
    const float w = static_cast<float>(surface->Width());
    const float h = static_cast<float>(surface->Height());
    PutTexturedQuad(surface, x, y, w, h, 0, 0, w * surface->uScale, h * surface->vScale);
    return 0;
}

int gxtkGraphics::DrawSurface2(gxtkSurface* surface, float x, float y, int srcx, int srcy, int srcw,
                               int srch) {
    if (!surface) return 0;
    PutTexturedQuad(surface, x, y, static_cast<float>(srcw), static_cast<float>(srch),
                    srcx * surface->uScale, srcy * surface->vScale, (srcx + srcw) * surface->uScale,
                    (srcy + srch) * surface->vScale);
    return 0;
}
