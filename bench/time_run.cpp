// pixcell_bench_time RESULTS COMMAND [ARGS...]: runs COMMAND (standard
// streams inherited) and appends one line to RESULTS:
//   <wall seconds> <user+system CPU seconds> <peak resident KiB> <exit status>
// Timing from here rather than from /usr/bin/time: its wall clock has only
// 10 ms steps, too coarse for the smallest sheets.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

namespace {

double seconds(const timespec& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9; }

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("Usage: pixcell_bench_time RESULTS COMMAND [ARGS...]\n", stderr);
        return 2;
    }
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    if (child == 0) {
        execvp(argv[2], argv + 2);
        std::perror(argv[2]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    pid_t waited;
    do {
        waited = wait4(child, &status, 0, &usage);
    } while (waited < 0 && errno == EINTR);
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &end);
    if (waited < 0) {
        std::perror("wait4");
        return 2;
    }
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);

    std::FILE* results = std::fopen(argv[1], "a");
    if (results == nullptr) {
        std::perror(argv[1]);
        return 2;
    }
    // ru_maxrss is in KiB on Linux.
    std::fprintf(results, "%.6f %.6f %ld %d\n", seconds(end) - seconds(start),
                 seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_maxrss, code);
    return std::fclose(results) == 0 ? code : 2;
}
