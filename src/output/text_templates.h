// The fixed wording of the five generated texts: heads, tails and the lines
// that repeat. Every function appends to `out`; names and ident_base are
// copied whole, whatever their length or content.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "cells/cell_pattern.h"
#include "cells/convert.h"

namespace pixcell {

// An array in read-only data for the GNU assembler: its head, with `symbol`
// global, and then its data lines, one 8x8 tile of 16 halfwords each.
void append_asm_array_head(std::string& out, const std::string& symbol);
constexpr std::size_t kTileDataLength = 8 + kTileHalfwords * 7;
// A tile's data line written at `at` (16 halfwords), which has room for
// kTileDataLength characters; returns the end.
char* put_tile_data(char* at, const std::uint16_t* tile);

// Cell array (assembler).
void append_asm_head(std::string& out, const std::string& ident_base);
// A cell's four data lines written at `at`, which has room for
// kCellDataLength characters; returns the end. Every cell's lines have this
// one length, so the whole array is sized before it is written.
constexpr std::size_t kCellDataLength = 4 * (8 + kTileHalfwords * 7);
char* put_cell_data(char* at, const Cell& cell);
void append_asm_tail(std::string& out);

// A halfword as the generated files write it: "0x" and four upper-case digits.
void append_halfword(std::string& out, std::uint16_t value);
// The same written at `at` (6 characters); returns the end.
char* put_halfword(char* at, std::uint16_t value);
// "#define NAME VALUE\t/* COMMENT */": a number a game's build may use.
void append_define(std::string& out, const std::string& name, std::int64_t value, const char* comment);

// A fixed text written at `at`; returns the end.
template <std::size_t N>
char* put_text(char* at, const char (&text)[N]) {
    for (std::size_t i = 0; i + 1 < N; ++i) *at++ = text[i];
    return at;
}

// Right-aligned in at least `width` places, a minus sign counted; a wider
// number is written whole. Same result as printf's "%<width>d".
// Writes at `at`, which has room for width + 20 characters; returns the end.
char* put_decimal(char* at, std::int64_t value, std::size_t width);

// Cell array declaration; complete in itself.
void append_chr_header(std::string& out, const std::string& ident_base);

// Sprite enumeration.
void append_enum_head(std::string& out, const std::string& ident_base);
void append_enum_line(std::string& out, const std::string& name);
void append_enum_tail(std::string& out);

// Pattern source: head, records, and the pointer table that ends it.
void append_pattern_source_head(std::string& out, const std::string& ident_base);
void append_entry_line(std::string& out, const PlacedCell& placement);
void append_pattern_record(std::string& out, const std::string& name, std::int64_t count,
                           const std::string& entry_text);
void append_table_head(std::string& out, const std::string& ident_base);
void append_table_line(std::string& out, const std::string& name);
void append_table_tail(std::string& out);

// Pattern table declaration.
void append_pattern_header_head(std::string& out, const std::string& ident_base);
void append_pattern_header_tail(std::string& out);

}  // namespace pixcell
