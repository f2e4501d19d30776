#include "sheets/decoding_thread.h"

namespace pixcell {

DecodingThread::~DecodingThread() { finish(); }

void DecodingThread::add(std::string name, std::function<std::string()> decode) {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        queue.emplace_back(std::move(name), std::move(decode));
        if (!thread.joinable()) thread = std::thread([this] { work(); });
    }
    added.notify_one();
}

std::vector<LateFailure> DecodingThread::finish() {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        closed = true;
    }
    added.notify_one();
    if (thread.joinable()) thread.join();
    return std::move(failures);
}

void DecodingThread::work() {
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        added.wait(lock, [&] { return closed || !queue.empty(); });
        if (queue.empty()) return;
        auto [name, decode] = std::move(queue.front());
        queue.pop_front();
        lock.unlock();
        std::string problem = decode();
        lock.lock();
        if (!problem.empty()) failures.push_back({std::move(name), std::move(problem)});
    }
}

}  // namespace pixcell
