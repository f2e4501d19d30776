// Turning a file's bytes into an indexed image: the one door through which
// every sheet format comes in. The format is told by the bytes, never by the
// file's name; each decoder checks everything it will read, so that the
// stages after it read pixels without checks.
#pragma once

#include <optional>
#include <string>

#include "sheets/file_bytes.h"
#include "sheets/indexed_image.h"

namespace pixcell {

struct DecodedSheet {
    std::optional<IndexedImage> image;  // set when the file can serve as a sheet
    std::string problem;                // otherwise why not, in plain words
};

// Throws std::bad_alloc when a decoded image doesn't fit in memory.
DecodedSheet decode_sheet(FileBytes bytes);

}  // namespace pixcell
