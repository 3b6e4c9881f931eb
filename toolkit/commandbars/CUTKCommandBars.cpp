// CUTKCommandBars: the per-frame manager: services, customisation state, keyboard cues, the
// bars it holds, hidden commands, context menus and layout requests. Docking through the dock
// bars and the rebar lives in CUTKCommandBarsDocking.cpp, the options storage in
// CUTKCommandBarsOptionsStorage.cpp.
#include "toolkit/commandbars/CUTKCommandBars.h"

#include "platform/framework/frame/CDocTemplate.h"
#include "platform/framework/frame/CDocument.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/frame/CMDIChildWnd.h"
#include "platform/framework/frame/CMDIFrameWnd.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBarList.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKCustomizeDropSource.h"
#include "toolkit/commandbars/CUTKMenuBar.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/commandbars/CUTKShortcutManager.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKToolTipContext.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlActions.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/CUTKControlToolbars.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

IMPLEMENT_DYNCREATE(CUTKCommandBars, CCmdTarget)

CRuntimeClass* CUTKCommandBars::m_pToolBarClass = RUNTIME_CLASS(CUTKToolBar);
CRuntimeClass* CUTKCommandBars::m_pMenuBarClass = RUNTIME_CLASS(CUTKMenuBar);
CRuntimeClass* CUTKCommandBars::m_pPopupBarClass = RUNTIME_CLASS(CUTKPopupBar);
CRuntimeClass* CUTKCommandBars::m_pPopupToolBarClass = RUNTIME_CLASS(CUTKPopupToolBar);

CUTKCommandBars::CUTKCommandBars()
{
    m_pDropSource = new CUTKCustomizeDropSource(this);
    m_pOptions = new CUTKCommandBarsOptions();
    m_pOptions->pCommandBars = this;
    // Tip texts lose their mnemonic ampersands.
    m_pToolTipContext = new CUTKToolTipContext();
    m_pToolTipContext->ModifyToolTipStyle(TTS_NOPREFIX, 0);
    m_pShortcutManager = new CUTKShortcutManager(this);
    m_pActions = new CUTKControlActions(this);
    m_pContextMenus = new CUTKCommandBarsContextMenus(this);
    m_pOptions->SetShowKeyboardCues(2);
}

CUTKCommandBars::~CUTKCommandBars()
{
    SetDragControl(nullptr);
    SetCommandTarget(nullptr);
    if (m_pContextMenus != nullptr) {
        m_pContextMenus->RemoveAll();
        m_pContextMenus->InternalRelease();
        m_pContextMenus = nullptr;
    }
    RemoveAll();
    DestroyDockBars();
    SetDropSource(nullptr);
    SetPaintManager(nullptr);
    SetImageManager(nullptr);
    SetToolTipContext(nullptr);
    SetShortcutManager(nullptr);
    delete m_pOptions;
    m_pOptions = nullptr;
    if (m_pActions != nullptr) {
        m_pActions->RemoveAll();
        m_pActions->InternalRelease();
        m_pActions = nullptr;
    }
}

// ---- site ----

