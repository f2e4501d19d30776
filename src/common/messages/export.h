// The messages of an art program's export (a .json input): why it can't be
// used, each the reason after "Can't use file NAME: ", and the one line that
// says so.
#pragma once

#include <cstdint>
#include <string>

namespace pixcell::messages {

void cant_use_export(const std::string& path, const std::string& reason);

namespace export_problem {
// `where` names a value by its path in the JSON, as frames[3].frame.w.
std::string not_json(std::int64_t line, std::int64_t column, const std::string& detail);
std::string nested_too_deep(int most);
std::string missing(const std::string& where, const std::string& field);
std::string not_object(const std::string& where);
std::string not_list(const std::string& where);
std::string not_text(const std::string& where);
std::string not_whole_number(const std::string& where, std::int64_t lowest, std::int64_t highest);
std::string not_repeat(const std::string& where);
std::string frame_name_not_text(std::size_t frame);
std::string rotated(const std::string& where);
std::string absolute_image(const std::string& image);
std::string unknown_direction(const std::string& where, const std::string& direction);
std::string tag_range(const std::string& where, std::int64_t from, std::int64_t to, std::size_t frames);
std::string tag_frames_too_many(std::int64_t frames, std::int64_t most);
std::string tag_frame_too_high(const std::string& where, std::int64_t to, std::int64_t most);
std::string several_files(const std::string& first, const std::string& other);
// One file of the art program has one canvas size.
std::string several_canvases(std::int32_t width, std::int32_t height, std::int32_t other_width,
                             std::int32_t other_height);
std::string no_image();
std::string frame_off_sheet(const std::string& where, std::int32_t x, std::int32_t y, std::int32_t width,
                            std::int32_t height, const std::string& sheet, std::int64_t sheet_width,
                            std::int64_t sheet_height);
}  // namespace export_problem

}  // namespace pixcell::messages
