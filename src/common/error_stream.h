// Standard error, where every message and warning goes, one whole line at a
// time. A run that may still have to start over (its sheets decoded on a
// thread of their own, which may yet fail) holds back what it says until it
// knows the run stands, so that what is said is what a plain run would say.
#pragma once

#include <string>

namespace pixcell {

// Writes the text, or keeps it while it is held.
void write_error_stream(const std::string& text);

// From its making, what is written is kept; release() writes it out in
// order, drop() forgets it. Going out of scope releases.
class HeldErrorStream {
public:
    HeldErrorStream();
    ~HeldErrorStream();
    HeldErrorStream(const HeldErrorStream&) = delete;
    HeldErrorStream& operator=(const HeldErrorStream&) = delete;

    void release();
    void drop();
};

}  // namespace pixcell
