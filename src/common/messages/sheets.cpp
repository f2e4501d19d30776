#include "common/messages/sheets.h"

#include "common/console.h"
#include "common/messages/quoting.h"

namespace pixcell::messages {

using detail::double_quoted;
using detail::print;
using detail::quoted;

void cant_open_sheet(const std::string& name) { print("Can't open file " + name + "\n"); }

void cant_use_sheet(const std::string& name, const std::string& reason) {
    print("Can't use file " + name + ": " + reason + "\n");
}

namespace sheet_problem {

std::string too_large_for_memory() { return "too large to load into memory"; }

std::string changed_while_read() { return "the file changed while it was read, it is shorter now"; }

std::string unknown_format(std::size_t size) {
    if (size == 0) return "an empty file, neither a BMP nor a PNG image";
    return "neither a BMP nor a PNG image, it starts with neither \"BM\" nor the PNG signature";
}

std::string other_image(const std::string& kind) { return kind + ": save it as PNG or BMP"; }

std::string too_short(std::size_t size) {
    return "only " + std::to_string(size) + (size == 1 ? " byte" : " bytes") + ", too short for a BMP file";
}

std::string old_bmp_header(std::uint32_t info_size) {
    return "old BMP header of " + std::to_string(info_size) + " bytes, save it as a Windows BMP";
}

std::string bits_per_pixel(std::uint32_t bits) {
    return std::to_string(bits) + " bits per pixel, only 1, 4, 8, 16, 24 and 32 are supported";
}

std::string bmp_not_indexed(std::uint32_t bits) {
    return std::to_string(bits) + " bits per pixel, only 1, 4 and 8 (a palette image) are supported";
}

std::string compression(std::uint32_t method) {
    const char* name = method == 4 ? " (JPEG)" : method == 5 ? " (PNG)" : "";
    return "compression " + std::to_string(method) + name +
           ", only uncompressed, RLE8, RLE4 and bit-field pixel data are supported";
}

std::string rle_bits(std::uint32_t method, std::uint32_t bits) {
    const std::string rle = method == 1 ? "RLE8" : "RLE4";
    return rle + " compression with " + std::to_string(bits) + " bits per pixel, it needs " + (method == 1 ? "8" : "4");
}

std::string bit_fields_bits(std::uint32_t method, std::uint32_t bits) {
    const std::string fields = method == 3 ? "bit fields (compression 3)" : "bit fields with alpha (compression 6)";
    return fields + " with " + std::to_string(bits) + " bits per pixel, they need 16 or 32";
}

std::string bad_mask(const std::string& channel, std::uint32_t mask) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", mask);
    return "the " + channel + " bit-field mask " + hex + " is not one run of bits";
}

std::string bad_width(std::int32_t width) { return "width " + std::to_string(width) + ", it must be at least 1"; }

std::string zero_height() { return "height 0, it must not be 0"; }

std::string rle_top_down() {
    return "RLE pixel data stored top-down (negative height), which BMP doesn't allow; save it bottom-up";
}

std::string too_many_pixels(std::int64_t width, std::int64_t height, std::int64_t limit) {
    return std::to_string(width) + "x" + std::to_string(height) + " pixels, more than the " + std::to_string(limit) +
           " a compressed sheet may have";
}

std::string too_many_true_colour_pixels(std::int64_t width, std::int64_t height, std::int64_t limit) {
    return std::to_string(width) + "x" + std::to_string(height) + " pixels, more than the " + std::to_string(limit) +
           " a true-colour sheet may have";
}

std::string true_colour_too_wide(std::int64_t width, std::int64_t limit) {
    return "width " + std::to_string(width) + ", more than the " + std::to_string(limit) +
           " pixels a true-colour PNG sheet may have";
}

std::string pixels_cut_short(std::uint64_t needed, std::size_t size) {
    return "the pixel data needs " + std::to_string(needed) + " bytes but the file has only " + std::to_string(size) +
           ", it is cut short";
}

std::string pixels_inside_headers(std::uint64_t offset, std::uint64_t headers_end) {
    return "the pixel data starts at byte " + std::to_string(offset) + ", inside the headers, which end at byte " +
           std::to_string(headers_end);
}

std::string rle_cut_short(std::size_t at) {
    return "the RLE pixel data ends at byte " + std::to_string(at) + " before its end-of-bitmap code, it is cut short";
}

std::string png_not_indexed(int colour_type) {
    const char* kind = colour_type == 0   ? "greyscale"
                       : colour_type == 2 ? "truecolour"
                       : colour_type == 4 ? "greyscale with alpha"
                       : colour_type == 6 ? "truecolour with alpha"
                                          : "non-indexed";
    return std::string("a ") + kind + " PNG (colour type " + std::to_string(colour_type) +
           "), save it as an indexed (palette) image";
}

std::string png_no_palette() { return "an indexed PNG without its palette (no PLTE chunk)"; }

std::string png_bad_crc() { return "a PNG chunk's CRC doesn't match its data, the file is damaged"; }

std::string png_cut_short() { return "the PNG data ends early, the file is cut short"; }

std::string png_chunks_too_large(std::size_t chunk_limit, std::size_t total_limit) {
    return "PNG text or metadata chunks larger than allowed (" + std::to_string(chunk_limit >> 20) + " MiB a chunk, " +
           std::to_string(total_limit >> 20) + " MiB in all)";
}

std::string png_damaged(const std::string& detail) { return "a damaged PNG file (" + detail + ")"; }

}  // namespace sheet_problem

