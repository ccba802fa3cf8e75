#include "CString.h"

#include "AfxPlatform.h"
#include "TestHookState.h"
#include "resources/StringTable.h"

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
