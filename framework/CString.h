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

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    char GetAt(int index) const { return m_text.at(static_cast<std::size_t>(index)); }

    // The index of the first (or last) occurrence, or -1.
    int Find(char ch, int start = 0) const;
    int Find(const char* text, int start = 0) const;
    int ReverseFind(char ch) const;

    // The first count characters, all if count exceeds the length, none if
    // it is negative.
    CString Left(int count) const;

    // Inserts at index (clamped to 0..length); returns the new length.
    int Insert(int index, char ch);
    int Insert(int index, const char* text);

    // printf-style formatting; a CString argument is passed as (LPCTSTR) text.
    void Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    // The string-table entry id; leaves the string empty if there is none.
    BOOL LoadStringA(UINT id);

    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }
    const std::string& Str() const { return m_text; }

    CString& operator=(const char* text);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_text + (b ? b : "")); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }

private:
    std::string m_text;
};
