// Reading a JSON document with the library: the parse, refused past a
// depth, and look-ups of the values a reader needs, each failure said with
// the path of the value, as frames[3].frame.w.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "common/messages/export.h"

namespace pixcell {

// Objects keep the file's order.
using Json = nlohmann::ordered_json;

// The document in `text`; nothing, with `problem` set, when it doesn't parse
// ("line L, column C: ...") or nests deeper than `most_depth`.
std::optional<Json> parse_json(const std::string& text, int most_depth, std::string& problem);

// Reading stops at the first problem, which `problem` then holds: every
// look-up below returns nothing from there on.
class JsonReading {
public:
    explicit JsonReading(std::string& problem) : problem(problem) {}

    bool failed() const { return !problem.empty(); }
    bool fail(std::string reason) {
        if (problem.empty()) problem = std::move(reason);
        return false;
    }

    // A member every export writes.
    const Json* member(const Json& object, const std::string& where, const char* field) {
        if (failed()) return nullptr;
        const auto found = object.find(field);
        if (found == object.end()) {
            fail(messages::export_problem::missing(where, field));
            return nullptr;
        }
        return &*found;
    }
    const Json* object(const Json& parent, const std::string& where, const char* field) {
        const Json* value = member(parent, where, field);
        if (value != nullptr && !value->is_object()) {
            fail(messages::export_problem::not_object(where + "." + field));
            return nullptr;
        }
        return value;
    }
    std::optional<std::string> text(const Json& parent, const std::string& where, const char* field) {
        const Json* value = member(parent, where, field);
        if (value == nullptr) return std::nullopt;
        if (!value->is_string()) {
            fail(messages::export_problem::not_text(where + "." + field));
            return std::nullopt;
        }
        return value->get<std::string>();
    }
    // Whole numbers only: a string, a fraction or a number past the range is refused.
    std::int32_t whole(const Json& parent, const std::string& where, const char* field, std::int64_t lowest,
                       std::int64_t highest) {
        const Json* value = member(parent, where, field);
        if (value == nullptr) return 0;
        std::int64_t number = 0;
        if (value->is_number_unsigned()) {
            const std::uint64_t unsigned_number = value->get<std::uint64_t>();
            number = unsigned_number > static_cast<std::uint64_t>(highest) ? highest + 1
                                                                          : static_cast<std::int64_t>(unsigned_number);
        } else if (value->is_number_integer()) {
            number = value->get<std::int64_t>();
        } else {
            number = highest + 1;
        }
        if (number < lowest || number > highest) {
            fail(messages::export_problem::not_whole_number(where + "." + field, lowest, highest));
            return 0;
        }
        return static_cast<std::int32_t>(number);
    }

private:
    std::string& problem;
};

}  // namespace pixcell
