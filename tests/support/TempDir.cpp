#include "TempDir.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "zedulo-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code error;
    fs::remove_all(m_path, error);
}

std::string TempDir::File(const std::string& name) const
{
    return (m_path / name).string();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
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
        const std::string name = entry.path().lexically_relative(root).string();
        if (entry.is_symlink())
            tree[name] = "link to " + fs::read_symlink(entry.path()).string();
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
