// A host for graphics tests: a fixed device size and synthetic images by
// path, with no window and no decoder. Also owns glfwGraphicsSeq, so tests
// can stand for "a window exists" and "the context was recreated".
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/nxgame.h"

struct TestImage {
    int width;
    int height;
    int depth;
    std::vector<unsigned char> pixels;
};

class TestHost : public NxGame {
public:
    TestHost(int width, int height);
    ~TestHost() override;

    int GetDeviceWidth() override { return deviceWidth; }
    int GetDeviceHeight() override { return deviceHeight; }
    unsigned char* LoadImageData(const String& path, int* width, int* height, int* depth) override;

    // An image of the given size whose every pixel is `pixel` (depth bytes).
    void AddImage(const std::string& path, int width, int height, std::vector<unsigned char> pixel);
    void AddImage(const std::string& path, TestImage image) { images[path] = std::move(image); }

    int deviceWidth;
    int deviceHeight;
    std::map<std::string, TestImage> images;
    std::vector<std::string> requestedPaths;
};
