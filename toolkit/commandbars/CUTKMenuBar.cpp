// The menu bar: loading a menu resource, taking over (and giving back) the frame's menu, the
// frame's Alt and F10, and in MDI frames the active template's menu and the maximised child's
// system icon and buttons, kept in step through hooks on the frame, MDI client and child.
#include "toolkit/commandbars/CUTKMenuBar.h"

#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/frame/CMDIFrameWnd.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKMenuBarMDIMenuInfo.h"
#include "toolkit/commandbars/CUTKMenuBarMDIMenus.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/UTKNestedRuntimeClass.h"
#include "toolkit/common/CUTKHookManager.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/controls/CUTKOriginalControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

IMPLEMENT_SERIAL(CUTKMenuBar, CUTKToolBar, kUtkControlSchema)
UTK_IMPLEMENT_NESTED_DYNCREATE(CUTKMenuBar, CControlMDIButton, CUTKControlButton)
UTK_IMPLEMENT_NESTED_DYNCREATE(CUTKMenuBar, CControlMDISysMenuPopup, CUTKControlPopup)

using CUTKSysMenuPopupBar = CUTKMenuBar::CControlMDISysMenuPopup::CUTKSysMenuPopupBar;
CObject* CUTKSysMenuPopupBar::CreateObject() { return new CUTKSysMenuPopupBar; }
CRuntimeClass CUTKSysMenuPopupBar::classCUTKSysMenuPopupBar = {
    "CUTKMenuBar::CControlMDISysMenuPopup::CUTKSysMenuPopupBar",
    static_cast<int>(sizeof(CUTKSysMenuPopupBar)), 0xFFFF, CUTKSysMenuPopupBar::CreateObject,
    RUNTIME_CLASS(CUTKPopupBar), nullptr};
CRuntimeClass* CUTKSysMenuPopupBar::GetRuntimeClass() const { return &classCUTKSysMenuPopupBar; }
static const AFX_CLASSINIT _init_CUTKSysMenuPopupBar(&CUTKSysMenuPopupBar::classCUTKSysMenuPopupBar);

namespace {

constexpr int kSysButtonSize = 16;

} // namespace

// ---- the MDI child's buttons ----

CUTKMenuBar::CControlMDIButton::CControlMDIButton()
{
    m_flags |= 0x1B;
    m_temporary = TRUE;
}

CSize CUTKMenuBar::CControlMDIButton::GetSize(CDC*)
{
    return CSize(kSysButtonSize, kSysButtonSize);
}

void CUTKMenuBar::CControlMDIButton::Draw(CDC* pDC)
{
    if (CUTKPaintManager* paint = GetPaintManager()) {
        paint->DrawControlMDIButton(pDC, this);
    }
}

void CUTKMenuBar::CControlMDIButton::OnExecute()
{
    auto* bar = DYNAMIC_DOWNCAST(CUTKMenuBar, GetParent());
    HWND child = bar != nullptr ? bar->GetActiveMDIChild(nullptr) : nullptr;
    if (child == nullptr) {
        return;
    }
    const WPARAM command = m_id == kCloseButtonId     ? SC_CLOSE
                           : m_id == kRestoreButtonId ? SC_RESTORE
                                                      : SC_MINIMIZE;
    ::PostMessageW(child, WM_SYSCOMMAND, command, 0);
}

// ---- the MDI child's system menu ----

CUTKSysMenuPopupBar::CUTKSysMenuPopupBar()
{
    m_bCustomizable = FALSE;
}

CUTKMenuBar::CControlMDISysMenuPopup::CControlMDISysMenuPopup()
{
    m_id = kSysMenuId;
    m_controlType = utkControlPopup;
    m_flags |= 0x18;
    m_temporary = TRUE;
    auto* popup = new CUTKSysMenuPopupBar;
    SetCommandBar(popup);
    popup->InternalRelease();
}

CUTKMenuBar::CControlMDISysMenuPopup::~CControlMDISysMenuPopup()
{
    if (m_hIcon != nullptr) {
        ::DestroyIcon(m_hIcon);
    }
}

CSize CUTKMenuBar::CControlMDISysMenuPopup::GetSize(CDC*)
{
    return CSize(kSysButtonSize, kSysButtonSize);
}

