#include "sheets/sheet_store.h"

#include <new>
#include <utility>

#include "common/messages.h"
#include "sheets/decode_sheet.h"
#include "sheets/file_bytes.h"

namespace pixcell {

bool SheetStore::load(const std::string& name) {
    if (by_name.count(name) != 0) return true;
    const std::size_t loaded = names.size();
    try {
        FileBytes bytes;
        if (!read_whole_file(name, bytes)) {
            messages::cant_open_sheet(name);
            ++failures;
            return false;
        }
        // Small sheets decode faster than a thread starts.
        constexpr std::size_t kDecodedAlongsideFrom = std::size_t{512} << 10;
        const bool later = decoding == Decoding::alongside && bytes.size() >= kDecodedAlongsideFrom;
        DecodedSheet decoded = decode_sheet(std::move(bytes), later);
        // A store for indexed sheets alone refuses true-colour ones, as the
        // converter did before it could index them: the one place that decides.
        if (!decoded.not_indexed.empty() && true_colour_sheets == TrueColourSheets::refused) {
            decoded.true_colour.reset();
            decoded.pending = nullptr;
            decoded.problem = std::move(decoded.not_indexed);
        }
        if (!decoded.image && !decoded.true_colour) {
            messages::cant_use_sheet(name, decoded.problem);
            ++failures;
            return false;
        }
        const auto index = static_cast<std::int32_t>(images.size());
        names.push_back(name);
        if (decoded.true_colour) {
            const TrueColourImage& colour = *decoded.true_colour;
            images.push_back(IndexedImage::without_pixels(colour.width(), colour.height()));
        } else {
            images.push_back(std::move(*decoded.image));
        }
        colours.push_back(std::move(decoded.true_colour));
        by_name.emplace(name, index);
        if (decoded.pending) {
            if (!thread) thread = std::make_unique<DecodingThread>();
            thread->add(name, std::move(decoded.pending));
        }
        return true;
    } catch (const std::bad_alloc&) {
        // A file larger than the memory left (a sparse file, say) is refused, not a crash.
        messages::cant_use_sheet(name, messages::sheet_problem::too_large_for_memory());
        names.resize(loaded);
        while (images.size() > loaded) images.pop_back();
        while (colours.size() > loaded) colours.pop_back();
        by_name.erase(name);
        ++failures;
        return false;
    }
}

std::vector<LateFailure> SheetStore::finish_decoding() {
    return thread ? thread->finish() : std::vector<LateFailure>{};
}

std::int32_t SheetStore::find(const std::string& name) const {
    const auto it = by_name.find(name);
    return it == by_name.end() ? -1 : it->second;
}

std::int32_t SheetStore::width(const std::string& name) const {
    const std::int32_t index = find(name);
    return index < 0 ? 0 : sheet(index).width();
}

std::int64_t SheetStore::height(const std::string& name) const {
    const std::int32_t index = find(name);
    return index < 0 ? 0 : sheet(index).height();
}

const TrueColourImage* SheetStore::true_colour(std::int32_t index) const {
    const std::optional<TrueColourImage>& colour = colours[static_cast<std::size_t>(index)];
    return colour ? &*colour : nullptr;
}

std::optional<TrueColourImage> SheetStore::take_true_colour(std::int32_t index) {
    return std::exchange(colours[static_cast<std::size_t>(index)], std::nullopt);
}

void SheetStore::set_indexed(std::int32_t index, IndexedImage image) {
    images[static_cast<std::size_t>(index)] = std::move(image);
    colours[static_cast<std::size_t>(index)].reset();
}

}  // namespace pixcell
