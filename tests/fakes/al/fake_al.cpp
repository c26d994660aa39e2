// The OpenAL and ALC functions the audio device calls, acting on FakeAl.
#include "tests/fakes/al/fake_al.h"

#include <algorithm>

namespace {

FakeAl state;
int device_token;
int context_token;

void record(const std::string& function, long argument) {
    state.calls.push_back(function + " " + std::to_string(argument));
}

// OpenAL keeps the first error until alGetError reads it.
void fail(ALenum error) {
    if (state.error == AL_NO_ERROR) state.error = error;
}

// The source a call addresses, or null after recording the error OpenAL
// would report (no context, or a name it never handed out).
FakeAlSource* find_source(ALuint source) {
    if (!state.contextCurrent) {
        fail(AL_INVALID_OPERATION);
        return nullptr;
    }
    auto found = state.sources.find(source);
    if (found == state.sources.end()) {
        fail(AL_INVALID_NAME);
        return nullptr;
    }
    return &found->second;
}

bool attached_anywhere(ALuint buffer) {
    return std::any_of(state.sources.begin(), state.sources.end(),
                       [buffer](const auto& entry) { return entry.second.buffer == buffer; });
}

}  // namespace

FakeAl& fake_al() { return state; }
void fake_al_reset() { state = FakeAl(); }

int FakeAl::Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

int FakeAl::CountFunction(const std::string& function) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const std::string& call) {
        return call.compare(0, function.size() + 1, function + " ") == 0;
    }));
}

void FakeAl::EndSound(ALuint source) { sources.at(source).state = AL_STOPPED; }

