// The image families: one function per image file of the data directory, each drawing
// every frame of a sheet in game units. Which file uses which function, with what frame
// size, count and layout, is the table in main.cpp.
#pragma once

#include "tools/make_assets/sheet.h"

namespace assets {

void DrawGameSprites(Sheet& sheet);     // gfx: ball, ring, walls, start markers
void DrawBlockTiles(Sheet& sheet);      // tiles: 64 block styles
void DrawParticles(Sheet& sheet);       // parts: sparkles, shards and stars
void DrawIcons(Sheet& sheet);           // common/icons
void DrawButtons(Sheet& sheet);         // common/Buttons: level buttons, cogs, credits picture
void DrawDpad(Sheet& sheet);            // common/dpad
void DrawBadges(Sheet& sheet);          // BadgesA
void DrawStudioEmblem(Sheet& sheet);    // common/QRTZLogo
void DrawTestCardCircle(Sheet& sheet);  // common/Testcard_Circle
void DrawGameLogo(Sheet& sheet);        // logo
void DrawMenuPictures(Sheet& sheet);    // menu
void DrawGameFont(Sheet& sheet);        // fonts/editundo: glyphs and button icons
void DrawDefaultFont(Sheet& sheet);     // vela_font: the framework's fallback font

}  // namespace assets
