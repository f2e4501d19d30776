#include "output/compressed_texts.h"

#include <cctype>

#include "output/text_templates.h"

namespace pixcell {

namespace {

constexpr std::size_t kWordsPerLine = 8;

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

void append_words(std::string& out, const Bytes& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    for (std::size_t at = 0; at < bytes.size(); at += 4) {
        const std::size_t word = at / 4;
        out += word % kWordsPerLine == 0 ? "\t.word 0x" : ",0x";
        for (std::size_t b = 4; b-- > 0;) {
            out += digits[bytes[at + b] >> 4];
            out += digits[bytes[at + b] & 0xF];
        }
        if (word % kWordsPerLine == kWordsPerLine - 1 || at + 4 == bytes.size()) out += '\n';
    }
}

}  // namespace

CompressedTexts render_compressed(const CompressedTiles& tiles, const std::string& ident_base) {
    CompressedTexts texts;
    texts.header = "#ifndef " + ident_base + "_CMP_H\n#define " + ident_base + "_CMP_H\n#include <gba.h>\n";
    for (const CompressedArray& array : tiles.arrays) {
        const std::string name = ident_base + array.suffix;
        append_asm_array_head(texts.source, name);
        texts.source.reserve(texts.source.size() + array.packed.bytes.size() * 3);
        append_words(texts.source, array.packed.bytes);
        texts.header += "/* " + format_name(array.packed) + ", " + std::to_string(array.packed.size) + " bytes, unpacks to " +
                        std::to_string(array.unpacked) + " */\n";
        texts.header += "extern const u32 " + name + "[" + std::to_string(array.packed.bytes.size() / 4) + "];\n";
    }
    texts.header += "#endif\n";
    return texts;
}

void append_compressed_counts(std::string& out, const CompressedTiles& tiles, const std::string& ident_base) {
    for (const CompressedArray& array : tiles.arrays) {
        append_define(out, ident_base + upper(array.suffix) + "_BYTES", static_cast<std::int64_t>(array.packed.size),
                      "its bytes compressed, header included, before the padding to 4");
    }
}

}  // namespace pixcell
