// CUTKCommandBar: construction and destruction, services found through the manager or the
// parent chain, sizes, fields, copying, the idle update and the plain virtual operations of the
// bar base. Painting, tracking, keys, customisation and accessibility have files of their own.
#include "toolkit/commandbars/CUTKCommandBar.h"

#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/window/CMenu.h"
#include "platform/framework/window/CWinApp.h"
#include "toolkit/commandbars/CUTKCommandBarAnimation.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKKeyboardManager.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/CUTKShortcutManager.h"
#include "toolkit/common/CUTKHookManager.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/common/CUTKToolTipContext.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlAction.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

IMPLEMENT_SERIAL(CUTKCommandBar, CWnd, kUtkControlSchema)

CUTKCommandBar::CUTKCommandBar()
{
    m_pControls = new CUTKControls();
    m_pControls->SetParent(this);
    m_pAnimation = new CUTKCommandBarAnimation(this);
}

CUTKCommandBar::~CUTKCommandBar()
{
    if (m_nTracking != 0)
        CUTKCommandBar::SetTrackingMode(0, TRUE, FALSE);
    GetHookManager()->RemoveAll(this);
    GetThreadKeyboardManager()->UnhookKeyboard(this);
    CUTKMouseManager* pMouseManager = GetThreadMouseManager();
    if (pMouseManager->IsTracked(this))
        pMouseManager->RemoveTrackedBar(this);
    if (pMouseManager->GetSelected() == this)
        pMouseManager->SetSelected(nullptr);
    if (m_pControls != nullptr) {
        m_pControls->RemoveAll();
        m_pControls->SetParent(nullptr);
        m_pControls->InternalRelease();
        m_pControls = nullptr;
    }
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager != nullptr)
        m_pImageManager->InternalRelease();
    if (m_pToolTipContext != nullptr)
        m_pToolTipContext->InternalRelease();
    delete m_pAnimation;
    m_pAnimation = nullptr;
}

// ---- plain virtual operations ----

void CUTKCommandBar::DelayRedraw() { m_dwPending |= kPendingRedraw; }

BOOL CUTKCommandBar::LoadMenu(HMENU hMenu, BOOL bRemoveOld)
{
    if (hMenu == nullptr || !::IsMenu(hMenu))
        return FALSE;
    if (bRemoveOld)
        m_pControls->RemoveAll();
    BOOL pendingGroup = FALSE;
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
        if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if ((info.fType & MFT_SEPARATOR) != 0 || (info.wID == 0 && ::GetSubMenu(hMenu, i) == nullptr)) {
            pendingGroup = TRUE;
            continue;
        }
        CUTKControl* pControl = m_pControls->AddMenuItem(hMenu, i);
        if (pControl == nullptr)
            continue;
        if ((info.fType & (MFT_MENUBARBREAK | MFT_MENUBREAK)) != 0) {
            pControl->SetFlags(pControl->GetFlags() | 0x80);
            pControl->SetBeginGroup((info.fType & MFT_MENUBARBREAK) != 0);
        }
        if (pendingGroup)
            pControl->SetBeginGroup(TRUE);
        pendingGroup = FALSE;
        if (pControl->GetAction() == nullptr) {
            if ((info.fState & MFS_CHECKED) != 0)
                pControl->SetChecked(TRUE);
            if ((info.fState & (MFS_DISABLED | MFS_GRAYED)) != 0)
                pControl->SetEnabled(FALSE);
        }
    }
    if (m_hWnd != nullptr) {
        CWnd* pParent = GetParent();
        if (pParent != nullptr && pParent->IsFrameWnd())
            static_cast<CFrameWnd*>(pParent)->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
    }
    return TRUE;
}

BOOL CUTKCommandBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    return LoadToolBarResource(nIDResource, bLoadIcons);
}

