// One attribute of a process to be started (the handles it inherits, the
// console it runs in), in the list CreateProcessW takes with
// EXTENDED_STARTUPINFO_PRESENT.
#pragma once

#include <windows.h>

#include <vector>

class ProcessAttribute {
public:
    ProcessAttribute(DWORD_PTR attribute, void* value, SIZE_T size)
    {
        SIZE_T bytes = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &bytes);
        m_bytes.resize(bytes);
        InitializeProcThreadAttributeList(List(), 1, 0, &bytes);
        UpdateProcThreadAttribute(List(), 0, attribute, value, size, nullptr, nullptr);
    }
    ~ProcessAttribute() { DeleteProcThreadAttributeList(List()); }
    ProcessAttribute(const ProcessAttribute&) = delete;
    ProcessAttribute& operator=(const ProcessAttribute&) = delete;

    LPPROC_THREAD_ATTRIBUTE_LIST List() { return reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_bytes.data()); }

private:
    std::vector<char> m_bytes;
};
