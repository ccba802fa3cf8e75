// The program's resources on Windows: the .exe's own, found by the platform.
#include <windows.h>

#include "AfxPlatform.h"
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
