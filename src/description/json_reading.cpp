#include "description/json_reading.h"

#include <algorithm>
#include <vector>

namespace pixcell {

namespace {

// The line and column of the byte before `at` (the last one the parser
// read), counted from 1.
std::pair<std::int64_t, std::int64_t> line_and_column(const std::string& text, std::size_t at) {
    at = std::min(at, text.size());
    std::int64_t line = 1;
    std::size_t line_start = 0;
    for (std::size_t i = 0; i < at; ++i) {
        if (text[i] == '\n') {
            ++line;
            line_start = i + 1;
        }
    }
    return {line, std::max<std::int64_t>(1, static_cast<std::int64_t>(at - line_start))};
}

// What a library error says after its own name and place:
// "[json.exception.parse_error.101] parse error at line 1, column 5: WHAT".
std::string error_detail(const std::string& what) {
    std::size_t start = what.find("] ");
    start = start == std::string::npos ? 0 : start + 2;
    const std::size_t column = what.find(", column ", start);
    const std::size_t after = column == std::string::npos ? std::string::npos : what.find(": ", column);
    return what.substr(after == std::string::npos ? start : after + 2);
}

// Builds the document as the library's own builder does, with two
// differences: nesting past a depth ends the parse, and an object's members
// are appended without looking for an earlier one of the same name (the
// library's lookup is linear in the members, which makes a large object
// quadratic); of two members of one name, find() gives the first.
class DepthLimitedBuilder {
public:
    using number_integer_t = Json::number_integer_t;
    using number_unsigned_t = Json::number_unsigned_t;
    using number_float_t = Json::number_float_t;
    using string_t = Json::string_t;
    using binary_t = Json::binary_t;

    explicit DepthLimitedBuilder(int most_depth) : most_depth(most_depth) {}

    bool null() { return put(Json()) != nullptr; }
    bool boolean(bool value) { return put(Json(value)) != nullptr; }
    bool number_integer(number_integer_t value) { return put(Json(value)) != nullptr; }
    bool number_unsigned(number_unsigned_t value) { return put(Json(value)) != nullptr; }
    bool number_float(number_float_t value, const string_t&) { return put(Json(value)) != nullptr; }
    bool string(string_t& value) { return put(Json(std::move(value))) != nullptr; }
    bool binary(binary_t& value) { return put(Json::binary(std::move(value))) != nullptr; }
    bool start_object(std::size_t) { return open(Json::object()); }
    bool start_array(std::size_t) { return open(Json::array()); }
    bool key(string_t& name) {
        Json::object_t& members = open_values.back()->get_ref<Json::object_t&>();
        members.Container::emplace_back(std::move(name), Json());
        member = &members.back().second;
        return true;
    }
    bool end_object() { return close(); }
    bool end_array() { return close(); }
    bool parse_error(std::size_t position, const std::string&, const Json::exception& error) {
        error_at = position;
        error_text = error_detail(error.what());
        return false;
    }

    Json root;
    bool too_deep = false;
    std::size_t error_at = 0;
    std::string error_text;  // empty: no parse error

private:
    Json* put(Json value) {
        if (open_values.empty()) {
            root = std::move(value);
            return &root;
        }
        Json& parent = *open_values.back();
        if (parent.is_object()) {
            *member = std::move(value);
            return member;
        }
        Json::array_t& elements = parent.get_ref<Json::array_t&>();
        elements.push_back(std::move(value));
        return &elements.back();
    }
    bool open(Json value) {
        if (static_cast<int>(open_values.size()) >= most_depth) {
            too_deep = true;
            return false;
        }
        open_values.push_back(put(std::move(value)));
        return true;
    }
    bool close() {
        open_values.pop_back();
        return true;
    }

    int most_depth;
    std::vector<Json*> open_values;  // the arrays and objects being filled, outermost first
    Json* member = nullptr;          // the value of the member whose name came last
};

}  // namespace

std::optional<Json> parse_json(const std::string& text, int most_depth, std::string& problem) {
    DepthLimitedBuilder builder(most_depth);
    if (Json::sax_parse(text.begin(), text.end(), &builder)) return std::move(builder.root);
    if (builder.too_deep) {
        problem = messages::export_problem::nested_too_deep(most_depth);
    } else {
        const auto [line, column] = line_and_column(text, builder.error_at);
        problem = messages::export_problem::not_json(line, column, builder.error_text);
    }
    return std::nullopt;
}

}  // namespace pixcell