void CUTKMenuBar::CControlMDISysMenuPopup::Draw(CDC* pDC)
{
    if (m_hIcon != nullptr && pDC != nullptr) {
        ::DrawStateW(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(m_hIcon), 0,
                     m_rcControl.left, m_rcControl.top, 0, 0, DST_ICON | DSS_NORMAL);
    }
}

void CUTKMenuBar::CControlMDISysMenuPopup::AdjustExcludeRect(CRect& rc, BOOL)
{
    rc = m_rcControl;
    rc.InflateRect(1, 1);
}

void CUTKMenuBar::CControlMDISysMenuPopup::SetMDIChild(HWND hWndChild, HMENU hMenu)
{
    m_hMenu = hMenu;
    HICON icon = reinterpret_cast<HICON>(::SendMessageW(hWndChild, kChildIconMessage, 0, 0));
    if (icon == nullptr) {
        icon = reinterpret_cast<HICON>(::SendMessageW(hWndChild, WM_GETICON, ICON_SMALL, 0));
    }
    if (icon == nullptr) {
        icon = reinterpret_cast<HICON>(::SendMessageW(hWndChild, WM_GETICON, ICON_BIG, 0));
    }
    if (icon == nullptr) {
        icon = reinterpret_cast<HICON>(::GetClassLongPtrW(hWndChild, GCLP_HICONSM));
    }
    if (icon == nullptr) {
        icon = ::LoadIconW(nullptr, IDI_WINLOGO);
    }
    if (m_hIcon != nullptr) {
        ::DestroyIcon(m_hIcon);
    }
    m_hIcon = static_cast<HICON>(::CopyImage(icon, IMAGE_ICON, kSysButtonSize, kSysButtonSize, 0));

    CUTKCommandBar* popup = m_commandBar;
    if (popup == nullptr || popup->GetControls() == nullptr) {
        return;
    }
    CUTKControls* controls = popup->GetControls();
    controls->RemoveAll();
    const int count = ::GetMenuItemCount(hMenu);
    BOOL group = FALSE;
    for (int i = 0; i < count; ++i) {
        const UINT id = ::GetMenuItemID(hMenu, i);
        if (id == 0) {
            group = TRUE;
            continue;
        }
        CUTKControl* control = nullptr;
        if (id < 0xF000 || id > 0xF1EF) {
            control = controls->AddMenuItem(hMenu, i);
        } else {
            control = controls->Add(utkControlButton, static_cast<int>(id), L"", -1, TRUE);
            if (control != nullptr) {
                control->SetFlags(control->GetFlags() | utkFlagManualUpdate);
                wchar_t text[256] = {};
                ::GetMenuStringW(hMenu, i, text, 255, MF_BYPOSITION);
                control->SetCaption(text);
                CString prompt;
                prompt.LoadString(((id - 0xF000) >> 4) + 0xEF00);
                control->SetDescription(prompt);
                control->SetDefaultItem(::GetMenuDefaultItem(hMenu, FALSE, 0) == id);
                const UINT state = ::GetMenuState(hMenu, i, MF_BYPOSITION);
                control->SetEnabled((state & MF_DISABLED) == 0);
            }
        }
        if (control != nullptr && group) {
            control->SetBeginGroup(TRUE);
            group = FALSE;
        }
    }
}

// ---- the menu bar ----

BEGIN_MESSAGE_MAP(CUTKMenuBar, CUTKToolBar)
    ON_MESSAGE(WM_TIMER, OnTimerMessage)
    ON_MESSAGE(WM_DESTROY, OnDestroyMessage)
END_MESSAGE_MAP()

CUTKMenuBar::CUTKMenuBar()
{
    m_barType = utkBarTypeMenuBar;
    m_nBarID = 1;
    m_bCloseable = FALSE;
    m_bShowExpandButton = FALSE;
    m_dwFlags = 0x5F;
    m_pMDIMenus = new CUTKMenuBarMDIMenus(this);
}

CUTKMenuBar::~CUTKMenuBar()
{
    if (m_pMDIMenus != nullptr) {
        m_pMDIMenus->RemoveAll();
        m_pMDIMenus->InternalRelease();
    }
}

BOOL CUTKMenuBar::LoadMenu(UINT nIDMenu)
{
    if (nIDMenu == 0) {
        TakeOverFrame();
        return TRUE;
    }
    CMenu menu;
    if (!GetResourceManager()->LoadMenu(&menu, nIDMenu)) {
        return FALSE;
    }
    if (!CUTKCommandBar::LoadMenu(menu.GetSafeHmenu(), TRUE)) {
        return FALSE;
    }
    m_nIDDefaultMenu = nIDMenu;
    m_nIDCurrentMenu = nIDMenu;
    TakeOverFrame();
    return TRUE;
}

