// A long run of random input through the whole game: keys and the pointer
// held for random spells, presses aimed at what is drawn, typed letters,
// focus changes and window sizes, an event every update, in every screen the
// input leads to. Nothing may fail (the sanitizer build runs this too), and
// once the collector has settled, memory must stay flat.
#include <algorithm>
#include <random>

#include "tests/unit/game/game_fixture.h"

namespace {

// Keys a player may press anywhere: directions, the select and fling keys,
// iCade letters and F1, F2 and F11. Leaving keys (F4, close, back in the
// menu) would end the run, so back is only pressed during play.
constexpr int kKeys[] = {kKeyLeft, kKeyUp, kKeyRight, kKeyDown, 'A', 'D', 'W', 'S', kKeySpace, kKeyEnter,
                         kKeyControl, kKeyShift, 'Z', 'X', 'J', 'K', 'C', 'V', 'I', 'B', 'U', 'N', 'O', 'L',
                         kKeyF1, kKeyF2, kKeyF11};

using Soak = GameFixture;

TEST_F(Soak, TwentyThousandUpdatesOfRandomInputKeepMemoryFlat) {
    fake_gl::state().recordDraws = false;
    std::mt19937 random(20261206);
    int releaseAt[256] = {}, settled = 0, peak = 0;  // by key code, 0 for the pointer: the update it is let go
    for (int update = 1; update <= 20000; ++update) {
        const int kind = random() % 100, spell = 1 + random() % 8, key = kKeys[random() % std::size(kKeys)];
        const std::vector<DrawRecord> drawn = records();  // half the presses aim at something drawn
        const DrawRecord* aim = kind % 2 && !drawn.empty() ? &drawn[random() % drawn.size()] : nullptr;
        const float x = aim ? aim->x : random() % 700 - 30.0f, y = aim ? aim->y : random() % 540 - 30.0f;
        if (kind < 30) keyDown(key), releaseAt[key] = update + spell;
        else if (kind < 32 && app->m_mode == kModePlaying) keyDown(kKeyEscape), keyUp(kKeyEscape);
        else if (kind < 80 && !releaseAt[0]) press(x, y), releaseAt[0] = update + spell;
        else if (kind < 80) move(x, y);
        else if (kind < 90) host.KeyEvent(c_NxGameEvent::KeyChar, 'a' + random() % 26);
        else if (kind == 90 && random() % 20 == 0) resize(480 + random() % 1500, 480 + random() % 700);
        else if (kind == 91 && random() % 20 == 0) host.SuspendGame(), frame(), host.ResumeGame();
        for (int code = 0; code < 256; ++code)
            if (releaseAt[code] == update) code ? keyUp(code) : release(), releaseAt[code] = 0;
        if (update % 2 == 0) host.RenderGame();
        host.milliseconds = ++ticks * 1000 / 60;
        host.UpdateGame();
        if (update % 1000 == 0) fake_al::state().calls.clear();
        if (update == 5000) settled = gc_alloced_bytes + gc_free_bytes;
        peak = update > 5000 ? std::max(peak, gc_alloced_bytes + gc_free_bytes) : 0;
        ASSERT_GE(app->m_mode, kModeMenu) << "update " << update;
    }
    // One collector cycle's worth of garbage may come and go on top of what lives.
    EXPECT_LT(peak, settled + 2 * kGcCycleBytes);
    EXPECT_LT(peak, 64 << 20);
}

}  // namespace