void CUTKCommandBars::SetSite(CWnd* pSite)
{
    m_pFrame = pSite;
    m_bRightToLeft = pSite != nullptr && pSite->GetSafeHwnd() != nullptr &&
                     (pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

BOOL CUTKCommandBars::IsLayoutRTL() const
{
    if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr &&
        (m_pFrame->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        return TRUE;
    return m_bRightToLeft;
}

void CUTKCommandBars::OnSetPreviewMode(BOOL bPreview)
{
    bPreview = bPreview ? TRUE : FALSE;
    if (bPreview == m_bPreviewMode)
        return;
    m_bPreviewMode = bPreview;
    // Bars leave any tracking while the frame previews.
    if (bPreview)
        ClosePopups();
}

// ---- services ----

CUTKPaintManager* CUTKCommandBars::GetPaintManager() const
{
    return m_pPaintManager != nullptr ? m_pPaintManager : CUTKPaintManager::GetGlobalPaintManager();
}

void CUTKCommandBars::SetPaintManager(CUTKPaintManager* pPaintManager)
{
    if (pPaintManager == m_pPaintManager)
        return;
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
}

CUTKImageManager* CUTKCommandBars::GetImageManager() const
{
    return m_pImageManager != nullptr ? m_pImageManager : ::GetImageManager();
}

void CUTKCommandBars::SetImageManager(CUTKImageManager* pImageManager)
{
    if (pImageManager == m_pImageManager)
        return;
    if (m_pImageManager != nullptr)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

void CUTKCommandBars::SetToolTipContext(CUTKToolTipContext* pContext)
{
    if (pContext == m_pToolTipContext)
        return;
    if (m_pToolTipContext != nullptr)
        m_pToolTipContext->InternalRelease();
    m_pToolTipContext = pContext;
}

void CUTKCommandBars::SetShortcutManager(CUTKShortcutManager* pShortcutManager)
{
    if (pShortcutManager == m_pShortcutManager)
        return;
    if (m_pShortcutManager != nullptr)
        m_pShortcutManager->InternalRelease();
    m_pShortcutManager = pShortcutManager;
}

CUTKMouseManager* CUTKCommandBars::GetMouseManager() const
{
    if (m_pMouseManager == nullptr)
        m_pMouseManager = GetThreadMouseManager();
    return m_pMouseManager;
}

void CUTKCommandBars::SetCommandTarget(CCmdTarget* pTarget)
{
    if (pTarget == m_pCommandTarget)
        return;
    if (pTarget != nullptr)
        pTarget->InternalAddRef();
    if (m_pCommandTarget != nullptr)
        m_pCommandTarget->InternalRelease();
    m_pCommandTarget = pTarget;
}

// ---- bars ----

CUTKMenuBar* CUTKCommandBars::GetMenuBar() const
{
    return DYNAMIC_DOWNCAST(CUTKMenuBar, FindCommandBar(kMenuBarId));
}

CUTKCommandBar* CUTKCommandBars::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return m_arrBars[nIndex];
}

CUTKToolBar* CUTKCommandBars::GetToolBarAt(int nIndex) const
{
    return DYNAMIC_DOWNCAST(CUTKToolBar, GetAt(nIndex));
}

CUTKToolBar* CUTKCommandBars::FindCommandBar(UINT nBarID) const
{
    if (nBarID == 0)
        return nullptr;
    for (int i = 0; i < GetCount(); ++i) {
        if (m_arrBars[i]->GetBarID() == nBarID)
            return DYNAMIC_DOWNCAST(CUTKToolBar, m_arrBars[i]);
    }
    return nullptr;
}

int CUTKCommandBars::IndexOf(const CUTKCommandBar* pBar) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_arrBars[i] == pBar)
            return i;
    }
    return -1;
}

int CUTKCommandBars::NextVisibleIndex(int nCount, int nStart, int nDirection, ShownTest isShown,
                                      void* context)
{
    if (nCount <= 0)
        return -1;
    int index = (nStart == -1 && nDirection == -1) ? nCount - 1 : nStart + nDirection;
    if (index == nStart)
        return nStart;
    // One wrap around the ends is allowed (none from the outside start in its own direction).
    BOOL wrapped = FALSE;
    for (;;) {
        if (index >= nCount) {
            if (wrapped || (nStart == -1 && nDirection > 0))
                return -1;
            wrapped = TRUE;
            index = 0;
        } else if (index < 0) {
            if (wrapped || (nStart == -1 && nDirection < 0))
                return -1;
            wrapped = TRUE;
            index = nCount - 1;
        }
        if (index == nStart)
            return nStart;
        if (isShown(index, context))
            return index;
        index += nDirection;
    }
}

int CUTKCommandBars::GetNextVisibleBar(int nStart, int nDirection) const
{
    if (nDirection == 0)
        return GetCount() > 0 ? nStart : -1;
    return NextVisibleIndex(
        GetCount(), nStart, nDirection,
        [](int index, void* context) -> BOOL {
            return static_cast<const CUTKCommandBars*>(context)->m_arrBars[index]->IsShown();
        },
        const_cast<CUTKCommandBars*>(this));
}

CUTKToolBar* CUTKCommandBars::CreateBar(CRuntimeClass* pClass)
{
    if (pClass == nullptr)
        return nullptr;
    CObject* object = pClass->CreateObject();
    if (object == nullptr)
        return nullptr;
    auto* bar = DYNAMIC_DOWNCAST(CUTKToolBar, object);
    if (bar == nullptr) {
        if (auto* target = DYNAMIC_DOWNCAST(CCmdTarget, object))
            target->InternalRelease();
        else
            delete object;
    }
    return bar;
}

