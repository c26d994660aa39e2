// The graphics module: the drawing state of the current frame (matrix and
// matrix stack, colour, alpha, blend, scissor, font) in one context object,
// images cut into frames, and the module functions the game draws with.
// Everything is forwarded to the renderer of renderer.h; nothing here calls
// OpenGL.
#pragma once

#include "graphics/renderer.h"
#include "runtime/array.h"
#include "runtime/object.h"
#include "runtime/string.h"

constexpr int kMatrixFloats = 6;
constexpr int kInitialMatrixStackFloats = 32 * kMatrixFloats;

class c_Frame : public Object {
public:
    int m_x = 0;
    int m_y = 0;

    c_Frame* m_new(int x, int y);
    c_Frame* m_new2();
};

class c_Image : public Object {
public:
    static constexpr int m_CentreHandle = 1;
    static constexpr int m_PadX = 2;
    static constexpr int m_PadY = 4;
    static constexpr int m_WholeSurface = 65536;
    static int m_DefaultFlags;

    gxtkSurface* m_surface = nullptr;
    int m_width = 0;
    int m_height = 0;
    Array<c_Frame*> m_frames;
    int m_flags = 0;
    float m_tx = 0;
    float m_ty = 0;
    c_Image* m_source = nullptr;

    c_Image* m_new();
    c_Image* p_Init(gxtkSurface* surface, int frameCount, int flags);
    c_Image* p_Init2(gxtkSurface* surface, int x, int y, int frameWidth, int frameHeight,
                     int frameCount, int flags, c_Image* source, int srcX, int srcY, int srcWidth,
                     int srcHeight);
    int p_ApplyFlags(int flags);
    int p_SetHandle(float tx, float ty);
    void mark() override;
};

class c_GraphicsContext : public Object {
public:
    c_Image* m_defaultFont = nullptr;
    c_Image* m_font = nullptr;
    int m_firstChar = 0;
    int m_matrixTop = 0;
    float m_ix = 1, m_iy = 0, m_jx = 0, m_jy = 1, m_tx = 0, m_ty = 0;
    int m_transformed = 0;
    int m_matrixDirty = 0;
    float m_colorR = 0, m_colorG = 0, m_colorB = 0;
    float m_alpha = 0;
    int m_blend = 0;
    float m_scissorX = 0, m_scissorY = 0, m_scissorWidth = 0, m_scissorHeight = 0;
    Array<float> m_matrixStack;

    c_GraphicsContext* m_new();
    int p_Validate();
    void mark() override;
};

extern gxtkGraphics* nx_graphics_device;
extern gxtkGraphics* nx_graphics_renderDevice;
extern c_GraphicsContext* nx_graphics_context;

// Sets the module globals to their start values (a new context, no device)
// and registers them as collector roots. Part of the program's nxInit.
void nx_graphics_init();
// The delegate's first start-up step: a new renderer, installed as the
// module's device. Returns it for the delegate to keep.
gxtkGraphics* nx_graphics_CreateDevice();

int nx_graphics_SetGraphicsDevice(gxtkGraphics* device);
int nx_graphics_BeginRender();
int nx_graphics_EndRender();

int nx_graphics_SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty);
int nx_graphics_SetMatrix2(Array<float> matrix);
int nx_graphics_Transform(float ix, float iy, float jx, float jy, float tx, float ty);
int nx_graphics_Transform2(Array<float> matrix);
int nx_graphics_Translate(float x, float y);
int nx_graphics_Rotate(float angle);
int nx_graphics_Scale(float x, float y);
int nx_graphics_PushMatrix();
int nx_graphics_PopMatrix();

int nx_graphics_SetColor(float r, float g, float b);
int nx_graphics_SetAlpha(float alpha);
int nx_graphics_SetBlend(int blend);
int nx_graphics_SetScissor(float x, float y, float width, float height);
int nx_graphics_SetFont(c_Image* font, int firstChar);

int nx_graphics_DrawRect(float x, float y, float w, float h);
int nx_graphics_DrawLine(float x1, float y1, float x2, float y2);
int nx_graphics_DrawEllipse(float x, float y, float xRadius, float yRadius);
int nx_graphics_DrawImage(c_Image* image, float x, float y, int frame);
int nx_graphics_DrawImage2(c_Image* image, float x, float y, float rotation, float scaleX,
                           float scaleY, int frame);

c_Image* nx_graphics_LoadImage(const String& path, int frameCount, int flags);
c_Image* nx_graphics_LoadImage2(const String& path, int frameWidth, int frameHeight,
                                int frameCount, int flags);

