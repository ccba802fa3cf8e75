// How the output is put in place on Windows: that no other name of the input
// reaches it, devices and write-protected files, the hidden temporary file,
// and a folder that takes no new file.
#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "FileContents.h"
#include "PathText.h"
#include "PhonebookConverter.h"
#include "ChildProcess.h"
#include "Phonebooks.h"
#include "PlatformFiles.h"
#include "TempDir.h"
#include "TextEncoding.h"

namespace fs = std::filesystem;

namespace {

DWORD AttributesOf(const std::string& path)
{
    return GetFileAttributesW(Utf8ToWide(path).c_str());
}

// Under Wine, where drive Z: is Linux's root, the path's Linux spelling: a
// name of the same file on another drive. Empty elsewhere.
std::string LinuxPathOf(const std::string& path)
{
    using Convert = char*(CDECL*)(const wchar_t*);
    const auto convert =
        reinterpret_cast<Convert>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"),
                                                                         "wine_get_unix_file_name")));
    char* const linuxPath = convert ? convert(Utf8ToWide(path).c_str()) : nullptr;
    if (!linuxPath)
        return "";
    const std::string text = linuxPath;
    HeapFree(GetProcessHeap(), 0, linuxPath);
    return text;
}

TEST(SafeReplacement, NoOtherNameOfTheInputReachesIt)
{
    TempDir dir;
    fs::create_directory(dir.Path() / "ordner");
    WriteFile(dir.File("in.adr"), kPhonebook);
    ASSERT_TRUE(CreateHardLinkW(Utf8ToWide(dir.File("hart.adr")).c_str(), Utf8ToWide(dir.File("in.adr")).c_str(), nullptr));
    std::string slashes = dir.File("in.adr");
    std::replace(slashes.begin(), slashes.end(), '\\', '/');
    const std::string linux = LinuxPathOf(dir.File("in.adr"));

    const struct {
        const char* what;
        std::string input;
        std::string output;
    } cases[] = {
        {"the same path", dir.File("in.adr"), dir.File("in.adr")},
        {"with slashes", dir.File("in.adr"), slashes},
        {"through a folder and back", dir.File("in.adr"), dir.File("ordner\\..\\in.adr")},
        {"in capitals", dir.File("in.adr"), dir.File("IN.ADR")},
        {"in the \\\\?\\ form", dir.File("in.adr"), "\\\\?\\" + dir.File("in.adr")},
        {"a hard link", dir.File("in.adr"), dir.File("hart.adr")},
        {"the file, given a hard link", dir.File("hart.adr"), dir.File("in.adr")},
        {"on drive Z: (Wine)", dir.File("in.adr"), linux.empty() ? "" : "Z:" + linux},
    };
    const auto before = DescribeTree(dir.Path());
    for (const auto& c : cases) {
        if (c.output.empty()) {
            std::cout << "Not possible here: " << c.what << "\n";
            continue;
        }
        EXPECT_EQ(ConvertPhonebook(c.input, c.output).status, ConversionStatus::OutputOpenFailed) << c.what;
        ASSERT_EQ(ReadFile(dir.File("in.adr")), kPhonebook) << c.what;
    }
    EXPECT_EQ(DescribeTree(dir.Path()), before) << "nothing made, nothing left behind";
}

