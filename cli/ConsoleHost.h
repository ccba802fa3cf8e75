// Runs the conversion command for a terminal: the "fields" are the command's
// arguments and the message is printed rather than shown in a box.
#pragma once

#include <string>

#include "RunConversion.h"

class ConsoleHost : public ConversionHost {
public:
    ConsoleHost(std::string inputPath, std::string outputPath);

    std::string ReadInputField() override;
    std::string ReadOutputField() override;
    void ShowMessage(const std::string& text) override;
    void CloseWithOk() override;

    // The last message shown, as Windows-1252.
    const std::string& Message() const { return m_message; }
    // Whether the command ended in success.
    bool Succeeded() const { return m_closedWithOk; }

private:
    std::string m_inputPath;
    std::string m_outputPath;
    std::string m_message;
    bool m_closedWithOk = false;
};
