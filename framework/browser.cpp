// The window switch in the browser build, through the browser host: the
// "desktop" is the screen, and fullscreen is the browser's fullscreen of the
// page, whose canvas follows it. Compiled instead of desktop.cpp there.
#include "framework/app.h"
#include "framework/desktop.h"
#include "host/web/web_game.h"

namespace {

NxWebGame* BrowserHost() { return dynamic_cast<NxWebGame*>(nx_app__game); }

// A browser page has eight bits a channel.
constexpr int kChannelBits = 8;

}  // namespace

bool nx_desktop_GetMode(nx_desktop_Mode* mode) {
    NxWebGame* host = BrowserHost();
    if (!host) return false;
    host->GetScreenSize(&mode->width, &mode->height);
    mode->red = mode->green = mode->blue = kChannelBits;
    return true;
}

// The page decides the window's size; only the fullscreen choice is the game's.
bool nx_desktop_SetWindow(int, int, const nx_desktop_Mode&, bool fullscreen) {
    NxWebGame* host = BrowserHost();
    if (!host) return false;
    host->SetFullscreen(fullscreen);
    return true;
}
