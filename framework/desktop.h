// The desktop window switch: the one door from the framework to the desktop
// host, for the fullscreen option. Every call is refused (false) when the
// program runs on another host, which has no windows to switch. The browser
// build implements it in browser.cpp instead, with the screen and the
// browser's fullscreen.
#pragma once

// The desktop's video mode.
struct nx_desktop_Mode {
    int width = 0;
    int height = 0;
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The desktop's video mode; false without a desktop host.
bool nx_desktop_GetMode(nx_desktop_Mode* mode);

// Opens the game's window again, fullscreen on the primary monitor or as a
// window of the given size, with the desktop mode's colour depth; false
// without a desktop host.
bool nx_desktop_SetWindow(int width, int height, const nx_desktop_Mode& mode, bool fullscreen);
