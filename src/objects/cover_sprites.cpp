#include "objects/cover_sprites.h"

#include <algorithm>
#include <atomic>
#include <future>
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
};

// Parts are covered a batch at a time, so that the packed pictures waiting
// to be stored stay few.
constexpr std::size_t kBatchParts = 4096;
// Below this many parts a batch isn't worth a thread.
constexpr std::size_t kPartsForThreads = 64;
constexpr unsigned kMostThreads = 8;

CoveredPart cover_and_pack(const PartJob& job, const ObjectCost& cost) {
    CoveredPart covered;
    covered.objects = cover_part(*job.image, *job.part, cost);
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

// The offset of an object's left (top) edge from the sprite's origin, as
// cell_offset gives a cell's: mirrored about the origin with the part.
std::int32_t object_offset(std::int64_t from_part, std::int32_t origin, std::int32_t size, bool mirrored) {
    return wrap32(mirrored ? origin - from_part - size : from_part - origin);
}

}  // namespace

ObjectConversion cover_sprites(const SpriteList& sprites, const Conversion& conversion, const SheetStore& sheets,
                               const ObjectCost& cost) {
    ObjectConversion result;
    result.sprites.resize(conversion.sprites.size());
    std::vector<PartJob> jobs;
    for (std::size_t s = 0; s < conversion.sprites.size(); ++s) {
        const SpriteObject& sprite = sprites[conversion.sprites[s].sprite];
        const IndexedImage& image = sheets.sheet(sheets.find(sprite.bitmap));
        // As the cells are listed: the part described last first.
        for (auto part = sprite.parts.rbegin(); part != sprite.parts.rend(); ++part)
            jobs.push_back({s, &*part, &image});
    }
    ObjectStore store;
    std::size_t started = jobs.empty() ? 0 : jobs.front().sprite + 1;  // the sprite whose objects come now
    // Stores one batch's pictures, in order: the only part that can't be
    // spread over threads, so the helpers cover the next batch meanwhile.
    const auto store_batch = [&](std::size_t first, const std::vector<CoveredPart>& covered) {
        std::size_t batch_tiles = 0;
        for (const CoveredPart& part : covered) batch_tiles += part.tiles.size();
        store.reserve(batch_tiles);
        for (std::size_t i = 0; i < covered.size(); ++i) {
            const PartJob& job = jobs[first + i];
            const SpritePart& part = *job.part;
            ObjectSprite& sprite = result.sprites[job.sprite];
            if (job.sprite != started) sprite.first = result.objects.size();
            started = job.sprite;
            const FlipFlags part_flip = part.flip & kFlipMask;
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
    };
    const unsigned threads =
        jobs.size() < kPartsForThreads ? 1 : std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
    std::vector<CoveredPart> covered;
    std::vector<CoveredPart> next_covered;
    if (!jobs.empty()) {
        Batch batch(jobs, cost, covered, 0, std::min(kBatchParts, jobs.size()));
        Helpers helpers(batch, threads);
        batch.run();
        helpers.wait();
    }
    for (std::size_t first = 0; first < jobs.size(); first += kBatchParts) {
        const std::size_t next_first = first + kBatchParts;
        if (next_first >= jobs.size()) {
            store_batch(first, covered);
            break;
        }
        Batch batch(jobs, cost, next_covered, next_first, std::min(kBatchParts, jobs.size() - next_first));
        Helpers helpers(batch, threads);
        store_batch(first, covered);
        batch.run();
        helpers.wait();
        std::swap(covered, next_covered);
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

}  // namespace pixcell
