// The program's icon: window, menu entry, package and the installed web page.
#pragma once

#include "tools/make_assets/canvas.h"

namespace assets {

// The sizes the icon is drawn at, in pixels; the desktop picks among them,
// and a phone's home screen takes the two largest from the web page.
constexpr int kAppIconSizes[] = {16, 24, 32, 48, 64, 128, 192, 256, 512};

// Draws the icon over the whole of a square canvas.
void DrawAppIcon(Canvas& canvas);

}  // namespace assets
