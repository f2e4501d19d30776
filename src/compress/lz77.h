// LZ77 (type 0x10) as the BIOS's 16-bit function unpacks it into tile
// memory: the fewest bytes of any parse, flag bytes counted.
#pragma once

#include "compress/bios_formats.h"

namespace pixcell {

// The stream, header included, not padded (at most 2^24 - 1 bytes of data).
Bytes compress_lz77(const Bytes& data);

}  // namespace pixcell
