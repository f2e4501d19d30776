// The decoders behind decode_sheet, one per format; private to this stage.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "sheets/decode_sheet.h"

namespace pixcell {

// A decoded sheet takes at most 256 MiB, so that a small file can't claim
// gigabytes: past these many pixels it is refused before any is committed.
// An indexed sheet stored in place (an uncompressed 8-bit BMP) is already in
// memory whole, so only the ones that expand are held to it.
constexpr std::int64_t kMaxDecodedPixels = std::int64_t{1} << 28;     // a byte each
constexpr std::int64_t kMaxTrueColourPixels = std::int64_t{1} << 26;  // 4 bytes each: 8192x8192
// libspng keeps two rows of a PNG as stored, 8 bytes a pixel for 16-bit
// RGBA: a strip of 2^26 pixels in a row would take a gigabyte besides them.
constexpr std::int64_t kMaxTrueColourPngWidth = std::int64_t{1} << 16;

DecodedSheet decode_bmp(FileBytes bytes, bool later = false, PartlyRead partly = {});
DecodedSheet decode_png(FileBytes bytes, bool later = false);

inline DecodedSheet refuse(std::string problem) {
    return DecodedSheet{std::nullopt, std::nullopt, std::move(problem), {}, {}};
}

}  // namespace pixcell
