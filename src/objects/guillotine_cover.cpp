#include "objects/guillotine_cover.h"

#include <algorithm>
#include <cstdint>

namespace pixcell {

namespace {

// A rectangle of blocks: the box of its set pixels, the cost of covering
// them, and how: one object (cut 0), or cut at block column `cut` (cut > 0)
// or at block row -cut (cut < 0).
struct Piece {
    std::int64_t cost = 0;
    std::int8_t left = 0;
    std::int8_t top = 0;
    std::int8_t right = 0;
    std::int8_t bottom = 0;
    std::int8_t cut = 0;

    Box box() const { return {left, top, right, bottom}; }
    void set_box(const Box& b) {
        left = static_cast<std::int8_t>(b.left);
        top = static_cast<std::int8_t>(b.top);
        right = static_cast<std::int8_t>(b.right);
        bottom = static_cast<std::int8_t>(b.bottom);
    }
};

// The rectangles' pieces, in storage a thread keeps from one search to the
// next, since most windows are searched in a few microseconds.
class Pieces {
public:
    Pieces(std::int32_t columns, std::int32_t rows) : stride(columns + 1), row_stride(rows + 1) {
        thread_local std::vector<Piece> storage;
        storage.resize(std::max(storage.size(), static_cast<std::size_t>(stride * stride * row_stride * row_stride)));
        pieces = storage.data();
    }
    // Block columns [x0, x1), block rows [y0, y1).
    Piece& at(std::int32_t x0, std::int32_t x1, std::int32_t y0, std::int32_t y1) {
        return pieces[((x0 * stride + x1) * row_stride + y0) * row_stride + y1];
    }

private:
    std::int32_t stride;
    std::int32_t row_stride;
    Piece* pieces;
};

// The grid lines along one axis: block i spans [line(i), line(i + 1)),
// clipped to the pixels [low, high) it is laid over.
struct GridLines {
    std::int32_t origin = 0;
    std::int32_t count = 0;  // blocks
    std::int32_t low = 0;
    std::int32_t high = 0;
    std::int32_t block = 0;

    GridLines(std::int32_t low_edge, std::int32_t high_edge, std::int32_t block_pixels, bool from_high)
        : low(low_edge), high(high_edge), block(block_pixels) {
        count = (high - low + block - 1) / block;
        origin = from_high ? high - count * block : low;
    }
    std::int32_t line(std::int32_t i) const {
        const std::int32_t at = origin + i * block;
        return at < low ? low : at > high ? high : at;
    }
};

Box block_box(const PixelMask& mask, const GridLines& columns, const GridLines& rows, std::int32_t i, std::int32_t j) {
    return bounding_box(mask, row_bits(columns.line(i), columns.line(i + 1)), rows.line(j), rows.line(j + 1));
}

void collect(Pieces& pieces, std::int32_t x0, std::int32_t x1, std::int32_t y0, std::int32_t y1, std::int32_t centre_x2,
             std::int32_t centre_y2, std::vector<Placement>& cover) {
    const Piece& piece = pieces.at(x0, x1, y0, y1);
    if (piece.cut > 0) {
        collect(pieces, x0, piece.cut, y0, y1, centre_x2, centre_y2, cover);
        collect(pieces, piece.cut, x1, y0, y1, centre_x2, centre_y2, cover);
    } else if (piece.cut < 0) {
        collect(pieces, x0, x1, y0, -piece.cut, centre_x2, centre_y2, cover);
        collect(pieces, x0, x1, -piece.cut, y1, centre_x2, centre_y2, cover);
    } else if (!piece.box().empty()) {
        const Box box = piece.box();
        cover.push_back(place_over(box, cheapest_shape(box.width(), box.height()), centre_x2, centre_y2));
    }
}

}  // namespace

std::vector<Placement> guillotine_cover(const PixelMask& mask, const ObjectCost& cost, const Grid& grid) {
    const Box all = bounding_box(mask);
    if (all.empty()) return {};
    const GridLines columns(all.left, all.right, grid.block, grid.right);
    const GridLines rows(all.top, all.bottom, grid.block, grid.bottom);
    Pieces pieces(columns.count, rows.count);
    // Smaller rectangles first: each is worked out from the ones it splits into.
    for (std::int32_t dx = 1; dx <= columns.count; ++dx) {
        for (std::int32_t dy = 1; dy <= rows.count; ++dy) {
            for (std::int32_t x0 = 0; x0 + dx <= columns.count; ++x0) {
                for (std::int32_t y0 = 0; y0 + dy <= rows.count; ++y0) {
                    const std::int32_t x1 = x0 + dx;
                    const std::int32_t y1 = y0 + dy;
                    Piece& piece = pieces.at(x0, x1, y0, y1);
                    if (dx > 1) {
                        piece.set_box(unite(pieces.at(x0, x1 - 1, y0, y1).box(), pieces.at(x1 - 1, x1, y0, y1).box()));
                    } else if (dy > 1) {
                        piece.set_box(unite(pieces.at(x0, x1, y0, y1 - 1).box(), pieces.at(x0, x1, y1 - 1, y1).box()));
                    } else {
                        piece.set_box(block_box(mask, columns, rows, x0, y0));
                    }
                    const Box box = piece.box();
                    piece.cost = 0;
                    piece.cut = 0;
                    if (box.empty()) continue;  // costs nothing
                    piece.cost = shape_cost(cheapest_shape(box.width(), box.height()), cost);
                    for (std::int32_t k = x0 + 1; k < x1; ++k) {
                        const std::int64_t split = pieces.at(x0, k, y0, y1).cost + pieces.at(k, x1, y0, y1).cost;
                        if (split < piece.cost) {
                            piece.cost = split;
                            piece.cut = static_cast<std::int8_t>(k);
                        }
                    }
                    for (std::int32_t k = y0 + 1; k < y1; ++k) {
                        const std::int64_t split = pieces.at(x0, x1, y0, k).cost + pieces.at(x0, x1, k, y1).cost;
                        if (split < piece.cost) {
                            piece.cost = split;
                            piece.cut = static_cast<std::int8_t>(-k);
                        }
                    }
                }
            }
        }
    }
    std::vector<Placement> cover;
    collect(pieces, 0, columns.count, 0, rows.count, all.left + all.right, all.top + all.bottom, cover);
    return cover;
}

}  // namespace pixcell
