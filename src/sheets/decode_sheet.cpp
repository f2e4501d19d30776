#include "sheets/decode_sheet.h"

#include <cstring>
#include <utility>

#include "common/messages.h"
#include "sheets/decoders.h"
#include "sheets/image_signatures.h"

namespace pixcell {

namespace {

bool starts_with(const FileBytes& bytes, const char* magic, std::size_t length) {
    return bytes.size() >= length && std::memcmp(bytes.data(), magic, length) == 0;
}

}  // namespace

DecodedSheet decode_sheet(FileBytes bytes, bool later, PartlyRead partly) {
    if (starts_with(bytes, "BM", 2)) return decode_bmp(std::move(bytes), later, std::move(partly));
    if (!partly.finish(bytes)) return refuse(messages::sheet_problem::changed_while_read());
    if (starts_with(bytes, "\x89PNG\r\n\x1A\n", 8)) return decode_png(std::move(bytes), later);
    const std::string kind = other_image_format(bytes);
    if (!kind.empty()) return refuse(messages::sheet_problem::other_image(kind));
    return refuse(messages::sheet_problem::unknown_format(bytes.size()));
}

}  // namespace pixcell
