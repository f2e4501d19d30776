// pixcell_bench_png_inflate FILE [libspng|libdeflate [--split]]
//
// Decodes a non-interlaced 8-bit indexed or RGBA PNG one of two ways, to
// time them with pixcell_bench_time: libspng as pixcell_bench_png_decode
// calls it (one call for the image, every CRC checked, the chunks after the
// image read) with pixcell's limits, or whole_png's whole-buffer way. --split prints where the libdeflate
// way's time goes, and zlib inflating the same stream beside it.
// Without a way named, decodes with both and compares (see compare()).
// Both ways read the file and take their buffers as pixcell does.
#include <libdeflate.h>
#include <spng.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sheets/whole_png.h"
#include "sheets/decoders.h"

namespace {

using namespace pixcell;
using Clock = std::chrono::steady_clock;

struct Decoded {
    bool ok = false;
    std::string problem;  // unless ok
    bool left_to_libspng = false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::size_t size = 0;  // bytes of pixels
    RawBlock pixels;
    std::vector<std::uint8_t> palette;  // indexed only: red, green, blue
    std::vector<std::uint8_t> alpha;    // indexed only: tRNS
};

Decoded failed(std::string problem) {
    Decoded decoded;
    decoded.problem = std::move(problem);
    return decoded;
}

struct SpngDeleter {
    void operator()(spng_ctx* context) const noexcept { spng_ctx_free(context); }
};

// As sheets/png_decoder.cpp sets libspng up and calls it for these two kinds.
Decoded decode_with_libspng(const FileBytes& bytes) {
    std::unique_ptr<spng_ctx, SpngDeleter> context(spng_ctx_new(0));
    spng_ctx* png = context.get();
    spng_set_crc_action(png, SPNG_CRC_ERROR, SPNG_CRC_ERROR);
    spng_set_image_limits(png, kMaxDecodedPixels, kMaxDecodedPixels);
    spng_set_chunk_limits(png, std::size_t{16} << 20, std::size_t{64} << 20);
    spng_set_png_buffer(png, bytes.data(), bytes.size());
    spng_ihdr header{};
    int error = spng_get_ihdr(png, &header);
    if (error != 0) return failed(spng_strerror(error));
    const bool indexed = header.color_type == SPNG_COLOR_TYPE_INDEXED;
    const std::int64_t area = std::int64_t{header.width} * header.height;
    if (area > (indexed ? kMaxDecodedPixels : kMaxTrueColourPixels) ||
        (!indexed && header.width > kMaxTrueColourPngWidth)) {
        return failed("too many pixels");
    }
    Decoded decoded;
    if (indexed) {
        spng_plte plte{};
        error = spng_get_plte(png, &plte);
        if (error != 0) return failed(spng_strerror(error));
        for (std::uint32_t i = 0; i < plte.n_entries; ++i) {
            decoded.palette.insert(decoded.palette.end(),
                                   {plte.entries[i].red, plte.entries[i].green, plte.entries[i].blue});
        }
        spng_trns trns{};
        error = spng_get_trns(png, &trns);
        if (error == 0) decoded.alpha.assign(trns.type3_alpha, trns.type3_alpha + trns.n_type3_entries);
        if (error != 0 && error != SPNG_ECHUNKAVAIL) return failed(spng_strerror(error));
    }
    const int format = indexed ? SPNG_FMT_PNG : SPNG_FMT_RGBA8;
    error = spng_decoded_image_size(png, format, &decoded.size);
    if (error != 0) return failed(spng_strerror(error));
    decoded.pixels = allocate_block(decoded.size);
    error = spng_decode_image(png, decoded.pixels.get(), decoded.size, format, indexed ? 0 : SPNG_DECODE_TRNS);
    if (error == 0) error = spng_decode_chunks(png);
    if (error != 0) return failed(spng_strerror(error));
    decoded.ok = true;
    decoded.width = header.width;
    decoded.height = header.height;
    return decoded;
}

struct DecompressorDeleter {
    void operator()(libdeflate_decompressor* d) const noexcept { libdeflate_free_decompressor(d); }
};

double since(Clock::time_point& start) {
    const Clock::time_point now = Clock::now();
    const double ms = std::chrono::duration<double, std::milli>(now - start).count();
    start = now;
    return ms;
}

// The IDAT payloads moved together in `bytes`, which is changed.
Decoded decode_with_libdeflate(FileBytes& bytes, bool split) {
    Clock::time_point start = Clock::now();
    WholePng png = read_png_chunks(bytes.data(), bytes.size());
    if (png.state != WholePngState::ready) {
        Decoded decoded = failed(png.problem);
        decoded.left_to_libspng = png.state == WholePngState::not_handled;
        return decoded;
    }
    const double walk = since(start);
    const GatheredStream gathered = gather_image_data(bytes.data(), png);
    const ByteSpan& stream = gathered.stream;
    const double gather = since(start);

    Decoded decoded;
    decoded.width = png.width;
    decoded.height = png.height;
    decoded.size = row_size(png) * png.height;
    decoded.pixels = allocate_block(filtered_size(png));
    auto* rows = static_cast<std::uint8_t*>(decoded.pixels.get());
    std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> decompressor(libdeflate_alloc_decompressor());
    if (!decompressor) throw std::bad_alloc();
    start = Clock::now();
    // Given up on: the file as it came, for libspng to decode or refuse.
    const auto give_up = [&](const char* problem) {
        scatter_image_data(bytes.data(), png, gathered);
        return failed(problem);
    };
    if (!inflate_rows(decompressor.get(), bytes.data() + stream.offset, stream.size, rows, png)) {
        return give_up("zlib stream damaged, short or long, or a bad filter type");
    }
    const double inflate = since(start);
    unfilter_rows(rows, png, 0, png.height);
    const double unfilter = since(start);
    if (split) {
        // zlib on the same stream, into a buffer of its own: what libspng's inflate costs.
        RawBlock scratch = allocate_block(filtered_size(png));
        uLongf size = filtered_size(png);
        start = Clock::now();
        const int z = uncompress(static_cast<Bytef*>(scratch.get()), &size, bytes.data() + stream.offset, stream.size);
        const double zlib = since(start);
        std::printf("walk+CRC %.2f ms  gather %.2f ms  inflate %.2f ms  unfilter %.2f ms  (zlib inflate %.2f ms%s)\n",
                    walk, gather, inflate, unfilter, zlib, z == Z_OK ? "" : ", failed");
    }
    decoded.ok = true;
    if (png.colour_type == SPNG_COLOR_TYPE_INDEXED) {  // an RGBA file's PLTE is only a suggestion
        decoded.palette = std::move(png.palette);
        decoded.alpha = std::move(png.alpha);
    }
    return decoded;
}

std::string outcome(const Decoded& d) {
    if (d.ok) return "decoded " + std::to_string(d.width) + "x" + std::to_string(d.height);
    return (d.left_to_libspng ? "left to libspng: " : "refused: ") + d.problem;
}

// Whether whole_png could stand in for libspng on this file: it
// decodes the same pixels, palette and alpha, or refuses or leaves the file
// to libspng, which decides then, on the file's bytes as they came. 0 when
// it could, 3 when not: it decodes a file libspng refuses, decodes it
// otherwise, or gives up on it with its bytes changed.
int compare(const char* name, FileBytes& bytes) {
    const Decoded spng = decode_with_libspng(bytes);
    const FileBytes original = bytes;
    const Decoded deflate = decode_with_libdeflate(bytes, false);
    std::string difference;
    const char* verdict = "same";
    if (!deflate.ok && bytes != original) {
        difference = "the file's bytes not restored";
    } else if (deflate.left_to_libspng) {
    } else if (spng.ok && !deflate.ok) {
        verdict = "stricter";
    } else if (!spng.ok && deflate.ok) {
        difference = "whole_png decodes what libspng refuses";
    } else if (spng.ok) {
        if (spng.width != deflate.width || spng.height != deflate.height || spng.size != deflate.size) {
            difference = "sizes";
        } else if (std::memcmp(spng.pixels.get(), deflate.pixels.get(), spng.size) != 0) {
            difference = "pixels";
        } else if (spng.palette != deflate.palette || spng.alpha != deflate.alpha) {
            difference = "palette";
        }
    }
    std::printf("%s: %s: libspng %s, libdeflate %s\n", name, difference.empty() ? verdict : "DIFFER",
                outcome(spng).c_str(), outcome(deflate).c_str());
    return difference.empty() ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string way = argc >= 3 ? argv[2] : "";
    const bool split = argc == 4 && std::strcmp(argv[3], "--split") == 0;
    if (argc < 2 || argc > 4 || (argc >= 3 && way != "libspng" && way != "libdeflate") || (argc == 4 && !split)) {
        std::fputs("Usage: pixcell_bench_png_inflate FILE [libspng|libdeflate [--split]]\n", stderr);
        return 2;
    }
    FileBytes bytes;
    if (!read_whole_file(argv[1], bytes)) {
        std::fprintf(stderr, "Error: Can't read file '%s'\n", argv[1]);
        return 1;
    }
    if (way.empty()) return compare(argv[1], bytes);
    const Decoded decoded = way == "libspng" ? decode_with_libspng(bytes) : decode_with_libdeflate(bytes, split);
    if (!decoded.ok) {
        std::fprintf(stderr, "Error: %s: %s\n", argv[1], outcome(decoded).c_str());
        return 1;
    }
    return 0;
}
