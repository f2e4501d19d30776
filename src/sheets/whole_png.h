// A PNG decoded whole with libdeflate instead of row by row with libspng:
// the chunks walked and checked here (every CRC), the image data gathered
// into one zlib stream, inflated in one call into the filtered rows, which
// are then unfiltered in place, band by band if wished. Only what a sheet
// usually is: non-interlaced 8-bit indexed or 8-bit RGBA, with no chunk that
// libspng would keep (text, ICC profile, suggested palettes, Exif); any other
// file is left to libspng, as is any file refused here, so that libspng's
// message is the one shown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct libdeflate_decompressor;

namespace pixcell {

enum class WholePngState {
    ready,        // every chunk checked: the image data can be gathered and inflated
    refused,      // damaged, or over a limit
    not_handled,  // well-formed as far as read, but for libspng to decode
};

// A byte range of the file.
struct ByteSpan {
    std::size_t offset = 0;
    std::size_t size = 0;
};

struct WholePng {
    WholePngState state = WholePngState::refused;
    std::string problem;  // unless ready: why, for the bench's reports
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t colour_type = 0;       // 3 indexed, 6 RGBA
    std::vector<std::uint8_t> palette;  // PLTE: red, green, blue of each entry
    std::vector<std::uint8_t> alpha;    // tRNS of an indexed PNG: the first entries' alpha
    std::vector<ByteSpan> image_data;   // the IDAT payloads, in order
};

// Walks the chunks of `bytes` up to IEND, checking each as libspng would
// (set up as pixcell sets it: every CRC, pixcell's size limits) or more
// strictly; reads the header, palette and tRNS and where the image data lies.
WholePng read_png_chunks(const std::uint8_t* bytes, std::size_t size);

// Bytes of one row of pixels, without its filter byte.
std::size_t row_size(const WholePng& png);
// Bytes the image data inflates to: each row after its filter byte.
std::size_t filtered_size(const WholePng& png);

// The zlib stream made one range of the file's bytes, and what that
// overwrote: the 12 bytes between each IDAT's payload and the next one's.
struct GatheredStream {
    ByteSpan stream;
    std::vector<std::uint8_t> seams;
};

// Moves the IDAT payloads of a ready PNG together, in place, so that the
// zlib stream is one range of `bytes`: no second copy of a file's worth.
GatheredStream gather_image_data(std::uint8_t* bytes, const WholePng& png);
// Undoes gather_image_data, so that libspng can read the file after all.
void scatter_image_data(std::uint8_t* bytes, const WholePng& png, const GatheredStream& gathered);

// Inflates the zlib stream into the filtered_size(png) bytes at `rows`,
// Adler-32 checked, and checks every row's filter type. False when the
// stream is damaged, ends early or late, or a filter type is past Paeth:
// once it returns true, nothing can fail, and rows may be handed on.
bool inflate_rows(libdeflate_decompressor* decompressor, const std::uint8_t* stream, std::size_t stream_size,
                  std::uint8_t* rows, const WholePng& png);

// Unfilters rows [first, end) of the buffer inflate_rows filled: row y moves
// from y * (row_size + 1) + 1 to y * row_size, so that the buffer's start
// holds the picture, rows from the top, as soon as each band is done. Rows
// before `first` must be done already.
void unfilter_rows(std::uint8_t* rows, const WholePng& png, std::uint32_t first, std::uint32_t end);

}  // namespace pixcell
