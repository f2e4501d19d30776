// The description stage: reads a sprite description into the sprite list,
// loading each sheet as its line is read (so that sheet messages come in
// text order), and placing the parts that give no position.
#pragma once

#include <string>

#include "description/actions.h"
#include "description/sprite_list.h"
#include "sheets/sheet_store.h"

namespace pixcell {

struct Description {
    SpriteList sprites;
    // False when the text doesn't start as the language does; what was read
    // before that still counts.
    bool matched = false;
};

// Reads from the start of the text up to where it stops fitting the language;
// the text after that is ignored. The text ends at its first NUL.
Description parse_description(const std::string& text, SheetStore& sheets);

// The same on a reader state the caller holds, to look at it afterwards.
// True when the text matched.
bool parse_description(const std::string& text, ReaderContext& ctx);

}  // namespace pixcell
