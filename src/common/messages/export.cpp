#include "common/messages/export.h"

#include "common/messages/quoting.h"

namespace pixcell::messages {

using detail::double_quoted;
using detail::print;
using detail::unquoted;

void cant_use_export(const std::string& path, const std::string& reason) {
    print("Can't use file " + path + ": " + reason + "\n");
}

namespace export_problem {

std::string not_json(std::int64_t line, std::int64_t column, const std::string& detail) {
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + detail;
}

std::string nested_too_deep(int most) {
    return "arrays and objects nested more than " + std::to_string(most) +
           " deep, which no export of the art program is";
}

std::string missing(const std::string& where, const std::string& field) {
    return where + " has no " + double_quoted(field) + ", which every export writes";
}

std::string not_object(const std::string& where) { return where + " is not an object ({...})"; }
std::string not_list(const std::string& where) { return where + " is not an array ([...])"; }
std::string not_text(const std::string& where) { return where + " is not a string"; }

std::string not_whole_number(const std::string& where, std::int64_t lowest, std::int64_t highest) {
    return where + " is not a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest);
}

std::string not_repeat(const std::string& where) {
    return where + " is not a count from 0 to 65535 written as digits, as \"3\"";
}

std::string frame_name_not_text(std::size_t frame) {
    return "frames[" + std::to_string(frame) + "].filename is not a string";
}

std::string rotated(const std::string& where) {
    return where + " is rotated, which the console's cells can't show: export the sheet without rotation";
}

std::string absolute_image(const std::string& image) {
    return "meta.image " + double_quoted(image) +
           " is an absolute path: export the sheet with a path relative to the JSON's folder";
}

std::string unknown_direction(const std::string& where, const std::string& direction) {
    return where + " is " + double_quoted(direction) + ": it is one of forward, reverse, pingpong, pingpong_reverse";
}

std::string tag_range(const std::string& where, std::int64_t from, std::int64_t to, std::size_t frames) {
    return where + " runs from frame " + std::to_string(from) + " to " + std::to_string(to) +
           ", not a range of the export's frames 0 to " + std::to_string(static_cast<std::int64_t>(frames) - 1);
}

std::string tag_frames_too_many(std::int64_t frames, std::int64_t most) {
    return "its tags hold " + std::to_string(frames) + " frames in all, more than the " + std::to_string(most) +
           " an animation table can index";
}

std::string tag_frame_too_high(const std::string& where, std::int64_t to, std::int64_t most) {
    return where + " reaches frame " + std::to_string(to) + ", past the " + std::to_string(most) +
           " sprites an animation table can name";
}

std::string no_image() {
    return "meta has no \"image\", so no sheet was exported with it: export the sheet with the JSON (--sheet)";
}

std::string several_canvases(std::int32_t width, std::int32_t height, std::int32_t other_width,
                             std::int32_t other_height) {
    return "its frames come from canvases of " + std::to_string(width) + "x" + std::to_string(height) + " and " +
           std::to_string(other_width) + "x" + std::to_string(other_height) +
           ", so from several files, and it has tags, which count from each file's own first frame: export one file "
           "per JSON";
}

std::string several_files(const std::string& first, const std::string& other) {
    return "its frames come from several files (" + double_quoted(first) + " and " + double_quoted(other) +
           ") and it has tags, which count from each file's own first frame: export one file per JSON";
}

std::string frame_off_sheet(const std::string& where, std::int32_t x, std::int32_t y, std::int32_t width,
                            std::int32_t height, const std::string& sheet, std::int64_t sheet_width,
                            std::int64_t sheet_height) {
    return where + " (" + std::to_string(width) + "x" + std::to_string(height) + " at " + std::to_string(x) + "," +
           std::to_string(y) + ") reaches past the sheet " + unquoted(sheet) + ", which is " +
           std::to_string(sheet_width) + "x" + std::to_string(sheet_height);
}

}  // namespace export_problem

}  // namespace pixcell::messages
