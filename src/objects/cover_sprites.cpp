#include "objects/cover_sprites.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <future>
#include <memory>
#include <system_error>
#include <thread>

#include "common/wrap.h"
#include "description/part_area.h"
#include "objects/object_picture.h"
#include "objects/cell_covers.h"
#include "objects/covered_part.h"
#include "objects/object_store.h"
#include "objects/part_cover.h"

namespace pixcell {

namespace {

// One part to cover, of the converted sprite `sprite` (its position in
// Conversion::sprites).
struct PartJob {
    std::size_t sprite = 0;
    const SpritePart* part = nullptr;
    const IndexedImage* image = nullptr;
};

// Below this many parts a second thread isn't worth it.
constexpr std::size_t kPartsForThreads = 64;
constexpr unsigned kMostThreads = 8;

CoveredPart cover_and_pack(const PartJob& job, const ObjectCost& cost) {
    CoveredPart covered;
    covered.objects = cover_part(*job.image, *job.part, cost, &covered.cells);
    std::size_t tiles = 0;
    for (const SheetObject& object : covered.objects)
        tiles += static_cast<std::size_t>(object_tiles(static_cast<std::size_t>(object.shape)));
    covered.tiles.resize(tiles);
    const PixelArea area = pixels_on_sheet(*job.part, job.image->width(), job.image->height());
    Tile* picture = covered.tiles.data();
    for (const SheetObject& object : covered.objects) {
        pack_picture(*job.image, area, object.x, object.y, object.shape, picture);
        covered.keys.push_back(picture_key(picture, object.shape));
        picture += object_tiles(static_cast<std::size_t>(object.shape));
    }
    return covered;
}

// Covers every job into its own slot of `covered`, so that the result
// doesn't depend on which thread took which part: on `threads` threads, the
// caller's among them. An exception of any comes out here, once all have
// stopped; a thread that can't be had leaves its work to the others.
void cover_all(const std::vector<PartJob>& jobs, const ObjectCost& cost, unsigned threads,
               std::vector<CoveredPart>& covered) {
    covered.assign(jobs.size(), CoveredPart{});
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) covered[i] = cover_and_pack(jobs[i], cost);
    };
    // Each future waits for its thread when it goes, however this returns.
    std::vector<std::future<void>> helpers;
    for (unsigned t = 1; t < threads; ++t) {
        try {
            helpers.push_back(std::async(std::launch::async, work));
        } catch (const std::system_error&) {
            break;
        }
    }
    work();
    for (std::future<void>& helper : helpers) helper.get();
}

// The offset of an object's left (top) edge from the sprite's origin, as
// cell_offset gives a cell's: mirrored about the origin with the part.
std::int32_t object_offset(std::int64_t from_part, std::int32_t origin, std::int32_t size, bool mirrored) {
    return wrap32(mirrored ? origin - from_part - size : from_part - origin);
}

// The parts of the listed sprites, in the order the cells stage cuts them:
// sprites in list order, each one's part described last first.
std::vector<PartJob> part_jobs(const SpriteList& sprites, const std::vector<std::size_t>& listed,
                               const SheetStore& sheets) {
    std::vector<PartJob> jobs;
    for (std::size_t s = 0; s < listed.size(); ++s) {
        const SpriteObject& sprite = sprites[listed[s]];
        const IndexedImage& image = sheets.sheet(sheets.find(sprite.bitmap));
        for (auto part = sprite.parts.rbegin(); part != sprite.parts.rend(); ++part) jobs.push_back({s, &*part, &image});
    }
    return jobs;
}

