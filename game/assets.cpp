// Loading of images, the font, sound effects and tunes by id, one step per
// update behind a turning loading screen, at the file resolution that suits
// the window; and sound effects played over 24 channels in rotation.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "framework/app.h"
#include "game/asset_table.h"
#include "game/ids.h"
#include "game/my_app.h"
#include "game/saved_data.h"

namespace {

// Windows at least this large on either side get files with more pixels.
constexpr int kDoubleResolutionFrom = 631;
constexpr int kQuadResolutionFrom = 1231;

constexpr int kCentreHandle = 1;
constexpr int kFontCellW = 7, kFontCellH = 10;  // a glyph's advance and line in game units
constexpr int kJingleStep = 4;

constexpr int kEffectRotationSlots = 24;

constexpr int kNoSound = -1;
constexpr int kNoImage = -1;

// Decoding ~45 s of stereo Vorbis whole takes longer than an update may
// (100 to 200 ms here), so a tune takes a slice of this many sample frames
// (4 s at 44.1 kHz, 10 to 15 ms here) per update until it is whole.
constexpr int kTuneFramesPerUpdate = 4 * 44100;

// One update of loading: an image (or the font) of the asset table, sounds
// before and after it; or a slice of a tune, whose step lasts until the
// tune is decoded.
struct LoaderStep {
    int soundFirst;
    int image;
    int soundAfter;
    int tune = kNoTune;
};
constexpr LoaderStep kLoaderSteps[] = {
    {kNoSound, kImageIcons, kSoundLogoJingle},
    {kNoSound, kImageButtons, kNoSound},
    {kNoSound, kImageDpad, kNoSound},
    {kNoSound, kImageStudioEmblem, kNoSound},
    {kNoSound, kImageTestCard, kNoSound},
    {kNoSound, kImageFont, kNoSound},
    {kSoundRing, kNoImage, kNoSound},
    {kSoundFanfare, kNoImage, kNoSound},
    {kSoundConfirm, kNoImage, kNoSound},
    {kSoundClick, kNoImage, kNoSound},
    {kNoSound, kImageMenu, kNoSound},
    {kNoSound, kImageLogo, kNoSound},
    {kNoSound, kImageParts, kNoSound},
    {kNoSound, kImageBadges, kNoSound},
    {kNoSound, kImageSprites, kNoSound},
    {kSoundFlingAndBounce, kImageTiles, kNoSound},
    {kSoundBreak, kNoImage, kNoSound},
    {kSoundStartColumn, kNoImage, kNoSound},
    {kSoundJingleBase + 1, kNoImage, kNoSound},
    {kSoundJingleBase + 2, kNoImage, kNoSound},
    {kSoundJingleBase + 3, kNoImage, kNoSound},
    {kSoundJingleBase + 4, kNoImage, kNoSound},
    {kSoundJingleBase + 5, kNoImage, kNoSound},
    {kSoundJingleBase + 6, kNoImage, kNoSound},
    {kSoundJingleBase + 7, kNoImage, kNoSound},
    {kSoundJingleBase + 8, kNoImage, kNoSound},
    {kSoundJingleBase + 9, kNoImage, kNoSound},
    {kSoundJingleBase + 10, kNoImage, kNoSound},
    {kNoSound, kNoImage, kNoSound, kTuneTitle},
    {kNoSound, kNoImage, kNoSound, kTunePlay},
};
constexpr int kLoaderStepCount = static_cast<int>(std::size(kLoaderSteps));
static_assert(kLoaderStepCount == 30, "28 asset steps, two tune steps and a finishing update");

constexpr const AssetImage& kFontAsset = *FindAssetImage(kImageFont);
constexpr const AssetImage& kStudioEmblemAsset = *FindAssetImage(kImageStudioEmblem);

const char* LevelSuffix(int level) {
    for (const AssetResolution& resolution : kAssetResolutions)
        if (resolution.level == level) return resolution.suffix;
    return "";
}

// The file resolution follows the device size, so that images are drawn
// near their own pixel size; every image is drawn through m_imgScale.
int LevelForWindow() {
    const int w = nx_app_DeviceWidth(), h = nx_app_DeviceHeight();
    if (w >= kQuadResolutionFrom || h >= kQuadResolutionFrom) return 4;
    if (w >= kDoubleResolutionFrom || h >= kDoubleResolutionFrom) return 2;
    return 1;
}

// The window's resolution once the host has its files; until then the one
// the game has, so that it never looks for files that are not there yet.
int ChooseLevel(const c_MyApp& app) {
    const int level = LevelForWindow();
    return nx_app_DataReady(String(LevelSuffix(level))) ? level : app.m_hdLevel;
}

void TakeLevel(c_MyApp& app, int level) {
    app.m_hdLevel = level;
    app.m_imgScale = 1.0f / static_cast<float>(level);
}

c_Image* LoadTableImage(const AssetImage& image, int level) {
    const String file = String(image.path) + String(LevelSuffix(level)) + String(".png");
    return nx_graphics_LoadImage2(file, level * image.frameWidth, level * image.frameHeight, image.frames,
                                  kCentreHandle);
}

// Puts the image in its slot, measured in file pixels at the game's level;
// the font's glyph cell stays in game units: text layout works in game units.
void PlaceImage(c_MyApp& app, const AssetImage& image, c_Image* loaded) {
    gc_assign(app.m_images[image.id], loaded);
    const bool font = image.id == kImageFont;
    const int info = image.id * kImageInfoInts;
    app.m_imgInfo[info] = font ? kFontCellW : app.m_hdLevel * image.frameWidth;
    app.m_imgInfo[info + 1] = font ? kFontCellH : app.m_hdLevel * image.frameHeight;
    app.m_imgInfo[info + 2] = image.frames;
    if (font) app.m_font = image.id;
}

void LoadImageNow(c_MyApp& app, const AssetImage& image) {
    app.m_images[image.id] = nullptr;  // the old one may go before the new one is decoded
    PlaceImage(app, image, LoadTableImage(image, app.m_hdLevel));
}

}  // namespace

