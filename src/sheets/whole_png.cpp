#include "sheets/whole_png.h"

#include <libdeflate.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "sheets/decoders.h"

namespace pixcell {

namespace {

constexpr std::uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
constexpr std::size_t kChunkFrame = 12;  // length, type, CRC
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF;
constexpr std::uint8_t kIndexed = 3;
constexpr std::uint8_t kRgba = 6;

std::uint32_t read_u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

bool is_type(const std::uint8_t* type, const char* name) { return std::memcmp(type, name, 4) == 0; }

// The fifth bit of the first letter: a reader must understand a critical chunk.
bool is_critical(const std::uint8_t* type) { return (type[0] & 0x20) == 0; }

bool is_letter(std::uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The chunks libspng keeps in memory, held to its chunk limits (count, size
// and inflated size): rather than count as it counts, such files go to it.
bool is_kept_by_libspng(const std::uint8_t* type) {
    return is_type(type, "tEXt") || is_type(type, "zTXt") || is_type(type, "iTXt") || is_type(type, "iCCP") ||
           is_type(type, "sPLT") || is_type(type, "eXIf");
}

WholePng stop(WholePng png, WholePngState state, const char* problem) {
    png.state = state;
    png.problem = problem;
    return png;
}

// IHDR's fields, as libspng checks them, then pixcell's limits; a valid
// header outside this decoder's scope is left to libspng.
WholePng read_header(const std::uint8_t* data, WholePng png) {
    png.width = read_u32(data);
    png.height = read_u32(data + 4);
    const std::uint8_t depth = data[8];
    png.colour_type = data[9];
    const std::uint8_t compression = data[10], filter = data[11], interlace = data[12];
    if (png.width == 0 || png.width > kMaxChunkLength || png.height == 0 || png.height > kMaxChunkLength) {
        return stop(std::move(png), WholePngState::refused, "bad width or height");
    }
    bool valid_depth = false;
    switch (png.colour_type) {
    case 0: valid_depth = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16; break;
    case 2:
    case 4:
    case 6: valid_depth = depth == 8 || depth == 16; break;
    case 3: valid_depth = depth == 1 || depth == 2 || depth == 4 || depth == 8; break;
    default: return stop(std::move(png), WholePngState::refused, "bad colour type");
    }
    if (!valid_depth) return stop(std::move(png), WholePngState::refused, "bad bit depth");
    if (compression != 0 || filter != 0 || interlace > 1) {
        return stop(std::move(png), WholePngState::refused, "bad compression, filter or interlace method");
    }
    // pixcell's limits: a side past the pixel limit (libspng's image limits),
    // then the area and, for true colour, the width.
    const std::int64_t width = png.width, height = png.height;
    if (width > kMaxDecodedPixels || height > kMaxDecodedPixels) {
        return stop(std::move(png), WholePngState::refused, "side over the limit");
    }
    if (depth != 8 || interlace != 0 || (png.colour_type != kIndexed && png.colour_type != kRgba)) {
        return stop(std::move(png), WholePngState::not_handled, "not 8-bit indexed or RGBA, or interlaced");
    }
    if (png.colour_type == kIndexed && width * height > kMaxDecodedPixels) {
        return stop(std::move(png), WholePngState::refused, "too many pixels");
    }
    if (png.colour_type == kRgba && (width * height > kMaxTrueColourPixels || width > kMaxTrueColourPngWidth)) {
        return stop(std::move(png), WholePngState::refused, "too many pixels");
    }
    png.state = WholePngState::ready;
    return png;
}

// The Paeth predictor without branches: to a branch predictor, pixels are noise.
int paeth(int a, int b, int c) {
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    const int nearer_of_bc = pb <= pc ? b : c;
    return pa <= std::min(pb, pc) ? a : nearer_of_bc;
}

// Each unfilter_* does one row. `out` may lie before `in` in the same
// buffer (a row moves down by its filter byte and those of the rows above):
// every byte of `in` is read before the byte of `out` that could overwrite
// it is written. The pixel to the left is carried, not read back from
// `out`, for the same reason: the compiler must assume `out` overwrites `in`.

// One byte a pixel.
void unfilter_bytes(std::uint8_t filter, const std::uint8_t* in, std::uint8_t* out, const std::uint8_t* above,
                    std::size_t size) {
    int left = 0, upper_left = 0;
    switch (filter) {
    case 0: std::memmove(out, in, size); break;
    case 1:
        for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(left = (in[i] + left) & 0xFF);
        break;
    case 2:
        for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(in[i] + above[i]);
        break;
    case 3:
        for (std::size_t i = 0; i < size; ++i) {
            out[i] = static_cast<std::uint8_t>(left = (in[i] + ((left + above[i]) >> 1)) & 0xFF);
        }
        break;
    default:
        for (std::size_t i = 0; i < size; ++i) {
            const int up = above[i];
            out[i] = static_cast<std::uint8_t>(left = (in[i] + paeth(left, up, upper_left)) & 0xFF);
            upper_left = up;
        }
        break;
    }
}

#if defined(__SSE2__)
// Four bytes a pixel: a pixel at a time in the low 16-bit lanes of a vector,
// the way libpng's and libspng's SSE2 code does it; None and Up need nothing
// of the pixel's width.
__m128i load_pixel(const std::uint8_t* p) {
    std::int32_t v;
    std::memcpy(&v, p, 4);
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(v), _mm_setzero_si128());
}

void store_pixel(std::uint8_t* p, __m128i lanes) {
    const std::int32_t v = _mm_cvtsi128_si32(_mm_packus_epi16(lanes, lanes));
    std::memcpy(p, &v, 4);
}

__m128i abs_lanes(__m128i x) { return _mm_max_epi16(x, _mm_sub_epi16(_mm_setzero_si128(), x)); }

// Where mask is set, from `yes`, else from `no`.
__m128i choose(__m128i mask, __m128i yes, __m128i no) {
    return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

void unfilter_pixels(std::uint8_t filter, const std::uint8_t* in, std::uint8_t* out, const std::uint8_t* above,
                     std::size_t size) {
    if (filter == 0 || filter == 2) return unfilter_bytes(filter, in, out, above, size);
    const __m128i low_byte = _mm_set1_epi16(0xFF);
    __m128i left = _mm_setzero_si128(), upper_left = _mm_setzero_si128();
    for (std::size_t i = 0; i < size; i += 4) {
        const __m128i x = load_pixel(in + i);
        __m128i predicted;
        if (filter == 1) {
            predicted = left;
        } else if (filter == 3) {
            predicted = _mm_srli_epi16(_mm_add_epi16(left, load_pixel(above + i)), 1);
        } else {
            const __m128i up = load_pixel(above + i);
            const __m128i to_up = _mm_sub_epi16(up, upper_left), to_left = _mm_sub_epi16(left, upper_left);
            const __m128i pa = abs_lanes(to_up), pb = abs_lanes(to_left);
            const __m128i pc = abs_lanes(_mm_add_epi16(to_up, to_left));
            const __m128i nearer_of_bc = choose(_mm_cmpgt_epi16(pb, pc), upper_left, up);
            predicted = choose(_mm_cmpgt_epi16(pa, _mm_min_epi16(pb, pc)), nearer_of_bc, left);
            upper_left = up;
        }
        left = _mm_and_si128(_mm_add_epi16(x, predicted), low_byte);
        store_pixel(out + i, left);
    }
}
#else
void unfilter_pixels(std::uint8_t filter, const std::uint8_t* in, std::uint8_t* out, const std::uint8_t* above,
                     std::size_t size) {
    if (filter == 0 || filter == 2) return unfilter_bytes(filter, in, out, above, size);
    for (std::size_t i = 0; i < size; ++i) {
        const int a = i >= 4 ? out[i - 4] : 0, b = above[i], c = i >= 4 ? above[i - 4] : 0;
        const int predicted = filter == 1 ? a : filter == 3 ? (a + b) >> 1 : paeth(a, b, c);
        out[i] = static_cast<std::uint8_t>(in[i] + predicted);
    }
}
#endif

template <unsigned kBytesPerPixel>
void unfilter(std::uint8_t* rows, std::size_t size, std::uint32_t first, std::uint32_t end) {
    std::vector<std::uint8_t> zeros;  // the row above the first
    for (std::uint32_t y = first; y < end; ++y) {
        const std::uint8_t* in = rows + static_cast<std::size_t>(y) * (size + 1);
        std::uint8_t* out = rows + static_cast<std::size_t>(y) * size;
        if (y == 0) zeros.assign(size, 0);
        const std::uint8_t* above = y == 0 ? zeros.data() : out - size;
        if (kBytesPerPixel == 1) {
            unfilter_bytes(in[0], in + 1, out, above, size);
        } else {
            unfilter_pixels(in[0], in + 1, out, above, size);
        }
    }
}

}  // namespace

WholePng read_png_chunks(const std::uint8_t* bytes, std::size_t size) {
    WholePng png;
    if (size < sizeof kSignature || std::memcmp(bytes, kSignature, sizeof kSignature) != 0) {
        return stop(std::move(png), WholePngState::refused, "no PNG signature");
    }
    bool seen_header = false, seen_palette = false, seen_end = false;
    bool after_image_data = false;         // a chunk other than IDAT came after IDATs
    bool seen_palette_dependants = false;  // tRNS, bKGD or hIST: PLTE may not follow them
    bool seen_transparency = false;
    std::size_t at = sizeof kSignature;
    while (!seen_end) {
        if (size - at < kChunkFrame) return stop(std::move(png), WholePngState::refused, "cut short");
        const std::uint32_t length = read_u32(bytes + at);
        const std::uint8_t* type = bytes + at + 4;
        const std::uint8_t* data = bytes + at + 8;
        if (length > kMaxChunkLength) return stop(std::move(png), WholePngState::refused, "chunk length");
        if (length > size - at - kChunkFrame) return stop(std::move(png), WholePngState::refused, "cut short");
        if (libdeflate_crc32(0, type, length + 4) != read_u32(data + length)) {
            return stop(std::move(png), WholePngState::refused, "bad CRC");
        }
        if (!is_letter(type[0]) || !is_letter(type[1]) || !is_letter(type[2]) || !is_letter(type[3])) {
            return stop(std::move(png), WholePngState::not_handled, "chunk type not in letters");
        }
        const bool image_data = is_type(type, "IDAT");
        if (!png.image_data.empty() && !image_data) after_image_data = true;

        if (!seen_header) {
            if (!is_type(type, "IHDR") || length != 13) {
                return stop(std::move(png), WholePngState::refused, "IHDR not first");
            }
            png = read_header(data, std::move(png));
            if (png.state != WholePngState::ready) return png;
            seen_header = true;
        } else if (image_data) {
            if (after_image_data) return stop(std::move(png), WholePngState::refused, "IDATs apart");
            if (png.colour_type == kIndexed && !seen_palette) {
                return stop(std::move(png), WholePngState::refused, "no PLTE");
            }
            png.image_data.push_back(ByteSpan{static_cast<std::size_t>(data - bytes), length});
        } else if (is_type(type, "PLTE")) {
            if (seen_palette || !png.image_data.empty() || seen_palette_dependants) {
                return stop(std::move(png), WholePngState::refused, "PLTE out of place");
            }
            if (length == 0 || length % 3 != 0 || length > 3 * 256) {
                return stop(std::move(png), WholePngState::refused, "PLTE size");
            }
            png.palette.assign(data, data + length);
            seen_palette = true;
        } else if (is_type(type, "IEND")) {
            if (png.image_data.empty() || length != 0) {
                return stop(std::move(png), WholePngState::refused, "IEND out of place");
            }
            seen_end = true;
        } else if (is_critical(type)) {
            return stop(std::move(png), WholePngState::refused, "unknown critical chunk");
        } else if (is_kept_by_libspng(type)) {
            return stop(std::move(png), WholePngState::not_handled, "chunk libspng keeps");
        } else if (is_type(type, "tRNS") || is_type(type, "bKGD") || is_type(type, "hIST")) {
            // libspng drops a misplaced or malformed tRNS, bKGD or hIST and
            // decodes the file without it, but a PLTE after one it took is
            // misplaced: rather than follow which it takes, only the plain
            // case is read here.
            const bool transparency = is_type(type, "tRNS");
            if (!seen_palette) {
                if (transparency || png.colour_type == kIndexed) {
                    return stop(std::move(png), WholePngState::not_handled, "tRNS, bKGD or hIST before PLTE");
                }
                seen_palette_dependants = true;
            }
            if (transparency && png.colour_type == kIndexed) {
                if (seen_transparency || !png.image_data.empty() || length == 0 || length > png.palette.size() / 3) {
                    return stop(std::move(png), WholePngState::not_handled, "tRNS out of the plain case");
                }
                png.alpha.assign(data, data + length);
                seen_transparency = true;
            }
        }
        // Every other ancillary chunk: libspng checks and drops it, and a
        // damaged one is dropped too; only its CRC counts.
        at += kChunkFrame + length;
    }
    return png;
}

std::size_t row_size(const WholePng& png) {
    return static_cast<std::size_t>(png.width) * (png.colour_type == kRgba ? 4 : 1);
}

std::size_t filtered_size(const WholePng& png) { return (row_size(png) + 1) * png.height; }

GatheredStream gather_image_data(std::uint8_t* bytes, const WholePng& png) {
    GatheredStream gathered{ByteSpan{png.image_data.front().offset, 0}, {}};
    ByteSpan& stream = gathered.stream;
    gathered.seams.reserve(kChunkFrame * (png.image_data.size() - 1));
    for (std::size_t i = 0; i < png.image_data.size(); ++i) {
        const ByteSpan& part = png.image_data[i];
        if (i > 0) {
            // IDATs follow each other: a payload's end is the next frame's start.
            const std::uint8_t* seam = bytes + part.offset - kChunkFrame;
            gathered.seams.insert(gathered.seams.end(), seam, seam + kChunkFrame);
        }
        if (part.offset != stream.offset + stream.size) {
            std::memmove(bytes + stream.offset + stream.size, bytes + part.offset, part.size);
        }
        stream.size += part.size;
    }
    return gathered;
}

void scatter_image_data(std::uint8_t* bytes, const WholePng& png, const GatheredStream& gathered) {
    // Last payload first: each moves back up over bytes already moved down.
    std::size_t at = gathered.stream.size;
    for (std::size_t i = png.image_data.size(); i-- > 0;) {
        const ByteSpan& part = png.image_data[i];
        at -= part.size;
        if (part.offset != gathered.stream.offset + at) {
            std::memmove(bytes + part.offset, bytes + gathered.stream.offset + at, part.size);
        }
    }
    for (std::size_t i = 1; i < png.image_data.size(); ++i) {
        std::memcpy(bytes + png.image_data[i].offset - kChunkFrame, gathered.seams.data() + (i - 1) * kChunkFrame,
                    kChunkFrame);
    }
}

bool inflate_rows(libdeflate_decompressor* decompressor, const std::uint8_t* stream, std::size_t stream_size,
                  std::uint8_t* rows, const WholePng& png) {
    // No actual size asked for: anything but exactly the rows' size fails.
    if (libdeflate_zlib_decompress(decompressor, stream, stream_size, rows, filtered_size(png), nullptr) !=
        LIBDEFLATE_SUCCESS) {
        return false;
    }
    const std::size_t stride = row_size(png) + 1;
    for (std::size_t y = 0; y < png.height; ++y) {
        if (rows[y * stride] > 4) return false;
    }
    return true;
}

void unfilter_rows(std::uint8_t* rows, const WholePng& png, std::uint32_t first, std::uint32_t end) {
    if (png.colour_type == kRgba) return unfilter<4>(rows, row_size(png), first, end);
    unfilter<1>(rows, row_size(png), first, end);
}

}  // namespace pixcell
