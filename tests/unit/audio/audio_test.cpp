// The audio device and module against the fake OpenAL: opening, channel
// states, source stealing, the deferred deletion of buffers, what the game
// calls; and the sound files they load through the host's decoders: WAV
// shapes, headers that lie, extensions, and Ogg Vorbis.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>

#include "audio/audio_module.h"
#include "host/decode/audio_decoders.h"
#include "tests/fakes/al/fake_al.h"
#include "tests/support/collector.h"
#include "tests/support/test_host.h"

namespace {

constexpr int kHertz = 22050;

// A PCM WAV file: "RIFF", "WAVE", "fmt " (16 bytes and `fmtExtraBytes` more),
// the raw chunks of `beforeData`, then "data". In the plain file the format
// tag is at byte 20, the channels at 22, the bits at 34, "data" at 36 and
// its size at 40.
std::string Wav(int dataBytes, int channels = 2, int bits = 16, int fmtExtraBytes = 0, const std::string& beforeData = "") {
    // Little-endian fields, as this machine holds its integers.
    auto bytes = [](size_t value, int count) { return std::string(reinterpret_cast<const char*>(&value), count); };
    return "RIFF" + bytes(36 + fmtExtraBytes + beforeData.size() + dataBytes, 4) + "WAVEfmt " + bytes(16 + fmtExtraBytes, 4) +
           bytes(1, 2) + bytes(channels, 2) + bytes(kHertz, 4) + bytes(kHertz * channels * bits / 8, 4) +
           bytes(channels * bits / 8, 2) + bytes(bits, 2) + std::string(fmtExtraBytes, 'x') + beforeData + "data" +
           bytes(dataBytes, 4) + std::string(dataBytes, '\0');
}

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Each test runs in a directory of its own, where kestrel://data/ is ./data/.
class AudioTest : public testing::Test {
protected:
    void SetUp() override {
        [[maybe_unused]] static bool rooted = (nx_audio_init(), true);  // the module's device is a root
        ASSERT_EQ(chdir(mkdtemp(directory.data())), 0);
        std::filesystem::create_directory("data");
        Write("data/beep.wav", Wav(400));
        fake_al::Reset();
        DiscardedBuffers().clear();
        nx_audio_SetAudioDevice(device = new gxtkAudio());
        beep = device->LoadSample(String("kestrel://data/beep.wav"));
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    gxtkSample* Load(const char* path) { return device->LoadSample(String(path)); }
    ALuint SourceOf(int channel) { return device->channels[channel].source; }
    fake_al::Source& AlSource(int channel) { return fake_al::state().sources.at(SourceOf(channel)); }
    // The bytes in a sample's queued buffers: all of them and the largest one.
    static std::pair<int, int> QueuedBytes(const gxtkSample* sample) {
        std::pair<int, int> bytes;
        for (ALuint buffer : sample->queue) {
            const int size = fake_al::state().buffers.at(buffer).size;
            bytes = {bytes.first + size, std::max(bytes.second, size)};
        }
        return bytes;
    }

    std::string directory = testing::TempDir() + "flingaroo_audio_XXXXXX";
    TestHost host;
    gxtkAudio* device = nullptr;
    gxtkSample* beep = nullptr;
};

// Without attenuation the source position only pans. A machine without a
// sound card plays on silently, having said on standard error which step
// failed, why and on which device.
TEST_F(AudioTest, OpensWithoutAttenuationOrPrintsTheFailedStepAndPlaysOnSilently) {
    EXPECT_EQ(fake_al::state().distanceModel, AL_NONE);
    for (auto [ok, name] : {std::pair{&fake_al::State::openDeviceOk, "alcOpenDevice failed: Invalid Value"},
                            {&fake_al::State::createContextOk, "alcCreateContext failed: Invalid Device"},
                            {&fake_al::State::makeContextCurrentOk, "alcMakeContextCurrent failed: Invalid Context"}}) {
        fake_al::Reset(), fake_al::state().*ok = false;
        testing::internal::CaptureStderr();
        device = new gxtkAudio();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "OpenAl error: " + std::string(name) + " (Fake Device)\n");
        EXPECT_EQ(device->PlaySample(Load("data/beep.wav"), 0, 0), -1) << name;
    }
}

// The program leaves through exit(), and OpenAL Soft's wave writer completes
// its file only on close. The reporter, registered before the device, runs
// after its exit handler. (No fixture: the death test's fresh process must
// open its first device after the reporter.)
TEST(AudioExitTest, ClosesContextAndDeviceWhenTheProgramExits) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto report = [] { std::fprintf(stderr, "closed %d, %d\n", fake_al::state().contextsDestroyed, fake_al::state().devicesClosed); };
    EXPECT_EXIT((std::atexit(report), new gxtkAudio(), std::exit(0)), testing::ExitedWithCode(0), "closed 1, 1");
}

