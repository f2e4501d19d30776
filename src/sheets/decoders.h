// The decoders behind decode_sheet, one per format; private to this stage.
#pragma once

#include <cstdint>

#include "sheets/decode_sheet.h"

namespace pixcell {

// A compressed sheet expands to far more memory than its file takes: past
// this many pixels (256 MiB decoded) it is refused before any is committed.
constexpr std::int64_t kMaxDecodedPixels = std::int64_t{1} << 28;

DecodedSheet decode_bmp(FileBytes bytes);
DecodedSheet decode_png(FileBytes bytes);

}  // namespace pixcell
