// The messages of the cutting into cells: sprites left out, colours the
// console can't show as the sheet has them, its limits, and --stats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pixcell::messages {

// A sprite whose sheet is not loaded is left out.
void sprite_skipped(const std::string& bitmap, const std::string& sprite);

namespace warn {

// Colours the console can't show as the sheet has them. A pixel is given
// as its index and its place on the sheet.
struct PixelText {
    std::int64_t index;
    std::int64_t x;
    std::int64_t y;
};
std::string rows_mixed(const std::string& sprite, const std::string& sheet, const std::vector<PixelText>& rows,
                       std::int64_t shown_row);
std::string hidden_pixels(const std::string& sprite, const std::string& sheet, std::int64_t count,
                          const PixelText& first, std::int64_t row);
std::string sprite_invisible(const std::string& sprite, const std::string& sheet, std::int64_t x, std::int64_t y);
std::string transparent_entry(const std::string& sheet, std::int64_t entry, std::int64_t alpha,
                              std::int64_t more_entries);

// The console's limits.
std::string too_many_cells(std::size_t cells);
std::string sprite_too_many_cells(const std::string& name, std::size_t cells);

}  // namespace warn

// --stats: what a conversion did, on standard error.
void conversion_summary(std::int64_t sprites, std::int64_t parts, std::int64_t cells, std::int64_t empty,
                        std::int64_t distinct, std::int64_t mirrored);

}  // namespace pixcell::messages