void CUTKMenuBar::TakeOverFrame()
{
    HookFrame();
    if (CUTKImageManager* images = GetImageManager()) {
        const UINT ids[] = {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
        (void)images->SetIconsFromResource(kSysButtonsBitmapId, ids, 4, 16, 16, 0);
    }
    CWnd* site = GetSite();
    if (m_hMenuSaved == nullptr && site != nullptr && site->GetSafeHwnd() != nullptr) {
        m_hMenuSaved = ::GetMenu(site->GetSafeHwnd());
        ::SetMenu(site->GetSafeHwnd(), nullptr);
    }
}

void CUTKMenuBar::HookFrame()
{
    CWnd* site = GetSite();
    if (site == nullptr || site->GetSafeHwnd() == nullptr) {
        return;
    }
    auto* mdiFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, site);
    m_bMDIApp = mdiFrame != nullptr;
    if (m_hWndHookedFrame != site->GetSafeHwnd()) {
        GetHookManager()->SetHook(site->GetSafeHwnd(), this);
        m_hWndHookedFrame = site->GetSafeHwnd();
    }
    if (mdiFrame != nullptr && mdiFrame->m_hWndMDIClient != nullptr &&
        m_hWndHookedClient != mdiFrame->m_hWndMDIClient) {
        GetHookManager()->SetHook(mdiFrame->m_hWndMDIClient, this);
        m_hWndHookedClient = mdiFrame->m_hWndMDIClient;
    }
}

void CUTKMenuBar::RestoreFrameMenu()
{
    if (m_hMenuSaved == nullptr) {
        return;
    }
    if (m_hWndHookedFrame != nullptr && ::IsWindow(m_hWndHookedFrame)) {
        ::SetMenu(m_hWndHookedFrame, m_hMenuSaved);
    }
    m_hMenuSaved = nullptr;
}

HWND CUTKMenuBar::GetActiveMDIChild(BOOL* pbMaximized) const
{
    if (pbMaximized != nullptr) {
        *pbMaximized = FALSE;
    }
    auto* mdiFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, GetSite());
    if (!m_bMDIApp || mdiFrame == nullptr || mdiFrame->m_hWndMDIClient == nullptr) {
        return nullptr;
    }
    BOOL maximized = FALSE;
    HWND child = reinterpret_cast<HWND>(::SendMessageW(mdiFrame->m_hWndMDIClient, WM_MDIGETACTIVE,
                                                       0, reinterpret_cast<LPARAM>(&maximized)));
    if (pbMaximized != nullptr) {
        *pbMaximized = child != nullptr && maximized;
    }
    return child;
}

void CUTKMenuBar::RehookMDIChild()
{
    // No OLE document classes exist here, so no in-place active document object keeps the
    // previous child hooked.
    HWND child = GetActiveMDIChild(nullptr);
    if (child == m_hWndHookedChild) {
        return;
    }
    if (m_hWndHookedChild != nullptr && ::IsWindow(m_hWndHookedChild)) {
        GetHookManager()->RemoveHook(m_hWndHookedChild, this);
    }
    m_hWndHookedChild = child;
    if (child != nullptr) {
        GetHookManager()->SetHook(child, this);
    }
}

void CUTKMenuBar::RefreshMenu()
{
    RehookMDIChild();
    if (IsVisible()) {
        RefreshSysButtons();
    }
}

