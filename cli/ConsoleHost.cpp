#include "ConsoleHost.h"

#include <utility>

ConsoleHost::ConsoleHost(std::string inputPath, std::string outputPath)
    : m_inputPath(std::move(inputPath)), m_outputPath(std::move(outputPath))
{
}

std::string ConsoleHost::ReadInputField()
{
    return m_inputPath;
}

std::string ConsoleHost::ReadOutputField()
{
    return m_outputPath;
}

void ConsoleHost::ShowMessage(const std::string& text)
{
    m_message = text;
}

void ConsoleHost::CloseWithOk()
{
    m_closedWithOk = true;
}
