// The writer's walk over the sprite list: which objects are listed and
// patterned, in which order their cells are cut, and the texts they make.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "cells/large_pages.h"
#include "output/cell_walk.h"
#include "output/text_templates.h"
#include "output/write_outputs.h"

namespace pixcell {

namespace {

void warn_sheet_not_loaded(const SpriteObject& object) {
    // One write, so the line can't be torn; the names may hold any byte.
    std::string line = "[";
    line += object.bitmap;
    line += "] not found. obj:";
    line += object.name;
    line += " skipped...\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

// About the bytes of the pattern records: a typical entry line for every
// cell the parts cover on their sheets (empty ones included), capped so that
// huge parts over a sheet don't reserve more than a large output would use.
std::size_t estimated_record_bytes(const SpriteList& list, const BitmapStore& store) {
    constexpr std::size_t kTypicalEntryLine = 40;
    constexpr std::size_t kMostReserved = std::size_t{64} << 20;
    std::size_t cells = 0;
    for (const SpriteObject& object : list) {
        const std::int64_t width = store.width(object.bitmap);
        const std::int64_t height = store.height(object.bitmap);
        if (width == 0) continue;  // not loaded
        for (const SpritePart& part : object.parts) {
            const CellRange columns = cells_on_sheet(part.x, part.width, width);
            const CellRange rows = cells_on_sheet(part.y, part.height, height < 0 ? -height : height);
            cells += static_cast<std::size_t>((columns.end - columns.begin) * (rows.end - rows.begin));
            if (cells >= kMostReserved / kTypicalEntryLine) return kMostReserved;
        }
    }
    return cells * kTypicalEntryLine;
}

// An object whose cells are listed for cutting: those before `end`, after
// the previous object's.
struct Listed {
    const SpriteObject* object;
    std::size_t end;
};

}  // namespace

GeneratedTexts build_texts(SpriteList& list, BitmapStore& store, const std::string& ident_base) {
    GeneratedTexts texts;
    append_asm_head(texts.asm_text, ident_base);
    append_chr_header(texts.chr_header_text, ident_base);
    append_enum_head(texts.enum_text, ident_base);
    append_pattern_source_head(texts.pattern_source_text, ident_base);
    std::string table_text;
    append_table_head(table_text, ident_base);
    append_pattern_header_head(texts.pattern_header_text, ident_base);

    // The records' size is known only once their cells are cut; a reservation
    // from the cells the parts cover saves growing it many times over.
    texts.pattern_source_text.reserve(estimated_record_bytes(list, store));
    ask_for_large_pages(texts.pattern_source_text.data(), texts.pattern_source_text.capacity());

    // Objects are listed cell by cell a batch at a time, and then each batch
    // is cut: that way the store can be fetching a few cells ahead of the one
    // it adds, and the list stays small.
    constexpr std::size_t kBatchCells = 4096;
    std::vector<Listed> objects;
    std::vector<CellToCut> cells;
    std::string entry_text;
    const auto cut_batch = [&]() {
        CutPipeline pipeline(store, cells);
        std::size_t next_cell = 0;
        for (const Listed& listed : objects) {
            append_enum_line(texts.enum_text, listed.object->name);
            entry_text.clear();
            std::int64_t placed = 0;
            for (; next_cell < listed.end; ++next_cell) {
                FlipFlags flip = 0;
                const std::int32_t index = pipeline.next(flip);
                if (index < 0) continue;  // empty cell
                ++placed;
                const CellToCut& cell = cells[next_cell];
                append_entry_line(entry_text, {index, cell.x_offset, cell.y_offset, flip});
            }
            if (placed == 0) continue;  // listed, but no record and no table slot
            append_pattern_record(texts.pattern_source_text, listed.object->name, placed, entry_text);
            append_table_line(table_text, listed.object->name);
        }
        objects.clear();
        cells.clear();
    };
    for (SpriteObject& object : list) {
        const std::int32_t sheet = store.find(object.bitmap);
        if (sheet < 0) {
            warn_sheet_not_loaded(object);
            continue;  // none of its cells enters the table
        }
        // The part described last is cut, and so numbered, first.
        std::reverse(object.parts.begin(), object.parts.end());
        if (object.parts.empty()) continue;
        const std::int64_t width = store.width(object.bitmap);
        const std::int64_t height = store.height(object.bitmap);  // negative: stored top-down
        for (const SpritePart& part : object.parts) {
            list_part_cells(part, sheet, width, height < 0 ? -height : height, cells);
        }
        objects.push_back({&object, cells.size()});
        if (cells.size() >= kBatchCells) cut_batch();
    }
    cut_batch();

    // All cells' lines in one piece: one fill of the new length, on large pages.
    const std::uint32_t cell_count = store.cell_count();
    const std::size_t data_start = texts.asm_text.size();
    texts.asm_text.reserve(data_start + std::size_t{cell_count} * kCellDataLength + 32);
    ask_for_large_pages(texts.asm_text.data(), texts.asm_text.capacity());
    texts.asm_text.resize(data_start + std::size_t{cell_count} * kCellDataLength);
    char* at = &texts.asm_text[data_start];
    for (std::uint32_t index = 0; index < cell_count; ++index) {
        at = put_cell_data(at, store.cell(index).variant[0]);
    }

    append_asm_tail(texts.asm_text);
    append_enum_tail(texts.enum_text);
    append_table_tail(table_text);
    texts.pattern_source_text += table_text;
    append_pattern_header_tail(texts.pattern_header_text);
    return texts;
}

}  // namespace pixcell
