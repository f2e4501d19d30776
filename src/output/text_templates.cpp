#include "output/text_templates.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

#include "cells/console.h"

namespace pixcell {

namespace {

// Halfwords per data line of the cell array: one 8x8 tile.
constexpr std::size_t kHalfwordsPerLine = kTileHalfwords;

// Right-aligned in at least `width` places, a minus sign counted; a wider
// number is written whole. Same result as printf's "%<width>d".
void append_decimal(std::string& out, std::int64_t value, std::size_t width) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const std::size_t length = static_cast<std::size_t>(result.ptr - digits);
    if (length < width) out.append(width - length, ' ');
    out.append(digits, length);
}

}  // namespace

void append_asm_head(std::string& out, const std::string& ident_base) {
    out += "\t.section\t.rodata\n\t.align\t2\n";
    out += "\t.global\t";
    out += ident_base;
    out += "_chr\n\t.type\t";
    out += ident_base;
    out += "_chr, object\n";
    out += ident_base;
    out += "_chr:\n";
}

// "\t.short " and 16 times "0x%04X" joined by ",": built whole in a buffer
// and appended once, since this runs for every line of every cell.
void append_cell_data(std::string& out, const Cell& cell) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    static constexpr char kDirective[] = "\t.short ";
    constexpr std::size_t kDirectiveLength = sizeof kDirective - 1;
    char line[kDirectiveLength + kHalfwordsPerLine * 7];  // 16 values of 6, 15 commas, a newline
    std::copy(kDirective, kDirective + kDirectiveLength, line);
    for (std::size_t row = 0; row < cell.size() / kHalfwordsPerLine; ++row) {
        char* at = line + kDirectiveLength;
        for (std::size_t i = 0; i < kHalfwordsPerLine; ++i) {
            const std::uint16_t value = cell[row * kHalfwordsPerLine + i];
            *at++ = '0';
            *at++ = 'x';
            *at++ = kHex[(value >> 12) & 0xF];
            *at++ = kHex[(value >> 8) & 0xF];
            *at++ = kHex[(value >> 4) & 0xF];
            *at++ = kHex[value & 0xF];
            *at++ = i + 1 < kHalfwordsPerLine ? ',' : '\n';
        }
        out.append(line, static_cast<std::size_t>(at - line));
    }
}

void append_asm_tail(std::string& out) { out += "\t.ident \"pxcnv\"\n"; }

void append_chr_header(std::string& out, const std::string& ident_base) {
    out += "#ifndef ";
    out += ident_base;
    out += "_CHR_H\n#define ";
    out += ident_base;
    out += "_CHR_H\n#include <gba.h>\ntypedef struct { u16 chr[64]; } CHR_PAT;\nextern const CHR_PAT ";
    out += ident_base;
    out += "_chr[];\n#endif\n";
}

void append_enum_head(std::string& out, const std::string& ident_base) {
    out += "#ifndef ";
    out += ident_base;
    out += "_ENUM_H\n#define ";
    out += ident_base;
    out += "_ENUM_H\nenum {\n";
}

void append_enum_line(std::string& out, const std::string& name) {
    out += '\t';
    out += name;
    out += ",\n";
}

void append_enum_tail(std::string& out) { out += "};\n#endif\n"; }

void append_pattern_source_head(std::string& out, const std::string& ident_base) {
    out += "#include \"";
    out += ident_base;
    out += "_pat.h\"\n\n";
}

void append_entry_line(std::string& out, const CellPlacement& placement) {
    out += "\t\t{ ";
    append_decimal(out, placement.index, 4);
    out += ", ";
    append_decimal(out, placement.x_offset, 3);
    out += ", ";
    append_decimal(out, placement.y_offset, 3);
    out += ", ";
    out += flip_names[placement.flip & kFlipMask];
    out += ", },\n";
}

void append_pattern_record(std::string& out, const std::string& name, std::int64_t count,
                           const std::string& entry_text) {
    out += "const SPR_PATTERN ";
    out += name;
    out += "_ptn = {\n\t\t";
    append_decimal(out, count, 0);
    out += ",\n\t{\n";
    out += entry_text;
    out += "\t},\n};\n";
}

void append_table_head(std::string& out, const std::string& ident_base) {
    out += "const SPR_PATTERN *";
    out += ident_base;
    out += "_pattern_table[] = {\n";
}

void append_table_line(std::string& out, const std::string& name) {
    out += "\t[";
    out += name;
    out += "] = &";
    out += name;
    out += "_ptn ,\n";
}

void append_table_tail(std::string& out) { out += "};\n"; }

void append_pattern_header_head(std::string& out, const std::string& ident_base) {
    out += "#ifndef ";
    out += ident_base;
    out += "_PAT_H\n#define ";
    out += ident_base;
    out += "_PAT_H\n#include <gba.h>\n#include <sprite16.h>\n#include \"";
    out += ident_base;
    out += "_enum.h\"\n#include \"";
    out += ident_base;
    out += ".h\"\nextern const SPR_PATTERN *";
    out += ident_base;
    out += "_pattern_table[];\n";
}

void append_pattern_header_tail(std::string& out) { out += "#endif\n"; }

}  // namespace pixcell
