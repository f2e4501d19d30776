#include "compress/tile_arrays.h"

#include <algorithm>

namespace pixcell {

namespace {

template <typename Halfwords>
void append_halfwords(Bytes& out, const Halfwords& halfwords) {
    for (const std::uint16_t h : halfwords) {
        out.push_back(static_cast<std::uint8_t>(h));
        out.push_back(static_cast<std::uint8_t>(h >> 8));
    }
}

}  // namespace

Bytes cell_bytes(const CellTable& cells) {
    Bytes out;
    out.reserve(cells.size() * kCellBytes);
    for (std::uint32_t i = 0; i < cells.size(); ++i) append_halfwords(out, cells[i]);
    return out;
}

Bytes tile_bytes(const std::vector<const Tile*>& tiles) {
    Bytes out;
    out.reserve(tiles.size() * kTileBytes);
    for (const Tile* tile : tiles) append_halfwords(out, *tile);
    return out;
}

std::optional<CompressedArray> compress_array(const std::string& suffix, const Bytes& data, CompressFormat format) {
    if (data.size() > kMostUnpackedBytes) return std::nullopt;
    return CompressedArray{suffix, data.size(), compress(data, format)};
}

bool compress_blocks(const std::vector<const Tile*>& tiles, const std::vector<TileBlock>& sprite_blocks,
                     CompressFormat format, CompressedTiles& compressed) {
    std::vector<std::uint32_t> firsts;  // of the blocks compressed so far
    for (const TileBlock& block : sprite_blocks) {
        if (block.count == 0) {
            compressed.sprite_blocks.push_back(-1);
            continue;
        }
        const auto shared = std::find(firsts.begin(), firsts.end(), block.first);
        if (shared != firsts.end()) {
            compressed.sprite_blocks.push_back(static_cast<std::int32_t>(shared - firsts.begin()));
            continue;
        }
        const std::vector<const Tile*> own(tiles.begin() + block.first, tiles.begin() + block.first + block.count);
        std::optional<CompressedArray> packed =
            compress_array("_sprite_tiles_cmp_" + std::to_string(firsts.size()), tile_bytes(own), format);
        if (!packed) return false;
        compressed.sprite_blocks.push_back(static_cast<std::int32_t>(firsts.size()));
        compressed.blocks.push_back(std::move(*packed));
        firsts.push_back(block.first);
    }
    return true;
}

std::string format_name(const Compressed& packed) {
    switch (packed.bytes[0]) {
    case kTypeLz77: return "LZ77";
    case kTypeRunLength: return "run-length";
    default: return "Huffman (" + std::to_string(packed.bytes[0] & 0xF) + "-bit)";
    }
}

CompressedArray blocks_summed(const CompressedTiles& compressed) {
    CompressedArray sum;
    sum.suffix = "_sprite_tiles_cmp";
    for (const CompressedArray& block : compressed.blocks) {
        sum.packed.size += block.packed.size;
        sum.unpacked += block.unpacked;
    }
    return sum;
}

std::string blocks_format_names(const CompressedTiles& compressed) {
    std::vector<std::string> formats;
    for (const CompressedArray& block : compressed.blocks) {
        std::string format = format_name(block.packed);
        if (std::find(formats.begin(), formats.end(), format) == formats.end()) formats.push_back(std::move(format));
    }
    std::string names =
        std::to_string(compressed.blocks.size()) + (compressed.blocks.size() == 1 ? " block" : " blocks") + " of ";
    for (std::size_t f = 0; f < formats.size(); ++f) {
        names += (f == 0 ? "" : f + 1 == formats.size() ? " and " : ", ") + formats[f];
    }
    return names;
}

}  // namespace pixcell