CSize CUTKCommandBar::GetIconSize() const
{
    if (m_szIcons.cx != 0 || m_szIcons.cy != 0)
        return m_szIcons;
    CUTKCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return CSize(16, 16);
    const CUTKCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    CUTKPaintManager* pPaintManager = GetPaintManager();
    if (m_barType == utkBarTypePopup) {
        if (pOptions->szPopupIcons.cx != 0 || pOptions->szPopupIcons.cy != 0)
            return pOptions->szPopupIcons;
        return pPaintManager != nullptr ? pPaintManager->GetAutoIconSize(FALSE) : CSize(16, 16);
    }
    CSize size = pOptions->szIcons;
    if (size.cx == 0 && size.cy == 0)
        size = pPaintManager != nullptr ? pPaintManager->GetAutoIconSize(FALSE) : CSize(16, 16);
    if (pOptions->bLargeIcons && m_szButtons.cx == 0 && m_szButtons.cy == 0) {
        if (pOptions->szLargeIcons.cx != 0 || pOptions->szLargeIcons.cy != 0)
            size = pOptions->szLargeIcons;
        else
            size = pPaintManager != nullptr ? pPaintManager->GetAutoIconSize(TRUE) : CSize(32, 32);
    }
    return size;
}

CSize CUTKCommandBar::GetButtonSize() const
{
    if (m_szButtons.cx != 0 || m_szButtons.cy != 0)
        return m_szButtons;
    const CSize icon = GetIconSize();
    return CSize(icon.cx + 6, icon.cy + 6);
}

BOOL CUTKCommandBar::Popup(CUTKControl*, BOOL) { return FALSE; }
void CUTKCommandBar::SetVisible(BOOL) {}
BOOL CUTKCommandBar::IsVisible() const { return FALSE; }
BOOL CUTKCommandBar::SetPosition(int position)
{
    // A plain bar has no dock bar to move to: it only records the position (bars made with
    // CreateEx by hand rely on it) and reports that it did not dock.
    if (position >= utkBarTop && position <= utkBarNone)
        m_barPosition = position;
    return FALSE;
}
BOOL CUTKCommandBar::IsCustomizable() const { return m_bCustomizable; }
void CUTKCommandBar::OnRecalcLayout() {}
void CUTKCommandBar::OnTrackLost() { SetTrackingMode(0, TRUE, FALSE); }
void CUTKCommandBar::ResetSelection() { SetSelected(-1, utkSelectMouse); }

void CUTKCommandBar::OnControlSelected(BOOL bSelected, CUTKControl* pControl)
{
    if (pControl == nullptr)
        return;
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->SendMessage(UTK_WM_CONTROLSELECTED,
                           bSelected ? reinterpret_cast<WPARAM>(pControl) : 0, 0);
    if (CUTKCommandBars* pCommandBars = GetCommandBars()) {
        DWORD help = 0;
        if (bSelected) {
            CUTKControlAction* pAction = pControl->GetAction();
            if (pControl->GetHelpId() > 0)
                help = static_cast<DWORD>(pControl->GetHelpId());
            else if (pAction != nullptr && pAction->GetHelpId() > 0)
                help = static_cast<DWORD>(pAction->GetHelpId());
            else if (pAction != nullptr)
                help = static_cast<DWORD>(pAction->GetID());
            else
                help = static_cast<DWORD>(pControl->GetID());
        }
        pCommandBars->SetHelpContext(help);
    }
    if (m_nStatusControl != pControl->GetIndex() || pControl->GetParent() != this) {
        m_nStatusControl = -1;
        SetMessageText(bSelected ? static_cast<LPCTSTR>(pControl->GetDescription()) : L"");
    } else if (!bSelected) {
        m_nStatusControl = -1;
    }
}

CUTKCommandBar* CUTKCommandBar::GetParentCommandBar() const { return nullptr; }
BOOL CUTKCommandBar::IsDialogBar() const { return FALSE; }
BOOL CUTKCommandBar::IsRibbonBar() const { return FALSE; }
BOOL CUTKCommandBar::IsPopupBar() const { return FALSE; }

CUTKCommandBarsOptions* CUTKCommandBar::GetCommandBarsOptions() const
{
    CUTKCommandBars* bars = GetCommandBars();
    return bars != nullptr ? bars->GetCommandBarsOptions() : nullptr;
}

