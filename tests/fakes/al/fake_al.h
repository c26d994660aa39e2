// A scriptable stand-in for OpenAL and ALC, linked into unit tests instead of
// the real library. It keeps sources and buffers with the rules the audio
// device relies on (a source plays until a test ends its sound; a buffer
// attached to any source cannot be deleted; calls without a current context
// fail) and lets a test refuse devices, contexts and sources.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

#include <map>
#include <string>
#include <vector>

namespace fake_al {

struct Source {
    ALint state = AL_INITIAL;
    ALuint buffer = 0;
    ALint looping = AL_FALSE;
    float gain = 1.0f;
    float pitch = 1.0f;
    float position[3] = {0.0f, 0.0f, 0.0f};
};

struct Buffer {
    ALenum format = 0;
    ALsizei size = 0;
    ALsizei frequency = 0;
};

struct State {
    // Scripted results.
    bool openDeviceOk = true;
    bool createContextOk = true;
    bool makeContextCurrentOk = true;
    int sourceLimit = 256;  // alGenSources fails once this many sources exist
    bool pauseDeviceSupported = true;

    // What the code under test did.
    bool contextCurrent = false;
    ALenum distanceModel = AL_INVERSE_DISTANCE_CLAMPED;
    ALenum error = AL_NO_ERROR;
    std::map<ALuint, Source> sources;
    std::map<ALuint, Buffer> buffers;
    ALuint nextSource = 1;
    ALuint nextBuffer = 1001;  // apart from source names, so a mix-up shows
    int devicesClosed = 0;
    bool devicePaused = false;
    int contextsDestroyed = 0;
    std::vector<std::string> calls;  // "alSourcePlay 3", "alDeleteBuffers 1001", ...

    // Calls recorded with exactly this text.
    int Count(const std::string& call) const;
    // Calls of this function, whatever their arguments.
    int CountFunction(const std::string& function) const;
    // A one-shot sound ran out: its source reports AL_STOPPED from now on.
    void EndSound(ALuint source);
};

// The one fake; tests reset it with fake_al::Reset().
State& state();
void Reset();

}  // namespace fake_al
