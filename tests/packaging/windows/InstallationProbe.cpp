// Tells the installer test what Windows itself sees of an installation, one
// "name=value" line each, in UTF-8:
//   installation-probe shortcut LINK      target=, arguments=, icon=PATH,INDEX
//   installation-probe key HKCU|HKLM KEY  each value (numbers as #N); status 1 without the key
//   installation-probe version FILE       language=, then the version block's texts
//   installation-probe icon FILE          the first icon group: size, depth and checksum of each image
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void Print(const std::wstring& name, const std::wstring& value)
{
    std::wstring line = name + L"=" + value + L"\n";
    int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), size, nullptr, nullptr);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

int Shortcut(const wchar_t* file)
{
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    IPersistFile* persisted = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))
        || FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persisted)))
        || FAILED(persisted->Load(file, STGM_READ)))
        return 1;
    wchar_t text[MAX_PATH] = {};
    int index = 0;
    link->GetPath(text, MAX_PATH, nullptr, 0);
    Print(L"target", text);
    link->GetArguments(text, MAX_PATH);
    Print(L"arguments", text);
    link->GetIconLocation(text, MAX_PATH, &index);
    Print(L"icon", std::wstring(text) + L"," + std::to_wstring(index));
    return 0;
}

int Key(const wchar_t* root, const wchar_t* subkey)
{
    HKEY key;
    if (RegOpenKeyExW(std::wstring(root) == L"HKLM" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, subkey, 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return 1;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256, type = 0;
        BYTE data[4096];
        DWORD dataSize = sizeof data;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        if (type == REG_DWORD)
            Print(name, L"#" + std::to_wstring(*reinterpret_cast<DWORD*>(data)));
        else
            Print(name, reinterpret_cast<const wchar_t*>(data));
    }
    RegCloseKey(key);
    return 0;
}

int Version(const wchar_t* file)
{
    std::vector<BYTE> block(GetFileVersionInfoSizeW(file, nullptr));
    if (block.empty() || !GetFileVersionInfoW(file, 0, static_cast<DWORD>(block.size()), block.data()))
        return 1;
    WORD* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size)
        || size < 4)
        return 1;
    wchar_t language[16];
    swprintf(language, 16, L"%04x%04x", translation[0], translation[1]);
    Print(L"language", language);
    for (const wchar_t* name : {L"ProductName", L"FileVersion", L"ProductVersion", L"CompanyName"}) {
        wchar_t* value = nullptr;
        std::wstring path = std::wstring(L"\\StringFileInfo\\") + language + L"\\" + name;
        if (VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &size))
            Print(name, value);
    }
    return 0;
}

BOOL CALLBACK TakeFirst(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR first)
{
    *reinterpret_cast<LPWSTR*>(first) = name;
    return FALSE;
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitsPerPixel;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

int Icon(const wchar_t* file)
{
    HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    LPWSTR group = nullptr;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(14), TakeFirst, reinterpret_cast<LONG_PTR>(&group));
    HRSRC found = group ? FindResourceW(module, group, MAKEINTRESOURCEW(14)) : nullptr;
    if (!found)
        return 1;
    auto* header = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
    auto* entries = reinterpret_cast<const IconGroupEntry*>(header + 3);
    for (WORD i = 0; i < header[2]; ++i) {
        HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(entries[i].id), MAKEINTRESOURCEW(3));
        if (!image)
            return 1;
        auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, image)));
        DWORD checksum = 2166136261u;  // FNV-1a
        for (DWORD b = 0; b < SizeofResource(module, image); ++b)
            checksum = (checksum ^ bytes[b]) * 16777619u;
        Print(L"image", std::to_wstring(entries[i].width) + L"x" + std::to_wstring(entries[i].height) + L"x"
                            + std::to_wstring(entries[i].bitsPerPixel) + L" " + std::to_wstring(checksum));
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::wstring what = argc > 2 ? argv[1] : L"";
    if (what == L"shortcut")
        return Shortcut(argv[2]);
    if (what == L"key" && argc > 3)
        return Key(argv[2], argv[3]);
    if (what == L"version")
        return Version(argv[2]);
    if (what == L"icon")
        return Icon(argv[2]);
    std::fputs("installation-probe shortcut|key|version|icon ...\n", stderr);
    return 2;
}
