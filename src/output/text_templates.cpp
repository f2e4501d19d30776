#include "output/text_templates.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstring>

#include "common/console.h"

namespace pixcell {

namespace {

// Halfwords per data line of the cell array: one 8x8 tile.
constexpr std::size_t kHalfwordsPerLine = kTileHalfwords;

}  // namespace

char* put_decimal(char* at, std::int64_t value, std::size_t width) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const auto length = static_cast<std::size_t>(result.ptr - digits);
    if (length < width) at = std::fill_n(at, width - length, ' ');
    return std::copy(digits, result.ptr, at);
}

namespace {

void append_decimal(std::string& out, std::int64_t value, std::size_t width) {
    char text[48];
    out.append(text, static_cast<std::size_t>(put_decimal(text, value, width) - text));
}

}  // namespace

void append_define(std::string& out, const std::string& name, std::int64_t value, const char* comment) {
    out += "#define " + name + " " + std::to_string(value) + "\t/* " + comment + " */\n";
}

void append_asm_array_head(std::string& out, const std::string& symbol) {
    out += "\t.section\t.rodata\n\t.align\t2\n";
    out += "\t.global\t";
    out += symbol;
    out += "\n\t.type\t";
    out += symbol;
    out += ", object\n";
    out += symbol;
    out += ":\n";
}

void append_asm_head(std::string& out, const std::string& ident_base) { append_asm_array_head(out, ident_base + "_chr"); }

namespace {

// A data line: "\t.short " and 16 halfwords "0x%04X" joined by ",". Every
// line has the same length, so a cell's four lines are written in place.
constexpr char kDirective[] = "\t.short ";
constexpr std::size_t kDirectiveLength = sizeof kDirective - 1;
constexpr std::size_t kDataLineLength = kDirectiveLength + kHalfwordsPerLine * 7;  // values, commas, newline

// Two upper-case hexadecimal digits for each byte value.
struct HexPairs {
    char digits[256][2];
};

constexpr HexPairs make_hex_pairs() {
    constexpr char kHex[] = "0123456789ABCDEF";
    HexPairs pairs{};
    for (std::size_t i = 0; i < 256; ++i) {
        pairs.digits[i][0] = kHex[i >> 4];
        pairs.digits[i][1] = kHex[i & 0xF];
    }
    return pairs;
}

constexpr HexPairs kHexPairs = make_hex_pairs();

}  // namespace

static_assert(kCellDataLength == kCellHalfwords / kHalfwordsPerLine * kDataLineLength, "four data lines of one length");

static_assert(kTileDataLength == kDataLineLength, "a tile is one data line");

namespace {

// Runs for every line of every cell: no formatting calls.
char* put_data_lines(char* at, const std::uint16_t* halfwords, std::size_t lines) {
    for (std::size_t row = 0; row < lines; ++row) {
        at = std::copy(kDirective, kDirective + kDirectiveLength, at);
        for (std::size_t i = 0; i < kHalfwordsPerLine; ++i) {
            const std::uint16_t value = halfwords[row * kHalfwordsPerLine + i];
            const char* high = kHexPairs.digits[value >> 8];
            const char* low = kHexPairs.digits[value & 0xFF];
            const char separator = i + 1 < kHalfwordsPerLine ? ',' : '\n';
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
            // "0x", four digits and the separator as one 8-byte store; its
            // last byte is overwritten by what follows, so the line's last
            // value stores only 7.
            std::uint16_t high_pair;
            std::uint16_t low_pair;
            std::memcpy(&high_pair, high, 2);
            std::memcpy(&low_pair, low, 2);
            const std::uint64_t word = std::uint64_t{'0'} | std::uint64_t{'x'} << 8 | std::uint64_t{high_pair} << 16 |
                                       std::uint64_t{low_pair} << 32 |
                                       std::uint64_t{static_cast<unsigned char>(separator)} << 48;
            std::memcpy(at, &word, i + 1 < kHalfwordsPerLine ? 8 : 7);
#else
            const char text[7] = {'0', 'x', high[0], high[1], low[0], low[1], separator};
            std::memcpy(at, text, 7);
#endif
            at += 7;
        }
    }
    return at;
}

}  // namespace

char* put_cell_data(char* at, const Cell& cell) { return put_data_lines(at, cell.data(), cell.size() / kHalfwordsPerLine); }

char* put_tile_data(char* at, const std::uint16_t* tile) { return put_data_lines(at, tile, 1); }

char* put_halfword(char* at, std::uint16_t value) {
    *at++ = '0';
    *at++ = 'x';
    at = std::copy(kHexPairs.digits[value >> 8], kHexPairs.digits[value >> 8] + 2, at);
    return std::copy(kHexPairs.digits[value & 0xFF], kHexPairs.digits[value & 0xFF] + 2, at);
}

void append_halfword(std::string& out, std::uint16_t value) {
    char text[6];
    out.append(text, static_cast<std::size_t>(put_halfword(text, value) - text));
}

void append_asm_tail(std::string& out) { out += "\t.ident \"pxcnv\"\n"; }

void append_chr_header(std::string& out, const std::string& ident_base) {
    out += "#ifndef ";
    out += ident_base;
    out += "_CHR_H\n#define ";
    out += ident_base;
    // The cell type is the same for every description: guarded, so that the
    // headers of several descriptions can be included in one C file.
    out += "_CHR_H\n#include <gba.h>\n#ifndef PIXCELL_CHR_PAT\n#define PIXCELL_CHR_PAT\n"
           "typedef struct { u16 chr[64]; } CHR_PAT;\n#endif\nextern const CHR_PAT ";
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

// One line per placed cell: built in a buffer and appended once.
void append_entry_line(std::string& out, const PlacedCell& placement) {
    char line[128];
    char* at = put_text(line, "\t\t{ ");
    at = put_decimal(at, placement.index, 4);
    at = put_text(at, ", ");
    at = put_decimal(at, placement.x_offset, 3);
    at = put_text(at, ", ");
    at = put_decimal(at, placement.y_offset, 3);
    at = put_text(at, ", ");
    const char* flip = flip_names[placement.flip & kFlipMask];
    at = std::copy(flip, flip + std::char_traits<char>::length(flip), at);
    at = put_text(at, ", },\n");
    out.append(line, static_cast<std::size_t>(at - line));
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