void CUTKCommandBar::DoPropExchange(CUTKPropExchange* pPX)
{
    if (pPX == nullptr)
        return;
    const int defType = utkBarTypeNormal, defZero = 0, defTextBelow = 2;
    const BOOL defTrue = TRUE, defFalse = FALSE;
    const int schema = pPX->m_nSchema;
    int type = m_barType, position = m_barPosition, width = m_nMRUWidth;
    int barId = static_cast<int>(m_nBarID), flags = static_cast<int>(m_dwFlags);
    int style = static_cast<int>(m_dwStyle);
    (void)pPX->ExchangeValue(L"Type", VT_I4, &type, &defType);
    (void)pPX->ExchangeValue(L"Position", VT_I4, &position, &defZero);
    (void)pPX->ExchangeValue(L"BarID", VT_I4, &barId, &defZero);
    (void)pPX->ExchangeValue(L"Flags", VT_I4, &flags, &defZero);
    (void)pPX->ExchangeValue(L"Style", VT_I4, &style, &defZero);
    (void)pPX->ExchangeValue(L"Title", VT_UTK_STRING, &m_strTitle, L"");
    (void)pPX->ExchangeValue(L"Customizable", VT_BOOL, &m_bCustomizable, &defTrue);
    (void)pPX->ExchangeValue(L"MRUWidth", VT_I4, &width, &defZero);
    if (schema > 2)
        (void)ExchangeSizeProp(pPX, L"IconSize", m_szIcons, CSize(0, 0));
    if (schema > 17) {
        (void)ExchangeSizeProp(pPX, L"ButtonSize", m_szButtons, CSize(0, 0));
        (void)pPX->ExchangeValue(L"ShowTextBelowIcons", VT_I4, &m_nTextBelowIcons, &defTextBelow);
        BOOL animation = IsAnimationEnabled();
        (void)pPX->ExchangeValue(L"EnableAnimation", VT_BOOL, &animation, &defFalse);
        if (pPX->IsLoading() && animation != IsAnimationEnabled())
            EnableAnimation(animation);
    }
    if (schema > 18)
        (void)pPX->ExchangeValue(L"DefaultButtonStyle", VT_I4, &m_buttonStyle, &defZero);
    if (pPX->IsLoading()) {
        // Stored values outside their ranges fall back to the defaults instead of reaching
        // code that indexes or switches on them.
        m_barType = type >= utkBarTypeMenuBar && type <= 3 ? type : utkBarTypeNormal;
        m_barPosition = position >= utkBarTop && position <= utkBarNone ? position : utkBarTop;
        m_nBarID = static_cast<UINT>(barId);
        m_dwFlags = static_cast<DWORD>(flags);
        m_dwStyle = static_cast<DWORD>(style);
        m_nMRUWidth = width;
        // The manager comes from the list's parameter record, when there is one.
        const auto* pParam = reinterpret_cast<const UTK_COMMANDBARS_PROPEXCHANGE_PARAM*>(pPX->m_dwData);
        if (pParam != nullptr && pParam->pCommandBars != nullptr)
            m_pCommandBars = pParam->pCommandBars;
    }
    CUTKPropExchange* pSection = pPX->GetSection(L"Controls");
    if (pSection != nullptr) {
        m_pControls->DoPropExchange(pSection);
        pSection->InternalRelease();
    }
    if (pPX->IsLoading())
        OnControlsChanged();
}

BOOL CUTKCommandBar::IsKeyboardCuesVisible() const
{
    CUTKCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars == nullptr || pCommandBars->IsKeyboardCuesVisible();
}

void CUTKCommandBar::Redraw(LPCRECT lpRect, BOOL bAnimate)
{
    if (m_nLockRedraw > 0) {
        m_dwPending |= kPendingRedraw;
        return;
    }
    if (lpRect == nullptr)
        m_dwPending &= ~kPendingRedraw;
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd) && IsVisible())
        m_pAnimation->RedrawRect(lpRect, bAnimate);
}

