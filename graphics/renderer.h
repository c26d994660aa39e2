// The renderer: gxtkGraphics, the one drawing device, and gxtkSurface, an
// image held as an OpenGL texture plus a premultiplied copy of its pixels.
// The device transforms vertices on the processor and collects primitives in
// one 1024-vertex batch handed to OpenGL in a single draw call. It reads the
// window size and decoded images from the host (NxGame) and never GLFW.
#pragma once

#include <cstdint>

#include "runtime/array.h"
#include "runtime/object.h"
#include "runtime/string.h"

constexpr int kBatchVertices = 1024;
constexpr int kBatchQuads = kBatchVertices / 4;
constexpr int kQuadIndicesPerQuad = 6;

// Values of gxtkGraphics::batchType below kFirstPolygonType; any larger value
// is a polygon of that many vertices.
constexpr int kBatchPoints = 1;
constexpr int kBatchLines = 2;
constexpr int kBatchTriangles = 3;
constexpr int kBatchQuadList = 4;
constexpr int kFirstPolygonType = 5;

// One vertex as OpenGL reads it (stride 20). u and v stay unwritten for
// untextured primitives: they are never read with texturing off.
struct gxtkVertex {
    float x;
    float y;
    float u;
    float v;
    uint32_t color;  // bytes R, G, B, A in memory order, premultiplied
};
static_assert(sizeof(gxtkVertex) == 20, "OpenGL is given a 20-byte stride");

// The texture state of the current OpenGL context as the renderer last set
// it: a flush calls OpenGL only when texturing or the bound texture changes.
// Each frame starts from Forget(), so whatever drew in between cannot fool it.
class gxtkTextureState {
public:
    static void Forget();
    static void SetEnabled(bool enabled);
    static void Bind(unsigned int texture);
    static void Deleted(unsigned int texture);
};

class gxtkSurface : public Object {
public:
    unsigned char* pixels = nullptr;  // owned (malloc), premultiplied; null without a copy
    int width = 0;
    int height = 0;
    int depth = 0;
    unsigned int glFormat = 0;
    int contextSeq = -1;  // nxGraphicsContextSeq when the texture was made; -1 without one
    unsigned int texture = 0;
    float uScale = 0;
    float vScale = 0;

    ~gxtkSurface() override;

    virtual int Discard();
    virtual int Width() { return width; }
    virtual int Height() { return height; }
    virtual bool Loaded() { return true; }
    virtual void OnUnsafeLoadComplete() { Bind(); }

    // Takes ownership of decoded pixels (freed with free()) and premultiplies them.
    void SetData(unsigned char* data, int width, int height, int depth);
    // Writes 0xAARRGGBB pixels into the copy and the texture; RGBA surfaces only.
    void SetSubData(int x, int y, int w, int h, const int* src, int pitch);
    void Bind();
};

class gxtkGraphics : public Object {
public:
    int width = 0;
    int height = 0;
    uint32_t packedColor = 0;
    float red = 0;
    float green = 0;
    float blue = 0;
    float alpha = 0;
    float ix = 1, iy = 0, jx = 0, jy = 1, tx = 0, ty = 0;
    bool transformed = false;
    gxtkVertex batchVertices[kBatchVertices];
    uint16_t quadIndices[kBatchQuads * kQuadIndicesPerQuad];
    int batchType = 0;
    bool additiveBlend = false;  // the blend function in force since BeginRender
    int batchCount = 0;
    gxtkSurface* batchSurface = nullptr;  // not traced: only compared and bound within a frame

    gxtkGraphics();

    virtual int Width() { return width; }
    virtual int Height() { return height; }
    virtual int BeginRender();
    virtual int EndRender();
    virtual void DiscardGraphics() {}
    virtual gxtkSurface* LoadSurface(const String& path);
    virtual gxtkSurface* CreateSurface(int width, int height);
    virtual bool LoadSurface__UNSAFE__(gxtkSurface* surface, const String& path);
    virtual int Cls(float r, float g, float b);
    virtual int SetAlpha(float alpha);
    virtual int SetColor(float r, float g, float b);
    virtual int SetBlend(int mode);
    virtual int SetScissor(int x, int y, int w, int h);
    virtual int SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty);
    virtual int DrawPoint(float x, float y);
    virtual int DrawRect(float x, float y, float w, float h);
    virtual int DrawLine(float x1, float y1, float x2, float y2);
    virtual int DrawOval(float x, float y, float w, float h);
    virtual int DrawPoly(Array<float> verts);
    virtual int DrawPoly2(Array<float> verts, gxtkSurface* surface, int srcx, int srcy);
    virtual int DrawSurface(gxtkSurface* surface, float x, float y);
    virtual int DrawSurface2(gxtkSurface* surface, float x, float y, int srcx, int srcy, int srcw,
                             int srch);
    virtual int ReadPixels(Array<int> pixels, int x, int y, int w, int h, int offset, int pitch);
    virtual int WritePixels2(gxtkSurface* surface, Array<int> pixels, int x, int y, int w, int h,
                             int offset, int pitch);

    void Flush();
    // The admission rule: where the caller writes its `count` vertices. The
    // common case, one more primitive like the last, stays inline.
    gxtkVertex* Begin(int type, int count, gxtkSurface* surface) {
        if (type != batchType || surface != batchSurface || batchCount + count > kBatchVertices)
            return BeginNewBatch(type, count, surface);
        gxtkVertex* vertices = batchVertices + batchCount;
        batchCount += count;
        return vertices;
    }

private:
    gxtkVertex* BeginNewBatch(int type, int count, gxtkSurface* surface);
    void PackColor();
    void Put(gxtkVertex* vertex, float x, float y);
    void PutTextured(gxtkVertex* vertex, float x, float y, float u, float v);
    void PutTexturedQuad(gxtkSurface* surface, float x, float y, float w, float h, float uLeft,
                         float vTop, float uRight, float vBottom);
    int OvalSegments(float xRadius, float yRadius) const;
    void ReadWindowSize();
};
