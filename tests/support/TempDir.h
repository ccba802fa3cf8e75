// A fresh folder for one test, removed with everything in it afterwards, and
// byte-exact file helpers.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

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

// The hidden temporary files the converter writes beside "out.txt" in the
// folder, and whether one of them comes to hold records (the conversion is
// midway) within ten seconds.
std::vector<std::string> OutputTemporaries(const std::filesystem::path& folder);
bool WaitForRecordsInATemporary(const std::filesystem::path& folder);

// Narrow path texts are UTF-8 on every platform, as in the program; these
// turn them into paths (UTF-16 on Windows) and back.
std::filesystem::path PathOf(const std::string& text);
std::string TextOf(const std::filesystem::path& path);

// A new, empty folder in the system's temporary folder, its name the prefix
// and a random part.
std::filesystem::path MakeTemporaryFolder(const std::string& prefix);

void WriteFile(const std::string& path, const std::string& bytes);
// Each entry below root (relative path) with what it is: a folder, a link and
// its target, or a file with its size and a hash of its bytes. Two equal
// descriptions mean nothing was created, removed or changed.
std::map<std::string, std::string> DescribeTree(const std::filesystem::path& root);
std::string ReadFile(const std::string& path);
// A phonebook of that many entries "Name <i>;030<i>", CR LF each: about 20
// bytes an entry, every one a record.
std::string NumberedPhonebook(int entries);
