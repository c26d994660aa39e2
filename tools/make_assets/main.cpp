// make_assets OUTPUT_DIR: draws every image and font (and the program's icon), and synthesises every sound effect
// and tune, that the game loads into OUTPUT_DIR (the data directory beside the program).
// Images are made at the three resolution levels the game picks from the window size; the
// output depends on nothing but this program, so every build writes the same bytes.
#include <cstdio>
#include <filesystem>
#include <string>

#include "game/asset_table.h"
#include "tools/make_assets/app_icon.h"
#include "tools/make_assets/families.h"
#include "tools/make_assets/music.h"
#include "tools/make_assets/ogg_file.h"
#include "tools/make_assets/sounds.h"
#include "tools/make_assets/wav_file.h"

namespace {

using assets::Sheet;
using assets::SheetLayout;

// How each image of the asset table is drawn, and its sheet's columns.
struct Drawing {
    int image;
    int columns;
    void (*draw)(Sheet&);
};

constexpr Drawing kDrawings[] = {
    {kImageIcons, 4, assets::DrawIcons},
    {kImageButtons, 4, assets::DrawButtons},
    {kImageDpad, 4, assets::DrawDpad},
    {kImageStudioEmblem, 1, assets::DrawStudioEmblem},
    {kImageTestCard, 1, assets::DrawTestCardCircle},
    {kImageFont, 16, assets::DrawGameFont},
    {kImageMenu, 2, assets::DrawMenuPictures},
    {kImageLogo, 1, assets::DrawGameLogo},
    {kImageParts, 16, assets::DrawParticles},
    {kImageBadges, 8, assets::DrawBadges},
    {kImageSprites, 8, assets::DrawGameSprites},
    {kImageTiles, 8, assets::DrawBlockTiles},
};

const Drawing* FindDrawing(int image) {
    for (const Drawing& drawing : kDrawings)
        if (drawing.image == image) return &drawing;
    return nullptr;
}

struct ImageFile {
    const char* name;  // path below the data directory, without suffix and ".png"
    SheetLayout layout;
    void (*draw)(Sheet&);
};

// The framework's default font is one strip of 96 frames, each 8 pixels of glyph with a
// one-pixel border on both sides; it comes in one resolution only.
constexpr ImageFile kDefaultFont = {"vela_font", {10, 13, 96, 96}, assets::DrawDefaultFont};

bool MakeImage(const std::string& root, const ImageFile& image, const AssetResolution& resolution) {
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

// Quality 0.3 of libvorbisenc (75 to 100 kbit/s for our stereo tunes) keeps each to a few
// hundred kilobytes; the soft, low-mixed music loses nothing audible to it.
constexpr float kMusicQuality = 0.3f;

bool MakeMusic(const std::string& root) {
    std::filesystem::create_directories(root + "/music");
    const std::vector<assets::MusicFile> tunes = assets::MakeMusic();
    bool ok = !tunes.empty();
    for (const assets::MusicFile& tune : tunes)
        ok = assets::WriteOgg(root + "/music/" + tune.name + ".ogg", tune.left, tune.right, kMusicQuality) && ok;
    return ok;
}

// The program's icon in the desktop's own layout, icons/hicolor/SIZExSIZE/apps/flingaroo.png:
// the window takes it from there, and the install copies the folder among the desktop's icons.
bool MakeAppIcons(const std::string& root) {
    bool ok = true;
    for (int size : assets::kAppIconSizes) {
        const std::string folder = root + "/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::filesystem::create_directories(folder);
        assets::Canvas canvas(size, size);
        assets::DrawAppIcon(canvas);
        ok = assets::WritePng(folder + "/flingaroo.png", canvas) && ok;
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets OUTPUT_DIR\n");
        return 2;
    }
    const std::string root = argv[1];
    bool ok = true;
    for (const AssetImage& asset : kAssetImages) {
        const Drawing* drawing = FindDrawing(asset.id);
        if (!drawing) {
            std::fprintf(stderr, "make_assets: nothing draws %s\n", asset.path);
            return 1;
        }
        const ImageFile image = {
            asset.path, {asset.frameWidth, asset.frameHeight, asset.frames, drawing->columns}, drawing->draw};
        for (const AssetResolution& resolution : kAssetResolutions)
            ok = MakeImage(root, image, resolution) && ok;
    }
    ok = MakeImage(root, kDefaultFont, kAssetResolutions[0]) && ok;
    ok = MakeAppIcons(root) && ok;
    ok = MakeSounds(root) && ok;
    ok = MakeMusic(root) && ok;
    if (!ok)
        std::fprintf(stderr, "make_assets: could not write every file below %s\n", root.c_str());
    return ok ? 0 : 1;
}
