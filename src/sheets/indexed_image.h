// A sheet as the later stages see it: a picture of palette indices, one byte
// a pixel, rows counted from the top, with the colours of its palette.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "sheets/arriving_rows.h"
#include "sheets/file_bytes.h"

namespace pixcell {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// The file's colour table, as many entries as it holds.
using Palette = std::vector<Rgb>;

class IndexedImage {
public:
    // Rows read in place from a file's own bytes, so a large sheet is never
    // copied: the top row starts at byte `top`, and each next row `stride`
    // bytes further on (negative when the file stores the bottom row first).
    // The decoder has checked that every row lies inside `bytes`.
    static IndexedImage view(FileBytes bytes, std::int32_t width, std::int64_t height, std::size_t top,
                             std::int64_t stride, Palette palette);
    // Room for width x height pixels, row after row from the top, all 0, for
    // a decoder to fill through `pixels`. Throws std::bad_alloc.
    static IndexedImage decoded(std::int32_t width, std::int64_t height, Palette palette);
    // The same, its pixels not cleared, for a decoder that writes every one
    // of them (or clears them when it fails); past them, a byte a row more,
    // as a PNG's filtered rows take (their filter type).
    static IndexedImage to_decode(std::int32_t width, std::int64_t height, Palette palette);
    // The size of a true-colour sheet and nothing else, until the colour
    // stage makes its indices: it has no rows to read.
    static IndexedImage without_pixels(std::int32_t width, std::int64_t height);

    // A copy would point at the rows of the original.
    IndexedImage(const IndexedImage&) = delete;
    IndexedImage& operator=(const IndexedImage&) = delete;
    IndexedImage(IndexedImage&&) = default;
    IndexedImage& operator=(IndexedImage&&) = default;

    std::int32_t width() const { return width_; }    // at least 1
    std::int64_t height() const { return height_; }  // at least 1

    // Row y, 0 <= y < height(): width() palette indices, left to right.
    const std::uint8_t* row(std::int64_t y) const { return first_row_ + y * stride_; }

    // Returns once rows 0 .. rows - 1 can be read: a sheet may still be being
    // decoded, its rows arriving from the top, while the stages after loading
    // read the rows that have.
    void wait_for_rows(std::int64_t rows) const {
        if (arriving_) arriving_->wait_for(rows);
    }
    // Set by the decoder of such a sheet.
    void set_arriving(std::shared_ptr<const ArrivingRows> arriving) { arriving_ = std::move(arriving); }

    const Palette& palette() const { return palette_; }
    // The row of object palette memory the sheet's colours start at: the
    // palette's entries before 16 times it only fill the rows of another
    // description (the colour stage makes rows from a given row on).
    std::int32_t first_palette_row() const { return first_palette_row_; }
    void set_first_palette_row(std::int32_t row) { first_palette_row_ = row; }
    // How many rows of object palette memory the rows drawn on the sheet are
    // moved by (--first-row on an indexed sheet): row r is shown as row
    // r + row_shift(), its colours loaded there.
    std::int32_t row_shift() const { return row_shift_; }
    void set_row_shift(std::int32_t rows) { row_shift_ = rows; }
    // The alpha of each palette entry, as a PNG's tRNS chunk gives it: empty
    // when the file has none; entries past its end are opaque.
    const std::vector<std::uint8_t>& palette_alpha() const { return palette_alpha_; }
    void set_palette_alpha(std::vector<std::uint8_t> alpha) { palette_alpha_ = std::move(alpha); }

    // The pixels of a decoded image, to be filled: row y starts at y * width().
    std::uint8_t* pixels() { return storage_.data(); }

private:
    IndexedImage() = default;

    FileBytes storage_;
    const std::uint8_t* first_row_ = nullptr;  // into storage_, which moves without moving its bytes
    std::int64_t stride_ = 0;
    std::int32_t width_ = 0;
    std::int64_t height_ = 0;
    Palette palette_;
    std::int32_t first_palette_row_ = 0;
    std::int32_t row_shift_ = 0;
    std::shared_ptr<const ArrivingRows> arriving_;  // null when loaded whole
    std::vector<std::uint8_t> palette_alpha_;
};

}  // namespace pixcell
