// The conversion's files on Windows. Paths are UTF-8 and opened by their
// UTF-16 names, so that every name Windows allows works.
#include "FileAccess.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <utility>

#include "TextEncoding.h"

namespace {

struct FileIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    bool operator==(const FileIdentity&) const = default;
};

bool IdentityOf(HANDLE file, FileIdentity& identity)
{
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file, &information))
        return false;
    identity = {information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
    return true;
}

std::wstring Wide(const std::string& utf8)
{
    const std::u16string text = Utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

void CloseFile(HANDLE& file)
{
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
}

// Where the folder part of a path ends: after its last "\" or "/", or
// after a drive's colon.
std::wstring::size_type FolderEnd(const std::wstring& path)
{
    const auto separator = path.find_last_of(L"\\/");
    if (separator != std::wstring::npos)
        return separator + 1;
    return path.size() >= 2 && path[1] == L':' ? 2 : 0;
}

// --- Removing the temporary file when the user presses Ctrl+C --------------
//
// The console's handler runs on a thread of its own while the conversion
// goes on; the temporary file is open for deletion too, so removing it by
// name marks it to go when the process ends, which the default handler then
// brings about.

std::atomic<const wchar_t*> g_pendingTemporary{nullptr};

BOOL WINAPI RemoveTemporaryOnInterrupt(DWORD)
{
    if (const wchar_t* path = g_pendingTemporary.load())
        DeleteFileW(path);
    return FALSE;
}

// A hidden name derived from the output's, with a random part, so that a
// file left by a killed run never stands in the way of the next.
std::wstring TemporaryName(const std::wstring& outputName)
{
    static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937_64 random{std::random_device{}()};
    std::wstring name = L"." + outputName.substr(0, std::min<std::size_t>(outputName.size(), 200)) + L".";
    for (int i = 0; i < 8; ++i)
        name += kLetters[random() % (std::size(kLetters) - 1)];
    return name;
}

}  // namespace

// --- Input -----------------------------------------------------------------

struct InputFile::Native {
    HANDLE file = INVALID_HANDLE_VALUE;
    bool owned = true;
    FileIdentity identity;
};

InputFile::InputFile() : m_native(std::make_unique<Native>()) {}

InputFile::~InputFile()
{
    if (m_native->owned)
        CloseFile(m_native->file);
}

bool InputFile::Open(const std::string& path, StreamPolicy policy)
{
    Native& input = *m_native;
    if (policy == StreamPolicy::Streams && path == "-") {
        input.file = GetStdHandle(STD_INPUT_HANDLE);
        input.owned = false;
        if (input.file == nullptr || input.file == INVALID_HANDLE_VALUE)
            return false;
    } else {
        // A folder cannot be opened this way: it is no phonebook.
        input.file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (input.file == INVALID_HANDLE_VALUE)
            return false;
    }
    // Pipes and devices (CON, NUL, COM1) are read by the command line only.
    const bool usable = policy == StreamPolicy::Streams || GetFileType(input.file) == FILE_TYPE_DISK;
    if (!usable) {
        CloseFile(input.file);
        return false;
    }
    IdentityOf(input.file, input.identity);
    return true;
}

std::ptrdiff_t InputFile::Read(char* buffer, std::size_t size)
{
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (ReadFile(m_native->file, buffer, wanted, &got, nullptr))
        return got;
    // A pipe whose writer has finished ends like a file.
    return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
}

// --- Output ----------------------------------------------------------------

struct OutputFile::Native {
    enum class Way { None, Replace, InPlace, Direct };
    Way way = Way::None;
    HANDLE file = INVALID_HANDLE_VALUE;
    bool owned = true;
    bool outputExisted = false;
    std::wstring target;     // the file that gets the new content
    std::wstring temporary;  // the file written, beside it
    FileIdentity input;

    bool IsInput(HANDLE candidate) const;
    DWORD CreateTemporary();
    bool OpenInPlace();
    void Discard();
};

OutputFile::OutputFile() : m_native(std::make_unique<Native>()) {}

OutputFile::~OutputFile()
{
    m_native->Discard();
}

void OutputFile::Native::Discard()
{
    if (owned)
        CloseFile(file);
    if (!temporary.empty()) {
        DeleteFileW(temporary.c_str());
        g_pendingTemporary = nullptr;
        SetConsoleCtrlHandler(RemoveTemporaryOnInterrupt, FALSE);
        temporary.clear();
    }
}

bool OutputFile::Native::IsInput(HANDLE candidate) const
{
    FileIdentity identity;
    return !IdentityOf(candidate, identity) || identity == input;
}

