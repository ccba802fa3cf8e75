// The folder parts of the paths the user types: where a bare output name
// goes, and where the output's file chooser starts.
#pragma once

#include <optional>
#include <string>

// How paths are spelt. On Windows both "\" and "/" separate folders, and a
// drive's colon ends the folder part too: "D:liste.txt" is liste.txt in the
// current folder of drive D:. On Linux only "/" separates.
enum class PathStyle { Posix, Windows };
#ifdef _WIN32
constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// The folder part of a path, including its closing separator or drive colon:
// "C:\Daten\fritz.adr" gives "C:\Daten\", "D:fritz.adr" gives "D:",
// "/daten/fritz.adr" gives "/daten/". A bare name gives "".
std::string FolderPart(const std::string& path, PathStyle style = kNativePathStyle);

// The path to write to: a bare output name (no folder part) gets the input
// file's folder part put in front; anything else stays as typed.
std::string ResolveOutputPath(const std::string& inputPath, const std::string& outputPath,
                              PathStyle style = kNativePathStyle);

// The folder the output's file chooser starts in: the input's, where the
// output is a bare name that will go there, without its closing separator
// ("C:\Daten", "C:"), except a root that is the separator itself on Linux
// ("/"). Nothing where the chooser starts wherever the platform chooses.
std::optional<std::string> ChooserStartFolder(const std::string& inputPath, const std::string& outputPath,
                                              PathStyle style = kNativePathStyle);
