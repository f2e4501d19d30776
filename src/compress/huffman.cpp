#include "compress/huffman.h"

#include "compress/huffman_tree.h"

namespace pixcell {

namespace {

// The longest code the bit writer takes; lengths are lowered from here
// while the tree can't be laid out.
constexpr int kLongestCode = 31;

template <typename Visit>
void each_symbol(const Bytes& data, int symbol_bits, Visit&& visit) {
    for (const std::uint8_t byte : data) {
        if (symbol_bits == 8) {
            visit(byte);
        } else {
            visit(byte & 0xF);
            visit(byte >> 4);
        }
    }
}

}  // namespace

std::optional<Bytes> compress_huffman(const Bytes& data, int symbol_bits) {
    std::vector<std::uint64_t> counts(std::size_t{1} << symbol_bits, 0);
    each_symbol(data, symbol_bits, [&](unsigned symbol) { ++counts[symbol]; });
    std::size_t used = 0;
    for (const std::uint64_t count : counts) used += count > 0 ? 1 : 0;
    int shortest_limit = 1;
    while ((std::size_t{1} << shortest_limit) < used) ++shortest_limit;
    std::optional<HuffmanTable> table;
    for (int limit = kLongestCode; !table && limit >= shortest_limit; --limit) {
        table = lay_out_tree(code_lengths(counts, limit));
    }
    if (!table) return std::nullopt;

    Bytes out;
    put_header(out, huffman_type(symbol_bits), data.size());
    out.insert(out.end(), table->tree.begin(), table->tree.end());
    std::uint32_t word = 0;
    int filled = 0;
    const auto put_word = [&out](std::uint32_t w) {
        for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(w >> shift));
    };
    each_symbol(data, symbol_bits, [&](unsigned symbol) {
        const std::uint32_t code = table->code[symbol];
        for (int bit = table->length[symbol] - 1; bit >= 0; --bit) {
            word |= ((code >> bit) & 1u) << (31 - filled);
            if (++filled == 32) {
                put_word(word);
                word = 0;
                filled = 0;
            }
        }
    });
    if (filled > 0) put_word(word);
    return out;
}

Bytes compress_huffman(const Bytes& data) {
    Bytes best = *compress_huffman(data, 4);
    std::optional<Bytes> eight = compress_huffman(data, 8);
    if (eight && eight->size() < best.size()) best = std::move(*eight);
    return best;
}

}  // namespace pixcell
