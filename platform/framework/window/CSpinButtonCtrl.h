// CSpinButtonCtrl: an up-down control.
#pragma once

#include "platform/framework/window/CWnd.h"

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)

public:
    CSpinButtonCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID);
    void SetRange(short nLower, short nUpper)
    {
        SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower));
    }
    void SetRange32(int nLower, int nUpper)
    {
        SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
    }
    DWORD GetRange() const { return static_cast<DWORD>(SendMessage(UDM_GETRANGE)); }
    void GetRange(int& lower, int& upper) const { GetRange32(lower, upper); }
    void GetRange32(int& lower, int& upper) const
    {
        SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                    reinterpret_cast<LPARAM>(&upper));
    }
    int SetPos(int nPos)
    {
        return static_cast<int>(
            static_cast<short>(SendMessage(UDM_SETPOS, 0, MAKELPARAM(nPos, 0))));
    }
    int GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS)); }
    int SetPos32(int nPos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos)); }
    int GetPos32(LPBOOL lpbError = nullptr) const
    {
        return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError)));
    }
    CWnd* SetBuddy(CWnd* pWndBuddy)
    {
        return FromHandle(reinterpret_cast<HWND>(
            SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(HwndOf(pWndBuddy)))));
    }
    CWnd* GetBuddy() const { return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
    int SetBase(int nBase)
    {
        return static_cast<int>(SendMessage(UDM_SETBASE, static_cast<WPARAM>(nBase)));
    }
    BOOL SetAccel(int nAccel, UDACCEL* pAccel)
    {
        return static_cast<BOOL>(SendMessage(UDM_SETACCEL, static_cast<WPARAM>(nAccel),
                                             reinterpret_cast<LPARAM>(pAccel)));
    }
    UINT GetAccel(int nAccel, UDACCEL* pAccel) const
    {
        return static_cast<UINT>(SendMessage(UDM_GETACCEL, static_cast<WPARAM>(nAccel),
                                             reinterpret_cast<LPARAM>(pAccel)));
    }
};
