// Local improvements of a cover, each of which makes it cheaper: what the
// straight cuts of guillotine_cover can't see, such as objects that
// overhang their neighbours' pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "objects/object_cost.h"
#include "objects/pixel_mask.h"
#include "objects/shape_choice.h"

namespace pixcell {

// Until none applies: drops an object whose pixels all show in others;
// shrinks one to a cheaper shape over the pixels only it shows; puts one
// object where two were when one shape holds the pixels only those two show
// for less. New objects are placed by place_over about the centre given.
void refine_cover(const PixelMask& mask, const ObjectCost& cost, std::int32_t centre_x2, std::int32_t centre_y2,
                  std::vector<Placement>& cover);

}  // namespace pixcell
