#include "output/palette_texts.h"

#include <algorithm>
#include <set>

#include "common/base_name.h"
#include "common/console.h"
#include "common/messages.h"
#include "output/text_templates.h"

namespace pixcell {

namespace {

constexpr std::size_t kColoursPerLine = 8;

// The sheet's file name as a piece of an identifier.
std::string identifier_part(const std::string& sheet) {
    std::string part = base_name(sheet);
    for (char& c : part) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!keep) c = '_';
    }
    if (part.empty() || (part[0] >= '0' && part[0] <= '9')) part.insert(part.begin(), '_');
    return part;
}

// The colour in the console's format: red in the low 5 bits, then green,
// then blue, each the top 5 bits of its 8.
std::uint16_t console_colour(const Rgb& colour) {
    return static_cast<std::uint16_t>((colour.red >> 3) | (colour.green >> 3) << 5 | (colour.blue >> 3) << 10);
}

}  // namespace

std::vector<std::string> palette_names(const SheetStore& sheets, const std::string& ident_base) {
    std::vector<std::string> names;
    std::set<std::string> taken;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(sheets.count()); ++i) {
        if (sheets.sheet(i).palette().empty()) {
            names.emplace_back();
            continue;
        }
        const std::string stem = ident_base + "_" + identifier_part(sheets.name(i));
        std::string name = stem + "_pal";
        for (int n = 2; taken.count(name) != 0; ++n) name = stem + "_" + std::to_string(n) + "_pal";
        taken.insert(name);
        names.push_back(name);
    }
    return names;
}

PaletteTexts render_palettes(const SheetStore& sheets, const SpriteList& sprites, const Conversion& conversion,
                             const std::string& ident_base, Diagnostics& diagnostics) {
    PaletteTexts texts;
    texts.source = "#include \"" + ident_base + "_pal.h\"\n";
    texts.header = "#ifndef " + ident_base + "_PAL_H\n#define " + ident_base + "_PAL_H\n#include <gba.h>\n";
    const std::vector<std::string> names = palette_names(sheets, ident_base);
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(sheets.count()); ++i) {
        const IndexedImage& sheet = sheets.sheet(i);
        const Palette& palette = sheet.palette();
        if (palette.empty()) {
            diagnostics.warning(messages::warn::sheet_without_palette(sheets.name(i)));
            continue;
        }
        // Rows made from a first row on are loaded there: the entries before
        // them belong to another description's rows.
        const std::int32_t first_row = sheet.first_palette_row();
        const std::size_t first = std::min(palette.size(), static_cast<std::size_t>(first_row) * kRowColours);
        // Rows moved up (--first-row on an indexed sheet) keep those that
        // still fit the console's 16: the rest would run past palette memory.
        const std::size_t end = std::min(palette.size(),
                                         static_cast<std::size_t>(kPaletteRows - sheet.row_shift()) * kRowColours);
        const std::string& name = names[static_cast<std::size_t>(i)];
        const std::string declaration = "const u16 " + name + "[" + std::to_string(end - first) + "]";
        texts.header += "extern " + declaration + ";\n";
        texts.header += "#define " + name + "_FIRST_ROW " + std::to_string(first_row + sheet.row_shift()) + "\n";
        texts.source += "\n" + declaration + " = {\n";
        for (std::size_t c = first; c < end; ++c) {
            const std::size_t k = c - first;
            texts.source += k % kColoursPerLine == 0 ? "\t" : " ";
            append_halfword(texts.source, console_colour(palette[c]));
            texts.source += ",";
            if (k % kColoursPerLine == kColoursPerLine - 1 || c + 1 == end) texts.source += "\n";
        }
        texts.source += "};\n";
    }
    // Indexed by the enumerators, which C can't check: each line names its
    // sprite. Names never hold '*', so they can't end the comment.
    if (!conversion.sprites.empty()) {
        const std::string declaration =
            "const u8 " + ident_base + "_palette_row[" + std::to_string(conversion.sprites.size()) + "]";
        texts.header += "extern " + declaration + ";\n";
        texts.source += "\n" + declaration + " = {\n";
        for (const ConvertedSprite& converted : conversion.sprites) {
            texts.source += "\t" + std::to_string(converted.palette_row) + ",\t/* " +
                            sprites[converted.sprite].name + " */\n";
        }
        texts.source += "};\n";
    }
    texts.header += "#endif\n";
    return texts;
}

}  // namespace pixcell
