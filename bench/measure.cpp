// Runs a command several times and prints the median, least and most wall
// time and the median peak resident memory of the process.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Run {
    double seconds;
    long peakKiB;
};

Run RunOnce(char** command)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        // What the command prints is not ours to read.
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        execvp(command[0], command);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const auto stop = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "measure: %s failed\n", command[0]);
        std::exit(1);
    }
    return {std::chrono::duration<double>(stop - start).count(), usage.ru_maxrss};
}

template <class T>
T Median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || std::string_view(argv[2]) != "--") {
        std::fprintf(stderr, "usage: %s RUNS -- COMMAND [ARG...]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    RunOnce(argv + 3);  // warm-up: the input in the page cache
    std::vector<double> seconds;
    std::vector<long> peaks;
    for (int i = 0; i < runs; ++i) {
        const Run run = RunOnce(argv + 3);
        seconds.push_back(run.seconds);
        peaks.push_back(run.peakKiB);
    }
    std::printf("%.4f %.4f %.4f %ld\n", Median(seconds),
                *std::min_element(seconds.begin(), seconds.end()),
                *std::max_element(seconds.begin(), seconds.end()), Median(peaks));
    return 0;
}