void CUTKMenuBar::RefreshSysButtons()
{
    if (m_pControls == nullptr) {
        return;
    }
    BOOL maximized = FALSE;
    HWND child = GetActiveMDIChild(&maximized);
    const DWORD style = child != nullptr ? static_cast<DWORD>(::GetWindowLongW(child, GWL_STYLE)) : 0;
    BOOL changed = FALSE;

    auto find = [&](int id, CRuntimeClass* cls) -> CUTKControl* {
        for (int i = 0; i < m_pControls->GetCount(); ++i) {
            CUTKControl* control = m_pControls->GetAt(i);
            if (control != nullptr && control->GetID() == id && control->IsKindOf(cls)) {
                return control;
            }
        }
        return nullptr;
    };

    auto* sysMenu = static_cast<CControlMDISysMenuPopup*>(
        find(kSysMenuId, RUNTIME_CLASS(CControlMDISysMenuPopup)));
    HMENU childMenu = child != nullptr ? ::GetSystemMenu(child, FALSE) : nullptr;
    if (maximized && (m_dwFlags & kFlagShowSysMenu) != 0 && childMenu != nullptr &&
        ::IsMenu(childMenu)) {
        if (sysMenu != nullptr) {
            if (sysMenu->GetMenuHandle() != childMenu) {
                sysMenu->SetMDIChild(child, childMenu);
                DelayRedraw();
            }
        } else {
            auto* control = new CControlMDISysMenuPopup;
            if (m_pControls->AddControl(control, kSysMenuId, L"", 0, TRUE) != nullptr) {
                control->SetMDIChild(child, childMenu);
                changed = TRUE;
            }
        }
    } else if (sysMenu != nullptr) {
        m_pControls->Remove(sysMenu);
        changed = TRUE;
    }

    struct ButtonRule {
        int id;
        const wchar_t* glyph;
        DWORD needStyle;
        DWORD noFlag;
    };
    const ButtonRule rules[] = {
        {kMinimizeButtonId, L"0", WS_MINIMIZEBOX | WS_SYSMENU, kFlagNoMinimize},
        {kRestoreButtonId, L"2", WS_MAXIMIZEBOX | WS_SYSMENU, kFlagNoRestore},
        {kCloseButtonId, L"r", WS_SYSMENU, kFlagNoClose},
    };
    for (const ButtonRule& rule : rules) {
        CUTKControl* button = find(rule.id, RUNTIME_CLASS(CControlMDIButton));
        if (!maximized) {
            if (button != nullptr) {
                m_pControls->Remove(button);
                changed = TRUE;
            }
            continue;
        }
        if (button == nullptr && (style & rule.needStyle) == rule.needStyle &&
            (m_dwFlags & rule.noFlag) == 0) {
            if (m_pControls->AddControl(new CControlMDIButton, rule.id, rule.glyph, -1, TRUE) !=
                nullptr) {
                changed = TRUE;
            }
        }
    }
    if (changed) {
        OnRecalcLayout();
        Redraw();
    }
}

void CUTKMenuBar::SwitchMDIMenu(UINT nID, CMenu* pMenu)
{
    if (nID == 0 || m_nIDCurrentMenu == 0 || nID == m_nIDCurrentMenu || m_pControls == nullptr) {
        return;
    }
    CUTKCommandBars* bars = GetCommandBars();
    CUTKMenuBarMDIMenuInfo* entry = m_pMDIMenus->Lookup(nID);
    const BOOL perTemplate = (bars != nullptr && bars->IsCustomizeAvail()) || entry != nullptr;
    if (perTemplate) {
        if (pMenu == nullptr && entry == nullptr) {
            return;
        }
        if (m_pMDIMenus->Lookup(m_nIDCurrentMenu) == nullptr) {
            auto* keep = new CUTKMenuBarMDIMenuInfo(bars, m_nIDCurrentMenu);
            keep->m_pControls->InternalRelease();
            keep->m_pControls = m_pControls;
            m_pControls->InternalAddRef();
            m_pMDIMenus->SetAt(m_nIDCurrentMenu, keep);
        }
        m_pControls->SetParent(nullptr);
        CUTKControls* old = m_pControls;
        m_pControls = nullptr;
        old->InternalRelease();
        if (entry != nullptr) {
            entry->m_pControls->InternalAddRef();
            SetControls(entry->m_pControls);
            if (m_pControls->GetOriginalControls() == nullptr && pMenu != nullptr) {
                // The snapshot the set is compared with: the template's menu as it stands.
                auto* original = new CUTKOriginalControls;
                original->SetCommandBars(bars);
                HMENU menu = pMenu->GetSafeHmenu();
                BOOL group = FALSE;
                for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                    if (::GetMenuItemID(menu, i) == 0 &&
                        (::GetMenuState(menu, i, MF_BYPOSITION) & MF_POPUP) == 0) {
                        group = TRUE;
                        continue;
                    }
                    if (CUTKControl* control = original->AddMenuItem(menu, i)) {
                        control->SetBeginGroup(group);
                        group = FALSE;
                    }
                }
                m_pControls->SetOriginalControls(original);
            }
            if (nID == m_nIDDefaultMenu) {
                m_pMDIMenus->Remove(nID);
            }
        } else {
            auto* created = new CUTKMenuBarMDIMenuInfo(bars, nID);
            created->m_pControls->InternalAddRef();
            SetControls(created->m_pControls);
            if (pMenu != nullptr) {
                CUTKCommandBar::LoadMenu(pMenu->GetSafeHmenu(), TRUE);
            }
            m_pControls->CreateOriginalControls();
            m_pMDIMenus->SetAt(nID, created);
        }
    } else if (pMenu != nullptr) {
        CUTKCommandBar::LoadMenu(pMenu->GetSafeHmenu(), TRUE);
    }
    OnRecalcLayout();
    m_nIDCurrentMenu = nID;
}

