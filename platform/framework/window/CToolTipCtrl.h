// CToolTipCtrl: the common-controls tooltip window.
#pragma once

#include "platform/framework/window/CWnd.h"

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)

public:
    CToolTipCtrl() = default;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwStyle = 0, DWORD dwStyleEx = 0);

    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACKW, LPCRECT lpRectTool = nullptr,
                 UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    BOOL GetToolInfo(TOOLINFO* lpToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolInfo(TOOLINFO* lpToolInfo)
    {
        SendMessage(TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(lpToolInfo));
    }
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
    void RelayEvent(LPMSG lpMsg)
    {
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
    }
    void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
    void SetDelayTime(DWORD dwDuration, int iTime)
    {
        SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0));
    }
    int GetDelayTime(DWORD dwDuration) const
    {
        return static_cast<int>(SendMessage(TTM_GETDELAYTIME, dwDuration));
    }
    int SetMaxTipWidth(int iWidth)
    {
        return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth));
    }
    void SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, clr); }
    void SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, clr); }
    void SetMargin(LPRECT lprc) { SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(lprc)); }
    BOOL SetTitle(UINT uIcon, LPCTSTR lpstrTitle)
    {
        return static_cast<BOOL>(
            SendMessage(TTM_SETTITLEW, uIcon, reinterpret_cast<LPARAM>(lpstrTitle)));
    }
    void Pop() { SendMessage(TTM_POP); }
    void Update() { SendMessage(TTM_UPDATE); }

protected:
    void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};
