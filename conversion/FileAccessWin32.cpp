// The conversion's files on Windows. Paths are UTF-8 and opened by their
// UTF-16 names, so that every name Windows allows works.
#include "FileAccess.h"

#include <windows.h>
#include <aclapi.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "OutputWays.h"
#include "PathFolders.h"
#include "TemporaryName.h"
#include "TextEncoding.h"

namespace {

// ReadFile and WriteFile count in a DWORD; a gigabyte at a time stays far
// inside it on every size_t.
constexpr std::size_t kLargestTransfer = std::size_t{1} << 30;

// Which file a handle reaches: its index in its volume, and the volume's
// serial number where that can be learnt. Devices, consoles and pipes have
// none, and none of them can be the input's bytes on a disk.
struct FileIdentity {
    bool known = false;
    bool volumeKnown = false;
    DWORD volume = 0;
    ULONGLONG indexLow = 0;
    ULONGLONG indexHigh = 0;  // 128-bit indexes (ReFS)
};

// Whether two files on a disk could be one: unless both indexes are known
// and differ (or the volumes are known and differ), they might be.
bool CouldBeTheSame(const FileIdentity& a, const FileIdentity& b)
{
    if (!a.known || !b.known)
        return true;
    if (a.volumeKnown && b.volumeKnown && a.volume != b.volume)
        return false;
    return a.indexLow == b.indexLow && a.indexHigh == b.indexHigh;
}

// The file's index through the native call, the one way left for handles the
// other calls refuse.
bool InternalIndexOf(HANDLE file, ULONGLONG& index)
{
    struct IoStatus {
        void* status;
        ULONG_PTR information;
    };
    using Query = LONG(WINAPI*)(HANDLE, IoStatus*, void*, ULONG, int);
    static const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationFile")));
    constexpr int kFileInternalInformation = 6;
    IoStatus status{};
    LARGE_INTEGER internal{};
    if (!query || query(file, &status, &internal, sizeof internal, kFileInternalInformation) < 0)
        return false;
    index = static_cast<ULONGLONG>(internal.QuadPart);
    return true;
}

// Under Wine a standard handle redirected into a file answers neither
// GetFileInformationByHandle nor GetFinalPathNameByHandleW, but tells its
// index by the other two ways (its volume stays unknown).
FileIdentity IdentityOf(HANDLE file)
{
    if (GetFileType(file) != FILE_TYPE_DISK)
        return {};
    FileIdentity identity;
    BY_HANDLE_FILE_INFORMATION information{};
    FILE_ID_INFO id{};
    if (GetFileInformationByHandle(file, &information)) {
        identity = {true, true, information.dwVolumeSerialNumber,
                    (ULONGLONG{information.nFileIndexHigh} << 32) | information.nFileIndexLow, 0};
    } else if (GetFileInformationByHandleEx(file, FileIdInfo, &id, sizeof id)) {
        static_assert(sizeof id.FileId.Identifier == 2 * sizeof(ULONGLONG));
        std::memcpy(&identity.indexLow, id.FileId.Identifier, sizeof identity.indexLow);
        std::memcpy(&identity.indexHigh, id.FileId.Identifier + sizeof identity.indexLow, sizeof identity.indexHigh);
        identity.known = true;
        identity.volume = static_cast<DWORD>(id.VolumeSerialNumber);
        identity.volumeKnown = id.VolumeSerialNumber != 0;
    } else {
        identity.known = InternalIndexOf(file, identity.indexLow);
    }
    return identity;
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

// What a path may name besides a file on a disk: a device (NUL, CON, COM1),
// or a pipe by its pipe name. Anything else that is no disk file, such as a
// Linux FIFO seen through Wine's drive Z:, neither waits nor ends as a pipe
// would, and is refused.
bool AcceptableStream(DWORD type, const std::string& path)
{
    return type == FILE_TYPE_CHAR || (type == FILE_TYPE_PIPE && NamesAPipe(path));
}

// --- Removing the temporary file when the user interrupts ------------------
//
// The console's handler runs on a thread of its own while the conversion
// goes on. The temporary file is open for deletion too, so removing it by
// name marks it to go when the process ends, which follows at once with the
// status Windows gives a program ended by Ctrl+C. Ctrl+Break, closing the
// console, logging off and shutting down are handled alike. A Ctrl+C the
// caller made the program ignore stays ignored: the system then calls no
// handler for it.

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
    // Ends every thread at once, the conversion's among them, with the lock
    // still held so that nothing renames the file meanwhile.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(STATUS_CONTROL_C_EXIT));
    return TRUE;
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

// Runs a step that must not be cut by an interrupt's removal of the
// temporary file (the rename that makes it the output).
template <typename Step>
bool WithoutInterrupts(Step step)
{
    AcquireSRWLockExclusive(&g_pending.lock);
    const bool done = step();
    if (done)
        g_pending.armed = false;
    ReleaseSRWLockExclusive(&g_pending.lock);
    return done;
}

// The longest name a folder on a Windows file system takes: 255 UTF-16 code
// units, which a name of as many UTF-8 bytes never exceeds.
constexpr std::size_t kLongestName = 255;

// Whether nothing at all stands at the path. Under Wine a Linux symbolic
// link that leads nowhere cannot be opened and has no attributes, yet a new
// file cannot be made in its place: that is how it shows. The probe goes
// again as its handle closes, however the process ends.
bool NameIsFree(const std::wstring& path)
{
    const HANDLE probe = CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(probe);
    return true;
}

// The old output's permissions, taken over by the file that replaces it as
// ReplaceFileW would: its access list always (inherited entries inherited
// anew from the folder, as the old ones were), its owner and group where
// this process may set them. What the new file has already is left alone:
// under Wine, which keeps no access lists, setting one only changes the Linux
// permission bits it is made from.
class SecurityOf {
public:
    explicit SecurityOf(const std::wstring& path)
        : m_read(GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, kParts, &m_owner, &m_group, &m_dacl, nullptr,
                                       &m_descriptor) == ERROR_SUCCESS)
    {
    }
    ~SecurityOf() { LocalFree(m_descriptor); }
    SecurityOf(const SecurityOf&) = delete;
    SecurityOf& operator=(const SecurityOf&) = delete;

    // The file is open with READ_CONTROL and WRITE_DAC, which its owner has
    // always; changing its owner is tried through its path.
    bool GiveTo(HANDLE file, const std::wstring& path) const
    {
        if (!m_read)
            return false;
        PSID owner = nullptr;
        PSID group = nullptr;
        PACL dacl = nullptr;
        PSECURITY_DESCRIPTOR current = nullptr;
        if (GetSecurityInfo(file, SE_FILE_OBJECT, kParts, &owner, &group, &dacl, nullptr, &current) != ERROR_SUCCESS)
            return false;
        const bool protectedList = IsProtected(m_descriptor);
        bool given = true;
        if (!SameList(dacl, m_dacl) || IsProtected(current) != protectedList) {
            const SECURITY_INFORMATION inheritance =
                protectedList ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION;
            given = SetSecurityInfo(file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | inheritance, nullptr, nullptr,
                                    m_dacl, nullptr) == ERROR_SUCCESS;
        }
        std::wstring name = path;
        if (m_owner && owner && !EqualSid(owner, m_owner))
            SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, m_owner, nullptr, nullptr,
                                  nullptr);
        if (m_group && group && !EqualSid(group, m_group))
            SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, GROUP_SECURITY_INFORMATION, nullptr, m_group, nullptr,
                                  nullptr);
        LocalFree(current);
        return given;
    }

