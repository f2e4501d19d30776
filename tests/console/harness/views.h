// Where the harness puts a sprite on screen, and how it splits what one run
// can show: a run places at most one object per cell, 128 in all, and the
// console draws only so many objects on one line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "console/harness/expected_picture.h"

namespace pixcell::console {

// Views that together show every cell whole at least once, plus views that
// hang the sprite off each edge and corner of the screen. Nothing and a
// reason when the sprite can't be shown (offsets beyond what a run handles,
// or more cells stacked on one spot than object memory holds).
std::optional<std::vector<View>> choose_views(const std::vector<ShownCell>& cells, std::string& error);

// One view with the whole sprite in the middle of the screen, every cell
// placed (a game's objects, placed all at once); nothing and a reason when
// the sprite is larger than the screen.
std::optional<View> centred_view(const std::vector<ShownCell>& cells, std::string& error);

}  // namespace pixcell::console
