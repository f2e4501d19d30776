// A Huffman tree for the BIOS: code lengths from the symbol counts, no code
// longer than a limit, and the tree laid out so that every inner node
// reaches its children within the 6-bit offset.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "compress/bios_formats.h"

namespace pixcell {

// The lengths of an optimal prefix code with none longer than `limit`, for
// the symbols of nonzero count (0 for the others). At least two symbols get
// a length, so that the root has two children.
std::vector<int> code_lengths(const std::vector<std::uint64_t>& counts, int limit);

struct HuffmanTable {
    Bytes tree;                          // the size byte, the root and the pairs, padded to 4 with the header
    std::vector<std::uint32_t> code;     // each symbol's bits, the first in the highest place
    std::vector<int> length;             // and how many
};

// The tree of a code of these lengths as the BIOS reads it; nothing when
// some inner node can't reach its children.
std::optional<HuffmanTable> lay_out_tree(const std::vector<int>& lengths);

}  // namespace pixcell