void CUTKCommandBars::DiscardBar(CUTKToolBar* pBar)
{
    // A half-made bar may already sit in a dock bar: it leaves before it is freed.
    TakeOutOfDockBar(pBar);
    pBar->DestroyBar();
    pBar->InternalRelease();
}

CUTKToolBar* CUTKCommandBars::SetMenu(LPCTSTR lpszTitle, UINT nIDMenu)
{
    CUTKToolBar* bar = CreateBar(m_pMenuBarClass);
    auto* menuBar = DYNAMIC_DOWNCAST(CUTKMenuBar, bar);
    if (menuBar == nullptr) {
        if (bar != nullptr)
            bar->InternalRelease();
        return nullptr;
    }
    menuBar->SetCommandBars(this);
    menuBar->SetTitle(lpszTitle);
    menuBar->SetBarID(kMenuBarId);
    if (!menuBar->SetPosition(utkBarTop) || !menuBar->LoadMenu(nIDMenu)) {
        DiscardBar(menuBar);
        return nullptr;
    }
    if (nIDMenu != 0) {
        menuBar->GetControls()->CreateOriginalControls();
        m_nMenuID = nIDMenu;
    }
    m_arrBars.Add(menuBar);
    return menuBar;
}

CUTKToolBar* CUTKCommandBars::Add(LPCTSTR lpszTitle, int position, CRuntimeClass* pToolBarClass)
{
    CUTKToolBar* bar = CreateBar(pToolBarClass != nullptr ? pToolBarClass : m_pToolBarClass);
    if (bar == nullptr)
        return nullptr;
    bar->SetCommandBars(this);
    bar->SetTitle(lpszTitle);
    if (!bar->SetPosition(position)) {
        DiscardBar(bar);
        return nullptr;
    }
    m_arrBars.Add(bar);
    return bar;
}

void CUTKCommandBars::Add(CUTKCommandBar* pBar)
{
    if (pBar == nullptr || IndexOf(pBar) >= 0)
        return;
    pBar->InternalAddRef();
    m_arrBars.Add(pBar);
}

CUTKToolBar* CUTKCommandBars::AddCustomBar(LPCTSTR lpszTitle, UINT nBarID, BOOL bTearOffBar)
{
    CUTKToolBar* bar = CreateBar(m_pToolBarClass);
    if (bar == nullptr)
        return nullptr;
    bar->SetCommandBars(this);
    // The frame may adjust the bar before it is placed.
    DWORD_PTR record[7] = {reinterpret_cast<DWORD_PTR>(bar), 0, 0, 1,
                           static_cast<DWORD_PTR>(bTearOffBar),
                           reinterpret_cast<DWORD_PTR>(lpszTitle), nBarID};
    if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr)
        m_pFrame->SendMessage(kMsgCreateCommandBar, 0, reinterpret_cast<LPARAM>(record));
    bar->SetTitle(lpszTitle);
    if (!bar->SetPosition(bTearOffBar ? utkBarFloating : utkBarTop)) {
        DiscardBar(bar);
        return nullptr;
    }
    m_arrBars.Add(bar);
    bar->SetBarID(nBarID);
    bar->SetBuiltIn(FALSE);
    bar->SetTearOff(bTearOffBar);
    if (bar->IsDocked())
        RecalcFrameLayout(FALSE);
    DockInReBar(bar);
    return bar;
}

void CUTKCommandBars::ToggleVisible(int nIndex)
{
    if (CUTKCommandBar* bar = GetAt(nIndex))
        bar->SetVisible(!bar->IsVisible());
    m_pOptions->bDirty = TRUE;
}

void CUTKCommandBars::RemoveBar(CUTKCommandBar* pBar)
{
    if (pBar->GetSafeHwnd() != nullptr)
        pBar->ShowWindow(SW_HIDE);
    if (auto* toolBar = DYNAMIC_DOWNCAST(CUTKToolBar, pBar)) {
        toolBar->SetVisibleField(FALSE);
        const BOOL docked = toolBar->IsDocked();
        TakeOutOfDockBar(toolBar);
        if (docked)
            RecalcFrameLayout(FALSE);
        RemoveFromReBar(toolBar);
    } else {
        pBar->SetVisibleField(FALSE);
    }
    pBar->DestroyBar();
}

