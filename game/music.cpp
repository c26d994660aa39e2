// The tunes: the title tune loops over the menus, the play tune during a
// level, on the audio device's music channel, in the sound modes that have
// music. The game's pause holds the level's tune where it stands. The tunes
// themselves are decoded by the loader (assets.cpp).
#include "game/ids.h"
#include "game/my_app.h"
#include "game/saved_data.h"

namespace {

constexpr int kLoop = 1;

// The tune for what the player sees, in a sound mode with music: the title
// tune over the menu (with the results fading out over it), the play tune
// from the moment a level is chosen. A tune that could not be read is
// silence in its place.
int ScreenTune(const c_MyApp& app) {
    const int setting = app.m_settings[kSettingSoundMode];
    if (setting != kSoundEffectsAndMusic && setting != kSoundMusicOnly) return kNoTune;
    const int tune = app.m_mode >= kModePlaying ? kTunePlay : kTuneTitle;
    const c_Sound* sound = app.m_tunes[tune];
    return sound && sound->m_sample ? tune : kNoTune;
}

// The pause menu holds the level, and so does quitting it, which freezes
// the level under its results.
bool LevelHeld(const c_MyApp& app) {
    return app.m_mode >= kModePlaying && (app.m_paused != 0 || app.m_levelQuit != 0);
}

}  // namespace

int c_MyApp::p_StopTune() {
    nx_audio_StopMusic();
    m_musicOn = 0;
    m_tune = kNoTune;
    return 0;
}

int c_MyApp::p_PlayTune(int tune) {
    p_StopTune();
    if (tune == kNoTune) return 0;
    nx_audio_PlaySound(m_tunes[tune], kMusicChannel, kLoop);
    m_tune = tune;
    m_musicOn = 1;
    return 0;
}

int c_MyApp::p_UpdateMusic() {
    // While loading no screen changes, and a tune may still be decoding:
    // whatever plays goes on (a resize reloads to the same music).
    if (m_loadStep == 0) {
        const int tune = ScreenTune(*this);
        // A tune for a held level waits for the level to go on: starting it
        // only to pause it at once could let its first moment slip out.
        if (tune != m_tune && (tune == kNoTune || !LevelHeld(*this))) p_PlayTune(tune);
    }
    if (m_tune == kNoTune) return 0;
    const int state = nx_audio_MusicState();
    if (LevelHeld(*this) && state == kChannelPlaying) nx_audio_PauseMusic();
    if (!LevelHeld(*this) && state == kChannelPaused) nx_audio_ResumeMusic();
    return 0;
}
