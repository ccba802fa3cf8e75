#include "CString.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "AfxPlatform.h"
#include "TestHookState.h"
#include "resources/StringTable.h"

namespace {

std::size_t Clamp(int index, std::size_t length)
{
    return static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(length)));
}

int IndexOrMinusOne(std::string::size_type position)
{
    return position == std::string::npos ? -1 : static_cast<int>(position);
}

}  // namespace

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    return IndexOrMinusOne(m_text.find(ch, static_cast<std::size_t>(start)));
}

int CString::Find(const char* text, int start) const
{
    if (!text || start < 0 || start > GetLength())
        return -1;
    return IndexOrMinusOne(m_text.find(text, static_cast<std::size_t>(start)));
}

int CString::ReverseFind(char ch) const
{
    return IndexOrMinusOne(m_text.rfind(ch));
}

CString CString::Left(int count) const
{
    return CString(m_text.substr(0, Clamp(count, m_text.size())));
}

int CString::Insert(int index, char ch)
{
    m_text.insert(Clamp(index, m_text.size()), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* text)
{
    m_text.insert(Clamp(index, m_text.size()), text ? text : "");
    return GetLength();
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::vector<char> buffer(static_cast<std::size_t>(std::max(length, 0)) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    m_text.assign(buffer.data(), static_cast<std::size_t>(std::max(length, 0)));
}

BOOL CString::LoadStringA(UINT id)
{
    const auto text = AfxTestHooks::StringHidden(id)
                          ? std::nullopt
                          : LoadResourceString(AfxProgramResources(), static_cast<std::uint16_t>(id));
    m_text = text.value_or("");
    return text.has_value();
}

CString& CString::operator=(const char* text)
{
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator+=(const char* text)
{
    m_text += text ? text : "";
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text += ch;
    return *this;
}
