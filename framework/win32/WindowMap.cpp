#include "WindowMap.h"

#include <map>
#include <memory>

namespace {

std::map<HWND, CWnd*>& Attached()
{
    static std::map<HWND, CWnd*> attached;
    return attached;
}

std::map<HWND, std::unique_ptr<CWnd>>& StandIns()
{
    static std::map<HWND, std::unique_ptr<CWnd>> standIns;
    return standIns;
}

}  // namespace

CWnd* AfxAttachedWindow(HWND hWnd)
{
    const auto found = Attached().find(hWnd);
    return found == Attached().end() ? nullptr : found->second;
}

void AfxAttachWindow(HWND hWnd, CWnd* object)
{
    Attached()[hWnd] = object;
}

void AfxDetachWindow(HWND hWnd, const CWnd* object)
{
    const auto found = Attached().find(hWnd);
    if (found != Attached().end() && found->second == object)
        Attached().erase(found);
}

void AfxForgetDestroyedWindows()
{
    for (auto it = Attached().begin(); it != Attached().end();) {
        if (IsWindow(it->first)) {
            ++it;
            continue;
        }
        it->second->m_hWnd = nullptr;
        it = Attached().erase(it);
    }
    for (auto it = StandIns().begin(); it != StandIns().end();)
        it = IsWindow(it->first) ? std::next(it) : StandIns().erase(it);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* attached = AfxAttachedWindow(hWnd))
        return attached;
    std::unique_ptr<CWnd>& standIn = StandIns()[hWnd];
    if (!standIn) {
        standIn = std::make_unique<CWnd>();
        standIn->m_hWnd = hWnd;
    }
    return standIn.get();
}

HWND AfxRootWindow(const CWnd* window)
{
    return window && window->m_hWnd ? GetAncestor(window->m_hWnd, GA_ROOT) : nullptr;
}
