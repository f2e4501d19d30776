// The messages of the outputs: files that can't be written, the preview
// that can't be made, and what writing them is warned about.
#pragma once

#include <cstdint>
#include <string>

namespace pixcell::messages {

void cant_write_file(const std::string& name);
void cant_remove_temporary(const std::string& name);
std::string preview_too_large(std::int64_t width, std::int64_t height, std::int64_t most);
std::string preview_not_encoded();
void cant_make_preview(const std::string& name, const std::string& reason);
void too_large_to_compress(const std::string& array, std::int64_t bytes, std::int64_t most);
// --stats: one line for each compressed array.
void compressed_summary(const std::string& array, const std::string& format, std::int64_t bytes,
                        std::int64_t unpacked);

namespace warn {
std::string folder_missing(const std::string& folder);
std::string sheet_without_palette(const std::string& sheet);
// With --after: the chain's tiles end past the console's sprite tile memory.
std::string tiles_past_memory(const std::string& end_tile, std::int64_t end, std::int64_t most);
}  // namespace warn

}  // namespace pixcell::messages