void CUTKCommandBars::Remove(CUTKCommandBar* pBar)
{
    const int index = pBar != nullptr ? IndexOf(pBar) : -1;
    if (index < 0)
        return;
    // Kept alive until it is out of the array: tearing down may call back into the manager.
    RemoveBar(pBar);
    const int now = IndexOf(pBar);
    if (now >= 0)
        m_arrBars.RemoveAt(now);
    pBar->InternalRelease();
}

void CUTKCommandBars::RemoveAll()
{
    ++m_nLockRecalcLayout;
    for (int i = 0; i < GetCount(); ++i)
        RemoveBar(m_arrBars[i]);
    CArray<CUTKCommandBar*, CUTKCommandBar*> bars;
    bars.Copy(m_arrBars);
    m_arrBars.RemoveAll();
    for (INT_PTR i = 0; i < bars.GetSize(); ++i)
        bars[i]->InternalRelease();
    --m_nLockRecalcLayout;
    RecalcFrameLayout(TRUE);
}

// ---- hidden and used commands ----

BOOL CUTKCommandBars::IsCommandHidden(UINT nID) const
{
    BOOL value = FALSE;
    return m_pOptions->mapHiddenCommands.Lookup(nID, value) &&
           !m_pOptions->mapUsedCommands.Lookup(nID, value);
}

BOOL CUTKCommandBars::IsControlHidden(CUTKControl* pControl) const
{
    if (pControl == nullptr)
        return FALSE;
    if (IsCommandHidden(static_cast<UINT>(pControl->GetID())))
        return TRUE;
    const int type = pControl->GetType();
    if (!m_pOptions->bAutoHideUnusedPopups || type < 2 || type > 4)
        return FALSE;
    CUTKCommandBar* popup = pControl->GetCommandBar();
    if (popup == nullptr || popup->GetControls() == nullptr)
        return FALSE;
    CUTKControls* controls = popup->GetControls();
    if (controls->GetCount() == 0)
        return FALSE;
    for (int i = 0; i < controls->GetCount(); ++i) {
        if (!IsControlHidden(controls->GetAt(i)))
            return FALSE;
    }
    return TRUE;
}

void CUTKCommandBars::SetCommandUsed(UINT nID)
{
    BOOL value = FALSE;
    if (!m_pOptions->mapHiddenCommands.Lookup(nID, value))
        return;
    m_pOptions->mapUsedCommands.SetAt(nID, TRUE);
    m_pOptions->bDirty = TRUE;
}

// ---- customisation ----

void CUTKCommandBars::SetCustomizeMode(BOOL bMode)
{
    m_pOptions->bDirty = TRUE;
    m_bCustomizeMode = bMode;
    m_bLastCustomizeMode = bMode;
    SetDragControl(nullptr);
    ShowKeyboardCues(bMode);
}

void CUTKCommandBars::SetDragControl(CUTKControl* pControl)
{
    if (pControl == m_pDragControl)
        return;
    CUTKControl* pOld = m_pDragControl;
    m_pDragControl = pControl;
    if (pOld != nullptr) {
        pOld->RedrawParent(FALSE);
        pOld->InternalRelease();
    }
    if (m_pDragControl != nullptr) {
        m_pDragControl->RedrawParent(FALSE);
        m_pDragControl->InternalAddRef();
    }
    if (CWnd* target = GetCustomizeWindow(); target != nullptr && target->GetSafeHwnd() != nullptr)
        target->SendMessage(kMsgCustomizeSelChanged);
}

// ---- keyboard cues ----

void CUTKCommandBars::ShowKeyboardCues(BOOL bShow)
{
    if (m_bCustomizeMode)
        bShow = TRUE;
    bShow = bShow ? TRUE : FALSE;
    // Cues that always show (or never do) are not switched by Alt.
    if (!m_bKeyboardCuesHidden || bShow == m_bKeyboardCuesVisible)
        return;
    m_bKeyboardCuesVisible = bShow;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        CUTKCommandBar* pBar = m_arrBars[i];
        if (pBar->GetSafeHwnd() != nullptr && pBar->IsVisible())
            pBar->Redraw(nullptr, FALSE);
    }
}

