// The conversion's files on Windows. Paths are UTF-8 and opened by their
// UTF-16 names, so that every name Windows allows works.
#include "FileAccess.h"

#include <windows.h>

#include <algorithm>
#include <random>
#include <utility>

#include "TextEncoding.h"

namespace {

// Which file a handle reaches: only files on a disk have one. Devices (NUL,
// CON), consoles and pipes have none, and none of them can be the input's
// bytes on a disk.
struct FileIdentity {
    bool known = false;
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &information))
        return {};
    return {true, information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
}

void CloseFile(HANDLE& file)
{
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
}

// A named pipe's name (\\.\pipe\...). Opening it takes one of the pipe's
// connections, so it is not opened just to be looked at.
bool NamesAPipe(const std::string& path)
{
    static const char kPrefix[] = "\\\\.\\pipe\\";
    if (path.size() <= std::size(kPrefix) - 1)
        return false;
    for (std::size_t i = 0; i < std::size(kPrefix) - 1; ++i) {
        // Either slash, any case.
        const char c = path[i] == '/' ? '\\' : path[i] >= 'A' && path[i] <= 'Z' ? static_cast<char>(path[i] + 32) : path[i];
        if (c != kPrefix[i])
            return false;
    }
    return true;
}

// --- Removing the temporary file when the user presses Ctrl+C --------------
//
// The console's handler runs on a thread of its own while the conversion
// goes on. The temporary file is open for deletion too, so removing it by
// name marks it to go when the process ends, which the default handler then
// brings about. A Ctrl+C the caller made the program ignore stays ignored:
// the system then calls no handler at all.

struct PendingTemporary {
    SRWLOCK lock = SRWLOCK_INIT;
    bool armed = false;
    wchar_t path[32768] = {};
};
PendingTemporary g_pending;

BOOL WINAPI RemoveTemporaryOnInterrupt(DWORD)
{
    AcquireSRWLockExclusive(&g_pending.lock);
    if (g_pending.armed)
        DeleteFileW(g_pending.path);
    ReleaseSRWLockExclusive(&g_pending.lock);
    return FALSE;  // on to the default handler, which ends the process
}

bool ArmRemoval(const std::wstring& path)
{
    if (path.size() >= std::size(g_pending.path))
        return false;
    AcquireSRWLockExclusive(&g_pending.lock);
    std::copy(path.begin(), path.end(), g_pending.path);
    g_pending.path[path.size()] = L'\0';
    g_pending.armed = true;
    ReleaseSRWLockExclusive(&g_pending.lock);
    SetConsoleCtrlHandler(RemoveTemporaryOnInterrupt, TRUE);
    return true;
}

void DisarmRemoval()
{
    SetConsoleCtrlHandler(RemoveTemporaryOnInterrupt, FALSE);
    AcquireSRWLockExclusive(&g_pending.lock);
    g_pending.armed = false;
    ReleaseSRWLockExclusive(&g_pending.lock);
}

// A hidden name derived from the output's, with a random part, so that a
// file left by a killed run never stands in the way of the next. A cut never
// splits a surrogate pair.
std::wstring TemporaryName(const std::wstring& outputName)
{
    static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937_64 random{std::random_device{}()};
    std::wstring::size_type keep = std::min<std::wstring::size_type>(outputName.size(), 200);
    if (keep > 0 && keep < outputName.size() && outputName[keep] >= 0xDC00 && outputName[keep] <= 0xDFFF)
        --keep;
    std::wstring name = L"." + outputName.substr(0, keep) + L".";
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
        input.file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (input.file == INVALID_HANDLE_VALUE)
            return false;
    }
    // Pipes and devices (CON, NUL, COM1) are read by the command line only.
    const bool usable = policy == StreamPolicy::Streams || GetFileType(input.file) == FILE_TYPE_DISK;
    if (!usable) {
        if (input.owned)
            CloseFile(input.file);
        input.file = INVALID_HANDLE_VALUE;
        return false;
    }
    input.identity = IdentityOf(input.file);
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
    // The file that gets the new content: its folder part (with the closing
    // separator or drive colon, or empty) and its name.
    std::wstring folder;
    std::wstring name;
    std::wstring temporary;  // the file written, beside it
    FileIdentity input;

    std::wstring Target() const { return folder + name; }
    bool IsInput(HANDLE candidate) const;
    DWORD CreateTemporary();
    bool OpenInPlace();
    bool OpenDirect(const std::wstring& path);
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
        DisarmRemoval();
        temporary.clear();
    }
}

