// The update-UI record: one command id and the user-interface item showing it (menu item,
// control, bar button). Handlers enable, check or retitle the item through it; DoUpdate
// routes it and disables items whose command nobody handles.
#pragma once

#include "platform/framework/window/AfxWinBase.h"

class CCmdUI {
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CMenu* m_pMenu = nullptr;
    CMenu* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr;
    UINT m_nIndexMax = 0;
    CMenu* m_pParentMenu = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Routes the record to pTarget; with bDisableIfNoHndler an item whose command has no
    // handler (and whose enable state no handler touched) is disabled.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    // Updates every item of a popup menu (WM_INITMENUPOPUP), sub-menus by their first item.
    static void UpdateMenu(CCmdTarget* pTarget, CMenu* pPopup, BOOL bDisableIfNoHndler);
};