private:
    static constexpr SECURITY_INFORMATION kParts =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;

    static bool IsProtected(PSECURITY_DESCRIPTOR descriptor)
    {
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        return GetSecurityDescriptorControl(descriptor, &control, &revision) && (control & SE_DACL_PROTECTED);
    }

    static bool SameList(const ACL* a, const ACL* b)
    {
        if (!a || !b)
            return a == b;
        return a->AclSize == b->AclSize && std::memcmp(a, b, a->AclSize) == 0;
    }

    PSID m_owner = nullptr;
    PSID m_group = nullptr;
    PACL m_dacl = nullptr;
    PSECURITY_DESCRIPTOR m_descriptor = nullptr;
    bool m_read;
};

}  // namespace

// --- Input -----------------------------------------------------------------

struct InputFile::Native {
    HANDLE file = INVALID_HANDLE_VALUE;
    bool owned = true;
    bool onDisk = false;
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
    const bool standardInput = policy == StreamPolicy::Streams && path == "-";
    if (standardInput) {
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
    // Pipes and devices (CON, NUL, COM1) are read by the command line only;
    // standard input is read whatever it is.
    const DWORD type = GetFileType(input.file);
    input.onDisk = type == FILE_TYPE_DISK;
    const bool usable =
        input.onDisk || (policy == StreamPolicy::Streams && (standardInput || AcceptableStream(type, path)));
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
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, kLargestTransfer));
    if (ReadFile(m_native->file, buffer, wanted, &got, nullptr))
        return got;
    // A pipe whose writer has finished ends like a file.
    return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
}

// --- Output ----------------------------------------------------------------

struct OutputFile::Native : OutputWays {
    HANDLE file = INVALID_HANDLE_VALUE;
    bool outputExisted = false;
    DWORD outputAttributes = 0;  // the old output's, when it existed
    // The file that gets the new content: its folder part (with the closing
    // separator or drive colon, or empty) and its name.
    std::wstring folder;
    std::wstring name;
    std::wstring temporary;  // the file written, beside it
    bool inputOnDisk = false;
    FileIdentity input;

