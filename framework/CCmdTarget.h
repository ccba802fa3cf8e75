// Message maps: each class that handles messages or commands keeps a static
// table binding a message (and for commands a notification code and control
// identifier) to a member function, and names its base class's table, so
// that a message is looked up from the most derived class upwards.
#pragma once

#include <cstring>

#include "WinTypes.h"

class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)();

// How a handler is called.
enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSigCmd_v,  // void Handler()                      for WM_COMMAND
    AfxSig_vv,    // void Handler()                      for other messages
    AfxSig_vwl,   // void Handler(UINT, LPARAM)          (WM_SYSCOMMAND)
    AfxSig_hv,    // HCURSOR Handler()                   (WM_QUERYDRAGICON)
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    UINT_PTR nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Handlers of other signatures are kept as AFX_PMSG and called with their own
// signature again, chosen by the entry's AfxSig; these carry them over.
template <class MemberFunction>
AFX_PMSG AfxToPmsg(MemberFunction function)
{
    static_assert(sizeof(MemberFunction) == sizeof(AFX_PMSG));
    AFX_PMSG result;
    std::memcpy(&result, &function, sizeof result);
    return result;
}

template <class MemberFunction>
MemberFunction AfxFromPmsg(AFX_PMSG function)
{
    static_assert(sizeof(MemberFunction) == sizeof(AFX_PMSG));
    MemberFunction result;
    std::memcpy(&result, &function, sizeof result);
    return result;
}

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Runs the handler of command nID with notification nCode, if this
    // object's message map has one.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The entry for the message (and, for WM_COMMAND, code and identifier)
    // in this object's map or its bases' maps, or nullptr.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;
};

#define DECLARE_MESSAGE_MAP()                        \
protected:                                           \
    static const AFX_MSGMAP* GetThisMessageMap();    \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                 \
    {                                                                               \
        [[maybe_unused]] typedef theClass ThisClass;                                \
        typedef baseClass TheBaseClass;                                             \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                           \
        {0, 0, 0, 0, AfxSig_end, nullptr}};                                         \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                                         \
    }

#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(id), AfxSigCmd_v, static_cast<AFX_PMSG>(memberFxn)},

#define ON_BN_CLICKED(id, memberFxn)                                                          \
    {WM_COMMAND, BN_CLICKED, static_cast<UINT>(id), static_cast<UINT>(id), AfxSigCmd_v, \
     static_cast<AFX_PMSG>(memberFxn)},

#define ON_WM_SYSCOMMAND()                         \
    {WM_SYSCOMMAND, 0, 0, 0, AfxSig_vwl,           \
     AfxToPmsg(static_cast<void (CCmdTarget::*)(UINT, LPARAM)>(&ThisClass::OnSysCommand))},

#define ON_WM_PAINT() \
    {WM_PAINT, 0, 0, 0, AfxSig_vv, static_cast<AFX_PMSG>(&ThisClass::OnPaint)},

#define ON_WM_QUERYDRAGICON()                      \
    {WM_QUERYDRAGICON, 0, 0, 0, AfxSig_hv,         \
     AfxToPmsg(static_cast<HCURSOR (CCmdTarget::*)()>(&ThisClass::OnQueryDragIcon))},
