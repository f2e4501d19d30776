// The sprites of a description or an art program's export as the harness
// shows them: read with the converter's own readers (which other tests
// cover), their pixels from the sheets read by the harness itself.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "console/harness/expected_picture.h"
#include "console/harness/sheet_pixels.h"

namespace pixcell::console {

// A sprite as the enumeration numbers it: those whose sheet loaded and that
// have parts, in list order.
struct ListedSprite {
    std::string name;
    std::string bitmap;
    int table_index = 0;
    int row = 0;  // of the palette, as the sheet says
    std::vector<ShownCell> cells;
};

struct Description {
    std::vector<ListedSprite> sprites;
    std::map<std::string, SheetPixels> sheets;  // by the name the description gives
};

// `objects`: the sprites are shown by their objects, each part at its own
// size. A path ending in ".json" is read as an export, each frame a sprite.
std::optional<Description> read_sprites(const std::string& path, bool objects = false);

}  // namespace pixcell::console
