#include "sheets/bmp_rle.h"

#include <algorithm>
#include <cstring>

#include "common/messages.h"
#include "sheets/packed_pixels.h"

namespace pixcell {

namespace {

// A count of 0 starts an escape; its second byte says which.
constexpr unsigned kEndOfLine = 0;
constexpr unsigned kEndOfBitmap = 1;
constexpr unsigned kDelta = 2;  // two more bytes: columns right, rows up

struct Cursor {
    std::uint8_t* pixels;
    std::int64_t width;
    std::int64_t rows;
    std::int64_t x = 0;
    std::int64_t line = 0;  // 0 is the bottom row

    // Where the next `count` pixels go and how many of them fit; 0 when the
    // cursor is past the row's end or the top row.
    std::int64_t room(unsigned count, std::uint8_t*& at) const {
        if (line >= rows || x >= width) return 0;
        at = pixels + (rows - 1 - line) * width + x;
        return std::min<std::int64_t>(count, width - x);
    }
};

void paint_run(Cursor& cursor, unsigned count, std::uint8_t value, std::uint32_t bits) {
    std::uint8_t* at = nullptr;
    const std::int64_t fit = cursor.room(count, at);
    if (bits == 8) {
        if (fit > 0) std::memset(at, value, static_cast<std::size_t>(fit));
    } else {
        // RLE4 runs alternate the byte's two pixels, high one first.
        const std::uint8_t pair[2] = {static_cast<std::uint8_t>(value >> 4), static_cast<std::uint8_t>(value & 0xF)};
        for (std::int64_t i = 0; i < fit; ++i) at[i] = pair[i & 1];
    }
    cursor.x += count;
}

void copy_absolute(Cursor& cursor, unsigned count, const std::uint8_t* source, std::uint32_t bits) {
    std::uint8_t* at = nullptr;
    const std::int64_t fit = cursor.room(count, at);
    if (fit > 0) {
        if (bits == 8) {
            std::memcpy(at, source, static_cast<std::size_t>(fit));
        } else {
            unpack_pixels(source, bits, fit, at);
        }
    }
    cursor.x += count;
}

}  // namespace

std::string expand_rle(const FileBytes& bytes, std::size_t at, std::uint32_t bits, IndexedImage& image) {
    const std::uint8_t* data = bytes.data();
    const std::size_t end = bytes.size();
    Cursor cursor{image.pixels(), image.width(), image.height()};
    // Every code takes at least two bytes, so the loop always ends.
    std::size_t p = std::min(at, end);
    while (end - p >= 2) {
        const unsigned count = data[p];
        const unsigned code = data[p + 1];
        p += 2;
        if (count > 0) {
            paint_run(cursor, count, static_cast<std::uint8_t>(code), bits);
        } else if (code == kEndOfLine) {
            cursor.x = 0;
            ++cursor.line;
        } else if (code == kEndOfBitmap) {
            return {};
        } else if (code == kDelta) {
            if (end - p < 2) break;
            cursor.x += data[p];
            cursor.line += data[p + 1];
            p += 2;
        } else {
            // An absolute run of `code` pixels, padded to a 16-bit boundary.
            const std::size_t length = bits == 8 ? code : (code + 1) / 2;
            const std::size_t padded = (length + 1) / 2 * 2;
            if (end - p < padded) break;
            copy_absolute(cursor, code, data + p, bits);
            p += padded;
        }
    }
    return messages::sheet_problem::rle_cut_short(end);
}

}  // namespace pixcell