void CUTKCommandBars::SetKeyboardCuesState(BOOL bVisible, BOOL bHiddenUntilAlt)
{
    m_bKeyboardCuesVisible = bVisible;
    m_bKeyboardCuesHidden = bHiddenUntilAlt;
}

BOOL CUTKCommandBars::EnterKeyboardTracking(CUTKToolBar* pBar, int nDirection)
{
    if (pBar == nullptr)
        return FALSE;
    CUTKCommandBar* target = pBar;
    if (nDirection != 0) {
        if (GetCount() < 2)
            return FALSE;
        const int index = GetNextVisibleBar(IndexOf(pBar), nDirection);
        target = GetAt(index);
        if (target == nullptr || target == pBar)
            return FALSE;
    }
    ClosePopups();
    ShowKeyboardCues(TRUE);
    m_keyboardTipsMode = 1;
    target->SetTrackingMode(TRUE, FALSE, TRUE);
    target->SetSelected(target->GetControls()->GetNext(-1, +1), utkSelectKeyboardNext);
    return TRUE;
}

// ---- popups ----

void CUTKCommandBars::ClosePopups() const
{
    // Every bar that tracks on this thread leaves tracking, popups close with their bars.
    GetMouseManager()->SendTrackLost();
}

CUTKPopupBar* CUTKCommandBars::CreateToolbarsPopup()
{
    CUTKPopupBar* popup = CUTKPopupBar::CreatePopupBar(this);
    if (popup == nullptr)
        return nullptr;
    CUTKControlToolbars::AddToolbarItems(popup, 0, kToolbarListId, TRUE, FALSE);
    return popup;
}

void CUTKCommandBars::ContextMenu(CUTKToolBar* pBar, CPoint point)
{
    if (m_bCustomizeMode)
        return;
    CUTKPopupBar* popup = CreateToolbarsPopup();
    if (popup == nullptr)
        return;
    if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr)
        m_pFrame->SendMessage(kMsgToolbarsContextMenu, reinterpret_cast<WPARAM>(pBar),
                              reinterpret_cast<LPARAM>(popup));
    if (popup->GetControls()->GetCount() > 0) {
        popup->SetPopupFlags(IsLayoutRTL() ? 1 : 0);
        ClosePopups();
        if (popup->PopupAt(point.x, point.y, nullptr))
            RunPopupLoop(popup);
    }
    popup->InternalRelease();
}

void CUTKCommandBars::RunPopupLoop(CUTKPopupBar* pPopup)
{
    // Messages are pumped while the popup tracks; a quit ends the loop and is posted again
    // so that the thread's own loop still sees it.
    MSG msg;
    while (pPopup->IsTrackingMode()) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ClosePopups();
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1)
            break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void CUTKCommandBars::AddOrRemoveEntry(CUTKToolBar* pBar, CUTKPopupBar* pPopup)
{
    CUTKControl* entry = pPopup->GetControls()->Add(utkControlPopup, 0, L"", -1, TRUE);
    if (entry == nullptr)
        return;
    entry->SetFlags(8);
    CString title = pBar->GetTitle();
    title.Replace(L"&", L"&&");
    entry->SetCaption(title);
    const BOOL enabled = m_bCustomizeAvail && pBar->IsBuiltIn() && pBar->IsCustomizable();
    entry->SetEnabled(enabled);
    if (!enabled)
        return;
    auto* entryPopup = DYNAMIC_DOWNCAST(CUTKControlPopup, entry);
    if (entryPopup != nullptr && entryPopup->GetCommandBar() == nullptr) {
        if (CUTKPopupBar* own = CUTKPopupBar::CreatePopupBar(this)) {
            entryPopup->SetCommandBar(own);
            own->InternalRelease();
        }
    }
    if (CUTKCommandBar* own = entry->GetCommandBar()) {
        pBar->BuildCustomizePopup(own);
        if (auto* ownPopup = DYNAMIC_DOWNCAST(CUTKPopupBar, own))
            ownPopup->SetDoubleGripper(TRUE);
    }
}

