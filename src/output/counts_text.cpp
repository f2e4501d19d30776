#include "output/counts_text.h"

#include <algorithm>
#include <cstdint>

#include "common/console.h"
#include "output/compressed_texts.h"
#include "output/text_templates.h"

namespace pixcell {

std::int64_t kept_tiles(const Conversion& conversion, const ObjectConversion* objects) {
    // Streamed, a description keeps one slot of its largest block.
    if (objects != nullptr && objects->stream) return objects->stream->most_tiles;
    if (objects != nullptr) return objects->counts.tiles;
    return static_cast<std::int64_t>(conversion.cells.size() * (kCellBytes / kTileBytes));
}

std::string render_counts(const Conversion& conversion, const std::string& ident_base, const ChainStart& start,
                          std::int64_t tiles, const CompressedTiles* compressed) {
    std::int64_t table_length = 0;
    std::size_t most_cells = 0;
    // Only a sprite that shows something has a row that matters: one that
    // doesn't is in row 0, which would make its description's rows meet
    // every other's.
    std::int32_t lowest_row = kPaletteRows;
    std::int32_t highest_row = -1;
    for (std::size_t e = 0; e < conversion.sprites.size(); ++e) {
        const ConvertedSprite& sprite = conversion.sprites[e];
        if (sprite.cell_count == 0) continue;
        table_length = static_cast<std::int64_t>(e) + 1;
        most_cells = std::max(most_cells, sprite.cell_count);
        lowest_row = std::min(lowest_row, sprite.palette_row);
        highest_row = std::max(highest_row, sprite.palette_row);
    }
    const std::int32_t first_row = highest_row < 0 ? start.first_row : lowest_row;
    const std::int32_t row_count = highest_row < 0 ? 0 : highest_row - lowest_row + 1;
    const std::int64_t cells = conversion.cells.size();

    std::string out = "#ifndef " + ident_base + "_COUNTS_H\n#define " + ident_base + "_COUNTS_H\n";
    append_define(out, ident_base + "_CELL_COUNT", cells, "distinct 16x16 cells in the cell array");
    append_define(out, ident_base + "_CELL_BYTES", cells * static_cast<std::int64_t>(kCellBytes),
                  "their bytes of sprite tile memory");
    append_define(out, ident_base + "_SPRITE_COUNT", static_cast<std::int64_t>(conversion.sprites.size()),
                  "enumerators");
    append_define(out, ident_base + "_PATTERN_TABLE_LENGTH", table_length,
                  "elements of the pattern table: the last sprite with cells, plus one");
    append_define(out, ident_base + "_MOST_CELLS", static_cast<std::int64_t>(most_cells),
                  "the most cells, so objects, of one sprite");
    append_define(out, ident_base + "_FIRST_ROW", first_row, "the lowest palette row a sprite uses");
    append_define(out, ident_base + "_ROW_COUNT", row_count, "rows from there to the highest a sprite uses");
    append_define(out, ident_base + "_FIRST_TILE", start.first_tile,
                  "the tile its tiles are loaded at: where the description of --after ends");
    append_define(out, ident_base + "_END_TILE", start.first_tile + tiles,
                  "the tile after them: FIRST_TILE plus the tiles it keeps in tile memory");
    if (compressed) append_compressed_counts(out, *compressed, ident_base);
    out += "#endif\n";
    return out;
}

}  // namespace pixcell
