// Turning a file's bytes into a sheet: the one door through which every
// sheet format comes in. The format is told by the bytes, never by the
// file's name; each decoder checks everything it will read, so that the
// stages after it read pixels without checks.
#pragma once

#include <functional>
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
    // Set when the pixels are still to be decoded: running it fills the
    // image's rows from the top, letting readers of the rows that have
    // arrived go on meanwhile, and returns why the file can't serve as a
    // sheet after all (the rows that never came then read 0), or nothing.
    std::function<std::string()> pending;
};

// Throws std::bad_alloc when a decoded image doesn't fit in memory. With
// `later`, a PNG's pixels are left to `pending`, for a thread of their own,
// and so is reading the pixels of an uncompressed 8-bit BMP when `partly`
// says they aren't read yet; everything up to them (the header, the
// palette, the sizes the sheet may have) is read and checked now.
DecodedSheet decode_sheet(FileBytes bytes, bool later = false, PartlyRead partly = {});

}  // namespace pixcell
