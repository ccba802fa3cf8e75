// The conversion command: what the dialog's OK and the command line run.
#pragma once

#include <string>

#include "PhonebookConverter.h"

// What the conversion command needs of the window it runs in. Texts are the
// platform's narrow path texts; messages are Windows-1252.
class ConversionHost {
public:
    // Copies the input field's text into the host's input path and returns it.
    virtual std::string ReadInputField() = 0;
    // The same for the output field.
    virtual std::string ReadOutputField() = 0;
    // Shows the message modally; returns when the user has closed it.
    virtual void ShowMessage(const std::string& text) = 0;
    // Ends the dialog with the OK result.
    virtual void CloseWithOk() = 0;

protected:
    ~ConversionHost() = default;
};

// The whole OK command: reads and checks both fields, resolves the output
// path, converts, shows the outcome and, on success only, closes the host.
// With Streams, an output "-" is standard output, and a bare output name
// beside an input that is a pipe or device is refused: that folder is no
// place for it (a bare name beside "-" stays in the current folder).
// ownCountry: the country an XML backup's international numbers are dialled
// from (the dialog's is always the platform's).
void RunConversion(ConversionHost& host, StreamPolicy policy = StreamPolicy::RegularFilesOnly,
                   const CallingCode& ownCountry = HomeCountry());
