// The writer's walk over the sprite list: which objects are listed and
// patterned, in which order their cells are cut, and the texts they make.
#include <algorithm>
#include <cstdio>

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

    std::string entry_text;
    for (SpriteObject& object : list) {
        if (store.find(object.bitmap) < 0) {
            warn_sheet_not_loaded(object);
            continue;  // none of its cells enters the table
        }
        // The part described last is cut, and so numbered, first.
        std::reverse(object.parts.begin(), object.parts.end());
        if (object.parts.empty()) continue;
        append_enum_line(texts.enum_text, object.name);

        entry_text.clear();
        std::int64_t placed = 0;
        for (const SpritePart& part : object.parts) {
            placed += place_part_cells(part, object.bitmap, store, entry_text);
        }
        if (placed == 0) continue;  // listed, but no record and no table slot
        append_pattern_record(texts.pattern_source_text, object.name, placed, entry_text);
        append_table_line(table_text, object.name);
    }

    const std::uint32_t cell_count = store.cell_count();
    // Each cell is four data lines of 120 bytes.
    texts.asm_text.reserve(texts.asm_text.size() + std::size_t{cell_count} * 4 * 120 + 32);
    for (std::uint32_t index = 0; index < cell_count; ++index) {
        append_cell_data(texts.asm_text, store.cell(index).variant[0]);
    }

    append_asm_tail(texts.asm_text);
    append_enum_tail(texts.enum_text);
    append_table_tail(table_text);
    texts.pattern_source_text += table_text;
    append_pattern_header_tail(texts.pattern_header_text);
    return texts;
}

}  // namespace pixcell
