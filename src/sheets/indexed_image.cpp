#include "sheets/indexed_image.h"

#include <cstring>
#include <utility>

namespace pixcell {

IndexedImage IndexedImage::view(FileBytes bytes, std::int32_t width, std::int64_t height, std::size_t top,
                                std::int64_t stride, Palette palette) {
    IndexedImage image;
    image.storage_ = std::move(bytes);
    image.first_row_ = image.storage_.data() + top;
    image.stride_ = stride;
    image.width_ = width;
    image.height_ = height;
    image.palette_ = std::move(palette);
    return image;
}

IndexedImage IndexedImage::to_decode(std::int32_t width, std::int64_t height, Palette palette) {
    IndexedImage image;
    const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    image.storage_.resize(size + static_cast<std::size_t>(height));
    image.first_row_ = image.storage_.data();
    image.stride_ = width;
    image.width_ = width;
    image.height_ = height;
    image.palette_ = std::move(palette);
    return image;
}

IndexedImage IndexedImage::decoded(std::int32_t width, std::int64_t height, Palette palette) {
    IndexedImage image = to_decode(width, height, std::move(palette));
    std::memset(image.storage_.data(), 0, static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return image;
}

IndexedImage IndexedImage::without_pixels(std::int32_t width, std::int64_t height) {
    IndexedImage image;
    image.width_ = width;
    image.height_ = height;
    return image;
}

}  // namespace pixcell
