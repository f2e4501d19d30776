// The sheets stage: every sprite sheet a description names, read once, whole,
// decoded into an indexed image and found again by its file name. A file
// that can't be opened or used is reported when it is loaded, so that
// everything after this stage reads pixels without checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sheets/indexed_image.h"

namespace pixcell {

class SheetStore {
public:
    // Loads a sheet once: a name already loaded returns true without reading.
    // Prints one line and returns false when the file can't be opened or used.
    // The name is the path exactly as written.
    bool load(const std::string& name);

    // Index of a loaded sheet, in loading order, or -1.
    std::int32_t find(const std::string& name) const;
    // Size in pixels; 0 when not loaded.
    std::int32_t width(const std::string& name) const;
    std::int64_t height(const std::string& name) const;

    // The loaded sheets by index, 0 <= index < count().
    std::size_t count() const { return images.size(); }
    const IndexedImage& sheet(std::int32_t index) const { return images[static_cast<std::size_t>(index)]; }
    const std::string& name(std::int32_t index) const { return names[static_cast<std::size_t>(index)]; }

    // Loads that failed, each counted once per call to load.
    std::size_t failed_loads() const { return failures; }

private:
    std::vector<IndexedImage> images;
    std::vector<std::string> names;
    std::map<std::string, std::int32_t> by_name;
    std::size_t failures = 0;
};

}  // namespace pixcell
