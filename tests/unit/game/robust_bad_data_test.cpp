// The game with a missing or damaged data folder: it starts, loads what it
// can, draws what it has, and the menu and a level still work.
#include <cstdlib>

#include "tests/unit/game/game_fixture.h"

namespace {

// Missing, truncated, empty and not an image; a WAV whose header claims far more data than it holds, a cut one.
constexpr const char* kDamage =
    "cp -r " FLINGAROO_BUILD_DIR "/data . && cd data && rm gfx-hd.png sfx/001.wav && head -c 300 tiles-hd.png > t"
    " && mv t tiles-hd.png && : > parts-hd.png && head -c 5000 /dev/zero | tr '\\0' '\\377' > logo-hd.png"
    " && head -c 100 sfx/002.wav > w && printf '\\377\\377\\377\\177' | dd of=w bs=1 seek=40 conv=notrunc 2>/dev/null"
    " && mv w sfx/002.wav && printf RIFF > sfx/003.wav";

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
    tapKey(kKeySpace, 3);
    ASSERT_EQ(app->m_mode, kModePlaying);
    tapKey(kKeySpace, 3);
    frame(200);
    EXPECT_GT(ball(kBallY), 0) << "the ball fell";
    for (int image : {kImageSprites, kImageTiles, kImageParts, kImageLogo}) EXPECT_EQ(app->m_images[image], nullptr) << image;
    EXPECT_EQ(app->m_images[kImageMenu] != nullptr && app->m_sounds[kSoundStartColumn]->m_sample != nullptr, GetParam())
        << "intact files still load";
    EXPECT_TRUE(app->m_sounds[2] == nullptr || app->m_sounds[2]->m_sample == nullptr);
}

INSTANTIATE_TEST_SUITE_P(NoneOrDamaged, BadData, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Damaged" : "Missing"; });

}  // namespace
