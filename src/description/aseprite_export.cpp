#include "description/aseprite_export.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "common/messages/export.h"
#include "description/actions.h"
#include "description/export_names.h"
#include "description/json_reading.h"

namespace pixcell {

namespace {

namespace problem_text = messages::export_problem;

// Exports nest seven deep (the export, meta, slices, a slice, its keys, a
// key, its pivot): anything much deeper is no export, and is refused while
// it is read.
constexpr int kMostDepth = 32;
constexpr std::int64_t kMostSize = 65535;        // pixels of a frame's side, a canvas's side, milliseconds
constexpr std::int64_t kMostPosition = 1 << 24;  // pixels from a sheet's or canvas's corner
constexpr std::int64_t kMostTagFrames = 65535;   // entries of the animation table, and the sprites it names

// The folder a path lies in, with its separator: "" for a bare name.
std::string folder_of(const std::string& path) {
    std::size_t end = path.rfind('/');
    if (end == std::string::npos) end = path.rfind('\\');
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

bool is_absolute(const std::string& path) {
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
    return drive || (!path.empty() && (path[0] == '/' || path[0] == '\\'));
}

// A frame as the export lists it: its name and its value.
struct ListedFrame {
    std::string name;
    const Json* value;
};

std::vector<ListedFrame> listed_frames(const Json& root, JsonReading& reading) {
    std::vector<ListedFrame> frames;
    const Json* listed = reading.member(root, "the export", "frames");
    if (listed == nullptr) return frames;
    if (listed->is_object()) {
        for (const auto& item : listed->items()) frames.push_back({item.key(), &item.value()});
        return frames;
    }
    if (!listed->is_array()) {
        reading.fail(problem_text::not_list("frames"));
        return frames;
    }
    for (const Json& frame : *listed) {
        const std::string where = "frames[" + std::to_string(frames.size()) + "]";
        if (!frame.is_object()) {
            reading.fail(problem_text::not_object(where));
            return frames;
        }
        const std::optional<std::string> name = reading.text(frame, where, "filename");
        if (!name) return frames;
        frames.push_back({*name, &frame});
    }
    return frames;
}

// A key of a slice: from its frame on (until the slice's next key) the
// slice has its bounds, and perhaps a pivot.
struct SliceKey {
    std::int32_t frame;
    std::int32_t x, y;  // bounds x, y plus the pivot
    bool pivot;
};
using Pivot = std::optional<std::pair<std::int32_t, std::int32_t>>;

std::vector<std::vector<SliceKey>> read_slices(const Json& meta, JsonReading& reading) {
    std::vector<std::vector<SliceKey>> slices;
    const auto listed = meta.find("slices");
    if (listed == meta.end()) return slices;
    if (!listed->is_array()) {
        reading.fail(problem_text::not_list("meta.slices"));
        return slices;
    }
    for (const Json& slice : *listed) {
        const std::string where = "meta.slices[" + std::to_string(slices.size()) + "]";
        if (!slice.is_object()) {
            reading.fail(problem_text::not_object(where));
            return slices;
        }
        const Json* keys = reading.member(slice, where, "keys");
        if (keys != nullptr && !keys->is_array()) reading.fail(problem_text::not_list(where + ".keys"));
        if (reading.failed()) return slices;
        std::vector<SliceKey>& read = slices.emplace_back();
        for (const Json& key : *keys) {
            const std::string key_where = where + ".keys[" + std::to_string(read.size()) + "]";
            if (!key.is_object()) {
                reading.fail(problem_text::not_object(key_where));
                return slices;
            }
            SliceKey made{reading.whole(key, key_where, "frame", 0, std::numeric_limits<std::int32_t>::max()), 0, 0,
                          false};
            if (key.contains("pivot")) {
                const Json* bounds = reading.object(key, key_where, "bounds");
                const Json* pivot = reading.object(key, key_where, "pivot");
                if (reading.failed()) return slices;
                made.x = reading.whole(*bounds, key_where + ".bounds", "x", -kMostPosition, kMostPosition) +
                         reading.whole(*pivot, key_where + ".pivot", "x", -kMostPosition, kMostPosition);
                made.y = reading.whole(*bounds, key_where + ".bounds", "y", -kMostPosition, kMostPosition) +
                         reading.whole(*pivot, key_where + ".pivot", "y", -kMostPosition, kMostPosition);
                made.pivot = true;
            }
            if (reading.failed()) return slices;
            read.push_back(made);
        }
    }
    return slices;
}

// Each frame's pivot: that of the first slice whose key for the frame (the
// one with the highest frame not after it) has one. Each slice's keys with
// a pivot cover a run of frames; a frame goes to the first slice to cover
// it, and frames already given are skipped, so that an export of many
// slices and frames takes time in proportion to their keys and frames.
std::vector<Pivot> frame_pivots(std::vector<std::vector<SliceKey>> slices, std::size_t frames) {
    std::vector<Pivot> pivots(frames);
    std::vector<std::size_t> next_free(frames + 1);
    for (std::size_t f = 0; f <= frames; ++f) next_free[f] = f;
    const auto free_from = [&](std::size_t f) {
        std::size_t root = f;
        while (next_free[root] != root) root = next_free[root];
        while (next_free[f] != root) f = std::exchange(next_free[f], root);
        return root;
    };
    for (std::vector<SliceKey>& keys : slices) {
        // Of two keys of one frame, the later in the file counts.
        std::stable_sort(keys.begin(), keys.end(),
                         [](const SliceKey& a, const SliceKey& b) { return a.frame < b.frame; });
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (!keys[k].pivot) continue;
            const std::size_t first = std::min<std::size_t>(static_cast<std::size_t>(keys[k].frame), frames);
            const std::size_t end = k + 1 < keys.size()
                                        ? std::min<std::size_t>(static_cast<std::size_t>(keys[k + 1].frame), frames)
                                        : frames;
            for (std::size_t f = free_from(first); f < end; f = free_from(f)) {
                pivots[f] = std::make_pair(keys[k].x, keys[k].y);
                next_free[f] = f + 1;
            }
        }
    }
    return pivots;
}

// One frame: one sprite of one part, reading nothing beyond the frame.
// `canvas`: the frame's sourceSize, the size of the file it came from.
void read_frame(const ListedFrame& listed, std::size_t index, const Pivot& pivot, AsepriteExport& exported,
                std::pair<std::int32_t, std::int32_t>& canvas_size, JsonReading& reading) {
    const std::string where = "frames[" + std::to_string(index) + "]";
    const Json& frame = *listed.value;
    if (!frame.is_object()) {
        reading.fail(problem_text::not_object(where));
        return;
    }
    const auto rotated = frame.find("rotated");
    if (rotated != frame.end() && *rotated == true) {
        reading.fail(problem_text::rotated(where));
        return;
    }
    const Json* place = reading.object(frame, where, "frame");
    const Json* trimmed = reading.object(frame, where, "spriteSourceSize");
    const Json* canvas = reading.object(frame, where, "sourceSize");
    if (reading.failed()) return;
    SpritePart part;
    part.x = reading.whole(*place, where + ".frame", "x", 0, std::numeric_limits<std::int32_t>::max());
    part.y = reading.whole(*place, where + ".frame", "y", 0, std::numeric_limits<std::int32_t>::max());
    part.own_width = reading.whole(*place, where + ".frame", "w", 0, kMostSize);
    part.own_height = reading.whole(*place, where + ".frame", "h", 0, kMostSize);
    const std::int32_t left = reading.whole(*trimmed, where + ".spriteSourceSize", "x", 0, kMostSize);
    const std::int32_t top = reading.whole(*trimmed, where + ".spriteSourceSize", "y", 0, kMostSize);
    canvas_size.first = reading.whole(*canvas, where + ".sourceSize", "w", 0, kMostSize);
    canvas_size.second = reading.whole(*canvas, where + ".sourceSize", "h", 0, kMostSize);
    const std::int32_t duration = reading.whole(frame, where, "duration", 0, kMostSize);
    if (reading.failed()) return;
    part.width = round_size(part.own_width);
    part.height = round_size(part.own_height);
    // The origin is a point of the canvas; the part's own pixels lie at
    // spriteSourceSize in it, so trimmed frames keep their place.
    part.dx = (pivot ? pivot->first : 0) - left;
    part.dy = (pivot ? pivot->second : 0) - top;
    part.clipped = true;
    exported.sprites.push_back({std::string(), exported.sheet, {part}, 0});
    exported.animations.durations.push_back(duration);
}

AnimationDirection direction_named(const std::string& name, bool& known) {
    known = true;
    if (name == "forward") return AnimationDirection::forward;
    if (name == "reverse") return AnimationDirection::reverse;
    if (name == "pingpong") return AnimationDirection::pingpong;
    if (name == "pingpong_reverse") return AnimationDirection::pingpong_reverse;
    known = false;
    return AnimationDirection::forward;
}

// The tag's repeat count, which the art program writes as a string of digits.
std::int32_t repeat_of(const Json& tag, const std::string& where, JsonReading& reading) {
    const auto repeat = tag.find("repeat");
    if (repeat == tag.end()) return 0;
    if (repeat->is_number()) return reading.whole(tag, where, "repeat", 0, kMostSize);
    const std::string digits = repeat->is_string() ? repeat->get<std::string>() : std::string();
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos ||
        std::stol(digits) > kMostSize) {
        reading.fail(problem_text::not_repeat(where + ".repeat"));
        return 0;
    }
    return static_cast<std::int32_t>(std::stol(digits));
}

void read_tags(const Json& meta, std::size_t frames, Animations& animations, JsonReading& reading) {
    const auto listed = meta.find("frameTags");
    if (listed == meta.end()) return;
    if (!listed->is_array()) {
        reading.fail(problem_text::not_list("meta.frameTags"));
        return;
    }
    std::int64_t tag_frames = 0;
    for (const Json& tag : *listed) {
        const std::string where = "meta.frameTags[" + std::to_string(animations.tags.size()) + "]";
        if (!tag.is_object()) {
            reading.fail(problem_text::not_object(where));
            return;
        }
        AnimationTag made;
        const std::optional<std::string> name = reading.text(tag, where, "name");
        made.from = reading.whole(tag, where, "from", 0, std::numeric_limits<std::int32_t>::max());
        made.to = reading.whole(tag, where, "to", 0, std::numeric_limits<std::int32_t>::max());
        const std::optional<std::string> direction = reading.text(tag, where, "direction");
        made.repeat = repeat_of(tag, where, reading);
        if (reading.failed()) return;
        made.name = *name;
        bool known = false;
        made.direction = direction_named(*direction, known);
        if (!known) {
            reading.fail(problem_text::unknown_direction(where + ".direction", *direction));
            return;
        }
        if (made.from > made.to || static_cast<std::size_t>(made.to) >= frames) {
            reading.fail(problem_text::tag_range(where, made.from, made.to, frames));
            return;
        }
        if (made.to > kMostTagFrames) {
            reading.fail(problem_text::tag_frame_too_high(where, made.to, kMostTagFrames));
            return;
        }
        tag_frames += made.to - made.from + 1;
        if (tag_frames > kMostTagFrames) {
            reading.fail(problem_text::tag_frames_too_many(tag_frames, kMostTagFrames));
            return;
        }
        animations.tags.push_back(std::move(made));
    }
}

// Tags count from their own file's first frame, which the JSON doesn't say.
void refuse_several_files(const std::vector<ListedFrame>& frames, JsonReading& reading) {
    std::optional<std::string> first;
    for (const ListedFrame& frame : frames) {
        const std::optional<std::string> title = frame_file_title(frame.name);
        if (!title) continue;
        if (!first) first = title;
        if (*title != *first) {
            reading.fail(problem_text::several_files(*first, *title));
            return;
        }
    }
}

}  // namespace

