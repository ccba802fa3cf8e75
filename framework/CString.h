// CString: the framework's string, a narrow text in UTF-8 (on Windows too:
// the framework hands the platform UTF-16), with the operations of the
// Windows framework. Indices count bytes from 0.
#pragma once

#include <string>

#include "WinTypes.h"

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    explicit CString(std::string text) : m_text(std::move(text)) {}

    BOOL IsEmpty() const { return m_text.empty(); }

    // The string-table entry id; leaves the string empty if there is none.
    BOOL LoadStringA(UINT id);

    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }
    const std::string& Str() const { return m_text; }

    CString& operator=(const char* text);
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }

private:
    std::string m_text;
};
