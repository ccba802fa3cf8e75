#include "FileContents.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "PathText.h"

namespace fs = std::filesystem;

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