// A file on a disk whose identity cannot be read counts as the input: better
// refused than overwritten.
bool OutputFile::Native::IsInput(HANDLE candidate) const
{
    if (GetFileType(candidate) != FILE_TYPE_DISK)
        return false;
    const FileIdentity identity = IdentityOf(candidate);
    return !identity.known || (input.known && identity == input);
}

DWORD OutputFile::Native::CreateTemporary()
{
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS); ++attempt) {
        const std::wstring candidate = folder + TemporaryName(name);
        file = CreateFileW(candidate.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_HIDDEN, nullptr);
        error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (error == ERROR_SUCCESS) {
            temporary = candidate;
            if (!ArmRemoval(temporary))
                return ERROR_FILENAME_EXCED_RANGE;  // the destructor removes it
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
    file = CreateFileW(Target().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE || GetFileType(file) != FILE_TYPE_DISK || IsInput(file) ||
        !SetEndOfFile(file))
        return false;
    way = Way::InPlace;
    return true;
}

// A device or pipe (NUL, CON, COM1, \\.\pipe\...) takes the bytes as they
// come and is never replaced by a file.
bool OutputFile::Native::OpenDirect(const std::wstring& path)
{
    file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    // Checked on the open file: it may have changed since it was looked at.
    if (file == INVALID_HANDLE_VALUE || GetFileType(file) == FILE_TYPE_DISK)
        return false;
    way = Way::Direct;
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

    const std::string folder = FolderPart(path, PathStyle::Windows);
    if (folder.size() == path.size())
        return false;  // no name: a folder
    const std::wstring wide = Utf8ToWide(path);
    if (NamesAPipe(path))
        return output.OpenDirect(wide);
    output.folder = Utf8ToWide(folder);
    output.name = Utf8ToWide(path.substr(folder.size()));

    // What stands at the path now, links followed to the file they lead to.
    HANDLE existing = CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (existing == INVALID_HANDLE_VALUE) {
        // Nothing there yet. A link leading nowhere stays as it is: the file
        // it names is not made.
        if (GetLastError() != ERROR_FILE_NOT_FOUND || GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES)
            return false;
        return output.CreateTemporary() == ERROR_SUCCESS;
    }

    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(existing, &information);
    const DWORD type = GetFileType(existing);
    const bool isInput = output.IsInput(existing);
    std::wstring finalPath(32768, L'\0');
    const DWORD finalLength = type == FILE_TYPE_DISK ? GetFinalPathNameByHandleW(existing, finalPath.data(),
                                                                                 static_cast<DWORD>(finalPath.size()),
                                                                                 FILE_NAME_NORMALIZED)
                                                     : 0;
    CloseHandle(existing);
    if (isInput)
        return false;
    if (type != FILE_TYPE_DISK)
        return output.OpenDirect(wide);
    // A folder is no output, and a write-protected file is not replaced.
    if (!known || (information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;

    // The file a link leads to gets the content, and the temporary file goes
    // beside it; a plain file is its own target. The system's own spelling
    // ("\\?\C:\Daten\out.txt") separates with "\" only.
    if (finalLength > 0 && finalLength < finalPath.size()) {
        finalPath.resize(finalLength);
        const std::wstring::size_type separator = finalPath.rfind(L'\\');
        output.folder = finalPath.substr(0, separator + 1);
        output.name = finalPath.substr(separator + 1);
    }
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
        // Standard output is the caller's to close.
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
    const std::wstring target = output.Target();
    const bool placed =
        output.outputExisted
            ? ReplaceFileW(target.c_str(), output.temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                           nullptr, nullptr)
            : MoveFileExW(output.temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!placed)
        return false;  // the destructor removes the temporary file
    DisarmRemoval();
    output.temporary.clear();
    return true;
}

bool NamesAStream(const std::string& path)
{
    if (NamesAPipe(path))
        return true;
    HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool stream = GetFileType(file) != FILE_TYPE_DISK;
    CloseHandle(file);
    return stream;
}
