// A long run of random input through the whole game: keys and the pointer
// held for random spells, typed letters, focus changes and window sizes, an
// event every update, in every screen the input leads to. Nothing may fail
// (the sanitizer build runs this too), and once the collector has settled,
// memory must stay flat.
#include <algorithm>
#include <map>
#include <random>

#include "tests/unit/game/game_fixture.h"

namespace {

// Keys a player may press anywhere: directions, the select and fling keys,
// iCade letters and F1, F2 and F11. Leaving keys (F4, close, back in the
// menu) would end the run, so back is only pressed during play.
constexpr int kKeys[] = {37, 38, 39, 40, 65, 68, 87, 83, 32, 13, 17, 16, 90, 88, 74, 75,
                         67, 86, 73, 66, 85, 78, 79, 76, 112, 113, 122};
constexpr int kUpdates = 20000, kSettleUpdates = 5000;

using Soak = GameFixture;

TEST_F(Soak, TwentyThousandUpdatesOfRandomInputKeepMemoryFlat) {
    fake_gl::state().recordDraws = false;
    std::mt19937 random(20261206);
    std::map<int, int> releaseAt;  // held keys (and -1, the pointer) and the update they are let go
    int settled = 0, peak = 0;
    for (int update = 0; update < kUpdates; ++update) {
        const int kind = random() % 100, spell = 1 + random() % 8;
        const float x = random() % 700 - 30.0f, y = random() % 540 - 30.0f;
        if (kind < 30) {
            const int key = kKeys[random() % std::size(kKeys)];
            keyDown(key);
            releaseAt[key] = update + spell;
        } else if (kind < 32 && app->m_mode == kModePlaying) {
            keyDown(kKeyEscape), keyUp(kKeyEscape);
        } else if (kind < 80) {
            // Half the presses aim at something drawn, so buttons and boxes are hit too.
            const std::vector<DrawRecord> drawn = records();
            const bool aimed = kind >= 60 && !drawn.empty();
            const DrawRecord& aim = drawn[aimed ? random() % drawn.size() : 0];
            if (!releaseAt.count(-1)) press(aimed ? aim.x : x, aimed ? aim.y : y), releaseAt[-1] = update + spell;
            move(aimed ? aim.x : x, aimed ? aim.y : y);
        } else if (kind < 90) {
            host.KeyEvent(c_NxGameEvent::KeyChar, 'a' + random() % 26);
        } else if (kind == 90 && random() % 20 == 0) {
            static const int sizes[][2] = {{640, 480}, {1280, 720}, {600, 900}, {1920, 1080}};
            resize(sizes[random() % 4][0], sizes[random() % 4][1]);
        } else if (kind == 91 && random() % 20 == 0) {
            host.SuspendGame();
            frame();
            host.ResumeGame();
        }
        for (auto held = releaseAt.begin(); held != releaseAt.end();)
            if (held->second > update) ++held;
            else held->first < 0 ? release() : keyUp(held->first), held = releaseAt.erase(held);
        if (update % 2 == 0) host.RenderGame();
        host.milliseconds = ++ticks * 1000 / 60;
        host.UpdateGame();
        if (update % 1000 == 0) fake_al::state().calls.clear();
        if (update == kSettleUpdates) settled = gc_alloced_bytes + gc_free_bytes;
        if (update > kSettleUpdates) peak = std::max(peak, gc_alloced_bytes + gc_free_bytes);
        ASSERT_GE(app->m_mode, kModeMenu) << "update " << update;
    }
    // One collector cycle's worth of garbage may come and go on top of what lives.
    EXPECT_LT(peak, settled + 2 * kGcCycleBytes);
    EXPECT_LT(peak, 64 << 20);
}

}  // namespace
