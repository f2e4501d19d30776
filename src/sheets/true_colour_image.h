// A sheet whose pixels are colours, not palette indices: what art programs
// save by default. The colour stage turns it into an indexed image once the
// sprites are known; until then it is kept as read, 4 bytes a pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "sheets/arriving_rows.h"
#include "sheets/file_bytes.h"

namespace pixcell {

// No member initialisers: a decoded sheet's pixels are written over once,
// so they are allocated without being cleared.
struct Rgba {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    std::uint8_t alpha;  // 0 transparent, 255 opaque
};

class TrueColourImage {
public:
    // Room for width x height pixels, uninitialised, for a decoder to fill
    // row by row. Throws std::bad_alloc.
    TrueColourImage(std::int32_t width, std::int64_t height);

    // 256 MiB may be behind it: moved, never copied by accident.
    TrueColourImage(const TrueColourImage&) = delete;
    TrueColourImage& operator=(const TrueColourImage&) = delete;
    TrueColourImage(TrueColourImage&&) = default;
    TrueColourImage& operator=(TrueColourImage&&) = default;

    std::int32_t width() const { return width_; }    // at least 1
    std::int64_t height() const { return height_; }  // at least 1

    // Row y, 0 <= y < height(), from the top: width() pixels, left to right.
    const Rgba* row(std::int64_t y) const { return pixels_.data() + y * width_; }

    // Returns once rows 0 .. rows - 1 can be read: a sheet may still be being
    // decoded, its rows arriving from the top, while the stages after loading
    // read the rows that have.
    void wait_for_rows(std::int64_t rows) const {
        if (arriving_) arriving_->wait_for(rows);
    }
    // Set by the decoder of such a sheet.
    void set_arriving(std::shared_ptr<const ArrivingRows> arriving) { arriving_ = std::move(arriving); }
    Rgba* row(std::int64_t y) { return pixels_.data() + y * width_; }
    // The pixels' bytes, 4 a pixel, for a stage that works on them in place.
    std::uint8_t* bytes() { return reinterpret_cast<std::uint8_t*>(pixels_.data()); }

    // True when the file carries transparency (an alpha channel, an alpha
    // mask, a colour key); false leaves the transparent colour to be chosen.
    bool has_alpha() const { return has_alpha_; }
    void set_has_alpha(bool has_alpha) { has_alpha_ = has_alpha; }

private:
    std::vector<Rgba, UninitialisedAllocator<Rgba>> pixels_;
    std::int32_t width_ = 0;
    std::int64_t height_ = 0;
    bool has_alpha_ = false;
    std::shared_ptr<const ArrivingRows> arriving_;  // null when loaded whole
};

}  // namespace pixcell
