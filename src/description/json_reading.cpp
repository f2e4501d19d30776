#include "description/json_reading.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace pixcell {

namespace {

struct TooDeep {};

// The line and column of a text's byte, counted from 1.
std::pair<std::int64_t, std::int64_t> line_and_column(const std::string& text, std::size_t at) {
    std::int64_t line = 1;
    std::size_t line_start = 0;
    for (std::size_t i = 0; i < at && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            line_start = i + 1;
        }
    }
    return {line, static_cast<std::int64_t>(at - line_start)};
}

// A number the library reads but can't hold ("1e999") comes without a
// place: it is where that number first stands as a value (after ':', ',',
// '[' or white space, and not followed by more of a number).
std::string overflow_problem(const std::string& text, const std::string& message) {
    const std::size_t open = message.find('\'');
    const std::size_t close = message.rfind('\'');
    if (open == std::string::npos || close <= open + 1) return message;
    const std::string number = message.substr(open + 1, close - open - 1);
    for (std::size_t at = text.find(number); at != std::string::npos; at = text.find(number, at + 1)) {
        const std::size_t end = at + number.size();
        const bool starts = at == 0 || std::strchr(":,[ \t\r\n", text[at - 1]) != nullptr;
        const bool ends = end == text.size() || std::strchr("0123456789.eE+-", text[end]) == nullptr;
        if (starts && ends) {
            const auto [line, column] = line_and_column(text, end);
            return messages::export_problem::not_json(line, column, message);
        }
    }
    return message;
}

// The line and column a parse error gives in its text, and what follows them.
std::string parse_problem(const Json::parse_error& error) {
    const std::string what = error.what();
    const std::size_t at = what.find(" at line ");
    long long line = 0;
    long long column = 0;
    int used = 0;
    if (at != std::string::npos &&
        std::sscanf(what.c_str() + at, " at line %lld, column %lld: %n", &line, &column, &used) == 2 && used > 0) {
        return messages::export_problem::not_json(line, column, what.substr(at + static_cast<std::size_t>(used)));
    }
    const std::size_t detail = what.find("] ");
    return detail == std::string::npos ? what : what.substr(detail + 2);
}

}  // namespace

std::optional<Json> parse_json(const std::string& text, int most_depth, std::string& problem) {
    try {
        // Refused as the parse goes, so that neither it nor the destruction
        // of what it built meets more than most_depth levels.
        return Json::parse(text.begin(), text.end(), [most_depth](int depth, Json::parse_event_t, Json&) {
            if (depth > most_depth) throw TooDeep{};
            return true;
        });
    } catch (const Json::parse_error& error) {
        problem = parse_problem(error);
    } catch (const Json::exception& error) {
        // Only a number too large for a double comes here (out_of_range 406).
        const std::string what = error.what();
        const std::size_t detail = what.find("] ");
        problem = overflow_problem(text, detail == std::string::npos ? what : what.substr(detail + 2));
    } catch (const TooDeep&) {
        problem = messages::export_problem::nested_too_deep(most_depth);
    }
    return std::nullopt;
}

}  // namespace pixcell
