#include "driver/run.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cells/console_limits.h"
#include "cells/convert.h"
#include "cells/row_warnings.h"
#include "colours/index_sheets.h"
#include "common/console.h"
#include "common/diagnostics.h"
#include "common/error_stream.h"
#include "common/messages.h"
#include "common/side_by_side.h"
#include "compress/tile_arrays.h"
#include "description/aseprite_export.h"
#include "description/parse_description.h"
#include "driver/argument_checks.h"
#include "driver/command_line.h"
#include "driver/convert_and_render.h"
#include "driver/listing.h"
#include "driver/option_values.h"
#include "driver/read_description.h"
#include "objects/block_limits.h"
#include "objects/cover_sprites.h"
#include "output/counts_text.h"
#include "output/extra_outputs.h"
#include "output/render_texts.h"
#include "sheets/sheet_store.h"

namespace pixcell {

namespace {

// The option lines of --help, from the one list of options.
std::string option_lines() {
    constexpr std::size_t kColumn = 18;  // where the explanations start
    std::string lines;
    for (OptionDoc option : option_docs()) {
        option.synopsis.resize(std::max(option.synopsis.size() + 1, kColumn), ' ');
        lines += "  " + option.synopsis + option.help + "\n";
    }
    return lines;
}

// The option given without the value it needs, if any: its error text.
std::optional<std::string> missing_value(const CommandLine& command_line) {
    for (const OptionInfo& option : known_options()) {
        for (const std::string& refused : command_line.refused) {
            if (refused == option.name) {
                return messages::option_needs_value(option.name, option.value_name, option.bare_value != nullptr);
            }
        }
    }
    return std::nullopt;
}

// A value option that names a file the run reads (the description, every
// sheet it names, loaded or not) or writes: the error text. The sheets are
// looked up in a reading of their own, so the refusal comes before anything
// is loaded or said.
std::optional<std::string> refused_value(const CommandLine& command_line, const OutputNames& names,
                                         const std::optional<std::string>& text, const AsepriteExport* exported) {
    const bool animations = exported != nullptr && !exported->animations.tags.empty();
    const std::vector<std::pair<std::string, std::string>> values =
        named_outputs(extra_requests(command_line, animations));
    const std::vector<std::pair<std::string, std::string>> read = read_values(command_line);
    if (values.empty() && read.empty()) return std::nullopt;
    std::vector<std::string> inputs{*command_line.input};
    if (exported) {
        inputs.push_back(exported->sheet);
    } else if (text) {
        for (std::string& sheet : sheet_names(*text)) inputs.push_back(std::move(sheet));
    }
    // A value is one of the files written: the others are what it may not name.
    std::vector<std::string> outputs = written_files(command_line, names, animations);
    for (const auto& named : values) {
        const auto written = std::find(outputs.begin(), outputs.end(), named.second);
        if (written != outputs.end()) outputs.erase(written);
    }
    if (std::optional<std::string> refusal = refuse_values(values, inputs, outputs)) return refusal;
    // A file read besides the sheets may be any but one the run writes.
    return refuse_values(read, {}, written_files(command_line, names, animations));
}

// An export in place of a description: its sprite list, its sheet loaded
// (which says its own failure). False, with the reason said, when a frame
// reaches past the sheet.
bool read_exported_sprites(const std::string& input, const AsepriteExport& exported, const std::string& ident_base,
                           SheetStore& sheets, Description& description, Diagnostics& diagnostics) {
    description.matched = true;
    description.sprites = exported.sprites;
    check_export_names(exported, declared_identifiers(ident_base), diagnostics);
    if (!sheets.load(exported.sheet)) return true;
    const std::optional<std::string> problem =
        frame_off_sheet(exported, sheets.width(exported.sheet), sheets.height(exported.sheet));
    if (problem) messages::cant_use_export(input, *problem);
    return !problem;
}

// The run from reading the description on: the sheets, the conversion and
// the files. With its sheets decoded `alongside`, it may find that one of
// them fails only after it went on: it then says nothing and sets
// `start_again`. `diagnostics` is a copy, so that a second start counts
// afresh what the command line was warned about.
int convert_description(const CommandLine& command_line, const OutputNames& names, const std::string& text,
                        const AsepriteExport* exported, const ColourOptions& colours, const ChainStart& start,
                        bool loaded, Diagnostics diagnostics, Decoding decoding, bool& start_again) {
    // The description, into the sprite list; sheets load as their lines are
    // read, each reporting its own failure.
    std::optional<HeldErrorStream> held;
    if (decoding == Decoding::alongside) held.emplace();
    SheetStore sheets(TrueColourSheets::loaded, decoding);
    // Whether the sheets decoded alongside were all fine: then what was held
    // back is said; if not, it is dropped and the run starts again.
    const auto stands = [&] {
        if (!held) return true;
        if (!sheets.finish_decoding().empty()) {
            held->drop();
            start_again = true;
            return false;
        }
        held->release();
        return true;
    };
    Description description;
    if (!exported) {
        description = parse_description(text, sheets, &diagnostics, declared_identifiers(names.ident_base),
                                        command_line.objects.has_value() || command_line.stream);
    } else if (!read_exported_sprites(*command_line.input, *exported, names.ident_base, sheets, description,
                                      diagnostics)) {
        stands();
        return 1;
    }
    // A description that doesn't match still gives its (empty) outputs.
    if (!description.matched) messages::illegal_input();
    warn_where_reading_stopped(description, diagnostics);
    const int status = loaded && sheets.failed_loads() == 0 ? 0 : 1;
    // With --werror a warning or an illegal description fails the run, but the
    // listing is still printed.
    const auto failed_for_warnings = [&]() {
        return command_line.werror && (diagnostics.warnings() > 0 || !description.matched);
    };
    if (command_line.debug_listing) {
        print_listing(stdout, description.sprites, sheets,
                      exported ? exported->sheet.substr(0, exported->sheet.size() - exported->image.size()) : "");
        return failed_for_warnings() ? 1 : status;
    }
    if (status != 0) return stands() ? status : 1;  // no files when a sheet failed

    // True-colour sheets become indexed, now that the sprites are known.
    if (!index_true_colour_sheets(description.sprites, sheets, colours, description.sheet_lines, diagnostics)) {
        stands();
        return 1;
    }

    // The conversion, and what it is warned about; with --objects the parts
    // are covered with objects beside it, their pictures stored once it is done.
    const Animations* animations = exported ? &exported->animations : nullptr;
    const ExtraRequests requests = extra_requests(command_line, animations && !animations->tags.empty());
    ConvertedTexts converted;
    std::optional<CoveredParts> covered;
    if (requests.objects) {
        const std::vector<std::size_t> listed = converted_sprites(description.sprites, sheets);
        side_by_side([&] { converted = convert_and_render(description.sprites, sheets, names.ident_base); },
                     [&] { covered = cover_parts(description.sprites, listed, sheets, *requests.objects); });
    } else {
        converted = convert_and_render(description.sprites, sheets, names.ident_base);
    }
    const Conversion& conversion = converted.conversion;
    if (!stands()) return 1;
    if (colours.first_row &&
        !rows_in_console(conversion, description.sprites, sheets, colours.rows_option, diagnostics)) {
        return 1;
    }
    for (const std::size_t skipped : conversion.skipped) {
        const SpriteObject& sprite = description.sprites[skipped];
        messages::sprite_skipped(sprite.bitmap, sprite.name);
    }
    // Streamed, what must fit the console is each frame: its block and its
    // objects, warned about once they are stored.
    if (!requests.stream) warn_about_limits(conversion, description.sprites, diagnostics);
    warn_about_rows(conversion, description.sprites, sheets, description.sheet_lines, diagnostics);
    // The five files are written (not yet put in place) while the objects'
    // pictures are stored.
    std::vector<OutputFile> files = output_files(converted.texts, names.file_base);
    FileCommit commit;
    std::optional<ObjectConversion> objects;
    // With --compress, each tile array is compressed on the thread that
    // doesn't make it, beside the files and the objects' store; streamed
    // objects a sprite's block at a time.
    std::optional<CompressedArray> cells_packed, objects_packed;
    CompressedTiles compressed;
    bool objects_fit = true;
    const auto compress_cells = [&] {
        if (requests.compress)
            cells_packed = compress_array("_chr_cmp", cell_bytes(conversion.cells), *requests.compress);
    };
    const auto compress_objects = [&] {
        if (!requests.compress) return;
        if (!objects->stream) {
            objects_packed = compress_array("_obj_tiles_cmp", tile_bytes(objects->tiles), *requests.compress);
            objects_fit = objects_packed.has_value();
            return;
        }
        std::vector<TileBlock> blocks;
        for (const SpriteBlock& block : objects->stream->blocks) blocks.push_back({block.first_tile, block.tiles});
        objects_fit = compress_blocks(objects->tiles, blocks, *requests.compress, compressed);
    };
    if (covered) {
        side_by_side(
            [&] {
                commit.write(files);
                compress_cells();
            },
            [&] {
                objects = store_objects(std::move(*covered), conversion, requests.stream);
                compress_objects();
            });
    } else if (requests.compress) {
        side_by_side([&] { commit.write(files); }, compress_cells);
    } else {
        commit.write(files);
    }
    if (objects && objects->stream) warn_about_blocks(*objects, conversion, description.sprites, diagnostics);
    if (requests.compress) {
        if (!cells_packed || !objects_fit) {
            const bool cells_fit = cells_packed.has_value();
            messages::too_large_to_compress(
                names.ident_base +
                    (cells_fit ? (objects->stream ? "_sprite_tiles_cmp" : "_obj_tiles_cmp") : "_chr_cmp"),
                static_cast<std::int64_t>(cells_fit ? objects->tiles.size() * kTileBytes
                                                    : conversion.cells.size() * kCellBytes),
                kMostUnpackedBytes);
            return 1;
        }
        compressed.arrays.push_back(std::move(*cells_packed));
        if (objects_packed) compressed.arrays.push_back(std::move(*objects_packed));
    }
    // The files beyond the five, made before the verdict on the warnings,
    // since making them may warn.
    std::vector<std::string> inputs{*command_line.input};
    if (command_line.palette_from) inputs.push_back(*command_line.palette_from);
    if (command_line.after) inputs.push_back(*command_line.after);
    for (std::size_t i = 0; i < sheets.count(); ++i) inputs.push_back(sheets.name(static_cast<std::int32_t>(i)));
    const RunResults results{description.sprites,
                             conversion,
                             sheets,
                             names.ident_base,
                             std::move(inputs),
                             objects ? &*objects : nullptr,
                             animations,
                             requests.compress ? &compressed : nullptr,
                             start};
    if (command_line.after) {
        const std::int64_t end = start.first_tile + kept_tiles(conversion, results.objects);
        if (end > static_cast<std::int64_t>(kTilesInSpriteTileMemory)) {
            diagnostics.warning(messages::warn::tiles_past_memory(names.ident_base + "_END_TILE", end,
                                                                  static_cast<std::int64_t>(kTilesInSpriteTileMemory)));
        }
    }
    const std::size_t five = files.size();
    std::deque<FileText> extra_texts;
    if (!make_extra_files(results, requests, names.file_base, diagnostics, extra_texts, files)) {
        return 1;
    }
    if (failed_for_warnings()) {
        diagnostics.note(messages::warn::failed_for_warnings());
        return 1;
    }

    commit.write(std::vector<OutputFile>(files.begin() + static_cast<std::ptrdiff_t>(five), files.end()));
    std::size_t failed = 0;
    if (!commit.commit(&failed)) {
        note_missing_folder(files[failed].name, diagnostics);
        return 1;
    }
    // The summary is of files written: a run that fails says none.
    if (command_line.stats) {
        const ConversionCounts& counts = conversion.counts;
        messages::conversion_summary(static_cast<std::int64_t>(conversion.sprites.size()), counts.parts, counts.cells,
                                     counts.cells - static_cast<std::int64_t>(conversion.placed.size()),
                                     conversion.cells.size(), counts.mirrored);
        for (const CompressedArray& array : compressed.arrays) {
            messages::compressed_summary(names.ident_base + array.suffix, format_name(array.packed),
                                         static_cast<std::int64_t>(array.packed.size),
                                         static_cast<std::int64_t>(array.unpacked));
        }
        if (!compressed.sprite_blocks.empty()) {
            const CompressedArray blocks = blocks_summed(compressed);
            messages::compressed_summary(names.ident_base + blocks.suffix, blocks_format_names(compressed),
                                         static_cast<std::int64_t>(blocks.packed.size),
                                         static_cast<std::int64_t>(blocks.unpacked));
        }
    }
    return 0;
}

}  // namespace

int run(int argc, const char* const* argv) {
    // A file size limit must fail the write, which we report, rather than
    // kill the run halfway.
    std::signal(SIGXFSZ, SIG_IGN);

    // The command line.
    const CommandLine command_line = parse_command_line(argc, argv);
    if (command_line.help) {
        messages::help(option_lines());
        return 0;
    }
    if (command_line.version) {
        messages::version(PIXCELL_VERSION);
        return 0;
    }
    if (const std::optional<std::string> refusal = missing_value(command_line)) {
        messages::option_error(*refusal);
        return 1;
    }
    Diagnostics diagnostics(!command_line.no_warnings);
    if (!command_line.input) {
        warn_about_arguments(command_line, {}, diagnostics);
        messages::usage();
        diagnostics.note(messages::warn::see_help());
        return 1;
    }
    const OutputNames names = output_names(command_line);
    // An export says whether it has tags, which ask for files of their own.
    const bool is_export = is_export_name(*command_line.input);
    const bool list_only = command_line.list_outputs && !command_line.debug_listing;
    const std::optional<std::string> text = is_export                   ? read_export_text(*command_line.input)
                                            : command_line.list_outputs ? std::nullopt
                                                                        : read_description(*command_line.input);
    std::string export_problem;
    std::optional<AsepriteExport> exported;
    if (is_export && text) exported = read_aseprite_export(*command_line.input, *text, export_problem);
    if (command_line.list_outputs && (!is_export || !list_only || exported)) {
        // A listing run writes nothing.
        const bool animations = exported && !exported->animations.tags.empty();
        messages::list_files(list_only ? written_files(command_line, names, animations) : std::vector<std::string>{});
        return 0;
    }
    if (const std::optional<std::string> refusal =
            refused_value(command_line, names, text, exported ? &*exported : nullptr)) {
        messages::option_error(*refusal);
        return 1;
    }
    ColourOptions colours;
    ChainStart start;
    if (!read_option_values(command_line, colours, start)) return 1;
    warn_about_arguments(command_line, names, diagnostics);
    if (!text) {
        messages::cant_open_input(*command_line.input);
        return 1;
    }
    if (is_export && !exported) {
        messages::cant_use_export(*command_line.input, export_problem);
        return 1;
    }
    // A palette file that can't be used fails the run as a sheet does.
    bool loaded = true;
    if (command_line.palette_from) {
        colours.given_rows = read_given_rows(*command_line.palette_from, diagnostics);
        colours.given_rows_file = *command_line.palette_from;
        loaded = colours.given_rows.has_value();
    }

    diagnostics.set_file(*command_line.input);
    // Large PNG sheets are decoded alongside the rest of the run. Should one
    // fail there, the run starts again from the description with every sheet
    // decoded as it loads, which says what a plain run says: so until the
    // decoding is over, what the run says is held back.
    bool start_again = false;
    const Decoding decoding = command_line.debug_listing ? Decoding::at_once : Decoding::alongside;
    const AsepriteExport* export_read = exported ? &*exported : nullptr;
    const int status = convert_description(command_line, names, *text, export_read, colours, start, loaded, diagnostics,
                                           decoding, start_again);
    if (!start_again) return status;
    return convert_description(command_line, names, *text, export_read, colours, start, loaded, diagnostics,
                               Decoding::at_once, start_again);
}

}  // namespace pixcell
