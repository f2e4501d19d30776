#include "objects/cover_sprites.h"

#include <algorithm>
#include <cstdint>
#include <atomic>
#include <future>
#include <memory>
#include <system_error>
#include <thread>

#include "common/wrap.h"
#include "description/part_area.h"
#include "objects/object_picture.h"
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

// A part's cover with its pictures packed and hashed, all that storing them
// in order has left to do.
struct CoveredPart {
    std::vector<SheetObject> objects;
    std::vector<Tile> tiles;  // each object's picture after the one before
    std::vector<PictureKey> keys;
    std::int64_t cells = 0;  // its cells that show, as the cells stage placed them
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

// Covers jobs[first, first + count) into covered[0, count), each part's
// result in its own slot, so that the result doesn't depend on which thread
// took which part: any number of threads may call run() at once.
struct Batch {
    const std::vector<PartJob>& jobs;
    const ObjectCost& cost;
    std::vector<CoveredPart>& covered;
    std::size_t first = 0;
    std::size_t count = 0;
    std::atomic<std::size_t> next{0};

    Batch(const std::vector<PartJob>& jobs, const ObjectCost& cost, std::vector<CoveredPart>& covered,
          std::size_t first, std::size_t count)
        : jobs(jobs), cost(cost), covered(covered), first(first), count(count) {
        covered.assign(count, CoveredPart{});
    }
    void run() {
        for (std::size_t i = next++; i < count; i = next++) covered[i] = cover_and_pack(jobs[first + i], cost);
    }
};

// Helper threads that cover `batch` beside the calling thread, which joins
// them through run(). An exception of any comes out of wait(), once all
// have stopped; a thread that can't be had leaves its work to the others.
class Helpers {
public:
    Helpers(Batch& batch, unsigned threads) {
        for (unsigned t = 1; t < threads; ++t) {
            try {
                running.push_back(std::async(std::launch::async, [&batch] { batch.run(); }));
            } catch (const std::system_error&) {
                break;
            }
        }
    }
    // Each future waits for its thread when it goes, however this returns.
    void wait() {
        for (std::future<void>& helper : running) helper.get();
        running.clear();
    }

private:
    std::vector<std::future<void>> running;
};

constexpr std::int32_t kCellShape = 1;  // 16x16
static_assert(kObjectShapes[kCellShape].width == kCellPixels && kObjectShapes[kCellShape].height == kCellPixels,
              "the shape of a cell");

// A part's cover is searched on its own pixels, but its tiles are stored
// once for the whole run: a picture stored already costs no tiles, and one
// that other parts use too costs each its share. The cover of the part's
// cells, which the cells stage has cut and counted, is then sometimes the
// cheaper: on a sheet whose cells repeat in other arrangements, say, where
// no larger picture repeats. This weighs the two, as each part is stored.
// How many times each 64-bit hash was counted: open addressing over a
// power of two of slots, for the lookups of every object of a large run.
class HashCounts {
public:
    explicit HashCounts(std::size_t most = 0) {
        std::size_t slots = 16;
        while (slots < 2 * most) slots *= 2;
        entries.assign(slots, {0, 0});
    }
    void count(std::uint64_t hash) {
        Entry& entry = entries[slot(hash)];
        entry.hash = hash;
        ++entry.count;
    }
    std::uint32_t of(std::uint64_t hash) const { return entries[slot(hash)].count; }

private:
    struct Entry {
        std::uint64_t hash;
        std::uint32_t count;  // 0: a free slot
    };
    // The hash's slot, or the free one where it would go.
    std::size_t slot(std::uint64_t hash) const {
        const std::size_t mask = entries.size() - 1;
        std::size_t i = static_cast<std::size_t>(hash ^ hash >> 32) & mask;
        while (entries[i].count != 0 && entries[i].hash != hash) i = (i + 1) & mask;
        return i;
    }
    std::vector<Entry> entries;
};

class CellCovers {
public:
    explicit CellCovers(const Conversion& conversion)
        : conversion(conversion), uses(conversion.cells.size(), 0), stored(conversion.cells.size()) {
        for (const PlacedCell& cell : conversion.placed) ++uses[static_cast<std::size_t>(cell.index)];
    }

    // How many objects of all the covers show each picture (by its key's
    // hash: a picture that shares one with another is only thought more used).
    void count_pictures(const std::vector<CoveredPart>& covered) {
        std::size_t keys = 0;
        for (const CoveredPart& part : covered) keys += part.keys.size();
        picture_uses = HashCounts(keys);
        for (const CoveredPart& part : covered) {
            for (const PictureKey& key : part.keys) picture_uses.count(key.hash);
        }
    }

    // A sprite's parts come one after another, as the cells stage placed them.
    void start_sprite(std::size_t sprite) { at = conversion.sprites[sprite].first_cell; }