int c_MyApp::p_LoadSFX(int n) {
    const String digits(n);
    const String padding = n < 10 ? String("00") : n <= 99 ? String("0") : String();
    gc_assign(m_sounds[n], nx_audio_LoadSound(String("sfx/") + padding + digits + String(".wav")));
    return 0;
}

// The first loading, behind the loading screen; the emblem and the font
// first, for that screen. A later change of resolution is p_FollowResolution's.
int c_MyApp::p_Reload() {
    p_CLS2D(0, 0, 0, 1);
    TakeLevel(*this, ChooseLevel(*this));
    LoadImageNow(*this, kStudioEmblemAsset);
    LoadImageNow(*this, kFontAsset);
    m_loadStep = 1;
    return 0;
}

// A window that calls for another resolution gets it without a loading
// screen: the game goes on with the images it has while the new ones load,
// one per update like the loader's, and takes them in all at once, so that
// every image on screen is of the one resolution m_imgScale draws. Sounds do
// not depend on the window and stay.
int c_MyApp::p_FollowResolution() {
    const int level = ChooseLevel(*this);
    if (level != m_nextLevel) {
        for (const AssetImage& image : kAssetImages) m_nextImages[image.id] = nullptr;
        m_nextLevel = level;
        m_nextLoaded = 0;
    }
    if (level == m_hdLevel) return 0;
    constexpr int kTableImages = static_cast<int>(std::size(kAssetImages));
    if (m_nextLoaded < kTableImages) {
        const AssetImage& image = kAssetImages[m_nextLoaded++];
        gc_assign(m_nextImages[image.id], LoadTableImage(image, level));
        return 0;
    }
    TakeLevel(*this, level);
    for (const AssetImage& image : kAssetImages) {
        PlaceImage(*this, image, m_nextImages[image.id]);
        m_nextImages[image.id] = nullptr;
    }
    return 0;
}

