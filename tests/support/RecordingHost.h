// A ConversionHost that answers the conversion command as the dialog would,
// from two given field texts, and records what it was asked, in order.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "RunConversion.h"

class RecordingHost : public ConversionHost {
public:
    RecordingHost(std::string inputField, std::string outputField)
        : input(std::move(inputField)), output(std::move(outputField))
    {
    }

    std::string ReadInputField() override { calls.push_back("input"); return input; }
    std::string ReadOutputField() override { calls.push_back("output"); return output; }
    void ShowMessage(const std::string& text) override
    {
        calls.push_back("show " + text);
        messages.push_back(text);
    }
    void CloseWithOk() override
    {
        calls.push_back("close");
        closed = true;
    }

    std::string input;
    std::string output;
    std::vector<std::string> calls;     // "input", "output", "show <message>", "close"
    std::vector<std::string> messages;  // Windows-1252, as the core says them
    bool closed = false;
};
