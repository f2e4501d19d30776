#include "description/parse_description.h"

#include <cstring>
#include <unordered_set>

#include "common/messages.h"
#include "description/grammar.h"

namespace pixcell {

namespace {

// Hands the grammar's matches to the actions.
struct ActionSink {
    ReaderContext* ctx;

    void bitmap(const char* first, const char* last) {
        ctx->state.bitmap_at = first;
        act_bitmap(*ctx, std::string(first, last));
    }
    void name(const char* first, const char* last) {
        act_name(ctx->state, std::string(first, last));
        ctx->state.entry_at = first;
    }
    void minus(char c) { act_minus(ctx->state, c); }
    void number(std::int32_t value) { act_number(ctx->state, value); }
    void pop_x(const char*, const char*) { act_pop_x(ctx->state); }
    void pop_y(const char*, const char*) { act_pop_y(ctx->state); }
    void size(const char*, const char*) { act_size(ctx->state); }
    void pop_dx(const char*, const char*) { act_pop_dx(ctx->state); }
    void pop_dy(const char*, const char*) { act_pop_dy(ctx->state); }
    void flip(const char* first, const char* last) { act_flip(ctx->state, first, last); }
    void entry_end(const char*, const char*) { act_entry_end(*ctx); }
    void file_end(const char*, const char*) { act_file_end(*ctx); }
};

// Keeps the sheet names and nothing else.
struct SheetNameSink : IgnoringSink {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;

    void bitmap(const char* first, const char* last) {
        std::string name(first, last);
        if (seen.insert(name).second) names.push_back(std::move(name));
    }
};

// The text up to its first NUL.
const char* end_of(const std::string& text) {
    const char* nul = static_cast<const char*>(std::memchr(text.data(), '\0', text.size()));
    return nul ? nul : text.data() + text.size();
}

}  // namespace

bool parse_description(const std::string& text, ReaderContext& ctx) {
    ActionSink sink{&ctx};
    return parse_with(text.data(), end_of(text), sink).matched;
}

Description parse_description(const std::string& text, SheetStore& sheets, Diagnostics* diagnostics,
                              std::vector<GeneratedName> generated, bool exact_objects) {
    const char* first = text.data();
    const char* last = end_of(text);
    Description description;
    ParseState state;
    ReaderContext ctx{state, sheets, description.sprites};
    std::optional<ReaderChecks> checks;
    if (diagnostics != nullptr) {
        checks.emplace(
            ReaderChecks{*diagnostics, LineCounter(first, last), NameBook{std::move(generated), {}, {}}, {}, -1, 0, {}, false, {}});
        checks->exact_objects = exact_objects;
        ctx.checks = &*checks;
    }
    ActionSink sink{&ctx};
    const ParseResult result = parse_with(first, last, sink);
    description.matched = result.matched;
    if (checks) description.sheet_lines = std::move(checks->sheet_lines);
    description.stopped = why_reading_stopped(first, result.matched ? result.stop : first, last);
    if (!result.matched) description.image_kind = image_kind(first, last);
    return description;
}

std::vector<std::string> sheet_names(const std::string& text) {
    SheetNameSink sink;
    parse_with(text.data(), end_of(text), sink);
    return sink.names;
}

void warn_where_reading_stopped(const Description& description, Diagnostics& diagnostics) {
    const std::optional<StopReport>& stopped = description.stopped;
    if (description.matched) {
        if (!stopped) return;
        diagnostics.warning_at(stopped->line,
                               messages::warn::reading_stopped(stopped->excerpt, stopped->lines_not_read));
        diagnostics.note_at(stopped->line, stopped->cause);
        if (stopped->excerpt[0] == '#') diagnostics.note_at(stopped->line, messages::warn::comments_are());
        if (const std::optional<StopReport::FieldsStop>& fields = stopped->fields) {
            diagnostics.note_at(fields->line, fields->column, fields->text);
            if (fields->at_hash) diagnostics.note_at(fields->line, fields->column, messages::warn::comments_are());
            if (const std::optional<StopReport::HexNumber>& hex = fields->hex) {
                diagnostics.note_at(hex->line, hex->column, messages::warn::hex_after_dollar(hex->digits));
            }
        }
        return;
    }
    if (!description.image_kind.empty()) {
        diagnostics.note(messages::warn::input_is_image(description.image_kind));
    } else if (!stopped) {
        diagnostics.note(messages::warn::description_start(""));
    } else {
        diagnostics.note_at(stopped->line, messages::warn::description_start(stopped->excerpt));
        if (stopped->excerpt[0] == '#') diagnostics.note_at(stopped->line, messages::warn::comments_are());
        if (stopped->sheet_line) diagnostics.note_at(stopped->line, stopped->cause);
    }
}

}  // namespace pixcell
