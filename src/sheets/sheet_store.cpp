#include "sheets/sheet_store.h"

#include <new>
#include <utility>

#include "common/messages.h"
#include "sheets/decode_sheet.h"
#include "sheets/file_bytes.h"

namespace pixcell {

bool SheetStore::load(const std::string& name) {
    if (by_name.count(name) != 0) return true;
    try {
        FileBytes bytes;
        if (!read_whole_file(name, bytes)) {
            messages::cant_open_sheet(name);
            ++failures;
            return false;
        }
        DecodedSheet decoded = decode_sheet(std::move(bytes));
        if (!decoded.image) {
            messages::cant_use_sheet(name, decoded.problem);
            ++failures;
            return false;
        }
        const auto index = static_cast<std::int32_t>(images.size());
        names.push_back(name);
        images.push_back(std::move(*decoded.image));
        by_name.emplace(name, index);
        return true;
    } catch (const std::bad_alloc&) {
        // A file larger than the memory left (a sparse file, say) is refused, not a crash.
        messages::cant_use_sheet(name, messages::sheet_problem::too_large_for_memory());
        names.resize(images.size());
        ++failures;
        return false;
    }
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

}  // namespace pixcell
