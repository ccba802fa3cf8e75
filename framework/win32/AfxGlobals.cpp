// The module and its resources on Windows: the .exe's own.
#include "AfxGlobals.h"

#include <string>

#include "AfxPlatform.h"
#include "TextEncoding.h"
#include "resources/ResourceSource.h"

namespace {

// The resources of the program's module, found by the platform.
class ModuleResources : public ResourceSource {
public:
    std::optional<std::span<const std::uint8_t>> FindData(std::uint16_t type, std::uint16_t id) const override
    {
        HMODULE module = GetModuleHandleW(nullptr);
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        const void* bytes = loaded ? LockResource(loaded) : nullptr;
        if (!bytes)
            return std::nullopt;
        return std::span(static_cast<const std::uint8_t*>(bytes), SizeofResource(module, found));
    }
};

}  // namespace

const ResourceSource& AfxProgramResources()
{
    static const ModuleResources resources;
    return resources;
}

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
