// A test host whose sound files are WAV images held in memory, decoded by
// the real WAV reader: tests of the device with real OpenAL need sounds but
// no window and no files.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/decode/audio_decoders.h"
#include "tests/support/test_host.h"

class WavHost : public TestHost {
public:
    unsigned char* LoadAudioData(const String& path, int* length, int* channels, int* format,
                                 int* hertz) override {
        auto found = files.find(path.ToUtf8());
        if (found == files.end()) return nullptr;
        const std::vector<unsigned char>& bytes = found->second;
        return LoadWAVFromMemory(bytes.data(), bytes.size(), length, channels, format, hertz);
    }

    std::map<std::string, std::vector<unsigned char>> files;
};