BOOL CUTKMenuBar::PrepareForSave()
{
    BOOL anyChanged = FALSE;
    if (m_pMDIMenus->GetCount() > 0) {
        SwitchMDIMenu(m_nIDDefaultMenu, nullptr);
        m_bDirtyMenu = TRUE;
    }
    for (POSITION pos = m_pMDIMenus->GetStartPosition(); pos != nullptr;) {
        CUTKMenuBarMDIMenuInfo* info = nullptr;
        m_pMDIMenus->GetNextAssoc(pos, info);
        if (info != nullptr && info->m_pControls != nullptr) {
            info->m_bChanged = info->m_pControls->IsChanged();
            anyChanged = anyChanged || info->m_bChanged;
        }
    }
    return anyChanged;
}

void CUTKMenuBar::RestoreActiveMenu()
{
    if (!m_bDirtyMenu) {
        return;
    }
    if (auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, GetSite());
        frame != nullptr && frame->GetSafeHwnd() != nullptr) {
        frame->OnUpdateFrameMenu(nullptr);
    }
    m_bDirtyMenu = FALSE;
}

BOOL CUTKMenuBar::IsCustomized()
{
    if (!IsCustomizable()) {
        return FALSE;
    }
    if (PrepareForSave()) {
        return TRUE;
    }
    return m_pControls != nullptr && m_pControls->IsChanged();
}

void CUTKMenuBar::Reset(BOOL bShowWarningMessage)
{
    if (m_pControls != nullptr && m_pControls->GetOriginalControls() != nullptr) {
        CUTKToolBar::Reset(bShowWarningMessage);
    } else if (m_nIDCurrentMenu != 0) {
        if (bShowWarningMessage) {
            CString format = GetResourceManager()->LoadString(kResetQuestionId);
            CString question;
            question.Format(format, static_cast<LPCWSTR>(m_strTitle));
            if (GetResourceManager()->ShowMessageBox(question, MB_OKCANCEL | MB_ICONWARNING) != IDOK) {
                return;
            }
        }
        CMenu menu;
        if (GetResourceManager()->LoadMenu(&menu, m_nIDCurrentMenu)) {
            CUTKCommandBar::LoadMenu(menu.GetSafeHmenu(), TRUE);
        }
        if (CWnd* site = GetSite(); site != nullptr && site->GetSafeHwnd() != nullptr) {
            site->SendMessage(UTK_WM_TOOLBARRESET, 0, reinterpret_cast<LPARAM>(this));
        }
    }
    RefreshMenu();
    OnIdleUpdate(TRUE, 0);
    OnRecalcLayout();
}

void CUTKMenuBar::Copy(CUTKCommandBar* pCommandBar, BOOL bRecursive)
{
    CUTKToolBar::Copy(pCommandBar, bRecursive);
    auto* source = DYNAMIC_DOWNCAST(CUTKMenuBar, pCommandBar);
    if (source == nullptr) {
        return;
    }
    m_nIDDefaultMenu = source->m_nIDDefaultMenu;
    for (POSITION pos = source->m_pMDIMenus->GetStartPosition(); pos != nullptr;) {
        CUTKMenuBarMDIMenuInfo* info = nullptr;
        source->m_pMDIMenus->GetNextAssoc(pos, info);
        if (info == nullptr) {
            continue;
        }
        if (CUTKMenuBarMDIMenuInfo* mine = m_pMDIMenus->Lookup(info->m_nIDMenu)) {
            CUTKControls* oldSnapshot = mine->m_pControls->GetOriginalControls();
            if (oldSnapshot != nullptr && info->m_pControls->GetOriginalControls() == nullptr) {
                oldSnapshot->InternalAddRef();
                info->m_pControls->SetOriginalControls(oldSnapshot);
            }
            info->m_pControls->InternalAddRef();
            mine->m_pControls->InternalRelease();
            mine->m_pControls = info->m_pControls;
        } else {
            info->InternalAddRef();
            m_pMDIMenus->SetAt(info->m_nIDMenu, info);
        }
    }
}

