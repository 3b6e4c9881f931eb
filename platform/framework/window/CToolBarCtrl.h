// CToolBarCtrl: a common-controls toolbar.
#pragma once

#include "platform/framework/window/CWnd.h"

class CImageList;

class CToolBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolBarCtrl)

public:
    CToolBarCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID);
    void SetButtonStructSize(int nSize)
    {
        SendMessage(TB_BUTTONSTRUCTSIZE, static_cast<WPARAM>(nSize));
    }
    int AddBitmap(int nNumButtons, UINT nBitmapID);
    int AddBitmap(int nNumButtons, CBitmap* pBitmap);
    BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons)
    {
        return static_cast<BOOL>(SendMessage(TB_ADDBUTTONSW, static_cast<WPARAM>(nNumButtons),
                                             reinterpret_cast<LPARAM>(lpButtons)));
    }
    BOOL InsertButton(int nIndex, LPTBBUTTON lpButton)
    {
        return static_cast<BOOL>(SendMessage(TB_INSERTBUTTONW, static_cast<WPARAM>(nIndex),
                                             reinterpret_cast<LPARAM>(lpButton)));
    }
    BOOL DeleteButton(int nIndex)
    {
        return static_cast<BOOL>(SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex)));
    }
    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const
    {
        return static_cast<BOOL>(SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex),
                                             reinterpret_cast<LPARAM>(lpButton)));
    }
    int GetButtonCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
    UINT CommandToIndex(UINT nID) const
    {
        return static_cast<UINT>(SendMessage(TB_COMMANDTOINDEX, nID));
    }
    BOOL GetButtonInfo(int nID, TBBUTTONINFO* ptbbi) const
    {
        ptbbi->cbSize = sizeof(TBBUTTONINFOW);
        return SendMessage(TB_GETBUTTONINFOW, static_cast<WPARAM>(nID),
                           reinterpret_cast<LPARAM>(ptbbi)) != -1;
    }
    BOOL SetButtonInfo(int nID, TBBUTTONINFO* ptbbi)
    {
        ptbbi->cbSize = sizeof(TBBUTTONINFOW);
        return static_cast<BOOL>(SendMessage(TB_SETBUTTONINFOW, static_cast<WPARAM>(nID),
                                             reinterpret_cast<LPARAM>(ptbbi)));
    }
    BOOL SetButtonSize(CSize size)
    {
        return static_cast<BOOL>(SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy)));
    }
    BOOL SetBitmapSize(CSize size)
    {
        return static_cast<BOOL>(SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy)));
    }
    CSize GetButtonSize() const
    {
        const DWORD size = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
        return CSize(LOWORD(size), HIWORD(size));
    }
    BOOL EnableButton(int nID, BOOL bEnable = TRUE)
    {
        return static_cast<BOOL>(
            SendMessage(TB_ENABLEBUTTON, static_cast<WPARAM>(nID), MAKELPARAM(bEnable, 0)));
    }
    BOOL CheckButton(int nID, BOOL bCheck = TRUE)
    {
        return static_cast<BOOL>(
            SendMessage(TB_CHECKBUTTON, static_cast<WPARAM>(nID), MAKELPARAM(bCheck, 0)));
    }
    BOOL PressButton(int nID, BOOL bPress = TRUE)
    {
        return static_cast<BOOL>(
            SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(nID), MAKELPARAM(bPress, 0)));
    }
    BOOL HideButton(int nID, BOOL bHide = TRUE)
    {
        return static_cast<BOOL>(
            SendMessage(TB_HIDEBUTTON, static_cast<WPARAM>(nID), MAKELPARAM(bHide, 0)));
    }
    BOOL IsButtonEnabled(int nID) const
    {
        return static_cast<BOOL>(SendMessage(TB_ISBUTTONENABLED, static_cast<WPARAM>(nID)));
    }
    BOOL IsButtonChecked(int nID) const
    {
        return static_cast<BOOL>(SendMessage(TB_ISBUTTONCHECKED, static_cast<WPARAM>(nID)));
    }
    BOOL IsButtonPressed(int nID) const
    {
        return static_cast<BOOL>(SendMessage(TB_ISBUTTONPRESSED, static_cast<WPARAM>(nID)));
    }
    BOOL IsButtonHidden(int nID) const
    {
        return static_cast<BOOL>(SendMessage(TB_ISBUTTONHIDDEN, static_cast<WPARAM>(nID)));
    }
    BOOL SetState(int nID, UINT nState)
    {
        return static_cast<BOOL>(
            SendMessage(TB_SETSTATE, static_cast<WPARAM>(nID), MAKELPARAM(nState, 0)));
    }
    int GetState(int nID) const
    {
        return static_cast<int>(SendMessage(TB_GETSTATE, static_cast<WPARAM>(nID)));
    }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return static_cast<BOOL>(SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(nIndex),
                                             reinterpret_cast<LPARAM>(lpRect)));
    }
    BOOL GetRect(int nID, LPRECT lpRect) const
    {
        return static_cast<BOOL>(
            SendMessage(TB_GETRECT, static_cast<WPARAM>(nID), reinterpret_cast<LPARAM>(lpRect)));
    }
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
    CImageList* SetHotImageList(CImageList* pImageList);
    CImageList* SetDisabledImageList(CImageList* pImageList);
    CWnd* GetToolTips() const
    {
        return FromHandle(reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS)));
    }
    void SetToolTips(CWnd* pTip)
    {
        SendMessage(TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(HwndOf(pTip)));
    }
    void AutoSize() { SendMessage(TB_AUTOSIZE); }
    DWORD SetExtendedStyle(DWORD dwExStyle)
    {
        return static_cast<DWORD>(SendMessage(TB_SETEXTENDEDSTYLE, 0, dwExStyle));
    }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(TB_GETEXTENDEDSTYLE)); }
    void SetStyle(DWORD dwStyle) { SendMessage(TB_SETSTYLE, 0, dwStyle); }
    DWORD GetStyle() const { return static_cast<DWORD>(SendMessage(TB_GETSTYLE)); }
    BOOL SetMaxTextRows(int iMaxRows)
    {
        return static_cast<BOOL>(SendMessage(TB_SETMAXTEXTROWS, static_cast<WPARAM>(iMaxRows)));
    }
    int HitTest(LPPOINT ppt) const
    {
        return static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(ppt)));
    }
    int AddStrings(LPCTSTR lpszStrings)
    {
        return static_cast<int>(
            SendMessage(TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(lpszStrings)));
    }
    BOOL SetIndent(int iIndent)
    {
        return static_cast<BOOL>(SendMessage(TB_SETINDENT, static_cast<WPARAM>(iIndent)));
    }
    int GetHotItem() const { return static_cast<int>(SendMessage(TB_GETHOTITEM)); }
    int SetHotItem(int nHot)
    {
        return static_cast<int>(SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(nHot)));
    }
    BOOL GetMaxSize(LPSIZE pSize) const
    {
        return static_cast<BOOL>(SendMessage(TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(pSize)));
    }
    DWORD SetDrawTextFlags(DWORD dwMask, DWORD dwDTFlags)
    {
        return static_cast<DWORD>(SendMessage(TB_SETDRAWTEXTFLAGS, dwMask, dwDTFlags));
    }
    DWORD SetPadding(int cx, int cy)
    {
        return static_cast<DWORD>(SendMessage(TB_SETPADDING, 0, MAKELPARAM(cx, cy)));
    }
};
