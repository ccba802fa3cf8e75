#include "ConversionMessages.h"
#include "FileAccess.h"
#include "PhonebookConverter.h"

std::string ConversionMessages::Converted(std::int64_t recordCount)
{
    return std::to_string(recordCount) + " Eintr\xE4ge konvertiert";
}

std::string ConversionMessages::ForResult(const ConversionResult& result)
{
    switch (result.status) {
    case ConversionStatus::Ok: return Converted(result.recordCount);
    case ConversionStatus::InputOpenFailed: return kInputOpenFailed;
    case ConversionStatus::OutputOpenFailed: return kOutputOpenFailed;
    case ConversionStatus::InputReadFailed: return kInputReadFailed;
    case ConversionStatus::OutputWriteFailed: return kOutputWriteFailed;
    }
    return kInputReadFailed;  // not reached: every status is listed above
}

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

void RunConversion(ConversionHost& host, StreamPolicy policy)
{
    // Both fields are read before either is judged.
    const std::string inputPath = host.ReadInputField();
    const std::string outputPath = host.ReadOutputField();

    if (inputPath.empty()) {
        host.ShowMessage(ConversionMessages::kNoInput);
        return;
    }
    if (outputPath.empty()) {
        host.ShowMessage(ConversionMessages::kNoOutput);
        return;
    }

    const bool streams = policy == StreamPolicy::Streams;
    const bool bareOutput = FolderPart(outputPath).empty();
    if (streams && bareOutput && outputPath != "-" && inputPath != "-" && NamesAStream(inputPath)) {
        // "/dev/stdin" has a folder, but not one for the user's phonebook.
        host.ShowMessage(ConversionMessages::kOutputOpenFailed);
        return;
    }
    const std::string resolved =
        streams && outputPath == "-" ? outputPath : ResolveOutputPath(inputPath, outputPath);
    const ConversionResult result = ConvertPhonebook(inputPath, resolved, policy);
    host.ShowMessage(ConversionMessages::ForResult(result));
    if (result.status == ConversionStatus::Ok)
        host.CloseWithOk();
}
