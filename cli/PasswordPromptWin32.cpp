#include <windows.h>

#include <cstdlib>

#include "PasswordPrompt.h"
#include "TextEncoding.h"

namespace {

std::optional<std::wstring> Environment(const wchar_t* name)
{
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt : std::optional<std::wstring>(L"");
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

// Restores the console's echo however the prompt ends.
class EchoOff {
public:
    explicit EchoOff(HANDLE console) : m_console(console)
    {
        m_saved = GetConsoleMode(console, &m_old);
        if (m_saved)
            SetConsoleMode(console, (m_old & ~static_cast<DWORD>(ENABLE_ECHO_INPUT)) | ENABLE_LINE_INPUT);
    }
    ~EchoOff()
    {
        if (m_saved)
            SetConsoleMode(m_console, m_old);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    HANDLE m_console;
    DWORD m_old = 0;
    bool m_saved = false;
};

}  // namespace

std::string FritzboxUserFromEnvironment()
{
    return WideToUtf8(Environment(L"FRITZ_USERNAME").value_or(L""));
}

std::optional<std::string> FritzboxPassword(const std::string& address)
{
    if (const std::optional<std::wstring> password = Environment(L"FRITZ_PASSWORD"))
        return WideToUtf8(*password);
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (input == nullptr || input == INVALID_HANDLE_VALUE || !GetConsoleMode(input, &mode))
        return std::nullopt;
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (console != INVALID_HANDLE_VALUE) {
        const std::wstring prompt = Utf8ToWide("Kennwort f\xC3\xBCr die FritzBox " + address + ": ");
        DWORD written = 0;
        WriteConsoleW(console, prompt.data(), static_cast<DWORD>(prompt.size()), &written, nullptr);
        CloseHandle(console);
    }
    std::wstring password;
    {
        EchoOff echoOff(input);
        wchar_t c = 0;
        for (;;) {
            DWORD got = 0;
            if (!ReadConsoleW(input, &c, 1, &got, nullptr) || got == 0)
                return std::nullopt;
            if (c == L'\r')
                continue;
            if (c == L'\n')
                break;
            password += c;
        }
    }
    const HANDLE after = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (after != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteConsoleW(after, L"\r\n", 2, &written, nullptr);
        CloseHandle(after);
    }
    return WideToUtf8(password);
}
