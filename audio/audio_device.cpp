// The audio device: opening OpenAL, the channels and their sources, samples
// and the deferred deletion of their buffers. The only file that calls OpenAL.
#include "audio/audio_device.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "host/nxgame.h"
#include "runtime/error.h"

gxtkAudio* gxtkAudio::audio = nullptr;

std::vector<unsigned int>& DiscardedBuffers() {
    static std::vector<unsigned int> discarded;
    return discarded;
}

namespace {

// The device and context to close when the program ends. The program leaves
// through exit(), never back through main, so closing is an atexit handler;
// OpenAL Soft's wave writer completes its file header only on close.
ALCdevice* deviceToClose = nullptr;
ALCcontext* contextToClose = nullptr;

void CloseOpenAlAtExit() {
    alcMakeContextCurrent(nullptr);
    if (contextToClose) alcDestroyContext(contextToClose);
    if (deviceToClose) alcCloseDevice(deviceToClose);
    contextToClose = nullptr;
    deviceToClose = nullptr;
}

void CloseAtExit(ALCdevice* device, ALCcontext* context) {
    static bool registered = false;
    if (!registered) registered = std::atexit(CloseOpenAlAtExit) == 0;
    deviceToClose = device;
    contextToClose = context;
}

// A failed step of opening, told on standard error in OpenAL's own words,
// with the device it concerned (the default one when none could be opened):
// a player without sound sees why in the terminal or the launcher's log.
void ReportFailure(const char* step, ALCdevice* device) {
    const ALCchar* reason = alcGetString(device, alcGetError(device));
    const ALCchar* name = alcGetString(device, device ? ALC_DEVICE_SPECIFIER : ALC_DEFAULT_DEVICE_SPECIFIER);
    dbg_print(String("OpenAl error: ") + String(step) + String(" failed: ") + String(reason ? reason : "") +
              String(" (") + String(name ? name : "") + String(")"));
}

// AL_PLAYING, AL_PAUSED, AL_STOPPED or AL_INITIAL; 0 when OpenAL answers nothing.
ALint SourceState(ALuint source) {
    ALint state = 0;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
}

// OpenAL's format for (bytes per sample, channels); 0 for anything it cannot
// play, which leaves the buffer empty: a silent sample, not an error.
ALenum BufferFormat(int bytesPerSample, int channels) {
    struct Row {
        int bytesPerSample;
        int channels;
        ALenum format;
    };
    static constexpr Row kFormats[] = {
        {1, 1, AL_FORMAT_MONO8},
        {1, 2, AL_FORMAT_STEREO8},
        {2, 1, AL_FORMAT_MONO16},
        {2, 2, AL_FORMAT_STEREO16},
    };
    for (const Row& row : kFormats) {
        if (row.bytesPerSample == bytesPerSample && row.channels == channels) return row.format;
    }
    return 0;
}

// A new OpenAL buffer holding the decoded samples, which are freed.
ALuint Upload(unsigned char* data, int length, int channels, int bytesPerSample, int hertz) {
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, BufferFormat(bytesPerSample, channels), data,
                 bytesPerSample * channels * length, hertz);
    std::free(data);
    return buffer;
}

// A stopped effect channel whose source can be taken; the music channel
// never gives its source away, and a paused channel counts as busy.
ALuint TakeStoppedSource() {
    gxtkAudio* device = gxtkAudio::audio;
    if (!device) return 0;
    for (int i = 0; i < kEffectChannels; ++i) {
        gxtkChannel& other = device->channels[i];
        if (other.source == 0 || device->ChannelState(i) != kChannelStopped) continue;
        ALuint source = other.source;
        other.source = 0;
        return source;
    }
    return 0;
}

}  // namespace

unsigned int gxtkChannel::AL_Source() {
    if (source) return source;
    alGetError();
    alGenSources(1, &source);
    if (alGetError() == AL_NO_ERROR) return source;
    source = 0;
    source = TakeStoppedSource();
    return source;
}

gxtkAudio::gxtkAudio() {
    audio = this;
    OpenDevice();
    // Without attenuation the source position only pans the sound.
    alDistanceModel(AL_NONE);
    channels[kMusicChannel].AL_Source();
}

// A machine without a sound card plays on silently: every later OpenAL call
// simply has no effect.
void gxtkAudio::OpenDevice() {
    ALCdevice* device = alcOpenDevice(nullptr);
    alcDevice = device;
    if (!device) {
        ReportFailure("alcOpenDevice", nullptr);
        return;
    }
    ALCcontext* context = alcCreateContext(device, nullptr);
    alcContext = context;
    CloseAtExit(device, context);
    if (!context) {
        ReportFailure("alcCreateContext", device);
        return;
    }
    if (!alcMakeContextCurrent(context)) ReportFailure("alcMakeContextCurrent", device);
}

