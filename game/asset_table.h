// The files of data/ the game loads: every image with its id, its path below
// the data folder (without resolution suffix and ".png"), its frame size in
// game units and its frame count; the resolutions each image comes in; the
// sound effects by id ("sfx/NNN.wav"); and the tunes. The game's loader, the
// asset generator and the tests all read this one table. Plain constants
// only, so the generator can use it without the game.
#pragma once

#include "game/ids.h"

struct AssetImage {
    int id;
    const char* path;
    int frameWidth;  // game units; a file holds level × this many pixels
    int frameHeight;
    int frames;
};

constexpr AssetImage kAssetImages[] = {
    {kImageIcons, "common/icons", 32, 32, 16},
    {kImageButtons, "common/Buttons", 64, 64, 16},
    {kImageDpad, "common/dpad", 32, 32, 16},
    {kImageStudioEmblem, "common/QRTZLogo", 256, 256, 1},
    {kImageTestCard, "common/Testcard_Circle", 256, 256, 1},
    {kImageFont, "fonts/editundo", 16, 16, 128},
    {kImageMenu, "menu", 256, 256, 4},
    {kImageLogo, "logo", 256, 128, 1},
    {kImageParts, "parts", 8, 8, 256},
    {kImageBadges, "BadgesA", 64, 64, 64},
    {kImageSprites, "gfx", 32, 32, 64},
    {kImageTiles, "tiles", 32, 32, 64},
};

// Pixels per game unit and the file name suffix of each resolution.
struct AssetResolution {
    int level;
    const char* suffix;
};

constexpr AssetResolution kAssetResolutions[] = {{1, ""}, {2, "-hd"}, {4, "-hd2"}};

constexpr int kAssetSounds[] = {
    kSoundRing,           kSoundFlingAndBounce, kSoundBreak,          kSoundStartColumn,
    kSoundJingleBase + 1, kSoundJingleBase + 2, kSoundJingleBase + 3, kSoundJingleBase + 4,
    kSoundJingleBase + 5, kSoundJingleBase + 6, kSoundJingleBase + 7, kSoundJingleBase + 8,
    kSoundJingleBase + 9, kSoundJingleBase + 10, kSoundFanfare,       kSoundLogoJingle,
    kSoundConfirm,        kSoundClick,
};

// The tunes by slot: looping Ogg Vorbis files, decoded a slice per update while loading.
constexpr const char* kAssetTunes[kTunes] = {"music/title.ogg", "music/play.ogg"};

// The table's entry for image `id`, or null.
constexpr const AssetImage* FindAssetImage(int id) {
    for (const AssetImage& image : kAssetImages)
        if (image.id == id) return &image;
    return nullptr;
}
