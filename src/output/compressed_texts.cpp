#include "output/compressed_texts.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "output/text_templates.h"

namespace pixcell {

namespace {

constexpr std::size_t kWordsPerLine = 8;

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// "\t.word 0x%08X,0x%08X,...", kWordsPerLine words a line: a line's text
// at `at` for the words [first, first + count); returns the end.
char* put_word_line(char* at, const std::uint8_t* bytes, std::size_t count) {
    static const char digits[] = "0123456789ABCDEF";
    at = put_text(at, "\t.word ");
    for (std::size_t word = 0; word < count; ++word) {
        if (word > 0) *at++ = ',';
        at = put_text(at, "0x");
        for (std::size_t b = 4; b-- > 0;) {
            *at++ = digits[bytes[4 * word + b] >> 4];
            *at++ = digits[bytes[4 * word + b] & 0xF];
        }
    }
    *at++ = '\n';
    return at;
}

constexpr std::size_t kLineLength = 8 + kWordsPerLine * 11;  // "\t.word " less a ",", then "\n"

// The words' text length.
std::size_t words_length(std::size_t words) {
    const std::size_t lines = (words + kWordsPerLine - 1) / kWordsPerLine;
    return lines * 8 + words * 11 - lines;  // "\t.word " and "\n" a line; ",0x" and 8 digits a word but the first ","
}

}  // namespace

CompressedTexts render_compressed(const CompressedTiles& tiles, const std::string& ident_base) {
    CompressedTexts texts;
    // Megabytes of text for a large run: made a piece at a time as it is
    // written, from the arrays, which last until then; streamed blocks after
    // the arrays, then the table of each sprite's block.
    std::vector<const CompressedArray*> all;
    for (const CompressedArray& array : tiles.arrays) all.push_back(&array);
    for (const CompressedArray& block : tiles.blocks) all.push_back(&block);
    std::vector<std::string> heads;
    for (const CompressedArray* array : all) {
        heads.emplace_back();
        append_asm_array_head(heads.back(), ident_base + array->suffix);
        texts.source.size += heads.back().size() + words_length(array->packed.bytes.size() / 4);
    }
    std::string table;
    const std::string table_name = ident_base + "_sprite_tiles_cmp";
    if (!tiles.sprite_blocks.empty()) {
        append_asm_array_head(table, table_name);
        for (const std::int32_t block : tiles.sprite_blocks) {
            table += block < 0 ? std::string("\t.word 0\n")
                               : "\t.word " + ident_base + tiles.blocks[static_cast<std::size_t>(block)].suffix + "\n";
        }
    }
    texts.source.size += table.size();
    texts.source.produce = [heads, all, table](const TextPieces::Write& write) {
        constexpr std::size_t kPieceLines = 4096;
        std::vector<char> piece(kPieceLines * kLineLength);
        for (std::size_t a = 0; a < all.size(); ++a) {
            if (!write(heads[a].data(), heads[a].size())) return false;
            const Bytes& bytes = all[a]->packed.bytes;
            const std::size_t words = bytes.size() / 4;
            for (std::size_t first = 0; first < words; first += kPieceLines * kWordsPerLine) {
                char* at = piece.data();
                const std::size_t end = std::min(words, first + kPieceLines * kWordsPerLine);
                for (std::size_t w = first; w < end; w += kWordsPerLine) {
                    at = put_word_line(at, bytes.data() + 4 * w, std::min(kWordsPerLine, end - w));
                }
                if (!write(piece.data(), static_cast<std::size_t>(at - piece.data()))) return false;
            }
        }
        return write(table.data(), table.size());
    };
    texts.header = "#ifndef " + ident_base + "_CMP_H\n#define " + ident_base + "_CMP_H\n#include <gba.h>\n";
    for (const CompressedArray& array : tiles.arrays) {
        const std::string name = ident_base + array.suffix;
        texts.header += "/* " + format_name(array.packed) + ", " + std::to_string(array.packed.size) +
                        " bytes, unpacks to " + std::to_string(array.unpacked) + " */\n";
        texts.header += "extern const u32 " + name + "[" + std::to_string(array.packed.bytes.size() / 4) + "];\n";
    }
    if (!tiles.sprite_blocks.empty()) {
        texts.header += "/* each sprite's block of the objects' tiles compressed, in the order of the enumeration; "
                        "null for a sprite that shows nothing */\n";
        texts.header += "extern const u32* const " + table_name + "[" + std::to_string(tiles.sprite_blocks.size()) +
                        "];\n";
    }
    texts.header += "#endif\n";
    return texts;
}

void append_compressed_counts(std::string& out, const CompressedTiles& tiles, const std::string& ident_base) {
    for (const CompressedArray& array : tiles.arrays) {
        append_define(out, ident_base + upper(array.suffix) + "_BYTES", static_cast<std::int64_t>(array.packed.size),
                      "its bytes compressed, header included, before the padding to 4");
    }
    if (tiles.sprite_blocks.empty()) return;
    std::int64_t bytes = 0, most = 0;
    for (const CompressedArray& block : tiles.blocks) {
        bytes += static_cast<std::int64_t>(block.packed.size);
        most = std::max(most, static_cast<std::int64_t>(block.packed.size));
    }
    append_define(out, ident_base + "_SPRITE_TILES_CMP_BYTES", bytes,
                  "the sprites' blocks compressed, each once, headers included, before the padding to 4");
    append_define(out, ident_base + "_MOST_SPRITE_TILES_CMP_BYTES", most, "the largest of them");
}

}  // namespace pixcell
