#include "TempDir.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#ifdef _WIN32
#include <windows.h>

#include <random>
#endif

namespace fs = std::filesystem;

fs::path PathOf(const std::string& text)
{
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string TextOf(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

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

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

namespace {

std::string DescribeFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::uint64_t hash = 1469598103934665603u;  // FNV-1a
    std::uint64_t size = 0;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        for (std::streamsize i = 0; i < in.gcount(); ++i)
            hash = (hash ^ static_cast<unsigned char>(buffer[i])) * 1099511628211u;
        size += static_cast<std::uint64_t>(in.gcount());
    }
    return "file of " + std::to_string(size) + " bytes, hash " + std::to_string(hash);
}

}  // namespace

std::map<std::string, std::string> DescribeTree(const fs::path& root)
{
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = TextOf(entry.path().lexically_relative(root));
        if (entry.is_symlink())
            tree[name] = "link to " + TextOf(fs::read_symlink(entry.path()));
        else if (entry.is_directory())
            tree[name] = "folder";
        else
            tree[name] = DescribeFile(entry.path());
    }
    return tree;
}

std::string NumberedPhonebook(int entries)
{
    std::string phonebook;
    for (int i = 0; i < entries; ++i)
        phonebook += "Name " + std::to_string(i) + ";030" + std::to_string(i) + "\r\n";
    return phonebook;
}

std::vector<std::string> OutputTemporaries(const std::filesystem::path& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = TextOf(entry.path().filename());
        if (name.rfind(".out.txt.", 0) == 0)
            found.push_back(name);
    }
    return found;
}

bool WaitForRecordsInATemporary(const std::filesystem::path& folder)
{
    for (int i = 0; i < 1000; ++i) {
        for (const std::string& name : OutputTemporaries(folder)) {
            std::error_code error;
            if (std::filesystem::file_size(folder / PathOf(name), error) > 0)
                return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}
