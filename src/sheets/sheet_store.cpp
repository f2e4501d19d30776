#include "sheets/sheet_store.h"

#include <new>
#include <utility>

#include "common/messages.h"
#include "sheets/decode_sheet.h"
#include "common/large_pages.h"
#include "sheets/file_bytes.h"

namespace pixcell {

namespace {

// Small sheets are read and decoded faster than a thread starts.
constexpr std::size_t kAlongsideFrom = std::size_t{512} << 10;
// What is read of a large one before load returns: the headers, the palette
// and the chunks before a PNG's image data lie there.
constexpr std::size_t kReadFirst = std::size_t{64} << 10;

// The file's bytes: all of them, or, for a large sheet when `alongside`,
// room for all and the first of them in place, the rest for `partly` to
// read. False when the file can't be opened or read.
bool read_sheet_file(const std::string& name, bool alongside, FileBytes& bytes, PartlyRead& partly) {
    if (!alongside) return read_whole_file(name, bytes);
    std::shared_ptr<const OpenFile> file = OpenFile::open(name);
    if (!file) return false;
    bytes.resize(file->size());
    ask_for_large_pages(bytes.data(), bytes.size());
    const std::size_t first = file->size() < kAlongsideFrom ? file->size() : kReadFirst;
    if (!file->read(bytes.data(), 0, first)) return false;
    partly.read = first;
    if (first < file->size()) partly.file = std::move(file);
    return true;
}

}  // namespace

bool SheetStore::load(const std::string& name) {
    if (by_name.count(name) != 0) return true;
    const std::size_t loaded = names.size();
    try {
        FileBytes bytes;
        PartlyRead partly;
        if (!read_sheet_file(name, decoding == Decoding::alongside, bytes, partly)) {
            messages::cant_open_sheet(name);
            ++failures;
            return false;
        }
        DecodedSheet decoded = decode_sheet(std::move(bytes), !partly.whole(), std::move(partly));
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
