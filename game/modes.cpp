// Construction, the life cycle and the mode machine of the game object.
#include "framework/input_device.h"
#include "game/my_app.h"

namespace {
constexpr int kUpdateRate = 60;
constexpr int kKeyF4 = 115;
}  // namespace

// Every array is allocated once here and lives as long as the game.
c_MyApp* c_MyApp::m_new() {
    gc_assign(m_touchOn, Array<int>(10));
    gc_assign(m_touchX, Array<int>(10));
    gc_assign(m_touchY, Array<int>(10));
    gc_assign(m_vButtons, Array<int>(20));
    gc_assign(m_drawList, Array<float>(37500));
    gc_assign(m_images, Array<c_Image*>(100));
    gc_assign(m_imgInfo, Array<int>(300));
    gc_assign(m_sounds, Array<c_Sound*>(100));
    gc_assign(m_sfxMap, Array<int>(33));
    gc_assign(m_stars, Array<float>(5100));
    gc_assign(m_particles, Array<float>(5100));
    gc_assign(m_players, Array<float>(512));
    gc_assign(m_tower, Array<int>(51200));
    gc_assign(m_path, Array<float>(10005));
    gc_assign(m_settings, Array<int>(25));
    gc_assign(m_scores, Array<int>(1575));
    gc_assign(m_badgeGot, Array<bool>(256));
    c_App::m_new();
    return this;
}

void c_MyApp::mark() {
    for (gc_object* array :
         {static_cast<gc_object*>(m_touchOn.rep()), static_cast<gc_object*>(m_touchX.rep()),
          static_cast<gc_object*>(m_touchY.rep()), static_cast<gc_object*>(m_vButtons.rep()),
          static_cast<gc_object*>(m_drawList.rep()), static_cast<gc_object*>(m_images.rep()),
          static_cast<gc_object*>(m_imgInfo.rep()), static_cast<gc_object*>(m_sounds.rep()),
          static_cast<gc_object*>(m_sfxMap.rep()), static_cast<gc_object*>(m_stars.rep()),
          static_cast<gc_object*>(m_particles.rep()), static_cast<gc_object*>(m_players.rep()),
          static_cast<gc_object*>(m_tower.rep()), static_cast<gc_object*>(m_path.rep()),
          static_cast<gc_object*>(m_settings.rep()), static_cast<gc_object*>(m_scores.rep()),
          static_cast<gc_object*>(m_badgeGot.rep())})
        gc_mark_q(array);
}

int c_MyApp::p_OnCreate() {
    nx_app_SetUpdateRate(kUpdateRate);
    return 0;
}

int c_MyApp::p_OnSuspend() { return 0; }

int c_MyApp::p_OnResume() { return 0; }

int c_MyApp::p_OnUpdate() {
    if (nx_input_KeyHit(kKeyF4)) nx_app_EndApp();
    return 0;
}
