#include "common/messages.h"

#include <cstdio>

namespace pixcell::messages {

namespace {

void print(const std::string& line) { std::fwrite(line.data(), 1, line.size(), stderr); }

}  // namespace

void usage() { print("Usage: pixcell [options] input \n"); }

void cant_open_input(const std::string& path) { print("Error: Can't open file '" + path + "'\n"); }

void illegal_input() { print("Illegal input file\n"); }

void cant_open_sheet(const std::string& name) { print("Can't open file " + name + "\n"); }

void cant_use_sheet(const std::string& name, const std::string& reason) {
    print("Can't use file " + name + ": " + reason + "\n");
}

void sprite_skipped(const std::string& bitmap, const std::string& sprite) {
    print("[" + bitmap + "] not found. obj:" + sprite + " skipped...\n");
}

void cant_write_file(const std::string& name) { print("Error: Can't write file '" + name + "'\n"); }

void cant_remove_temporary(const std::string& name) { print("Error: Can't remove temporary file '" + name + "'\n"); }

namespace sheet_problem {

std::string too_large_for_memory() { return "too large to load into memory"; }

std::string too_short(std::size_t size) {
    return "only " + std::to_string(size) + (size == 1 ? " byte" : " bytes") + ", too short for a BMP file";
}

std::string not_bmp() { return "not a BMP file, it doesn't start with \"BM\""; }

std::string old_bmp_header(std::uint32_t info_size) {
    return "old BMP header of " + std::to_string(info_size) + " bytes, save it as a Windows BMP";
}

std::string bits_per_pixel(std::uint32_t bits) { return std::to_string(bits) + " bits per pixel, only 8 is supported"; }

std::string compressed() { return "compressed pixel data, save it uncompressed"; }

std::string bad_width(std::int32_t width) { return "width " + std::to_string(width) + ", it must be at least 1"; }

std::string zero_height() { return "height 0, it must not be 0"; }

std::string pixels_cut_short(std::uint64_t needed, std::size_t size) {
    return "the pixel data needs " + std::to_string(needed) + " bytes but the file has only " + std::to_string(size) +
           ", it is cut short";
}

}  // namespace sheet_problem

}  // namespace pixcell::messages
