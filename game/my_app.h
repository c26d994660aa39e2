// c_MyApp, the whole game: one application on the framework. Its state is a
// set of fields and fixed arrays allocated once at construction; its
// operations are split over the files of this folder by what the player sees:
//   modes.cpp        construction, life cycle and the mode machine
//   draw_list.cpp    the pen, the draw list, text, and the replay in p_OnRender
//   assets.cpp       loading by resolution level, the loading screen, sound effects
//   music.cpp        the tunes: which one plays, held through the game's pause
//   controls.cpp     logical buttons, iCade letters, pointer hit tests
//   effects.cpp      random numbers, the star field and particles
//   play.cpp         a level from its start to the results panel, ball physics
//   tower.cpp        tower generation and the ring search
//   menu.cpp         the title menu
//   saved_data.cpp   the saved string and the level records
//   options.cpp      the options box and the fullscreen switch
//   pause_menu.cpp   the pause menu
//   credits.cpp      the credits box
// The game includes no window-system, GL or AL header: it draws through the
// graphics module, plays through the audio module and reads the input module.
#pragma once

#include "audio/audio_module.h"
#include "framework/app.h"
#include "game/ids.h"
#include "graphics/graphics.h"
#include "runtime/array.h"
#include "runtime/string.h"

// The game's marker of an absent value: an optional argument left out, a
// touch that is up, no background colour.
constexpr float kAbsent = -3717.0f;
constexpr float D2R = 0.0174532925f;  // degrees to radians

// Sizes of the game object's fixed arrays (the level's records are sized in
// play_record.h, the saved records in saved_data.h).
constexpr int kTouchSlots = 10;  // the first fingers of the input device's
constexpr int kVirtualButtons = 20;
constexpr int kDrawListFloats = 37500;
constexpr int kImageSlots = 100;
constexpr int kImageInfoInts = 3;  // per image: frame width, frame height, frames
constexpr int kSoundSlots = 100;
constexpr int kChannelSlots = 33;
constexpr int kEffectRecordFloats = 10;  // one star or particle
constexpr int kEffectFloats = 510 * kEffectRecordFloats;  // m_stars and m_particles

// Module globals of the game (set by nx_game_init, part of the program's nxInit).
extern float nx_ZuDizaz_jscrw;
extern float nx_ZuDizaz_jscrh;
extern float nx_ZuDizaz_rawscrw;
extern float nx_ZuDizaz_rawscrh;
extern int nx_ZuDizaz_iCadeControls;
extern int nx_ZuDizaz_DebugMode;
extern int nx_ZuDizaz_overscan;
extern Array<String> nx_ZuDizaz_CreditText;

void nx_game_init();

class c_MyApp : public c_App {
public:
    c_MyApp* m_new();
    void mark() override;

    // ---- Life cycle and modes (modes.cpp)
    int p_OnCreate() override;
    int p_OnSuspend() override;
    int p_OnResume() override;
    int p_OnUpdate() override;

    int m_mode = 0;
    int m_level = 0;
    int m_paused = 0;
    int m_pauseOpen = 0;
    int m_pauseY = 0;
    int m_menuScroll = 0;
    int m_hideHud = 0;
    int m_musicOn = 0;  // 1 while a tune is on the music channel, playing or held
    int m_updLastMillis = 0, m_updFps = 0, m_updFpsAvg = 0;
    int m_creditsOpen = 0, m_optionsOpen = 0;
    int m_creditsSlide = 0, m_optionsSlide = 0;
    int m_cooldown = 0;
    int m_i = 0;
    int m_tmpA = 0, m_tmpRow = 0;

    // Pointer and buttons, sampled by p_OnUpdate.
    int m_mouseX = 0, m_mouseY = 0;
    int m_prevMouseX = 0, m_prevMouseY = 0;
    int m_mouseDown = 0;
    int m_mouseWasDown = 0;
    int m_mouseHits = 0;
    Array<int> m_touchOn;
    Array<int> m_touchX;
    Array<int> m_touchY;
    int m_touchLatch = 0;
    int m_keyLatch = 0;
    Array<int> m_vButtons;
    int m_ctrlScheme = 0;
    int m_playerJoy = 0;
    int m_btnHit = 0;

    // ---- Draw list (draw_list.cpp)
    int p_ResetDraw();
    int p_CLS2D(float r = kAbsent, float g = kAbsent, float b = kAbsent, float a = kAbsent);
    int p_SetSize(float x, float y = kAbsent);
    int p_Alpha(float a);
    int p_SetCol(float r, float g, float b, float a = kAbsent);
    int p_SetRot(float angle);
    int p_Ink(int colour, float level);
    int p_DrawImg(int id, float x, float y, float frame);
    int p_Rect(float x, float y, float w, float h);
    int p_Oval(float x, float y, float rx, float ry);
    int p_Text(float x, float y, const String& text, float ax, float ay);
    String p_rstr(int value, int digits, const String& pad);
    int p_OnRender() override;

    int m_drawCount = 0;
    Array<float> m_drawList;
    float m_sizeX = 1, m_sizeY = 1, m_rot = 0;
    float m_colR = 255, m_colG = 255, m_colB = 255, m_alpha = 1;
    int m_blend = 1;
    float m_clsR = 0, m_clsG = 0, m_clsB = 0, m_clsA = 1;
    float m_scaleX = 1, m_scaleY = 1;
    int m_fitMode = 0;
    int m_landscape = 1;
    int m_lastMillis = 0, m_fps = 0, m_fpsAvg = 0;

