#include "colours/indexed_rows.h"

#include "common/console.h"
#include "description/part_area.h"

namespace pixcell {

std::uint32_t indexed_rows(const SpriteList& sprites, const SheetStore& sheets) {
    std::uint32_t used = 0;
    for (const SpriteObject& sprite : sprites) {
        const std::int32_t i = sheets.find(sprite.bitmap);
        if (i < 0 || sheets.true_colour(i) != nullptr) continue;
        const IndexedImage& image = sheets.sheet(i);
        std::uint32_t drawn = 0;  // by the rows the sheet draws
        for (const SpritePart& part : sprite.parts) {
            const PixelArea area = part.clipped ? own_pixels_on_sheet(part, image.width(), image.height())
                                                : pixels_on_sheet(part, image.width(), image.height());
            if (area.empty()) continue;
            image.wait_for_rows(area.bottom);
            for (std::int64_t y = area.top; y < area.bottom; ++y) {
                const std::uint8_t* row = image.row(y);
                for (std::int64_t x = area.left; x < area.right; ++x) {
                    if ((row[x] & kPixelMask) != 0) drawn |= 1u << (row[x] >> kRowShift);
                }
            }
        }
        const std::int32_t shift = image.row_shift();
        used |= (drawn << shift) & ((1u << kPaletteRows) - 1);
    }
    return used;
}

std::optional<std::size_t> free_rows(std::uint32_t used, std::size_t first, std::size_t count) {
    const std::uint32_t block = count >= 32 ? ~0u : (1u << count) - 1;
    for (std::size_t start = first; start + count <= static_cast<std::size_t>(kPaletteRows); ++start) {
        if ((used & block << start) == 0) return start;
    }
    return std::nullopt;
}

}  // namespace pixcell
