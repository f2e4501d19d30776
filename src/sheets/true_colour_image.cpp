#include "sheets/true_colour_image.h"

namespace pixcell {

TrueColourImage::TrueColourImage(std::int32_t width, std::int64_t height) : width_(width), height_(height) {
    // A PNG's filtered rows take a byte a row more (their filter type).
    pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) +
                   static_cast<std::size_t>(height + 3) / 4);
}

}  // namespace pixcell
