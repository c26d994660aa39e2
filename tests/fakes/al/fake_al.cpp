// The OpenAL and ALC functions the audio device calls, acting on fake_al::State.
#include "tests/fakes/al/fake_al.h"

#include <algorithm>

namespace {

fake_al::State fake;
int device_token;
int context_token;

void record(const std::string& function, long argument) {
    fake.calls.push_back(function + " " + std::to_string(argument));
}

// OpenAL keeps the first error until alGetError reads it.
void fail(ALenum error) {
    if (fake.error == AL_NO_ERROR) fake.error = error;
}

// The source a call addresses, or null after recording the error OpenAL
// would report (no context, or a name it never handed out).
fake_al::Source* find_source(ALuint source) {
    if (!fake.contextCurrent) {
        fail(AL_INVALID_OPERATION);
        return nullptr;
    }
    auto found = fake.sources.find(source);
    if (found == fake.sources.end()) {
        fail(AL_INVALID_NAME);
        return nullptr;
    }
    return &found->second;
}

bool attached_anywhere(ALuint buffer) {
    return std::any_of(fake.sources.begin(), fake.sources.end(),
                       [buffer](const auto& entry) { return entry.second.buffer == buffer; });
}

}  // namespace

fake_al::State& fake_al::state() { return fake; }
void fake_al::Reset() { fake = fake_al::State(); }

int fake_al::State::Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

int fake_al::State::CountFunction(const std::string& function) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const std::string& call) {
        return call.compare(0, function.size() + 1, function + " ") == 0;
    }));
}

void fake_al::State::EndSound(ALuint source) { sources.at(source).state = AL_STOPPED; }

