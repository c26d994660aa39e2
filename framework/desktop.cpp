// The desktop window switch, through the GLFW host when that is the host.
#include "framework/desktop.h"

#include "framework/app.h"
#include "host/glfw/glfw_game.h"

namespace {

NxGlfwGame* DesktopHost() { return dynamic_cast<NxGlfwGame*>(nx_app__game); }

}  // namespace

bool nx_desktop_GetMode(nx_desktop_Mode* mode) {
    NxGlfwGame* host = DesktopHost();
    if (!host) return false;
    NxGlfwVideoMode* desktop = host->GetGlfwDesktopMode();
    mode->width = desktop->width;
    mode->height = desktop->height;
    mode->red = desktop->red;
    mode->green = desktop->green;
    mode->blue = desktop->blue;
    return true;
}

bool nx_desktop_SetWindow(int width, int height, const nx_desktop_Mode& mode, bool fullscreen) {
    NxGlfwGame* host = DesktopHost();
    if (!host) return false;
    host->SetGlfwWindow(width, height, mode.red, mode.green, mode.blue, 0, 0, 0, fullscreen);
    return true;
}
