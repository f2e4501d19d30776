// The animations an export's tags hold, as C: NAME_anim.c with the frame
// and animation tables, NAME_anim.h with their declarations, an enumerator
// per tag and their count. The types are the reference spriteanim.h's.
#pragma once

#include <cstdint>
#include <string>

#include "description/animations.h"
#include "description/sprite_list.h"

namespace pixcell {

struct AnimationTexts {
    std::string source;
    std::string header;
};

// A duration in milliseconds as the console's frames (59.7275 a second),
// rounded to nearest, at least one.
std::int32_t console_frames(std::int32_t milliseconds);

AnimationTexts render_animations(const SpriteList& sprites, const Animations& animations,
                                 const std::string& ident_base);

}  // namespace pixcell
