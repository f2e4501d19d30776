#include "driver/run.h"

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
#include "output/render_texts.h"
#include "sheets/sheet_store.h"

namespace pixcell {

namespace {

// The option lines of --help, from the one list of options.
std::string option_lines() {
    std::string lines;
    for (const OptionInfo& option : known_options()) {
        std::string synopsis = option.name;
        if (option.value != nullptr) synopsis += std::string("=") + option.value_name;
        if (synopsis.size() < 16) synopsis.resize(16, ' ');
        lines += "  " + synopsis + "  " + option.help + "\n";
    }
    return lines;
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
    if (failed_for_warnings()) {
        diagnostics.note(messages::warn::failed_for_warnings());
        return 1;
    }
    const GeneratedTexts texts = render_texts(description.sprites, conversion, names.ident_base);
    if (!commit_files(output_files(texts, names.file_base))) return 1;
    return 0;
}

}  // namespace pixcell
