// A scriptable stand-in for OpenAL and ALC, linked into unit tests instead of
// the real library. It keeps sources and buffers with the rules the audio
// device relies on (a source plays until a test ends its sound; a playing or
// paused source keeps its buffer; a source with a buffer attached takes no
// queue, and setting AL_BUFFER replaces a queue; a buffer attached to or
// queued on any source cannot be deleted; calls without a current context fail; the first error sticks until
// read) and lets a test refuse devices, contexts and sources.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

#include <array>
#include <map>
#include <string>
#include <vector>

namespace fake_al {

struct Source {
    ALint state = AL_INITIAL, looping = AL_FALSE;
    ALuint buffer = 0;           // attached by AL_BUFFER
    std::vector<ALuint> queue;   // or queued, in order
    float gain = 1.0f, pitch = 1.0f;
    std::array<float, 3> position = {0.0f, 0.0f, 0.0f};
};

// Format 0: empty, as alBufferData leaves a buffer when it refuses the format.
struct Buffer { ALenum format = 0; ALsizei size = 0, frequency = 0; };

struct State {
    // Scripted results.
    bool openDeviceOk = true, createContextOk = true, makeContextCurrentOk = true;
    int sourceLimit = 256;  // alGenSources fails once this many sources exist

    // What the code under test did.
    bool contextCurrent = false, devicePaused = false;
    ALenum distanceModel = AL_INVERSE_DISTANCE_CLAMPED, error = AL_NO_ERROR;
    ALCenum alcError = ALC_NO_ERROR;  // what a refused device, context or switch left for alcGetError
    std::map<ALuint, Source> sources;
    std::map<ALuint, Buffer> buffers;
    ALuint nextSource = 1, nextBuffer = 1001;  // apart, so a mix-up of names shows
    int devicesClosed = 0, contextsDestroyed = 0;
    std::vector<std::string> calls;  // "alSourcePlay 3", "alSourcei AL_BUFFER 1001", ...

    // Calls recorded with exactly this text.
    int Count(const std::string& call) const;
    // Calls of this function, whatever their arguments.
    int CountFunction(const std::string& function) const;
    // A one-shot sound ran out: its source reports AL_STOPPED from now on.
    void EndSound(ALuint source) { sources.at(source).state = AL_STOPPED; }
};

// The one fake; tests reset it with fake_al::Reset().
State& state();
void Reset();

}  // namespace fake_al