namespace palette_problem {

namespace {

std::string at_line(std::int64_t line) { return "line " + std::to_string(line) + ": "; }

}  // namespace

std::string expected_hex_colour(std::int64_t line) { return at_line(line) + "expected a colour as RRGGBB or #RRGGBB"; }

std::string expected_decimal_colour(std::int64_t line) {
    return at_line(line) + "expected a colour as three numbers from 0 to 255 (red, green, blue)";
}

std::string expected_jasc_header() {
    return at_line(1) + "a JASC-PAL file starts with the line JASC-PAL, then 0100 and the number of colours";
}

std::string expected_gimp_header() { return at_line(1) + "a GIMP palette starts with the line GIMP Palette"; }

std::string expected_jasc_version(std::int64_t line) {
    return at_line(line) + "expected 0100, the version of a JASC-PAL file";
}

std::string expected_jasc_count(std::int64_t line) {
    return at_line(line) + "expected the number of colours of the JASC-PAL file";
}

std::string jasc_ends_early(std::int64_t given, std::int64_t announced) {
    return "the file ends after " + std::to_string(given) + " of the " + std::to_string(announced) +
           " colours that its line 3 announces";
}

std::string jasc_more_colours(std::int64_t line, std::int64_t announced) {
    return at_line(line) + "more colours than the " + std::to_string(announced) + " that line 3 announces";
}

std::string too_many_colours(std::int64_t colours) {
    return std::to_string(colours) + " colours, more than the " + std::to_string(kPaletteRows * kRowColours) +
           " of the console's sprite palette";
}

std::string no_colours() { return "no colour in the file"; }

std::string true_colour_image() {
    return "a true-colour image, which has no colour table: give an indexed PNG or BMP, or a palette file";
}

}  // namespace palette_problem

namespace warn {

std::string palette_line(const std::string& text) {
    return text.empty() ? "the line is blank" : "the line reads " + double_quoted(text);
}

std::string palette_from_names(const std::string& file) {
    return quoted(file) + " is the palette file that --palette-from names, a path from the folder pixcell runs in";
}

std::string sheet_named_here(const std::string& sheet) {
    return "sheet " + quoted(sheet) + " is named here, a path from the folder pixcell runs in";
}

std::string sheet_is_folder(const std::string& sheet) {
    return "sheet " + quoted(sheet) + " is a folder, not a file: name a BMP or PNG sheet";
}

}  // namespace warn

}  // namespace pixcell::messages
