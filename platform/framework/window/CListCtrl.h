// CListCtrl: a list view.
#pragma once

#include "platform/framework/window/CHeaderCtrl.h"

class CImageList;

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)

public:
    CListCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID);
    DWORD SetExtendedStyle(DWORD dwNewStyle)
    {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
    }
    DWORD GetExtendedStyle() const
    {
        return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    }
    int InsertColumn(int nCol, const LVCOLUMN* pColumn)
    {
        return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(nCol),
                                            reinterpret_cast<LPARAM>(pColumn)));
    }
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT,
                     int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol)
    {
        return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(nCol)));
    }
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const
    {
        return static_cast<BOOL>(SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(nCol),
                                             reinterpret_cast<LPARAM>(pColumn)));
    }
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNW, static_cast<WPARAM>(nCol),
                                             reinterpret_cast<LPARAM>(pColumn)));
    }
    int GetColumnWidth(int nCol) const
    {
        return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nCol)));
    }
    BOOL SetColumnWidth(int nCol, int cx)
    {
        return static_cast<BOOL>(
            SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nCol), MAKELPARAM(cx, 0)));
    }
    int InsertItem(const LVITEM* pItem)
    {
        return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask,
                   int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem)
    {
        return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(nItem)));
    }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    BOOL SetItemCount(int nItems)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(nItems)));
    }
    BOOL GetItem(LVITEM* pItem) const
    {
        return static_cast<BOOL>(SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    BOOL SetItem(const LVITEM* pItem)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const
    {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(nItem), nMask));
    }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL SetItemState(int nItem, LVITEM* pItem)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(nItem),
                                             reinterpret_cast<LPARAM>(pItem)));
    }
    int GetNextItem(int nItem, int nFlags) const
    {
        return static_cast<int>(
            SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(nItem), MAKELPARAM(nFlags, 0)));
    }
    // Selected items: a POSITION is the index + 1, null at the end.
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    int GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
    int SetSelectionMark(int iIndex)
    {
        return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, iIndex));
    }
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const
    {
        return static_cast<int>(
            SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
    }
    int SubItemHitTest(LPLVHITTESTINFO pInfo)
    {
        return static_cast<int>(
            SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(pInfo)));
    }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK)
    {
        return static_cast<BOOL>(
            SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem), bPartialOK));
    }
    CHeaderCtrl* GetHeaderCtrl() const
    {
        return static_cast<CHeaderCtrl*>(
            FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER))));
    }
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    CImageList* GetImageList(int nImageList) const;
    int GetStringWidth(LPCTSTR lpsz) const
    {
        return static_cast<int>(
            SendMessage(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(lpsz)));
    }
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
    {
        return static_cast<BOOL>(
            SendMessage(LVM_SORTITEMS, dwData, reinterpret_cast<LPARAM>(pfnCompare)));
    }
    BOOL RedrawItems(int nFirst, int nLast)
    {
        return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(nFirst), nLast));
    }
    BOOL Update(int nItem)
    {
        return static_cast<BOOL>(SendMessage(LVM_UPDATE, static_cast<WPARAM>(nItem)));
    }
    BOOL SetBkColor(COLORREF cr) { return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, cr)); }
    BOOL SetTextColor(COLORREF cr)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, cr));
    }
    BOOL SetTextBkColor(COLORREF cr)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, cr));
    }
    CWnd* EditLabel(int nItem)
    {
        return FromHandle(
            reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELW, static_cast<WPARAM>(nItem))));
    }
    CWnd* GetEditControl() const
    {
        return FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL)));
    }
    BOOL Scroll(CSize size)
    {
        return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), size.cy));
    }
    int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const
    {
        return static_cast<int>(SendMessage(LVM_FINDITEMW, static_cast<WPARAM>(nStart),
                                            reinterpret_cast<LPARAM>(pFindInfo)));
    }
    int GetHotItem() const { return static_cast<int>(SendMessage(LVM_GETHOTITEM)); }
    int SetHotItem(int iIndex)
    {
        return static_cast<int>(SendMessage(LVM_SETHOTITEM, static_cast<WPARAM>(iIndex)));
    }
    // Owner-drawn rows (LVS_OWNERDRAWFIXED), reflected from the parent.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