void CUTKCommandBars::GetAddOrRemovePopup(CUTKToolBar* pBar, CUTKPopupBar* pPopup)
{
    if (pBar == nullptr || pPopup == nullptr)
        return;
    CArray<CUTKToolBar*, CUTKToolBar*> row;
    GetDockRow(pBar, row);
    if (row.GetSize() == 0)
        row.Add(pBar);
    for (INT_PTR i = 0; i < row.GetSize(); ++i)
        AddOrRemoveEntry(row[i], pPopup);
    if (m_bCustomizeAvail) {
        if (CUTKControl* customize =
                pPopup->GetControls()->Add(utkControlButton, kCustomizeId, L"", -1, FALSE))
            customize->SetBeginGroup(TRUE);
    }
}

void CUTKCommandBars::AddHiddenControls(CUTKToolBar* pBar, CUTKPopupBar* pPopup)
{
    CUTKControls* controls = pBar->GetControls();
    for (int i = 0; controls != nullptr && i < controls->GetCount(); ++i) {
        CUTKControl* control = controls->GetAt(i);
        if (control == nullptr || control->GetHideFlags() != utkHideWrap)
            continue;
        if (CUTKControl* copy = pPopup->GetControls()->AddClone(control, -1)) {
            copy->SetHideFlags(0);
            copy->SetBeginGroup(FALSE);
        }
    }
}

void CUTKCommandBars::GetHiddenControls(CUTKToolBar* pBar, CUTKPopupBar* pPopup)
{
    if (pBar == nullptr || pPopup == nullptr)
        return;
    CArray<CUTKToolBar*, CUTKToolBar*> row;
    GetDockRow(pBar, row);
    for (INT_PTR i = 0; i < row.GetSize(); ++i)
        AddHiddenControls(row[i], pPopup);
}

// ---- layout and redraw ----

void CUTKCommandBars::RecalcFrameLayout(BOOL bDelay)
{
    if (m_nLockRecalcLayout != 0 || m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return;
    if (m_pFrame->IsFrameWnd()) {
        auto* frame = static_cast<CFrameWnd*>(m_pFrame);
        if (bDelay)
            frame->m_nIdleFlags |= CFrameWnd::idleLayout;
        else
            frame->RecalcLayout(FALSE);
        return;
    }
    CRect client;
    m_pFrame->GetClientRect(&client);
    m_pFrame->SendMessage(WM_SIZE, 0, MAKELPARAM(client.Width(), client.Height()));
}

void CUTKCommandBars::FlushDelayedLayout()
{
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr || !m_pFrame->IsFrameWnd())
        return;
    auto* frame = static_cast<CFrameWnd*>(m_pFrame);
    if ((frame->m_nIdleFlags & CFrameWnd::idleLayout) == 0)
        return;
    frame->RecalcLayout(FALSE);
    frame->m_nIdleFlags &= ~CFrameWnd::idleLayout;
}

void CUTKCommandBars::RedrawCommandBars()
{
    ++m_nLockRecalcLayout;
    for (int i = 0; i < GetCount(); ++i) {
        CUTKCommandBar* bar = m_arrBars[i];
        for (int j = 0; bar->GetControls() != nullptr && j < bar->GetControls()->GetCount(); ++j)
            bar->GetControls()->GetAt(j)->OnThemeChanged();
        if (bar->IsVisible())
            bar->OnRecalcLayout();
    }
    if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr) {
        for (HWND child = ::GetWindow(m_pFrame->GetSafeHwnd(), GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (CWnd::FromHandlePermanent(child) != nullptr)
                ::InvalidateRect(child, nullptr, FALSE);
        }
    }
    --m_nLockRecalcLayout;
    RecalcFrameLayout(FALSE);
    if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr) {
        m_pFrame->SetWindowPos(nullptr, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                                   SWP_FRAMECHANGED);
        m_pFrame->SendMessage(WM_NCPAINT, 1, 0);
    }
}

UINT CUTKCommandBars::GetActiveDocTemplate() const
{
    auto* mdiFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pFrame);
    if (mdiFrame == nullptr || mdiFrame->GetSafeHwnd() == nullptr)
        return 0;
    CMDIChildWnd* child = mdiFrame->MDIGetActive();
    if (child == nullptr)
        return m_nMenuID;
    CDocument* document = child->GetActiveDocument();
    if (document == nullptr)
        return child->m_nIDHelp;
    CDocTemplate* docTemplate = document->GetDocTemplate();
    return docTemplate != nullptr ? docTemplate->m_nIDResource : 0;
}
