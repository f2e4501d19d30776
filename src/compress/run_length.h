// Run-length (type 0x30): the fewest bytes of any split into runs and
// literals.
#pragma once

#include "compress/bios_formats.h"

namespace pixcell {

// The stream, header included, not padded.
Bytes compress_run_length(const Bytes& data);

}  // namespace pixcell
