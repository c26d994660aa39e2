// The delegate's dispatch into the application and its devices.
#include "framework/game_delegate.h"

#include "audio/audio_module.h"
#include "framework/app.h"
#include "framework/input_device.h"
#include "graphics/graphics.h"

namespace {
// The renderer answers 1 (draw normally); 0 would mean nothing may be drawn
// and 2 that the platform is still loading.
constexpr int kRenderNothing = 0;
constexpr int kRenderLoading = 2;
}  // namespace

void c_GameDelegate::mark() {
    gc_mark_q(m__graphics);
    gc_mark_q(m__audio);
    gc_mark_q(m__input);
}

void c_GameDelegate::StartGame() {
    gc_assign(m__graphics, nx_graphics_CreateDevice());
    nx_graphics_SetFont(nullptr, 32);
    gc_assign(m__audio, new gxtkAudio());
    nx_audio_SetAudioDevice(m__audio);
    gc_assign(m__input, (new c_InputDevice())->m_new());
    nx_input_SetInputDevice(m__input);
    nx_app_ValidateDeviceWindow(false);
    nx_app__app->p_OnCreate();
}

void c_GameDelegate::SuspendGame() {
    nx_app__app->p_OnSuspend();
    m__audio->Suspend();
}

void c_GameDelegate::ResumeGame() {
    m__audio->Resume();
    nx_app__app->p_OnResume();
}

void c_GameDelegate::UpdateGame() {
    nx_app_ValidateDeviceWindow(false);
    m__input->p_BeginUpdate();
    nx_app__app->p_OnUpdate();
    m__input->p_EndUpdate();
}

void c_GameDelegate::RenderGame() {
    nx_app_ValidateDeviceWindow(false);
    int mode = m__graphics->BeginRender();
    if (mode != kRenderNothing) nx_graphics_BeginRender();
    if (mode == kRenderLoading) {
        nx_app__app->p_OnLoading();
    } else {
        nx_app__app->p_OnRender();
    }
    if (mode != kRenderNothing) nx_graphics_EndRender();
    m__graphics->EndRender();
}

void c_GameDelegate::KeyEvent(int event, int data) {
    m__input->p_KeyEvent(event, data);
    if (event != c_NxGameEvent::KeyDown) return;
    if (data == kKeyWindowClose) nx_app__app->p_OnClose();
    if (data == kKeyBack) nx_app__app->p_OnBack();
}

void c_GameDelegate::MouseEvent(int event, int data, float x, float y) {
    m__input->p_MouseEvent(event, data, x, y);
}

void c_GameDelegate::TouchEvent(int event, int data, float x, float y) {
    m__input->p_TouchEvent(event, data, x, y);
}

void c_GameDelegate::MotionEvent(int event, int data, float x, float y, float z) {
    m__input->p_MotionEvent(event, data, x, y, z);
}

void c_GameDelegate::DiscardGraphics() { m__graphics->DiscardGraphics(); }
