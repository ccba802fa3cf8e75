// Starting and watching a program on Linux and other POSIX systems.
#include "ChildProcess.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "FileContents.h"
#include "FileSizeLimit.h"
#include "TempDir.h"

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const ChildOptions& options)
    : m_streams(MakeTemporaryFolder("zedulo-child").string())
{
    m_outputPath = options.outputPath.empty() ? m_streams + "/out" : options.outputPath;
    const std::string errPath = m_streams + "/err";

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int pipeEnds[2] = {-1, -1};
    if (options.input) {
        // Filled before the start, so that the child can never block us.
        if (options.input->size() >= 65536 || pipe(pipeEnds) != 0 ||
            write(pipeEnds[1], options.input->data(), options.input->size()) !=
                static_cast<ssize_t>(options.input->size()))
            throw std::runtime_error("cannot prepare the child's standard input");
        close(pipeEnds[1]);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, m_outputPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT, 0600);
    if (!options.workingDirectory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, options.workingDirectory.c_str());

    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    std::vector<char*> environment;
    for (char** variable = environ; *variable; ++variable) {
        const std::string entry = *variable;
        const std::string name = entry.substr(0, entry.find('='));
        if (std::find(options.unset.begin(), options.unset.end(), name) == options.unset.end())
            environment.push_back(*variable);
    }
    environment.push_back(nullptr);

    int spawned = 0;
    {
        FileSizeLimit limit(options.fileSizeLimit);
        spawned = posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environment.data());
    }
    posix_spawn_file_actions_destroy(&actions);
    if (pipeEnds[0] != -1)
        close(pipeEnds[0]);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + program);
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    std::error_code error;
    std::filesystem::remove_all(m_streams, error);
}

ChildOutcome ChildProcess::Wait()
{
    int status = 0;
    rusage usage{};
    wait4(m_pid, &status, 0, &usage);
    m_pid = -1;

    ChildOutcome outcome;
    outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    outcome.out = m_outputPath == m_streams + "/out" ? ReadFile(m_outputPath) : std::string();
    outcome.err = ReadFile(m_streams + "/err");
    outcome.peakResidentKiB = usage.ru_maxrss;
    return outcome;
}

ChildOptions WithoutDisplay()
{
    ChildOptions options;
    options.unset = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    return options;
}
