// Indexed PNGs whose PLTE holds more colours than their bit depth can index
// (a 4-bit file with 80 entries): common readers take the first 2^depth, but
// libspng refuses the file, so the chunk is cut in the file's bytes before
// libspng reads them. Private to this stage.
#pragma once

#include <string>

#include "sheets/file_bytes.h"

namespace pixcell {

// Cuts a PLTE longer than 2^depth entries to 2^depth, and a tRNS longer than
// the PLTE kept to its length, each after checking the CRC it came with and
// with a new CRC for what is left. Returns why the file is damaged (a CRC
// that doesn't match), or "". Anything else wrong is left for libspng to
// find: this reads only the chunks before the image data, within the bytes.
std::string cut_long_palette(FileBytes& bytes);

}  // namespace pixcell
