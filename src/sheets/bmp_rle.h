// BMP's run-length pixel data, RLE8 and RLE4, expanded into an image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "sheets/file_bytes.h"
#include "sheets/indexed_image.h"

namespace pixcell {

// Expands the RLE8 (bits 8) or RLE4 (bits 4) data that starts at byte `at`
// of `bytes` into `image`, whose pixels are all 0 and whose bottom row the
// data fills first. Pixels the data leaves out stay 0; pixels it places
// past the end of a row or above the top row are dropped. Returns why the
// data can't be read (it ends before its end-of-bitmap code), or nothing.
std::string expand_rle(const FileBytes& bytes, std::size_t at, std::uint32_t bits, IndexedImage& image);

}  // namespace pixcell
