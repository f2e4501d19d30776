// Huffman (type 0x24 or 0x28): codes from the symbol counts, the tree laid
// out as the BIOS reads it.
#pragma once

#include <optional>

#include "compress/bios_formats.h"

namespace pixcell {

// With 4- or 8-bit symbols (a 4-bit symbol the low half of a byte first);
// nothing when no tree of that size can be laid out (never at 4 bits).
std::optional<Bytes> compress_huffman(const Bytes& data, int symbol_bits);

// The smaller of the two symbol sizes.
Bytes compress_huffman(const Bytes& data);

}  // namespace pixcell
