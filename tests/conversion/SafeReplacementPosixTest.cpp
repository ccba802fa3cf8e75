// How the output is put in place: what it keeps of the old output, how it
// treats links, devices and FIFOs, what a folder without room for a new file
// does, and that nothing done to the output path can reach the input.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "FileContents.h"
#include "PhonebookConverter.h"
#include "Phonebooks.h"
#include "PlatformFiles.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

mode_t ModeOf(const std::string& path)
{
    struct stat status {};
    stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

ino_t InodeOf(const std::string& path)
{
    struct stat status {};
    stat(path.c_str(), &status);
    return status.st_ino;
}

// The names in a folder that hold no expected file: temporaries left behind.
std::vector<std::string> HiddenFiles(const fs::path& folder)
{
    std::vector<std::string> hidden;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().front() == '.')
            hidden.push_back(entry.path().filename().string());
    }
    return hidden;
}

TEST(SafeReplacement, KeepsTheOldPermissionsOrGivesTheUsualOnes)
{
    const struct {
        mode_t umask;
        std::optional<mode_t> existing;
        mode_t expected;
    } cases[] = {
        {022, 0640, 0640}, {022, 0604, 0604}, {077, 0644, 0644}, {022, std::nullopt, 0644}, {077, std::nullopt, 0600},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteFile(dir.File("in.adr"), kPhonebook);
        if (c.existing) {
            WriteFile(dir.File("out.txt"), kOldOutput);
            chmod(dir.File("out.txt").c_str(), *c.existing);
        }
        const mode_t umaskBefore = umask(c.umask);
        const ConversionResult result = ConvertPhonebook(dir.File("in.adr"), dir.File("out.txt"));
        umask(umaskBefore);
        EXPECT_EQ(result.status, ConversionStatus::Ok);
        EXPECT_EQ(ReadFile(dir.File("out.txt")), kRecords);
        EXPECT_EQ(ModeOf(dir.File("out.txt")), c.expected)
            << "umask " << std::oct << c.umask << ", existing " << c.existing.value_or(0);
    }
}

TEST(SafeReplacement, LinksStayLinksAndTheirTargetGetsTheContent)
{
    TempDir dir;
    fs::create_directories(dir.File("a"));
    fs::create_directories(dir.File("b"));
    WriteFile(dir.File("in.adr"), kPhonebook);
    WriteFile(dir.File("b/ziel.txt"), kOldOutput);
    chmod(dir.File("b/ziel.txt").c_str(), 0640);
    fs::create_symlink("../b/ziel.txt", dir.File("a/direkt.txt"));
    fs::create_symlink("direkt.txt", dir.File("a/umweg.txt"));  // a link to a link
    fs::create_symlink(dir.File("b/neu.txt"), dir.File("a/neu.txt"));  // absolute, leading nowhere yet

    for (const char* link : {"a/direkt.txt", "a/umweg.txt", "a/neu.txt"}) {
        const ConversionResult result = ConvertPhonebook(dir.File("in.adr"), dir.File(link));
        EXPECT_EQ(result.status, ConversionStatus::Ok) << link;
        EXPECT_TRUE(fs::is_symlink(dir.File(link))) << link;
        EXPECT_EQ(ReadFile(dir.File(link)), kRecords) << link;
    }
    EXPECT_EQ(ModeOf(dir.File("b/ziel.txt")), 0640u);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir.File("b/neu.txt"))));
    // The new files were made beside the targets and renamed: nothing is left.
    EXPECT_TRUE(HiddenFiles(dir.File("a")).empty());
    EXPECT_TRUE(HiddenFiles(dir.File("b")).empty());
}

TEST(SafeReplacement, WritesFifosAndDevicesDirectly)
{
    TempDir dir;
    WriteFile(dir.File("in.adr"), kPhonebook);
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);

    // A FIFO with a reader gets the records and stays a FIFO, in either policy.
    for (const StreamPolicy policy : {StreamPolicy::RegularFilesOnly, StreamPolicy::Streams}) {
        const int reader = open(dir.File("fifo").c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_NE(reader, -1);
        const ConversionResult result = ConvertPhonebook(dir.File("in.adr"), dir.File("fifo"), policy);
        char received[256] = {};
        const ssize_t got = read(reader, received, sizeof received);
        close(reader);
        EXPECT_EQ(result.status, ConversionStatus::Ok);
        EXPECT_EQ(std::string(received, got > 0 ? static_cast<std::size_t>(got) : 0), kRecords);
        EXPECT_TRUE(fs::is_fifo(dir.File("fifo")));
    }

    // The dialog does not wait for a reader that may never come.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ConvertPhonebook(dir.File("in.adr"), dir.File("fifo")).status, ConversionStatus::OutputOpenFailed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(fs::is_fifo(dir.File("fifo")));
    EXPECT_TRUE(HiddenFiles(dir.Path()).empty());
}