// After each step: the channel's state as the game sees it, its source's as
// OpenAL does, and whether the whole device is paused (its mixer idles while
// the game is suspended). Channel 0 plays once, 1 and 2 loop.
TEST_F(AudioTest, ChannelStatesFollowTheGameTheSoundsAndTheSuspends) {
    using Row = std::tuple<std::function<void()>, int, int, ALint, bool>;
    const Row rows[] = {
        {[&] { device->PlaySample(beep, 0, 0); }, 0, kChannelPlaying, AL_PLAYING, false},
        {[&] { fake_al::state().EndSound(SourceOf(0)); }, 0, kChannelStopped, AL_STOPPED, false},
        {[&] { device->PlaySample(beep, 1, 1); }, 1, kChannelPlaying, AL_PLAYING, false},
        {[&] { device->PauseChannel(1); }, 1, kChannelPaused, AL_PAUSED, false},
        {[&] { device->Suspend(); }, 1, kChannelPaused, AL_PAUSED, true},
        {[&] { device->Resume(); }, 1, kChannelPaused, AL_PAUSED, false},  // the game's pause stays
        {[&] { device->ResumeChannel(1); }, 1, kChannelPlaying, AL_PLAYING, false},
        {[&] { device->Suspend(); }, 1, kChannelPlaying, AL_PAUSED, true},  // only the source pauses
        {[&] { device->Resume(); }, 1, kChannelPlaying, AL_PLAYING, false},
        {[&] { device->StopChannel(1); }, 1, kChannelStopped, AL_STOPPED, false},
        {[&] { device->ResumeChannel(1); }, 1, kChannelStopped, AL_STOPPED, false},
        // A sound that ended unnoticed is stopped by a pause, not paused.
        {[&] { device->PlaySample(beep, 2, 1), fake_al::state().EndSound(SourceOf(2)), device->PauseChannel(2); },
         2, kChannelStopped, AL_STOPPED, false},
    };
    int index = 0;
    for (const auto& [step, channel, state, source, devicePaused] : rows) {
        step();
        EXPECT_EQ(std::make_tuple(device->ChannelState(channel), AlSource(channel).state, fake_al::state().devicePaused),
                  std::make_tuple(state, source, devicePaused)) << "step " << index++;
    }
    EXPECT_EQ(std::make_pair(AlSource(0).looping, AlSource(1).looping), std::make_pair(AL_FALSE, AL_TRUE));
}

// Numbers outside 0-32 and null samples come from callers' mistakes; they
// must never reach past the channel table (run under AddressSanitizer in CI).
TEST_F(AudioTest, RejectsChannelsOutsideTheTableAndNullSamples) {
    for (int channel : {-1, kAudioChannels, -2147483647 - 1}) {
        EXPECT_EQ(std::make_pair(device->PlaySample(beep, channel, 0), device->ChannelState(channel)), std::make_pair(-1, 0));
        for (auto call : {&gxtkAudio::StopChannel, &gxtkAudio::PauseChannel, &gxtkAudio::ResumeChannel}) (device->*call)(channel);
    }
    EXPECT_EQ(device->PlaySample(nullptr, 0, 0), -1);
}

// With room for the music source and channels 0-8, later channels take the
// source of the lowest stopped effect channel; a paused one counts as busy
// and the music channel never gives its source away.
TEST_F(AudioTest, WhenOpenAlRefusesMoreSourcesAStoppedChannelGivesItsSourceUp) {
    fake_al::state().sourceLimit = 10;
    for (int channel = 0; channel <= 8; ++channel) ASSERT_EQ(device->PlaySample(beep, channel, 1), 0);
    device->PauseChannel(1);
    device->StopChannel(7);
    fake_al::state().EndSound(SourceOf(5));
    const ALuint fifth = SourceOf(5), seventh = SourceOf(7);
    device->PlaySample(beep, 9, 0), device->PlaySample(beep, 10, 0);
    EXPECT_EQ(std::make_tuple(SourceOf(9), SourceOf(10), SourceOf(5)), std::make_tuple(fifth, seventh, 0u));
    EXPECT_EQ(device->PlaySample(beep, 11, 0), -1);
}

