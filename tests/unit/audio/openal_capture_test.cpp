// What the player hears, on the real OpenAL Soft with its wave backend (a
// config file naming drivers=wave and an output file). A child process plays
// a 500 Hz tone at full volume and normal rate; once it has ended, 0.1 s of
// silence; once that has ended, the same tone at half volume and double rate;
// then it exits through exit() as the game does. The parent reads the
// capture: complete (the device was closed at exit), with each tone at the
// right time, length, loudness and pitch.
#include <AL/al.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <regex>

#include "audio/audio_device.h"

namespace {

constexpr double kToneHertz = 500, kToneSeconds = 0.3, kGapSeconds = 0.1;
constexpr int kSourceHertz = 22050, kCaptureHertz = 44100, kWindow = kCaptureHertz / 200;  // 5 ms

[[noreturn]] void PlayTonesAndExit(const std::string& config) {
    setenv("ALSOFT_CONF", config.c_str(), 1);
    auto* device = new gxtkAudio();
    // 16-bit mono samples, played on the channel until they have ended (a
    // sound that never ends shows in the capture).
    auto playToItsEnd = [device](const std::vector<int16_t>& samples, int channel) {
        ALuint buffer = 0;
        alGenBuffers(1, &buffer);
        alBufferData(buffer, AL_FORMAT_MONO16, samples.data(), samples.size() * 2, kSourceHertz);
        device->PlaySample(new gxtkSample(buffer), channel, 0);
        for (int ms = 0; ms < 2000 && device->ChannelState(channel) == kChannelPlaying; ++ms) usleep(1000);
    };
    std::vector<int16_t> tone(kToneSeconds * kSourceHertz), gap(kGapSeconds * kSourceHertz);
    for (size_t i = 0; i < tone.size(); ++i) tone[i] = int(i * 2 * kToneHertz / kSourceHertz) % 2 ? 0x2000 : -0x2000;
    playToItsEnd(tone, 0);  // a square wave of amplitude 0.25
    playToItsEnd(gap, 1);
    device->SetVolume(2, 0.5f);
    device->SetRate(2, 2.0f);
    playToItsEnd(tone, 2);
    std::exit(0);  // the device's exit handler closes OpenAL, which completes the file
}

uint32_t LittleEndian(const std::string& bytes, size_t at) {
    return uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8 | uint8_t(bytes[at + 2]) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
}

// The pitch (from zero crossings) and RMS of the 5 ms windows [from, to).
std::pair<double, double> Measure(const std::vector<double>& wave, size_t from, size_t to) {
    double crossings = 0, energy = 0;
    for (size_t i = from * kWindow + 1; i < to * kWindow; ++i) crossings += (wave[i - 1] < 0) != (wave[i] < 0), energy += wave[i] * wave[i];
    return {crossings / 2 / ((to - from) / 200.0), std::sqrt(energy / ((to - from) * kWindow))};
}

TEST(OpenAlCaptureTest, TonesAppearAtTheirTimeLengthVolumeAndPitch) {
    const std::string file = testing::TempDir() + "flingaroo_capture_" + std::to_string(getpid());
    std::ofstream(file + ".conf") << "[general]\ndrivers=wave\nsample-type=int16\nfrequency=" << kCaptureHertz << "\n[wave]\nfile=" << file << ".wav\n";
    if (fork() == 0) PlayTonesAndExit(file + ".conf");
    int status = -1;
    wait(&status);
    std::ifstream capture(file + ".wav", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(capture)), {});
    std::remove((file + ".conf").c_str()), std::remove((file + ".wav").c_str());
    ASSERT_EQ(status, 0) << "the child did not exit normally";
    // The writer fills in the size of "data" only when the device closes.
    const size_t data = bytes.find("data") + 8;
    ASSERT_TRUE(data <= bytes.size() && LittleEndian(bytes, data - 4) == bytes.size() - data) << "the device was not closed at exit";
    std::vector<double> wave;  // the left channel of 16-bit stereo
    for (size_t at = data; at + 4 <= bytes.size(); at += 4) wave.push_back(static_cast<int16_t>(LittleEndian(bytes, at) & 0xFFFF) / 32768.0);
    std::string windows;  // '#' for sound, '.' for silence; the end is silent
    for (size_t at = 0; at + 1 < wave.size() / kWindow; ++at) windows += Measure(wave, at, at + 1).second > 0.01 ? '#' : '.';
    windows += '.';
    std::smatch parts;  // lengths in windows of 5 ms
    ASSERT_TRUE(std::regex_match(windows, parts, std::regex("(\\.*)(#+)(\\.+)(#+)(\\.+)"))) << windows;
    // The backend writes in real time from the moment the device opens, so a
    // loaded machine that is slow to reach the first play shows as silence.
    EXPECT_LT(parts.length(1) / 200.0, 0.3) << "played as soon as the device was open";
    EXPECT_NEAR(parts.length(2) / 200.0, kToneSeconds, 0.03);
    EXPECT_NEAR(parts.length(3) / 200.0, kGapSeconds + 0.04, 0.06) << "endings noticed at once";
    EXPECT_NEAR(parts.length(4) / 200.0, kToneSeconds / 2, 0.03);  // rate 2 plays it in half the time
    EXPECT_LT(parts.length(5) / 200.0, 0.2) << "exits once it has ended";
    // Pitch and loudness inside each tone, away from its edges.
    const auto [normalHertz, normalRms] = Measure(wave, parts.position(2) + 4, parts.position(3) - 4);
    const auto [fastHertz, fastRms] = Measure(wave, parts.position(4) + 4, parts.position(5) - 4);
    EXPECT_NEAR(normalHertz, kToneHertz, kToneHertz * 0.02);
    EXPECT_NEAR(fastHertz, 2 * kToneHertz, kToneHertz * 0.04);  // and an octave up
    EXPECT_NEAR(fastRms / normalRms, 0.5, 0.05);                // volume 0.5 halves the amplitude
    EXPECT_NEAR(normalRms, 0.15, 0.04);  // amplitude 0.25 from straight ahead, shared by two speakers
}

}  // namespace
