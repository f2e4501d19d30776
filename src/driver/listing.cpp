#include "driver/listing.h"

namespace pixcell {

void print_listing(std::FILE* out, const SpriteList& list, const SheetStore& sheets) {
    for (const SpriteObject& object : list) {
        if (sheets.find(object.bitmap) < 0) std::fputs("* ", out);
        // Names may hold any byte but NUL; fwrite keeps them whole.
        std::fputc('[', out);
        std::fwrite(object.bitmap.data(), 1, object.bitmap.size(), out);
        std::fputs("] ", out);
        std::fwrite(object.name.data(), 1, object.name.size(), out);
        std::fputs(" : ", out);
        for (const SpritePart& part : object.parts) {
            std::fprintf(out, "(%d,%d) %dx%d\n", part.x, part.y, part.width, part.height);
        }
    }
}

}  // namespace pixcell
