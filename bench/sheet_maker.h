// Benchmark sheets: square 8-bit BMPs whose 16x16 cells come in a fixed mix,
// and the descriptions that cover them with 32x32 parts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pixcell::bench {

// What a correct conversion of a sheet and its description yields.
struct SheetCounts {
    std::int64_t cells = 0;     // every 16x16 cell of the sheet
    std::int64_t distinct = 0;  // cells stored in the .s: the unique quarter
    std::int64_t placed = 0;    // non-empty cells, one pattern entry each
    std::int64_t parts = 0;     // 32x32 parts in the description
};

// Writes `dir/stem.bmp`, side x side pixels (side a multiple of 32), and
// `dir/stem.txt`, which names the sheet as "stem.bmp" (relative to dir).
// With `with_png`, also the same pixels as an indexed PNG, `dir/stem.png`,
// and as an RGBA PNG, `dir/stem_rgba.png`, with `dir/stem_png.txt` and
// `dir/stem_rgba.txt`, the same description naming them.
// A quarter of the cells are unique, a quarter exact repeats of unique ones,
// a quarter mirrored copies (left-right, top-bottom, half turn in turn) and
// a quarter empty, shuffled over the sheet. Nothing when a file can't be
// written (reported on stderr) or side is not a positive multiple of 32. Each
// sprite is drawn in a palette row of its own, chosen at random: repeats and
// mirrors in a sprite of another row, and empty cells (indices 0 and 16 *
// row), match (or count as empty) only once the high nibble is dropped.
std::optional<SheetCounts> write_sheet_and_description(const std::string& dir, const std::string& stem,
                                                       std::int32_t side, std::uint64_t seed, bool with_png = false);

}  // namespace pixcell::bench