void gxtkAudio::mark() {
    for (gxtkChannel& channel : channels) {
        if (channel.state != kChannelStopped && SourceState(channel.source) != AL_STOPPED) {
            gc_mark_q(channel.sample);
        }
    }
}

gxtkChannel* gxtkAudio::Channel(int channel) {
    return channel >= 0 && channel < kAudioChannels ? &channels[channel] : nullptr;
}

// An unfocused game should use no processor at all, but a device keeps its
// mixer running even with every source paused. Where OpenAL Soft offers it,
// the whole device is paused too.
void gxtkAudio::PauseDevice(bool pause) {
    auto* device = static_cast<ALCdevice*>(alcDevice);
    if (!device || !alcIsExtensionPresent(device, "ALC_SOFT_pause_device")) return;
    const char* name = pause ? "alcDevicePauseSOFT" : "alcDeviceResumeSOFT";
    auto call = reinterpret_cast<LPALCDEVICEPAUSESOFT>(alcGetProcAddress(device, name));
    if (call) call(device);
}

int gxtkAudio::Suspend() {
    for (gxtkChannel& channel : channels) {
        if (channel.state == kChannelPlaying && SourceState(channel.source) == AL_PLAYING) {
            alSourcePause(channel.source);
        }
    }
    PauseDevice(true);
    return 0;
}

// Only sources the suspend paused restart: a channel the game paused itself
// is in state 2 and stays paused.
int gxtkAudio::Resume() {
    PauseDevice(false);
    for (gxtkChannel& channel : channels) {
        if (channel.state == kChannelPlaying && SourceState(channel.source) == AL_PAUSED) {
            alSourcePlay(channel.source);
        }
    }
    return 0;
}

gxtkSample* gxtkAudio::LoadSample(const String& path) {
    FlushDiscarded();
    auto* sample = new gxtkSample();
    return LoadSample__UNSAFE__(sample, path) ? sample : nullptr;
}

bool gxtkAudio::LoadSample__UNSAFE__(gxtkSample* sample, const String& path) {
    NxGame* host = NxGame::_game;
    if (!host) return false;
    int length = 0, channelCount = 0, bytesPerSample = 0, hertz = 0;
    unsigned char* data = host->LoadAudioData(path, &length, &channelCount, &bytesPerSample, &hertz);
    if (!data) return false;
    sample->SetBuffer(Upload(data, length, channelCount, bytesPerSample, hertz));
    return true;
}

gxtkSample* gxtkAudio::StartLoadingSample(const String& path) {
    NxGame* host = NxGame::_game;
    NxAudioDecoding* decoding = host ? host->BeginAudioData(path) : nullptr;
    if (!decoding) return nullptr;
    FlushDiscarded();
    auto* sample = new gxtkSample();
    sample->decoding = decoding;
    return sample;
}

// Each slice goes to OpenAL as soon as it is decoded: a whole tune would
// take one upload far longer than an update, and the decoder would hold it
// all. An empty slice (the stream's end found) makes no buffer.
int gxtkAudio::ContinueLoadingSample(gxtkSample* sample, int frames) {
    if (!sample) return -1;
    if (!sample->decoding) return sample->buffer || !sample->queue.empty() ? 1 : -1;
    const bool whole = sample->decoding->Continue(frames);
    int length = 0, channelCount = 0, bytesPerSample = 0, hertz = 0;
    unsigned char* data = sample->decoding->Take(&length, &channelCount, &bytesPerSample, &hertz);
    if (!data) {
        sample->Discard();  // a failed decoding leaves the sample silent, not cut short
    } else if (length > 0) {
        sample->queue.push_back(Upload(data, length, channelCount, bytesPerSample, hertz));
    } else {
        std::free(data);
    }
    if (data && !whole) return 0;
    delete sample->decoding;
    sample->decoding = nullptr;
    return data ? 1 : -1;
}

int gxtkAudio::PlaySample(gxtkSample* sample, int channel, int flags) {
    gxtkChannel* target = Channel(channel);
    if (!target || !sample) return -1;
    FlushDiscarded();
    ALuint source = target->AL_Source();
    if (!source) return -1;
    // Starting a sound on a busy channel cuts off what was playing there.
    alSourceStop(source);
    if (sample->queue.empty()) {
        alSourcei(source, AL_BUFFER, static_cast<ALint>(sample->buffer));
    } else {
        // A source plays its queue through; looping it loops the whole queue.
        alSourcei(source, AL_BUFFER, 0);
        alSourceQueueBuffers(source, static_cast<ALsizei>(sample->queue.size()), sample->queue.data());
    }
    alSourcei(source, AL_LOOPING, flags ? AL_TRUE : AL_FALSE);
    alSourcePlay(source);
    gc_assign(target->sample, sample);
    target->flags = flags;
    target->state = kChannelPlaying;
    return 0;
}

