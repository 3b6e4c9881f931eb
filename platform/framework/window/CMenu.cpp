// Menus and the per-thread map of menu wrappers.
#include "platform/framework/window/CMenu.h"

#include "platform/framework/window/CBitmap.h"
#include "platform/framework/window/AfxThreadData.h"
#include "platform/framework/window/CWnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

CHandleMap<CMenu, HMENU>& MenuMap()
{
    return AfxGetThreadData()->menuMap;
}

}  // namespace

CMenu::~CMenu()
{
    DestroyMenu();
}

HMENU CMenu::GetSafeHmenu() const
{
    const CMenu* self = this;
    asm("" : "+r"(self));
    return self == nullptr ? nullptr : self->m_hMenu;
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    return MenuMap().FromHandle(hMenu);
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu)
{
    return hMenu != nullptr ? MenuMap().LookupPermanent(hMenu) : nullptr;
}

void CMenu::DeleteTempMap()
{
    MenuMap().DeleteTemp();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == nullptr || m_hMenu != nullptr) {
        return FALSE;
    }
    m_hMenu = hMenu;
    MenuMap().SetPermanent(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr && MenuMap().LookupPermanent(hMenu) == this) {
        MenuMap().RemoveHandle(hMenu);
    }
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    return Attach(::LoadMenuW(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    return Attach(::LoadMenuIndirectW(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr) {
        return FALSE;
    }
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const int length = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (length <= 0) {
        rString.Empty();
        return 0;
    }
    LPTSTR buffer = rString.GetBuffer(length + 1);
    const int got = ::GetMenuStringW(m_hMenu, nIDItem, buffer, length + 1, nFlags);
    rString.ReleaseBuffer(got);
    return got;
}

BOOL CMenu::SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked,
                               const CBitmap* pBmpChecked)
{
    return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags,
                                static_cast<HBITMAP>(pBmpUnchecked->GetSafeHandle()),
                                static_cast<HBITMAP>(pBmpChecked->GetSafeHandle()));
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, CWnd::HwndOf(pWnd), lpRect);
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm)
{
    return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, CWnd::HwndOf(pWnd), lptpm);
}