    std::wstring Target() const { return folder + name; }
    bool IsInput(HANDLE candidate) const;
    DWORD CreateTemporary();
    bool OpenInPlace();
    bool OpenDirect(const std::wstring& path, DWORD expectedType);
    void Discard();
    bool WriteAll(const char* data, std::size_t size) override;
    bool EndAt(std::uint64_t length) override;
    bool CloseOutput() override;
    bool SyncAndCloseOutput() override;
    bool PutInPlace() override;
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

// Whether the candidate could be the input's file: a file on a disk whose
// identity cannot be learnt, beside an input on a disk, counts as the input
// (better refused than overwritten), and so does any file beside an input
// whose identity cannot be learnt.
bool OutputFile::Native::IsInput(HANDLE candidate) const
{
    if (!inputOnDisk || GetFileType(candidate) != FILE_TYPE_DISK)
        return false;
    return CouldBeTheSame(IdentityOf(candidate), input);
}

DWORD OutputFile::Native::CreateTemporary()
{
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS); ++attempt) {
        const std::wstring candidate = folder + Utf8ToWide(TemporaryName(WideToUtf8(name), kLongestName));
        file = CreateFileW(candidate.c_str(), GENERIC_WRITE | DELETE | READ_CONTROL | WRITE_DAC,
                           FILE_SHARE_DELETE, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
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
    // Opened without truncating: its old content goes only as the new one is
    // written (InPlaceRewrite), and never if it is the input.
    file = CreateFileW(Target().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE || GetFileType(file) != FILE_TYPE_DISK || IsInput(file))
        return false;
    way = Way::InPlace;
    return true;
}

// A device or pipe (NUL, CON, COM1, \\.\pipe\...) takes the bytes as they
// come and is never replaced by a file.
bool OutputFile::Native::OpenDirect(const std::wstring& path, DWORD expectedType)
{
    file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    // Checked on the open file: it may have changed since it was looked at.
    if (file == INVALID_HANDLE_VALUE || GetFileType(file) != expectedType)
        return false;
    way = Way::Direct;
    return true;
}

bool OutputFile::Open(const std::string& path, const InputFile& input, StreamPolicy policy)
{
    Native& output = *m_native;
    output.input = input.m_native->identity;
    output.inputOnDisk = input.m_native->onDisk;
    if (policy == StreamPolicy::Streams && path == "-") {
        // Written as it is, never replaced: the shell has opened it already.
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
        return output.OpenDirect(wide, FILE_TYPE_PIPE);
    output.folder = Utf8ToWide(folder);
    output.name = Utf8ToWide(path.substr(folder.size()));

    // What stands at the path now, links followed to the file they lead to.
    HANDLE existing = CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (existing == INVALID_HANDLE_VALUE) {
        // Nothing there yet. A link leading nowhere stays as it is: the file
        // it names is not made.
        if (GetLastError() != ERROR_FILE_NOT_FOUND || GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES ||
            !NameIsFree(wide))
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
        return AcceptableStream(type, path) && output.OpenDirect(wide, type);
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
    output.outputAttributes = information.dwFileAttributes;
    const DWORD error = output.CreateTemporary();
    if (error == ERROR_SUCCESS)
        return true;
    // A folder that takes no new file, with a writable output in it.
    return error == ERROR_ACCESS_DENIED && output.OpenInPlace();
}

bool OutputFile::Write(const char* data, std::size_t size)
{
    return m_native->Write(data, size);
}

bool OutputFile::Native::WriteAll(const char* data, std::size_t size)
{
    while (size > 0) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, kLargestTransfer));
        if (!WriteFile(file, data, chunk, &written, nullptr))
            return false;
        data += written;
        size -= written;
    }
    return true;
}

bool OutputFile::Native::EndAt(std::uint64_t length)
{
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(length);
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

// The temporary file becomes the output in one rename, after taking over
// what ReplaceFileW would have kept of an old output: its Hidden and System
// attributes and its permissions. (ReplaceFileW itself takes three steps, and
// an interrupt between them can leave no output at all.) Archive is set, as
// on any file that changed; a write-protected output was refused before.
bool OutputFile::Native::PutInPlace()
{
    const std::wstring target = Target();
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    if (outputExisted) {
        basic.FileAttributes |= outputAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (!SecurityOf(target).GiveTo(file, temporary))
            return false;
    }
    if (!SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic) || !SyncAndCloseOutput())
        return false;
    if (!WithoutInterrupts([&] {
            return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        }))
        return false;  // the destructor removes the temporary file
    DisarmRemoval();
    temporary.clear();
    return true;
}

bool OutputFile::Commit()
{
    return m_native->Commit();
}

bool OutputFile::Native::CloseOutput()
{
    return CloseHandle(std::exchange(file, INVALID_HANDLE_VALUE));
}

bool OutputFile::Native::SyncAndCloseOutput()
{
    return FlushFileBuffers(file) && CloseOutput();
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
