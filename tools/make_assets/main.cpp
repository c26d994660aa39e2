// make_assets OUTPUT_DIR: draws every image, font and sound effect the game loads into
// OUTPUT_DIR (the data directory beside the program). Images are made at the three
// resolution levels the game picks from the window size; the output depends on nothing
// but this program, so every build writes the same bytes.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/make_assets/families.h"
#include "tools/make_assets/sounds.h"
#include "tools/make_assets/wav_file.h"

namespace {

using assets::Sheet;
using assets::SheetLayout;

struct ImageFile {
    const char* name;  // path below the data directory, without suffix and ".png"
    SheetLayout layout;
    void (*draw)(Sheet&);
};

// Frame sizes are in game units and frame counts are those the game's loader asks for.
constexpr ImageFile kImages[] = {
    {"common/icons", {32, 32, 16, 4}, assets::DrawIcons},
    {"common/Buttons", {64, 64, 16, 4}, assets::DrawButtons},
    {"common/dpad", {32, 32, 16, 4}, assets::DrawDpad},
    {"common/QRTZLogo", {256, 256, 1, 1}, assets::DrawStudioEmblem},
    {"common/Testcard_Circle", {256, 256, 1, 1}, assets::DrawTestCardCircle},
    {"fonts/editundo", {16, 16, 128, 16}, assets::DrawGameFont},
    {"menu", {256, 256, 4, 2}, assets::DrawMenuPictures},
    {"logo", {256, 128, 1, 1}, assets::DrawGameLogo},
    {"parts", {8, 8, 256, 16}, assets::DrawParticles},
    {"BadgesA", {64, 64, 64, 8}, assets::DrawBadges},
    {"gfx", {32, 32, 64, 8}, assets::DrawGameSprites},
    {"tiles", {32, 32, 64, 8}, assets::DrawBlockTiles},
};

struct Resolution {
    int level;  // pixels per game unit
    const char* suffix;
};

constexpr Resolution kResolutions[] = {{1, ""}, {2, "-hd"}, {4, "-hd2"}};

// The framework's default font is one strip of 96 frames, each 8 pixels of glyph with a
// one-pixel border on both sides; it comes in one resolution only.
constexpr ImageFile kDefaultFont = {"vela_font", {10, 13, 96, 96}, assets::DrawDefaultFont};

bool MakeImage(const std::string& root, const ImageFile& image, const Resolution& resolution) {
    Sheet sheet(image.layout, resolution.level);
    image.draw(sheet);
    std::string path = root + "/" + image.name + resolution.suffix + ".png";
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return assets::WritePng(path, sheet.Pixels());
}

std::string SoundPath(const std::string& root, int id) {
    char name[32];
    std::snprintf(name, sizeof name, "/sfx/%03d.wav", id);
    return root + name;
}

bool MakeSounds(const std::string& root) {
    std::filesystem::create_directories(root + "/sfx");
    for (const assets::SoundFile& sound : assets::MakeSounds()) {
        if (!assets::WriteWav(SoundPath(root, sound.id), sound.samples, 1)) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets OUTPUT_DIR\n");
        return 2;
    }
    const std::string root = argv[1];
    bool ok = true;
    for (const ImageFile& image : kImages) {
        for (const Resolution& resolution : kResolutions)
            ok = MakeImage(root, image, resolution) && ok;
    }
    ok = MakeImage(root, kDefaultFont, kResolutions[0]) && ok;
    ok = MakeSounds(root) && ok;
    if (!ok)
        std::fprintf(stderr, "make_assets: could not write every file below %s\n", root.c_str());
    return ok ? 0 : 1;
}
