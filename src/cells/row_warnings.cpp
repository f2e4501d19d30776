#include "cells/row_warnings.h"

#include "common/console.h"
#include "common/messages.h"

namespace pixcell {

namespace {

messages::warn::PixelText text_of(const SheetPixel& pixel) { return {pixel.index, pixel.x, pixel.y}; }

void warn_about_transparency(const SheetStore& sheets, const std::vector<std::int64_t>& sheet_lines,
                             Diagnostics& diagnostics) {
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(sheets.count()); ++i) {
        const std::vector<std::uint8_t>& alpha = sheets.sheet(i).palette_alpha();
        std::int64_t first = -1;
        std::int64_t more = 0;
        for (std::size_t entry = 0; entry < alpha.size(); ++entry) {
            if (alpha[entry] == 0xFF || entry % kRowColours == 0) continue;
            if (first < 0) {
                first = static_cast<std::int64_t>(entry);
            } else {
                ++more;
            }
        }
        if (first < 0) continue;
        const std::size_t at = static_cast<std::size_t>(i);
        diagnostics.warning_at(at < sheet_lines.size() ? sheet_lines[at] : 0,
                               messages::warn::transparent_entry(sheets.name(i), first,
                                                                 alpha[static_cast<std::size_t>(first)], more));
    }
}

}  // namespace

void warn_about_rows(const Conversion& conversion, const SpriteList& sprites, const SheetStore& sheets,
                     const std::vector<std::int64_t>& sheet_lines, Diagnostics& diagnostics) {
    warn_about_transparency(sheets, sheet_lines, diagnostics);
    std::size_t converted = 0;
    for (const RowReport& report : conversion.row_reports) {
        const SpriteObject& sprite = sprites[report.sprite];
        // Reports and converted sprites are both in list order.
        while (conversion.sprites[converted].sprite != report.sprite) ++converted;
        // The row as the sheet draws it, which the messages' pixels are in.
        const std::int32_t row =
            conversion.sprites[converted].palette_row - sheets.sheet(sheets.find(sprite.bitmap)).row_shift();
        if (report.rows.size() > 1) {
            std::vector<messages::warn::PixelText> rows;
            for (const SheetPixel& pixel : report.rows) rows.push_back(text_of(pixel));
            diagnostics.warning_at(sprite.line, messages::warn::rows_mixed(sprite.name, sprite.bitmap, rows, row));
        }
        // A sprite with nothing shown is one warning, whatever hid it.
        if (report.hidden > 0 && !report.invisible) {
            diagnostics.warning_at(sprite.line, messages::warn::hidden_pixels(sprite.name, sprite.bitmap, report.hidden,
                                                                              text_of(report.first_hidden), row));
        }
        if (report.invisible) {
            const SpritePart& first = sprite.parts.front();
            diagnostics.warning_at(sprite.line, messages::warn::sprite_invisible(sprite.name, sprite.bitmap, first.x, first.y));
        }
    }
}

bool rows_in_console(const Conversion& conversion, const SpriteList& sprites, const SheetStore& sheets,
                     const std::string& option, Diagnostics& diagnostics) {
    for (const ConvertedSprite& converted : conversion.sprites) {
        if (converted.palette_row < kPaletteRows) continue;
        const SpriteObject& sprite = sprites[converted.sprite];
        const std::int32_t sheet = sheets.find(sprite.bitmap);
        const std::int32_t shift = sheets.sheet(sheet).row_shift();
        messages::cant_use_sheet(sheets.name(sheet),
                                 messages::colour_problem::row_moved_too_far(sprite.name, converted.palette_row - shift,
                                                                             option, converted.palette_row));
        diagnostics.note_at(sprite.line, messages::warn::sprite_named_here(sprite.name));
        return false;
    }
    return true;
}

}  // namespace pixcell
