#include "driver/listing.h"

namespace pixcell {

void print_listing(std::FILE* out, const SpriteList& list, const SheetStore& sheets, const std::string& sheet_folder) {
    for (const SpriteObject& object : list) {
        if (sheets.find(object.bitmap) < 0) std::fputs("* ", out);
        // Names may hold any byte but NUL; fwrite keeps them whole.
        std::fputc('[', out);
        const std::size_t shown = object.bitmap.compare(0, sheet_folder.size(), sheet_folder) == 0 ? sheet_folder.size() : 0;
        std::fwrite(object.bitmap.data() + shown, 1, object.bitmap.size() - shown, out);
        std::fputs("] ", out);
        std::fwrite(object.name.data(), 1, object.name.size(), out);
        std::fputs(" : ", out);
        for (const SpritePart& part : object.parts) {
            std::fprintf(out, "(%d,%d) %dx%d\n", part.x, part.y, part.width, part.height);
        }
    }
}

}  // namespace pixcell
