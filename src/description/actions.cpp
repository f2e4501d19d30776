#include "description/actions.h"

#include "common/console.h"
#include "common/messages.h"
#include "common/wrap.h"
#include "description/sheet_notes.h"

namespace pixcell {

namespace {

// The grammar pushes every number right before the field that takes it, so
// the stack is never empty here; 0 keeps a broken caller harmless.
std::int32_t pop(ValueStack& values) {
    if (values.empty()) return 0;
    const std::int32_t value = values.back();
    values.pop_back();
    return value;
}

}  // namespace

std::int32_t round_size(std::int32_t value) {
    if ((value & 0xF) == 0) return value;
    const std::int32_t floor16 = static_cast<std::int32_t>(static_cast<std::uint32_t>(value) & ~0xFu);
    return wrap_add(floor16, value > 0 ? 16 : -16);
}

void act_bitmap(ReaderContext& ctx, const std::string& file_name) {
    ctx.state.bitmap_file = file_name;
    // A sheet that fails is reported by the store; reading goes on.
    const std::size_t loaded = ctx.sheets.count();
    if (!ctx.sheets.load(file_name)) {
        if (ctx.checks != nullptr) {
            note_unloaded_sheet(ctx.checks->diagnostics, ctx.checks->lines.line_of(ctx.state.bitmap_at), file_name);
        }
    } else if (ctx.checks != nullptr && ctx.sheets.count() != loaded) {
        ctx.checks->sheet_lines.push_back(ctx.checks->lines.line_of(ctx.state.bitmap_at));
    }
}

void act_name(ParseState& state, const std::string& name) { state.entry_name = name; }

void act_minus(ParseState& state, char) { state.negate_next = true; }

void act_number(ParseState& state, std::int32_t value) {
    if (state.negate_next) {
        value = wrap_negate(value);
        state.negate_next = false;
    }
    state.values.push_back(value);
}

void act_pop_x(ParseState& state) { state.entry.x = pop(state.values); }
void act_pop_y(ParseState& state) { state.entry.y = pop(state.values); }
void act_pop_dx(ParseState& state) { state.entry.dx = pop(state.values); }
void act_pop_dy(ParseState& state) { state.entry.dy = pop(state.values); }

void act_size(ParseState& state) {
    state.given_height = pop(state.values);
    state.given_width = pop(state.values);
    state.size_given = true;
    state.entry.height = round_size(state.given_height);
    state.entry.width = round_size(state.given_width);
}

// Every character of the range counts, so flip letters inside a comment that
// stands among the letters count too.
void act_flip(ParseState& state, const char* first, const char* last) {
    for (const char* c = first; c != last; ++c) {
        // clang-format off
        switch (*c) {
        case 'n': case 'N': state.entry.flip = 0; break;
        case 'h': case 'H': state.entry.flip |= kFlipHorizontal; break;
        case 'v': case 'V': state.entry.flip |= kFlipVertical; break;
        default: break;
        }
        // clang-format on
    }
}

namespace {

// Warnings about the line just closed: its part is the last of `current`.
void check_entry(ReaderContext& ctx, std::int64_t named_line, bool continuation, bool placed) {
    const ParseState& st = ctx.state;
    Diagnostics& diagnostics = ctx.checks->diagnostics;
    if (continuation && st.current.name.empty()) {
        diagnostics.warning_at(ctx.checks->lines.line_of(st.entry_at), messages::warn::continuation_without_sprite());
        return;
    }
    // The name as a view of the text: the book keeps it for the whole reading.
    if (!continuation) {
        check_sprite_name({st.entry_at, st.entry_name.size()}, named_line, ctx.checks->names, diagnostics);
    }
    ReaderChecks& checks = *ctx.checks;
    if (checks.sheet_name != st.current.bitmap || checks.sheets_loaded != ctx.sheets.count()) {
        checks.sheet_name = st.current.bitmap;
        checks.sheet = ctx.sheets.find(checks.sheet_name);
        checks.sheets_loaded = ctx.sheets.count();
    }
    const std::int32_t given[2] = {st.given_width, st.given_height};
    // With objects a size the cells round is a note, said once for each size:
    // a description of 8x8 pieces gives that size on every line.
    const bool noted = checks.exact_objects && st.size_given && given[0] > 0 && given[1] > 0 &&
                       !checks.sizes_noted.emplace(given[0], given[1]).second;
    check_part(st.current.parts.back(), EntryLine{&checks.lines, st.entry_at},
               st.size_given && !noted ? given : nullptr, checks.sheet_name,
               checks.sheet < 0 ? nullptr : &ctx.sheets.sheet(checks.sheet), placed, checks.exact_objects, diagnostics);
}

}  // namespace

void act_entry_end(ReaderContext& ctx) {
    ParseState& st = ctx.state;
    SpritePart& e = st.entry;
    const SpritePart& prev = st.previous;

    if (e.height == -1) {
        e.width = prev.width;
        e.height = prev.height;
        e.own_width = prev.own_width;
        e.own_height = prev.own_height;
    } else if (st.size_given) {
        e.own_width = st.given_width;
        e.own_height = st.given_height;
    } else {
        e.own_width = e.width;  // the first line's 16x16
        e.own_height = e.height;
    }
    // Only y tells whether the line gave a position: an x left by a size that
    // was first tried as a position is replaced here.
    const bool placed = e.y == -1;
    if (placed) {
        e.x = prev.x;
        e.y = prev.y;
        const std::int32_t sheet_width = ctx.sheets.width(st.bitmap_file);
        const std::int32_t candidate = wrap_add(prev.x, prev.width);
        if (wrap_add(candidate, e.width) <= sheet_width) {
            e.x = candidate;
        } else {
            // The next row starts one previous part's height lower, not the
            // tallest part's of the row.
            e.x = 0;
            e.y = wrap_add(prev.y, prev.height);
        }
    }
    e.dx = wrap_add(e.dx, e.width / 2);
    e.dy = wrap_add(e.dy, e.height / 2);

    const bool continuation = st.entry_name == "+";
    // A sprite keeps the line that named it, for messages after the reading.
    const std::int64_t line = ctx.checks != nullptr && !continuation ? ctx.checks->lines.line_of(st.entry_at) : 0;
    if (continuation) {
        st.current.parts.push_back(e);
    } else {
        if (!st.current.parts.empty()) {
            ctx.list.push_back(st.current);
            st.current.parts.clear();
        }
        st.current.bitmap = st.bitmap_file;
        st.current.name = st.entry_name;
        st.current.line = line;
        st.current.parts.push_back(e);
    }
    if (ctx.checks != nullptr) check_entry(ctx, line, continuation, placed);
    st.previous = e;
    st.entry_name.clear();
    st.entry = kEntryReset;
    st.size_given = false;
}

// An unfinished last line, named or "+", is dropped: its fields were never
// completed. What the closed lines built is kept.
void act_file_end(ReaderContext& ctx) {
    ParseState& st = ctx.state;
    if (!st.current.parts.empty()) {
        ctx.list.push_back(st.current);
        st.current.parts.clear();
    }
}

}  // namespace pixcell
