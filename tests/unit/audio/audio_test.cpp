// The audio device against the fake OpenAL: opening, channel states, source
// stealing, sample upload and the deferred deletion of buffers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "audio/audio_device.h"
#include "tests/fakes/al/fake_al.h"
#include "tests/unit/audio/audio_test_host.h"

namespace {

constexpr const char* kBeep = "kestrel://data/beep.wav";
constexpr const char* kBoom = "kestrel://data/boom.wav";
constexpr const char* kSong = "kestrel://data/song.ogg";

// The device under test is a collector root, as nx_audio_device is in the program.
gxtkAudio* rootedDevice = nullptr;

class AudioDeviceTest : public testing::Test {
protected:
    void SetUp() override {
        static bool rooted = false;
        if (!rooted) gc_root(rootedDevice);
        rooted = true;
        fake_al::Reset();
        DiscardedBuffers().clear();
        host.sounds[kBeep] = {100, 1, 2, 22050};
        host.sounds[kBoom] = {100, 1, 2, 22050};
        host.sounds[kSong] = {1000, 2, 2, 44100};
        device = new gxtkAudio();
        gc_assign(rootedDevice, device);
        fake_al::state().calls.clear();
    }

    gxtkSample* Load(const char* path) { return device->LoadSample(String(path)); }
    ALuint SourceOf(int channel) { return device->channels[channel].source; }
    fake_al::Source& AlSource(int channel) { return fake_al::state().sources.at(SourceOf(channel)); }
    static bool IsDiscarded(ALuint buffer) {
        return std::count(DiscardedBuffers().begin(), DiscardedBuffers().end(), buffer) != 0;
    }

    AudioTestHost host;
    gxtkAudio* device = nullptr;
};

// ---- Opening OpenAL ----

TEST_F(AudioDeviceTest, OpensWithoutDistanceAttenuationAndMusicSourceReady) {
    EXPECT_EQ(fake_al::state().distanceModel, AL_NONE);
    EXPECT_NE(SourceOf(kMusicChannel), 0u);
    for (int channel = 0; channel < kEffectChannels; ++channel) EXPECT_EQ(SourceOf(channel), 0u);
}

struct OpenFailure {
    bool openDevice, createContext, makeCurrent;
    const char* message;
};

class AudioDeviceOpenFailureTest : public AudioDeviceTest,
                                   public testing::WithParamInterface<OpenFailure> {};

TEST_P(AudioDeviceOpenFailureTest, PrintsTheFailureAndPlaysOnSilently) {
    fake_al::Reset();
    fake_al::state().openDeviceOk = GetParam().openDevice;
    fake_al::state().createContextOk = GetParam().createContext;
    fake_al::state().makeContextCurrentOk = GetParam().makeCurrent;
    testing::internal::CaptureStdout();
    device = new gxtkAudio();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string(GetParam().message) + "\n");
    gxtkSample* sample = Load(kBeep);
    ASSERT_NE(sample, nullptr);  // decoded, but OpenAL gave it no buffer
    EXPECT_EQ(device->PlaySample(sample, 0, 0), -1);
    EXPECT_EQ(device->ChannelState(0), kChannelStopped);
    device->SetVolume(0, 0.5f);
    device->Suspend();
    device->Resume();
    EXPECT_TRUE(fake_al::state().sources.empty());
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, AudioDeviceOpenFailureTest,
    testing::Values(OpenFailure{false, true, true, "OpenAl error: alcOpenDevice failed"},
                    OpenFailure{true, false, true, "OpenAl error: alcCreateContext failed"},
                    OpenFailure{true, true, false, "OpenAl error: alcMakeContextCurrent failed"}));

// The program leaves through exit(); the wave writer's header is only complete
// once the device is closed. A reporter registered before the device runs
// after the device's own exit handler and tells what was closed. (No fixture:
// the death test's fresh process must open its first device after the reporter.)
TEST(AudioDeviceExitTest, ClosesContextAndDeviceWhenTheProgramExits) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto run = [] {
        std::atexit([] {
            std::fprintf(stderr, "closed %d context, %d device\n", fake_al::state().contextsDestroyed,
                         fake_al::state().devicesClosed);
        });
        new gxtkAudio();
        std::exit(0);
    };
    EXPECT_EXIT(run(), testing::ExitedWithCode(0), "closed 1 context, 1 device");
}

// ---- Channels ----

