// zedulo-convert on Windows: the arguments arrive as UTF-16 and become the
// UTF-8 the program uses everywhere; the messages go to a console as UTF-16
// text, which shows them in any code page, and to a pipe or file as the
// UTF-8 bytes they are, as on Linux.
#include <windows.h>

#include <algorithm>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "AfxCrashExit.h"
#include "ConverterTool.h"
#include "TextEncoding.h"

namespace {

// WriteFile counts in a DWORD; a mebibyte at a time is far inside it and more
// than any message.
constexpr std::size_t kLargestWrite = std::size_t{1} << 20;
// Characters handed to WriteConsoleW at a time: older consoles refuse one
// write beyond the 64 KiB buffer they share between calls.
constexpr std::size_t kLargestConsoleWrite = 8192;

// Standard output or standard error, unbuffered by the C runtime and without
// its line-end translation: what is written is flushed as a whole.
class StandardStreamBuffer : public std::streambuf {
public:
    explicit StandardStreamBuffer(DWORD which) : m_handle(GetStdHandle(which))
    {
        DWORD mode = 0;
        m_console = m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE && GetConsoleMode(m_handle, &mode);
    }

protected:
    int_type overflow(int_type c) override
    {
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            m_pending += traits_type::to_char_type(c);
        return traits_type::not_eof(c);
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        m_pending.append(text, static_cast<std::size_t>(count));
        return count;
    }

    int sync() override
    {
        const bool written = m_console ? WriteToConsole() : WriteBytes(m_pending.data(), m_pending.size());
        if (!m_console)
            m_pending.clear();
        return written ? 0 : -1;
    }

private:
    bool WriteBytes(const char* data, std::size_t size)
    {
        while (size > 0) {
            DWORD written = 0;
            if (!WriteFile(m_handle, data, static_cast<DWORD>(std::min<std::size_t>(size, kLargestWrite)), &written, nullptr))
                return false;
            data += written;
            size -= written;
        }
        return true;
    }

    bool WriteToConsole()
    {
        const std::size_t whole = Utf8WholeCharactersLength(m_pending);
        const std::wstring text = Utf8ToWide(std::string_view(m_pending).substr(0, whole));
        m_pending.erase(0, whole);
        const wchar_t* data = text.data();
        std::size_t size = text.size();
        while (size > 0) {
            DWORD written = 0;
            if (!WriteConsoleW(m_handle, data, static_cast<DWORD>(std::min<std::size_t>(size, kLargestConsoleWrite)), &written,
                               nullptr) ||
                written == 0)
                return false;
            data += written;
            size -= written;
        }
        return true;
    }

    HANDLE m_handle;
    bool m_console = false;
    std::string m_pending;
};

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // A crash ends the converter at once with the exception code, for the
    // script that started it, and says nothing.
    AfxExitOnCrash({});

    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(WideToUtf8(argv[i]));

    StandardStreamBuffer outBuffer(STD_OUTPUT_HANDLE);
    StandardStreamBuffer errBuffer(STD_ERROR_HANDLE);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    const int status = RunConverterTool(args, out, err);
    out.flush();
    err.flush();
    return status;
}
