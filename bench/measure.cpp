// Runs a command several times and prints its median, least and most wall
// time, its median peak resident memory and its median user and system time.
// With --versus, runs a second command in turn with the first (A B A B ...),
// prints the same line for it and then the median, least and most of the
// ratio A/B pair by pair, which holds when the machine's speed drifts.
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
    double userSeconds;
    double systemSeconds;
};

double Seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

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
    return {std::chrono::duration<double>(stop - start).count(), usage.ru_maxrss,
            Seconds(usage.ru_utime), Seconds(usage.ru_stime)};
}

template <class T>
T Median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <class T, class Field>
std::vector<T> Each(const std::vector<Run>& runs, Field field)
{
    std::vector<T> values;
    for (const Run& run : runs)
        values.push_back(run.*field);
    return values;
}

void PrintRuns(const std::vector<Run>& runs)
{
    const std::vector<double> seconds = Each<double>(runs, &Run::seconds);
    std::printf("%.4f %.4f %.4f %ld %.4f %.4f\n", Median(seconds),
                *std::min_element(seconds.begin(), seconds.end()),
                *std::max_element(seconds.begin(), seconds.end()), Median(Each<long>(runs, &Run::peakKiB)),
                Median(Each<double>(runs, &Run::userSeconds)), Median(Each<double>(runs, &Run::systemSeconds)));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || std::string_view(argv[2]) != "--") {
        std::fprintf(stderr, "usage: %s RUNS -- COMMAND [ARG...] [--versus COMMAND [ARG...]]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    char** first = argv + 3;
    char** second = nullptr;
    for (char** arg = first; *arg; ++arg) {
        if (std::string_view(*arg) == "--versus") {
            *arg = nullptr;  // ends the first command's arguments
            second = arg + 1;
            break;
        }
    }
    if (runs < 1 || !*first || (second && !*second)) {
        std::fprintf(stderr, "%s: RUNS must be at least 1, and each command given\n", argv[0]);
        return 2;
    }

    // Warm-up: the input in the page cache, the programs loaded.
    RunOnce(first);
    if (second)
        RunOnce(second);
    std::vector<Run> firstRuns, secondRuns;
    std::vector<double> ratios;
    for (int i = 0; i < runs; ++i) {
        firstRuns.push_back(RunOnce(first));
        if (second) {
            secondRuns.push_back(RunOnce(second));
            ratios.push_back(firstRuns.back().seconds / secondRuns.back().seconds);
        }
    }
    PrintRuns(firstRuns);
    if (second) {
        PrintRuns(secondRuns);
        std::printf("%.4f %.4f %.4f\n", Median(ratios), *std::min_element(ratios.begin(), ratios.end()),
                    *std::max_element(ratios.begin(), ratios.end()));
    }
    return 0;
}
