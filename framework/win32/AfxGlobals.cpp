// The module on Windows: the .exe itself.
#include "AfxGlobals.h"

#include <string>

#include "AfxPlatform.h"
#include "TextEncoding.h"

std::string AfxModuleBaseName()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, length);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    return WideToUtf8(name.substr(0, name.rfind(L'.')));
}

HINSTANCE AfxFindResourceHandle(LPCTSTR, LPCTSTR)
{
    return GetModuleHandleW(nullptr);
}
