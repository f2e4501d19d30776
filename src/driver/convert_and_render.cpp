#include "driver/convert_and_render.h"

#include <algorithm>
#include <condition_variable>
#include <future>
#include <mutex>

#include "description/part_area.h"

namespace pixcell {

namespace {

// Below this many cells the texts take less time than a thread to start.
constexpr std::uint64_t kCellsForTwoThreads = 16384;
// The cell array's text is sized for at most this many cells at first.
constexpr std::uint64_t kMostCellsSizedFor = 65536;

// The cells the parts cover on their sheets: as many as can be placed, and
// as many distinct ones as there can be.
std::uint64_t cells_covered(const SpriteList& sprites, const SheetStore& sheets) {
    constexpr std::uint64_t kMost = std::uint64_t{1} << 40;
    std::uint64_t cells = 0;
    for (const SpriteObject& sprite : sprites) {
        const std::int32_t sheet = sheets.find(sprite.bitmap);
        if (sheet < 0) continue;
        for (const SpritePart& part : sprite.parts) {
            const CellRange columns = cells_on_sheet(part.x, part.width, sheets.sheet(sheet).width());
            const CellRange rows = cells_on_sheet(part.y, part.height, sheets.sheet(sheet).height());
            cells = std::min(kMost, cells + static_cast<std::uint64_t>((columns.end - columns.begin) *
                                                                      (rows.end - rows.begin)));
        }
    }
    return cells;
}

// What the converting thread tells the formatting one: the latest counts,
// and whether they are the last.
struct Handover {
    std::mutex mutex;
    std::condition_variable told;
    const Conversion* so_far = nullptr;
    const CellTable* cells = nullptr;
    std::size_t sprites = 0;
    std::uint32_t cell_count = 0;
    bool last = false;
};

void format_as_told(Handover& handover, TextBuilder& builder) {
    std::size_t sprites_done = 0;
    std::uint32_t cells_done = 0;
    for (;;) {
        std::unique_lock<std::mutex> lock(handover.mutex);
        handover.told.wait(lock, [&] {
            return handover.last || handover.sprites != sprites_done || handover.cell_count != cells_done;
        });
        const Conversion* so_far = handover.so_far;
        const CellTable* cells = handover.cells;
        const std::size_t sprites = handover.sprites;
        const std::uint32_t cell_count = handover.cell_count;
        const bool last = handover.last;
        lock.unlock();
        if (so_far != nullptr) builder.add(*so_far, sprites, *cells, cell_count);
        sprites_done = sprites;
        cells_done = cell_count;
        if (last) return;
    }
}

}  // namespace

ConvertedTexts convert_and_render(const SpriteList& sprites, const SheetStore& sheets, const std::string& ident_base) {
    const std::uint64_t covered = cells_covered(sprites, sheets);
    ConvertedTexts result;
    if (covered < kCellsForTwoThreads) {
        // Sized once the sizes are known, as they are then.
        result.conversion = convert(sprites, sheets);
        result.texts = render_texts(sprites, result.conversion, ident_base);
        return result;
    }
    TextBuilder builder(sprites, ident_base, static_cast<std::size_t>(std::min(covered, kMostCellsSizedFor)),
                        static_cast<std::size_t>(std::min(covered, kMostCellsSizedFor * 16)));
    Handover handover;
    std::future<void> formatting = std::async(std::launch::async, [&] { format_as_told(handover, builder); });
    const auto tell = [&](const Conversion* so_far, const CellTable* cells, bool last) {
        {
            const std::lock_guard<std::mutex> lock(handover.mutex);
            handover.so_far = so_far;
            handover.cells = cells;
            handover.sprites = so_far != nullptr ? so_far->sprites.size() : handover.sprites;
            handover.cell_count = cells != nullptr ? cells->size() : handover.cell_count;
            handover.last = last;
        }
        handover.told.notify_one();
    };
    try {
        result.conversion = convert(sprites, sheets, [&](const Conversion& so_far, const CellTable& cells, bool last) {
            tell(&so_far, &cells, last);
            // What the last call shows goes once it returns: the formatting must be done with it.
            if (last) formatting.get();
        });
    } catch (...) {
        if (formatting.valid()) {
            tell(nullptr, nullptr, true);
            formatting.wait();
        }
        throw;
    }
    result.texts = builder.finish();
    return result;
}

}  // namespace pixcell
