// Simple pictograms shared by the icon, button and badge sets, each centred on a point
// and sized by a radius so one drawing serves every set.
#pragma once

#include "tools/make_assets/shapes.h"

namespace assets {

Shape PlayTriangle(Vec2 c, float r);
Shape ArrowLeft(Vec2 c, float r);
Shape CircularArrow(Vec2 c, float r);
Shape Cross(Vec2 c, float r, float width);
Shape Cog(Vec2 c, int teeth, float r, float hole);
Shape House(Vec2 c, float r);
Shape Speaker(Vec2 c, float r);
Shape MusicNote(Vec2 c, float r);
Shape Heart(Vec2 c, float r);
Shape LightningBolt(Vec2 c, float r);
Shape Crown(Vec2 c, float r);
Shape Gem(Vec2 c, float r);
Shape Chevrons(Vec2 c, float r);
Shape Padlock(Vec2 c, float r);

}  // namespace assets
