// The conversion's files on Linux and other POSIX systems.
#include "FileAccess.h"
#include "OutputWays.h"
#include "TemporaryName.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <limits>
#include <utility>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kNoFile = -1;

// As many links as Linux itself follows in one path before it gives up
// (ELOOP): more mean a loop.
constexpr int kMostLinksFollowed = 40;

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(const struct stat& status)
{
    return {status.st_dev, status.st_ino};
}

void CloseFile(int& fd)
{
    if (fd != kNoFile)
        ::close(fd);
    fd = kNoFile;
}

// Clears O_NONBLOCK, which served only to open without waiting.
void MakeBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1 && (flags & O_NONBLOCK))
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

// The folder part and the name of a path: "a/b/c" gives "a/b" and "c",
// "c" gives "." and "c", "/c" gives "/" and "c".
struct PathParts {
    std::string folder;
    std::string name;
};

PathParts SplitPath(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos)
        return {std::string(1, '.'), path};
    return {path.substr(0, slash == 0 ? 1 : slash), path.substr(slash + 1)};
}

// --- Removing the temporary file when the user interrupts -----------------
//
// SIGINT, SIGTERM and SIGHUP while a temporary file exists remove it and
// then end the process by the same signal, as if nothing had caught it.
// Signals that were ignored when the conversion began stay ignored, and a
// handler of the program's own is left alone.

const int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};

struct PendingTemporary {
    volatile std::sig_atomic_t armed = 0;
    int folder = kNoFile;
    char name[NAME_MAX + 1] = {};
    struct sigaction previous[std::size(kInterrupts)];
    bool installed[std::size(kInterrupts)] = {};
};
PendingTemporary g_pending;

extern "C" void RemoveTemporaryAndDie(int signal)
{
    if (g_pending.armed)
        ::unlinkat(g_pending.folder, g_pending.name, 0);
    struct sigaction fallBack {};
    fallBack.sa_handler = SIG_DFL;
    ::sigaction(signal, &fallBack, nullptr);
    ::raise(signal);  // delivered once this handler returns
}

// Keeps the interrupts away while the registration changes.
class InterruptsHeld {
public:
    InterruptsHeld()
    {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : kInterrupts)
            sigaddset(&held, signal);
        ::pthread_sigmask(SIG_BLOCK, &held, &m_before);
    }
    ~InterruptsHeld() { ::pthread_sigmask(SIG_SETMASK, &m_before, nullptr); }
    InterruptsHeld(const InterruptsHeld&) = delete;
    InterruptsHeld& operator=(const InterruptsHeld&) = delete;

private:
    sigset_t m_before;
};

// Call with the interrupts held.
void ArmRemoval(int folder, const std::string& name)
{
    g_pending.folder = folder;
    std::memcpy(g_pending.name, name.c_str(), name.size() + 1);
    g_pending.armed = 1;
    for (std::size_t i = 0; i < std::size(kInterrupts); ++i) {
        struct sigaction current {};
        ::sigaction(kInterrupts[i], nullptr, &current);
        g_pending.installed[i] = !(current.sa_flags & SA_SIGINFO) && current.sa_handler == SIG_DFL;
        if (!g_pending.installed[i])
            continue;
        struct sigaction removal {};
        removal.sa_handler = RemoveTemporaryAndDie;
        sigemptyset(&removal.sa_mask);
        ::sigaction(kInterrupts[i], &removal, &g_pending.previous[i]);
    }
}

// Call with the interrupts held.
void DisarmRemoval()
{
    g_pending.armed = 0;
    for (std::size_t i = 0; i < std::size(kInterrupts); ++i) {
        if (g_pending.installed[i])
            ::sigaction(kInterrupts[i], &g_pending.previous[i], nullptr);
        g_pending.installed[i] = false;
    }
}

}  // namespace

// --- Input -----------------------------------------------------------------

struct InputFile::Native {
    int fd = kNoFile;
    bool owned = true;
    FileIdentity identity;
};

InputFile::InputFile() : m_native(std::make_unique<Native>()) {}

InputFile::~InputFile()
{
    if (m_native->owned)
        CloseFile(m_native->fd);
}

bool InputFile::Open(const std::string& path, StreamPolicy policy)
{
    Native& file = *m_native;
    if (policy == StreamPolicy::Streams && path == "-") {
        file.fd = STDIN_FILENO;
        file.owned = false;
    } else {
        // Without O_NONBLOCK a FIFO would wait for a writer, which only the
        // command line may do.
        const int waiting = policy == StreamPolicy::Streams ? 0 : O_NONBLOCK;
        file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | waiting);
    }
    if (file.fd == kNoFile)
        return false;

    struct stat status {};
    const bool usable = ::fstat(file.fd, &status) == 0 && !S_ISDIR(status.st_mode) &&
                        (policy == StreamPolicy::Streams || S_ISREG(status.st_mode));
    if (!usable) {
        if (file.owned)
            CloseFile(file.fd);
        file.fd = kNoFile;
        return false;
    }
    file.identity = IdentityOf(status);
    MakeBlocking(file.fd);
    return true;
}

