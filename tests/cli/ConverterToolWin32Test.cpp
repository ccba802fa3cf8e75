// The command-line converter with what only Windows has: names in UTF-16,
// drive letters and both slashes, pipes by name.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <optional>
#include <thread>

#include "ChildProcess.h"
#include "FileContents.h"
#include "PathText.h"
#include "ShownMessages.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

const std::string kRecords = "0301;Anna\n";
const std::string kConverted = Shown(ConversionMessages::Converted(1)) + "\n";

bool Exists(const std::string& path)
{
    return fs::exists(PathOf(path));
}

// Names beyond every 8-bit code page reach the files: the arguments arrive
// as UTF-16, whatever the code page.
TEST(ConverterTool, ProgramTakesEveryNameWindowsAllows)
{
    const struct {
        std::string input;
        std::string output;
    } cases[] = {
        {"Łukasz.adr", "Łódź.txt"},
        {"Telefon buch ä.adr", "Aus gabe ö.txt"},
        {"電話帳.adr", "名前 €.txt"},
        {"Anruf 📞.adr", "📞 ß.txt"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteFile(dir.File(c.input), "Anna;0301\r\n");
        const ChildOutcome outcome = RunChild(ZEDULO_CONVERT_PROGRAM, {dir.File(c.input), c.output});
        EXPECT_EQ(outcome.exitStatus, 0) << c.input << ": " << outcome.err;
        EXPECT_EQ(outcome.out, kConverted) << c.input;
        ASSERT_TRUE(Exists(dir.File(c.output))) << c.output;
        EXPECT_EQ(ReadFile(dir.File(c.output)), kRecords) << c.output;
    }
}

// The arguments arrive exactly as given, quotes and backslashes too.
TEST(ConverterTool, ProgramGetsItsArgumentsUnchanged)
{
    for (const std::string arg : {"--a\"b", "--a\\\"b\\", "--a b\\\\", "--\\\\server\\"}) {
        const ChildOutcome outcome = RunChild(ZEDULO_CONVERT_PROGRAM, {arg});
        EXPECT_EQ(outcome.exitStatus, 2) << arg;
        EXPECT_EQ(outcome.err.substr(0, outcome.err.find('\n')), "Unbekannte Option: " + arg);
    }
}

// Both slashes end a folder, and so does a drive's colon: the folder rules
// through the whole program.
TEST(ConverterTool, ProgramPutsABareNameBesideTheInputOnly)
{
    TempDir dir;
    fs::create_directories(dir.Path() / "daten" / "run");
    fs::create_directory(dir.Path() / "aktuell");
    WriteFile(dir.File("daten\\run\\fritz.adr"), "Anna;0301\r\n");
    const std::string drive = dir.File("").substr(0, 2);  // "C:"
    const struct {
        std::vector<std::string> args;
        const char* workingFolder;
        const char* written;
    } cases[] = {
        {{"run/fritz.adr"}, "daten", "daten\\run\\phonebook.txt"},
        {{"daten/run/fritz.adr", "liste.txt"}, "", "daten\\run\\liste.txt"},
        {{"run\\fritz.adr", "liste.txt"}, "daten", "daten\\run\\liste.txt"},
        {{dir.File("daten\\run\\fritz.adr"), drive + "liste.txt"}, "aktuell", "aktuell\\liste.txt"},
    };
    for (const auto& c : cases) {
        const auto before = DescribeTree(dir.Path());
        ChildOptions options;
        options.workingDirectory = dir.File(c.workingFolder);
        const ChildOutcome outcome = RunChild(ZEDULO_CONVERT_PROGRAM, c.args, options);
        const std::string what = ::testing::PrintToString(c.args);
        EXPECT_EQ(outcome.exitStatus, 0) << what << ": " << outcome.err;
        auto expected = before;
        expected[c.written] = DescribeTree(dir.Path())[c.written];
        EXPECT_EQ(DescribeTree(dir.Path()), expected) << what << ": only " << c.written << " is new";
        EXPECT_EQ(ReadFile(dir.File(c.written)), kRecords) << what;
        fs::remove(dir.Path() / c.written);
    }
}

// One end of a named pipe, served on a thread of its own: it sends its text
// to the first program that connects, or keeps what that program sends.
class PipeServer {
public:
    PipeServer(const std::string& name, std::optional<std::string> text)
        : m_name(L"\\\\.\\pipe\\zedulo-" + PathOf(name).wstring() + std::to_wstring(GetCurrentProcessId())),
          m_pipe(CreateNamedPipeW(m_name.c_str(), text ? PIPE_ACCESS_OUTBOUND : PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1,
                                  65536, 65536, 0, nullptr))
    {
        m_thread = std::thread([this, text] {
            ConnectNamedPipe(m_pipe, nullptr);
            DWORD count = 0;
            if (text) {
                // Closed once read: the reader's end of the input.
                WriteFile(m_pipe, text->data(), static_cast<DWORD>(text->size()), &count, nullptr);
                FlushFileBuffers(m_pipe);
            } else {
                char buffer[4096];
                while (ReadFile(m_pipe, buffer, sizeof buffer, &count, nullptr) && count > 0)
                    m_received.append(buffer, count);
            }
            CloseHandle(m_pipe);
        });
    }
    ~PipeServer()
    {
        if (m_thread.joinable()) {
            // For a program that never came, connecting ends the wait.
            const HANDLE client = CreateFileW(m_name.c_str(), FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                                              nullptr);
            if (client != INVALID_HANDLE_VALUE)
                CloseHandle(client);
            m_thread.join();
        }
    }
    std::string Name() const { return TextOf(m_name); }
    // What the program sent, once it has closed the pipe.
    std::string Received()
    {
        m_thread.join();
        return m_received;
    }

private:
    std::wstring m_name;
    HANDLE m_pipe;
    std::thread m_thread;
    std::string m_received;
};

TEST(ConverterTool, ProgramReadsAndWritesPipesByName)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), "Anna;0301\r\n");
    const struct {
        const char* what;
        bool pipeIsInput;
        std::string output;  // beside a pipe as input
        int status;
        std::string err;
    } cases[] = {
        {"a pipe as input, with a folder for the output", true, dir.File("aus.txt"), 0, ""},
        {"a pipe as input, default output", true, "", 1, Shown(ConversionMessages::kOutputOpenFailed) + "\n"},
        {"a pipe as input, bare output", true, "aus.txt", 1, Shown(ConversionMessages::kOutputOpenFailed) + "\n"},
        {"a pipe as output", false, "", 0, ""},
    };
    for (const auto& c : cases) {
        PipeServer pipe(c.what, c.pipeIsInput ? std::optional<std::string>("Anna;0301\r\n") : std::nullopt);
        std::vector<std::string> args{pipe.Name()};
        if (!c.pipeIsInput)
            args = {dir.File("fritz.adr"), pipe.Name()};
        else if (!c.output.empty())
            args.push_back(c.output);
        const ChildOutcome outcome = RunChild(ZEDULO_CONVERT_PROGRAM, args, {});
        EXPECT_EQ(outcome.exitStatus, c.status) << c.what;
        EXPECT_EQ(outcome.err, c.err) << c.what;
        if (!c.pipeIsInput) {
            EXPECT_EQ(pipe.Received(), kRecords) << c.what;
        } else if (c.status == 0) {
            EXPECT_EQ(ReadFile(c.output), kRecords) << c.what;
        }
    }
    EXPECT_FALSE(Exists(dir.File("phonebook.txt")));
}

}  // namespace
