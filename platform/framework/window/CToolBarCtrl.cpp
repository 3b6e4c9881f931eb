// CToolBarCtrl wrapper.
#include "platform/framework/window/CToolBarCtrl.h"

#include "platform/framework/window/CBitmap.h"
#include "platform/framework/window/CImageList.h"

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CToolBarCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                            UINT nID)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    return CWnd::CreateEx(dwExStyle, TOOLBARCLASSNAMEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CToolBarCtrl::AddBitmap(int nNumButtons, UINT nBitmapID)
{
    TBADDBITMAP tbab{AfxGetResourceHandle(), nBitmapID};
    return static_cast<int>(SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(nNumButtons),
                                        reinterpret_cast<LPARAM>(&tbab)));
}

int CToolBarCtrl::AddBitmap(int nNumButtons, CBitmap* pBitmap)
{
    TBADDBITMAP tbab{nullptr, reinterpret_cast<UINT_PTR>(pBitmap->GetSafeHandle())};
    return static_cast<int>(SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(nNumButtons),
                                        reinterpret_cast<LPARAM>(&tbab)));
}

CImageList* CToolBarCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
        SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList->GetSafeHandle()))));
}

CImageList* CToolBarCtrl::GetImageList() const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST)));
}

CImageList* CToolBarCtrl::SetHotImageList(CImageList* pImageList)
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
        SendMessage(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList->GetSafeHandle()))));
}

CImageList* CToolBarCtrl::SetDisabledImageList(CImageList* pImageList)
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(
        TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList->GetSafeHandle()))));
}
