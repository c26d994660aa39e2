// A sheet is one image file: `frames` frames of the same size laid out in rows of
// `columns`, left to right and top to bottom, which is the order the game's loader
// cuts them in. Frame sizes are in game units; a sheet is made for one resolution level.
#pragma once

#include <string>

#include "tools/make_assets/canvas.h"

namespace assets {

struct SheetLayout {
    int frameWidth;   // game units
    int frameHeight;  // game units
    int frames;
    int columns;
};

class Sheet {
  public:
    Sheet(SheetLayout layout, int level);
    int Frames() const { return layout_.frames; }
    int Level() const { return level_; }
    FrameView Frame(int index);
    Canvas& Pixels() { return canvas_; }

  private:
    SheetLayout layout_;
    int level_;
    Canvas canvas_;
};

bool WritePng(const std::string& path, const Canvas& canvas);

}  // namespace assets
