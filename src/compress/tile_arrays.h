// The tile arrays a run writes, as bytes, and each compressed: the cells of
// the .s, and with --objects the objects' tiles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cells/cell_table.h"
#include "compress/compress.h"

namespace pixcell {

struct CompressedArray {
    std::string suffix;        // after the identifier base: "_chr_cmp", "_obj_tiles_cmp"
    std::size_t unpacked = 0;  // bytes of the array it unpacks to
    Compressed packed;
};

// In the order the output declares them: the cells, then the objects' tiles.
struct CompressedTiles {
    std::vector<CompressedArray> arrays;
    // With --stream, the objects' tiles a sprite's block at a time instead:
    // each distinct block compressed on its own, and for each sprite the
    // index of its block there, -1 for a sprite that shows nothing.
    std::vector<CompressedArray> blocks;
    std::vector<std::int32_t> sprite_blocks;
};

// The tiles as they lie in memory: halfwords, low byte first.
Bytes cell_bytes(const CellTable& cells);
Bytes tile_bytes(const std::vector<const Tile*>& tiles);

// A sprite's block: tiles [first, first + count).
struct TileBlock {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
};

// Each sprite's block compressed into `compressed` (sprites with the same
// block share it); false when one is larger than the BIOS functions unpack.
bool compress_blocks(const std::vector<const Tile*>& tiles, const std::vector<TileBlock>& sprite_blocks,
                     CompressFormat format, CompressedTiles& compressed);

// The array compressed under its name; nothing when it is larger than the
// BIOS functions unpack.
std::optional<CompressedArray> compress_array(const std::string& suffix, const Bytes& data, CompressFormat format);

// Which format a compressed array is in, by its header: "LZ77", "run-length",
// "Huffman (4-bit)", "Huffman (8-bit)".
std::string format_name(const Compressed& packed);

// The streamed blocks as one: "_sprite_tiles_cmp", their bytes and what they
// unpack to, each block once; and their formats, each once, in the order of
// first use ("1 block of LZ77", "3 blocks of LZ77 and run-length").
CompressedArray blocks_summed(const CompressedTiles& compressed);
std::string blocks_format_names(const CompressedTiles& compressed);

}  // namespace pixcell
