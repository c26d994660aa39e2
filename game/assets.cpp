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

String LevelSuffix(int level) {
    if (level == 2) return String("-hd");
    if (level == 4) return String("-hd2");
    return String();
}

// The file resolution follows the device size, so that images are drawn
// near their own pixel size; every image is drawn through m_imgScale.
void ChooseLevel(c_MyApp& app) {
    const int w = nx_app_DeviceWidth(), h = nx_app_DeviceHeight();
    if (w >= kQuadResolutionFrom || h >= kQuadResolutionFrom)
        app.m_hdLevel = 4;
    else if (w >= kDoubleResolutionFrom || h >= kDoubleResolutionFrom)
        app.m_hdLevel = 2;
    else
        app.m_hdLevel = 1;
    app.m_imgScale = 1.0f / static_cast<float>(app.m_hdLevel);
}

}  // namespace

int c_MyApp::p_LoadImg(int id, const String& path, int w, int h, int frames, int flags) {
    const String file = path + LevelSuffix(m_hdLevel) + String(".png");
    m_images[id] = nullptr;
    gc_assign(m_images[id], nx_graphics_LoadImage2(file, m_hdLevel * w, m_hdLevel * h, frames, flags));
    m_imgInfo[id * kImageInfoInts] = m_hdLevel * w;
    m_imgInfo[id * kImageInfoInts + 1] = m_hdLevel * h;
    m_imgInfo[id * kImageInfoInts + 2] = frames;
    return 0;
}

// The font's table entry holds its glyph cell in game units, not the file's
// frame size: text layout works in game units.
int c_MyApp::p_LoadFont(int id, const String& path, int w, int h) {
    const String file = path + LevelSuffix(m_hdLevel) + String(".png");
    gc_assign(m_images[id], nx_graphics_LoadImage2(file, kFontAsset.frameWidth * m_hdLevel,
                                                   kFontAsset.frameHeight * m_hdLevel,
                                                   kFontAsset.frames, kCentreHandle));
    m_imgInfo[id * kImageInfoInts] = w;
    m_imgInfo[id * kImageInfoInts + 1] = h;
    m_imgInfo[id * kImageInfoInts + 2] = kFontAsset.frames;
    m_font = id;
    return 0;
}

int c_MyApp::p_LoadSFX(int n) {
    const String digits(n);
    const String padding = n < 10 ? String("00") : n <= 99 ? String("0") : String();
    gc_assign(m_sounds[n], nx_audio_LoadSound(String("sfx/") + padding + digits + String(".wav")));
    return 0;
}

int c_MyApp::p_Reload() {
    p_CLS2D(0, 0, 0, 1);
    ChooseLevel(*this);
    p_LoadImg(kImageStudioEmblem, String(kStudioEmblemAsset.path), kStudioEmblemAsset.frameWidth,
              kStudioEmblemAsset.frameHeight, kStudioEmblemAsset.frames, kCentreHandle);
    p_LoadFont(kImageFont, String(kFontAsset.path), kFontCellW, kFontCellH);
    m_loadStep = 1;
    return 0;
}

namespace {

// A tune file that cannot be read is kept as a sound without sample, so
// that a reload does not decode it again: the tunes do not depend on the
// window's size and stay loaded.
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
    const AssetImage* image = FindAssetImage(step.image);
    if (step.image == kImageFont)
        app.p_LoadFont(step.image, String(image->path), kFontCellW, kFontCellH);
    else if (image)
        app.p_LoadImg(step.image, String(image->path), image->frameWidth, image->frameHeight,
                      image->frames, kCentreHandle);
    if (step.soundAfter != kNoSound) app.p_LoadSFX(step.soundAfter);
    return true;
}

}  // namespace

int c_MyApp::p_Loader() {
    ChooseLevel(*this);
    // Tunes kept from an earlier pass take no update: a reload after a
    // resize is as quick as before there was music.
    while (m_loadStep >= 1 && m_loadStep <= kLoaderStepCount &&
           TuneDone(*this, kLoaderSteps[m_loadStep - 1]))
        ++m_loadStep;
    if (m_loadStep >= 1 && m_loadStep <= kLoaderStepCount) {
        const bool done = RunLoaderStep(*this, kLoaderSteps[m_loadStep - 1]);
        // The jingle greets the player once; a resize reloads in silence.
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