void CUTKCommandBar::EnsureControlVisible(CUTKControl*) {}

CRect CUTKCommandBar::GetBorders()
{
    CUTKPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != nullptr ? pPaintManager->GetCommandBarBorders(this) : CRect(0, 0, 0, 0);
}

void CUTKCommandBar::FillCommandBarEntry(CDC* pDC)
{
    if (CUTKPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->FillCommandBarEntry(pDC, this);
}

int CUTKCommandBar::GetPopupResizeMode() const { return 0; }
void CUTKCommandBar::CreateKeyboardTips() {}
CSize CUTKCommandBar::CalcDynamicLayout(int, DWORD) { return CSize(0, 0); }

void CUTKCommandBar::OnControlsChanged()
{
    m_dwPending |= kPendingRelayout;
    m_nSelected = -1;
    m_nPopuped = -1;
}

void CUTKCommandBar::Copy(CUTKCommandBar* pCommandBar, BOOL bRecursive)
{
    if (pCommandBar == nullptr || pCommandBar == this)
        return;
    m_barType = pCommandBar->m_barType;
    m_barPosition = pCommandBar->m_barPosition;
    m_nBarID = pCommandBar->m_nBarID;
    m_dwFlags = pCommandBar->m_dwFlags;
    m_dwStyle = pCommandBar->m_dwStyle;
    m_strTitle = pCommandBar->m_strTitle;
    m_bCustomizable = pCommandBar->m_bCustomizable;
    m_nMRUWidth = pCommandBar->m_nMRUWidth;
    m_szIcons = pCommandBar->m_szIcons;
    m_szButtons = pCommandBar->m_szButtons;
    m_pCommandBars = pCommandBar->m_pCommandBars;
    m_buttonStyle = pCommandBar->m_buttonStyle;
    m_pControls->Copy(pCommandBar->m_pControls, bRecursive);
}

BOOL CUTKCommandBar::IsPointInBar(CPoint ptScreen) const
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return FALSE;
    CRect rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    if (!rcWindow.PtInRect(ptScreen))
        return FALSE;
    if (m_barPosition != utkBarPopup)
        return TRUE;
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    if (hRgn == nullptr)
        return TRUE;
    BOOL inside = TRUE;
    const int kind = ::GetWindowRgn(m_hWnd, hRgn);
    if (kind == COMPLEXREGION || kind == SIMPLEREGION)
        inside = ::PtInRegion(hRgn, ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top);
    ::DeleteObject(hRgn);
    return inside;
}

void CUTKCommandBar::UpdateShortcuts()
{
    CUTKCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || !pCommandBars->GetCommandBarsOptions()->bAutoUpdateShortcuts)
        return;
    CUTKCommandBar* pRoot = GetRootParent();
    const BOOL clearAll = pRoot->IsPopupBar() &&
                          !pCommandBars->GetCommandBarsOptions()->bShowContextMenuAccelerators;
    CUTKShortcutManager* pShortcuts = pCommandBars->GetShortcutManager();
    for (int i = 0; i < GetControlCount(); ++i) {
        CUTKControl* pControl = GetControl(i);
        if (!pControl->IsVisible())
            continue;
        CString text;
        if (!clearAll && pControl->GetID() != 0 && pShortcuts != nullptr)
            pShortcuts->GetShortcut(pControl->GetID(), text);
        pControl->m_shortcutTextAuto = text;
    }
}

