// The audio module: the sound interface the game uses. Module functions over
// the one audio device (installed by the game delegate at start-up) and
// c_Sound, a loaded sound effect. Channels are 0-31 for effects, 32 for music;
// numbers pass to the device unchecked, and the device rejects others.
#pragma once

#include "audio/audio_device.h"
#include "runtime/object.h"
#include "runtime/string.h"

class c_Sound : public Object {
public:
    gxtkSample* m_sample = nullptr;

    c_Sound* m_new(gxtkSample* sample);
    c_Sound* m_new2();
    void mark() override;
};

extern gxtkAudio* nx_audio_device;

int nx_audio_SetAudioDevice(gxtkAudio* device);
c_Sound* nx_audio_LoadSound(const String& path);
// A sound too long to decode within one update (music), loaded over several:
// null when the file cannot be read. Each continuation decodes at least
// `frames` more sample frames and answers 0 while more remains, 1 once the
// sound can play, -1 when decoding failed, which leaves it without sample
// (silent). A sound still loading plays nothing.
c_Sound* nx_audio_StartLoadingSound(const String& path);
int nx_audio_ContinueLoadingSound(c_Sound* sound, int frames);
bool nx_audio_SoundLoading(c_Sound* sound);
// A null sound, or one without a sample, plays nothing.
int nx_audio_PlaySound(c_Sound* sound, int channel, int flags);
int nx_audio_StopChannel(int channel);
int nx_audio_SetChannelVolume(int channel, float volume);
int nx_audio_SetChannelPan(int channel, float pan);
int nx_audio_SetChannelRate(int channel, float rate);

// Music on the device's channel 32, from a file played whole (not streamed).
int nx_audio_PlayMusic(const String& path, int flags);  // -1 when the file cannot be loaded
int nx_audio_StopMusic();
int nx_audio_PauseMusic();
int nx_audio_ResumeMusic();
int nx_audio_MusicState();
int nx_audio_SetMusicVolume(float volume);

// Sets the module's global to its start value and registers it as a
// collector root. Part of the program's nxInit.
void nx_audio_init();