extern "C" {

ALCdevice* alcOpenDevice(const ALCchar*) {
    record("alcOpenDevice", 0);
    return fake.openDeviceOk ? reinterpret_cast<ALCdevice*>(&device_token) : nullptr;
}

namespace {
void fake_device_pause(ALCdevice*) { fake.devicePaused = true; }
void fake_device_resume(ALCdevice*) { fake.devicePaused = false; }
}  // namespace

ALCboolean alcIsExtensionPresent(ALCdevice*, const ALCchar* name) {
    return fake.pauseDeviceSupported && std::string(name) == "ALC_SOFT_pause_device";
}

void* alcGetProcAddress(ALCdevice*, const ALCchar* name) {
    if (std::string(name) == "alcDevicePauseSOFT") return reinterpret_cast<void*>(fake_device_pause);
    if (std::string(name) == "alcDeviceResumeSOFT") return reinterpret_cast<void*>(fake_device_resume);
    return nullptr;
}

ALCboolean alcCloseDevice(ALCdevice*) {
    ++fake.devicesClosed;
    return ALC_TRUE;
}

ALCcontext* alcCreateContext(ALCdevice*, const ALCint*) {
    record("alcCreateContext", 0);
    return fake.createContextOk ? reinterpret_cast<ALCcontext*>(&context_token) : nullptr;
}

ALCboolean alcMakeContextCurrent(ALCcontext* context) {
    if (!context) {
        fake.contextCurrent = false;
        return ALC_TRUE;
    }
    fake.contextCurrent = fake.makeContextCurrentOk;
    return fake.makeContextCurrentOk ? ALC_TRUE : ALC_FALSE;
}

void alcDestroyContext(ALCcontext*) { ++fake.contextsDestroyed; }

void alDistanceModel(ALenum model) {
    if (fake.contextCurrent) fake.distanceModel = model;
}

ALenum alGetError(void) {
    if (!fake.contextCurrent) return AL_INVALID_OPERATION;
    ALenum error = fake.error;
    fake.error = AL_NO_ERROR;
    return error;
}

void alGenSources(ALsizei n, ALuint* names) {
    record("alGenSources", n);
    if (!fake.contextCurrent) return fail(AL_INVALID_OPERATION);
    if (static_cast<int>(fake.sources.size()) + n > fake.sourceLimit) return fail(AL_OUT_OF_MEMORY);
    for (ALsizei i = 0; i < n; ++i) {
        names[i] = fake.nextSource++;
        fake.sources[names[i]] = fake_al::Source();
    }
}

void alGetSourcei(ALuint source, ALenum param, ALint* value) {
    fake_al::Source* found = find_source(source);
    if (!found) return;
    if (param == AL_SOURCE_STATE) *value = found->state;
    if (param == AL_BUFFER) *value = static_cast<ALint>(found->buffer);
    if (param == AL_LOOPING) *value = found->looping;
}

void alSourcei(ALuint source, ALenum param, ALint value) {
    fake_al::Source* found = find_source(source);
    if (!found) return;
    if (param == AL_LOOPING) found->looping = value;
    if (param != AL_BUFFER) return;
    record("alSourcei AL_BUFFER", value);
    // OpenAL refuses to change the buffer of a source that is playing or paused.
    if (found->state == AL_PLAYING || found->state == AL_PAUSED) return fail(AL_INVALID_OPERATION);
    if (value != 0 && !fake.buffers.count(static_cast<ALuint>(value))) return fail(AL_INVALID_NAME);
    found->buffer = static_cast<ALuint>(value);
}

void alSourcef(ALuint source, ALenum param, ALfloat value) {
    fake_al::Source* found = find_source(source);
    if (!found) return;
    if (param == AL_GAIN) found->gain = value;
    if (param == AL_PITCH) found->pitch = value;
}

void alSource3f(ALuint source, ALenum param, ALfloat x, ALfloat y, ALfloat z) {
    fake_al::Source* found = find_source(source);
    if (!found || param != AL_POSITION) return;
    found->position[0] = x;
    found->position[1] = y;
    found->position[2] = z;
}

// A source without a buffer has nothing to play and stops at once.
void alSourcePlay(ALuint source) {
    record("alSourcePlay", source);
    if (fake_al::Source* found = find_source(source)) found->state = found->buffer ? AL_PLAYING : AL_STOPPED;
}

void alSourcePause(ALuint source) {
    record("alSourcePause", source);
    fake_al::Source* found = find_source(source);
    if (found && found->state == AL_PLAYING) found->state = AL_PAUSED;
}

void alSourceStop(ALuint source) {
    record("alSourceStop", source);
    if (fake_al::Source* found = find_source(source)) found->state = AL_STOPPED;
}

void alGenBuffers(ALsizei n, ALuint* names) {
    record("alGenBuffers", n);
    if (!fake.contextCurrent) return fail(AL_INVALID_OPERATION);
    for (ALsizei i = 0; i < n; ++i) {
        names[i] = fake.nextBuffer++;
        fake.buffers[names[i]] = fake_al::Buffer();
    }
}

void alBufferData(ALuint buffer, ALenum format, const ALvoid*, ALsizei size, ALsizei frequency) {
    record("alBufferData", buffer);
    if (!fake.contextCurrent) return fail(AL_INVALID_OPERATION);
    auto found = fake.buffers.find(buffer);
    if (found == fake.buffers.end()) return fail(AL_INVALID_NAME);
    if (format == 0) return fail(AL_INVALID_ENUM);  // the buffer stays empty
    found->second = fake_al::Buffer{format, size, frequency};
}

// All or nothing, as in OpenAL: one name still attached to a source fails the call.
void alDeleteBuffers(ALsizei n, const ALuint* names) {
    if (!fake.contextCurrent) return fail(AL_INVALID_OPERATION);
    for (ALsizei i = 0; i < n; ++i) {
        if (names[i] == 0) continue;
        if (!fake.buffers.count(names[i])) return fail(AL_INVALID_NAME);
        if (attached_anywhere(names[i])) return fail(AL_INVALID_OPERATION);
    }
    for (ALsizei i = 0; i < n; ++i) {
        record("alDeleteBuffers", names[i]);
        fake.buffers.erase(names[i]);
    }
}

}  // extern "C"