int gxtkAudio::StopChannel(int channel) {
    gxtkChannel* target = Channel(channel);
    if (!target || target->state == kChannelStopped) return 0;
    alSourceStop(target->source);
    target->state = kChannelStopped;
    return 0;
}

int gxtkAudio::PauseChannel(int channel) {
    gxtkChannel* target = Channel(channel);
    if (!target || target->state != kChannelPlaying) return 0;
    if (SourceState(target->source) == AL_STOPPED) {
        target->state = kChannelStopped;  // the sound had already ended
        return 0;
    }
    alSourcePause(target->source);
    target->state = kChannelPaused;
    return 0;
}

int gxtkAudio::ResumeChannel(int channel) {
    gxtkChannel* target = Channel(channel);
    if (!target || target->state != kChannelPaused) return 0;
    alSourcePlay(target->source);
    target->state = kChannelPlaying;
    return 0;
}

// A one-shot sound ends by itself; the channel learns of it here.
int gxtkAudio::ChannelState(int channel) {
    gxtkChannel* target = Channel(channel);
    if (!target) return kChannelStopped;
    if (target->state != kChannelPlaying) return target->state;
    if (SourceState(target->source) == AL_STOPPED) target->state = kChannelStopped;
    return target->state;
}

// Volume, pan and rate leave the state alone, so a setting made before
// PlaySample stays on the source for the sounds played after it.
int gxtkAudio::SetVolume(int channel, float volume) {
    if (gxtkChannel* target = Channel(channel)) alSourcef(target->AL_Source(), AL_GAIN, volume);
    return 0;
}

// The pan is an angle in radians: 0 straight ahead at distance 1, 1 about
// 57 degrees to the right, -1 to the left.
int gxtkAudio::SetPan(int channel, float pan) {
    if (gxtkChannel* target = Channel(channel)) {
        alSource3f(target->AL_Source(), AL_POSITION, std::sin(pan), 0.0f, -std::cos(pan));
    }
    return 0;
}

int gxtkAudio::SetRate(int channel, float rate) {
    if (gxtkChannel* target = Channel(channel)) alSourcef(target->AL_Source(), AL_PITCH, rate);
    return 0;
}

// Loaded whole, within one update, so a long file keeps only the beginning a
// whole load allows (see NxGame::LoadAudioData); the game's tunes are decoded
// in slices instead.
int gxtkAudio::PlayMusic(const String& path, int flags) {
    StopMusic();
    gxtkSample* sample = LoadSample(path);
    if (!sample) return -1;
    PlaySample(sample, kMusicChannel, flags);
    return 0;
}

int gxtkAudio::StopMusic() { return StopChannel(kMusicChannel); }
int gxtkAudio::PauseMusic() { return PauseChannel(kMusicChannel); }
int gxtkAudio::ResumeMusic() { return ResumeChannel(kMusicChannel); }
int gxtkAudio::MusicState() { return ChannelState(kMusicChannel); }
int gxtkAudio::SetMusicVolume(float volume) { return SetVolume(kMusicChannel, volume); }

gxtkSample::gxtkSample() {}

gxtkSample::gxtkSample(unsigned int buffer) : buffer(buffer) {}

gxtkSample::~gxtkSample() {
    nxPrint(String("Discarding sample"));
    delete decoding;
    Discard();
    // A channel whose sound ended no longer keeps its sample alive; forget
    // the sample there so no record points at a destroyed object.
    if (gxtkAudio* device = gxtkAudio::audio) {
        for (gxtkChannel& channel : device->channels) {
            if (channel.sample == this) channel.sample = nullptr;
        }
    }
}

void gxtkSample::SetBuffer(unsigned int name) { buffer = name; }

int gxtkSample::Discard() {
    if (buffer) DiscardedBuffers().push_back(buffer);
    DiscardedBuffers().insert(DiscardedBuffers().end(), queue.begin(), queue.end());
    buffer = 0;
    queue.clear();
    return 0;
}

// Detaching from a stopped source is inaudible (and lets go of a whole
// queue), and a buffer still attached anywhere cannot be deleted; so every
// stopped source lets go first, the game's stopped channels included, or
// their buffers would wait until the channel plays again.
void FlushDiscarded() {
    if (DiscardedBuffers().empty()) return;
    if (gxtkAudio* device = gxtkAudio::audio) {
        for (gxtkChannel& channel : device->channels) {
            if (channel.source && SourceState(channel.source) == AL_STOPPED) {
                alSourcei(channel.source, AL_BUFFER, 0);
            }
        }
    }
    std::vector<unsigned int> stillHeld;
    for (ALuint buffer : DiscardedBuffers()) {
        alGetError();
        alDeleteBuffers(1, &buffer);
        if (alGetError() != AL_NO_ERROR) stillHeld.push_back(buffer);
    }
    DiscardedBuffers().swap(stillHeld);
}
