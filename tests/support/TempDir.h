// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The path of name inside the folder, as a narrow path text.
    std::string File(const std::string& name) const;

private:
    std::filesystem::path m_path;
};

// A new, empty folder in the system's temporary folder, its name the prefix
// and a random part.
std::filesystem::path MakeTemporaryFolder(const std::string& prefix);
