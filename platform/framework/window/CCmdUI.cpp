// Update-UI records for menu items and child controls.
#include "platform/framework/window/CCmdUI.h"

#include "platform/framework/window/CCmdTarget.h"
#include "platform/framework/window/CMenu.h"
#include "platform/framework/window/CWnd.h"

CCmdUI::CCmdUI() = default;

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr) {
            return;  // sub-menus stay enabled
        }
        m_pMenu->EnableMenuItem(m_nIndex,
                                MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != nullptr) {
        // Don't leave the focus on a control that is being disabled.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            CWnd* parent = m_pOther->GetParent();
            if (parent != nullptr) {
                parent->SendMessage(WM_NEXTDLGCTL, 0, FALSE);
            }
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr) {
            return;
        }
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != nullptr) {
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) {
            m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
        }
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != nullptr && m_pSubMenu == nullptr) {
        if (bOn) {
            m_pMenu->CheckMenuRadioItem(m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
        } else {
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
        }
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (lpszText == nullptr) {
        lpszText = L"";
    }
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr) {
            return;
        }
        const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) &
                           (MF_CHECKED | MF_DISABLED | MF_GRAYED | MF_MENUBARBREAK | MF_MENUBREAK);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, lpszText);
    } else if (m_pOther != nullptr) {
        CString current;
        m_pOther->GetWindowText(current);
        if (current != lpszText) {
            m_pOther->SetWindowText(lpszText);
        }
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (pTarget == nullptr || m_nID == 0 || LOWORD(m_nID) == 0xFFFF) {
        return TRUE;  // separators and placeholder ids are not commands
    }
    m_bEnableChanged = FALSE;
    const BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{};
        if (!pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info)) {
            Enable(FALSE);
        }
    }
    return handled;
}

void CCmdUI::UpdateMenu(CCmdTarget* pTarget, CMenu* pPopup, BOOL bDisableIfNoHndler)
{
    if (pTarget == nullptr || pPopup == nullptr || pPopup->m_hMenu == nullptr) {
        return;
    }
    CCmdUI state;
    state.m_pMenu = pPopup;
    state.m_nIndexMax = static_cast<UINT>(pPopup->GetMenuItemCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = pPopup->GetMenuItemID(static_cast<int>(state.m_nIndex));
        state.m_pSubMenu = nullptr;
        if (state.m_nID == 0) {
            continue;  // separator
        }
        if (state.m_nID == static_cast<UINT>(-1)) {
            // A sub-menu: its first item's command decides whether it is enabled.
            CMenu* sub = pPopup->GetSubMenu(static_cast<int>(state.m_nIndex));
            if (sub == nullptr) {
                continue;
            }
            state.m_nID = sub->GetMenuItemID(0);
            if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) {
                continue;
            }
            state.m_pSubMenu = sub;
            state.DoUpdate(pTarget, FALSE);
        } else {
            state.DoUpdate(pTarget, bDisableIfNoHndler);
        }
        // A handler may have removed items.
        const UINT count = static_cast<UINT>(pPopup->GetMenuItemCount());
        if (count < state.m_nIndexMax) {
            const UINT removed = state.m_nIndexMax - count;
            state.m_nIndex = state.m_nIndex >= removed ? state.m_nIndex - removed : 0;
            while (state.m_nIndex < count &&
                   pPopup->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID) {
                ++state.m_nIndex;
            }
        }
        state.m_nIndexMax = count;
    }
}