// The objects of each sprite that shares another's block shown from that
// block's pictures: each object's flip changed by its picture's refit.
void refit_flips(const std::vector<std::vector<StoredPicture>>& sprite_pictures,
                 const std::vector<std::vector<FlipFlags>>& refits, ObjectConversion& result) {
    for (std::size_t s = 0; s < refits.size(); ++s) {
        if (refits[s].empty()) continue;
        std::vector<FlipFlags> by_tile(result.stream->blocks[s].tiles, 0);  // each picture's refit at its first tile
        std::size_t first = 0;
        for (std::size_t p = 0; p < sprite_pictures[s].size(); ++p) {
            by_tile[first] = refits[s][p];
            first += static_cast<std::size_t>(object_tiles(static_cast<std::size_t>(sprite_pictures[s][p].shape)));
        }
        const ObjectSprite& sprite = result.sprites[s];
        for (std::size_t i = sprite.first; i < sprite.first + sprite.count; ++i) {
            PlacedObject& object = result.objects[i];
            object.flip = (object.flip ^ by_tile[static_cast<std::size_t>(object.tile)]) & kFlipMask;
        }
    }
}

}  // namespace

struct CoveredParts::Parts {
    std::vector<PartJob> jobs;
    std::vector<CoveredPart> covered;
};

CoveredParts::CoveredParts() = default;
CoveredParts::CoveredParts(CoveredParts&&) noexcept = default;
CoveredParts& CoveredParts::operator=(CoveredParts&&) noexcept = default;
CoveredParts::~CoveredParts() = default;

CoveredParts cover_parts(const SpriteList& sprites, const std::vector<std::size_t>& listed, const SheetStore& sheets,
                         const ObjectCost& cost) {
    CoveredParts result;
    result.cost = cost;
    result.sprites = listed.size();
    result.parts = std::make_unique<CoveredParts::Parts>();
    result.parts->jobs = part_jobs(sprites, listed, sheets);
    const std::vector<PartJob>& jobs = result.parts->jobs;
    const unsigned threads =
        jobs.size() < kPartsForThreads ? 1 : std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
    cover_all(jobs, cost, threads, result.parts->covered);
    return result;
}

