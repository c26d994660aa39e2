// Application registration and the app module functions.
#include "framework/app.h"

#include "framework/game_delegate.h"
#include "runtime/error.h"

c_App* nx_app__app = nullptr;
c_GameDelegate* nx_app__delegate = nullptr;
NxGame* nx_app__game = nullptr;
int nx_app__updateRate = 0;
int nx_app__devWidth = 0;
int nx_app__devHeight = 0;

c_App* c_App::m_new() {
    if (nx_app__app) nxError(String("App has already been created"));
    gc_assign(nx_app__app, this);
    gc_assign(nx_app__delegate, new c_GameDelegate());
    nx_app__game->SetDelegate(nx_app__delegate);
    return this;
}

int c_App::p_OnClose() {
    nx_app_EndApp();
    return 0;
}

int c_App::p_OnBack() {
    nx_app_EndApp();
    return 0;
}

void nx_app_SetUpdateRate(int hertz) {
    nx_app__updateRate = hertz;
    nx_app__game->SetUpdateRate(hertz);
}

int nx_app_Millisecs() { return nx_app__game->Millisecs(); }

String nx_app_LoadState() { return nx_app__game->LoadState(); }

void nx_app_SaveState(const String& state) { nx_app__game->SaveState(state); }

bool nx_app_StateChangedElsewhere() { return nx_app__game->StateChangedElsewhere(); }

bool nx_app_DataReady(const String& suffix) { return nx_app__game->DataReady(suffix); }

void nx_app_EndApp() {
    if (nx_app__game->CanEndProgram()) nxError(String());
}

int nx_app_DeviceWidth() { return nx_app__devWidth; }

int nx_app_DeviceHeight() { return nx_app__devHeight; }

bool nx_app_DesktopMode(NxVideoMode* mode) { return nx_app__game->GetDesktopMode(mode); }

bool nx_app_SetWindow(int width, int height, bool fullscreen) {
    return nx_app__game->SetWindow(width, height, fullscreen);
}

void nx_app_ValidateDeviceWindow(bool) {
    int width = nx_app__game->GetDeviceWidth();
    int height = nx_app__game->GetDeviceHeight();
    if (width == nx_app__devWidth && height == nx_app__devHeight) return;
    nx_app__devWidth = width;
    nx_app__devHeight = height;
}
