#include "sheets/true_colour_image.h"

namespace pixcell {

TrueColourImage::TrueColourImage(std::int32_t width, std::int64_t height) : width_(width), height_(height) {
    pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
}

}  // namespace pixcell
