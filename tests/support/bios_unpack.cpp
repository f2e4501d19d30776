#include "support/bios_unpack.h"

namespace pixcell::testing {

namespace {

struct Reader {
    const Stream& in;
    std::size_t at = 4;
    bool bad = false;
    std::uint8_t byte() {
        if (at >= in.size()) {
            bad = true;
            return 0;
        }
        return in[at++];
    }
};

std::size_t unpacked_size(const Stream& in) {
    return in.size() < 4 ? 0 : static_cast<std::size_t>(in[1] | in[2] << 8 | in[3] << 16);
}

}  // namespace

std::optional<Stream> unpack_lz77_vram(const Stream& in) {
    if (in.size() < 4 || in[0] != 0x10) return std::nullopt;
    const std::size_t size = unpacked_size(in);
    Stream out;
    Reader r{in};
    while (out.size() < size && !r.bad) {
        const std::uint8_t flags = r.byte();
        for (int bit = 7; bit >= 0 && out.size() < size && !r.bad; --bit) {
            if (!(flags >> bit & 1)) {
                out.push_back(r.byte());
                continue;
            }
            const std::uint8_t hi = r.byte(), lo = r.byte();
            const std::size_t length = (hi >> 4) + 3;
            const std::size_t back = ((hi & 0xF) << 8 | lo) + 1;
            if (back < 2 || back > out.size()) return std::nullopt;
            for (std::size_t i = 0; i < length && out.size() < size; ++i) out.push_back(out[out.size() - back]);
        }
    }
    if (r.bad) return std::nullopt;
    return out;
}

std::optional<Stream> unpack_run_length(const Stream& in) {
    if (in.size() < 4 || in[0] != 0x30) return std::nullopt;
    const std::size_t size = unpacked_size(in);
    Stream out;
    Reader r{in};
    while (out.size() < size && !r.bad) {
        const std::uint8_t flag = r.byte();
        if (flag & 0x80) {
            const std::uint8_t value = r.byte();
            for (int i = 0; i < (flag & 0x7F) + 3 && out.size() < size; ++i) out.push_back(value);
        } else {
            for (int i = 0; i < (flag & 0x7F) + 1 && out.size() < size; ++i) out.push_back(r.byte());
        }
    }
    if (r.bad) return std::nullopt;
    return out;
}

std::optional<Stream> unpack_huffman(const Stream& in) {
    if (in.size() < 6 || (in[0] != 0x24 && in[0] != 0x28)) return std::nullopt;
    const int bits = in[0] & 0xF;
    const std::size_t size = unpacked_size(in);
    const std::size_t tree_end = 4 + (static_cast<std::size_t>(in[4]) + 1) * 2;
    std::size_t at = tree_end;
    if (at % 4 != 0 || size % 4 != 0) return std::nullopt;
    Stream out;
    std::uint32_t word_out = 0;
    int filled = 0;
    std::size_t node = 5;
    while (out.size() < size) {
        if (at + 4 > in.size()) return std::nullopt;
        std::uint32_t word = in[at] | in[at + 1] << 8 | in[at + 2] << 16 | static_cast<std::uint32_t>(in[at + 3]) << 24;
        at += 4;
        for (int i = 0; i < 32 && out.size() < size; ++i, word <<= 1) {
            if (node >= tree_end) return std::nullopt;
            const std::uint8_t value = in[node];
            const std::size_t children = (node & ~std::size_t{1}) + (value & 0x3F) * 2 + 2;
            const int side = word >> 31;
            const bool leaf = side ? (value & 0x40) : (value & 0x80);
            if (children + 1 >= tree_end) return std::nullopt;
            if (!leaf) {
                node = children + static_cast<std::size_t>(side);
                continue;
            }
            word_out |= static_cast<std::uint32_t>(in[children + static_cast<std::size_t>(side)] & ((1 << bits) - 1))
                        << filled;
            filled += bits;
            node = 5;
            if (filled == 32) {
                for (int b = 0; b < 4; ++b) out.push_back(static_cast<std::uint8_t>(word_out >> (8 * b)));
                word_out = 0;
                filled = 0;
            }
        }
    }
    return out;
}

std::optional<Stream> unpack_any(const Stream& in) {
    if (in.empty()) return std::nullopt;
    switch (in[0] & 0xF0) {
    case 0x10: return unpack_lz77_vram(in);
    case 0x30: return unpack_run_length(in);
    case 0x20: return unpack_huffman(in);
    default: return std::nullopt;
    }
}

}  // namespace pixcell::testing
