// The frame that carries a command bars manager, and the frame side shared by its mix-ins.
#include "toolkit/commandbars/CUTKFrameWnd.h"

#include "platform/framework/CException.h"
#include "toolkit/commandbars/CUTKShortcutManager.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CUTKFrameWnd, CFrameWnd)

CUTKFrameWnd::CUTKFrameWnd() = default;
CUTKFrameWnd::~CUTKFrameWnd() = default;

namespace UTKFrameSite {

CUTKCommandBars* CreateCommandBars(CWnd* pFrame, CRuntimeClass* pCommandBarsClass)
{
    if (pCommandBarsClass == nullptr) {
        return nullptr;
    }
    CObject* pObject = pCommandBarsClass->CreateObject();
    auto* pCommandBars = dynamic_cast<CUTKCommandBars*>(pObject);
    if (pCommandBars == nullptr) {
        delete pObject;
        return nullptr;
    }
    pCommandBars->SetSite(pFrame);
    try {
        pCommandBars->EnableDocking();
    } catch (CException*) {
        // The frame keeps no half-made manager; the caller sees the framework's exception.
        pCommandBars->InternalRelease();
        throw;
    }
    return pCommandBars;
}

void ReleaseCommandBars(CUTKCommandBars*& pCommandBars)
{
    if (pCommandBars != nullptr) {
        CUTKCommandBars* pOld = pCommandBars;
        pCommandBars = nullptr;
        pOld->InternalRelease();
    }
}

BOOL IsBarEditFocused()
{
    CWnd* pFocus = CWnd::FromHandlePermanent(::GetFocus());
    if (pFocus == nullptr) {
        return FALSE;
    }
    // Found by name: the edit box lives with the controls, which know this library, not the
    // other way round.
    for (CRuntimeClass* pClass = pFocus->GetRuntimeClass(); pClass != nullptr;
         pClass = pClass->m_pBaseClass) {
        if (pClass->m_lpszClassName != nullptr &&
            std::strcmp(pClass->m_lpszClassName, "CUTKCommandBarEditCtrl") == 0) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL IsKeyForBarEdit(const MSG* pMsg)
{
    if (pMsg == nullptr || pMsg->message < WM_KEYFIRST || pMsg->message > WM_UNICHAR) {
        return FALSE;
    }
    return pMsg->wParam != VK_TAB && pMsg->wParam != VK_RETURN && pMsg->wParam != VK_ESCAPE;
}

void DropFrameAccelerators(CUTKCommandBars* pCommandBars, HACCEL& hAccelTable)
{
    if (pCommandBars == nullptr || hAccelTable == nullptr) {
        return;
    }
    CUTKShortcutManager* pShortcuts = pCommandBars->GetShortcutManager();
    if (pShortcuts == nullptr || pShortcuts->GetAccelTable() == nullptr ||
        pShortcuts->GetAccelTable()->GetCount() == 0) {
        return;
    }
    ::DestroyAcceleratorTable(hAccelTable);
    hAccelTable = nullptr;
}

void SaveCommandBars(CUTKCommandBars* pCommandBars, LPCTSTR lpszProfileName)
{
    if (pCommandBars == nullptr || lpszProfileName == nullptr) {
        return;
    }
    pCommandBars->SaveOptions(lpszProfileName);
    pCommandBars->SaveBarState(lpszProfileName, TRUE);
    if (CUTKShortcutManager* pShortcuts = pCommandBars->GetShortcutManager()) {
        pShortcuts->SaveShortcuts(lpszProfileName);
    }
}

void LoadCommandBars(CUTKCommandBars* pCommandBars, LPCTSTR lpszProfileName, BOOL bSilent)
{
    if (pCommandBars == nullptr || lpszProfileName == nullptr) {
        return;
    }
    pCommandBars->LoadOptions(lpszProfileName);
    pCommandBars->LoadBarState(lpszProfileName, bSilent);
    if (CUTKShortcutManager* pShortcuts = pCommandBars->GetShortcutManager()) {
        pShortcuts->LoadShortcuts(lpszProfileName);
    }
}

} // namespace UTKFrameSite
