// Construction, the life cycle and the mode machine of the game object.
// Each update samples the pointer and buttons, handles the function keys,
// then runs the current mode, the loader or neither; drawing only records
// into the draw list (draw_list.cpp).
#include "framework/app.h"
#include "framework/input_device.h"
#include "game/ids.h"
#include "game/my_app.h"
#include "game/play_record.h"
#include "game/saved_data.h"

namespace {

constexpr int kUpdateRate = 60;
constexpr int kSuspendedUpdateRate = 5;  // enough to notice focus coming back, no more

constexpr int kMenuVirtualButton = 19;
constexpr int kClearedVirtualButtons = 19;  // 0..18: the menu button is rewritten each update
constexpr int kSlideFull = 30;

constexpr int kBadgeFlagsCleared = 128;
constexpr int kScoresCleared = 301;

}  // namespace

// Every array is allocated once here and lives as long as the game.
c_MyApp* c_MyApp::m_new() {
    gc_assign(m_touchOn, Array<int>(kTouchSlots));
    gc_assign(m_touchX, Array<int>(kTouchSlots));
    gc_assign(m_touchY, Array<int>(kTouchSlots));
    gc_assign(m_vButtons, Array<int>(kVirtualButtons));
    gc_assign(m_drawList, Array<float>(kDrawListFloats));
    gc_assign(m_images, Array<c_Image*>(kImageSlots));
    gc_assign(m_nextImages, Array<c_Image*>(kImageSlots));
    gc_assign(m_imgInfo, Array<int>(kImageInfoInts * kImageSlots));
    gc_assign(m_sounds, Array<c_Sound*>(kSoundSlots));
    gc_assign(m_tunes, Array<c_Sound*>(kTunes));
    gc_assign(m_sfxMap, Array<int>(kChannelSlots));
    gc_assign(m_stars, Array<float>(kEffectFloats));
    gc_assign(m_particles, Array<float>(kEffectFloats));
    gc_assign(m_players, Array<float>(kPlayRecordFloats));
    gc_assign(m_tower, Array<int>(kGridInts));
    gc_assign(m_path, Array<float>(kPathFloats));
    gc_assign(m_settings, Array<int>(kSettingsSlots));
    gc_assign(m_scores, Array<int>(kScoreSlots));
    gc_assign(m_badgeGot, Array<bool>(kBadgeFlags));
    c_App::m_new();
    return this;
}

void c_MyApp::mark() {
    gc_mark_q(m_touchOn);
    gc_mark_q(m_touchX);
    gc_mark_q(m_touchY);
    gc_mark_q(m_vButtons);
    gc_mark_q(m_drawList);
    gc_mark_q(m_images);
    gc_mark_q(m_nextImages);
    gc_mark_q(m_imgInfo);
    gc_mark_q(m_sounds);
    gc_mark_q(m_tunes);
    gc_mark_q(m_sfxMap);
    gc_mark_q(m_stars);
    gc_mark_q(m_particles);
    gc_mark_q(m_players);
    gc_mark_q(m_tower);
    gc_mark_q(m_path);
    gc_mark_q(m_settings);
    gc_mark_q(m_scores);
    gc_mark_q(m_badgeGot);
}

int c_MyApp::p_OnCreate() {
    m_jinglePlayed = 0;
    m_mode = kModeMenu;
    nx_app_SetUpdateRate(kUpdateRate);
    p_Reload();
    m_level = 2;
    m_menuScroll = -32;
    m_paused = 0;
    m_pauseOpen = -1;
    m_pauseY = -64;
    for (int i = 0; i < kBadgeFlagsCleared; ++i) m_badgeGot[i] = false;
    for (int i = 0; i < kClearedVirtualButtons; ++i) m_vButtons[i] = 0;
    for (int i = 0; i < kSettingsSlots; ++i) m_settings[i] = 0;
    m_settings[kSettingSoundMode] = kSoundEffectsAndMusic;
    for (int i = 0; i < kScoresCleared; ++i) m_scores[i] = 0;
    // The saved settings and records are read over the defaults above.
    p_Load();
    for (int i = 0; i < kChannelSlots; ++i) m_sfxMap[i] = i;
    return 0;
}

namespace {

// Focus changes stop iCade decoding and release its held buttons: letters
// typed elsewhere meanwhile must not leave a button stuck down.
void StopIcadeDecoding(c_MyApp& app) {
    nx_input_DisableKeyboard();
    nx_ZuDizaz_iCadeControls = 0;
    for (int i = 0; i < kClearedVirtualButtons; ++i) app.m_vButtons[i] = 0;
}

// A running level comes back paused, with its pause panel half way down.
void PauseIfPlaying(c_MyApp& app) {
    if (app.m_mode < kModePlaying) {
        app.m_paused = app.m_pauseOpen = app.m_pauseY = 0;
    } else {
        app.m_paused = 1;
        app.m_pauseOpen = 1;
        app.m_pauseY = static_cast<int>(nx_ZuDizaz_jscrh * 0.5f);
    }
}

}  // namespace

int c_MyApp::p_OnSuspend() {
    StopIcadeDecoding(*this);
    PauseIfPlaying(*this);
    // A level comes back paused: its tune is held by the game now, so the
    // audio device's resume leaves it held until the level goes on.
    p_UpdateMusic();
    nx_app_SetUpdateRate(kSuspendedUpdateRate);
    p_Save();
    return 0;
}

int c_MyApp::p_OnResume() {
    // Another copy may have saved while this one was away; the menu shows
    // its records from now on.
    p_TakeStoredRecords();
    PauseIfPlaying(*this);
    nx_app_SetUpdateRate(kUpdateRate);
    StopIcadeDecoding(*this);
    return 0;
}

