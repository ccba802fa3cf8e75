// The Windows program's resources, found by the platform's own functions:
// all German, plus the manifest only the Windows build carries.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

#include "TextEncoding.h"
#include "Version.h"

namespace {

struct FoundResource {
    std::uintptr_t type;
    std::uintptr_t name;
    WORD language;
};

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR found)
{
    reinterpret_cast<std::vector<FoundResource>*>(found)->push_back(
        {reinterpret_cast<std::uintptr_t>(type), reinterpret_cast<std::uintptr_t>(name), language});
    return TRUE;
}

BOOL CALLBACK AddNames(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR found)
{
    return EnumResourceLanguagesW(module, type, name, AddLanguage, found);
}

BOOL CALLBACK AddTypes(HMODULE module, LPWSTR type, LONG_PTR found)
{
    return EnumResourceNamesW(module, type, AddNames, found);
}

TEST(Win32Resources, AreGermanButTheManifest)
{
    std::vector<FoundResource> found;
    EnumResourceTypesW(nullptr, AddTypes, reinterpret_cast<LONG_PTR>(&found));
    int manifests = 0;
    for (const FoundResource& resource : found) {
        if (resource.type == 24) {
            ++manifests;
            EXPECT_EQ(resource.name, 1u) << "the process's own manifest";
        } else {
            EXPECT_EQ(resource.language, 0x0407) << "type " << resource.type << ", name " << resource.name;
        }
    }
    EXPECT_EQ(manifests, 1);
    EXPECT_GE(found.size(), 5u) << "dialogs, string table, icons, version block";
}

TEST(Win32Resources, ManifestAsksForVisualStylesAndPerMonitorDpi)
{
    HRSRC manifest = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_TRUE(manifest);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, manifest)));
    const std::string text(bytes, SizeofResource(nullptr, manifest));
    for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             ">PerMonitorV2</dpiAwareness>", ">true/pm</dpiAware>", "level=\"asInvoker\""})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}

// What Explorer shows of the program: the platform reads the version block.
TEST(Win32Resources, VersionBlockReadsInGerman)
{
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(program, &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(program, 0, static_cast<DWORD>(block.size()), block.data()));

    struct Translation {
        WORD language;
        WORD codePage;
    }* translations = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length));
    ASSERT_EQ(length, sizeof(Translation));
    EXPECT_EQ(translations->language, 0x0407);
    EXPECT_EQ(translations->codePage, 1252);

    const std::pair<const wchar_t*, const char*> entries[] = {
        {L"FileDescription", ZEDULO_DESCRIPTION},
        {L"FileVersion", ZEDULO_VERSION_TEXT},
        {L"OriginalFilename", "Zedulo.exe"},
        {L"ProductName", ZEDULO_DESCRIPTION},
    };
    for (const auto& [key, value] : entries) {
        wchar_t* text = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040704e4\\") + key;
        ASSERT_TRUE(VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length));
        EXPECT_EQ(WideToUtf8(text), value);
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(ZEDULO_VERSION_MINOR, ZEDULO_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(ZEDULO_VERSION_BUILD, ZEDULO_VERSION_PATCH)));
}

}  // namespace