extern "C" {

ALCdevice* alcOpenDevice(const ALCchar*) {
    record("alcOpenDevice", 0);
    return state.openDeviceOk ? reinterpret_cast<ALCdevice*>(&device_token) : nullptr;
}

namespace {
void fake_device_pause(ALCdevice*) { state.devicePaused = true; }
void fake_device_resume(ALCdevice*) { state.devicePaused = false; }
}  // namespace

ALCboolean alcIsExtensionPresent(ALCdevice*, const ALCchar* name) {
    return state.pauseDeviceSupported && std::string(name) == "ALC_SOFT_pause_device";
}

void* alcGetProcAddress(ALCdevice*, const ALCchar* name) {
    if (std::string(name) == "alcDevicePauseSOFT") return reinterpret_cast<void*>(fake_device_pause);
    if (std::string(name) == "alcDeviceResumeSOFT") return reinterpret_cast<void*>(fake_device_resume);
    return nullptr;
}

ALCboolean alcCloseDevice(ALCdevice*) {
    ++state.devicesClosed;
    return ALC_TRUE;
}

ALCcontext* alcCreateContext(ALCdevice*, const ALCint*) {
    record("alcCreateContext", 0);
    return state.createContextOk ? reinterpret_cast<ALCcontext*>(&context_token) : nullptr;
}

ALCboolean alcMakeContextCurrent(ALCcontext* context) {
    if (!context) {
        state.contextCurrent = false;
        return ALC_TRUE;
    }
    state.contextCurrent = state.makeContextCurrentOk;
    return state.makeContextCurrentOk ? ALC_TRUE : ALC_FALSE;
}

void alcDestroyContext(ALCcontext*) { ++state.contextsDestroyed; }

void alDistanceModel(ALenum model) {
    if (state.contextCurrent) state.distanceModel = model;
}

ALenum alGetError(void) {
    if (!state.contextCurrent) return AL_INVALID_OPERATION;
    ALenum error = state.error;
    state.error = AL_NO_ERROR;
    return error;
}

void alGenSources(ALsizei n, ALuint* names) {
    record("alGenSources", n);
    if (!state.contextCurrent) return fail(AL_INVALID_OPERATION);
    if (static_cast<int>(state.sources.size()) + n > state.sourceLimit) return fail(AL_OUT_OF_MEMORY);
    for (ALsizei i = 0; i < n; ++i) {
        names[i] = state.nextSource++;
        state.sources[names[i]] = FakeAlSource();
    }
}

void alGetSourcei(ALuint source, ALenum param, ALint* value) {
    FakeAlSource* found = find_source(source);
    if (!found) return;
    if (param == AL_SOURCE_STATE) *value = found->state;
    if (param == AL_BUFFER) *value = static_cast<ALint>(found->buffer);
    if (param == AL_LOOPING) *value = found->looping;
}

void alSourcei(ALuint source, ALenum param, ALint value) {
    FakeAlSource* found = find_source(source);
    if (!found) return;
    if (param == AL_LOOPING) found->looping = value;
    if (param != AL_BUFFER) return;
    record("alSourcei AL_BUFFER", value);
    // OpenAL refuses to change the buffer of a source that is playing or paused.
    if (found->state == AL_PLAYING || found->state == AL_PAUSED) return fail(AL_INVALID_OPERATION);
    if (value != 0 && !state.buffers.count(static_cast<ALuint>(value))) return fail(AL_INVALID_NAME);
    found->buffer = static_cast<ALuint>(value);
}

void alSourcef(ALuint source, ALenum param, ALfloat value) {
    FakeAlSource* found = find_source(source);
    if (!found) return;
    if (param == AL_GAIN) found->gain = value;
    if (param == AL_PITCH) found->pitch = value;
}

void alSource3f(ALuint source, ALenum param, ALfloat x, ALfloat y, ALfloat z) {
    FakeAlSource* found = find_source(source);
    if (!found || param != AL_POSITION) return;
    found->position[0] = x;
    found->position[1] = y;
    found->position[2] = z;
}

// A source without a buffer has nothing to play and stops at once.
void alSourcePlay(ALuint source) {
    record("alSourcePlay", source);
    if (FakeAlSource* found = find_source(source)) found->state = found->buffer ? AL_PLAYING : AL_STOPPED;
}

void alSourcePause(ALuint source) {
    record("alSourcePause", source);
    FakeAlSource* found = find_source(source);
    if (found && found->state == AL_PLAYING) found->state = AL_PAUSED;
}

void alSourceStop(ALuint source) {
    record("alSourceStop", source);
    if (FakeAlSource* found = find_source(source)) found->state = AL_STOPPED;
}

void alGenBuffers(ALsizei n, ALuint* names) {
    record("alGenBuffers", n);
    if (!state.contextCurrent) return fail(AL_INVALID_OPERATION);
    for (ALsizei i = 0; i < n; ++i) {
        names[i] = state.nextBuffer++;
        state.buffers[names[i]] = FakeAlBuffer();
    }
}

void alBufferData(ALuint buffer, ALenum format, const ALvoid*, ALsizei size, ALsizei frequency) {
    record("alBufferData", buffer);
    if (!state.contextCurrent) return fail(AL_INVALID_OPERATION);
    auto found = state.buffers.find(buffer);
    if (found == state.buffers.end()) return fail(AL_INVALID_NAME);
    if (format == 0) return fail(AL_INVALID_ENUM);  // the buffer stays empty
    found->second = FakeAlBuffer{format, size, frequency};
}

// All or nothing, as in OpenAL: one name still attached to a source fails the call.
void alDeleteBuffers(ALsizei n, const ALuint* names) {
    if (!state.contextCurrent) return fail(AL_INVALID_OPERATION);
    for (ALsizei i = 0; i < n; ++i) {
        if (names[i] == 0) continue;
        if (!state.buffers.count(names[i])) return fail(AL_INVALID_NAME);
        if (attached_anywhere(names[i])) return fail(AL_INVALID_OPERATION);
    }
    for (ALsizei i = 0; i < n; ++i) {
        record("alDeleteBuffers", names[i]);
        state.buffers.erase(names[i]);
    }
}

}  // extern "C"
