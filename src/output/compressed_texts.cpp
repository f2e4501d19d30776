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

// "\t.word 0x%08X,0x%08X,...", kWordsPerLine words a line: megabytes for a
// large run, so written in place into text sized first.
void append_words(std::string& out, const Bytes& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    const std::size_t words = bytes.size() / 4;
    const std::size_t lines = (words + kWordsPerLine - 1) / kWordsPerLine;
    const std::size_t start = out.size();
    out.resize(start + words * 11 + lines * 7);  // ",0x" and 8 digits a word; a line "\t.word " for the first "," and "\n"
    char* at = &out[start];
    for (std::size_t word = 0; word < words; ++word) {
        if (word % kWordsPerLine == 0) at = put_text(at, "\t.word 0x");
        else at = put_text(at, ",0x");
        for (std::size_t b = 4; b-- > 0;) {
            *at++ = digits[bytes[4 * word + b] >> 4];
            *at++ = digits[bytes[4 * word + b] & 0xF];
        }
        if (word % kWordsPerLine == kWordsPerLine - 1 || word + 1 == words) *at++ = '\n';
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
}

}  // namespace

CompressedTexts render_compressed(const CompressedTiles& tiles, const std::string& ident_base) {
    CompressedTexts texts;
    texts.header = "#ifndef " + ident_base + "_CMP_H\n#define " + ident_base + "_CMP_H\n#include <gba.h>\n";
    for (const CompressedArray& array : tiles.arrays) {
        const std::string name = ident_base + array.suffix;
        append_asm_array_head(texts.source, name);
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
