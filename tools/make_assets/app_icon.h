// The program's icon for the desktop: window, menu entry and package.
#pragma once

#include "tools/make_assets/canvas.h"

namespace assets {

// The sizes the icon is drawn at, in pixels; the desktop picks among them.
constexpr int kAppIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// Draws the icon over the whole of a square canvas.
void DrawAppIcon(Canvas& canvas);

}  // namespace assets
