#include "PathFolders.h"

std::string FolderPart(const std::string& path, PathStyle style)
{
    const char* const separators = style == PathStyle::Windows ? "\\/" : "/";
    const std::string::size_type lastSeparator = path.find_last_of(separators);
    if (lastSeparator != std::string::npos)
        return path.substr(0, lastSeparator + 1);
    const bool drive = style == PathStyle::Windows && path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return drive ? path.substr(0, 2) : std::string();
}

std::string ResolveOutputPath(const std::string& inputPath, const std::string& outputPath, PathStyle style)
{
    if (!FolderPart(outputPath, style).empty())
        return outputPath;
    return FolderPart(inputPath, style) + outputPath;
}

std::optional<std::string> ChooserStartFolder(const std::string& inputPath, const std::string& outputPath,
                                              PathStyle style)
{
    const std::string inputFolder = FolderPart(inputPath, style);
    if (!FolderPart(outputPath, style).empty() || inputFolder.empty())
        return std::nullopt;
    const bool whole = inputFolder.back() == ':' || (style == PathStyle::Posix && inputFolder == "/");
    return whole ? inputFolder : inputFolder.substr(0, inputFolder.size() - 1);
}
