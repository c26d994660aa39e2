// The browser host on Emscripten: the canvas and its WebGL context, the main
// loop driven by the browser's frame callback, keyboard, mouse, touch and
// Gamepad API input, fullscreen, and the saved string kept in the browser's
// storage. The only folder that includes Emscripten's headers; its page-side
// half (context creation, storage, audio start) is browser.js beside it.
#pragma once

#include "host/nxgame.h"

class NxWebGame : public NxGame {
public:
    NxWebGame();

    // Start-up: the runtime, the application, the canvas, then the frames.
    // Returns at once; the browser calls the frames from then on.
    static void Main();

    int Millisecs() override;
    bool PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                      Array<bool> buttons) override;
    void OpenUrl(const String& url) override;
    void SetMouseVisible(bool visible) override;
    int GetDeviceWidth() override { return _canvasWidth; }
    int GetDeviceHeight() override { return _canvasHeight; }
    int SaveState(const String& state) override;
    String LoadState() override;
    bool StateChangedElsewhere() override;
    bool DataReady(const String& suffix) override;
    bool CanEndProgram() override { return false; }

    // The "desktop" is the screen, in device pixels: what a fullscreen page
    // is sized to.
    bool GetDesktopMode(NxVideoMode* mode) override;
    // The page decides the canvas's size; only the fullscreen choice is the
    // game's. Fullscreen needs a user gesture: asked for outside one, the
    // request waits for the next key or button release, the end of the
    // gesture that asked for it.
    bool SetWindow(int width, int height, bool fullscreen) override;

    static NxWebGame* _webGame;

    // Called by the page's focus, visibility and fullscreen listeners.
    void OnFocus(bool focused);
    void OnVisibility(bool visible);
    void OnFullscreenChange(bool fullscreen);

private:
    void Run();
    static void Frame();
    bool UpdateDue() const;
    bool ApplyFocusRule();
    void FollowPageSize();
    void RegisterInput();
    void ReleaseHeldKeys();

    double _clockStart = 0.0;
    int _canvasWidth = 0, _canvasHeight = 0;
    bool _focused = true, _visible = true;
    bool _loopPaused = false;
    bool _fullscreenAsked = false;  // the game's last word on fullscreen
    bool _padsSampled = false;      // this frame's pads were read from the page
};

// The page's keys, as the "code" of its keyboard events, to program key codes
// and characters; and the browser's standard game pad to the program's layout.
// Pure, so they are tested without a browser.
int nx_web_KeyCode(const char* domCode);
int nx_web_KeyChar(const char* domKey, bool withCommandModifier);
int nx_web_MouseButton(int domButton);