    // Whether covering the part's cells, the next covered.cells placed
    // cells, costs less than `covered`; moves past them either way.
    bool cheaper(const CoveredPart& covered, const ObjectStore& store, const ObjectCost& cost, std::size_t sprite) {
        const std::size_t first = at;
        const auto count = static_cast<std::size_t>(covered.cells);
        at += count;
        const ConvertedSprite& converted = conversion.sprites[sprite];
        if (count == 0 || at > converted.first_cell + converted.cell_count) return false;
        const double per_object = static_cast<double>(cost.per_object);
        const double per_tile = static_cast<double>(cost.per_tile);
        // Each tile costs its share among the objects that show it.
        double cover_cost = 0;
        for (std::size_t k = 0; k < covered.objects.size(); ++k) {
            const std::int32_t shape = covered.objects[k].shape;
            cover_cost += per_object + per_tile * object_tiles(static_cast<std::size_t>(shape)) /
                                           picture_uses.of(covered.keys[k].hash);
        }
        // The cells' objects alone cost that much (as for a balanced cover,
        // as a rule): nothing to weigh.
        if (count * per_object >= cover_cost) return false;
        double cells_cost = 0;
        for (std::size_t i = first; i < at; ++i) {
            const auto index = static_cast<std::size_t>(conversion.placed[i].index);
            cells_cost += per_object;
            if (stored[index].tile == kNone) cells_cost += per_tile * object_tiles(kCellShape) / uses[index];
        }
        const Tile* picture = covered.tiles.data();
        for (std::size_t k = 0; k < covered.objects.size(); ++k) {
            const std::int32_t shape = covered.objects[k].shape;
            if (store.holds(picture, shape, covered.keys[k])) {
                cover_cost -= per_tile * object_tiles(static_cast<std::size_t>(shape)) /
                              picture_uses.of(covered.keys[k].hash);
            }
            picture += object_tiles(static_cast<std::size_t>(shape));
        }
        return cells_cost < cover_cost;
    }

    // Stores the cells just weighed as the part's objects. Each distinct
    // cell is stored once, as the cell table holds it: a placement shows it
    // mirrored as the placement's flip says.
    void store_cells(const CoveredPart& covered, ObjectStore& store, std::vector<PlacedObject>& objects) {
        for (std::size_t i = at - static_cast<std::size_t>(covered.cells); i < at; ++i) {
            const PlacedCell& cell = conversion.placed[i];
            StoredCell& stored_cell = stored[static_cast<std::size_t>(cell.index)];
            if (stored_cell.tile == kNone) {
                const auto* tiles = reinterpret_cast<const Tile*>(conversion.cells[static_cast<std::uint32_t>(cell.index)].data());
                FlipFlags flip = 0;
                stored_cell.tile = store.add(tiles, kCellShape, picture_key(tiles, kCellShape), flip);
                stored_cell.flip = flip;
            }
            objects.push_back({cell.x_offset, cell.y_offset, kCellShape, (stored_cell.flip ^ cell.flip) & kFlipMask,
                               static_cast<std::int32_t>(stored_cell.tile)});
        }
    }

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;
    // A distinct cell stored as an object: its first tile, and the flip that
    // shows the cell as the cell table holds it.
    struct StoredCell {
        std::uint32_t tile = kNone;
        FlipFlags flip = 0;
    };

    const Conversion& conversion;
    std::vector<std::uint32_t> uses;  // placed cells of each distinct cell
    std::vector<StoredCell> stored;   // by distinct cell
    HashCounts picture_uses;
    std::size_t at = 0;               // the next placed cell
};

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
    Batch batch(jobs, cost, result.parts->covered, 0, jobs.size());
    Helpers helpers(batch, threads);
    batch.run();
    helpers.wait();
    return result;
}

ObjectConversion store_objects(const CoveredParts& parts, const Conversion& conversion) {
    ObjectConversion result;
    result.sprites.resize(parts.sprites);
    const std::vector<PartJob>& jobs = parts.parts->jobs;
    const std::vector<CoveredPart>& covered = parts.parts->covered;
    ObjectStore store;
    CellCovers cell_covers(conversion);
    cell_covers.count_pictures(covered);
    std::size_t tiles = 0;
    for (const CoveredPart& part : covered) tiles += part.tiles.size();
    store.reserve(tiles);
    std::size_t started = jobs.empty() ? 0 : jobs.front().sprite + 1;  // the sprite whose objects come now
    for (std::size_t i = 0; i < covered.size(); ++i) {
        const PartJob& job = jobs[i];
        const SpritePart& part = *job.part;
        ObjectSprite& sprite = result.sprites[job.sprite];
        if (job.sprite != started) {
            sprite.first = result.objects.size();
            cell_covers.start_sprite(job.sprite);
        }
        started = job.sprite;
        const FlipFlags part_flip = part.flip & kFlipMask;
        if (cell_covers.cheaper(covered[i], store, parts.cost, job.sprite)) {
            const std::size_t before = result.objects.size();
            cell_covers.store_cells(covered[i], store, result.objects);
            sprite.count += result.objects.size() - before;
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
    result.tiles = store.take_tiles();
    result.counts.tiles = static_cast<std::int64_t>(result.tiles.size());
    result.counts.bytes = result.counts.tiles * static_cast<std::int64_t>(kTileBytes);
    result.counts.objects = static_cast<std::int64_t>(result.objects.size());
    return result;
}

ObjectConversion cover_sprites(const SpriteList& sprites, const Conversion& conversion, const SheetStore& sheets,
                               const ObjectCost& cost) {
    std::vector<std::size_t> listed;
    for (const ConvertedSprite& sprite : conversion.sprites) listed.push_back(sprite.sprite);
    return store_objects(cover_parts(sprites, listed, sheets, cost), conversion);
}

}  // namespace pixcell
