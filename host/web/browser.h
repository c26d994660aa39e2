// The page-side half of the browser host, in browser.js: what C++ cannot
// reach through Emscripten's own headers.
#pragma once

#include <cstdint>

extern "C" {

// Creates the canvas's WebGL context through Emscripten's browser support,
// which also starts its OpenGL 1.x emulation; 0 when WebGL is not available.
int nx_web_create_context();
int nx_web_page_focused();
int nx_web_page_visible();
// Starts the page's audio at the first key, click or touch, as browsers
// allow only then, and tells the page while it waits.
void nx_web_watch_audio();

void nx_web_screen_size(int* width, int* height);
void nx_web_request_fullscreen();
void nx_web_exit_fullscreen();
void nx_web_show_cursor(int visible);
void nx_web_block_context_menu();
void nx_web_open_url(const char* url);

// 1 when the data files ending in `suffix` are in the file system. The
// first ask for a suffix starts fetching its pack, flingaroo<suffix>.data,
// into it; the plain files came with the program.
int nx_web_data_ready(const char* suffix);

// The stored string as `*length` UTF-16 code units in a heap buffer the
// caller frees, or null.
uint16_t* nx_web_storage_load(const char* key, int* length);
// Stores `length` UTF-16 code units. 0 stored; -1 the browser has no storage
// for the page; -2 it refused the string (full).
int nx_web_storage_save(const char* key, const uint16_t* units, int length);
// 1 when another tab of the site stored `key` since the last call, else 0;
// the first call starts listening for their saves.
int nx_web_storage_changed(const char* key);
}