// Only whole frames count, the fmt chunk's extra bytes and other chunks are
// skipped, and shapes OpenAL cannot play leave the buffer empty (a silent
// sample, not a failure).
TEST_F(AudioTest, UploadsEachWavInItsOpenAlFormat) {
    struct Row { int channels, bits, fmtExtraBytes, dataBytes; std::string beforeData; ALenum format; int size; };
    for (const Row& row : {Row{2, 16, 0, 70000, "", AL_FORMAT_STEREO16, 70000}, Row{1, 16, 0, 403, "", AL_FORMAT_MONO16, 402},
                           Row{2, 8, 0, 403, "", AL_FORMAT_STEREO8, 402}, Row{1, 8, 2, 400, "", AL_FORMAT_MONO8, 400},
                           Row{2, 16, 0, 400, std::string("LIST\4\0\0\0abcd", 12), AL_FORMAT_STEREO16, 400},
                           Row{2, 24, 0, 600, "", 0, 0}, Row{6, 16, 0, 1200, "", 0, 0}}) {
        Write("shape.wav", Wav(row.dataBytes, row.channels, row.bits, row.fmtExtraBytes, row.beforeData));
        const fake_al::Buffer& buffer = fake_al::state().buffers.at(Load("shape.wav")->buffer);
        EXPECT_EQ(std::make_tuple(buffer.format, buffer.size, buffer.frequency), std::make_tuple(row.format, row.size, row.format ? kHertz : 0))
            << row.channels << " channels of " << row.bits << " bits";
    }
}

// Each row keeps the first `keep` bytes of a valid file and writes `bytes` at
// `at`. Sizes that lie are refused from the file's size, never found out by
// allocating or reading that much.
TEST_F(AudioTest, WavReaderRefusesEveryMalformedFile) {
    struct Row { const char* name; size_t keep, at; std::string bytes; };
    const std::string valid = Wav(64), lie = "\xF0\xFF\xFF";
    const size_t all = valid.size();
    for (const Row& row : {Row{"Empty", 0, 0, ""}, Row{"NotRiff", all, 0, "X"}, Row{"NotWave", all, 8, "X"}, Row{"FmtNotFirst", all, 12, "X"},
                           Row{"FmtSizeTwoGigabytes", all, 19, "\x7F"}, Row{"FloatingPoint", all, 20, "\3"},
                           Row{"ZeroChannels", all, 22, std::string(1, '\0')}, Row{"FourBitSamples", all, 34, "\4"},
                           Row{"CutInsideTheHeader", 30, 0, ""}, Row{"NoDataChunk", 36, 0, ""}, Row{"DataTagInOtherCase", all, 36, "DAta"},
                           Row{"DataSizeTwoGigabytes", all, 40, lie + "\x7F"}, Row{"DataSizeFourGigabytes", all, 40, lie + "\xFF"},
                           Row{"CutInsideTheData", all - 1, 0, ""}}) {
        Write("bad.wav", valid.substr(0, row.keep).replace(row.at, row.bytes.size(), row.bytes));
        EXPECT_EQ(Load("bad.wav"), nullptr) << row.name;
    }
}

