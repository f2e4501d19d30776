// unpack_check ROM: runs the compressed tiles' test ROM (rom/unpack_tiles.c)
// on the emulator's built-in BIOS and says whether every array unpacked to
// the bytes it was made from; status 0 when so.
// unpack_check --mutate KIND FILE.s ARRAY: breaks the compressed ARRAY of the
// generated FILE.s the way KIND says: "reference" (an LZ77 reference one
// byte farther back, where that copies other bytes), "flag" (bit 7 of the
// first flag byte flipped), "node" (the two leaves of a Huffman node pair
// swapped, where they differ).
#include <mgba/flags.h>
#include <mgba/core/core.h>
#include <mgba/core/log.h>
#include <mgba-util/vfs.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kVerdict = 0x0203FF00;
constexpr std::uint32_t kDone = 0x600DF00D;
constexpr int kMostFrames = 600;

void discard_log(struct mLogger*, int, enum mLogLevel, const char*, va_list) {}
struct mLogger silent_logger = {discard_log, nullptr};

int run(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> rom((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    mLogSetDefaultLogger(&silent_logger);
    struct VFile* image = VFileFromConstMemory(rom.data(), rom.size());
    struct mCore* core = image ? mCoreFindVF(image) : nullptr;
    if (!core || !core->init(core)) {
        std::fprintf(stderr, "unpack_check: the emulator doesn't take %s\n", path.c_str());
        return 2;
    }
    mCoreInitConfig(core, nullptr);
    std::vector<color_t> frame(240 * 160);
    core->setVideoBuffer(core, frame.data(), 240);
    core->loadROM(core, image);
    core->reset(core);
    std::uint32_t verdict[3] = {};
    for (int i = 0; i < kMostFrames && verdict[0] != kDone; ++i) {
        core->runFrame(core);
        verdict[0] = core->busRead32(core, kVerdict);
    }
    for (std::uint32_t i = 1; i < 3; ++i) verdict[i] = core->busRead32(core, kVerdict + 4 * i);
    mCoreConfigDeinit(&core->config);
    core->deinit(core);
    if (verdict[0] != kDone) {
        std::fprintf(stderr, "unpack_check: the ROM never finished\n");
        return 1;
    }
    const char* names[3] = {"", "the cells", "the objects' tiles"};
    int status = 0;
    for (int i = 1; i < 3; ++i) {
        if (verdict[i] != 1) {
            std::fprintf(stderr, "unpack_check: %s unpacked wrong (%u)\n", names[i], verdict[i]);
            status = 1;
        }
    }
    return status;
}

using Bytes = std::vector<std::uint8_t>;

// The bytes of the first LZ77 reference that a displacement one more
// changes the copy of, or 0.
std::size_t reference_to_move(const Bytes& s) {
    const std::size_t size = s[1] | s[2] << 8 | s[3] << 16;
    Bytes out;
    std::size_t at = 4;
    while (out.size() < size && at < s.size()) {
        const std::uint8_t flags = s[at++];
        for (int bit = 7; bit >= 0 && out.size() < size && at < s.size(); --bit) {
            if (!(flags >> bit & 1)) {
                out.push_back(s[at++]);
                continue;
            }
            const std::size_t length = (s[at] >> 4) + 3, back = ((s[at] & 0xF) << 8 | s[at + 1]) + 1;
            bool differs = false;
            if (back + 1 <= out.size()) {
                Bytes moved = out;
                for (std::size_t i = 0; i < length; ++i) moved.push_back(moved[moved.size() - back - 1]);
                Bytes kept = out;
                for (std::size_t i = 0; i < length; ++i) kept.push_back(kept[kept.size() - back]);
                differs = moved != kept;
            }
            if (differs) return at;
            for (std::size_t i = 0; i < length; ++i) out.push_back(out[out.size() - back]);
            at += 2;
        }
    }
    return 0;
}

// The first node pair of two different leaves, or 0.
std::size_t leaves_to_swap(const Bytes& s) {
    const std::size_t tree_end = 4 + (s[4] + 1u) * 2;
    std::vector<std::size_t> nodes{5};
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        const std::size_t node = nodes[k];
        const std::size_t children = (node & ~std::size_t{1}) + (s[node] & 0x3F) * 2 + 2;
        if (children + 1 >= tree_end) continue;
        const bool leaf0 = s[node] & 0x80, leaf1 = s[node] & 0x40;
        if (leaf0 && leaf1 && s[children] != s[children + 1]) return children;
        if (!leaf0) nodes.push_back(children);
        if (!leaf1) nodes.push_back(children + 1);
    }
    return 0;
}

int mutate(const std::string& kind, const std::string& path, const std::string& array) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    // The array's words: the lines after its label, up to the next section.
    std::size_t first = 0;
    while (first < lines.size() && lines[first] != array + ":") ++first;
    std::size_t end = ++first;
    while (end < lines.size() && lines[end].rfind("\t.word ", 0) == 0) ++end;
    Bytes s;
    for (std::size_t l = first; l < end; ++l) {
        std::stringstream words(lines[l].substr(7));
        for (std::string word; std::getline(words, word, ',');) {
            const std::uint32_t w = static_cast<std::uint32_t>(std::stoul(word, nullptr, 16));
            for (int b = 0; b < 4; ++b) s.push_back(static_cast<std::uint8_t>(w >> (8 * b)));
        }
    }
    if (s.size() < 8) {
        std::fprintf(stderr, "unpack_check: no array %s in %s\n", array.c_str(), path.c_str());
        return 2;
    }
    const int type = s[0] & 0xF0;
    std::size_t at = 0;
    if (kind == "flag" && (type == 0x10 || type == 0x30)) {
        s[4] ^= 0x80;
        at = 4;
    } else if (kind == "reference" && type == 0x10 && (at = reference_to_move(s)) != 0) {
        const std::size_t back = ((s[at] & 0xF) << 8 | s[at + 1]) + 1;
        s[at] = static_cast<std::uint8_t>((s[at] & 0xF0) | back >> 8);
        s[at + 1] = static_cast<std::uint8_t>(back);
    } else if (kind == "node" && (type == 0x20) && (at = leaves_to_swap(s)) != 0) {
        std::swap(s[at], s[at + 1]);
    }
    if (at == 0) {
        std::fprintf(stderr, "unpack_check: nothing to break as '%s' in %s\n", kind.c_str(), array.c_str());
        return 2;
    }
    std::ofstream out(path);
    for (std::size_t l = 0; l < lines.size(); ++l) {
        if (l < first || l >= end) {
            out << lines[l] << '\n';
        } else if (l == first) {
            for (std::size_t w = 0; w < s.size(); w += 4) {
                char word[16];
                std::snprintf(word, sizeof word, "0x%02X%02X%02X%02X", s[w + 3], s[w + 2], s[w + 1], s[w]);
                out << (w == 0 ? "\t.word " : ",") << word;
            }
            out << '\n';
        }
    }
    return out ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2) return run(argv[1]);
    if (argc == 5 && std::string(argv[1]) == "--mutate") return mutate(argv[2], argv[3], argv[4]);
    std::fputs("usage: unpack_check ROM | unpack_check --mutate reference|flag|node FILE.s ARRAY\n", stderr);
    return 2;
}
