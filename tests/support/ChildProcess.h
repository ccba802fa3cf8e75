// Runs a program as a script would and reports what it did.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <thread>
#endif

// On Windows every end has an exit code: a crash gives its exception code
// (0xC0000005 and the like), and signal stays 0.
struct ChildOutcome {
    int exitStatus = -1;  // -1 when it did not exit normally
    int signal = 0;       // the signal that ended it, 0 if none
    std::string out;
    std::string err;
    long peakResidentKiB = 0;  // on Windows the peak working set, read while it runs
};

struct ChildOptions {
    std::vector<std::string> unset;   // environment variables taken away
    std::string workingDirectory;     // empty: this process's
    std::optional<std::string> input;  // standard input through a pipe (< 64 KiB); else the null device
    std::string outputPath;           // standard output into this file rather than captured
    std::size_t fileSizeLimit = 0;    // the largest file it may write, bytes; 0: no limit (POSIX only)
};

// A program started in the background.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const ChildOptions& options = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    int Pid() const { return m_pid; }
    // Waits for it to end.
    ChildOutcome Wait();

private:
    std::string m_streams;  // a folder for its captured streams
    std::string m_outputPath;
    int m_pid = -1;
#ifdef _WIN32
    void* m_process = nullptr;  // its handle
    std::thread m_feeder;       // writes its standard input
#endif
};

// Runs program with args until it ends.
ChildOutcome RunChild(const std::string& program, const std::vector<std::string>& args,
                      const ChildOptions& options = {});

// The options of a program started without any display.
ChildOptions WithoutDisplay();

#ifdef _WIN32
// How StartProcess starts a program. Standard handles left null are not
// handed over; when any is given, the child inherits what may be inherited
// (narrowed by a handle list among the attributes).
struct ProcessStart {
    void* input = nullptr;
    void* output = nullptr;
    void* error = nullptr;
    void* attributes = nullptr;    // a ProcessAttribute's list, or null
    std::wstring environment;      // a CREATE_UNICODE_ENVIRONMENT block; empty: this process's
    std::string workingDirectory;  // empty: this process's
};

// A program StartProcess started: its handle, for the caller to close, and
// its id. Wine starts a Linux program without either.
struct StartedProcess {
    bool started = false;
    void* handle = nullptr;
    unsigned long id = 0;
};

// Every start of a program on Windows: the command line hands it its args
// unchanged, quoted as the C runtime and CommandLineToArgvW split it again.
StartedProcess StartProcess(const std::string& program, const std::vector<std::string>& args,
                            const ProcessStart& how);
#endif
