// The rows of a sheet that another thread is still decoding: how many have
// arrived, counted from the top, and a way to wait for more. A decoder that
// fails still lets every row arrive (as 0), so that no reader waits forever;
// the run then learns of the failure and starts again without it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace pixcell {

class ArrivingRows {
public:
    // Rows [0, rows) are in place; `rows` never goes down.
    void arrive(std::int64_t rows) {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            ready.store(rows, std::memory_order_release);
        }
        more.notify_all();
    }

    // Returns once rows [0, rows) are in place, sleeping meanwhile.
    void wait_for(std::int64_t rows) const {
        if (ready.load(std::memory_order_acquire) >= rows) return;
        std::unique_lock<std::mutex> lock(mutex);
        more.wait(lock, [&] { return ready.load(std::memory_order_acquire) >= rows; });
    }

private:
    std::atomic<std::int64_t> ready{0};
    mutable std::mutex mutex;
    mutable std::condition_variable more;
};

}  // namespace pixcell
