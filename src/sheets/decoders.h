// The decoders behind decode_sheet, one per format; private to this stage.
#pragma once

#include "sheets/decode_sheet.h"

namespace pixcell {

DecodedSheet decode_bmp(FileBytes bytes);

}  // namespace pixcell
