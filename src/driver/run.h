// One run of the converter, from the command line to the exit status.
#pragma once

namespace pixcell {

int run(int argc, const char* const* argv);

}  // namespace pixcell