void CUTKCommandBar::DestroyBar()
{
    if (m_nTracking != 0)
        SetTrackingMode(0, TRUE, FALSE);
    GetHookManager()->RemoveAll(this);
    CUTKMouseManager* pMouseManager = GetThreadMouseManager();
    if (pMouseManager->GetSelected() == this)
        pMouseManager->SetSelected(nullptr);
    m_pControls->RemoveAll();
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CUTKCommandBar::PreviewAccel(UINT) { return FALSE; }
void CUTKCommandBar::OnPopupRButtonUp(CUTKCommandBar*, CPoint) {}

CUTKCommandBar* CUTKCommandBar::Clone(BOOL bRecursive)
{
    CObject* pObject = GetRuntimeClass()->CreateObject();
    CUTKCommandBar* pBar = dynamic_cast<CUTKCommandBar*>(pObject);
    if (pBar == nullptr) {
        delete pObject;
        return nullptr;
    }
    pBar->Copy(this, bRecursive);
    return pBar;
}

void CUTKCommandBar::OnFinalRelease()
{
    // The window goes while the whole bar still exists to answer its last messages.
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
    CWnd::OnFinalRelease();
}

LPUNKNOWN CUTKCommandBar::GetInterfaceHook(const void* iid)
{
    const IID& riid = *static_cast<const IID*>(iid);
    if (riid == IID_IAccessible || riid == IID_IDispatch || riid == IID_IUnknown)
        return GetAccessible();
    return CWnd::GetInterfaceHook(iid);
}

// ---- services ----

CUTKCommandBars* CUTKCommandBar::GetCommandBars() const
{
    // The parent chain is bounded: a cycle made by mistake must not hang the caller.
    const CUTKCommandBar* pBar = this;
    for (int depth = 0; pBar != nullptr && depth < 64; ++depth) {
        if (pBar->m_pCommandBars != nullptr)
            return pBar->m_pCommandBars;
        pBar = pBar->GetParentCommandBar();
    }
    return nullptr;
}

CUTKCommandBar* CUTKCommandBar::GetRootParent() const
{
    const CUTKCommandBar* pBar = this;
    for (int depth = 0; depth < 64; ++depth) {
        CUTKCommandBar* pParent = pBar->GetParentCommandBar();
        if (pParent == nullptr)
            break;
        pBar = pParent;
    }
    return const_cast<CUTKCommandBar*>(pBar);
}

BOOL CUTKCommandBar::IsCustomizeMode() const
{
    CUTKCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr && pCommandBars->IsCustomizeMode();
}

CUTKPaintManager* CUTKCommandBar::GetPaintManager() const
{
    if (m_pPaintManager != nullptr)
        return m_pPaintManager;
    if (CUTKCommandBars* pCommandBars = GetCommandBars())
        if (pCommandBars->GetOwnPaintManager() != nullptr)
            return pCommandBars->GetOwnPaintManager();
    CUTKCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pPaintManager != nullptr)
        return pRoot->m_pPaintManager;
    return CUTKPaintManager::GetGlobalPaintManager();
}

void CUTKCommandBar::SetPaintManager(CUTKPaintManager* pPaintManager)
{
    if (pPaintManager == m_pPaintManager)
        return;
    if (pPaintManager != nullptr)
        pPaintManager->InternalAddRef();
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
}

CUTKImageManager* CUTKCommandBar::GetImageManager() const
{
    if (m_pImageManager != nullptr)
        return m_pImageManager;
    if (CUTKCommandBars* pCommandBars = GetCommandBars())
        if (pCommandBars->GetOwnImageManager() != nullptr)
            return pCommandBars->GetOwnImageManager();
    CUTKCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pImageManager != nullptr)
        return pRoot->m_pImageManager;
    return ::GetImageManager();
}

void CUTKCommandBar::SetImageManager(CUTKImageManager* pImageManager)
{
    if (pImageManager == m_pImageManager)
        return;
    if (pImageManager != nullptr)
        pImageManager->InternalAddRef();
    if (m_pImageManager != nullptr)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

CWnd* CUTKCommandBar::GetSite() const
{
    if (CUTKCommandBars* pCommandBars = GetCommandBars())
        if (pCommandBars->GetSite() != nullptr)
            return pCommandBars->GetSite();
    CUTKCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pOwnerWnd != nullptr)
        return pRoot->m_pOwnerWnd;
    if (pRoot->m_hWnd != nullptr && ::IsWindow(pRoot->m_hWnd)) {
        HWND hwnd = ::GetWindow(pRoot->m_hWnd, GW_OWNER);
        if (hwnd == nullptr)
            hwnd = ::GetParent(pRoot->m_hWnd);
        if (hwnd != nullptr)
            return CWnd::FromHandle(hwnd);
    }
    return AfxGetMainWnd();
}

