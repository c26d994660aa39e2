// The application base class and the app module: the game's access to the
// host (update rate, clock, state string, device size, the window switch,
// ending the program where the host can end it).
#pragma once

#include "host/nxgame.h"
#include "runtime/object.h"

class c_GameDelegate;

class c_App : public Object {
public:
    c_App* m_new();

    virtual int p_OnCreate() { return 0; }
    virtual int p_OnSuspend() { return 0; }
    virtual int p_OnResume() { return 0; }
    virtual int p_OnUpdate() { return 0; }
    virtual int p_OnRender() { return 0; }

    int p_OnLoading() { return 0; }
    int p_OnResize() { return 0; }
    int p_OnClose();
    int p_OnBack();
};

extern c_App* nx_app__app;
extern c_GameDelegate* nx_app__delegate;
extern NxGame* nx_app__game;
extern int nx_app__updateRate;
extern int nx_app__devWidth;
extern int nx_app__devHeight;

void nx_app_SetUpdateRate(int hertz);
int nx_app_Millisecs();
String nx_app_LoadState();
void nx_app_SaveState(const String& state);
// True once after another copy of the game changed the stored state.
bool nx_app_StateChangedElsewhere();
// Whether the host has the data files ending in `suffix` at hand; asking
// starts bringing them (see NxGame::DataReady).
bool nx_app_DataReady(const String& suffix);
void nx_app_EndApp();
int nx_app_DeviceWidth();
int nx_app_DeviceHeight();
void nx_app_ValidateDeviceWindow(bool notifyApp);
// The desktop's mode, and the switch between fullscreen and a window; both
// false on a host with no windows to switch.
bool nx_app_DesktopMode(NxVideoMode* mode);
bool nx_app_SetWindow(int width, int height, bool fullscreen);

// Sets the framework's module globals to their start values and registers
// its collected globals as roots. Part of the program's nxInit.
void nx_framework_init();
