#include "tests/unit/graphics/test_host.h"

#include <cstdlib>
#include <cstring>

// Defined here instead of by the desktop host's window code, which needs GLFW.
int glfwGraphicsSeq = 0;

TestHost::TestHost(int width, int height) : deviceWidth(width), deviceHeight(height) { _game = this; }

TestHost::~TestHost() {
    if (_game == this) _game = nullptr;
}

unsigned char* TestHost::LoadImageData(const String& path, int* width, int* height, int* depth) {
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

void TestHost::AddImage(const std::string& path, int width, int height, std::vector<unsigned char> pixel) {
    TestImage image{width, height, static_cast<int>(pixel.size()), {}};
    for (int i = 0; i < width * height; ++i) image.pixels.insert(image.pixels.end(), pixel.begin(), pixel.end());
    images[path] = std::move(image);
}
