// The audio device over OpenAL: 32 sound-effect channels (0-31) and one music
// channel (32). A channel is an OpenAL source, the sample last started on it
// and its own play state. A sample loaded whole holds one OpenAL buffer; a
// sample decoded in slices (a tune) holds one buffer per slice, queued on the
// source in order, so that no single upload or deletion holds up an update.
// Sources are made lazily, one per channel; when OpenAL refuses a new one, a
// stopped channel gives its source up. Buffers of discarded samples wait in
// DiscardedBuffers() until no source holds them. This header names no OpenAL type,
// so layers above can include it without OpenAL's headers.
#pragma once

#include <vector>

#include "runtime/object.h"
#include "runtime/string.h"

constexpr int kEffectChannels = 32;  // 0-31: the channels that may give their source away
constexpr int kMusicChannel = 32;
constexpr int kAudioChannels = 33;

// Channel states as ChannelState reports them.
constexpr int kChannelStopped = 0;
constexpr int kChannelPlaying = 1;
constexpr int kChannelPaused = 2;  // paused by the game, not by a suspend

class gxtkSample;
class NxAudioDecoding;

struct gxtkChannel {
    unsigned int source;  // OpenAL source name, 0 until obtained
    gxtkSample* sample;   // the sample last started here
    int flags;            // non-zero: looping
    int state;            // kChannelStopped, kChannelPlaying or kChannelPaused

    // The channel's source, obtained on first use (0 when none can be had).
    unsigned int AL_Source();
};

class gxtkAudio : public Object {
public:
    void* alcDevice = nullptr;   // ALCdevice*, null when OpenAL could not open one
    void* alcContext = nullptr;  // ALCcontext*
    gxtkChannel channels[kAudioChannels] = {};

    // The last device constructed: source stealing and FlushDiscarded work on it.
    static gxtkAudio* audio;

    gxtkAudio();
    // Keeps every sample alive whose sound is still playing or paused.
    void mark() override;

    virtual int Suspend();
    virtual int Resume();
    virtual gxtkSample* LoadSample(const String& path);
    virtual bool LoadSample__UNSAFE__(gxtkSample* sample, const String& path);
    // A sample too long to decode within one update, loaded over several
    // calls: StartLoadingSample opens the file (null when it cannot be read);
    // each ContinueLoadingSample decodes at least `frames` more sample frames
    // into a buffer of their own and answers 0 while more remains, 1 once the
    // sample holds its sound, -1 when decoding failed (the sample stays silent).
    virtual gxtkSample* StartLoadingSample(const String& path);
    virtual int ContinueLoadingSample(gxtkSample* sample, int frames);
    // 0, or -1 when no source could be obtained (or the call was refused:
    // a null sample or a channel outside 0-32).
    virtual int PlaySample(gxtkSample* sample, int channel, int flags);
    virtual int StopChannel(int channel);
    virtual int PauseChannel(int channel);
    virtual int ResumeChannel(int channel);
    virtual int ChannelState(int channel);
    virtual int SetVolume(int channel, float volume);
    virtual int SetPan(int channel, float pan);
    virtual int SetRate(int channel, float rate);
    virtual int PlayMusic(const String& path, int flags);
    virtual int StopMusic();
    virtual int PauseMusic();
    virtual int ResumeMusic();
    virtual int MusicState();
    virtual int SetMusicVolume(float volume);

private:
    // The channel record, or null for a number outside 0-32: every operation
    // rejects such numbers instead of addressing memory past the table.
    gxtkChannel* Channel(int channel);
    void OpenDevice();
    void PauseDevice(bool pause);
};

class gxtkSample : public Object {
public:
    unsigned int buffer = 0;  // OpenAL buffer name, 0 = none
    std::vector<unsigned int> queue;  // or, decoded in slices, a buffer per slice in order
    NxAudioDecoding* decoding = nullptr;  // while the sound is still being decoded

    gxtkSample();
    explicit gxtkSample(unsigned int buffer);
    // Runs in the collector's sweep: reports, then discards the buffer (and
    // a decoding left unfinished).
    ~gxtkSample() override;

    void SetBuffer(unsigned int buffer);
    // Hands the buffer (or the queue's) to DiscardedBuffers(); nothing is deleted yet.
    virtual int Discard();
};

// Buffers of discarded samples whose deletion is pending (tests read and
// empty the list).
std::vector<unsigned int>& DiscardedBuffers();

// Detaches buffers from sources that have stopped, then deletes every
// discarded buffer OpenAL lets go of; the rest wait for a later flush.
void FlushDiscarded();
