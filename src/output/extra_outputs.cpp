#include "output/extra_outputs.h"

#include "common/messages.h"
#include "output/animation_texts.h"
#include "output/compressed_texts.h"
#include "output/counts_text.h"
#include "output/dependency_file.h"
#include "output/object_texts.h"
#include "output/palette_texts.h"
#include "output/preview.h"
#include "output/render_texts.h"

namespace pixcell {

namespace {

// The texts as they are: a braced list would copy each, and a tile array's
// text runs to megabytes.
template <typename... Texts>
void move_texts(std::vector<FileText>& texts, Texts&&... made) {
    texts.clear();
    (texts.emplace_back(std::move(made)), ...);
}

bool make_palette(const RunResults& results, const ExtraRequests&, const std::vector<std::string>&,
                  Diagnostics& diagnostics, std::vector<FileText>& texts) {
    PaletteTexts palette =
        render_palettes(results.sheets, results.sprites, results.conversion, results.ident_base, diagnostics);
    move_texts(texts, palette.source, palette.header);
    return true;
}

bool make_counts(const RunResults& results, const ExtraRequests&, const std::vector<std::string>&, Diagnostics&,
                 std::vector<FileText>& texts) {
    move_texts(texts, render_counts(results.conversion, results.ident_base, results.start,
                                    kept_tiles(results.conversion, results.objects), results.compressed));
    return true;
}

bool make_objects(const RunResults& results, const ExtraRequests&, const std::vector<std::string>&, Diagnostics&,
                  std::vector<FileText>& texts) {
    ObjectTexts objects = render_objects(results.sprites, results.conversion, *results.objects, results.ident_base);
    move_texts(texts, objects.tiles, objects.source, objects.header);
    return true;
}

bool make_animations(const RunResults& results, const ExtraRequests&, const std::vector<std::string>&, Diagnostics&,
                     std::vector<FileText>& texts) {
    AnimationTexts animations = render_animations(results.sprites, *results.animations, results.ident_base);
    move_texts(texts, animations.source, animations.header);
    return true;
}

bool make_compressed(const RunResults& results, const ExtraRequests&, const std::vector<std::string>&, Diagnostics&,
                     std::vector<FileText>& texts) {
    CompressedTexts compressed = render_compressed(*results.compressed, results.ident_base);
    move_texts(texts, compressed.source, compressed.header);
    return true;
}

bool make_preview(const RunResults& results, const ExtraRequests& requests, const std::vector<std::string>&,
                  Diagnostics&, std::vector<FileText>& texts) {
    std::string problem;
    const std::optional<Preview> preview =
        draw_preview(results.sprites, results.conversion, results.sheets, problem, results.objects);
    std::string png;
    if (preview && !encode_png(preview->picture, png)) problem = messages::preview_not_encoded();
    if (!problem.empty()) {
        messages::cant_make_preview(*requests.preview, problem);
        return false;
    }
    move_texts(texts, png);
    return true;
}

bool make_rule(const RunResults& results, const ExtraRequests& requests, const std::vector<std::string>& targets,
               Diagnostics&, std::vector<FileText>& texts) {
    const std::optional<DependencyRule> rule = dependency_rule(targets, results.inputs);
    if (!rule) {
        messages::cant_write_file(*requests.deps);
        return false;
    }
    if (const std::optional<UnreadableName> name = name_make_cant_read(*rule)) {
        messages::option_error(messages::option_path_make_cant_read("--deps", *requests.deps, name->name, name->found));
        return false;
    }
    move_texts(texts, render_dependency_file(*rule));
    return true;
}

}  // namespace

const std::vector<ExtraOutput>& extra_outputs() {
    static const std::vector<ExtraOutput> outputs = {
        {"--palette", nullptr, [](const ExtraRequests& r) { return r.palette; },
         [](const ExtraRequests&, const std::string& base) {
             return std::vector<std::string>{base + "_pal.c", base + "_pal.h"};
         },
         make_palette},
        {"--preview", &ExtraRequests::preview, [](const ExtraRequests& r) { return r.preview.has_value(); },
         [](const ExtraRequests& r, const std::string&) { return std::vector<std::string>{*r.preview}; }, make_preview},
        {"--counts", nullptr, [](const ExtraRequests& r) { return r.counts; },
         [](const ExtraRequests&, const std::string& base) { return std::vector<std::string>{base + "_counts.h"}; },
         make_counts},
        {"--objects", nullptr, [](const ExtraRequests& r) { return r.objects.has_value(); },
         [](const ExtraRequests&, const std::string& base) {
             return std::vector<std::string>{base + "_obj_tiles.s", base + "_obj.c", base + "_obj.h"};
         },
         make_objects},
        {nullptr, nullptr, [](const ExtraRequests& r) { return r.animations; },
         [](const ExtraRequests&, const std::string& base) {
             return std::vector<std::string>{base + "_anim.c", base + "_anim.h"};
         },
         make_animations},
        {"--compress", nullptr, [](const ExtraRequests& r) { return r.compress.has_value(); },
         [](const ExtraRequests&, const std::string& base) {
             return std::vector<std::string>{base + "_cmp.s", base + "_cmp.h"};
         },
         make_compressed},
        {"--deps", &ExtraRequests::deps, [](const ExtraRequests& r) { return r.deps.has_value(); },
         [](const ExtraRequests& r, const std::string&) { return std::vector<std::string>{*r.deps}; }, make_rule},
    };
    return outputs;
}

std::vector<std::string> written_paths(const ExtraRequests& requests, const std::string& file_base) {
    std::vector<std::string> paths = output_paths(file_base);
    for (const ExtraOutput& output : extra_outputs()) {
        if (!output.asked(requests)) continue;
        for (std::string& path : output.paths(requests, file_base)) paths.push_back(std::move(path));
    }
    return paths;
}

std::vector<std::pair<std::string, std::string>> named_outputs(const ExtraRequests& requests) {
    std::vector<std::pair<std::string, std::string>> named;
    for (const ExtraOutput& output : extra_outputs()) {
        if (output.named_by != nullptr && output.asked(requests))
            named.emplace_back(output.option, *(requests.*output.named_by));
    }
    return named;
}

bool make_extra_files(const RunResults& results, const ExtraRequests& requests, const std::string& file_base,
                      Diagnostics& diagnostics, std::deque<FileText>& texts, std::vector<OutputFile>& files) {
    for (const ExtraOutput& output : extra_outputs()) {
        if (!output.asked(requests)) continue;
        std::vector<std::string> targets;
        for (const OutputFile& file : files) targets.push_back(file.name);
        std::vector<FileText> made;
        if (!output.make(results, requests, targets, diagnostics, made)) return false;
        const std::vector<std::string> paths = output.paths(requests, file_base);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            texts.push_back(std::move(made[i]));
            const FileText& made_text = texts.back();
            files.push_back({paths[i], &made_text.text, made_text.pieces ? &*made_text.pieces : nullptr});
        }
    }
    return true;
}

}  // namespace pixcell
