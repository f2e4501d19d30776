// The animations an art program's export tags: plain values the export
// reader makes and the animation output reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pixcell {

// In the order the generated tables number them.
enum class AnimationDirection : std::int32_t { forward = 0, reverse = 1, pingpong = 2, pingpong_reverse = 3 };

struct AnimationTag {
    std::string name;  // as the export writes it
    std::int32_t from = 0;  // first and last frame, positions in the sprite list
    std::int32_t to = 0;
    AnimationDirection direction = AnimationDirection::forward;
    std::int32_t repeat = 0;  // passes to play; 0: for ever
};

struct Animations {
    std::vector<std::int32_t> durations;  // milliseconds, by frame (so by sprite)
    std::vector<AnimationTag> tags;       // in the export's order
};

}  // namespace pixcell
