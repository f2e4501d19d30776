// pixcell_bench_inputs DIR: writes the benchmark's sheets and descriptions
// into DIR, and DIR/manifest.tsv with what a correct run must yield for each.
#include <cstdio>
#include <optional>
#include <string>

#include "description_maker.h"
#include "sheet_maker.h"

namespace {

using namespace pixcell::bench;

constexpr std::int32_t kBaselineSide = 32;  // a tiny run: start-up and writing costs only
constexpr std::int32_t kSheetSides[] = {512, 1024, 2048, 4096};
constexpr struct {
    const char* stem;
    std::int64_t bytes;
} kDescriptions[] = {
    {"desc_base", std::int64_t{4} << 10},  // the baseline: the same sheets loaded, little to read
    {"desc_1mb", std::int64_t{1} << 20},
    {"desc_16mb", std::int64_t{16} << 20},
};

// The largest sheet is also written as an indexed PNG (sheet_4096.png, its
// description sheet_4096_png.txt): the cost of reading a PNG is measured on it.
constexpr std::int32_t kPngSide = 4096;

bool add_sheet(const std::string& dir, std::int32_t side, std::string& manifest) {
    const std::string stem = "sheet_" + std::to_string(side);
    const std::optional<SheetCounts> counts = write_sheet_and_description(
        dir, stem, side, 0x5EED0000u + static_cast<std::uint32_t>(side), side == kPngSide);
    if (!counts) return false;
    manifest += "sheet\t" + stem + "\t" + std::to_string(side) + "\t" + std::to_string(counts->cells) + "\t" +
                std::to_string(counts->distinct) + "\t" + std::to_string(counts->placed) + "\t" +
                std::to_string(counts->parts) + "\n";
    return true;
}

bool make_inputs(const std::string& dir) {
    std::string manifest = "kind\tname\tside\tcells\tdistinct\tplaced\tparts\n";
    if (!add_sheet(dir, kBaselineSide, manifest)) return false;
    for (const std::int32_t side : kSheetSides) {
        if (!add_sheet(dir, side, manifest)) return false;
    }
    for (const auto& description : kDescriptions) {
        const std::optional<DescriptionCounts> counts = write_parse_description(
            dir + "/" + description.stem + ".txt", description.bytes, {"sheet_512.bmp", "sheet_1024.bmp"});
        if (!counts) return false;
        manifest += std::string("description\t") + description.stem + "\t-\t-\t-\t-\t" +
                    std::to_string(counts->parts) + "\n";
    }
    const std::string path = dir + "/manifest.tsv";
    std::FILE* file = std::fopen(path.c_str(), "w");
    bool ok = file != nullptr && std::fputs(manifest.c_str(), file) >= 0;
    if (file != nullptr && std::fclose(file) != 0) ok = false;
    if (!ok) std::fprintf(stderr, "Error: Can't write file '%s'\n", path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("Usage: pixcell_bench_inputs DIR\n", stderr);
        return 1;
    }
    return make_inputs(argv[1]) ? 0 : 1;
}