    // ---- Assets, loading and sound effects (assets.cpp)
    int p_Reload();
    int p_Loader();
    int p_WaitStart(int mode);
    int p_FollowResolution();
    int p_LoadSFX(int n);
    int p_PlaySFX(int id, float rate, float volume, float pan);

    Array<c_Image*> m_images;
    Array<int> m_imgInfo;
    Array<c_Sound*> m_sounds;
    Array<int> m_sfxMap;
    int m_sfxChan = 0;
    int m_font = 0;
    int m_loadStep = 0;
    int m_hdLevel = 1;
    float m_imgScale = 1;
    // The images of another resolution while they load, and which resolution
    // that is; the asset table's first m_nextLoaded images are loaded.
    Array<c_Image*> m_nextImages;
    int m_nextLevel = 0;
    int m_nextLoaded = 0;
    int m_jinglePlayed = 0;
    int m_spinAngle = 0;

    // ---- Tunes (music.cpp)
    int p_StopTune();
    // Stops the music, then loops `tune` on the music channel (kNoTune: none).
    int p_PlayTune(int tune);
    // Each update: the tune of the screen and sound mode, held while the
    // game's pause holds the level.
    int p_UpdateMusic();

    Array<c_Sound*> m_tunes;  // by tune slot; null until loading reaches it
    int m_tune = kNoTune;     // the one on the music channel, playing or held

    // ---- Controls (controls.cpp)
    int p_PlayKey(int button, int analog, int joy);
    int p_PlayKeyAll(int button, int analog);
    // True while `button` is held on any joystick (keys and virtual buttons
    // count on each).
    bool p_Held(int button);
    template <int N>
    bool p_AnyHeld(const int (&buttons)[N]) {
        for (int button : buttons)
            if (p_Held(button)) return true;
        return false;
    }
    float p_StickX(int axis, int joy);
    float p_StickY(int axis, int joy);
    int p_iCade(int on);
    int p_ReadICade();  // drains the character queue into the virtual buttons
    int p_Button(int image, float x, float y, float frame);
    bool p_Button0(int image, float x, float y, float frame);
    int p_Touch(float x, float y, float w, float h);
    int p_MouseIn_Centered(float cx, float cy, float w, float h);

    // ---- Stars and particles (effects.cpp)
    int p_Rand(int lo, int hi);
    int p_Rand(int hi) { return p_Rand(0, hi); }
    int p_ResetStars(int n);
    int p_DoStars(float dx, float dy);
    int p_FreeParticle();
    int p_ThrowParticle(float x, float y, int kind, int colour, float angle, float speed);
    int p_ThrowParticle(float x, float y, int colour);
    int p_Gimme(int points, float x, float y);
    int p_DoParticles();

    int m_starCount = 100;
    Array<float> m_stars;
    int m_particleMax = 250;
    Array<float> m_particles;

    // ---- Play (play.cpp)
    int p_LoadGame();
    int p_Game();
    int p_MoveBall();
    int p_InGame();
    int p_GameOver();

    int m_score = 0, m_shownScore = 0, m_levelDone = 0, m_endTimer = 0, m_lastPoints = 0;
    int m_levelQuit = 0;  // 1 once the level was left by the pause menu's quit
    int m_bgR = 0, m_bgG = 0, m_bgB = 0;
    float m_camX = 0, m_camY = 0, m_camTargetX = 0, m_camTargetY = 0;
    float m_cell = 32, m_tileScale = 1, m_viewW = 0, m_viewH = 0;
    Array<float> m_players;

    // ---- Tower generation (tower.cpp)
    int p_MakeTower(int seed);
    int p_BuildTower(int seed);

    int m_towerRows = 0, m_tileFrame = 0, m_simStep = 0, m_ringTries = 0;
    Array<int> m_tower;
    Array<float> m_path;

    // ---- Title menu (menu.cpp)
    int p_Menu();
    // The list stands still, centred on `item`, which is selected.
    void p_ListJumpTo(int item);
    // A completed level opens the next: the list selects it and slides to it.
    void p_ListSlideToNext();

    int m_menuSel = 0;
    float m_listScrollTarget = 0, m_listScroll = 0, m_listScrollSpeed = 0, m_listDrag = 0;
    int m_listTarget = 0;
    int m_repeatWait = 0, m_repeatDelay = 32, m_repeatNext = 8;
    float m_cogAngle = 0;
    float m_panelW = 140;

    // ---- Saved data (saved_data.cpp)
    int p_Save();
    int p_Load();
    int p_LoadMenu();
    // Takes in the better records another copy of the game (a second window,
    // another tab) has stored; the settings stay this copy's.
    void p_TakeStoredRecords();

    Array<int> m_settings;
    Array<int> m_scores;
    Array<bool> m_badgeGot;
    int m_newRank = -1;
    int m_loadCursor = 0;

    // ---- Options box and fullscreen switch (options.cpp)
    int p_OptionBox();
    int p_FullscreenFlip();
    // The turning cog of the back and options buttons (three layers of image
    // 95 with the current pen); returns 1 when the pointer is down on it.
    int p_DrawCog(float x, float y);

    int m_optCursor = 0;
    int m_optKeyLatch = 0, m_optTouchLatch = 0;
    int m_fullscreen = 0;

    // ---- Pause menu (pause_menu.cpp) and credits box (credits.cpp)
    int p_PauseMenu();
    int p_CreditBox();

    int m_pauseSel = 0;
    float m_creditScroll = 0;
    int m_creditLine = 0;
};
