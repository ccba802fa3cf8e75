#include "RunConversion.h"

#include "ConversionMessages.h"
#include "FileAccess.h"
#include "PathFolders.h"

void RunConversion(ConversionHost& host, StreamPolicy policy, const CallingCode& ownCountry)
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
    const ConversionResult result = ConvertPhonebook(inputPath, resolved, policy, ownCountry);
    host.ShowMessage(ConversionMessages::ForResult(result));
    if (result.status == ConversionStatus::Ok)
        host.CloseWithOk();
}
