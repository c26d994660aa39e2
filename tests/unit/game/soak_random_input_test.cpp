// A long run of random input through the whole game: keys, buttons, the
// pointer, focus changes and window sizes, in every screen the input leads
// to. Nothing may fail (the sanitizer build runs this too), and once the
// collector has settled, memory must stay flat.
#include <algorithm>
#include <random>

#include "tests/unit/game/game_fixture.h"

namespace {

// Keys a player may press anywhere: directions, the select and fling keys,
// iCade letters and F1/F2/F11. Leaving keys (F4, close, back in the menu)
// would end the run, so back is only pressed during play.
constexpr int kKeys[] = {37, 38, 39, 40, 65, 68, 87, 83, 32, 13, 17, 16, 90, 88, 74, 75,
                         67, 86, 73, 66, 85, 78, 79, 76, 112, 113, 122};
constexpr int kBackDuringPlay = 27;
constexpr int kUpdates = 200000;
constexpr int kSettleUpdates = 50000;

class SoakTest : public GameFixture {
protected:
    int memoryInUse() const { return gc_alloced_bytes + gc_free_bytes; }

    void randomEvent(std::mt19937& random) {
        std::uniform_int_distribution<int> kind(0, 99);
        int k = kind(random);
        if (k < 40) {
            int key = kKeys[random() % (sizeof kKeys / sizeof kKeys[0])];
            if (random() % 2) keyDown(key); else keyUp(key);
        } else if (k < 45 && app->m_mode == 10) {
            keyDown(kBackDuringPlay);
            keyUp(kBackDuringPlay);
        } else if (k < 70) {
            float x = static_cast<float>(random() % 700) - 30, y = static_cast<float>(random() % 540) - 30;
            if (random() % 2) mouseDown(x, y); else mouseUp(x, y);
            mouseMove(x, y);
        } else if (k < 72) {
            typeChar(static_cast<int>('a' + random() % 26));
        } else if (k == 72 && random() % 50 == 0) {
            static const int sizes[][2] = {{640, 480}, {1280, 720}, {600, 900}, {1920, 1080}};
            const auto& size = sizes[random() % 4];
            resize(size[0], size[1]);
        } else if (k == 73 && random() % 50 == 0) {
            host.SuspendGame();
            frame();
            host.ResumeGame();
        }
    }
};

TEST_F(SoakTest, TwoHundredThousandUpdatesOfRandomInputKeepMemoryFlat) {
    fake_gl::state().recordDraws = false;
    std::mt19937 random(20261206);
    int settled = 0, peakAfterSettling = 0;
    for (int update = 0; update < kUpdates; ++update) {
        if (update % 3 == 0) randomEvent(random);
        if (update % 4 == 0) host.RenderGame();
        tick();
        host.UpdateGame();
        if (update % 1000 == 0) fake_al::state().calls.clear();
        if (update == kSettleUpdates) settled = memoryInUse();
        if (update > kSettleUpdates) peakAfterSettling = std::max(peakAfterSettling, memoryInUse());
        ASSERT_GE(app->m_mode, 1) << "update " << update;
    }
    // One collector cycle's worth of garbage may come and go on top of what lives.
    EXPECT_LT(peakAfterSettling, settled + 2 * kGcCycleBytes);
    EXPECT_LT(peakAfterSettling, 64 << 20);
}

}  // namespace
