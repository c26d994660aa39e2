// The shared test host, plus synthetic images by path: what the renderer
// asks for is recorded and answered from memory, with no file and no decoder.
#pragma once

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "tests/support/test_host.h"

struct TestImage {
    int width;
    int height;
    int depth;
    std::vector<unsigned char> pixels;
};

class ImageTestHost : public TestHost {
public:
    unsigned char* LoadImageData(const String& path, int* width, int* height, int* depth) override {
        requestedPaths.push_back(path.ToUtf8());
        auto found = images.find(path.ToUtf8());
        if (found == images.end()) return nullptr;
        const TestImage& image = found->second;
        auto* copy = static_cast<unsigned char*>(std::malloc(image.pixels.size()));
        std::memcpy(copy, image.pixels.data(), image.pixels.size());
        *width = image.width;
        *height = image.height;
        *depth = image.depth;
        return copy;
    }

    // An image of the given size whose every pixel is `pixel` (depth bytes).
    void AddImage(const std::string& path, int width, int height, const std::vector<unsigned char>& pixel) {
        TestImage image{width, height, static_cast<int>(pixel.size()), {}};
        for (int i = 0; i < width * height; ++i) image.pixels.insert(image.pixels.end(), pixel.begin(), pixel.end());
        images[path] = std::move(image);
    }

    std::map<std::string, TestImage> images;
    std::vector<std::string> requestedPaths;
};
