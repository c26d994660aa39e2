// A test host that "decodes" sounds from a table: each known path yields a
// zero-filled block with the given shape, every other path fails to load,
// and every path asked for is remembered.
#pragma once

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "tests/support/test_host.h"

struct DecodedShape {
    int length;
    int channels;
    int format;
    int hertz;
};

class AudioTestHost : public TestHost {
public:
    unsigned char* LoadAudioData(const String& path, int* length, int* channels, int* format,
                                 int* hertz) override {
        requested.push_back(path.ToUtf8());
        auto found = sounds.find(path.ToUtf8());
        if (found == sounds.end()) return nullptr;
        const DecodedShape& shape = found->second;
        *length = shape.length;
        *channels = shape.channels;
        *format = shape.format;
        *hertz = shape.hertz;
        size_t bytes = static_cast<size_t>(shape.length) * shape.channels * shape.format;
        return static_cast<unsigned char*>(std::calloc(bytes + 1, 1));
    }

    std::map<std::string, DecodedShape> sounds;
    std::vector<std::string> requested;
};
