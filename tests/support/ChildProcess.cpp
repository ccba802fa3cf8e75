#include "ChildProcess.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TempDir.h"

ChildOutcome RunChild(const std::string& program, const std::vector<std::string>& args,
                      const std::vector<std::string>& unset)
{
    TempDir streams;
    const std::string outPath = streams.File("out");
    const std::string errPath = streams.File("err");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT, 0600);

    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    std::vector<char*> environment;
    for (char** variable = environ; *variable; ++variable) {
        const std::string entry = *variable;
        const std::string name = entry.substr(0, entry.find('='));
        if (std::find(unset.begin(), unset.end(), name) == unset.end())
            environment.push_back(*variable);
    }
    environment.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environment.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + program);

    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);

    ChildOutcome outcome;
    outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.out = ReadFile(outPath);
    outcome.err = ReadFile(errPath);
    outcome.peakResidentKiB = usage.ru_maxrss;
    return outcome;
}
