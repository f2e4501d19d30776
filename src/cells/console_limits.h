// What a conversion is warned about: more than the console can hold or show.
#pragma once

#include "cells/convert.h"
#include "common/diagnostics.h"
#include "description/sprite_list.h"

namespace pixcell {

// Sprites with more cells than there are hardware sprites, in list order,
// then more distinct cells than sprite tile memory holds in the tile modes.
void warn_about_limits(const Conversion& conversion, const SpriteList& sprites, Diagnostics& diagnostics);

}  // namespace pixcell