TEST(SafeReplacement, DevicesAreWrittenAndWriteProtectedFilesKept)
{
    TempDir dir;
    WriteFile(dir.File("in.adr"), kPhonebook);
    WriteFile(dir.File("schreibgeschuetzt.txt"), kOldOutput);
    SetFileAttributesW(Utf8ToWide(dir.File("schreibgeschuetzt.txt")).c_str(), FILE_ATTRIBUTE_READONLY);
    const struct {
        std::string output;
        ConversionStatus status;
    } cases[] = {
        {"NUL", ConversionStatus::Ok},
        {dir.File("NUL"), ConversionStatus::Ok},  // a device in every folder
        {"\\\\.\\NUL", ConversionStatus::Ok},
        {dir.File("schreibgeschuetzt.txt"), ConversionStatus::OutputOpenFailed},
    };
    const auto before = DescribeTree(dir.Path());
    for (const auto& c : cases)
        EXPECT_EQ(ConvertPhonebook(dir.File("in.adr"), c.output).status, c.status) << c.output;
    EXPECT_EQ(DescribeTree(dir.Path()), before);
    EXPECT_TRUE(AttributesOf(dir.File("schreibgeschuetzt.txt")) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(Utf8ToWide(dir.File("schreibgeschuetzt.txt")).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The temporary file is made hidden; the output it becomes must not be
// (unless the old output was).
TEST(SafeReplacement, TheOutputIsNeverHidden)
{
    for (const bool existed : {false, true}) {
        TempDir dir;
        WriteFile(dir.File("in.adr"), kPhonebook);
        if (existed)
            WriteFile(dir.File("out.txt"), kOldOutput);
        EXPECT_EQ(ConvertPhonebook(dir.File("in.adr"), dir.File("out.txt")).status, ConversionStatus::Ok) << existed;
        EXPECT_EQ(ReadFile(dir.File("out.txt")), kRecords) << existed;
        EXPECT_FALSE(AttributesOf(dir.File("out.txt")) & FILE_ATTRIBUTE_HIDDEN) << "output existed: " << existed;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2) << existed;
    }
}

// Under Wine only: a Linux folder made immutable takes no new file, while a
// file already in it stays writable. chattr runs as a Linux program, which
// Wine starts without a way to wait for it, so its effect is waited for.
class ImmutableFolder {
public:
    explicit ImmutableFolder(const fs::path& folder) : m_folder(folder) { m_made = Set(true); }
    ~ImmutableFolder()
    {
        if (m_made)
            Set(false);
    }
    bool Made() const { return m_made; }

private:
    bool Set(bool immutable)
    {
        const std::string linux = LinuxPathOf(TextOf(m_folder));
        const StartedProcess chattr =
            linux.empty() ? StartedProcess{} : StartProcess("Z:\\usr\\bin\\chattr", {immutable ? "+i" : "-i", linux}, {});
        if (!chattr.started)
            return false;
        if (chattr.handle)
            CloseHandle(chattr.handle);
        const std::wstring probe = (m_folder / "probe").wstring();
        for (int i = 0; i < 250; ++i) {
            const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                CloseHandle(file);
                DeleteFileW(probe.c_str());
            }
            if ((file == INVALID_HANDLE_VALUE) == immutable)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    fs::path m_folder;
    bool m_made = false;
};

FILE_ID_INFO IdOf(const std::string& path)
{
    FILE_ID_INFO id{};
    const HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    GetFileInformationByHandleEx(file, FileIdInfo, &id, sizeof id);
    CloseHandle(file);
    return id;
}

// An old output longer than the new content must not keep its end. A read error
// leaves it whole: the new content is held back until the input has ended.
TEST(SafeReplacement, FolderWithoutRoomForANewFileIsWrittenInPlace)
{
    const struct {
        const char* what;
        bool inputFails;
        DWORD existing;  // the output's attributes, 0 if there is none
        ConversionStatus status;
        std::string content;
    } cases[] = {
        {"writable output", false, FILE_ATTRIBUTE_NORMAL, ConversionStatus::Ok, kRecords},
        {"writable output, input failing while read", true, FILE_ATTRIBUTE_NORMAL, ConversionStatus::InputReadFailed,
         kOldOutput},
        {"write-protected output", false, FILE_ATTRIBUTE_READONLY, ConversionStatus::OutputOpenFailed, kOldOutput},
        {"no output", false, 0, ConversionStatus::OutputOpenFailed, ""},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteFile(dir.File("in.adr"), kPhonebook);
        fs::create_directory(dir.Path() / "fest");
        const std::string output = dir.File("fest\\out.txt");
        if (c.existing) {
            WriteFile(output, kOldOutput);
            SetFileAttributesW(Utf8ToWide(output).c_str(), c.existing);
        }
        const FILE_ID_INFO before = IdOf(output);
        {
            ImmutableFolder folder(dir.Path() / "fest");
            if (!folder.Made())
                GTEST_SKIP() << "no folder that takes no new file here (Wine and chattr +i needed)";
            EXPECT_EQ(ConvertPhonebook(c.inputFails ? kUnreadableFile : dir.File("in.adr"), output).status, c.status)
                << c.what;
        }
        EXPECT_EQ(fs::exists(PathOf(output)), c.existing != 0) << c.what;
        if (c.existing) {
            EXPECT_EQ(ReadFile(output), c.content) << c.what;
            const FILE_ID_INFO after = IdOf(output);
            EXPECT_EQ(std::memcmp(&after, &before, sizeof before), 0) << c.what << ": rewritten, not replaced";
            SetFileAttributesW(Utf8ToWide(output).c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }
}

}  // namespace

namespace {

std::string AccessListOf(const std::string& path)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(Utf8ToWide(path).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                              nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return "unreadable";
    wchar_t* text = nullptr;
    ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text,
                                                         nullptr);
    const std::string list = text ? WideToUtf8(text) : "none";
    LocalFree(text);
    LocalFree(descriptor);
    return list;
}

bool SetAccessList(const std::string& path, const wchar_t* sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    BOOL present = FALSE, defaulted = FALSE;
    PACL list = nullptr;
    GetSecurityDescriptorDacl(descriptor, &present, &list, &defaulted);
    const bool set = SetNamedSecurityInfoW(Utf8ToWide(path).data(), SE_FILE_OBJECT,
                                           DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                                           nullptr, list, nullptr) == ERROR_SUCCESS;
    LocalFree(descriptor);
    return set;
}

// What ReplaceFileW kept of the old output, the one rename that replaces it
// keeps too: its Hidden and System attributes and its access list. The new
// content is marked for the next backup (Archive). Wine keeps no access list:
// it answers with one made from the Linux permission bits.
TEST(SafeReplacement, KeepsTheOldOutputsAttributesAndAccessList)
{
    const struct {
        const char* what;
        DWORD attributes;
        const wchar_t* accessList;  // set on the old output, if any
    } cases[] = {
        {"plain", FILE_ATTRIBUTE_NORMAL, nullptr},
        {"hidden", FILE_ATTRIBUTE_HIDDEN, nullptr},
        {"system and hidden", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN, nullptr},
        {"an access list of its own", FILE_ATTRIBUTE_NORMAL, L"D:P(A;;FA;;;BA)(A;;FR;;;WD)"},
    };
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    for (const auto& c : cases) {
        TempDir dir;
        WriteFile(dir.File("in.adr"), kPhonebook);
        const std::string output = dir.File("out.txt");
        WriteFile(output, kOldOutput);
        ASSERT_TRUE(SetFileAttributesW(Utf8ToWide(output).c_str(), c.attributes)) << c.what;
        const std::string accessList = c.accessList && SetAccessList(output, c.accessList) ? AccessListOf(output) : "";
        if (c.accessList && accessList.rfind("D:P", 0) != 0) {
            std::cout << "Not possible here (Wine keeps no access lists): " << c.what << "\n";
            continue;
        }

        EXPECT_EQ(ConvertPhonebook(dir.File("in.adr"), output).status, ConversionStatus::Ok) << c.what;
        EXPECT_EQ(ReadFile(output), kRecords) << c.what;
        const DWORD attributes = AttributesOf(output);
        EXPECT_EQ(attributes & kKept, c.attributes & kKept) << c.what;
        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_ARCHIVE) << c.what;
        if (c.accessList) {
            EXPECT_EQ(AccessListOf(output), accessList) << c.what;
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2) << c.what;
        SetFileAttributesW(Utf8ToWide(output).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// Another program holds the old output without sharing it: the conversion
// fails, and nothing but the old output is left.
TEST(SafeReplacement, ALockedOutputStaysAloneAsItWas)
{
    TempDir dir;
    WriteFile(dir.File("in.adr"), kPhonebook);
    WriteFile(dir.File("out.txt"), kOldOutput);
    const auto before = DescribeTree(dir.Path());
    const HANDLE holder = CreateFileW(Utf8ToWide(dir.File("out.txt")).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const ConversionStatus status = ConvertPhonebook(dir.File("in.adr"), dir.File("out.txt")).status;
    CloseHandle(holder);
    EXPECT_EQ(status, ConversionStatus::OutputWriteFailed);
    EXPECT_EQ(DescribeTree(dir.Path()), before);
}

// Links and a FIFO made on the Linux side (by CTest's set-up of these tests),
// as Wine shows them: a link to a file cannot be told from the file, and is
// followed; a link leading nowhere cannot be opened, and is refused rather
// than replaced by a file; a FIFO neither waits nor ends as a pipe would, and
// is refused as input and as output, in the dialog and on the command line.
TEST(SafeReplacement, LinuxLinksAndFifosSeenThroughWine)
{
    const std::string linux = ZEDULO_LINUX_FILES_DIR;
    if (!fs::is_directory(PathOf(linux)))
        GTEST_SKIP() << "run by CTest, which makes " << linux;
    TempDir dir;
    WriteFile(dir.File("in.adr"), kPhonebook);
    WriteFile(linux + "/ziel.txt", kOldOutput);
    EXPECT_EQ(ConvertPhonebook(dir.File("in.adr"), linux + "/zum-ziel.txt").status, ConversionStatus::Ok);
    EXPECT_EQ(ReadFile(linux + "/ziel.txt"), kRecords) << "the link's target gets the content";

    const struct {
        const char* what;
        std::string input;
        std::string output;
        ConversionStatus status;
    } cases[] = {
        {"output a link leading nowhere", dir.File("in.adr"), linux + "/ins-leere.txt",
         ConversionStatus::OutputOpenFailed},
        {"input a FIFO without a writer", linux + "/fifo", dir.File("out.txt"), ConversionStatus::InputOpenFailed},
        {"output a FIFO without a reader", dir.File("in.adr"), linux + "/fifo", ConversionStatus::OutputOpenFailed},
    };
    for (const auto& c : cases) {
        for (const StreamPolicy policy : {StreamPolicy::RegularFilesOnly, StreamPolicy::Streams})
            EXPECT_EQ(ConvertPhonebook(c.input, c.output, policy).status, c.status) << c.what;
    }
    EXPECT_FALSE(fs::exists(dir.Path() / "out.txt"));
    EXPECT_FALSE(fs::exists(PathOf(linux + "/nirgendwo.txt"))) << "the link's target is not made";
    EXPECT_EQ(GetFileAttributesW(Utf8ToWide(linux + "/ins-leere.txt").c_str()), INVALID_FILE_ATTRIBUTES)
        << "still the link, not a file";
}

}  // namespace
