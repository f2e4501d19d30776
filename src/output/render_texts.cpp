#include "output/render_texts.h"

#include <algorithm>

#include "common/large_pages.h"
#include "output/text_templates.h"

namespace pixcell {

namespace {

// About the bytes of the pattern records: a typical entry line for every
// placed cell, and a record's frame for every sprite.
std::size_t estimated_record_bytes(const SpriteList& sprites, std::size_t placed_cells) {
    constexpr std::size_t kTypicalEntryLine = 40;
    constexpr std::size_t kRecordFrame = 48;
    std::size_t bytes = placed_cells * kTypicalEntryLine;
    for (const SpriteObject& sprite : sprites) bytes += kRecordFrame + sprite.name.size();
    return bytes;
}

}  // namespace

TextBuilder::TextBuilder(const SpriteList& sprites, const std::string& ident_base, std::size_t most_cells,
                         std::size_t most_placed)
    : sprites(sprites) {
    append_asm_head(texts.asm_text, ident_base);
    append_chr_header(texts.chr_header_text, ident_base);
    append_enum_head(texts.enum_text, ident_base);
    append_pattern_source_head(texts.pattern_source_text, ident_base);
    append_table_head(table_text, ident_base);
    append_pattern_header_head(texts.pattern_header_text, ident_base);
    // Room for all of the cells' lines and records at once; pages that stay
    // unused cost no memory. (Not large pages: one of them, half used at the
    // end, would cost up to 2 MB.)
    texts.asm_text.reserve(texts.asm_text.size() + most_cells * kCellDataLength + 32);
    texts.pattern_source_text.reserve(texts.pattern_source_text.size() + estimated_record_bytes(sprites, most_placed));
}

void TextBuilder::add(const Conversion& conversion, std::size_t sprite_count, const CellTable& cells,
                      std::uint32_t cell_count) {
    for (; sprites_done < sprite_count; ++sprites_done) {
        const ConvertedSprite& converted = conversion.sprites[sprites_done];
        const std::string& name = sprites[converted.sprite].name;
        append_enum_line(texts.enum_text, name);
        if (converted.cell_count == 0) continue;  // listed, but no record and no table slot
        entry_text.clear();
        for (std::size_t i = 0; i < converted.cell_count; ++i) {
            append_entry_line(entry_text, conversion.placed[converted.first_cell + i]);
        }
        append_pattern_record(texts.pattern_source_text, name, static_cast<std::int64_t>(converted.cell_count),
                              entry_text);
        append_table_line(table_text, name);
    }
    // The cells' lines: every cell's are of one length, so they are put in
    // place after one resize.
    if (cell_count <= cells_done) return;
    const std::size_t data_start = texts.asm_text.size();
    texts.asm_text.resize(data_start + std::size_t{cell_count - cells_done} * kCellDataLength);
    char* at = &texts.asm_text[data_start];
    for (; cells_done < cell_count; ++cells_done) at = put_cell_data(at, cells[cells_done]);
}

GeneratedTexts TextBuilder::finish() {
    append_asm_tail(texts.asm_text);
    append_enum_tail(texts.enum_text);
    append_table_tail(table_text);
    texts.pattern_source_text += table_text;
    append_pattern_header_tail(texts.pattern_header_text);
    return std::move(texts);
}

GeneratedTexts render_texts(const SpriteList& sprites, const Conversion& conversion, const std::string& ident_base) {
    TextBuilder builder(sprites, ident_base, conversion.cells.size(), conversion.placed.size());
    builder.add(conversion, conversion.sprites.size(), conversion.cells, conversion.cells.size());
    return builder.finish();
}

std::vector<GeneratedName> declared_identifiers(const std::string& ident_base) {
    return {
        {ident_base + "_chr", "the generated cell array"},
        {ident_base + "_pattern_table", "the generated pattern table"},
        {"CHR_PAT", "the cell type of the generated header"},
        {"PIXCELL_CHR_PAT", "the guard of the cell type of the generated header"},
        {ident_base + "_CHR_H", "an include guard of the generated headers"},
        {ident_base + "_ENUM_H", "an include guard of the generated headers"},
        {ident_base + "_PAT_H", "an include guard of the generated headers"},
        {"u16", "a type of gba.h"},
        {"SPR_PATTERN", "the pattern type of sprite16.h"},
        {"SP_NOFLIP", "a flip constant of sprite16.h"},
        {"SP_HFLIP", "a flip constant of sprite16.h"},
        {"SP_VFLIP", "a flip constant of sprite16.h"},
        {"SP_HVFLIP", "a flip constant of sprite16.h"},
    };
}

std::vector<OutputFile> output_files(const GeneratedTexts& texts, const std::string& file_base) {
    const std::vector<std::string> paths = output_paths(file_base);
    return {
        {paths[0], &texts.asm_text},
        {paths[1], &texts.chr_header_text},
        {paths[2], &texts.enum_text},
        {paths[3], &texts.pattern_source_text},
        {paths[4], &texts.pattern_header_text},
    };
}

std::vector<std::string> output_paths(const std::string& file_base) {
    return {file_base + ".s", file_base + ".h", file_base + "_enum.h", file_base + "_pat.c", file_base + "_pat.h"};
}

}  // namespace pixcell
