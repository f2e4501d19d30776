#include "common/messages/output.h"

#include <cstdio>

#include "common/messages/quoting.h"

namespace pixcell::messages {

using detail::print;
using detail::quoted;

void cant_write_file(const std::string& name) { print("Error: Can't write file '" + name + "'\n"); }

std::string preview_too_large(std::int64_t width, std::int64_t height, std::int64_t most) {
    return "the picture would be " + std::to_string(width) + "x" + std::to_string(height) + " pixels, more than " +
           std::to_string(most) + " in all";
}

std::string preview_not_encoded() { return "the PNG encoder failed"; }

void cant_make_preview(const std::string& name, const std::string& reason) {
    print("Error: Can't write file '" + name + "': " + reason + "\n");
}

void too_large_to_compress(const std::string& array, std::int64_t bytes, std::int64_t most) {
    print("Error: Can't compress " + array + ": its " + std::to_string(bytes) +
          " bytes are more than the console's BIOS unpacks (" + std::to_string(most) + ")\n");
}

void compressed_summary(const std::string& array, const std::string& format, std::int64_t bytes,
                        std::int64_t unpacked) {
    char share[32];
    std::snprintf(share, sizeof share, "%.1f", unpacked > 0 ? 100.0 * static_cast<double>(bytes) / unpacked : 0.0);
    print("pixcell: " + array + ": " + std::to_string(bytes) + " bytes in " + format + " (" + share + " % of its " +
          std::to_string(unpacked) + ")\n");
}

void cant_remove_temporary(const std::string& name) { print("Error: Can't remove temporary file '" + name + "'\n"); }

namespace warn {

std::string folder_missing(const std::string& folder) {
    return "the folder " + quoted(folder) + " does not exist: pixcell makes no folders, create it first";
}

std::string sheet_without_palette(const std::string& sheet) {
    return "sheet " + quoted(sheet) + " has no colour table: no palette array is written for it";
}

std::string tiles_past_memory(const std::string& end_tile, std::int64_t end, std::int64_t most) {
    return "the tiles of the chain of --after end at tile " + std::to_string(end) + " (" + end_tile + "), past the " +
           std::to_string(most) +
           " tiles of sprite tile memory: the last ones won't load; keep fewer tiles in the descriptions of the "
           "chain";
}

}  // namespace warn

}  // namespace pixcell::messages
