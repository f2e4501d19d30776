#include "output/object_texts.h"

#include "common/console.h"
#include "output/text_templates.h"

namespace pixcell {

namespace {

void append_define(std::string& out, const std::string& name, std::int64_t value, const char* comment) {
    out += "#define " + name + " " + std::to_string(value) + "\t/* " + comment + " */\n";
}

// "%5d": right-aligned in five places, as the records' other numbers.
std::string field(std::int64_t value) {
    std::string text = std::to_string(value);
    return std::string(text.size() < 5 ? 5 - text.size() : 0, ' ') + text;
}

std::string halfword(std::uint16_t value) {
    std::string text;
    append_halfword(text, value);
    return text;
}

}  // namespace

ObjectTexts render_objects(const SpriteList& sprites, const Conversion& conversion, const ObjectConversion& objects,
                           const std::string& ident_base) {
    ObjectTexts texts;
    append_asm_array_head(texts.tiles, ident_base + "_obj_tiles");
    texts.tiles.resize(texts.tiles.size() + objects.tiles.size() * kTileDataLength);
    char* at = &texts.tiles[texts.tiles.size() - objects.tiles.size() * kTileDataLength];
    for (const Tile& tile : objects.tiles) at = put_tile_data(at, tile.data());

    // Indexed by the enumerators, which C can't check: the first object of
    // each sprite, and each sprite's line, name it. Names never hold '*',
    // so they can't end the comment.
    texts.source = "#include \"" + ident_base + "_obj.h\"\n\nconst SPR_OBJECT " + ident_base + "_objects[] = {\n";
    std::string table = "const SPR_OBJECTS " + ident_base + "_sprite_objects[] = {\n";
    for (std::size_t s = 0; s < conversion.sprites.size(); ++s) {
        const std::string& name = sprites[conversion.sprites[s].sprite].name;
        const ObjectSprite& sprite = objects.sprites[s];
        for (std::size_t i = 0; i < sprite.count; ++i) {
            const PlacedObject& object = objects.objects[sprite.first + i];
            const auto shape = static_cast<std::size_t>(object.shape);
            texts.source += "\t{ " + field(object.x_offset) + ", " + field(object.y_offset) + ", " +
                            halfword(object_attribute0(shape)) + ", " +
                            halfword(object_attribute1(shape, object.flip)) + ", " + field(object.tile) + ", },";
            texts.source += i == 0 ? "\t/* " + name + " */\n" : "\n";
        }
        table += "\t{ " + field(static_cast<std::int64_t>(sprite.first)) + ", " +
                 field(static_cast<std::int64_t>(sprite.count)) + ", },\t/* " + name + " */\n";
    }
    texts.source += "};\n\n" + table + "};\n";

    const ObjectCounts& counts = objects.counts;
    texts.header = "#ifndef " + ident_base + "_OBJ_H\n#define " + ident_base +
                   "_OBJ_H\n#include <gba.h>\n#include <spriteobj.h>\n";
    append_define(texts.header, ident_base + "_OBJ_TILE_COUNT", counts.tiles,
                  "8x8 tiles in the tile array, 16 halfwords each");
    append_define(texts.header, ident_base + "_OBJ_TILE_BYTES", counts.bytes, "their bytes of sprite tile memory");
    append_define(texts.header, ident_base + "_OBJECT_COUNT", counts.objects, "objects of every sprite");
    append_define(texts.header, ident_base + "_MOST_OBJECTS", counts.most_objects, "the most objects of one sprite");
    texts.header += "extern const u16 " + ident_base + "_obj_tiles[];\nextern const SPR_OBJECT " + ident_base +
                    "_objects[];\nextern const SPR_OBJECTS " + ident_base + "_sprite_objects[];\n#endif\n";
    return texts;
}

}  // namespace pixcell
