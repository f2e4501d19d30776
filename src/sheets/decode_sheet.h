// Turning a file's bytes into a sheet: the one door through which every
// sheet format comes in. The format is told by the bytes, never by the
// file's name; each decoder checks everything it will read, so that the
// stages after it read pixels without checks.
#pragma once

#include <optional>
#include <string>

#include "sheets/file_bytes.h"
#include "sheets/indexed_image.h"
#include "sheets/true_colour_image.h"

namespace pixcell {

// At most one of image and true_colour is set; neither when the file can't
// serve as a sheet.
struct DecodedSheet {
    std::optional<IndexedImage> image;           // palette indices, as drawn
    std::optional<TrueColourImage> true_colour;  // colours, for the colour stage to index
    std::string problem;                         // neither: why not, in plain words
    // Whenever the file is a true-colour one, read or not: why a run that
    // takes indexed sheets only refuses it.
    std::string not_indexed;
};

// Throws std::bad_alloc when a decoded image doesn't fit in memory.
DecodedSheet decode_sheet(FileBytes bytes);

}  // namespace pixcell
