// Sound decoding: our WAV reader's chunk rules and its defences against
// headers that lie, the host's choice of decoder by extension, and Ogg Vorbis
// through stb_vorbis on files made by oggenc at test time.
#include <dirent.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "host/decode/audio_decoders.h"
#include "host/glfw/glfw_game.h"
#include "tests/unit/audio/wav_builder.h"

namespace {

struct Decoded {
    unsigned char* data = nullptr;
    int length = -7, channels = -7, format = -7, hertz = -7;
    ~Decoded() { std::free(data); }
};

void DecodeWav(const std::vector<unsigned char>& bytes, Decoded* out) {
    out->data = LoadWAVFromMemory(bytes.data(), bytes.size(), &out->length, &out->channels,
                                  &out->format, &out->hertz);
}

std::vector<unsigned char> Bytes(size_t count, unsigned char value = 0) {
    return std::vector<unsigned char>(count, value);
}

// ---- The WAV reader's chunk rules ----

TEST(WavReaderTest, SkipsAListChunkBeforeTheData) {
    WavLayout layout;
    layout.chunksBeforeData.push_back({"LIST", Bytes(26, 'L')});
    layout.data = SinePcm16(100, 2, 440, 22050, 0.5);
    Decoded wav;
    DecodeWav(BuildWav(layout), &wav);
    ASSERT_NE(wav.data, nullptr);
    EXPECT_EQ(wav.length, 100);  // 400 bytes / 4 bytes per frame
    EXPECT_EQ(wav.channels, 2);
    EXPECT_EQ(wav.format, 2);
    EXPECT_EQ(wav.hertz, 22050);
    EXPECT_EQ(std::memcmp(wav.data, layout.data.data(), layout.data.size()), 0);
}

TEST(WavReaderTest, SkipsTheExtraBytesOfALongFormatChunk) {
    WavLayout layout;
    layout.fmtExtraBytes = 2;
    layout.channels = 1;
    layout.bits = 8;
    layout.data = Bytes(50, 0x80);
    Decoded wav;
    DecodeWav(BuildWav(layout), &wav);
    ASSERT_NE(wav.data, nullptr);
    EXPECT_EQ(wav.length, 50);
    EXPECT_EQ(wav.format, 1);
    EXPECT_EQ(wav.data[0], 0x80);
}

TEST(WavReaderTest, LengthCountsOnlyWholeFrames) {
    WavLayout layout;
    layout.data = Bytes(403);
    Decoded wav;
    DecodeWav(BuildWav(layout), &wav);
    ASSERT_NE(wav.data, nullptr);
    EXPECT_EQ(wav.length, 100);
}

// Every way a file can fail to be a WAV we play gives null, with outputs untouched.
struct BadWav {
    const char* name;
    std::vector<unsigned char> bytes;
};

void PrintTo(const BadWav& bad, std::ostream* out) { *out << bad.name; }

std::vector<unsigned char> WithByte(std::vector<unsigned char> bytes, size_t at, unsigned char value) {
    bytes[at] = value;
    return bytes;
}

std::vector<unsigned char> Cut(std::vector<unsigned char> bytes, size_t keep) {
    bytes.resize(keep);
    return bytes;
}

std::vector<BadWav> BadWavs() {
    WavLayout good;
    good.data = Bytes(64);
    std::vector<unsigned char> valid = BuildWav(good);
    std::vector<BadWav> cases;
    auto add = [&](const char* name, std::vector<unsigned char> bytes) {
        cases.push_back({name, std::move(bytes)});
    };
    auto variant = [&](const char* name, auto change) {
        WavLayout layout = good;
        change(layout);
        add(name, BuildWav(layout));
    };
    add("Empty", {});
    add("NotRiff", WithByte(valid, 0, 'X'));
    add("NotWave", WithByte(valid, 8, 'X'));
    add("FmtNotFirst", WithByte(valid, 12, 'X'));
    variant("FloatingPoint", [](WavLayout& s) { s.formatTag = 3; });
    variant("ZeroChannels", [](WavLayout& s) { s.channels = 0; });
    variant("FourBitSamples", [](WavLayout& s) { s.bits = 4; });
    add("NoDataChunkAtAll", Cut(valid, 36));
    add("CutInsideTheHeader", Cut(valid, 30));
    add("CutInsideTheData", Cut(valid, valid.size() - 1));
    variant("DataSizeTwoGigabytes", [](WavLayout& s) { s.declaredDataBytes = 0x7FFFFFF0; });
    // The fmt size field lies: two gigabytes of extra fields.
    std::vector<unsigned char> bigFmt = valid;
    bigFmt[19] = 0x7F;
    add("FmtSizeTwoGigabytes", bigFmt);
    // A LIST chunk whose size reaches past the end of the file.
    WavLayout listLie = good;
    listLie.chunksBeforeData.push_back({"LIST", Bytes(4)});
    std::vector<unsigned char> listBytes = BuildWav(listLie);
    listBytes[40] = 0xF0;
    listBytes[41] = 0xFF;
    listBytes[42] = 0xFF;
    listBytes[43] = 0x7F;
    add("ListSizeTwoGigabytes", listBytes);
    // Tags are compared exactly: "DAta" is some other chunk.
    add("DataTagInOtherCase", WithByte(WithByte(valid, 36, 'D'), 37, 'A'));
    return cases;
}

class WavReaderRejectsTest : public testing::TestWithParam<BadWav> {};

TEST_P(WavReaderRejectsTest, ReturnsNullWithoutTouchingTheOutputs) {
    Decoded wav;
    DecodeWav(GetParam().bytes, &wav);
    EXPECT_EQ(wav.data, nullptr);
    EXPECT_EQ(wav.length, -7);
    EXPECT_EQ(wav.channels, -7);
}

INSTANTIATE_TEST_SUITE_P(Malformed, WavReaderRejectsTest, testing::ValuesIn(BadWavs()),
                         [](const testing::TestParamInfo<BadWav>& info) { return info.param.name; });

// A header claiming four gigabytes in a 100-byte file must be refused from
// the file's size, not discovered by allocating and reading.
TEST(WavReaderTest, HugeDataSizeInASmallFileIsRefusedAtOnce) {
    WavLayout layout;
    layout.data = Bytes(56);
    layout.declaredDataBytes = 0xFFFFFFF0;
    std::vector<unsigned char> bytes = BuildWav(layout);
    ASSERT_EQ(bytes.size(), 100u);
    auto start = std::chrono::steady_clock::now();
    Decoded wav;
    DecodeWav(bytes, &wav);
    EXPECT_EQ(wav.data, nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
}

// ---- The host: files, extensions, the collector's count ----

class AudioFileTest : public testing::Test {
protected:
    void SetUp() override {
        directory = testing::TempDir() + "flingaroo_audio_" + std::to_string(getpid()) + "/";
        std::system(("mkdir -p " + directory).c_str());
    }
    void TearDown() override { std::system(("rm -rf " + directory).c_str()); }

    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) {
        std::string path = directory + name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    void Load(const std::string& path, Decoded* out) {
        out->data = host.LoadAudioData(String(path.c_str()), &out->length, &out->channels,
                                       &out->format, &out->hertz);
    }
    static int OpenDescriptors() {
        int count = 0;
        DIR* fds = opendir("/proc/self/fd");
        while (readdir(fds)) ++count;
        closedir(fds);
        return count;
    }
    // Encodes a WAV with Debian's oggenc; empty when the tool is missing.
    std::string MakeOgg(const std::string& name, const WavLayout& layout) {
        if (std::system("command -v oggenc > /dev/null 2>&1") != 0) return "";
        std::string wav = Write(name + ".wav", BuildWav(layout));
        std::string ogg = directory + name + ".ogg";
        if (std::system(("oggenc -Q -o '" + ogg + "' '" + wav + "'").c_str()) != 0) return "";
        return ogg;
    }

    NxGlfwGame host;
    std::string directory;
};

TEST_F(AudioFileTest, ReadsWavWhateverTheCaseOfItsExtension) {
    WavLayout layout;
    layout.data = Bytes(400);
    std::string path = Write("LOUD.WAV", BuildWav(layout));
    int before = gc_ext_new_bytes;
    Decoded wav;
    Load(path, &wav);
    ASSERT_NE(wav.data, nullptr);
    EXPECT_EQ(wav.length, 100);
    EXPECT_EQ(gc_ext_new_bytes - before, 400);  // decoded bytes count toward the next collection
}

TEST_F(AudioFileTest, OtherExtensionsAreOpenedClosedAndRefused) {
    WavLayout layout;
    layout.data = Bytes(400);
    std::string path = Write("song.mp3", BuildWav(layout));
    int descriptors = OpenDescriptors();
    Decoded sound;
    Load(path, &sound);
    EXPECT_EQ(sound.data, nullptr);
    EXPECT_EQ(OpenDescriptors(), descriptors);
}

TEST_F(AudioFileTest, MissingOrUndecodableFilesLoadNothing) {
    Decoded missing, garbage;
    Load(directory + "missing.wav", &missing);
    EXPECT_EQ(missing.data, nullptr);
    Load(Write("noise.ogg", Bytes(5000, 0x5A)), &garbage);
    EXPECT_EQ(garbage.data, nullptr);
}

TEST_F(AudioFileTest, MonoOggDecodesTo16BitSamples) {
    WavLayout layout;
    layout.channels = 1;
    layout.hertz = 44100;
    layout.data = SinePcm16(22050, 1, 440, 44100, 0.5);
    std::string path = MakeOgg("mono", layout);
    if (path.empty()) GTEST_SKIP() << "oggenc (vorbis-tools) is not installed";
    Decoded ogg;
    Load(path, &ogg);
    ASSERT_NE(ogg.data, nullptr);
    EXPECT_EQ(ogg.channels, 1);
    EXPECT_EQ(ogg.format, 2);
    EXPECT_EQ(ogg.hertz, 44100);
    EXPECT_EQ(ogg.length, 22050);
    // Lossy, but the tone's loudness survives: RMS of a 0.5 sine is 0.354 of full scale.
    const auto* samples = reinterpret_cast<const int16_t*>(ogg.data);
    double sum = 0;
    for (int i = 2000; i < 20000; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    EXPECT_NEAR(std::sqrt(sum / 18000) / 32767.0, 0.354, 0.02);
}

// Three seconds of stereo outgrow the first buffer many times over.
TEST_F(AudioFileTest, LongStereoOggGrowsItsBufferAndKeepsEveryFrame) {
    WavLayout layout;
    layout.hertz = 22050;
    layout.data = SinePcm16(3 * 22050, 2, 300, 22050, 0.25);
    std::string path = MakeOgg("stereo", layout);
    if (path.empty()) GTEST_SKIP() << "oggenc (vorbis-tools) is not installed";
    int before = gc_ext_new_bytes;
    Decoded ogg;
    Load(path, &ogg);
    ASSERT_NE(ogg.data, nullptr);
    EXPECT_EQ(ogg.channels, 2);
    EXPECT_EQ(ogg.length, 3 * 22050);
    EXPECT_EQ(gc_ext_new_bytes - before, 3 * 22050 * 4);
}

}  // namespace