ObjectConversion store_objects(CoveredParts parts, const Conversion& conversion, bool stream) {
    ObjectConversion result;
    result.sprites.resize(parts.sprites);
    const std::vector<PartJob>& jobs = parts.parts->jobs;
    const std::vector<CoveredPart>& covered = parts.parts->covered;

    // Each part's placed cells: a sprite's parts come one after another, as
    // the cells stage placed them.
    std::vector<std::size_t> first_placed(jobs.size(), kNoCells);
    for (std::size_t i = 0, at = 0; i < jobs.size(); ++i) {
        const ConvertedSprite& sprite = conversion.sprites[jobs[i].sprite];
        if (i == 0 || jobs[i].sprite != jobs[i - 1].sprite) at = sprite.first_cell;
        const std::size_t end = at + static_cast<std::size_t>(covered[i].cells);
        if (end <= sprite.first_cell + sprite.cell_count) first_placed[i] = at;
        at = end;
    }
    std::vector<std::uint32_t> owners;
    if (stream) {
        for (const PartJob& job : jobs) owners.push_back(static_cast<std::uint32_t>(job.sprite));
    }
    const std::vector<char> use_cells = weigh_cell_covers(covered, first_placed, conversion, parts.cost, owners);

    // A distinct cell shown by a part's cells is stored once, as the cell
    // table holds it: where it went, and the flip that shows it so.
    struct StoredCell {
        std::uint32_t tile = UINT32_MAX;
        FlipFlags flip = 0;  // shows the cell as the table holds it
    };
    std::vector<StoredCell> stored_cells(conversion.cells.size());
    std::vector<std::size_t> cells_stored;  // which, so that a sprite's own store forgets them
    const auto cell_tiles = [&](std::int32_t index) {
        return reinterpret_cast<const Tile*>(conversion.cells[static_cast<std::uint32_t>(index)].data());
    };

    // Streamed, each sprite has a store of its own, its tiles its block.
    ObjectStore store;
    std::vector<std::vector<StoredPicture>> sprite_pictures(stream ? parts.sprites : 0);
    const auto end_sprite = [&](std::size_t sprite) {
        sprite_pictures[sprite] = store.pictures();
        store.clear();
        for (const std::size_t cell : cells_stored) stored_cells[cell] = StoredCell{};
        cells_stored.clear();
    };
    for (std::size_t i = 0; i < covered.size(); ++i) {
        const PartJob& job = jobs[i];
        const SpritePart& part = *job.part;
        ObjectSprite& sprite = result.sprites[job.sprite];
        if (i == 0 || job.sprite != jobs[i - 1].sprite) {
            if (stream && i > 0) end_sprite(jobs[i - 1].sprite);
            sprite.first = result.objects.size();
        }
        const FlipFlags part_flip = part.flip & kFlipMask;
        if (use_cells[i]) {
            for (std::size_t c = first_placed[i]; c < first_placed[i] + static_cast<std::size_t>(covered[i].cells); ++c) {
                const PlacedCell& cell = conversion.placed[c];
                StoredCell& stored = stored_cells[static_cast<std::size_t>(cell.index)];
                if (stored.tile == UINT32_MAX) {
                    const Tile* tiles = cell_tiles(cell.index);
                    stored.tile = store.add(tiles, kCellShape, picture_key(tiles, kCellShape), stored.flip);
                    if (stream) cells_stored.push_back(static_cast<std::size_t>(cell.index));
                }
                // The placement shows the stored cell mirrored as its flip says.
                result.objects.push_back({cell.x_offset, cell.y_offset, kCellShape, (stored.flip ^ cell.flip) & kFlipMask,
                                          static_cast<std::int32_t>(stored.tile)});
                ++sprite.count;
            }
            continue;
        }
        const Tile* picture = covered[i].tiles.data();
        for (std::size_t k = 0; k < covered[i].objects.size(); ++k) {
            const SheetObject& object = covered[i].objects[k];
            const ObjectShape& size = kObjectShapes[static_cast<std::size_t>(object.shape)];
            FlipFlags flip = part_flip;
            const std::uint32_t tile = store.add(picture, object.shape, covered[i].keys[k], flip);
            picture += object_tiles(static_cast<std::size_t>(object.shape));
            result.objects.push_back(
                {object_offset(object.x - part.x, part.dx, size.width, (part_flip & kFlipHorizontal) != 0),
                 object_offset(object.y - part.y, part.dy, size.height, (part_flip & kFlipVertical) != 0),
                 object.shape, flip, static_cast<std::int32_t>(tile)});
            ++sprite.count;
        }
    }
    for (const ObjectSprite& sprite : result.sprites) {
        result.counts.most_objects = std::max(result.counts.most_objects, static_cast<std::int64_t>(sprite.count));
    }
    if (stream) {
        if (!jobs.empty()) end_sprite(jobs.back().sprite);
        std::vector<std::vector<FlipFlags>> refits;
        result.stream = lay_out_blocks(sprite_pictures, result.tiles, refits);
        refit_flips(sprite_pictures, refits, result);
    } else {
        result.tiles = store.tile_places();
    }
    result.packed = std::shared_ptr<const void>(std::move(parts.parts));
    result.counts.tiles = static_cast<std::int64_t>(result.tiles.size());
    result.counts.bytes = result.counts.tiles * static_cast<std::int64_t>(kTileBytes);
    result.counts.objects = static_cast<std::int64_t>(result.objects.size());
    return result;
}

ObjectConversion cover_sprites(const SpriteList& sprites, const Conversion& conversion, const SheetStore& sheets,
                               const ObjectCost& cost, bool stream) {
    std::vector<std::size_t> listed;
    for (const ConvertedSprite& sprite : conversion.sprites) listed.push_back(sprite.sprite);
    return store_objects(cover_parts(sprites, listed, sheets, cost), conversion, stream);
}

}  // namespace pixcell