// A dialog input that is no regular file is refused at once: a FIFO would
// wait for a writer, /dev/zero never ends, a socket cannot be read.
TEST(DialogInput, AnythingButARegularFileIsRefusedAtOnce)
{
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = dir.File("socket");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    fs::create_directory(dir.File("ordner"));

    for (const std::string& input : {dir.File("fifo"), std::string("/dev/zero"), std::string("/dev/null"), socketPath,
                                    dir.File("ordner")}) {
        const auto start = std::chrono::steady_clock::now();
        const ConversionResult result = ConvertPhonebook(input, dir.File("out.txt"));
        EXPECT_EQ(result.status, ConversionStatus::InputOpenFailed) << input;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << input;
        EXPECT_FALSE(fs::exists(dir.File("out.txt"))) << input;
    }
    close(listener);
}

// The in-place fallback: a folder that takes no new file, with a writable
// output in it. Run as an ordinary user, for whom permissions hold.
ConversionStatus ConvertAsOrdinaryUser(const std::string& input, const std::string& output)
{
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(100);
        // Changing the user made /proc/self root's; an ordinary program's is its own.
        prctl(PR_SET_DUMPABLE, 1);
        _exit(static_cast<int>(ConvertPhonebook(input, output).status));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return static_cast<ConversionStatus>(WIFEXITED(status) ? WEXITSTATUS(status) : 100);
}

// A read error (or anything else that stops the conversion before its end)
// leaves the old content whole: the new one is held back until then.
TEST(SafeReplacement, FolderWithoutRoomForANewFileIsWrittenInPlace)
{
    const struct {
        const char* what;
        bool inputFails;
        std::optional<mode_t> existing;  // the output's permissions, if there is one
        ConversionStatus status;
        std::string content;
    } cases[] = {
        {"writable output", false, 0666, ConversionStatus::Ok, kRecords},
        {"writable output, input failing while read", true, 0666, ConversionStatus::InputReadFailed, kOldOutput},
        {"write-protected output", false, 0444, ConversionStatus::OutputOpenFailed, kOldOutput},
        {"no output", false, std::nullopt, ConversionStatus::OutputOpenFailed, ""},
    };
    for (const auto& c : cases) {
        TempDir dir;
        chmod(dir.Path().c_str(), 0755);
        const std::string folder = dir.File("schreibgeschuetzt");
        fs::create_directory(folder);
        WriteFile(dir.File("in.adr"), kPhonebook);
        chmod(dir.File("in.adr").c_str(), 0644);
        const std::string output = folder + "/out.txt";
        if (c.existing) {
            WriteFile(output, kOldOutput);
            chmod(output.c_str(), *c.existing);
        }
        const ino_t inodeBefore = InodeOf(output);
        chmod(folder.c_str(), 0555);

        EXPECT_EQ(ConvertAsOrdinaryUser(c.inputFails ? kUnreadableFile : dir.File("in.adr"), output), c.status)
            << c.what;
        EXPECT_EQ(fs::exists(output), c.existing.has_value()) << c.what;
        if (c.existing) {
            EXPECT_EQ(ReadFile(output), c.content) << c.what;
            EXPECT_EQ(InodeOf(output), inodeBefore) << c.what << ": rewritten, not replaced";
        }
        chmod(folder.c_str(), 0755);
    }
}

// While the output path keeps changing between nothing and a link to the
// input, the input's bytes are never touched.
TEST(SafeReplacement, SwappingTheOutputForALinkNeverReachesTheInput)
{
    TempDir dir;
    WriteFile(dir.File("in.adr"), kPhonebook);
    const std::string output = dir.File("out.txt");
    std::atomic<bool> stop{false};
    std::thread swapper([&] {
        while (!stop) {
            symlink("in.adr", output.c_str());
            unlink(output.c_str());
        }
    });
    int refused = 0;
    for (int run = 0; run < 2000; ++run) {
        const ConversionResult result = ConvertPhonebook(dir.File("in.adr"), output);
        refused += result.status == ConversionStatus::OutputOpenFailed;
        ASSERT_EQ(ReadFile(dir.File("in.adr")), kPhonebook) << "run " << run;
    }
    stop = true;
    swapper.join();
    std::cout << refused << " of 2000 runs met the link to the input and refused\n";
    EXPECT_TRUE(HiddenFiles(dir.Path()).empty());
}

}  // namespace
