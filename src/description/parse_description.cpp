#include "description/parse_description.h"

#include <cstring>

#include "description/actions.h"
#include "description/grammar.h"

namespace pixcell {

namespace {

// Hands the grammar's matches to the actions.
struct ActionSink {
    ReaderContext* ctx;

    void bitmap(const char* first, const char* last) { act_bitmap(*ctx, std::string(first, last)); }
    void name(const char* first, const char* last) { act_name(ctx->state, std::string(first, last)); }
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

}  // namespace

bool parse_description(const std::string& text, ReaderContext& ctx) {
    const char* first = text.data();
    const char* nul = static_cast<const char*>(std::memchr(first, '\0', text.size()));
    const char* last = nul ? nul : first + text.size();
    ActionSink sink{&ctx};
    return parse_with(first, last, sink);
}

Description parse_description(const std::string& text, SheetStore& sheets) {
    Description description;
    ParseState state;
    ReaderContext ctx{state, sheets, description.sprites};
    description.matched = parse_description(text, ctx);
    return description;
}

}  // namespace pixcell
