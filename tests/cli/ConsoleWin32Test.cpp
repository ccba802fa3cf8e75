// The command-line converter in a Windows console: its messages as the
// console shows them, and Ctrl+C, which must take the temporary file along.
//
// The console is a pseudo console, which needs no window and so no display.
// This process attaches to it through a placeholder, a converter waiting for
// its standard input, and starts the converter under test in it as a shell
// would, with the console as its standard handles.
#include <gtest/gtest.h>

// Pseudo consoles came with Windows 10 1809.
#define NTDDI_VERSION 0x0A000006
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "ChildProcess.h"
#include "FileContents.h"
#include "OutputTemporaries.h"
#include "PathText.h"
#include "Phonebooks.h"
#include "win32/ProcessAttribute.h"
#include "ConversionMessages.h"
#include "ConverterTool.h"
#include "TempDir.h"
#include "TextEncoding.h"

namespace fs = std::filesystem;

namespace {

// A pipe whose reading end a child inherits and whose writing end stays here.
struct Pipe {
    Pipe()
    {
        CreatePipe(&read, &write, nullptr, 0);
        SetHandleInformation(read, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
    ~Pipe()
    {
        CloseReadingEnd();
        CloseHandle(write);
    }
    // Once the child holds the only reading end, a write fails when the child
    // ends instead of waiting for a reader for ever.
    void CloseReadingEnd()
    {
        if (read)
            CloseHandle(read);
        read = nullptr;
    }
    HANDLE read;
    HANDLE write;
};

class Console {
public:
    Console()
    {
        // What the console would draw on a terminal is read and dropped.
        HANDLE screen = nullptr;
        CreatePipe(&m_keyboard, &m_keys, nullptr, 0);
        CreatePipe(&m_drawn, &screen, nullptr, 0);
        // Rows enough for the whole of --help, which Screen() reads back.
        CreatePseudoConsole({120, 80}, m_keyboard, screen, 0, &m_console);
        CloseHandle(screen);
        m_drain = std::thread([this] {
            char buffer[4096];
            DWORD count = 0;
            while (ReadFile(m_drawn, buffer, sizeof buffer, &count, nullptr) && count > 0) {
            }
        });

        ProcessAttribute inConsole(PROC_THREAD_ATTRIBUTE_PSEUDOCONSOLE, m_console, sizeof m_console);
        ProcessStart how;
        how.input = m_wait.read;
        how.attributes = inConsole.List();
        const StartedProcess placeholder = StartProcess(ZEDULO_CONVERT_PROGRAM, {"-", "NUL"}, how);
        m_placeholder = placeholder.handle;

        FreeConsole();
        for (int i = 0; i < 200 && !AttachConsole(placeholder.id); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        m_out = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            &inheritable, OPEN_EXISTING, 0, nullptr);
    }

    ~Console()
    {
        FreeConsole();
        CloseHandle(m_out);
        CloseHandle(m_wait.write);
        m_wait.write = nullptr;
        WaitForSingleObject(m_placeholder, 5000);
        CloseHandle(m_placeholder);
        ClosePseudoConsole(m_console);
        m_drain.join();
        CloseHandle(m_drawn);
        CloseHandle(m_keyboard);
        CloseHandle(m_keys);
    }

    bool Attached() const
    {
        DWORD mode = 0;
        return GetConsoleMode(m_out, &mode);
    }

    // Starts the converter in the console; input is its standard input, the
    // console its standard output and error.
    HANDLE Start(const std::vector<std::string>& args, HANDLE input)
    {
        ProcessStart how;
        how.input = input;
        how.output = m_out;
        how.error = m_out;
        return StartProcess(ZEDULO_CONVERT_PROGRAM, args, how).handle;
    }

    // The console's keyboard as a handle a child inherits, for its standard
    // input; the caller closes it.
    HANDLE Keyboard() const
    {
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        return CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                           OPEN_EXISTING, 0, nullptr);
    }

    // Types on the console's keyboard.
    void Type(const std::string& keys)
    {
        DWORD written = 0;
        WriteFile(m_keys, keys.data(), static_cast<DWORD>(keys.size()), &written, nullptr);
    }

    // The lines written so far, as the console holds them, each ended by LF.
    std::string Screen() const
    {
        CONSOLE_SCREEN_BUFFER_INFO info{};
        GetConsoleScreenBufferInfo(m_out, &info);
        std::string screen;
        for (SHORT row = 0; row < info.dwCursorPosition.Y; ++row) {
            std::wstring line(info.dwSize.X, L' ');
            DWORD read = 0;
            ReadConsoleOutputCharacterW(m_out, line.data(), info.dwSize.X, {0, row}, &read);
            line.erase(line.find_last_not_of(L' ') + 1);
            screen += WideToUtf8(line) + "\n";
        }
        return screen;
    }

    HANDLE Output() const { return m_out; }

    void Clear()
    {
        CONSOLE_SCREEN_BUFFER_INFO info{};
        GetConsoleScreenBufferInfo(m_out, &info);
        DWORD written = 0;
        FillConsoleOutputCharacterW(m_out, L' ', info.dwSize.X * info.dwSize.Y, {0, 0}, &written);
        SetConsoleCursorPosition(m_out, {0, 0});
    }

private:
    HANDLE m_keyboard = nullptr;
    HANDLE m_keys = nullptr;
    HANDLE m_drawn = nullptr;
    HPCON m_console = nullptr;
    std::thread m_drain;
    Pipe m_wait;  // the placeholder's standard input
    HANDLE m_placeholder = nullptr;
    HANDLE m_out = INVALID_HANDLE_VALUE;
};

// The console shows exactly the UTF-8 text the tool writes, umlauts and all,
// whatever its code page.
TEST(Console, ShowsTheMessagesAsWritten)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), "Anna;0301\r\n");
    Console console;
    ASSERT_TRUE(console.Attached());
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {dir.File("fritz.adr")}, {dir.File("fehlt.adr")}, {"--help"}, {"--unbekannt"}}) {
        std::ostringstream out, err;
        RunConverterTool(args, out, err);
        const std::string what = ::testing::PrintToString(args);
        ASSERT_TRUE(out.str().find_first_of("\xC3") != std::string::npos ||
                    err.str().find_first_of("\xC3") != std::string::npos)
            << what << ": the message has umlauts";

        console.Clear();
        const HANDLE converter = console.Start(args, nullptr);
        ASSERT_TRUE(converter) << what;
        ASSERT_EQ(WaitForSingleObject(converter, 10000), WAIT_OBJECT_0) << what;
        CloseHandle(converter);
        EXPECT_EQ(console.Screen(), out.str() + err.str()) << what;
    }
}