CUTKCommandBar* CUTKMenuBar::Clone(BOOL bRecursive)
{
    auto* bar = static_cast<CUTKCommandBar*>(GetRuntimeClass()->CreateObject());
    if (bar != nullptr) {
        bar->Copy(this, bRecursive);
    }
    return bar;
}

int CUTKMenuBar::OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam,
                               LRESULT& result)
{
    const BOOL fromFrame = hWnd != nullptr && hWnd == m_hWndHookedFrame;
    switch (message) {
    case WM_DESTROY:
        if (fromFrame && m_hMenuSaved != nullptr) {
            RestoreFrameMenu();
        }
        break;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        if (hWnd != nullptr && hWnd == m_hWndHookedChild && m_hWnd != nullptr) {
            PostMessage(WM_TIMER, kRefreshTimerId, 0);
        }
        break;
    case WM_MDICREATE:
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
        if (m_hWnd != nullptr) {
            PostMessage(WM_TIMER, kRefreshTimerId, 0);
        }
        break;
    case WM_SYSCOMMAND:
        if (fromFrame && IsVisible() && !GetThreadMouseManager()->IsMouseLocked() &&
            ::GetKeyState(VK_SHIFT) >= 0 && !IsCustomizeMode() &&
            (wParam & 0xFFF0) == SC_KEYMENU && lParam == 0) {
            if (!PreviewAccel(VK_MENU)) {
                // The manager's keyboard tracking comes with the manager; the bar enters it
                // itself, first control selected.
                SetTrackingMode(TRUE, TRUE, TRUE);
            }
            result = 0;
            return hookHandled;
        }
        break;
    case WM_MDISETMENU: {
        if (!IsVisible()) {
            if (m_hWndHookedFrame != nullptr && ::GetMenu(m_hWndHookedFrame) != nullptr) {
                return hookContinue;
            }
            result = 0;
            return hookHandled;
        }
        if (IsCustomizeMode()) {
            if (m_hWndHookedFrame != nullptr) {
                ::SetMenu(m_hWndHookedFrame, nullptr);
            }
        } else if ((m_dwFlags & kFlagIgnoreSetMenu) == 0) {
            HMENU menu = wParam != 0 ? reinterpret_cast<HMENU>(wParam) : m_hMenuSaved;
            UINT id = GetActiveDocTemplate();
            if (menu != nullptr && menu == m_hMenuSaved) {
                id = m_nIDDefaultMenu;
            }
            if (id != 0 && m_nIDCurrentMenu != 0 && id != m_nIDCurrentMenu && menu != nullptr &&
                ::GetMenuItemCount(menu) > 0) {
                CMenu* wrapped = CMenu::FromHandle(menu);
                SwitchMDIMenu(id, wrapped);
                if (m_hWndHookedFrame != nullptr) {
                    ::SetMenu(m_hWndHookedFrame, nullptr);
                }
                RefreshMenu();
            }
        }
        result = 0;
        return hookHandled;
    }
    default:
        break;
    }
    if (hWnd != nullptr && (hWnd == m_hWndHookedFrame || hWnd == m_hWndHookedClient ||
                            hWnd == m_hWndHookedChild)) {
        return hookContinue;
    }
    return CUTKToolBar::OnHookMessage(hWnd, message, wParam, lParam, result);
}

LRESULT CUTKMenuBar::OnTimerMessage(WPARAM wParam, LPARAM)
{
    if (wParam == kRefreshTimerId) {
        RefreshMenu();
        return 0;
    }
    OnTimer(wParam);
    return 0;
}

LRESULT CUTKMenuBar::OnDestroyMessage(WPARAM, LPARAM)
{
    RestoreFrameMenu();
    GetHookManager()->RemoveAll(this);
    m_hWndHookedFrame = nullptr;
    m_hWndHookedClient = nullptr;
    m_hWndHookedChild = nullptr;
    // The bar base's own destroy handling (drop target, tracking, animation buffers).
    CUTKCommandBar::OnDestroy();
    return 0;
}