namespace {

// A tune file that cannot be read is kept as a sound without sample: its
// step is done all the same.
bool TuneDone(const c_MyApp& app, const LoaderStep& step) {
    return step.tune != kNoTune && app.m_tunes[step.tune] &&
           !nx_audio_SoundLoading(app.m_tunes[step.tune]);
}

void LoadTuneSlice(c_MyApp& app, int tune) {
    if (!app.m_tunes[tune]) {
        c_Sound* sound = nx_audio_StartLoadingSound(String(kAssetTunes[tune]));
        gc_assign(app.m_tunes[tune], sound ? sound : (new c_Sound())->m_new2());
    }
    nx_audio_ContinueLoadingSound(app.m_tunes[tune], kTuneFramesPerUpdate);
}

// Returns whether the step is done; a tune's takes several updates.
bool RunLoaderStep(c_MyApp& app, const LoaderStep& step) {
    if (step.tune != kNoTune) {
        LoadTuneSlice(app, step.tune);
        return TuneDone(app, step);
    }
    if (step.soundFirst != kNoSound) app.p_LoadSFX(step.soundFirst);
    if (const AssetImage* image = FindAssetImage(step.image)) LoadImageNow(app, *image);
    if (step.soundAfter != kNoSound) app.p_LoadSFX(step.soundAfter);
    return true;
}

}  // namespace

int c_MyApp::p_Loader() {
    if (m_loadStep >= 1 && m_loadStep <= kLoaderStepCount) {
        const bool done = RunLoaderStep(*this, kLoaderSteps[m_loadStep - 1]);
        // The jingle greets the player once.
        if (m_loadStep == kJingleStep && m_jinglePlayed == 0) {
            p_PlaySFX(kSoundLogoJingle, 1.0f, 1.0f, 0);
            m_jinglePlayed = 1;
        }
        if (done) ++m_loadStep;
    } else {
        m_loadStep = 0;
    }
    p_WaitStart(1);
    return 0;
}

namespace {

// Eleven dots, fading in along half a circle, centred on the screen.
void SpinnerRing(c_MyApp& app, float angle, float shade, float size) {
    constexpr int kDots = 11;
    constexpr float kDotStep = 16, kDotRadius = 8;
    const float cx = nx_ZuDizaz_jscrw / 2, cy = nx_ZuDizaz_jscrh / 2;
    for (int k = 0; k < kDots; ++k) {
        const float t = (angle + kDotStep * k) * D2R;
        app.p_SetCol(shade, shade, shade);
        app.p_Alpha(k / 10.0f);
        app.p_Oval(cx + std::sin(t) * size / 4, cy - std::cos(t) * size / 4, kDotRadius, kDotRadius);
    }
}

}  // namespace

int c_MyApp::p_WaitStart(int mode) {
    if (mode != 1) return 0;
    const float wv = nx_ZuDizaz_jscrw, hv = nx_ZuDizaz_jscrh;
    p_CLS2D(40, 40, 80, 1);
    const float size = static_cast<float>(static_cast<int>(std::min(wv, hv)));
    const int angle = m_spinAngle;
    m_spinAngle = angle + 16;
    // The back half of the ring is drawn first, then the sun, band and logo,
    // then the front half, so the ring seems to pass behind the logo.
    SpinnerRing(*this, static_cast<float>(angle + 196), 250, size);
    p_SetCol(255, 255, 0, 0.8f);
    p_Oval(wv / 2, hv / 2, 0.3f * size, 0.3f * size);
    p_SetCol(250, 160, 60, 0.7f);
    p_Rect(0, 0.4f * hv, wv, 0.2f * hv);
    p_ResetDraw();
    p_DrawImg(kImageStudioEmblem, wv / 2, 0.48f * hv, 0);
    SpinnerRing(*this, static_cast<float>(angle + 16), 50, size);
    return 0;
}

int c_MyApp::p_PlaySFX(int id, float rate, float volume, float pan) {
    const int setting = m_settings[kSettingSoundMode];
    if (setting != kSoundEffectsAndMusic && setting != kSoundEffectsOnly) return 0;
    int slot = (m_sfxChan + 1) % kEffectRotationSlots;
    if (slot < 0) slot = 0;
    m_sfxChan = slot;
    const int channel = m_sfxMap[slot];
    // Cut whatever the channel still plays from 24 effects ago.
    nx_audio_StopChannel(channel);
    c_Sound* sound = id >= 0 && id < m_sounds.Length() ? m_sounds[id] : nullptr;
    if (sound && sound->m_sample) nx_audio_PlaySound(sound, channel, 0);
    nx_audio_SetChannelRate(channel, rate);
    nx_audio_SetChannelVolume(channel, volume);
    nx_audio_SetChannelPan(channel, pan);
    return 0;
}
