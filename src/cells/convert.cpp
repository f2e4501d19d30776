#include "cells/convert.h"

#include <algorithm>
#include <limits>

#include "common/console.h"

#include "cells/cell_dictionary.h"
#include "cells/cut_pipeline.h"
#include "cells/part_cells.h"

namespace pixcell {

namespace {

// Placed cells reserved at most: parts that overlap many times may place
// more, and then the list grows by copying.
constexpr std::size_t kMostReserved = std::size_t{4} << 20;

// The most cells the parts can place: those they cover on their sheets. It
// is reserved at once so that the list never grows by copying; pages that
// stay unused cost no memory. Capped, for parts that overlap many times.
std::size_t most_cells(const SpriteList& sprites, const SheetStore& sheets) {
    std::size_t cells = 0;
    for (const SpriteObject& sprite : sprites) {
        const std::int32_t sheet = sheets.find(sprite.bitmap);
        if (sheet < 0) continue;
        const IndexedImage& image = sheets.sheet(sheet);
        for (const SpritePart& part : sprite.parts) {
            const CellRange columns = cells_on_sheet(part.x, part.width, image.width());
            const CellRange rows = cells_on_sheet(part.y, part.height, image.height());
            cells += static_cast<std::size_t>((columns.end - columns.begin) * (rows.end - rows.begin));
            if (cells >= kMostReserved) return kMostReserved;
        }
    }
    return cells;
}

// The cells of a part, on its sheet or not; huge parts saturate the count
// instead of overflowing it.
void count_cells(const SpritePart& part, std::int64_t& cells) {
    const std::int64_t columns = part.width / kCellPixels;
    const std::int64_t rows = part.height / kCellPixels;
    if (columns <= 0 || rows <= 0) return;
    const std::int64_t most = std::numeric_limits<std::int64_t>::max();
    const std::int64_t added = columns > most / rows ? most : columns * rows;
    cells = cells > most - added ? most : cells + added;
}

}  // namespace

std::vector<std::size_t> converted_sprites(const SpriteList& sprites, const SheetStore& sheets) {
    std::vector<std::size_t> converted;
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        if (sheets.find(sprites[i].bitmap) >= 0 && !sprites[i].parts.empty()) converted.push_back(i);
    }
    return converted;
}

Conversion convert(const SpriteList& sprites, const SheetStore& sheets, const ConversionProgress& progress) {
    Conversion result;
    CellDictionary dictionary;
    result.placed.reserve(most_cells(sprites, sheets));
    result.sprites.reserve(sprites.size());
    // Only lists that can't grow by copying may be read from another thread.
    const bool tell_as_it_goes = progress && result.placed.capacity() < kMostReserved;

    // Sprites are listed cell by cell a batch at a time, and then each batch
    // is cut: that way the pipeline can fetch a few cells ahead of the one
    // it adds, and the list stays small.
    constexpr std::size_t kBatchCells = 4096;
    struct Listed {
        std::size_t sprite;
        std::size_t end;  // its cells are those before `end`, after the previous sprite's
    };
    std::vector<Listed> listed;
    std::vector<CellToCut> cells;
    const auto cut_batch = [&]() {
        CutPipeline pipeline(sheets, dictionary, cells);
        std::size_t next_cell = 0;
        for (const Listed& sprite : listed) {
            ConvertedSprite converted{sprite.sprite, result.placed.size(), 0};
            const std::size_t first_cut = next_cell;
            RowSpan rows;
            for (; next_cell < sprite.end; ++next_cell) {
                FlipFlags flip = 0;
                RowSpan span;
                const std::uint32_t stored = dictionary.size();
                const std::int32_t index = pipeline.next(flip, span);
                rows.add(span);
                if (index < 0) continue;  // empty cell
                const CellToCut& cell = cells[next_cell];
                if (dictionary.size() != stored) {
                    result.cell_sheets.push_back(cell.sheet);
                } else if (flip != cell.flip) {
                    ++result.counts.mirrored;  // the stored cell is shown mirrored
                }
                result.placed.push_back({index, cell.x_offset, cell.y_offset, flip});
            }
            converted.cell_count = result.placed.size() - converted.first_cell;
            converted.palette_row = sprite_row(rows, converted.cell_count > 0, cells.data() + first_cut,
                                               sprite.end - first_cut, sheets, sprite.sprite, result.row_reports) +
                                    sheets.sheet(sheets.find(sprites[sprite.sprite].bitmap)).row_shift();
            result.sprites.push_back(converted);
        }
        listed.clear();
        cells.clear();
        if (tell_as_it_goes) progress(result, dictionary.cells(), false);
    };
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        const SpriteObject& sprite = sprites[i];
        const std::int32_t sheet = sheets.find(sprite.bitmap);
        if (sheet < 0) {
            result.skipped.push_back(i);  // none of its cells enters the table
            continue;
        }
        if (sprite.parts.empty()) continue;
        const IndexedImage& image = sheets.sheet(sheet);
        // The part described last is cut, and so numbered, first.
        for (auto part = sprite.parts.rbegin(); part != sprite.parts.rend(); ++part) {
            list_part_cells(*part, sheet, image.width(), image.height(), cells);
            count_cells(*part, result.counts.cells);
        }
        result.counts.parts += static_cast<std::int64_t>(sprite.parts.size());
        listed.push_back({i, cells.size()});
        if (cells.size() >= kBatchCells) cut_batch();
    }
    cut_batch();
    if (progress) progress(result, dictionary.cells(), true);
    // The index is needed no more: its memory goes before the texts are made.
    result.cells = dictionary.take_cells();
    return result;
}

}  // namespace pixcell
