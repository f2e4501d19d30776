// Run-length (type 0x30): the fewest bytes of any split into runs and
// literals.
#pragma once

#include "compress/bios_formats.h"

namespace pixcell {

// The stream, header included, not padded.
Bytes compress_run_length(const Bytes& data);

// No split of `data` takes fewer bytes than this (header included), found
// in one pass: a byte outside every run of 3 or more equal bytes costs at
// least 129/128 of a byte (a literal block's head shared by 128), a byte
// inside one at least 2/130 (a run block's two bytes shared by 130).
std::size_t run_length_lower_bound(const Bytes& data);

}  // namespace pixcell