TEST_F(AudioDeviceTest, SecondPlayOnAChannelCutsTheFirstAndKeepsTheSource) {
    gxtkSample* beep = Load(kBeep);
    gxtkSample* boom = Load(kBoom);
    ASSERT_EQ(device->PlaySample(beep, 3, 0), 0);
    ALuint source = SourceOf(3);
    fake_al::state().calls.clear();
    ASSERT_EQ(device->PlaySample(boom, 3, 0), 0);
    EXPECT_EQ(SourceOf(3), source);
    EXPECT_EQ(fake_al::state().CountFunction("alGenSources"), 0);
    EXPECT_EQ(fake_al::state().Count("alSourceStop " + std::to_string(source)), 1);
    EXPECT_EQ(AlSource(3).buffer, boom->buffer);
    EXPECT_EQ(AlSource(3).state, AL_PLAYING);
    EXPECT_EQ(device->ChannelState(3), kChannelPlaying);
}

TEST_F(AudioDeviceTest, OneShotThatEndedReadsStoppedWhileLoopKeepsPlaying) {
    gxtkSample* beep = Load(kBeep);
    device->PlaySample(beep, 0, 0);
    device->PlaySample(beep, 1, 1);
    EXPECT_EQ(AlSource(0).looping, AL_FALSE);
    EXPECT_EQ(AlSource(1).looping, AL_TRUE);
    fake_al::state().EndSound(SourceOf(0));
    EXPECT_EQ(device->ChannelState(0), kChannelStopped);
    EXPECT_EQ(device->ChannelState(1), kChannelPlaying);
}

TEST_F(AudioDeviceTest, PauseResumeAndStopMoveTheChannelState) {
    device->PlaySample(Load(kBeep), 5, 1);
    device->PauseChannel(5);
    EXPECT_EQ(device->ChannelState(5), kChannelPaused);
    EXPECT_EQ(AlSource(5).state, AL_PAUSED);
    device->ResumeChannel(5);
    EXPECT_EQ(device->ChannelState(5), kChannelPlaying);
    EXPECT_EQ(AlSource(5).state, AL_PLAYING);
    device->StopChannel(5);
    EXPECT_EQ(device->ChannelState(5), kChannelStopped);
    EXPECT_EQ(AlSource(5).state, AL_STOPPED);
}

TEST_F(AudioDeviceTest, PausingAnEndedChannelStopsItAndPausesNothing) {
    device->PlaySample(Load(kBeep), 6, 0);
    fake_al::state().EndSound(SourceOf(6));
    fake_al::state().calls.clear();
    device->PauseChannel(6);
    EXPECT_EQ(device->channels[6].state, kChannelStopped);
    device->ResumeChannel(6);
    EXPECT_EQ(fake_al::state().CountFunction("alSourcePause"), 0);
    EXPECT_EQ(fake_al::state().CountFunction("alSourcePlay"), 0);
    EXPECT_EQ(device->ChannelState(6), kChannelStopped);
}

TEST_F(AudioDeviceTest, SuspendAndResumeLeaveTheGamesOwnPauseAlone) {
    gxtkSample* beep = Load(kBeep);
    device->PlaySample(beep, 2, 1);
    device->PlaySample(beep, 4, 1);
    device->PauseChannel(2);
    device->Suspend();
    EXPECT_EQ(AlSource(4).state, AL_PAUSED);
    EXPECT_EQ(device->ChannelState(4), kChannelPlaying);  // only the source paused
    EXPECT_TRUE(fake_al::state().devicePaused) << "a suspended game leaves the mixer idle";
    device->Resume();
    EXPECT_FALSE(fake_al::state().devicePaused);
    EXPECT_EQ(AlSource(4).state, AL_PLAYING);
    EXPECT_EQ(AlSource(2).state, AL_PAUSED);
    EXPECT_EQ(device->ChannelState(2), kChannelPaused);
}

TEST_F(AudioDeviceTest, PanPlacesTheSourceOnACircleAhead) {
    device->SetPan(7, 0.0f);
    EXPECT_FLOAT_EQ(AlSource(7).position[0], 0.0f);
    EXPECT_FLOAT_EQ(AlSource(7).position[1], 0.0f);
    EXPECT_FLOAT_EQ(AlSource(7).position[2], -1.0f);
    device->SetPan(7, 1.0f);
    EXPECT_NEAR(AlSource(7).position[0], 0.841f, 1e-3);
    EXPECT_FLOAT_EQ(AlSource(7).position[1], 0.0f);
    EXPECT_NEAR(AlSource(7).position[2], -0.540f, 1e-3);
}

