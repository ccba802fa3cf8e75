#include "AfxCrashExit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

AfxCrashPolicy g_policy;

// "0x" and the value in that many hex digits, at out; where it ends. By
// hand: the crashed code may hold the C runtime's locks, and the converter
// imports nothing beyond KERNEL32 and the runtime for a formatter.
char* AppendHex(char* out, std::uintptr_t value, int digits)
{
    *out++ = '0';
    *out++ = 'x';
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        *out++ = "0123456789ABCDEF"[(value >> shift) & 0xF];
    return out;
}

LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* exception)
{
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (g_policy.line) {
        char line[160];
        const std::size_t length = std::min<std::size_t>(std::strlen(g_policy.line), 96);
        std::memcpy(line, g_policy.line, length);
        char* end = AppendHex(line + length, record.ExceptionCode, 8);
        if (g_policy.withAddress) {
            std::memcpy(end, " at ", 4);
            end = AppendHex(end + 4, reinterpret_cast<std::uintptr_t>(record.ExceptionAddress),
                            2 * static_cast<int>(sizeof(void*)));
        }
        *end++ = '\r';
        *end++ = '\n';
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(end - line), &written, nullptr);
    }
    TerminateProcess(GetCurrentProcess(), g_policy.status ? g_policy.status : record.ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void AfxExitOnCrash(const AfxCrashPolicy& policy)
{
    g_policy = policy;
    SetUnhandledExceptionFilter(EndOnCrash);
}
