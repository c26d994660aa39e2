// The game object's core: loading by window size, and with a missing or
// damaged data folder; sound effects over rotating channels, the draw list
// and its fit to the window, text layout, logical buttons and pointer hits,
// particles and stars.
#include <cmath>
#include <cstdlib>
#include <set>

#include "game/asset_table.h"
#include "tests/unit/game/game_fixture.h"

namespace {

using Core = GameFixture;

// Loading takes one step per update behind the loading screen, the jingle
// once; the tunes are decoded a slice per update, and the title tune is not
// restarted. Windows from 631 units on either side get the double files,
// from 1231 the quadruple ones: a resize to another resolution loads the
// twelve images again one per update while the screen stays, then takes
// them in at once; the sounds stay, and so do the images of a resize that
// keeps the resolution. One side of the virtual screen is 640 x 480, or
// 1024 x 768 after a portrait frame; the other follows the window's shape,
// but a portrait screen is at least 512 wide.
TEST_F(Core, LoadingTakesTheWindowsResolutionAndAResizeReloadsOnlyImagesOfAnotherOne) {
    EXPECT_GT(ticks, 29 + 10) << "the first loading decoded each tune over several updates";
    const std::pair sounds(app->m_sounds[kSoundRing], app->m_tunes[kTuneTitle]);
    for (auto [width, height, level, fit, virtualW, virtualH] : {std::tuple{630, 630, 1, 2, 480, 480}, {1231, 600, 4, 1, 640, 312},
                                                                 {800, 1200, 2, 2, 512, 768}, {600, 1231, 4, 1, 512, 1050},
                                                                 {640, 480, 2, 1, 640, 480}}) {
        c_Image* const tiles = app->m_images[kImageTiles];
        const int before = app->m_hdLevel;
        resize(width, height), frame(12);
        EXPECT_EQ(std::tuple(app->m_loadStep, app->m_mode, app->m_hdLevel, app->m_images[kImageTiles]), std::tuple(0, kModeMenu, before, tiles))
            << "the images on screen stay until all of the new ones are loaded";
        frame();
        EXPECT_EQ(std::tuple(app->m_images[kImageStudioEmblem]->m_surface->Width(), app->m_hdLevel, app->m_imgScale,
                             app->m_imgInfo[kImageFont * 3], app->m_images[kImageTiles] == tiles), std::tuple(256 * level, level, 1.0f / level, 7, level == before))
            << width << " x " << height << ": the font keeps its glyph cell in game units";
        EXPECT_EQ(std::tuple(app->m_fitMode, std::lround(nx_ZuDizaz_jscrw), std::lround(nx_ZuDizaz_jscrh), app->m_landscape, app->m_scaleX),
                  std::tuple(fit, long(virtualW), long(virtualH), virtualW >= virtualH ? 1 : 0, app->m_scaleY));
    }
    for (const AssetImage& image : kAssetImages) EXPECT_NE(app->m_images[image.id], nullptr) << image.path;
    for (int sound : kAssetSounds) EXPECT_NE(app->m_sounds[sound]->m_sample, nullptr) << "sfx " << sound;
    EXPECT_EQ(std::tuple(std::pair(app->m_sounds[kSoundRing], app->m_tunes[kTuneTitle]), fake_al::state().CountFunction("alSourcePlay"), music()),
              std::tuple(sounds, 2, "title")) << "no sound loaded again";
}

// Each effect stops and takes the next of 24 channels; without effects nothing plays.
TEST_F(Core, EffectsRotateOverTwentyFourChannelsAndSilentModesTakeNone) {
    auto play = [this](int mode) {
        app->m_settings[kSettingSoundMode] = mode;
        app->p_PlaySFX(kSoundRing, 1, 1, 0);
        return fake_al::state().calls.back();
    };
    const std::string first = play(kSoundEffectsAndMusic);
    std::set<std::string> sources{first};
    for (int effect = 2; effect <= 24; ++effect) sources.insert(play(effect % 2 ? kSoundEffectsAndMusic : kSoundEffectsOnly));
    const size_t calls = fake_al::state().calls.size();
    play(kSoundOff), play(kSoundMusicOnly);
    EXPECT_EQ(std::tuple(sources.size(), fake_al::state().calls.size(), first.rfind("alSourcePlay", 0)), std::tuple(size_t(24), calls, 0u));
    EXPECT_EQ(play(kSoundEffectsOnly), first) << "the 25th effect takes the first one's channel";
}

// The list holds 2499 records and drops later ones. Text starts with a
// space and is measured like every character but the last: ax 0 puts the
// space's centre on x, ax 2 the last character's.
TEST_F(Core, DrawListHolds2499RecordsAndLaysTextOutGlyphByGlyph) {
    app->p_CLS2D(10, 20, 30, 0.5f);
    app->p_CLS2D();
    for (int record = 1; record <= 2500; ++record) app->p_Rect(0, 0, 1, 1);
    fake_gl::Reset(), host.RenderGame();
    size_t vertices = 0;
    for (const fake_gl::DrawCall& call : fake_gl::state().draws) vertices += call.vertices.size();
    EXPECT_EQ(std::tuple(app->m_drawCount, vertices, app->m_clsG, app->m_clsA), std::tuple(2499 * 15, size_t(6 * (1 + 2499)), 20.0f, 0.5f))
        << "the clear, in the colour kept from before, and 2499 rectangles";
    // The glyphs drawn for a text at (100, 50), as "frame:x,y" to the nearest unit.
    auto layout = [this](const char* text, float ax, float ay, float sizeX = 1, float sizeY = 1, float rotation = 0) {
        app->p_CLS2D();
        app->p_SetSize(sizeX, sizeY);
        app->p_SetRot(rotation);
        app->p_Text(100, 50, String(text), ax, ay);
        std::string out;
        for (const DrawRecord& r : records())
            out += std::to_string(int(r.frame)) + ":" + std::to_string(std::lround(r.x)) + "," + std::to_string(std::lround(r.y)) + " ";
        return out;
    };
    EXPECT_EQ(layout("AB", 0, 1), "33:107,50 34:114,50 ");
    EXPECT_EQ(layout("AB", 1, 0, 2, 3), "33:100,65 34:114,65 ") << "width 28 covers the space and A";
    EXPECT_EQ(layout("AB", 0, 0, 2, kAbsent), "33:114,60 34:128,60 ") << "one size sets both scales";
    EXPECT_EQ(layout("mi", 2, 1), "77:91,50 73:100,50 ") << "m is 2 wider, i 3 narrower";
    EXPECT_EQ(layout("A\\nB", 0, 1), "33:107,50 34:100,60 ");
    EXPECT_EQ((std::pair{layout("AB", 0, 1, 1, 1, 90), records()[0].rot}), std::pair(std::string("33:100,57 34:100,64 "), -90.0f))
        << "turned, with the rotation kept negated";
    EXPECT_EQ(layout("\xAC" "KA", 0, 1), "113:107,50 33:118,50 ") << "the keyboard's button icon";
    app->m_ctrlScheme = kSchemePad;
    EXPECT_EQ(layout("\xAC" "KA", 0, 1), "97:107,50 33:118,50 ") << "a pad's";
    EXPECT_EQ(app->p_rstr(42, 5, String("0")) + app->p_rstr(4567, 3, String(" ")) + app->p_rstr(7, 0, String("x")),
              String("00042567x7")) << "right-aligned, keeping the last digits";
}

// Keys that are iCade letters, and keys that are not, with the logical button each presses.
constexpr std::pair<int, int> kLetterKeys[] = {{87, 0}, {65, 3}, {68, 5}, {83, 8}, {90, 10}, {74, 10}, {88, 11}, {75, 11},
                                               {67, 12}, {76, 12}, {86, 13}, {73, 13}, {66, 14}, {85, 14}, {78, 15}, {192, 99}};
constexpr std::pair<int, int> kOtherKeys[] = {{38, 0}, {37, 3}, {39, 5}, {40, 8}, {32, 10}, {13, 10}, {17, 11}, {16, 12}, {27, 99}, {8, 99}};

// A stick counts as a direction only when analog and without iCade; iCade
// takes the letter keys and decodes its letters into held buttons.
TEST_F(Core, LogicalButtonsReadKeysSticksAndIcadeLetters) {
    app->m_mode = 0;  // no screen, so that back does not end the program
    pads[0] = {true, false, 0.5f, 0.5f};  // right and up: the host's y grows upwards
    frame();
    EXPECT_EQ(std::tuple(app->p_PlayKey(kButtonRight, 1, 0), app->p_PlayKey(kButtonUp, 1, 0), app->p_PlayKey(kButtonDown, 1, 0),
                         app->p_PlayKey(kButtonLeft, 1, 0), app->p_PlayKey(kButtonRight, 0, 0), app->p_PlayKey(kButtonRight, 1, 1)), std::tuple(1, 1, 0, 0, 0, 0));
    auto acts = [this](int key, int button) {
        keyDown(key), frame();
        const int down = app->p_PlayKey(button, 0, kKeysOnly);
        keyUp(key);
        return down;
    };
    for (auto [key, button] : kLetterKeys) EXPECT_EQ(acts(key, button), 1) << key << " without iCade";
    app->p_iCade(1);
    EXPECT_EQ(app->p_PlayKey(kButtonRight, 1, 0), 0) << "iCade turns the stick off";
    for (auto [key, button] : kLetterKeys) EXPECT_EQ(acts(key, button), 0) << key << " with iCade";
    for (auto [key, button] : kOtherKeys) EXPECT_EQ(acts(key, button), 1) << key << " with iCade";
    host.KeyEvent(c_NxGameEvent::KeyChar, 'w'), frame(2);
    EXPECT_EQ(app->p_PlayKey(kButtonUp, 0, kKeysOnly), 1) << "held until the release letter";
    host.KeyEvent(c_NxGameEvent::KeyChar, 'E'), host.KeyEvent(c_NxGameEvent::KeyChar, 'i'), frame();
    EXPECT_EQ(std::pair(app->p_PlayKey(kButtonUp, 0, kKeysOnly), app->p_PlayKey(kButtonRightBumper, 0, kKeysOnly)),
              std::pair(0, 2)) << "menu buttons pass the held value";
    app->p_iCade(0);
    EXPECT_EQ(app->p_PlayKeyAll(kButtonRightBumper, 0), 0) << "switching iCade off releases its buttons";
}

// A touch box reaches 6 further left and up and 12 further right and down;
// a button is hit strictly inside half its drawn frame each way.
TEST_F(Core, PointerHitsTouchBoxesAndButtonsWithinTheirEdges) {
    for (auto [x, y, touch] : {std::tuple{21, 21, 1}, {22, 5, 0}, {5, 22, 0}, {-5, -5, 1}, {-6, 5, 0}, {5, -6, 0}}) {
        press(x, y);
        frame();
        EXPECT_EQ(app->p_Touch(0, 0, 10, 10), touch) << x << ", " << y;
        release();
    }
    press(131, 100);
    frame();
    app->p_ResetDraw();
    // Image 95 is 64 units square.
    for (auto [x, y, hit] : {std::tuple{100, 100, 1}, {99, 100, 0}, {163, 100, 0}, {100, 68, 0}, {100, 132, 0}})
        EXPECT_EQ((std::tuple{app->p_Button(kImageButtons, x, y, 0), app->m_btnHit, app->p_Button0(kImageButtons, x, y, 0)}),
                  std::tuple(hit, hit, hit == 1)) << x << ", " << y;
    EXPECT_EQ(app->p_MouseIn_Centered(100, 100, 64, 10) + app->p_MouseIn_Centered(100, 100, 62, 10), 1);
}

// Particles take the highest free record; a full pool takes none but still
// scores. The star field keeps to 499 stars and to the screen.
TEST_F(Core, ParticlesAndStarsKeepToTheirPoolsAndTheScreen) {
    float* pool = &app->m_particles[0];
    for (int slot = 0; slot <= app->m_particleMax; ++slot) pool[slot * 10] = slot == 3 || slot == 7 ? 0 : 1;
    app->p_ThrowParticle(10, 20, 2, 4, 90, 5), app->p_Gimme(25, 50, 50), app->p_Gimme(5, 0, 0);
    EXPECT_EQ(std::tuple(pool[70], pool[78], pool[30], pool[39], app->m_score, app->p_FreeParticle()),
              std::tuple(2.0f, 4.0f, 99.0f, 25.0f, 25 + 5, -1));
    for (int slot = 0; slot <= app->m_particleMax; ++slot) pool[slot * 10] *= slot == 3 || slot == 7;
    app->p_DoParticles();
    EXPECT_EQ(std::pair(std::lround(pool[73] * 100), std::lround(pool[74] * 100)), std::pair(475L, 20L)) << "a shard slows sideways and falls";
    for (int update = 1; update < 100; ++update) app->p_DoParticles();
    EXPECT_EQ(std::pair(pool[30], std::round(pool[32])), std::pair(99.0f, 25.0f)) << "a number rises for 100 updates";
    app->p_DoParticles();
    EXPECT_EQ(pool[30], 0);
    app->p_ResetStars(1), app->p_ResetStars(500);
    app->m_stars[1] = -10, app->m_stars[3] = 0.5f;
    app->p_CLS2D(), app->p_DoStars(-20, 0);
    EXPECT_EQ(std::tuple(app->m_stars[1], app->m_drawCount, records()[0].alpha == app->m_stars[3]), std::tuple(-20 + 640 + 32.0f, 2 * 15, true))
        << "the star leaving the left edge comes back at the right, drawn at its depth, and so is star 1 alone";
}

// Missing, truncated, empty and not an image, a low-resolution sheet in the high-resolution slot, a FIFO; a WAV whose
// header claims far more data than it holds, a cut one, a FIFO; a cut tune.
constexpr const char* kDamage =
    "cp -r " FLINGAROO_BUILD_DIR "/data . && cd data && rm gfx-hd.png sfx/001.wav && head -c 300 tiles-hd.png > t"
    " && mv t tiles-hd.png && : > parts-hd.png && head -c 5000 /dev/zero | tr '\\0' '\\377' > logo-hd.png"
    " && head -c 100 sfx/002.wav > w && printf '\\377\\377\\377\\177' | dd of=w bs=1 seek=40 conv=notrunc 2>/dev/null"
    " && mv w sfx/002.wav && printf RIFF > sfx/003.wav && printf OggS > music/title.ogg && cp BadgesA.png BadgesA-hd.png"
    " && rm common/dpad-hd.png sfx/011.wav && mkfifo common/dpad-hd.png sfx/011.wav";

// The game runs in a folder of its own: empty, or with the damaged copy of data/.
class BadData : public GameFixture, public testing::WithParamInterface<bool> {
protected:
    std::string programFolder() override {
        EXPECT_EQ(std::system(("cd " + folder + (GetParam() ? std::string(" && ") + kDamage : "")).c_str()), 0);
        return folder;
    }
    void TearDown() override { ASSERT_EQ(std::system(("cd / && rm -rf " + folder).c_str()), 0); }
    char pattern[32] = "/tmp/flingaroo-data-XXXXXX";
    std::string folder = mkdtemp(pattern);
};

TEST_P(BadData, GameStillRunsTheMenuAndALevelWithWhatItCouldLoad) {
    const std::string menuMusic = music() + std::to_string(app->m_musicOn);
    tapKey(kKeySpace, 3);
    ASSERT_EQ(app->m_mode, kModePlaying);
    EXPECT_EQ(menuMusic + "/" + music() + std::to_string(app->m_musicOn), GetParam() ? "0/play1" : "0/0") << "a tune that cannot be read is silence in its place";
    tapKey(kKeySpace, 3), frame(200);
    EXPECT_GT(ball(kBallY), 0) << "the ball fell";
    for (int image : {kImageSprites, kImageTiles, kImageParts, kImageLogo, kImageBadges, kImageDpad}) EXPECT_EQ(app->m_images[image], nullptr) << image;
    EXPECT_EQ(app->m_images[kImageMenu] != nullptr && app->m_sounds[kSoundStartColumn]->m_sample != nullptr, GetParam())
        << "intact files still load";
    for (int sound : {2, kSoundJingleBase + 1}) EXPECT_TRUE(app->m_sounds[sound] == nullptr || app->m_sounds[sound]->m_sample == nullptr) << sound;
}

INSTANTIATE_TEST_SUITE_P(NoneOrDamaged, BadData, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Damaged" : "Missing"; });

}  // namespace
