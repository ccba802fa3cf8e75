// Starting and watching a program on Windows: a wide command line quoted as
// the C runtime splits it again, standard handles redirected into files or a
// pipe, and the exit code.
#include "ChildProcess.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <stdexcept>

#include "FileContents.h"
#include "PathText.h"
#include "TempDir.h"
#include "TextEncoding.h"
#include "win32/ProcessAttribute.h"

namespace {

// One argument as CommandLineToArgvW and the C runtime read it back:
// backslashes are literal except before a quote, where they and the quote
// are escaped.
std::wstring Quoted(const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return arg;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

// This process's environment without the variables named (in any case).
std::wstring EnvironmentWithout(const std::vector<std::string>& unset)
{
    auto sameName = [](std::wstring a, std::wstring b) {
        std::transform(a.begin(), a.end(), a.begin(), [](wchar_t c) { return std::towupper(c); });
        std::transform(b.begin(), b.end(), b.begin(), [](wchar_t c) { return std::towupper(c); });
        return a == b;
    };
    std::wstring block;
    wchar_t* const strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
        const std::wstring text = entry;
        // "=C:=C:\Daten": a name may begin with "=".
        const std::wstring name = text.substr(0, text.find(L'=', 1));
        if (std::none_of(unset.begin(), unset.end(), [&](const std::string& u) { return sameName(Utf8ToWide(u), name); }))
            block += text + L'\0';
    }
    FreeEnvironmentStringsW(strings);
    return block + L'\0';
}

std::wstring CommandLineOf(const std::string& program, const std::vector<std::string>& args)
{
    std::wstring commandLine = Quoted(Utf8ToWide(program));
    for (const std::string& arg : args)
        commandLine += L" " + Quoted(Utf8ToWide(arg));
    return commandLine;
}

HANDLE OpenForChild(const std::string& path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    const HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    &inheritable, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + path + " for a child");
    return file;
}

}  // namespace

StartedProcess StartProcess(const std::string& program, const std::vector<std::string>& args, const ProcessStart& how)
{
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = how.attributes ? sizeof startup : sizeof startup.StartupInfo;
    const bool handsOver = how.input || how.output || how.error;
    if (handsOver) {
        startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
        startup.StartupInfo.hStdInput = how.input;
        startup.StartupInfo.hStdOutput = how.output;
        startup.StartupInfo.hStdError = how.error;
    }
    startup.lpAttributeList = static_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(how.attributes);
    const DWORD flags = (how.attributes ? EXTENDED_STARTUPINFO_PRESENT : 0) |
                        (how.environment.empty() ? 0 : CREATE_UNICODE_ENVIRONMENT);
    std::wstring commandLine = CommandLineOf(program, args);
    std::wstring environment = how.environment;
    const std::wstring folder = Utf8ToWide(how.workingDirectory);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(Utf8ToWide(program).c_str(), commandLine.data(), nullptr, nullptr, handsOver, flags,
                        environment.empty() ? nullptr : environment.data(), folder.empty() ? nullptr : folder.c_str(),
                        &startup.StartupInfo, &process))
        return {};
    if (process.hThread)
        CloseHandle(process.hThread);
    return {true, process.hProcess, process.dwProcessId};
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const ChildOptions& options)
    : m_streams(TextOf(MakeTemporaryFolder("zedulo-child")))
{
    if (options.fileSizeLimit > 0)
        throw std::logic_error("Windows sets no file size limit for one child: run the test under ulimit -f");
    m_outputPath = options.outputPath.empty() ? m_streams + "\\out" : options.outputPath;

    HANDLE input = INVALID_HANDLE_VALUE;
    HANDLE feed = INVALID_HANDLE_VALUE;
    if (options.input) {
        if (options.input->size() >= 65536 || !CreatePipe(&input, &feed, nullptr, 0) ||
            !SetHandleInformation(input, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT))
            throw std::runtime_error("cannot prepare the child's standard input");
    } else {
        input = OpenForChild("NUL", GENERIC_READ, OPEN_EXISTING);
    }
    const HANDLE output = OpenForChild(m_outputPath, GENERIC_WRITE, OPEN_ALWAYS);
    const HANDLE error = OpenForChild(m_streams + "\\err", GENERIC_WRITE, CREATE_ALWAYS);

    // Only the three standard handles reach the child, whatever else this
    // process holds open.
    HANDLE inherited[] = {input, output, error};
    ProcessAttribute inheriting(PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited, sizeof inherited);

    ProcessStart how;
    how.input = input;
    how.output = output;
    how.error = error;
    how.attributes = inheriting.List();
    how.environment = EnvironmentWithout(options.unset);
    how.workingDirectory = options.workingDirectory;
    const StartedProcess process = StartProcess(program, args, how);
    CloseHandle(input);
    CloseHandle(output);
    CloseHandle(error);
    if (!process.handle) {
        if (feed != INVALID_HANDLE_VALUE)
            CloseHandle(feed);
        throw std::runtime_error("cannot start " + program);
    }
    m_process = process.handle;
    m_pid = static_cast<int>(process.id);

    if (feed != INVALID_HANDLE_VALUE) {
        // Fed while it runs; a child that stops reading ends the feed.
        m_feeder = std::thread([feed, bytes = *options.input] {
            DWORD written = 0;
            for (std::size_t at = 0; at < bytes.size(); at += written) {
                if (!WriteFile(feed, bytes.data() + at, static_cast<DWORD>(bytes.size() - at), &written, nullptr))
                    break;
            }
            CloseHandle(feed);
        });
    }
}

ChildProcess::~ChildProcess()
{
    if (m_process) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, INFINITE);
        CloseHandle(m_process);
    }
    if (m_feeder.joinable())
        m_feeder.join();
    std::error_code error;
    std::filesystem::remove_all(PathOf(m_streams), error);
}

ChildOutcome ChildProcess::Wait()
{
    // The peak memory is read while it runs, too: Wine forgets it at the end.
    SIZE_T peak = 0;
    auto notePeak = [&] {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(m_process, &counters, sizeof counters))
            peak = std::max(peak, counters.PeakWorkingSetSize);
    };
    while (WaitForSingleObject(m_process, 20) == WAIT_TIMEOUT)
        notePeak();
    notePeak();
    DWORD code = 0;
    GetExitCodeProcess(m_process, &code);
    CloseHandle(m_process);
    m_process = nullptr;
    m_pid = -1;
    if (m_feeder.joinable())
        m_feeder.join();

    ChildOutcome outcome;
    outcome.exitStatus = static_cast<int>(code);
    outcome.out = m_outputPath == m_streams + "\\out" ? ReadFile(m_outputPath) : std::string();
    outcome.err = ReadFile(m_streams + "\\err");
    outcome.peakResidentKiB = static_cast<long>(peak / 1024);
    return outcome;
}

// A Windows program needs no display server: nothing to take away.
ChildOptions WithoutDisplay()
{
    return {};
}
