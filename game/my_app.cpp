// The game object's life cycle.
#include "game/my_app.h"

#include "framework/input_device.h"

namespace {
constexpr int kUpdateRate = 60;
constexpr int kKeyF4 = 115;
}  // namespace

c_MyApp* c_MyApp::m_new() {
    c_App::m_new();
    return this;
}

int c_MyApp::p_OnCreate() {
    nx_app_SetUpdateRate(kUpdateRate);
    return 0;
}

int c_MyApp::p_OnUpdate() {
    if (nx_input_KeyHit(kKeyF4)) nx_app_EndApp();
    return 0;
}
