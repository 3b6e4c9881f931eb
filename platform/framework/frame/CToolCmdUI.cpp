// Toolbar button update: enable and check states written by position.
#include "platform/framework/frame/CToolCmdUI.h"

#include "platform/framework/frame/CToolBar.h"

void CToolCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    auto* pToolBar = static_cast<CToolBar*>(m_pOther);
    if (pToolBar == nullptr) {
        return;
    }
    const UINT style = pToolBar->GetButtonStyle(static_cast<int>(m_nIndex));
    UINT state = HIWORD(style);
    if (bOn) {
        state |= TBSTATE_ENABLED;
    } else {
        state &= ~static_cast<UINT>(TBSTATE_ENABLED | TBSTATE_PRESSED);
    }
    if (state != HIWORD(style)) {
        pToolBar->SetButtonStyle(static_cast<int>(m_nIndex), MAKELONG(LOWORD(style), state));
    }
}

void CToolCmdUI::SetCheck(int nCheck)
{
    auto* pToolBar = static_cast<CToolBar*>(m_pOther);
    if (pToolBar == nullptr) {
        return;
    }
    const UINT style = pToolBar->GetButtonStyle(static_cast<int>(m_nIndex));
    UINT state = HIWORD(style) & ~static_cast<UINT>(TBSTATE_CHECKED | TBSTATE_INDETERMINATE);
    if (nCheck == 1) {
        state |= TBSTATE_CHECKED;
    } else if (nCheck == 2) {
        state |= TBSTATE_INDETERMINATE;
    }
    const UINT newStyle = MAKELONG(LOWORD(style) | BTNS_CHECK, state);
    if (newStyle != style) {
        pToolBar->SetButtonStyle(static_cast<int>(m_nIndex), newStyle);
    }
}

void CToolCmdUI::SetText(LPCTSTR) {}
