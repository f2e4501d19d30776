#include "output/object_texts.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <future>
#include <vector>

#include "common/console.h"
#include "output/text_templates.h"

namespace pixcell {

namespace {

// Tiles formatted at a time: their text (about 120 bytes a tile) stays in
// the cache between its formatting and its writing.
constexpr std::size_t kPieceTiles = 2048;

// "\t{ x, y, attribute 0, attribute 1, tile, }," with each number "%5d" and
// each attribute "0x%04X", built in a buffer and appended once: a large run
// has tens of thousands.
void append_object_line(std::string& out, const PlacedObject& object) {
    const auto shape = static_cast<std::size_t>(object.shape);
    char line[128];
    char* at = put_text(line, "\t{ ");
    at = put_decimal(at, object.x_offset, 5);
    at = put_text(at, ", ");
    at = put_decimal(at, object.y_offset, 5);
    at = put_text(at, ", ");
    at = put_halfword(at, object_attribute0(shape));
    at = put_text(at, ", ");
    at = put_halfword(at, object_attribute1(shape, object.flip));
    at = put_text(at, ", ");
    at = put_decimal(at, object.tile, 5);
    at = put_text(at, ", },");
    out.append(line, static_cast<std::size_t>(at - line));
}

// "\t{ first, count, }," of a sprite's objects or of its block.
void append_sprite_line(std::string& out, std::int64_t first, std::int64_t count) {
    char line[64];
    char* at = put_text(line, "\t{ ");
    at = put_decimal(at, first, 5);
    at = put_text(at, ", ");
    at = put_decimal(at, count, 5);
    at = put_text(at, ", },");
    out.append(line, static_cast<std::size_t>(at - line));
}

// The name of a sprite after its line. Names never hold '*', so they can't
// end the comment.
void append_name(std::string& out, const std::string& name) {
    out += "\t/* ";
    out += name;
    out += " */\n";
}

}  // namespace

ObjectTexts render_objects(const SpriteList& sprites, const Conversion& conversion, const ObjectConversion& objects,
                           const std::string& ident_base) {
    ObjectTexts texts;
    // A tile array runs to megabytes of text: it is formatted a piece at a
    // time as it is written, each piece in one buffer, every tile's line of
    // one length.
    std::string head;
    append_asm_array_head(head, ident_base + "_obj_tiles");
    texts.tiles.size = head.size() + objects.tiles.size() * kTileDataLength;
    texts.tiles.produce = [head, &tiles = objects.tiles](const TextPieces::Write& write) {
        if (!write(head.data(), head.size())) return false;
        // One piece is formatted on a second thread while the one before is written.
        const auto format = [&tiles](std::size_t first, std::vector<char>& piece) {
            const std::size_t end = std::min(tiles.size(), first + kPieceTiles);
            char* at = piece.data();
            for (std::size_t t = first; t < end; ++t) at = put_tile_data(at, tiles[t]->data());
            return static_cast<std::size_t>(at - piece.data());
        };
        std::vector<char> piece(kPieceTiles * kTileDataLength);
        std::vector<char> next_piece(piece.size());
        std::size_t length = format(0, piece);
        for (std::size_t first = 0; first < tiles.size(); first += kPieceTiles) {
            const std::size_t next = first + kPieceTiles;
            std::future<std::size_t> ahead;
            if (next < tiles.size()) ahead = std::async(std::launch::async, format, next, std::ref(next_piece));
            const bool written = write(piece.data(), length);
            const std::size_t next_length = ahead.valid() ? ahead.get() : 0;
            if (!written) return false;
            std::swap(piece, next_piece);
            length = next_length;
        }
        return true;
    };

    // Indexed by the enumerators, which C can't check: the first object of
    // each sprite, and each sprite's line, name it.
    texts.source = "#include \"" + ident_base + "_obj.h\"\n\nconst SPR_OBJECT " + ident_base + "_objects[] = {\n";
    texts.source.reserve(texts.source.size() + objects.objects.size() * 64);
    std::string table = "const SPR_OBJECTS " + ident_base + "_sprite_objects[] = {\n";
    const std::optional<StreamLayout>& stream = objects.stream;
    std::string blocks = stream ? "const SPR_TILES " + ident_base + "_sprite_tiles[] = {\n" : std::string();
    for (std::size_t s = 0; s < conversion.sprites.size(); ++s) {
        const std::string& name = sprites[conversion.sprites[s].sprite].name;
        const ObjectSprite& sprite = objects.sprites[s];
        for (std::size_t i = 0; i < sprite.count; ++i) {
            append_object_line(texts.source, objects.objects[sprite.first + i]);
            if (i == 0) {
                append_name(texts.source, name);
            } else {
                texts.source += '\n';
            }
        }
        append_sprite_line(table, static_cast<std::int64_t>(sprite.first), static_cast<std::int64_t>(sprite.count));
        append_name(table, name);
        if (stream) {
            append_sprite_line(blocks, stream->blocks[s].first_tile, stream->blocks[s].tiles);
            append_name(blocks, name);
        }
    }
    texts.source += "};\n\n";
    texts.source += table;
    texts.source += "};\n";
    if (stream) texts.source += "\n" + blocks + "};\n";

    const ObjectCounts& counts = objects.counts;
    texts.header = "#ifndef " + ident_base + "_OBJ_H\n#define " + ident_base +
                   "_OBJ_H\n#include <gba.h>\n#include <spriteobj.h>\n";
    append_define(texts.header, ident_base + "_OBJ_TILE_COUNT", counts.tiles,
                  "8x8 tiles in the tile array, 16 halfwords each");
    append_define(texts.header, ident_base + "_OBJ_TILE_BYTES", counts.bytes, "their bytes of sprite tile memory");
    append_define(texts.header, ident_base + "_OBJECT_COUNT", counts.objects, "objects of every sprite");
    append_define(texts.header, ident_base + "_MOST_OBJECTS", counts.most_objects, "the most objects of one sprite");
    if (stream) {
        append_define(texts.header, ident_base + "_MOST_TILES", stream->most_tiles,
                      "the most tiles of one sprite: the slot a game reserves");
    }
    texts.header += "extern const u16 " + ident_base + "_obj_tiles[];\nextern const SPR_OBJECT " + ident_base +
                    "_objects[];\nextern const SPR_OBJECTS " + ident_base + "_sprite_objects[];\n";
    if (stream) texts.header += "extern const SPR_TILES " + ident_base + "_sprite_tiles[];\n";
    texts.header += "#endif\n";
    return texts;
}

}  // namespace pixcell
