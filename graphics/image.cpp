// Images: a surface cut into frames with a handle and flags, the image
// loaders, the font state and the module's start-up.
#include "graphics/graphics.h"
#include "host/data_path.h"
#include "runtime/error.h"

int c_Image::m_DefaultFlags = 0;

namespace {

constexpr const char* kDefaultFontPath = "vela_font.png";
constexpr int kDefaultFontFrames = 96;
constexpr int kDefaultFontFirstChar = 32;

}  // namespace

c_Frame* c_Frame::m_new(int x, int y) {
    m_x = x;
    m_y = y;
    return this;
}

c_Frame* c_Frame::m_new2() { return m_new(0, 0); }

c_Image* c_Image::m_new() { return this; }

void c_Image::mark() {
    gc_mark_q(m_surface);
    gc_mark_q(m_frames);
    gc_mark_q(m_source);
}

// Frames side by side across the whole surface. A count below 1 has no
// frame width and stops the program like any other impossible layout.
c_Image* c_Image::p_Init(gxtkSurface* surface, int frameCount, int flags) {
    if (frameCount < 1) nxError(String("Image frame count must be at least 1"));
    gc_assign(m_surface, surface);
    m_width = surface->Width() / frameCount;
    m_height = surface->Height();
    gc_assign(m_frames, Array<c_Frame*>(frameCount));
    for (int i = 0; i < frameCount; ++i) gc_assign(m_frames[i], (new c_Frame())->m_new(i * m_width, 0));
    p_ApplyFlags(flags);
    return this;
}

// Frames are cut left to right, top to bottom; a partial column at the right
// edge of a row is skipped. A frame outside the surface makes no image (null):
// the surface comes from a data file, and a file of the wrong size (a
// low-resolution one in a high-resolution slot, say) is skipped like one that
// cannot be decoded, rather than ending the game.
c_Image* c_Image::p_Init2(gxtkSurface* surface, int x, int y, int frameWidth, int frameHeight,
                          int frameCount, int flags, c_Image* source, int srcX, int srcY,
                          int srcWidth, int srcHeight) {
    gc_assign(m_surface, surface);
    gc_assign(m_source, source);
    m_width = frameWidth;
    m_height = frameHeight;
    gc_assign(m_frames, Array<c_Frame*>(frameCount));
    for (int i = 0; i < frameCount; ++i) {
        if (x + frameWidth > srcWidth) {
            y += frameHeight;
            if (frameWidth > srcWidth) return nullptr;
            x = 0;
        }
        if (y + frameHeight > srcHeight) return nullptr;
        gc_assign(m_frames[i], (new c_Frame())->m_new(x + srcX, y + srcY));
        x += frameWidth;
    }
    p_ApplyFlags(flags);
    return this;
}

int c_Image::p_ApplyFlags(int flags) {
    m_flags = flags;
    if (m_flags & m_PadX) {
        for (c_Frame* frame : m_frames) frame->m_x += 1;
        m_width -= 2;
    }
    if (m_flags & m_PadY) {
        for (c_Frame* frame : m_frames) frame->m_y += 1;
        m_height -= 2;
    }
    if (m_flags & m_CentreHandle) {
        m_flags &= ~m_CentreHandle;
        m_tx = 0.5f * m_width;
        m_ty = 0.5f * m_height;
    }
    // A single frame that is the whole surface draws with the cheaper call.
    if (m_frames.Length() == 1 && m_surface && m_frames[0]->m_x == 0 && m_frames[0]->m_y == 0 &&
        m_width == m_surface->Width() && m_height == m_surface->Height()) {
        m_flags |= m_WholeSurface;
    }
    return 0;
}

int c_Image::p_SetHandle(float tx, float ty) {
    m_tx = tx;
    m_ty = ty;
    m_flags &= ~m_CentreHandle;
    return 0;
}

namespace {

gxtkSurface* LoadImageSurface(const String& path) {
    if (!nx_graphics_device) return nullptr;
    return nx_graphics_device->LoadSurface(nx_data_FixDataPath(path));
}

}  // namespace

c_Image* nx_graphics_LoadImage(const String& path, int frameCount, int flags) {
    gxtkSurface* surface = LoadImageSurface(path);
    if (!surface) return nullptr;
    return (new c_Image())->m_new()->p_Init(surface, frameCount, flags);
}

c_Image* nx_graphics_LoadImage2(const String& path, int frameWidth, int frameHeight,
                                int frameCount, int flags) {
    gxtkSurface* surface = LoadImageSurface(path);
    if (!surface) return nullptr;
    return (new c_Image())->m_new()->p_Init2(surface, 0, 0, frameWidth, frameHeight, frameCount,
                                             flags, nullptr, 0, 0, surface->Width(),
                                             surface->Height());
}

// A null font selects the built-in font, loaded on first need; a missing
// font file leaves m_font null without a report.
int nx_graphics_SetFont(c_Image* font, int firstChar) {
    c_GraphicsContext* c = nx_graphics_context;
    if (!font) {
        if (!c->m_defaultFont) {
            gc_assign(c->m_defaultFont,
                      nx_graphics_LoadImage(String(kDefaultFontPath), kDefaultFontFrames, c_Image::m_PadX));
        }
        font = c->m_defaultFont;
        firstChar = kDefaultFontFirstChar;
    }
    gc_assign(c->m_font, font);
    c->m_firstChar = firstChar;
    return 0;
}

void nx_graphics_init() {
    gc_root(nx_graphics_device);
    gc_root(nx_graphics_renderDevice);
    gc_root(nx_graphics_context);
    nx_graphics_device = nullptr;
    nx_graphics_renderDevice = nullptr;
    gc_assign(nx_graphics_context, (new c_GraphicsContext())->m_new());
    c_Image::m_DefaultFlags = 0;
}
