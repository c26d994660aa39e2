// The OpenAL and ALC functions the audio device calls, acting on fake_al::State.
#include "tests/fakes/al/fake_al.h"

#include <algorithm>
#include <utility>

namespace {

fake_al::State fake;

void record(const std::string& function, long argument) {
    fake.calls.push_back(function + " " + std::to_string(argument));
}

// OpenAL keeps the first error until alGetError reads it.
void fail(ALenum error) { if (fake.error == AL_NO_ERROR) fake.error = error; }

// Every call fails while no context is current.
bool no_context() {
    if (!fake.contextCurrent) fail(AL_INVALID_OPERATION);
    return !fake.contextCurrent;
}

// The source a call addresses, or null after recording the error OpenAL
// would report (no context, or a name it never handed out).
fake_al::Source* find_source(ALuint source) {
    auto found = fake.sources.find(source);
    if (!no_context() && found != fake.sources.end()) return &found->second;
    if (fake.contextCurrent) fail(AL_INVALID_NAME);
    return nullptr;
}

}  // namespace

fake_al::State& fake_al::state() { return fake; }
void fake_al::Reset() { fake = fake_al::State(); }

int fake_al::State::Count(const std::string& call) const { return std::count(calls.begin(), calls.end(), call); }

int fake_al::State::CountFunction(const std::string& function) const {
    auto named = [&](const std::string& call) { return call.rfind(function + " ", 0) == 0; };
    return std::count_if(calls.begin(), calls.end(), named);
}