TEST_F(AudioDeviceTest, VolumeAndRateSetBeforePlayingStayOnTheChannel) {
    device->SetVolume(8, 0.25f);
    device->SetRate(8, 2.0f);
    EXPECT_EQ(device->ChannelState(8), kChannelStopped);
    device->PlaySample(Load(kBeep), 8, 0);
    EXPECT_FLOAT_EQ(AlSource(8).gain, 0.25f);
    EXPECT_FLOAT_EQ(AlSource(8).pitch, 2.0f);
}

// Channel numbers outside 0-32 and null samples come from callers' mistakes;
// they must never reach past the channel table (run under AddressSanitizer in CI).
TEST_F(AudioDeviceTest, RejectsChannelsOutsideTheTableAndNullSamples) {
    gxtkSample* beep = Load(kBeep);
    fake_al::state().calls.clear();
    for (int channel : {-1, kAudioChannels, 1000000, -2147483647 - 1}) {
        EXPECT_EQ(device->PlaySample(beep, channel, 0), -1);
        EXPECT_EQ(device->ChannelState(channel), kChannelStopped);
        device->StopChannel(channel);
        device->PauseChannel(channel);
        device->ResumeChannel(channel);
        device->SetVolume(channel, 0.5f);
        device->SetPan(channel, 0.5f);
        device->SetRate(channel, 0.5f);
    }
    EXPECT_EQ(device->PlaySample(nullptr, 0, 0), -1);
    EXPECT_TRUE(fake_al::state().calls.empty());
    EXPECT_EQ(device->ChannelState(0), kChannelStopped);
}

// ---- Taking sources when OpenAL refuses more ----

class AudioDeviceStealingTest : public AudioDeviceTest {
protected:
    // Room for the music source and channels 0-8: the 10th request is refused.
    void SetUp() override {
        AudioDeviceTest::SetUp();
        fake_al::state().sourceLimit = 10;
        beep = Load(kBeep);
        for (int channel = 0; channel <= 8; ++channel) ASSERT_EQ(device->PlaySample(beep, channel, 1), 0);
    }
    gxtkSample* beep = nullptr;
};

TEST_F(AudioDeviceStealingTest, TakesTheSourceOfTheLowestStoppedChannel) {
    fake_al::state().EndSound(SourceOf(5));
    device->StopChannel(7);
    device->PauseChannel(1);  // paused counts as busy
    ALuint expected = SourceOf(5);
    EXPECT_EQ(device->PlaySample(beep, 9, 0), 0);
    EXPECT_EQ(SourceOf(9), expected);
    EXPECT_EQ(SourceOf(5), 0u);
    EXPECT_NE(SourceOf(7), 0u);
}

TEST_F(AudioDeviceStealingTest, FailsWhenEveryChannelIsPlayingOrPaused) {
    device->PauseChannel(0);
    fake_al::state().calls.clear();
    EXPECT_EQ(device->PlaySample(beep, 9, 0), -1);
    EXPECT_EQ(device->ChannelState(9), kChannelStopped);
    EXPECT_EQ(fake_al::state().CountFunction("alSourcePlay"), 0);
    for (int channel = 0; channel <= 8; ++channel) EXPECT_NE(SourceOf(channel), 0u);
}

TEST_F(AudioDeviceTest, MusicChannelNeverGivesItsSourceAway) {
    fake_al::state().sourceLimit = 1;  // the music channel's source is the only one
    EXPECT_EQ(device->MusicState(), kChannelStopped);
    EXPECT_EQ(device->PlaySample(Load(kBeep), 0, 0), -1);
    EXPECT_NE(SourceOf(kMusicChannel), 0u);
}

// ---- Samples and buffers ----

struct UploadCase {
    int format, channels;
    ALenum alFormat;
    ALsizei bytes;
};

class AudioDeviceUploadTest : public AudioDeviceTest, public testing::WithParamInterface<UploadCase> {};

TEST_P(AudioDeviceUploadTest, UploadsTheDecodedSoundInItsOpenAlFormat) {
    host.sounds["kestrel://data/shape.wav"] = {1000, GetParam().channels, GetParam().format, 22050};
    gxtkSample* sample = Load("kestrel://data/shape.wav");
    ASSERT_NE(sample, nullptr);
    ASSERT_NE(sample->buffer, 0u);
    const fake_al::Buffer& buffer = fake_al::state().buffers.at(sample->buffer);
    EXPECT_EQ(buffer.format, GetParam().alFormat);
    EXPECT_EQ(buffer.size, GetParam().bytes);
    if (GetParam().alFormat) {
        EXPECT_EQ(buffer.frequency, 22050);
    }
}