CWnd* CUTKCommandBar::GetOwnerSite() const
{
    const CUTKCommandBar* pBar = this;
    for (int depth = 0; pBar != nullptr && depth < 64; ++depth) {
        if (pBar->m_pCommandWnd != nullptr)
            return pBar->m_pCommandWnd;
        if (pBar->m_pOwnerWnd != nullptr)
            return pBar->m_pOwnerWnd;
        pBar = pBar->GetParentCommandBar();
    }
    return GetSite();
}

CFrameWnd* CUTKCommandBar::GetFrameSite() const
{
    CWnd* pSite = GetSite();
    if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr || !pSite->IsFrameWnd())
        return nullptr;
    return static_cast<CFrameWnd*>(pSite);
}

UINT CUTKCommandBar::GetActiveDocTemplate() const
{
    CUTKCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr ? pCommandBars->GetActiveDocTemplate() : 0;
}

// ---- controls ----

void CUTKCommandBar::SetControls(CUTKControls* pControls)
{
    if (pControls == m_pControls)
        return;
    if (m_pControls != nullptr) {
        m_pControls->SetParent(nullptr);
        m_pControls->InternalRelease();
    }
    m_pControls = pControls;
    if (m_pControls != nullptr)
        m_pControls->SetParent(this);
}

int CUTKCommandBar::GetControlCount() const { return m_pControls != nullptr ? m_pControls->GetCount() : 0; }

CUTKControl* CUTKCommandBar::GetControl(int nIndex) const
{
    if (m_pControls == nullptr || nIndex < 0 || nIndex >= m_pControls->GetCount())
        return nullptr;
    return m_pControls->GetAt(nIndex);
}

int CUTKCommandBar::GetDefaultItem(UINT, BOOL bByPos) const
{
    for (int i = 0; i < GetControlCount(); ++i) {
        CUTKControl* pControl = GetControl(i);
        if (pControl->GetParent() == this && pControl->IsVisible() && pControl->GetDefaultItem())
            return bByPos ? i : pControl->GetID();
    }
    return -1;
}

BOOL CUTKCommandBar::IsControlsHidden() const
{
    for (int i = 0; i < GetControlCount(); ++i)
        if (GetControl(i)->GetHideFlags() == 2)
            return TRUE;
    return FALSE;
}

// ---- fields and sizes ----

BOOL CUTKCommandBar::IsVerticalPosition() const
{
    return m_barType == utkBarTypePopup || IsVerticalPosition(m_barPosition);
}

BOOL CUTKCommandBar::IsVerticalPosition(int position)
{
    return position == utkBarLeft || position == utkBarRight || position == utkBarPopup;
}

void CUTKCommandBar::SetStyleBit22(BOOL bOn)
{
    if (bOn)
        m_dwStyle |= utkBarStyleGripper;
    else
        m_dwStyle &= ~static_cast<DWORD>(utkBarStyleGripper);
}

void CUTKCommandBar::SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle != nullptr ? lpszTitle : L""; }
void CUTKCommandBar::SetIconSize(CSize size) { m_szIcons = size; }
void CUTKCommandBar::SetButtonSize(CSize size) { m_szButtons = size; }

CSize CUTKCommandBar::GetLargeIconSize(BOOL bAskPaintManager) const
{
    CUTKCommandBars* pCommandBars = GetCommandBars();
    const BOOL iconSet = m_szIcons.cx != 0 || m_szIcons.cy != 0;
    if (pCommandBars == nullptr)
        return iconSet ? CSize(m_szIcons.cx * 2, m_szIcons.cy * 2) : CSize(32, 32);
    const CUTKCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    CSize base(16, 16);
    if (iconSet)
        base = m_szIcons;
    else if (pOptions->szIcons.cx != 0 || pOptions->szIcons.cy != 0)
        base = pOptions->szIcons;
    if (m_szButtons.cx != 0 || m_szButtons.cy != 0)
        return base;
    if (pOptions->szLargeIcons.cx != 0 || pOptions->szLargeIcons.cy != 0)
        return pOptions->szLargeIcons;
    if (bAskPaintManager)
        if (CUTKPaintManager* pPaintManager = GetPaintManager())
            return pPaintManager->GetAutoIconSize(TRUE);
    return CSize(base.cx * 2, base.cy * 2);
}

