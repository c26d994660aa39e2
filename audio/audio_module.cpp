// The audio module's functions: asset paths go through the data-path rule,
// everything else is forwarded to the device unchanged. Before the delegate
// installs the device every call is ignored.
#include "audio/audio_module.h"

#include "host/data_path.h"

gxtkAudio* nx_audio_device = nullptr;

c_Sound* c_Sound::m_new(gxtkSample* sample) {
    gc_assign(m_sample, sample);
    return this;
}

c_Sound* c_Sound::m_new2() { return this; }

void c_Sound::mark() { gc_mark_q(m_sample); }

int nx_audio_SetAudioDevice(gxtkAudio* device) {
    gc_assign(nx_audio_device, device);
    return 0;
}

c_Sound* nx_audio_LoadSound(const String& path) {
    if (!nx_audio_device) return nullptr;
    gxtkSample* sample = nx_audio_device->LoadSample(nx_data_FixDataPath(path));
    if (!sample) return nullptr;
    return (new c_Sound())->m_new(sample);
}

c_Sound* nx_audio_StartLoadingSound(const String& path) {
    if (!nx_audio_device) return nullptr;
    gxtkSample* sample = nx_audio_device->StartLoadingSample(nx_data_FixDataPath(path));
    if (!sample) return nullptr;
    return (new c_Sound())->m_new(sample);
}

int nx_audio_ContinueLoadingSound(c_Sound* sound, int frames) {
    if (!nx_audio_device || !sound || !sound->m_sample) return -1;
    int result = nx_audio_device->ContinueLoadingSample(sound->m_sample, frames);
    if (result < 0) sound->m_sample = nullptr;
    return result;
}

bool nx_audio_SoundLoading(c_Sound* sound) {
    return sound && sound->m_sample && sound->m_sample->decoding;
}

int nx_audio_PlaySound(c_Sound* sound, int channel, int flags) {
    if (!nx_audio_device || !sound || !sound->m_sample) return 0;
    nx_audio_device->PlaySample(sound->m_sample, channel, flags);  // no source: simply not played
    return 0;
}

int nx_audio_StopChannel(int channel) {
    if (nx_audio_device) nx_audio_device->StopChannel(channel);
    return 0;
}

int nx_audio_SetChannelVolume(int channel, float volume) {
    if (nx_audio_device) nx_audio_device->SetVolume(channel, volume);
    return 0;
}

int nx_audio_SetChannelPan(int channel, float pan) {
    if (nx_audio_device) nx_audio_device->SetPan(channel, pan);
    return 0;
}

int nx_audio_SetChannelRate(int channel, float rate) {
    if (nx_audio_device) nx_audio_device->SetRate(channel, rate);
    return 0;
}

int nx_audio_PlayMusic(const String& path, int flags) {
    if (!nx_audio_device) return -1;
    return nx_audio_device->PlayMusic(nx_data_FixDataPath(path), flags);
}

int nx_audio_StopMusic() {
    if (nx_audio_device) nx_audio_device->StopMusic();
    return 0;
}

int nx_audio_PauseMusic() {
    if (nx_audio_device) nx_audio_device->PauseMusic();
    return 0;
}

int nx_audio_ResumeMusic() {
    if (nx_audio_device) nx_audio_device->ResumeMusic();
    return 0;
}

int nx_audio_MusicState() { return nx_audio_device ? nx_audio_device->MusicState() : 0; }

int nx_audio_SetMusicVolume(float volume) {
    if (nx_audio_device) nx_audio_device->SetMusicVolume(volume);
    return 0;
}

void nx_audio_init() {
    nx_audio_device = nullptr;
    gc_root(nx_audio_device);
}
