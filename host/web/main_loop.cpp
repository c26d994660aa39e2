// Start-up and the fixed-rate main loop in the browser. The browser calls
// Frame once per displayed frame; Frame renders, applies the focus rule and
// runs one to four updates at a fixed step, dropping the backlog after four,
// as the desktop loop does. Where the desktop loop sleeps until the next
// update is due, this one leaves frames that come too early to the browser.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstdlib>

#include "host/fixed_rate.h"
#include "host/web/browser.h"
#include "host/web/web_game.h"
#include "runtime/error.h"

NxWebGame* NxWebGame::_webGame = nullptr;

namespace {

double NowSeconds() { return emscripten_get_now() / 1000.0; }

}  // namespace

NxWebGame::NxWebGame() {
    _game = this;
    _webGame = this;
    _clockStart = NowSeconds();
}

void NxWebGame::Main() {
    auto* host = new NxWebGame();
    try {
        nx_host_StartRuntime();
    } catch (ThrowableObject* exception) {
        host->Die(exception);
    }
    if (host->Delegate()) host->Run();
}

void NxWebGame::Run() {
    if (!nx_web_create_context()) {
        std::puts("This browser cannot draw the game: WebGL is not available.");
        std::exit(-1);
    }
    ++nxGraphicsContextSeq;
    FollowPageSize();
    RegisterInput();
    _focused = nx_web_page_focused();
    _visible = nx_web_page_visible();
    StartGame();
    nx_web_watch_audio();  // the audio device is made as the game starts
    // The browser's frame callback drives the loop; with simulate_infinite_loop
    // set this call does not return, so nothing below main() runs.
    emscripten_set_main_loop(Frame, 0, 1);
}

int NxWebGame::Millisecs() { return static_cast<int>((NowSeconds() - _clockStart) * 1000.0); }

// Browser frames come at the display's rate, not the update rate. An update
// is taken at the frame nearest its due time: half a period early rather than
// a frame late, so a 60 Hz display runs one update every frame despite the
// jitter of its frame times.
bool NxWebGame::UpdateDue() const {
    if (_suspended || _nextUpdate == 0.0 || _updateRate == 0) return true;
    return _nextUpdate - NowSeconds() < _updatePeriod / 2;
}

void NxWebGame::Frame() {
    NxWebGame* host = _webGame;
    if (!host->UpdateDue()) return;
    host->FollowPageSize();
    host->RenderGame();
    if (!host->ApplyFocusRule()) return;
    // A browser without the Gamepad API has no pads to read: the game plays on without.
    host->_padsSampled = emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS;
    nx_host_RunUpdates(host, host->_updatePeriod, &host->_nextUpdate, NowSeconds);
}

// Losing focus or hiding the tab suspends the game; coming back resumes it.
// Once suspended, and after the frame that shows it, the loop pauses, so a
// suspended game takes no time at all; the focus and visibility listeners
// start it again. False when no update should run.
bool NxWebGame::ApplyFocusRule() {
    const bool active = _focused && _visible;
    if (!active && _suspended) {
        _loopPaused = true;
        emscripten_pause_main_loop();
        return false;
    }
    return nx_host_FollowFocus(this, active, &_nextUpdate);
}

// A hidden tab gets no frames, so the game is suspended (and saves) from the
// listener itself, not at a next frame that may never come.
void NxWebGame::OnVisibility(bool visible) {
    _visible = visible;
    OnFocus(_focused);
}

void NxWebGame::OnFocus(bool focused) {
    _focused = focused;
    if (!(_focused && _visible)) {
        ReleaseHeldKeys();
        if (!_suspended) {
            SuspendGame();
            _nextUpdate = 0.0;
        }
    }
    if (_loopPaused && _focused && _visible) {
        _loopPaused = false;
        emscripten_resume_main_loop();
    }
}

// The canvas fills the page; its drawing buffer has one pixel per device
// pixel, so the game is as sharp as the display and follows every resize
// and zoom.
void NxWebGame::FollowPageSize() {
    double cssWidth = 0, cssHeight = 0;
    emscripten_get_element_css_size("#canvas", &cssWidth, &cssHeight);
    const double ratio = emscripten_get_device_pixel_ratio();
    const int width = static_cast<int>(cssWidth * ratio + 0.5);
    const int height = static_cast<int>(cssHeight * ratio + 0.5);
    if (width == _canvasWidth && height == _canvasHeight) return;
    emscripten_set_canvas_element_size("#canvas", width, height);
    _canvasWidth = width;
    _canvasHeight = height;
}

bool NxWebGame::GetDesktopMode(NxVideoMode* mode) {
    nx_web_screen_size(&mode->width, &mode->height);
    return true;
}

bool NxWebGame::SetWindow(int, int, bool fullscreen) {
    ReleaseHeldKeys();
    _fullscreenAsked = fullscreen;
    if (fullscreen) {
        nx_web_request_fullscreen();
    } else {
        nx_web_exit_fullscreen();
    }
    return true;
}

// The browser leaves fullscreen by itself when the player presses Escape
// (which the page never sees). The game still counts itself fullscreen, so
// it hears the way out it knows, F11, and switches its option back.
void NxWebGame::OnFullscreenChange(bool fullscreen) {
    if (fullscreen || !_fullscreenAsked) return;
    _fullscreenAsked = false;
    KeyEvent(c_NxGameEvent::KeyDown, kKeyF11);
    KeyEvent(c_NxGameEvent::KeyUp, kKeyF11);
}

void NxWebGame::SetMouseVisible(bool visible) { nx_web_show_cursor(visible); }

void NxWebGame::OpenUrl(const String& url) { nx_web_open_url(url.ToUtf8().c_str()); }

// The game never ends itself in a page (CanEndProgram), but a runtime error,
// or a browser that cannot draw, ends the program with exit(), as on the
// desktop. A page's program is kept alive by its frame callback, where exit()
// alone would only unwind the call that made it and leave the next frame to
// run a program that has stopped. So the program links its calls to exit()
// here (-Wl,--wrap=exit) and ends for good: no frame or listener runs again,
// and the page hears of it through its onExit.
extern "C" void __real_exit(int status);

extern "C" void __wrap_exit(int status) {
    emscripten_force_exit(status);
    __real_exit(status);  // not reached: the forced exit unwinds
}