CSize CUTKCommandBar::GetDefaultIconSize(BOOL bLarge) const
{
    CUTKPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == nullptr)
        return bLarge ? CSize(32, 32) : CSize(16, 16);
    return pPaintManager->GetAutoIconSize(bLarge);
}

BOOL CUTKCommandBar::IsTextBelowIcons() const
{
    if (m_nTextBelowIcons != 2)
        return m_nTextBelowIcons != 0;
    CUTKCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr && pCommandBars->GetCommandBarsOptions()->bShowTextBelowIcons;
}

BOOL CUTKCommandBar::IsLayoutRTL() const
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return FALSE;
    return (GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) != 0;
}

void CUTKCommandBar::EnableAnimation(BOOL bEnable)
{
    m_pAnimation->SetEnabled(bEnable);
    Redraw(nullptr, TRUE);
}

BOOL CUTKCommandBar::IsAnimationEnabled() const { return m_pAnimation->IsEnabled(); }
void CUTKCommandBar::SetCachedPaint(BOOL bCached) { m_pAnimation->SetAlwaysCached(bCached); }

void CUTKCommandBar::HideKeyboardTips()
{
    if (CUTKCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->HideKeyboardTips();
}

void CUTKCommandBar::FilterToolTipMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pToolTipContext != nullptr)
        m_pToolTipContext->FilterToolTipMessage(this, message, wParam, lParam);
}

BOOL CUTKCommandBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    FilterToolTipMessage(message, wParam, lParam);
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

void CUTKCommandBar::RedrawChain()
{
    CUTKCommandBar* pBar = this;
    for (int depth = 0; pBar != nullptr && depth < 64; ++depth) {
        pBar->Redraw(nullptr, TRUE);
        pBar = pBar->GetParentCommandBar();
    }
}

BOOL CUTKCommandBar::IsShown() const
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || !IsVisible() || !::IsWindowVisible(m_hWnd))
        return FALSE;
    CRect rc;
    ::GetWindowRect(m_hWnd, &rc);
    return !rc.IsRectEmpty();
}

void CUTKCommandBar::SetMessageText(LPCTSTR lpszText)
{
    CUTKCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && !pCommandBars->GetCommandBarsOptions()->bStatusBarDescriptions)
        return;
    CWnd* pSite = pCommandBars != nullptr && pCommandBars->GetSite() != nullptr ? pCommandBars->GetSite()
                                                                               : GetSite();
    if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr)
        return;
    if (lpszText != nullptr && lpszText[0] != 0)
        pSite->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
    else
        pSite->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
}

void CUTKCommandBar::LockRedraw() { ++m_nLockRedraw; }

void CUTKCommandBar::UnlockRedraw()
{
    if (m_nLockRedraw <= 0)
        return;
    if (--m_nLockRedraw == 0 && (m_dwPending & kPendingRedraw) != 0)
        Redraw(nullptr, TRUE);
}

void CUTKCommandBar::UpdatePending()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || (GetStyle() & WS_VISIBLE) == 0)
        return;
    if ((m_dwPending & kPendingRedraw) != 0)
        Redraw(nullptr, TRUE);
    if ((m_dwPending & kPendingRelayout) != 0) {
        OnRecalcLayout();
        m_dwPending &= ~kPendingRelayout;
    }
}

// ---- idle update ----

