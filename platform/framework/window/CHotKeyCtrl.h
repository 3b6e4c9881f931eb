// CHotKeyCtrl: a hot-key entry control.
#pragma once

#include "platform/framework/window/CWnd.h"

class CHotKeyCtrl : public CWnd {
    DECLARE_DYNAMIC(CHotKeyCtrl)

public:
    CHotKeyCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID);
    void SetHotKey(WORD wVirtualKeyCode, WORD wModifiers)
    {
        SendMessage(HKM_SETHOTKEY, MAKEWORD(wVirtualKeyCode, wModifiers));
    }
    DWORD GetHotKey() const { return static_cast<DWORD>(SendMessage(HKM_GETHOTKEY)); }
    void GetHotKey(WORD& wVirtualKeyCode, WORD& wModifiers) const
    {
        const DWORD key = GetHotKey();
        wVirtualKeyCode = LOBYTE(LOWORD(key));
        wModifiers = HIBYTE(LOWORD(key));
    }
    void SetRules(WORD wInvalidComb, WORD wModifiers)
    {
        SendMessage(HKM_SETRULES, wInvalidComb, MAKELPARAM(wModifiers, 0));
    }
    // Display name of the current key ("Ctrl + Shift + F5" style).
    CString GetHotKeyName() const;
    static CString GetKeyName(UINT vk, BOOL fExtended);
};
