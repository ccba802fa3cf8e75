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

std::string ResolveOutputPathWith(char separator, const std::string& inputPath,
                                  const std::string& outputPath)
{
    if (outputPath.find(separator) != std::string::npos)
        return outputPath;
    const std::string::size_type lastSeparator = inputPath.rfind(separator);
    if (lastSeparator == std::string::npos)
        return outputPath;
    return inputPath.substr(0, lastSeparator + 1) + outputPath;
}

std::string ResolveOutputPath(const std::string& inputPath, const std::string& outputPath)
{
    return ResolveOutputPathWith(kPathSeparator, inputPath, outputPath);
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
    const bool bareOutput = outputPath.find(kPathSeparator) == std::string::npos;
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
