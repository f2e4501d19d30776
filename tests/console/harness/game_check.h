// The check of a game ROM (the example game) that shows the sprites of
// several descriptions at once, some of them animated:
//
//   console_check --grid LEFT,TOP,STEP_X,STEP_Y,COLUMNS [--place X,Y[,STEP] DESCRIPTION]...
//                 [--animate X,Y,FLIP,TAG EXPORT]... [--frames N --tick-address ADDRESS]
//                 [--save-screens DIR] ROM DESCRIPTION...
//
// The DESCRIPTIONs' sprites with cells are in a grid, drawn with their
// cells: sprite i, counting on from one description to the next, with its
// origin at (LEFT + STEP_X * (i % COLUMNS), TOP + STEP_Y * (i / COLUMNS)).
// Each --place shows one more description's sprites with objects, each
// part at its own size, sprite i with its origin at (X + STEP * i, Y).
// Each --animate shows one tag of an art program's export (a JSON file
// beside its sheet): at console frame t of the animations the frame that
// the tag's durations give (each `duration` ms x 59.7275 / 1000, rounded,
// at least 1; forward, `repeat` passes or for ever), its origin at (X, Y),
// mirrored as a whole by FLIP (attribute 1's flip bits, 0x1000 left-right,
// 0x2000 top-bottom). That sequence is worked out here from the JSON
// itself, not from the generated tables.
//
// The game's picture is compared with the sheets' own colours (each
// sheet's colour table, or a true-colour sheet's twin: sheet_pixels.h),
// whatever palette rows the converter chose: a sprite loaded into another
// description's rows shows in wrong colours. With --frames N the ROM runs N
// frames after set-up and every picture is compared, each at the console
// frame t that the ROM wrote at ADDRESS with the sprites it shows.
#pragma once

namespace pixcell::console {

// Exit status 0 when every picture matches, 1 when one differs, 2 when
// the check can't be made.
int check_game(int argc, char** argv);

}  // namespace pixcell::console