// Decoded bytes count toward the next collection; every file is closed; a
// FIFO is refused at once, never waited on for a writer. The
// Ogg file's three seconds of stereo (made by oggenc, which the project
// installs) outgrow the decoder's first buffer many times over.
TEST_F(AudioTest, DecodersAreChosenByExtensionInAnyCaseAndCloseEveryFile) {
    Write("LOUD.WAV", Wav(400)), Write("song.mp3", Wav(400)), Write("noise.ogg", std::string(5000, 'Z'));
    Write("long.wav", Wav(3 * kHertz * 4));
    ASSERT_EQ(std::system("oggenc -Q long.wav && mkfifo pipe.wav pipe.ogg"), 0);
    auto openFiles = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
    const auto open = openFiles();
    const int before = gc_ext_new_bytes;
    EXPECT_NE(Load("LOUD.WAV"), nullptr);
    EXPECT_EQ(gc_ext_new_bytes - before, 400);
    for (const char* refused : {"song.mp3", "noise.ogg", "missing.wav", "pipe.wav", "pipe.ogg"}) EXPECT_EQ(Load(refused), nullptr) << refused;
    const fake_al::Buffer& ogg = fake_al::state().buffers.at(Load("long.ogg")->buffer);
    EXPECT_EQ(std::make_tuple(ogg.format, ogg.size, ogg.frequency), std::make_tuple(AL_FORMAT_STEREO16, 3 * kHertz * 4, kHertz));
    // In slices: a buffer per slice, as soon as it is decoded. One left unfinished closes its file when collected.
    gxtkSample* sliced = device->StartLoadingSample(String("long.ogg"));
    const std::tuple<int, size_t, int> slices{device->ContinueLoadingSample(sliced, kHertz / 2), sliced->queue.size(), device->ContinueLoadingSample(sliced, 3 * kHertz)};
    EXPECT_EQ(std::make_tuple(slices, sliced->queue.size(), QueuedBytes(sliced).first, device->StartLoadingSample(String("noise.ogg"))),
              std::make_tuple(std::make_tuple(0, size_t{1}, 1), size_t{2}, 3 * kHertz * 4, nullptr));
    device->StartLoadingSample(String("long.ogg")), CollectEverythingUnreachable();
    EXPECT_EQ(openFiles(), open);
}

// A sound longer than its cap keeps its beginning, in whole sample frames: 30 s
// of 48 kHz stereo (5,760,000 bytes) when loaded whole, as effects are; 10
// minutes (115,200,000 bytes) when loaded in slices, as tunes are, each slice
// reading only the frames asked for into a buffer of its own (no upload holds
// up an update). The tune loops as one queue; discarded, all its buffers go
// once its source has stopped. The long tune's header tells the truth: the
// file is sparse, its samples cost no disk. Ogg streams are cut the same way,
// within a Vorbis frame.
TEST_F(AudioTest, LongSoundsKeepTheirBeginningUpToTheirCapAndTunesLoopAQueueOfSmallBuffers) {
    const int32_t tuneBytes = 11 * 60 * 192000;
    Write("effect.wav", Wav(6000000)), Write("tune.wav", Wav(0).replace(40, 4, reinterpret_cast<const char*>(&tuneBytes), 4));
    std::filesystem::resize_file("tune.wav", 44 + tuneBytes);
    Write("long.wav", Wav(3 * kHertz * 4));
    ASSERT_EQ(std::system("oggenc -Q long.wav"), 0);
    EXPECT_EQ(fake_al::state().buffers.at(Load("effect.wav")->buffer).size, 5760000);
    gxtkSample* tune = device->StartLoadingSample(String("tune.wav"));
    int slices = 1;
    while (device->ContinueLoadingSample(tune, 10 * kHertz) == 0) ++slices;
    EXPECT_EQ(std::make_tuple(slices, tune->queue.size(), QueuedBytes(tune)), std::make_tuple(131, size_t{131}, std::pair(115200000, 882000))) << "slices of 882,000 bytes";
    device->PlaySample(tune, kMusicChannel, 1);
    EXPECT_EQ(std::make_tuple(AlSource(kMusicChannel).queue, AlSource(kMusicChannel).looping, AlSource(kMusicChannel).state), std::make_tuple(tune->queue, AL_TRUE, AL_PLAYING));
    const std::vector<unsigned int> buffers = tune->queue;
    tune->Discard(), FlushDiscarded();
    EXPECT_EQ(std::make_pair(DiscardedBuffers(), fake_al::state().buffers.count(buffers.back())), std::make_pair(buffers, size_t{1})) << "held while it plays";
    device->StopChannel(kMusicChannel), FlushDiscarded();
    EXPECT_EQ(std::make_pair(DiscardedBuffers().size(), fake_al::state().buffers.size()), std::make_pair(size_t{0}, size_t{2})) << "only the beep's and the effect's left";
    for (const char* path : {"long.wav", "long.ogg"}) {
        NxAudioDecoding* decoding = nx_host_BeginAudioDecoding(std::fopen(path, "rb"), String(path), 1001 * 4 + 3);
        int length = 0, channels = 0, format = 0, hertz = 0;
        decoding->Continue(INT_MAX);
        std::free(decoding->Take(&length, &channels, &format, &hertz));
        delete decoding;
        EXPECT_EQ(length, 1001) << path;
    }
}