bool is_export_name(const std::string& path) {
    return path.size() > 5 && path.compare(path.size() - 5, 5, ".json") == 0;
}

std::optional<AsepriteExport> read_aseprite_export(const std::string& path, const std::string& text,
                                                   std::string& problem) {
    problem.clear();
    const std::optional<Json> parsed = parse_json(text, kMostDepth, problem);
    if (!parsed) return std::nullopt;
    const Json& root = *parsed;
    JsonReading reading(problem);
    if (!root.is_object()) {
        reading.fail(problem_text::not_object("the export"));
        return std::nullopt;
    }
    const Json* meta = reading.object(root, "the export", "meta");
    // The art program leaves "image" out when no sheet is saved with the JSON.
    if (meta && meta->is_object() && meta->find("image") == meta->end()) {
        reading.fail(problem_text::no_image());
        return std::nullopt;
    }
    const std::optional<std::string> image = meta ? reading.text(*meta, "meta", "image") : std::nullopt;
    if (reading.failed()) return std::nullopt;
    if (is_absolute(*image)) {
        reading.fail(problem_text::absolute_image(*image));
        return std::nullopt;
    }
    AsepriteExport exported;
    exported.image = *image;
    exported.sheet = folder_of(path) + *image;
    const std::vector<ListedFrame> frames = listed_frames(root, reading);
    const std::vector<Pivot> pivots = frame_pivots(read_slices(*meta, reading), frames.size());
    read_tags(*meta, frames.size(), exported.animations, reading);
    if (!exported.animations.tags.empty()) refuse_several_files(frames, reading);
    if (reading.failed()) return std::nullopt;
    UniqueNames names;
    std::pair<std::int32_t, std::int32_t> first_canvas, canvas;
    for (std::size_t i = 0; i < frames.size() && !reading.failed(); ++i) {
        read_frame(frames[i], i, pivots[i], exported, canvas, reading);
        if (reading.failed()) break;
        exported.sprites.back().name = names.take(frame_sprite_name(frames[i].name, i));
        // Frames of files named otherwise than by default still tell their
        // files apart by their canvases.
        if (i == 0) first_canvas = canvas;
        if (canvas != first_canvas && !exported.animations.tags.empty()) {
            reading.fail(
                problem_text::several_canvases(first_canvas.first, first_canvas.second, canvas.first, canvas.second));
        }
    }
    if (reading.failed()) return std::nullopt;
    return exported;
}

void check_export_names(const AsepriteExport& exported, std::vector<GeneratedName> generated,
                        Diagnostics& diagnostics) {
    NameBook names;
    names.generated = std::move(generated);
    for (const SpriteObject& sprite : exported.sprites) check_sprite_name(sprite.name, 0, names, diagnostics);
}

std::optional<std::string> frame_off_sheet(const AsepriteExport& exported, std::int64_t sheet_width,
                                           std::int64_t sheet_height) {
    for (std::size_t i = 0; i < exported.sprites.size(); ++i) {
        const SpritePart& part = exported.sprites[i].parts.front();
        if (std::int64_t{part.x} + part.own_width > sheet_width ||
            std::int64_t{part.y} + part.own_height > sheet_height) {
            return problem_text::frame_off_sheet("frames[" + std::to_string(i) + "]", part.x, part.y, part.own_width,
                                                 part.own_height, exported.image, sheet_width, sheet_height);
        }
    }
    return std::nullopt;
}

}  // namespace pixcell