DWORD OutputFile::Native::CreateTemporary()
{
    const std::wstring::size_type folderEnd = FolderEnd(target);
    const std::wstring folder = target.substr(0, folderEnd);
    const std::wstring name = target.substr(folderEnd);
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
        const std::wstring candidate = folder + TemporaryName(name);
        file = CreateFileW(candidate.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_HIDDEN, nullptr);
        error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (error == ERROR_SUCCESS) {
            temporary = candidate;
            g_pendingTemporary = temporary.c_str();
            SetConsoleCtrlHandler(RemoveTemporaryOnInterrupt, TRUE);
        }
    }
    if (error == ERROR_SUCCESS)
        way = Way::Replace;
    return error;
}

bool OutputFile::Native::OpenInPlace()
{
    // Opened without truncating: only once it is known not to be the input
    // may its content go.
    file = CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE || GetFileType(file) != FILE_TYPE_DISK || IsInput(file) ||
        !SetEndOfFile(file))
        return false;
    way = Way::InPlace;
    return true;
}

bool OutputFile::Open(const std::string& path, const InputFile& input, StreamPolicy policy)
{
    Native& output = *m_native;
    output.input = input.m_native->identity;
    if (policy == StreamPolicy::Streams && path == "-") {
        output.file = GetStdHandle(STD_OUTPUT_HANDLE);
        output.owned = false;
        if (output.file == nullptr || output.file == INVALID_HANDLE_VALUE || output.IsInput(output.file))
            return false;
        output.way = Native::Way::Direct;
        return true;
    }

    const std::wstring wide = Wide(path);
    if (wide.empty() || FolderEnd(wide) == wide.size())
        return false;
    // What stands at the path now, links followed to the file they lead to.
    HANDLE existing = CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (existing == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            return false;
        output.target = wide;
        return output.CreateTemporary() == ERROR_SUCCESS;
    }

    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(existing, &information);
    const DWORD type = GetFileType(existing);
    const bool isInput = output.IsInput(existing);
    wchar_t finalPath[32768];
    const DWORD finalLength = type == FILE_TYPE_DISK ? GetFinalPathNameByHandleW(existing, finalPath,
                                                                                 std::size(finalPath), FILE_NAME_NORMALIZED)
                                                     : 0;
    CloseHandle(existing);
    if (isInput)
        return false;

    if (type != FILE_TYPE_DISK) {
        // A device or pipe (NUL, CON, COM1, \\.\pipe\...) takes the bytes as
        // they come and is never replaced by a file.
        output.file = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (output.file == INVALID_HANDLE_VALUE || output.IsInput(output.file))
            return false;
        output.way = Native::Way::Direct;
        return true;
    }
    if (!known || (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;

    // The file a link leads to gets the content, and the temporary file goes
    // beside it; a plain file is its own target.
    output.target = finalLength > 0 && finalLength < std::size(finalPath) ? std::wstring(finalPath, finalLength) : wide;
    output.outputExisted = true;
    const DWORD error = output.CreateTemporary();
    if (error == ERROR_SUCCESS)
        return true;
    // A folder that takes no new file, with a writable output in it.
    return error == ERROR_ACCESS_DENIED && output.OpenInPlace();
}

bool OutputFile::Write(const char* data, std::size_t size)
{
    while (size > 0) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        if (!WriteFile(m_native->file, data, chunk, &written, nullptr))
            return false;
        data += written;
        size -= written;
    }
    return true;
}

bool OutputFile::Commit()
{
    Native& output = *m_native;
    switch (output.way) {
    case Native::Way::None:
        return false;
    case Native::Way::Direct:
        return !output.owned || CloseHandle(std::exchange(output.file, INVALID_HANDLE_VALUE));
    case Native::Way::InPlace:
        return FlushFileBuffers(output.file) && CloseHandle(std::exchange(output.file, INVALID_HANDLE_VALUE));
    case Native::Way::Replace:
        break;
    }

    // The new file must not stay hidden once it is the output.
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(output.file, FileBasicInfo, &basic, sizeof basic) ||
        !FlushFileBuffers(output.file) || !CloseHandle(std::exchange(output.file, INVALID_HANDLE_VALUE)))
        return false;
    // Replacing keeps the old output's attributes and permissions; a new
    // output is renamed into place, through to the disk.
    const bool placed =
        output.outputExisted
            ? ReplaceFileW(output.target.c_str(), output.temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                           nullptr, nullptr)
            : MoveFileExW(output.temporary.c_str(), output.target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!placed)
        return false;  // the destructor removes the temporary file
    g_pendingTemporary = nullptr;
    SetConsoleCtrlHandler(RemoveTemporaryOnInterrupt, FALSE);
    output.temporary.clear();
    return true;
}

bool NamesAStream(const std::string& path)
{
    HANDLE file = CreateFileW(Wide(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool stream = GetFileType(file) != FILE_TYPE_DISK;
    CloseHandle(file);
    return stream;
}