extern "C" {

// The fake itself serves as the device and context handle. A refusal leaves
// the error OpenAL Soft gives for it.
ALCdevice* alcOpenDevice(const ALCchar*) {
    if (!fake.openDeviceOk) fake.alcError = ALC_INVALID_VALUE;
    return fake.openDeviceOk ? reinterpret_cast<ALCdevice*>(&fake) : nullptr;
}

ALCcontext* alcCreateContext(ALCdevice*, const ALCint*) {
    if (!fake.createContextOk) fake.alcError = ALC_INVALID_DEVICE;
    return fake.createContextOk ? reinterpret_cast<ALCcontext*>(&fake) : nullptr;
}

// A null context always succeeds: it releases the current one.
ALCboolean alcMakeContextCurrent(ALCcontext* context) {
    fake.contextCurrent = context && fake.makeContextCurrentOk;
    if (context && !fake.makeContextCurrentOk) fake.alcError = ALC_INVALID_CONTEXT;
    return !context || fake.makeContextCurrentOk ? ALC_TRUE : ALC_FALSE;
}

ALCenum alcGetError(ALCdevice*) { return std::exchange(fake.alcError, ALC_NO_ERROR); }

// The words for the errors the fake leaves, and its device's name.
const ALCchar* alcGetString(ALCdevice*, ALCenum name) {
    switch (name) {
        case ALC_NO_ERROR: return "No Error";
        case ALC_INVALID_VALUE: return "Invalid Value";
        case ALC_INVALID_DEVICE: return "Invalid Device";
        case ALC_INVALID_CONTEXT: return "Invalid Context";
        case ALC_DEVICE_SPECIFIER: case ALC_DEFAULT_DEVICE_SPECIFIER: return "Fake Device";
        default: return nullptr;
    }
}

void alcDestroyContext(ALCcontext*) { ++fake.contextsDestroyed; }
ALCboolean alcCloseDevice(ALCdevice*) { return ++fake.devicesClosed, ALC_TRUE; }

ALCboolean alcIsExtensionPresent(ALCdevice*, const ALCchar* name) {
    return std::string(name) == "ALC_SOFT_pause_device";
}

// The two functions of ALC_SOFT_pause_device, the only ones the device asks for.
void* alcGetProcAddress(ALCdevice*, const ALCchar* name) {
    void (*pause)(ALCdevice*) = [](ALCdevice*) { fake.devicePaused = true; };
    void (*resume)(ALCdevice*) = [](ALCdevice*) { fake.devicePaused = false; };
    return reinterpret_cast<void*>(std::string(name) == "alcDevicePauseSOFT" ? pause : resume);
}

void alDistanceModel(ALenum model) { if (!no_context()) fake.distanceModel = model; }

ALenum alGetError(void) {
    return fake.contextCurrent ? std::exchange(fake.error, AL_NO_ERROR) : AL_INVALID_OPERATION;
}

void alGenSources(ALsizei n, ALuint* names) {
    if (no_context()) return;
    if (static_cast<int>(fake.sources.size()) + n > fake.sourceLimit) return fail(AL_OUT_OF_MEMORY);
    for (ALsizei i = 0; i < n; ++i) fake.sources[names[i] = fake.nextSource++] = fake_al::Source();
}

void alGetSourcei(ALuint source, ALenum param, ALint* value) {
    if (auto* found = find_source(source); found && param == AL_SOURCE_STATE) *value = found->state;
}

// A playing or paused source keeps its buffer.
void alSourcei(ALuint source, ALenum param, ALint value) {
    fake_al::Source* found = find_source(source);
    if (found && param == AL_LOOPING) found->looping = value;
    if (!found || param != AL_BUFFER) return;
    record("alSourcei AL_BUFFER", value);
    if (found->state == AL_PLAYING || found->state == AL_PAUSED) return fail(AL_INVALID_OPERATION);
    if (value != 0 && !fake.buffers.count(static_cast<ALuint>(value))) return fail(AL_INVALID_NAME);
    found->buffer = static_cast<ALuint>(value);
    found->queue.clear();
}

// All or nothing; the call is recorded with the first buffer's name.
void alSourceQueueBuffers(ALuint source, ALsizei n, const ALuint* names) {
    fake_al::Source* found = find_source(source);
    if (!found || n <= 0) return;
    record("alSourceQueueBuffers", names[0]);
    if (found->buffer) return fail(AL_INVALID_OPERATION);
    if (!std::all_of(names, names + n, [](ALuint name) { return fake.buffers.count(name); })) return fail(AL_INVALID_NAME);
    found->queue.insert(found->queue.end(), names, names + n);
}

void alSourcef(ALuint source, ALenum param, ALfloat value) {
    fake_al::Source* found = find_source(source);
    if (found && param == AL_GAIN) found->gain = value;
    if (found && param == AL_PITCH) found->pitch = value;
}

void alSource3f(ALuint source, ALenum param, ALfloat x, ALfloat y, ALfloat z) {
    if (auto* found = find_source(source); found && param == AL_POSITION) found->position = {x, y, z};
}

// A source without a buffer has nothing to play and stops at once.
void alSourcePlay(ALuint source) {
    record("alSourcePlay", source);
    if (fake_al::Source* found = find_source(source)) found->state = found->buffer || !found->queue.empty() ? AL_PLAYING : AL_STOPPED;
}

void alSourcePause(ALuint source) {
    if (auto* found = find_source(source); found && found->state == AL_PLAYING) found->state = AL_PAUSED;
}

void alSourceStop(ALuint source) {
    record("alSourceStop", source);
    if (fake_al::Source* found = find_source(source)) found->state = AL_STOPPED;
}

void alGenBuffers(ALsizei n, ALuint* names) {
    if (no_context()) return;
    for (ALsizei i = 0; i < n; ++i) fake.buffers[names[i] = fake.nextBuffer++] = fake_al::Buffer();
}

// A format OpenAL does not know leaves the buffer empty.
void alBufferData(ALuint buffer, ALenum format, const ALvoid*, ALsizei size, ALsizei frequency) {
    auto found = fake.buffers.find(buffer);
    if (no_context() || found == fake.buffers.end()) return fail(AL_INVALID_NAME);
    if (format == 0) return fail(AL_INVALID_ENUM);
    found->second = fake_al::Buffer{format, size, frequency};
}

// All or nothing, as in OpenAL: one name still attached to a source fails the call.
void alDeleteBuffers(ALsizei n, const ALuint* names) {
    if (no_context()) return;
    for (ALsizei i = 0; i < n; ++i) {
        if (names[i] == 0) continue;
        if (!fake.buffers.count(names[i])) return fail(AL_INVALID_NAME);
        auto holds = [&](const auto& source) {
            const std::vector<ALuint>& queue = source.second.queue;
            return source.second.buffer == names[i] || std::count(queue.begin(), queue.end(), names[i]);
        };
        if (std::any_of(fake.sources.begin(), fake.sources.end(), holds)) return fail(AL_INVALID_OPERATION);
    }
    for (ALsizei i = 0; i < n; ++i) fake.buffers.erase(names[i]);
}

}  // extern "C"