// Shapes OpenAL cannot play leave the buffer empty: a silent sample, not a failure.
INSTANTIATE_TEST_SUITE_P(Shapes, AudioDeviceUploadTest,
                         testing::Values(UploadCase{2, 2, AL_FORMAT_STEREO16, 4000},
                                         UploadCase{2, 1, AL_FORMAT_MONO16, 2000},
                                         UploadCase{1, 2, AL_FORMAT_STEREO8, 2000},
                                         UploadCase{1, 1, AL_FORMAT_MONO8, 1000},
                                         UploadCase{3, 2, 0, 0}, UploadCase{2, 6, 0, 0}));

TEST_F(AudioDeviceTest, MissingFileLoadsNothing) {
    EXPECT_EQ(Load("kestrel://data/missing.wav"), nullptr);
    EXPECT_EQ(fake_al::state().CountFunction("alGenBuffers"), 0);
}

TEST_F(AudioDeviceTest, PlayMusicOfAMissingFileLeavesTheMusicChannelStopped) {
    EXPECT_EQ(device->PlayMusic(String("kestrel://data/missing.ogg"), 1), -1);
    EXPECT_EQ(device->MusicState(), kChannelStopped);
    EXPECT_EQ(fake_al::state().CountFunction("alSourcePlay"), 0);
}

TEST_F(AudioDeviceTest, PlayMusicLoopsTheFileOnTheMusicChannel) {
    EXPECT_EQ(device->PlayMusic(String(kSong), 1), 0);
    EXPECT_EQ(device->MusicState(), kChannelPlaying);
    EXPECT_EQ(AlSource(kMusicChannel).looping, AL_TRUE);
}

TEST_F(AudioDeviceTest, DiscardedBufferWaitsWhileItPlaysAndGoesAtALaterFlush) {
    gxtkSample* beep = Load(kBeep);
    ALuint buffer = beep->buffer;
    device->PlaySample(beep, 1, 0);
    beep->Discard();
    EXPECT_EQ(beep->buffer, 0u);
    EXPECT_TRUE(IsDiscarded(buffer));
    device->PlaySample(Load(kBoom), 2, 0);  // a flush while the beep still plays
    EXPECT_TRUE(IsDiscarded(buffer));
    EXPECT_EQ(fake_al::state().buffers.count(buffer), 1u);
    fake_al::state().EndSound(SourceOf(1));
    Load(kBoom);  // the next flush
    EXPECT_FALSE(IsDiscarded(buffer));
    EXPECT_EQ(fake_al::state().buffers.count(buffer), 0u);
}

TEST_F(AudioDeviceTest, StoppedChannelsLetGoOfDiscardedBuffersToo) {
    gxtkSample* beep = Load(kBeep);
    ALuint buffer = beep->buffer;
    device->PlaySample(beep, 1, 1);
    device->StopChannel(1);
    beep->Discard();
    Load(kBoom);
    EXPECT_TRUE(DiscardedBuffers().empty());
    EXPECT_EQ(fake_al::state().buffers.count(buffer), 0u);
}

// Ends the collector's cycle and destroys whatever it found unreachable, as
// later allocations in the running game would.
// Two cycles: a sample stored through the write barrier this cycle is grey
// and survives the first.
void CollectEverythingUnreachable() {
    for (int cycle = 0; cycle < 2; ++cycle) {
        gc_ext_malloced(kGcCycleBytes + 1);
        gc_collect_step(nullptr);
    }
    Array<int> pressure(gc_free_bytes / 4 + 16);  // larger than all pending garbage: destroys it all
}

TEST_F(AudioDeviceTest, CollectorKeepsPlayingSamplesAndDiscardsFinishedOnes) {
    // Samples left by earlier tests go first: their buffer names repeat ours.
    testing::internal::CaptureStdout();
    CollectEverythingUnreachable();
    testing::internal::GetCapturedStdout();
    DiscardedBuffers().clear();
    gxtkSample* playing = Load(kBeep);
    gxtkSample* finished = Load(kBoom);
    ALuint playingBuffer = playing->buffer;
    ALuint finishedBuffer = finished->buffer;
    device->PlaySample(playing, 0, 1);
    device->PlaySample(finished, 1, 0);
    fake_al::state().EndSound(SourceOf(1));
    testing::internal::CaptureStdout();
    CollectEverythingUnreachable();
    std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("Discarding sample\n"), std::string::npos);
    EXPECT_TRUE(IsDiscarded(finishedBuffer));
    EXPECT_FALSE(IsDiscarded(playingBuffer));
    EXPECT_EQ(device->channels[0].sample, playing);
    EXPECT_EQ(device->channels[1].sample, nullptr);  // no record points at a destroyed sample
}

}  // namespace
