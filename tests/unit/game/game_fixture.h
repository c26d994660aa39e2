// Drives the real game object through the test host, with GLFW, OpenGL and
// OpenAL as the link-time fakes: renders, updates and input events go in
// through the host's entry points as a main loop would send them, and the
// game reads the real data/ of the build. The clock, the window size, the
// state store and the pads are plain fields of the test. What the game
// shows is read back from its draw list; what it plays, from the fake AL.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include "game/ids.h"
#include "game/my_app.h"
#include "game/play_record.h"
#include "game/saved_data.h"
#include "tests/fakes/al/fake_al.h"
#include "tests/fakes/gl/fake_gl.h"
#include "tests/support/collector.h"
#include "tests/support/test_host.h"

constexpr float kRectKind = -3717, kOvalKind = -3716, kCell = 32;

// A pad as the host reports it: there or not, its A button and its left stick.
struct TestPad { bool present = false, a = false; float x = 0, y = 0; };
// A record of the draw list as the game lays it out: an image id, kRectKind
// or kOvalKind, and the pen it was drawn with.
struct DrawRecord { float kind, x, y, rot, w, h, frame, alpha, unused1, unused2, r, g, b, blend, unused3; };

class GameFixture : public testing::Test {
protected:
    void SetUp() override {
        fake_gl::Reset();
        fake_al::Reset();
        ASSERT_EQ(chdir(programFolder().c_str()), 0) << "the game reads ./data beside the program";
        nx_app__app = nullptr;
        nx_framework_init();
        nx_graphics_init();
        nx_audio_init();
        nx_game_init();
        // Each test is a fresh run: the samples of earlier tests' games must not discard names the fresh fake hands out again.
        CollectEverythingUnreachable(), DiscardedBuffers().clear();
        host.pollJoystick = [this](int port, Array<float> x, Array<float> y, Array<float>, Array<bool> buttons) {
            const bool present = port >= 0 && port < 4 && pads[port].present;
            if (present) x[0] = pads[port].x, y[0] = pads[port].y, buttons[0] = pads[port].a;
            return present;
        };
        nxGraphicsContextSeq = 1;  // as if the host had opened its window
        app = (new c_MyApp())->m_new();
        host.StartGame();
        finishLoading();
    }
    virtual std::string programFolder() { return FLINGAROO_BUILD_DIR; }

    // One frame of the main loop: a render, then `updates` updates 1/60 s apart.
    void frame(int updates = 1) {
        host.RenderGame();
        for (int i = 0; i < updates; ++i) host.milliseconds = ++ticks * 1000 / 60, host.UpdateGame();
    }
    // The first loading, or the images of a new resolution after a resize.
    void finishLoading() {
        auto loading = [this] { return app->m_loadStep > 0 || app->m_nextLevel != app->m_hdLevel; };
        for (int i = 0; i < 100 && (i == 0 || loading()); ++i) frame();
        ASSERT_FALSE(loading());
    }
    // A level as the menu leaves it to start: mode 11 with the level and control scheme set.
    void startLevel(int level, int scheme = kSchemeKeyboard) {
        app->m_level = level, app->m_ctrlScheme = scheme, app->m_mode = kModeLoadLevel;
        frame();
        ASSERT_EQ(app->m_mode, kModePlaying);
    }
    void resize(int width, int height) { host.deviceWidth = width, host.deviceHeight = height; }
    void keyDown(int code) { host.KeyEvent(c_NxGameEvent::KeyDown, code); }
    void keyUp(int code) { host.KeyEvent(c_NxGameEvent::KeyUp, code); }
    // A key held for `updates` updates, then let go for one.
    void tapKey(int code, int updates = 1) { keyDown(code), frame(updates), keyUp(code), frame(); }
    // The pointer, at points of the virtual screen.
    void press(float x, float y) { host.MouseEvent(c_NxGameEvent::MouseDown, 0, x * app->m_scaleX, y * app->m_scaleY); }
    void move(float x, float y) { host.MouseEvent(c_NxGameEvent::MouseMove, -1, x * app->m_scaleX, y * app->m_scaleY); }
    void release() { host.MouseEvent(c_NxGameEvent::MouseUp, 0, 0, 0); }
    void tap(float x, float y) { press(x, y), frame(), release(), frame(); }

    std::vector<DrawRecord> records() const {
        const auto* first = reinterpret_cast<const DrawRecord*>(&app->m_drawList[0]);
        return {first, first + app->m_drawCount / 15};
    }
    // The characters of the glyphs whose centres lie in [top, bottom), in the order drawn.
    std::string text(float top = -1e9f, float bottom = 1e9f) const {
        std::string out;
        for (const DrawRecord& r : records())
            if (r.kind == app->m_font && r.y >= top && r.y < bottom) out += static_cast<char>(r.frame + 32);
        return out;
    }
    bool shows(const std::string& words) const { return text().find(words) != std::string::npos; }
    // Starts of sound `id` (or of a tune) so far: each start attaches the sound's own buffer (queues a tune's).
    int plays(int id) const { return plays(app->m_sounds[id]); }
    int plays(const c_Sound* sound) const {
        const gxtkSample* sample = sound->m_sample;
        return sample->queue.empty() ? fake_al::state().Count("alSourcei AL_BUFFER " + std::to_string(sample->buffer))
                                     : fake_al::state().Count("alSourceQueueBuffers " + std::to_string(sample->queue[0]));
    }
    // The music channel as heard: the tune on it ("title", "play", or "once ..." when not looping), " held" while
    // paused; "" when silent.
    std::string music() const {
        const fake_al::Source& on = fake_al::state().sources.at(nx_audio_device->channels[kMusicChannel].source);
        const auto is = [&](int t) { return app->m_tunes[t] && app->m_tunes[t]->m_sample && app->m_tunes[t]->m_sample->queue == on.queue; };
        if (on.state != AL_PLAYING && on.state != AL_PAUSED) return "";
        return std::string(on.looping ? "" : "once ") + (is(kTunePlay) ? "play" : is(kTuneTitle) ? "title" : "?") + (on.state == AL_PAUSED ? " held" : "");
    }
    float& ball(int entry) { return app->m_players[entry]; }

    TestHost host;
    TestPad pads[4];
    int ticks = 0;
    c_MyApp* app = nullptr;
};
