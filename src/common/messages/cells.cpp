#include "common/messages/cells.h"

#include <cstdio>

#include "common/console.h"
#include "common/messages/quoting.h"

namespace pixcell::messages {

using detail::print;
using detail::quoted;

void sprite_skipped(const std::string& bitmap, const std::string& sprite) {
    print("[" + bitmap + "] not found. obj:" + sprite + " skipped...\n");
}

namespace warn {

namespace {

std::string pixel(const PixelText& at) {
    return "index " + std::to_string(at.index) + " at " + std::to_string(at.x) + "," + std::to_string(at.y);
}

// "indices 17 to 31": the colours a cell can show in `row`.
std::string row_indices(std::int64_t row) {
    return "indices " + std::to_string(row * kRowColours + 1) + " to " + std::to_string(row * kRowColours + 15);
}

}  // namespace

std::string rows_mixed(const std::string& sprite, const std::string& sheet, const std::vector<PixelText>& rows,
                       std::int64_t shown_row) {
    std::string numbers;
    std::string pixels;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const char* between = i == 0 ? "" : i + 1 == rows.size() ? " and " : ", ";
        numbers += between + std::to_string(rows[i].index >> kRowShift);
        pixels += (i == 0 ? "" : "; ") + pixel(rows[i]);
    }
    return "sprite " + quoted(sprite) + " takes its colours from palette rows " + numbers + " of sheet " +
           quoted(sheet) + " (" + pixels + "), but the console shows a sprite in one row: all of it shows in row " +
           std::to_string(shown_row) + ", the row of its first pixel; draw it with the " + row_indices(shown_row) +
           ", or those of one other row";
}

std::string hidden_pixels(const std::string& sprite, const std::string& sheet, std::int64_t count,
                          const PixelText& first, std::int64_t row) {
    return "sprite " + quoted(sprite) + " has " + std::to_string(count) + (count == 1 ? " pixel" : " pixels") +
           " of index 16, 32, ... on sheet " + quoted(sheet) + " (the first: " + pixel(first) +
           "), which the console shows transparent, as it shows index 0: draw them with the " + row_indices(row) +
           " of its row " + std::to_string(row) + ", or with 0 where they are meant to be transparent";
}

std::string sprite_invisible(const std::string& sprite, const std::string& sheet, std::int64_t x, std::int64_t y) {
    return "sprite " + quoted(sprite) + " has not one pixel the console shows on sheet " + quoted(sheet) +
           " (its part at " + std::to_string(x) + "," + std::to_string(y) +
           " is all transparent, or of index 16, 32, ...): it gets a null slot in the pattern table; draw it, or "
           "remove its lines";
}

std::string transparent_entry(const std::string& sheet, std::int64_t entry, std::int64_t alpha,
                              std::int64_t more_entries) {
    return "sheet " + quoted(sheet) + " makes palette entry " + std::to_string(entry) +
           (alpha == 0 ? " transparent" : " partly transparent") + " (alpha " + std::to_string(alpha) +
           " in its tRNS chunk" +
           (more_entries > 0
                ? ", and " + std::to_string(more_entries) + (more_entries == 1 ? " more entry" : " more entries")
                : std::string()) +
           "), but the console shows entry 0 of each row transparent and every other entry opaque: save the sheet "
           "with its transparent colour at entry 0 (or 16, 32, ... for the other rows)";
}

std::string too_many_cells(std::size_t cells) {
    return std::to_string(cells) + " distinct cells take " + std::to_string(cells * kCellBytes) +
           " bytes, more than the " + std::to_string(kSpriteTileMemoryBytes) + " bytes (" +
           std::to_string(kCellsInSpriteTileMemory) + " cells) of sprite tile memory in the tile modes";
}

std::string sprite_too_many_cells(const std::string& name, std::size_t cells) {
    return "sprite " + quoted(name) + " has " + std::to_string(cells) + " cells, more than the console's " +
           std::to_string(kObjectCount) + " hardware sprites";
}

}  // namespace warn

void conversion_summary(std::int64_t sprites, std::int64_t parts, std::int64_t cells, std::int64_t empty,
                        std::int64_t distinct, std::int64_t mirrored) {
    const std::int64_t bytes = distinct * static_cast<std::int64_t>(kCellBytes);
    char share[32];
    std::snprintf(share, sizeof share, "%.1f", 100.0 * static_cast<double>(bytes) / kSpriteTileMemoryBytes);
    print("pixcell: " + std::to_string(sprites) + " sprites, " + std::to_string(parts) + " parts, " +
          std::to_string(cells) + " cells cut (" + std::to_string(empty) + " empty), " + std::to_string(distinct) +
          " distinct cells stored, " + std::to_string(mirrored) + " matched as a mirror image, " +
          std::to_string(bytes) + " bytes of sprite tile memory (" + share + " % of 32 KB)\n");
}

}  // namespace pixcell::messages
