#include "description_maker.h"

#include <cstdio>
#include <fstream>

namespace pixcell::bench {

namespace {

constexpr std::int64_t kLineCommentRun = 2000;
constexpr std::int64_t kLongCommentBytes = 4096;
constexpr std::int64_t kCycle = 64;  // blocks; every kind of block occurs once per cycle

std::string hex(std::int64_t block) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[block & 0xF]);
        block >>= 4;
    } while (block != 0);
    return text;
}

// Text for comments; holds "*", "/" and "//" but never "*/" or "/*".
std::string filler(std::int64_t bytes) {
    static const std::string kLine = "  sprite sheet notes: * stars, / slashes, // slashes, 3*4 / 2 ...\n";
    std::string text;
    while (static_cast<std::int64_t>(text.size()) < bytes) text += kLine;
    return text;
}

// One block: 9 entry lines (so 9 parts) in 7 sprites. Every entry line that
// carries a line comment is followed by an empty line, which closes it.
std::string block(std::int64_t b, const std::vector<std::string>& sheets, std::int64_t& parts) {
    const std::string id = "b" + hex(b);
    std::string text = "// ---- block " + std::to_string(b) + " ----\n";
    if (b % 2 == 0) {
        text += "*" + sheets[static_cast<std::size_t>(b / 2) % sheets.size()] + "\n\n";
    }
    if (b % kCycle == 7) {
        for (std::int64_t i = 0; i < kLineCommentRun; ++i) text += "// note " + std::to_string(i) + ": a line comment\n";
    }
    if (b % (kCycle / 2) == 3) text += "/* a long comment\n" + filler(kLongCommentBytes) + "*/\n";
    text += "/* a block comment\n   over two lines */\n";
    text += id + "_a  0,0 32x32 [0,16]   /* origin at the feet */\n";
    text += "+       32,0 h\n";
    text += id + "_b  $40,$20 16x16 [-$8,-4] hv\n";
    text += "// a line comment between entry lines\n";
    text += id + "_c\n";
    text += id + "_d  -16,8 /* between fields */ 32x16 v\n";
    text += id + "_e  /* before the position */ 64,64 n\n";
    text += id + "_f  16,16 // after an entry line: the empty line below closes it\n\n";
    text += id + "/*inside a name*/_g 8,8\n";
    text += "\t+\t$10 , $10\t32x32\t[ 4 , -4 ]\tvh\t\n";
    text += "\n";
    parts += 9;
    return text;
}

}  // namespace

std::optional<DescriptionCounts> write_parse_description(const std::string& path, std::int64_t target_bytes,
                                                         const std::vector<std::string>& sheets) {
    if (sheets.empty()) return std::nullopt;
    const std::int64_t tail_bytes = target_bytes / 64;
    DescriptionCounts counts;
    std::string text;
    text.reserve(static_cast<std::size_t>(target_bytes + kLineCommentRun * 40));
    for (std::int64_t b = 0; static_cast<std::int64_t>(text.size()) + tail_bytes < target_bytes; ++b) {
        text += block(b, sheets, counts.parts);
    }
    // Not a comment (it never closes), so reading ends here; the text after it
    // must not be scanned more than a few times.
    text += "/* never closed\n" + filler(tail_bytes);
    counts.bytes = static_cast<std::int64_t>(text.size());

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (file) return counts;
    std::fprintf(stderr, "Error: Can't write file '%s'\n", path.c_str());
    return std::nullopt;
}

}  // namespace pixcell::bench
