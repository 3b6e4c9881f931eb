// CHeaderCtrl: a header control (the column header of a report list view).
#pragma once

#include "platform/framework/window/CWnd.h"

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)

public:
    CHeaderCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const
    {
        return static_cast<BOOL>(SendMessage(HDM_GETITEMW, static_cast<WPARAM>(nPos),
                                             reinterpret_cast<LPARAM>(pHeaderItem)));
    }
    BOOL SetItem(int nPos, HDITEM* pHeaderItem)
    {
        return static_cast<BOOL>(SendMessage(HDM_SETITEMW, static_cast<WPARAM>(nPos),
                                             reinterpret_cast<LPARAM>(pHeaderItem)));
    }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(nIndex),
                                             reinterpret_cast<LPARAM>(lpRect)));
    }
    int InsertItem(int nPos, HDITEM* phdi)
    {
        return static_cast<int>(SendMessage(HDM_INSERTITEMW, static_cast<WPARAM>(nPos),
                                            reinterpret_cast<LPARAM>(phdi)));
    }
    BOOL DeleteItem(int nPos)
    {
        return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(nPos)));
    }
    BOOL Layout(HDLAYOUT* pHeaderLayout)
    {
        return static_cast<BOOL>(
            SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(pHeaderLayout)));
    }
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo)
    {
        return static_cast<int>(
            SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(pHeaderHitTestInfo)));
    }
};
