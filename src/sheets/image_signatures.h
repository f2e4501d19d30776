// The image formats a sheet may not be, told by their first bytes, so that a
// refusal can name what the file is rather than only what it isn't.
#pragma once

#include <string>

#include "sheets/file_bytes.h"

namespace pixcell {

// "a GIF image", "a Photoshop document (PSD)"...: the kind of image file the
// bytes start like, or "" when they are no kind this knows. Only signatures
// that text or other files don't start with by chance are taken.
std::string other_image_format(const FileBytes& bytes);

}  // namespace pixcell
