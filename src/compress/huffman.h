// Huffman (type 0x24 or 0x28): codes from the symbol counts, the tree laid
// out as the BIOS reads it.
#pragma once

#include <optional>

#include "compress/bios_formats.h"
#include "compress/huffman_tree.h"

namespace pixcell {

// With 4- or 8-bit symbols (a 4-bit symbol the low half of a byte first);
// nothing when no tree of that size can be laid out (never at 4 bits).
std::optional<Bytes> compress_huffman(const Bytes& data, int symbol_bits);

// The smaller of the two symbol sizes.
Bytes compress_huffman(const Bytes& data);

// A code and its tree for one symbol size, and the bytes it writes (header
// included, not padded): known from the counts alone, so that a stream is
// encoded only when it is wanted.
struct HuffmanPlan {
    int symbol_bits = 8;
    HuffmanTable table;
    std::size_t size = 0;
};

// The plan of the smaller symbol size (4 bits when they tie), and its stream.
HuffmanPlan plan_huffman(const Bytes& data);
Bytes encode_huffman(const Bytes& data, const HuffmanPlan& plan);

}  // namespace pixcell