// The collector keeps a playing sample and destroys a finished one, which
// discards its buffer. OpenAL refuses to delete a buffer a source still
// holds, so a discarded buffer waits until its sound has ended or been
// stopped, and goes at a later flush.
TEST_F(AudioTest, BuffersOfDiscardedSamplesGoOnceNoSourceHoldsThem) {
    CollectEverythingUnreachable();  // earlier samples (this test's beep too), whose buffer names repeat
    DiscardedBuffers().clear();
    gxtkSample* playing = Load("data/beep.wav");
    gxtkSample* finished = Load("data/beep.wav");
    const unsigned int playingBuffer = playing->buffer, finishedBuffer = finished->buffer;
    device->PlaySample(playing, 0, 1), device->PlaySample(finished, 1, 0);
    fake_al::state().EndSound(SourceOf(1));
    EXPECT_EQ(CollectEverythingUnreachable(), "Discarding sample\n");
    EXPECT_EQ(std::make_tuple(DiscardedBuffers(), device->channels[0].sample, device->channels[1].sample),
              std::make_tuple(std::vector<unsigned int>{finishedBuffer}, playing, nullptr)) << "no record points at it";
    playing->Discard();
    FlushDiscarded();
    EXPECT_EQ(std::make_tuple(DiscardedBuffers(), playing->buffer, fake_al::state().buffers.count(finishedBuffer)),
              std::make_tuple(std::vector<unsigned int>{playingBuffer}, 0u, size_t{0}));
    device->StopChannel(0);
    Load("data/beep.wav");  // loading flushes
    EXPECT_EQ(std::make_pair(DiscardedBuffers().size(), fake_al::state().buffers.count(playingBuffer)), std::make_pair(size_t{0}, size_t{0}));
}

// Settings made before a play stay on the channel. The pan is an angle: 1 is
// about 57 degrees to the right, at distance 1. Music loops a whole file on
// its own channel. Before the delegate installs the device, calls do nothing.
TEST_F(AudioTest, ModulePlaysSoundsAndMusicFromTheDataDirectoryWithTheirSettings) {
    c_Sound* sound = nx_audio_LoadSound(String("beep.wav"));
    EXPECT_EQ(nx_audio_LoadSound(String("missing.wav")), nullptr);
    nx_audio_SetChannelVolume(3, 0.25f), nx_audio_SetChannelRate(3, 2.0f);
    nx_audio_PlaySound(sound, 3, 1), nx_audio_SetChannelPan(3, 1.0f);
    const fake_al::Source& source = AlSource(3);
    EXPECT_EQ(std::make_tuple(source.buffer, source.looping, source.gain, source.pitch), std::make_tuple(sound->m_sample->buffer, AL_TRUE, 0.25f, 2.0f));
    EXPECT_NEAR(source.position[0], 0.841f, 1e-3);
    EXPECT_NEAR(source.position[2], -0.540f, 1e-3);
    nx_audio_StopChannel(3);
    EXPECT_EQ(device->ChannelState(3), kChannelStopped);
    EXPECT_EQ(nx_audio_PlayMusic(String("beep.wav"), 1), 0);
    nx_audio_SetMusicVolume(0.5f), nx_audio_PauseMusic();
    EXPECT_EQ(std::make_tuple(nx_audio_MusicState(), AlSource(kMusicChannel).looping, AlSource(kMusicChannel).gain),
              std::make_tuple(kChannelPaused, AL_TRUE, 0.5f));
    nx_audio_ResumeMusic();
    EXPECT_EQ(nx_audio_MusicState(), kChannelPlaying);
    EXPECT_EQ(nx_audio_PlayMusic(String("missing.wav"), 1), -1);
    EXPECT_EQ(nx_audio_MusicState(), kChannelStopped) << "the old music stopped all the same";
    nx_audio_device = nullptr;
    EXPECT_EQ(std::make_tuple(nx_audio_LoadSound(String("beep.wav")), nx_audio_PlayMusic(String("beep.wav"), 0), nx_audio_MusicState()), std::make_tuple(nullptr, -1, 0));
    for (auto set : {nx_audio_SetChannelVolume, nx_audio_SetChannelPan, nx_audio_SetChannelRate}) set(0, 1);
    for (auto call : {nx_audio_StopMusic, nx_audio_PauseMusic, nx_audio_ResumeMusic}) call();
    nx_audio_StopChannel(0), nx_audio_SetMusicVolume(1), nx_audio_PlaySound(sound, 0, 0);
}

}  // namespace
