// The audio module over the device and the fake OpenAL: what the game calls.
#include <gtest/gtest.h>

#include "audio/audio_module.h"
#include "tests/fakes/al/fake_al.h"
#include "tests/unit/audio/audio_test_host.h"

namespace {

class AudioModuleTest : public testing::Test {
protected:
    void SetUp() override {
        static bool initialised = false;
        if (!initialised) nx_audio_init();
        initialised = true;
        fake_al::Reset();
        host.sounds["kestrel://data/sfx/hit.wav"] = {100, 1, 2, 22050};
        nx_audio_SetAudioDevice(new gxtkAudio());
        fake_al::state().calls.clear();
    }
    void TearDown() override { nx_audio_device = nullptr; }

    fake_al::Source& AlSource(int channel) {
        return fake_al::state().sources.at(nx_audio_device->channels[channel].source);
    }

    AudioTestHost host;
};

TEST_F(AudioModuleTest, LoadsSoundsFromTheDataDirectory) {
    c_Sound* sound = nx_audio_LoadSound(String("sfx/hit.wav"));
    ASSERT_NE(sound, nullptr);
    EXPECT_NE(sound->m_sample, nullptr);
    EXPECT_EQ(host.requested.back(), "kestrel://data/sfx/hit.wav");
    EXPECT_EQ(nx_audio_LoadSound(String("sfx/missing.wav")), nullptr);
}

TEST_F(AudioModuleTest, NullSoundsAndSoundsWithoutSamplePlayNothing) {
    nx_audio_PlaySound(nullptr, 0, 0);
    nx_audio_PlaySound((new c_Sound())->m_new2(), 0, 0);
    EXPECT_TRUE(fake_al::state().calls.empty());
    EXPECT_EQ(nx_audio_device->ChannelState(0), kChannelStopped);
}

TEST_F(AudioModuleTest, SettingsRightAfterPlayingChangeTheSoundJustStarted) {
    c_Sound* sound = nx_audio_LoadSound(String("sfx/hit.wav"));
    nx_audio_PlaySound(sound, 3, 1);
    nx_audio_SetChannelVolume(3, 0.3f);
    nx_audio_SetChannelPan(3, -1.0f);
    nx_audio_SetChannelRate(3, 1.5f);
    EXPECT_EQ(AlSource(3).state, AL_PLAYING);
    EXPECT_EQ(AlSource(3).looping, AL_TRUE);
    EXPECT_FLOAT_EQ(AlSource(3).gain, 0.3f);
    EXPECT_NEAR(AlSource(3).position[0], -0.841f, 1e-3);
    EXPECT_FLOAT_EQ(AlSource(3).pitch, 1.5f);
    nx_audio_StopChannel(3);
    EXPECT_EQ(AlSource(3).state, AL_STOPPED);
}

// Before the delegate installs the device nothing may crash.
TEST_F(AudioModuleTest, CallsBeforeTheDeviceExistsAreIgnored) {
    nx_audio_device = nullptr;
    EXPECT_EQ(nx_audio_LoadSound(String("sfx/hit.wav")), nullptr);
    nx_audio_StopChannel(0);
    nx_audio_SetChannelVolume(0, 1.0f);
    EXPECT_EQ(nx_audio_PlayMusic(String("music/theme.wav"), 0), -1);
    EXPECT_EQ(nx_audio_MusicState(), kChannelStopped);
}

}  // namespace