std::ptrdiff_t InputFile::Read(char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t got = ::read(m_native->fd, buffer, size);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

// --- Output ----------------------------------------------------------------

struct OutputFile::Native : OutputWays {
    int fd = kNoFile;
    int folder = kNoFile;
    std::string name;           // of the output in its folder
    std::string temporaryName;  // of the file replacing it
    FileIdentity input;

    bool WriteAll(const char* data, std::size_t size) override;
    bool EndAt(std::uint64_t length) override;
    bool CloseOutput() override;
    bool SyncAndCloseOutput() override;
    bool PutInPlace() override;
    // 0, or the error that kept the temporary file from being made.
    int CreateTemporary(const struct stat* existing);
    bool OpenInPlace();
    bool OpenDirect(bool waitForReader);
    bool IsInput(int fd) const;
};

OutputFile::OutputFile() : m_native(std::make_unique<Native>()) {}

OutputFile::~OutputFile()
{
    Native& file = *m_native;
    if (file.owned)
        CloseFile(file.fd);
    if (file.way == Native::Way::Replace && !file.temporaryName.empty()) {
        InterruptsHeld held;
        ::unlinkat(file.folder, file.temporaryName.c_str(), 0);
        DisarmRemoval();
    }
    CloseFile(file.folder);
}

bool OutputFile::Native::IsInput(int candidate) const
{
    struct stat status {};
    return ::fstat(candidate, &status) != 0 || IdentityOf(status) == input;
}

int OutputFile::Native::CreateTemporary(const struct stat* existing)
{
    int error = EEXIST;
    {
        InterruptsHeld held;
        for (int attempt = 0; attempt < kTemporaryNameAttempts && error == EEXIST; ++attempt) {
            const std::string candidate = TemporaryName(name, NAME_MAX);
            // 0666 less the umask, as any new file gets; an existing output's
            // permissions are copied below.
            fd = ::openat(folder, candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            error = fd == kNoFile ? errno : 0;
            if (error == 0) {
                temporaryName = candidate;
                ArmRemoval(folder, temporaryName);
            }
        }
    }
    if (error != 0)
        return error;
    if (existing) {
        // The owner can be kept only by the owner's or a privileged process;
        // the permission bits always.
        [[maybe_unused]] const int owned = ::fchown(fd, existing->st_uid, existing->st_gid);
        ::fchmod(fd, existing->st_mode & 07777);
    }
    way = Way::Replace;
    return 0;
}

bool OutputFile::Native::OpenInPlace()
{
    // Opened without truncating: its old content goes only as the new one is
    // written (InPlaceRewrite), and never if it is the input.
    fd = ::openat(folder, name.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK);
    if (fd == kNoFile)
        return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || IsInput(fd))
        return false;
    MakeBlocking(fd);
    way = Way::InPlace;
    return true;
}

bool OutputFile::Native::OpenDirect(bool waitForReader)
{
    fd = ::openat(folder, name.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | (waitForReader ? 0 : O_NONBLOCK));
    if (fd == kNoFile)
        return false;
    struct stat status {};
    // Checked on the open file: it may have changed since it was looked at.
    if (::fstat(fd, &status) != 0 || S_ISREG(status.st_mode) || S_ISDIR(status.st_mode) || IsInput(fd))
        return false;
    MakeBlocking(fd);
    way = Way::Direct;
    return true;
}

bool OutputFile::Open(const std::string& path, const InputFile& input, StreamPolicy policy)
{
    Native& file = *m_native;
    file.input = input.m_native->identity;
    if (policy == StreamPolicy::Streams && path == "-") {
        file.fd = STDOUT_FILENO;
        file.owned = false;
        if (file.IsInput(file.fd))
            return false;
        file.way = Native::Way::Direct;
        return true;
    }

    auto [folder, name] = SplitPath(path);
    // Follows symbolic links to the file they lead to, link by link, so that
    // a link stays a link and its target gets the new content.
    for (int links = 0;; ++links) {
        if (name.empty() || name == "." || name == ".." || links > kMostLinksFollowed)
            return false;
        CloseFile(file.folder);
        file.folder = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (file.folder == kNoFile)
            return false;

        struct stat status {};
        if (::fstatat(file.folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                return false;
            file.name = name;  // a new file, perhaps the target of a dangling link
            return file.CreateTemporary(nullptr) == 0;
        }
        if (S_ISLNK(status.st_mode)) {
            char target[PATH_MAX];
            const ssize_t length = ::readlinkat(file.folder, name.c_str(), target, sizeof target);
            if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target)
                return false;
            PathParts next = SplitPath(std::string(target, static_cast<std::size_t>(length)));
            folder = next.folder.front() == '/' ? next.folder : folder + "/" + next.folder;
            name = next.name;
            continue;
        }

        file.name = name;
        if (S_ISDIR(status.st_mode))
            return false;
        if (!S_ISREG(status.st_mode))
            return file.OpenDirect(policy == StreamPolicy::Streams);
        if (IdentityOf(status) == file.input)
            return false;
        const int error = file.CreateTemporary(&status);
        if (error == 0)
            return true;
        // A folder that takes no new file, with a writable output in it.
        if (error != EACCES && error != EPERM && error != EROFS)
            return false;
        return file.OpenInPlace();
    }
}

bool OutputFile::Write(const char* data, std::size_t size)
{
    return m_native->Write(data, size);
}

bool OutputFile::Native::WriteAll(const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool OutputFile::Native::EndAt(std::uint64_t length)
{
    return length <= static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) &&
           ::ftruncate(fd, static_cast<off_t>(length)) == 0;
}

bool OutputFile::Commit()
{
    return m_native->Commit();
}

bool OutputFile::Native::CloseOutput()
{
    return ::close(std::exchange(fd, kNoFile)) == 0;
}

bool OutputFile::Native::SyncAndCloseOutput()
{
    return ::fsync(fd) == 0 && CloseOutput();
}

bool OutputFile::Native::PutInPlace()
{
    if (!SyncAndCloseOutput())
        return false;
    {
        InterruptsHeld held;
        if (::renameat(folder, temporaryName.c_str(), folder, name.c_str()) != 0)
            return false;  // the destructor removes the temporary file
        temporaryName.clear();
        DisarmRemoval();
    }
    // The rename itself reaches the disk with the folder; where a folder
    // cannot be synced, the file system keeps its own order.
    ::fsync(folder);
    return true;
}

bool NamesAStream(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
}
