// State of the description reader between actions.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "description/sprite_list.h"

namespace pixcell {

// Numbers read and not yet taken by a field.
using ValueStack = std::deque<std::int32_t>;

// The value `entry` gets after each closed line: only the first line of a
// description defaults to 16x16, later lines inherit the size before them.
constexpr SpritePart kEntryReset{-1, -1, -1, -1, 0, 0, 0};
constexpr SpritePart kEntryStart{-1, -1, 16, 16, 0, 0, 0};

struct ParseState {
    ValueStack values;
    bool negate_next = false;  // a "-" before "$" negates the next number pushed
    std::string bitmap_file;   // sheet of the most recent bitmap line
    std::string entry_name;    // name of the entry line being read
    SpritePart entry = kEntryStart;
    SpritePart previous{};  // the last closed entry, as completed
    SpriteObject current;   // the sprite under construction

    // For messages about the line being read: where its name starts, and the
    // size it gave before rounding.
    const char* entry_at = nullptr;
    const char* bitmap_at = nullptr;  // where the last sheet line's file name starts
    bool size_given = false;
    std::int32_t given_width = 0;
    std::int32_t given_height = 0;
};

}  // namespace pixcell