// Without FRITZ_PASSWORD, --fritzbox asks for the password on the console,
// which does not show what is typed. (No box listens on port 1 of
// 127.0.0.1: the answer is refused at once.)
TEST(Console, AsksForTheFritzboxPasswordWithoutEcho)
{
    Console console;
    ASSERT_TRUE(console.Attached());
    ASSERT_TRUE(SetEnvironmentVariableW(L"FRITZ_PASSWORD", nullptr) || GetLastError() == ERROR_ENVVAR_NOT_FOUND);
    TempDir dir;
    const HANDLE keyboard = console.Keyboard();
    const HANDLE converter = console.Start({"--fritzbox=127.0.0.1:1", dir.File("out.txt")}, keyboard);
    CloseHandle(keyboard);
    ASSERT_TRUE(converter);
    // Typed once the prompt stands on the screen.
    CONSOLE_SCREEN_BUFFER_INFO info{};
    for (int i = 0; i < 500 && GetConsoleScreenBufferInfo(console.Output(), &info) && info.dwCursorPosition.X == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    console.Type("geheim\r");
    const bool ended = WaitForSingleObject(converter, 20000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(converter, 1);
    DWORD status = 0;
    GetExitCodeProcess(converter, &status);
    CloseHandle(converter);
    ASSERT_TRUE(ended);
    EXPECT_EQ(status, 1u);
    EXPECT_EQ(console.Screen(), "Kennwort f\xC3\xBCr die FritzBox 127.0.0.1:1:\n" +
                                    Windows1252ToUtf8(ConversionMessages::ForRouter(
                                        ConversionMessages::kRouterUnreachable, "127.0.0.1:1")) +
                                    "\n");
}

// Starts the converter on standard input in the console, converting into
// folder\out.txt. This process ignores Ctrl+C afterwards (the converter would
// inherit that): Wine 8 sends Ctrl+C only to the whole console.
HANDLE StartConverting(Console& console, const fs::path& folder, Pipe& input)
{
    SetConsoleCtrlHandler(nullptr, FALSE);
    const HANDLE converter = console.Start({"-", TextOf(folder / "out.txt")}, input.read);
    SetConsoleCtrlHandler(nullptr, TRUE);
    input.CloseReadingEnd();
    return converter;
}

void Feed(const Pipe& input, const std::string& bytes)
{
    DWORD written = 0;
    for (std::size_t at = 0; at < bytes.size(); at += written) {
        if (!WriteFile(input.write, bytes.data() + at, static_cast<DWORD>(bytes.size() - at), &written, nullptr))
            return;  // the converter has gone
    }
}

// This process takes no console event meanwhile: Ctrl+Break cannot be
// ignored as Ctrl+C can.
BOOL WINAPI IgnoreConsoleEvent(DWORD)
{
    return TRUE;
}

// Ctrl+C and Ctrl+Break end the converter as they end any Windows program,
// with STATUS_CONTROL_C_EXIT, after it removed its temporary file.
TEST(Interrupt, CtrlCLeavesTheOldOutputOrNone)
{
    Console console;
    ASSERT_TRUE(console.Attached());
    SetConsoleCtrlHandler(IgnoreConsoleEvent, TRUE);
    const struct {
        const char* what;
        DWORD event;
        bool outputExisted;
    } cases[] = {
        {"Ctrl+C, output existed", CTRL_C_EVENT, true},
        {"Ctrl+C, new output", CTRL_C_EVENT, false},
        {"Ctrl+Break, output existed", CTRL_BREAK_EVENT, true},
    };
    for (const auto& c : cases) {
        TempDir dir;
        if (c.outputExisted)
            WriteFile(dir.File("out.txt"), kOldOutput);
        Pipe input;
        const HANDLE converter = StartConverting(console, dir.Path(), input);
        ASSERT_TRUE(converter);
        // The converter reads what comes and waits for more: a conversion
        // held in the middle.
        std::thread feeder([&] { Feed(input, NumberedPhonebook(40000)); });
        // Not an ASSERT: the converter and the feeder must be ended either way.
        EXPECT_TRUE(WaitForRecordsInATemporary(dir.Path())) << c.what;

        // Wine 8 sends Ctrl+C only; the other events cannot be made here.
        const bool sent = GenerateConsoleCtrlEvent(c.event, 0);
        if (!sent)
            std::cout << "Not possible here: " << c.what << "\n";
        EXPECT_TRUE(sent || c.event != CTRL_C_EVENT) << c.what;
        EXPECT_EQ(WaitForSingleObject(converter, sent ? 10000 : 0), sent ? WAIT_OBJECT_0 : WAIT_TIMEOUT) << c.what;
        DWORD status = 0;
        GetExitCodeProcess(converter, &status);
        TerminateProcess(converter, 1);  // in case it did not end
        CloseHandle(converter);
        feeder.join();

        if (!sent)
            continue;
        EXPECT_EQ(status, static_cast<DWORD>(STATUS_CONTROL_C_EXIT)) << c.what;
        if (c.outputExisted) {
            EXPECT_EQ(ReadFile(dir.File("out.txt")), kOldOutput) << c.what;
        } else {
            EXPECT_FALSE(fs::exists(dir.Path() / "out.txt")) << c.what;
        }
        EXPECT_TRUE(OutputTemporaries(dir.Path()).empty()) << c.what;
    }
    SetConsoleCtrlHandler(IgnoreConsoleEvent, FALSE);
}

}  // namespace