LRESULT CUTKCommandBar::OnIdleUpdate(BOOL bDisableIfNoHandler, LPARAM)
{
    (void)bDisableIfNoHandler;
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || (GetStyle() & WS_VISIBLE) == 0)
        return 0;
    UpdateDocTemplateControls();
    OnUpdateCmdUI();
    if ((m_dwPending & kPendingRedraw) != 0)
        Redraw(nullptr, TRUE);
    if ((m_dwPending & kPendingRelayout) != 0) {
        OnRecalcLayout();
        m_dwPending &= ~kPendingRelayout;
    }
    return 0;
}

void CUTKCommandBar::OnInitialUpdate() { OnIdleUpdate(TRUE, 0); }

void CUTKCommandBar::UpdateDocTemplateControls()
{
    const UINT templateId = GetActiveDocTemplate();
    if (templateId == 0)
        return;
    BOOL changed = FALSE;
    for (int i = 0; i < GetControlCount(); ++i) {
        CUTKControl* pControl = GetControl(i);
        DWORD flags = pControl->GetHideFlags();
        const DWORD before = flags;
        BOOL found = FALSE;
        if (!pControl->GetDocTemplatesAssigned().IsEmpty()) {
            if (pControl->GetDocTemplatesAssigned().Lookup(templateId, found))
                flags &= ~0x40u;
            else
                flags |= 0x40u;
        }
        if (!pControl->GetDocTemplatesExcluded().IsEmpty()) {
            if (pControl->GetDocTemplatesExcluded().Lookup(templateId, found))
                flags |= 0x40u;
            else
                flags &= ~0x40u;
        }
        if (flags != before) {
            pControl->SetHideFlags(flags);
            changed = TRUE;
        }
    }
    if (changed)
        m_dwPending |= kPendingRelayout;
}

void CUTKCommandBar::OnUpdateCmdUI()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    CWnd* pTarget = GetOwnerSite();
    if (pTarget == nullptr)
        return;
    CUTKCommandBars* pCommandBars = GetCommandBars();
    const BOOL disableIfNoHandler =
        pCommandBars != nullptr && pCommandBars->GetCommandBarsOptions()->bDisableCommandIfNoHandler;
    const BOOL noNotify = GetRootParent()->m_bNoNotify;
    const BOOL customizeMode = IsCustomizeMode();
    // Controls may be removed by their own update: walk by index and re-check the count.
    for (int i = 0; i < GetControlCount(); ++i) {
        CUTKControl* pControl = GetControl(i);
        if (!pControl->IsVisible(0x29))
            continue;
        pControl->OnIdleUpdate();
        if (i >= GetControlCount() || GetControl(i) != pControl)
            continue;
        if (noNotify || (pControl->GetFlags() & 0x8) != 0)
            continue;
        CCommandBarCmdUI state;
        state.m_pOther = this;
        state.m_pControl = pControl;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nIndexMax = static_cast<UINT>(GetControlCount());
        state.m_nID = 0;
        BOOL handled = OnCmdMsg(0, kCatchAllUpdateCode, &state, nullptr);
        state.m_nID = static_cast<UINT>(pControl->GetID());
        if (!handled)
            handled = OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (handled)
            continue;
        if (customizeMode) {
            if (pControl->m_enabled != -1)
                pControl->SetEnabled(TRUE);
        } else {
            state.DoUpdate(pTarget, disableIfNoHandler);
        }
    }
    UpdateDialogControls(pTarget, disableIfNoHandler);
}

void CUTKCommandBar::CCommandBarCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (m_pControl == nullptr)
        return;
    if (m_pControl->GetAction() != nullptr) {
        m_pControl->SetEnabled(bOn ? -1 : 0);
        return;
    }
    m_pControl->SetEnabled(bOn);
    if (!bOn && !m_bCheckedChanged)
        m_pControl->SetChecked(FALSE);
}

void CUTKCommandBar::CCommandBarCmdUI::SetCheck(int nCheck)
{
    m_bCheckedChanged = TRUE;
    if (m_pControl != nullptr)
        m_pControl->SetChecked(nCheck);
}

void CUTKCommandBar::CCommandBarCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pControl != nullptr)
        m_pControl->SetCaption(lpszText);
}
