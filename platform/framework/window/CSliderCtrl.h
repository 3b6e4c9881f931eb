// CSliderCtrl: a trackbar.
#pragma once

#include "platform/framework/window/CWnd.h"

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)

public:
    CSliderCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID);
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
    void GetRange(int& nMin, int& nMax) const
    {
        nMin = GetRangeMin();
        nMax = GetRangeMax();
    }
    int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE)
    {
        SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
        SendMessage(TBM_SETRANGEMAX, bRedraw, nMax);
    }
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE)
    {
        SendMessage(TBM_SETRANGEMIN, bRedraw, nMin);
    }
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE)
    {
        SendMessage(TBM_SETRANGEMAX, bRedraw, nMax);
    }
    void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(nFreq)); }
    void ClearTics(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARTICS, bRedraw); }
    BOOL SetTic(int nTic) { return static_cast<BOOL>(SendMessage(TBM_SETTIC, 0, nTic)); }
    UINT GetNumTics() const { return static_cast<UINT>(SendMessage(TBM_GETNUMTICS)); }
    int GetLineSize() const { return static_cast<int>(SendMessage(TBM_GETLINESIZE)); }
    int SetLineSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, nSize)); }
    int GetPageSize() const { return static_cast<int>(SendMessage(TBM_GETPAGESIZE)); }
    int SetPageSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, nSize)); }
    void GetChannelRect(LPRECT lprc) const
    {
        SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(lprc));
    }
    void GetThumbRect(LPRECT lprc) const
    {
        SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(lprc));
    }
    void SetSelection(int nMin, int nMax)
    {
        SendMessage(TBM_SETSELSTART, FALSE, nMin);
        SendMessage(TBM_SETSELEND, TRUE, nMax);
    }
    void GetSelection(int& nMin, int& nMax) const
    {
        nMin = static_cast<int>(SendMessage(TBM_GETSELSTART));
        nMax = static_cast<int>(SendMessage(TBM_GETSELEND));
    }
    void ClearSel(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARSEL, bRedraw); }
    CWnd* SetBuddy(CWnd* pWndBuddy, BOOL fLocation = TRUE)
    {
        return FromHandle(reinterpret_cast<HWND>(
            SendMessage(TBM_SETBUDDY, fLocation, reinterpret_cast<LPARAM>(HwndOf(pWndBuddy)))));
    }
    CWnd* GetToolTips() const
    {
        return FromHandle(reinterpret_cast<HWND>(SendMessage(TBM_GETTOOLTIPS)));
    }
    void SetToolTips(CWnd* pWndTip)
    {
        SendMessage(TBM_SETTOOLTIPS, reinterpret_cast<WPARAM>(HwndOf(pWndTip)));
    }
};
