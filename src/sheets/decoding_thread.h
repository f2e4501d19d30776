// Decodes sheets on a thread of its own, one after another in the order
// they were loaded, while the run goes on with their rows as they arrive.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace pixcell {

// A sheet whose decoding failed on the thread: its name and why.
struct LateFailure {
    std::string name;
    std::string problem;
};

class DecodingThread {
public:
    DecodingThread() = default;
    ~DecodingThread();
    DecodingThread(const DecodingThread&) = delete;
    DecodingThread& operator=(const DecodingThread&) = delete;

    // `decode` returns why the sheet can't be used, or nothing.
    void add(std::string name, std::function<std::string()> decode);
    // Waits for every decoding added; the ones that failed, in order.
    std::vector<LateFailure> finish();

private:
    void work();

    std::mutex mutex;
    std::condition_variable added;
    std::deque<std::pair<std::string, std::function<std::string()>>> queue;
    std::vector<LateFailure> failures;
    bool closed = false;
    std::thread thread;
};

}  // namespace pixcell
