// The audio device on the real OpenAL Soft with its null backend (the test's
// environment sets ALSOFT_DRIVERS=null): real source states and real buffer
// rules, played to nowhere in real time.
#include <AL/al.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "audio/audio_device.h"
#include "tests/unit/audio/wav_builder.h"
#include "tests/unit/audio/wav_host.h"

namespace {

constexpr int kHertz = 22050;

class OpenAlNullTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static WavHost host;
        WavLayout blip;
        blip.channels = 1;
        blip.hertz = kHertz;
        blip.data = SinePcm16(kHertz / 10, 1, 440, kHertz, 0.5);  // 0.1 s
        host.files["blip.wav"] = BuildWav(blip);
        device = new gxtkAudio();
    }

    // Polls the channel until it leaves `state` or the time is up.
    static int WaitWhile(int channel, int state, std::chrono::milliseconds limit) {
        auto end = std::chrono::steady_clock::now() + limit;
        while (device->ChannelState(channel) == state && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return device->ChannelState(channel);
    }

    static gxtkAudio* device;
};

gxtkAudio* OpenAlNullTest::device = nullptr;

TEST_F(OpenAlNullTest, OneShotEndsByItselfWhileALoopKeepsPlaying) {
    gxtkSample* blip = device->LoadSample(String("blip.wav"));
    ASSERT_NE(blip, nullptr);
    ASSERT_EQ(device->PlaySample(blip, 0, 0), 0);
    ASSERT_EQ(device->PlaySample(blip, 1, 1), 0);
    EXPECT_EQ(device->ChannelState(0), kChannelPlaying);
    EXPECT_EQ(WaitWhile(0, kChannelPlaying, std::chrono::seconds(3)), kChannelStopped);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));  // past one more loop
    EXPECT_EQ(device->ChannelState(1), kChannelPlaying);
    device->StopChannel(1);
}

TEST_F(OpenAlNullTest, SuspendPausesRealSourcesAndResumeRestartsOnlyThose) {
    gxtkSample* blip = device->LoadSample(String("blip.wav"));
    device->PlaySample(blip, 2, 1);
    device->PlaySample(blip, 4, 1);
    device->PauseChannel(2);
    device->Suspend();
    ALint state = 0;
    alGetSourcei(device->channels[4].source, AL_SOURCE_STATE, &state);
    EXPECT_EQ(state, AL_PAUSED);
    device->Resume();
    alGetSourcei(device->channels[4].source, AL_SOURCE_STATE, &state);
    EXPECT_EQ(state, AL_PLAYING);
    alGetSourcei(device->channels[2].source, AL_SOURCE_STATE, &state);
    EXPECT_EQ(state, AL_PAUSED);
    device->StopChannel(2);
    device->StopChannel(4);
}

// OpenAL refuses to delete a buffer a source still holds; the flush must
// keep it pending, not lose it, and delete it once the sound has ended.
TEST_F(OpenAlNullTest, DiscardedBufferOutlivesItsSoundThenIsDeleted) {
    gxtkSample* blip = device->LoadSample(String("blip.wav"));
    ALuint buffer = blip->buffer;
    ASSERT_TRUE(alIsBuffer(buffer));
    device->PlaySample(blip, 5, 0);
    blip->Discard();
    FlushDiscarded();
    EXPECT_TRUE(alIsBuffer(buffer));
    ASSERT_EQ(DiscardedBuffers().size(), 1u);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the 0.1 s sound is over
    FlushDiscarded();
    EXPECT_TRUE(DiscardedBuffers().empty());
    EXPECT_FALSE(alIsBuffer(buffer));
}

}  // namespace
