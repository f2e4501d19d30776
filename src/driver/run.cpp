#include "driver/run.h"

#include <algorithm>
#include <csignal>
#include <cstdio>

#include "cells/console_limits.h"
#include "cells/convert.h"
#include "common/diagnostics.h"
#include "common/messages.h"
#include "description/parse_description.h"
#include "driver/argument_checks.h"
#include "driver/command_line.h"
#include "driver/listing.h"
#include "driver/read_description.h"
#include "output/palette_texts.h"
#include "output/preview.h"
#include "output/render_texts.h"
#include "sheets/sheet_store.h"

namespace pixcell {

namespace {

// The option lines of --help, from the one list of options.
std::string option_lines() {
    constexpr std::size_t kColumn = 18;  // where the explanations start, as in the -d line
    std::string lines;
    for (const OptionInfo& option : known_options()) {
        std::string synopsis = option.name;
        if (option.value != nullptr) synopsis += std::string("=") + option.value_name;
        synopsis.resize(std::max(synopsis.size() + 1, kColumn), ' ');
        lines += "  " + synopsis + option.help + "\n";
    }
    return lines;
}

// The value options given, as (option, value).
std::vector<std::pair<std::string, std::string>> value_options(const CommandLine& command_line) {
    std::vector<std::pair<std::string, std::string>> values;
    for (const OptionInfo& option : known_options()) {
        if (option.value != nullptr && command_line.*option.value) {
            values.emplace_back(option.name, *(command_line.*option.value));
        }
    }
    return values;
}

// What the run reads: the description and every sheet it names.
std::vector<std::string> read_files(const std::string& input, const SheetStore& sheets) {
    std::vector<std::string> files{input};
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(sheets.count()); ++i) files.push_back(sheets.name(i));
    files.insert(files.end(), sheets.failed_names().begin(), sheets.failed_names().end());
    return files;
}

// What the run writes besides the value options' own files.
std::vector<std::string> written_files(const CommandLine& command_line, const OutputNames& names) {
    std::vector<std::string> files = output_file_names(names.file_base);
    if (command_line.palette) {
        files.push_back(names.file_base + "_pal.c");
        files.push_back(names.file_base + "_pal.h");
    }
    return files;
}

}  // namespace

int run(int argc, const char* const* argv) {
    // A file size limit must fail the write, which we report, rather than
    // kill the run halfway.
    std::signal(SIGXFSZ, SIG_IGN);

    const CommandLine command_line = parse_command_line(argc, argv);
    if (command_line.help) {
        messages::help(option_lines());
        return 0;
    }
    if (command_line.version) {
        messages::version(PIXCELL_VERSION);
        return 0;
    }
    for (const OptionInfo& option : known_options()) {
        for (const std::string& refused : command_line.refused) {
            if (refused != option.name) continue;
            messages::option_error(messages::option_needs_value(option.name, option.value_name));
            return 1;
        }
    }
    Diagnostics diagnostics(!command_line.no_warnings);
    if (!command_line.input) {
        warn_about_arguments(command_line, {}, diagnostics);
        messages::usage();
        diagnostics.note(messages::warn::see_help());
        return 1;
    }
    const OutputNames names = output_names(command_line);
    warn_about_arguments(command_line, names, diagnostics);
    const std::optional<std::string> text = read_description(*command_line.input);
    if (!text) {
        messages::cant_open_input(*command_line.input);
        return 1;
    }

    // Sheets load as their lines are read, each reporting its own failure.
    diagnostics.set_file(*command_line.input);
    SheetStore sheets;
    const Description description =
        parse_description(*text, sheets, &diagnostics, declared_identifiers(names.ident_base));
    // A description that doesn't match still gives its (empty) outputs.
    if (!description.matched) messages::illegal_input();
    warn_where_reading_stopped(description, diagnostics);
    if (const std::optional<std::string> refused = refuse_values(
            value_options(command_line), read_files(*command_line.input, sheets), written_files(command_line, names))) {
        messages::option_error(*refused);
        return 1;
    }
    const int status = sheets.failed_loads() == 0 ? 0 : 1;
    // With --werror a warning or an illegal description fails the run, but the
    // listing is still printed.
    const auto failed_for_warnings = [&]() {
        return command_line.werror && (diagnostics.warnings() > 0 || !description.matched);
    };

    if (command_line.debug_listing) {
        print_listing(stdout, description.sprites, sheets);
        return failed_for_warnings() ? 1 : status;
    }
    if (status != 0) return status;  // no files when a sheet failed

    const Conversion conversion = convert(description.sprites, sheets);
    for (const std::size_t skipped : conversion.skipped) {
        const SpriteObject& sprite = description.sprites[skipped];
        messages::sprite_skipped(sprite.bitmap, sprite.name);
    }
    warn_about_limits(conversion, description.sprites, diagnostics);
    if (command_line.stats) {
        const ConversionCounts& counts = conversion.counts;
        messages::conversion_summary(static_cast<std::int64_t>(conversion.sprites.size()), counts.parts, counts.cells,
                                     counts.cells - static_cast<std::int64_t>(conversion.placed.size()),
                                     conversion.cells.size(), counts.mirrored);
    }
    const PaletteTexts palette =
        command_line.palette ? render_palettes(sheets, names.ident_base, diagnostics) : PaletteTexts{};
    if (failed_for_warnings()) {
        diagnostics.note(messages::warn::failed_for_warnings());
        return 1;
    }

    const GeneratedTexts texts = render_texts(description.sprites, conversion, names.ident_base);
    std::vector<OutputFile> files = output_files(texts, names.file_base);
    if (command_line.palette) {
        files.push_back({names.file_base + "_pal.c", &palette.source});
        files.push_back({names.file_base + "_pal.h", &palette.header});
    }
    std::string png;
    if (command_line.preview) {
        std::string problem;
        const std::optional<Preview> preview = draw_preview(description.sprites, conversion, sheets, problem);
        if (preview && !encode_png(preview->picture, png)) problem = messages::preview_not_encoded();
        if (!problem.empty()) {
            messages::cant_make_preview(*command_line.preview, problem);
            return 1;
        }
        files.push_back({*command_line.preview, &png});
    }
    if (!commit_files(files)) return 1;
    return 0;
}

}  // namespace pixcell
