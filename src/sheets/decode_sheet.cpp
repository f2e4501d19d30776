#include "sheets/decode_sheet.h"

#include <utility>

#include "sheets/decoders.h"

namespace pixcell {

DecodedSheet decode_sheet(FileBytes bytes) {
    // Anything that is no other format is reported as what a BMP lacks.
    return decode_bmp(std::move(bytes));
}

}  // namespace pixcell
