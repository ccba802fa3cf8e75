#include "TempDir.h"

#include <cstdlib>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>

#include <random>
#endif

#include "PathText.h"

namespace fs = std::filesystem;

fs::path MakeTemporaryFolder(const std::string& prefix)
{
#ifdef _WIN32
    wchar_t base[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, base);
    std::random_device random;
    for (int attempt = 0; length > 0 && length <= MAX_PATH && attempt < 100; ++attempt) {
        const fs::path folder = fs::path(std::wstring(base, length)) / PathOf(prefix + "-" + std::to_string(random()));
        if (CreateDirectoryW(folder.c_str(), nullptr))
            return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
#else
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()))
        return pattern;
#endif
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::TempDir() : m_path(MakeTemporaryFolder("zedulo-test")) {}

TempDir::~TempDir()
{
    std::error_code error;
    fs::remove_all(m_path, error);
}

std::string TempDir::File(const std::string& name) const
{
    return TextOf(m_path / PathOf(name));
}