namespace {

void HandleFunctionKeys(c_MyApp& app) {
    app.m_vButtons[kMenuVirtualButton] = nx_input_KeyHit(kKeyBack);
    if (nx_input_KeyHit(kKeyF1)) nx_ZuDizaz_DebugMode = nx_ZuDizaz_DebugMode ? 0 : 1;
    if (nx_input_KeyHit(kKeyF2)) app.m_hideHud = app.m_hideHud ? 0 : 1;
    if (nx_input_KeyHit(kKeyF11)) app.p_FullscreenFlip();
    if (nx_input_KeyHit(kKeyF4) || nx_input_KeyHit(kKeyWindowClose)) nx_app_EndApp();
}

void MeasureUpdateRate(c_MyApp& app) {
    const int now = nx_app_Millisecs();
    if (now > app.m_updLastMillis) app.m_updFps = 1000 / (now - app.m_updLastMillis);
    app.m_updFpsAvg = (app.m_updFpsAvg * 9 + app.m_updFps) / 10;
    app.m_updLastMillis = now;
}

// Window pixels become virtual units; a fresh press shows no movement, so a
// drag starts where the button went down.
void SamplePointer(c_MyApp& app) {
    app.m_prevMouseX = app.m_mouseX;
    app.m_prevMouseY = app.m_mouseY;
    app.m_mouseX = static_cast<int>(nx_input_MouseX() / app.m_scaleX);
    app.m_mouseY = static_cast<int>(nx_input_MouseY() / app.m_scaleY);
    const bool leftDown = nx_input_KeyDown(kMouseLeftCode);
    if (app.m_mouseWasDown == 0 && leftDown) {
        app.m_prevMouseX = app.m_mouseX;
        app.m_prevMouseY = app.m_mouseY;
    }
    app.m_mouseDown = leftDown ? 1 : 0;
    app.m_mouseHits = nx_input_KeyHit(kMouseLeftCode);
    for (int i = 0; i < kTouchSlots; ++i) {
        app.m_touchOn[i] = 0;
        app.m_touchX[i] = app.m_touchY[i] = static_cast<int>(kAbsent);
        if (!nx_input_KeyDown(kTouchBase + i)) continue;
        app.m_touchOn[i] = 1;
        app.m_touchX[i] = static_cast<int>(nx_input_TouchX(i) / app.m_scaleX);
        app.m_touchY[i] = static_cast<int>(nx_input_TouchY(i) / app.m_scaleY);
        app.m_mouseDown = 1;
    }
    app.m_mouseWasDown = leftDown ? 1 : 0;
    if (app.m_mouseDown == 0) app.m_touchLatch = 0;
}

// A consumed press stays consumed until every button is let go, so one press
// acts once even when the screen under it changes.
void UpdateLatches(c_MyApp& app) {
    if (!app.p_AnyHeld(kLatchingButtons)) app.m_keyLatch = 0;
    if (app.m_keyLatch == 0 && app.m_touchLatch == 0 && app.m_mode == kModeMenu &&
        app.p_Held(kButtonBack) && (app.m_creditsOpen == 1 || app.m_optionsOpen == 1)) {
        app.m_creditsOpen = 0;
        app.m_keyLatch = app.m_touchLatch = 1;
    }
    // The options box reads its own input; the screen below must not.
    if (app.m_optionsOpen == 1) app.m_keyLatch = app.m_touchLatch = 1;
}

void SlideTowards(int& slide, bool open) {
    if (open && slide < kSlideFull) ++slide;
    if (!open && slide > 0) --slide;
}

void RunMode(c_MyApp& app) {
    switch (app.m_mode) {
        case kModeMenu: app.p_Menu(); break;
        case kModeReturnToMenu:
            app.p_LoadMenu();
            app.m_mode = kModeMenu;
            break;
        case kModePlaying:
            app.p_Game();
            app.p_InGame();
            break;
        case kModeLoadLevel: app.p_LoadGame(); break;
        default: break;
    }
    if (app.m_mode == kModePlaying && app.m_levelDone > 0) app.p_GameOver();
    // The results panel keeps fading out over the menu.
    if (app.m_mode == kModeMenu || app.m_mode == kModeReturnToMenu) app.p_GameOver();
    if (app.m_mode == kModeMenu) {
        if (app.m_creditsOpen == 1 || app.m_creditsSlide > 0) app.p_CreditBox();
        SlideTowards(app.m_creditsSlide, app.m_creditsOpen == 1);
    }
    if (app.m_optionsOpen == 1 || app.m_optionsSlide > 0) {
        app.p_OptionBox();
        SlideTowards(app.m_optionsSlide, app.m_optionsOpen == 1);
    }
}

void DrawDebugLine(c_MyApp& app) {
    app.p_ResetDraw();
    app.p_Text(16, nx_ZuDizaz_jscrh - 16,
               String(app.m_fpsAvg) + String(":") + String(app.m_scaleX) + String(",") + String(app.m_scaleY),
               0, 0);
}

}  // namespace

int c_MyApp::p_OnUpdate() {
    if (nx_app_StateChangedElsewhere()) p_TakeStoredRecords();
    HandleFunctionKeys(*this);
    MeasureUpdateRate(*this);
    SamplePointer(*this);
    if (m_cooldown > 0) --m_cooldown;
    UpdateLatches(*this);
    if (m_loadStep == 0) {
        p_FollowResolution();
        RunMode(*this);
    }
    if (m_loadStep > 0) p_Loader();
    p_UpdateMusic();
    if (nx_ZuDizaz_iCadeControls == 1) p_ReadICade();
    if (nx_ZuDizaz_DebugMode == 1) DrawDebugLine(*this);
    return 0;
}
