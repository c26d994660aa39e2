// What the player hears: a child process opens the real OpenAL Soft with its
// wave backend (a config file naming drivers=wave and an output file), plays
// a tone at full volume and normal rate, then the same tone at half volume
// and double rate, and exits through exit() as the game does. The parent
// reads the captured WAV: the header must be complete (the device was closed
// at exit) and each tone must sit at the right time with the right
// loudness and pitch.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "audio/audio_device.h"
#include "tests/unit/audio/wav_builder.h"
#include "tests/unit/audio/wav_host.h"

namespace {

constexpr int kSourceHertz = 22050;
constexpr double kToneHertz = 500.0;
constexpr double kToneSeconds = 0.3;
constexpr double kFirstStart = 0.2;   // seconds after the device opened
constexpr double kSecondStart = 0.7;
constexpr double kChildSeconds = 1.1;

// ---- The child: the device as the game drives it ----

void SleepUntil(std::chrono::steady_clock::time_point start, double seconds) {
    std::this_thread::sleep_until(start + std::chrono::duration<double>(seconds));
}

[[noreturn]] void PlayTonesAndExit(const std::string& config) {
    unsetenv("ALSOFT_DRIVERS");  // the config file chooses the backend
    setenv("ALSOFT_CONF", config.c_str(), 1);
    static WavHost host;
    WavLayout tone;
    tone.channels = 1;
    tone.hertz = kSourceHertz;
    tone.data = SinePcm16(static_cast<int>(kToneSeconds * kSourceHertz), 1, kToneHertz,
                          kSourceHertz, 0.5);
    host.files["tone.wav"] = BuildWav(tone);
    auto* device = new gxtkAudio();
    auto start = std::chrono::steady_clock::now();
    gxtkSample* sample = device->LoadSample(String("tone.wav"));
    if (!sample) std::exit(3);
    SleepUntil(start, kFirstStart);
    device->PlaySample(sample, 0, 0);
    SleepUntil(start, kSecondStart);
    device->SetVolume(1, 0.5f);
    device->SetRate(1, 2.0f);
    device->PlaySample(sample, 1, 0);
    SleepUntil(start, kChildSeconds);
    std::exit(0);  // the device's exit handler closes OpenAL and completes the file
}

// ---- The parent: reading and measuring the capture ----

uint32_t LittleEndian(const std::vector<unsigned char>& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) value |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
    return value;
}

struct Capture {
    int channels = 0;
    int hertz = 0;
    std::vector<double> left;  // first channel, -1..1
    bool headerComplete = false;
};

// The wave writer's layout: RIFF, WAVE, an (extensible) "fmt ", then "data".
Capture ReadCapture(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), {});
    Capture capture;
    if (bytes.size() < 44 || std::memcmp(bytes.data(), "RIFF", 4) != 0) return capture;
    bool riffComplete = LittleEndian(bytes, 4, 4) == bytes.size() - 8;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        uint32_t size = LittleEndian(bytes, at + 4, 4);
        if (std::memcmp(&bytes[at], "fmt ", 4) == 0) {
            capture.channels = static_cast<int>(LittleEndian(bytes, at + 10, 2));
            capture.hertz = static_cast<int>(LittleEndian(bytes, at + 12, 4));
        } else if (std::memcmp(&bytes[at], "data", 4) == 0) {
            capture.headerComplete = riffComplete && size == bytes.size() - at - 8;
            size_t frameBytes = 2 * static_cast<size_t>(capture.channels);
            for (size_t frame = at + 8; frame + frameBytes <= bytes.size(); frame += frameBytes) {
                capture.left.push_back(static_cast<int16_t>(LittleEndian(bytes, frame, 2)) / 32768.0);
            }
            break;
        }
        at += 8 + size;
    }
    return capture;
}

struct Tone {
    double start, seconds, hertz, rms;
};

// Stretches of sound, found from 5 ms windows louder than a floor; gaps
// shorter than 20 ms do not split a tone (its zero crossings are quiet).
std::vector<Tone> FindTones(const Capture& capture) {
    const size_t window = static_cast<size_t>(capture.hertz) / 200;
    std::vector<std::pair<size_t, size_t>> spans;
    for (size_t at = 0; at + window <= capture.left.size(); at += window) {
        double peak = 0;
        for (size_t i = at; i < at + window; ++i) peak = std::max(peak, std::fabs(capture.left[i]));
        if (peak < 0.02) continue;
        if (!spans.empty() && at - spans.back().second <= 4 * window) {
            spans.back().second = at + window;
        } else {
            spans.push_back({at, at + window});
        }
    }
    std::vector<Tone> tones;
    for (auto [begin, end] : spans) {
        // Measure inside the tone, away from its edges.
        size_t margin = (end - begin) / 10;
        size_t crossings = 0;
        double energy = 0;
        for (size_t i = begin + margin; i < end - margin; ++i) {
            energy += capture.left[i] * capture.left[i];
            if ((capture.left[i - 1] < 0) != (capture.left[i] < 0)) ++crossings;
        }
        double measured = static_cast<double>(end - begin - 2 * margin) / capture.hertz;
        tones.push_back({static_cast<double>(begin) / capture.hertz,
                         static_cast<double>(end - begin) / capture.hertz,
                         crossings / 2.0 / measured,
                         std::sqrt(energy / static_cast<double>(end - begin - 2 * margin))});
    }
    return tones;
}

class OpenAlCaptureTest : public testing::Test {
protected:
    void SetUp() override {
        directory = testing::TempDir() + "flingaroo_capture_" + std::to_string(getpid()) + "/";
        std::system(("mkdir -p " + directory).c_str());
        config = directory + "alsoft.conf";
        output = directory + "out.wav";
        std::ofstream(config) << "[general]\ndrivers=wave\nsample-type=int16\nfrequency=44100\n"
                              << "[wave]\nfile=" << output << "\n";
    }
    void TearDown() override { std::system(("rm -rf " + directory).c_str()); }

    std::string directory, config, output;
};

TEST_F(OpenAlCaptureTest, TonesAppearAtTheirTimeVolumeAndPitch) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) PlayTonesAndExit(config);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;

    Capture capture = ReadCapture(output);
    ASSERT_EQ(capture.hertz, 44100);
    EXPECT_TRUE(capture.headerComplete) << "the device was not closed at exit";
    EXPECT_NEAR(capture.left.size() / 44100.0, kChildSeconds, 0.15);

    std::vector<Tone> tones = FindTones(capture);
    ASSERT_EQ(tones.size(), 2u);
    const Tone& normal = tones[0];
    const Tone& fast = tones[1];
    EXPECT_NEAR(normal.start, kFirstStart, 0.08);
    EXPECT_NEAR(fast.start - normal.start, kSecondStart - kFirstStart, 0.05);
    EXPECT_NEAR(normal.seconds, kToneSeconds, 0.03);
    EXPECT_NEAR(fast.seconds, kToneSeconds / 2, 0.03);      // rate 2 plays it in half the time
    EXPECT_NEAR(normal.hertz, kToneHertz, kToneHertz * 0.02);
    EXPECT_NEAR(fast.hertz, 2 * kToneHertz, kToneHertz * 0.04);  // and an octave up
    EXPECT_NEAR(fast.rms / normal.rms, 0.5, 0.05);           // volume 0.5 halves the amplitude
    // A tone of amplitude 0.5 (RMS 0.354) at full volume, shared by two
    // speakers from straight ahead: each carries a little over half of it.
    EXPECT_GT(normal.rms, 0.17);
    EXPECT_LT(normal.rms, 0.27);
}

}  // namespace
