// The manager's side of its frame: messages of the frame window (popups closed on activation
// changes and system commands, colours and settings refreshed, help), the pre-translation of
// the frame's input (Alt and menu mnemonics, keys for open menus, the wheel, shortcuts), and
// the modal tracking of a popup menu opened by TrackPopupMenu.
#include "toolkit/commandbars/CUTKFrameIntegration.h"
#include "toolkit/commandbars/CUTKFrameWnd.h"

#include "platform/framework/CResourceException.h"
#include "platform/framework/frame/AfxFrameDefs.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/window/CWinThread.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKCustomizeDropSource.h"
#include "toolkit/commandbars/CUTKDockBar.h"
#include "toolkit/commandbars/CUTKKeyboardManager.h"
#include "toolkit/commandbars/CUTKMenuBar.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/commandbars/CUTKShortcutManager.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKToolTipContext.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

namespace {

constexpr UINT kIdHelp = 0xE146;
constexpr UINT kMsgCommandHelp = 0x365;
constexpr LPARAM kAltContextBit = 1 << 29;

// Keyboard-cues use bits.
constexpr int kCuesAllBars = 1;
constexpr int kCuesOff = 2;
constexpr int kCuesExplicitOnly = 4;

BOOL IsFloating(const CUTKCommandBar* pBar)
{
    return pBar->GetPosition() == utkBarFloating;
}

// The mnemonic of a caption: the character after the first single '&' when that is not the
// last character, else 0 (explicit is then FALSE).
WCHAR MnemonicOf(const CString& caption, BOOL& bExplicit)
{
    const int amp = CUTKShortcutManager::FindMnemonicAmpersand(caption);
    if (amp >= 0 && amp + 1 < caption.GetLength()) {
        bExplicit = TRUE;
        return static_cast<WCHAR>(caption[amp + 1]);
    }
    bExplicit = FALSE;
    return caption.IsEmpty() ? 0 : static_cast<WCHAR>(caption[0]);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Frame window messages

BOOL CUTKCommandBars::OnFrameWndMsg(UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT* pResult)
{
    switch (message) {
    case WM_IDLEUPDATECMDUI:
        // Docked bars are updated as children of the frame; floating ones are not children.
        for (int i = 0; i < GetCount(); ++i) {
            CUTKCommandBar* pBar = GetAt(i);
            if (pBar != nullptr && IsFloating(pBar) && pBar->GetSafeHwnd() != nullptr) {
                pBar->OnIdleUpdate(TRUE, TRUE);
            }
        }
        return FALSE;
    case WM_SYSCOLORCHANGE:
        if (CUTKColorManager* pColors = GetColorManager()) {
            pColors->RefreshColors();
        }
        if (CUTKPaintManager* pPaint = GetPaintManager()) {
            pPaint->RefreshMetrics();
        }
        if (CUTKImageManager* pImages = GetImageManager()) {
            pImages->RefreshAll();
        }
        RedrawCommandBars();
        return FALSE;
    case WM_SETTINGCHANGE:
        if (CUTKPaintManager* pPaint = GetPaintManager()) {
            pPaint->RefreshMetrics();
        }
        RedrawCommandBars();
        return FALSE;
    case WM_CLOSE:
        // The frame stays while the customise dialog is open.
        return UTKFrameIntegration::IsCustomizeWindowOpen(this);
    case WM_COMMAND: {
        CWnd* pFocus = CWnd::FromHandlePermanent(::GetFocus());
        if (pFocus != nullptr && UTKFrameSite::IsBarEditFocused() &&
            pFocus->OnCmdMsg(LOWORD(wParam), CN_COMMAND, nullptr, nullptr)) {
            if (pResult != nullptr) {
                *pResult = 1;
            }
            return TRUE;
        }
        if (LOWORD(wParam) == kIdHelp && static_cast<int>(m_helpId) > 0 && m_pFrame != nullptr &&
            m_pFrame->GetSafeHwnd() != nullptr) {
            AFX_CMDHANDLERINFO info{};
            if (m_pFrame->OnCmdMsg(kIdHelp, CN_COMMAND, nullptr, &info)) {
                m_pFrame->SendMessage(kMsgCommandHelp, 0, static_cast<LPARAM>(m_helpId) + 0x10000);
                if (pResult != nullptr) {
                    *pResult = 0;
                }
                return TRUE;
            }
        }
        return FALSE;
    }
    case WM_CANCELMODE:
        ClosePopups();
        return FALSE;
    case WM_ACTIVATEAPP:
        if (wParam == 0) {
            ClosePopups();
        }
        return FALSE;
    case WM_SYSCOMMAND:
        // The menu key keeps what is open (it is how the menu bar is entered); sizing, moving,
        // minimising and the rest close it, unless the user is customising.
        if (!(wParam != 0 && LOWORD(wParam) == 0) && (wParam & 0xFFF0) != SC_KEYMENU &&
            !m_bCustomizeMode) {
            ClosePopups();
        }
        return FALSE;
    default:
        (void)lParam;
        return FALSE;
    }
}

// ---------------------------------------------------------------------------------------
// Pre-translation of the frame's messages

BOOL CUTKCommandBars::PreTranslateFrameMessage(MSG* pMsg)
{
    if (pMsg == nullptr) {
        return FALSE;
    }
    CUTKMouseManager* pMouse = GetMouseManager();
    CUTKKeyboardManager* pKeyboard = GetThreadKeyboardManager();
    const UINT message = pMsg->message;
    const BOOL barsTracked = pMouse->GetTrackedCount() > 0;

    if (message == WM_SYSKEYDOWN && (pMsg->lParam & kAltContextBit) != 0 &&
        pMouse->GetLockCount() <= 0 && !pMouse->IsTrackedLock(nullptr) && m_pFrame != nullptr &&
        CUTKMouseManager::IsTopParentActive(m_pFrame->GetSafeHwnd())) {
        const UINT key = static_cast<UINT>(pMsg->wParam);
        if (key == VK_MENU) {
            // Alt alone shows the underlines; its release still reaches the system, which
            // enters the menu bar.
            ShowKeyboardCues(TRUE);
            return FALSE;
        }
        if (key != 0 && !(m_bAltShiftGuard && ::GetKeyState(VK_SHIFT) < 0) && OnFrameAccel(key)) {
            return TRUE;
        }
    }
    if ((message == WM_SYSKEYUP || message == WM_KEYUP) && m_bKeyboardCuesHidden &&
        m_bKeyboardCuesVisible && !barsTracked) {
        ShowKeyboardCues(FALSE);
    }
    if ((message == WM_CONTEXTMENU || message == WM_SYSKEYUP) && barsTracked) {
        pKeyboard->ProcessKeyboardHooks(WM_CONTEXTMENU, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    if (message == WM_MOUSEWHEEL) {
        if (pKeyboard->GetSinkCount() > 0) {
            return pKeyboard->ProcessKeyboardHooks(message, pMsg->wParam, pMsg->lParam);
        }
        // Only a ribbon turns its tabs with the wheel; there is none among these bars.
        return FALSE;
    }
    if (message >= WM_KEYDOWN && message <= WM_SYSDEADCHAR && m_pShortcutManager != nullptr) {
        return m_pShortcutManager->TranslateAccelerator(pMsg);
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------
// Mnemonics

BOOL CUTKCommandBars::OnFrameAccel(UINT chAccel)
{
    const int cuesUse = m_pOptions->keyboardCuesUse;
    if (cuesUse == kCuesOff) {
        return FALSE;
    }
    if (chAccel >= VK_NUMPAD0 && chAccel <= VK_NUMPAD9 && !m_pOptions->bUseKeypadAccelerators) {
        return FALSE;
    }
    if (::MapVirtualKeyW(chAccel, MAPVK_VK_TO_CHAR) == 0) {
        return FALSE;
    }
    CUTKCommandBar* pTarget = nullptr;
    for (int i = 0; i < GetCount() && pTarget == nullptr; ++i) {
        CUTKCommandBar* pBar = GetAt(i);
        if (pBar != nullptr && pBar->IsTrackingMode()) {
            pTarget = pBar;
        }
    }
    if (pTarget == nullptr) {
        auto* pMenuBar = GetMenuBar();
        if (pMenuBar != nullptr && pMenuBar->IsShown()) {
            pTarget = pMenuBar;
        }
    }
    if (pTarget == nullptr && (cuesUse & kCuesAllBars) != 0) {
        const int index = GetNextVisibleBar(-1, 1);
        pTarget = index >= 0 ? GetAt(index) : nullptr;
    }
    if (pTarget == nullptr || !pTarget->IsShown()) {
        return FALSE;
    }
    if (pTarget->PreviewAccel(chAccel)) {
        return TRUE;
    }
    BOOL notUnique = FALSE;
    CUTKControl* pControl = UTKFrameIntegration::FindAccelControl(this, pTarget, chAccel, &notUnique);
    if (pControl == nullptr || pControl->GetParent() == nullptr) {
        return FALSE;
    }
    CUTKCommandBar* pParent = pControl->GetParent();
    if (!pParent->IsTrackingMode()) {
        ClosePopups();
    }
    ShowKeyboardCues(TRUE);
    m_keyboardTipsMode = 1;
    pParent->SetTrackingMode(TRUE, FALSE, TRUE);
    pParent->SetSelected(pControl->GetIndex(), utkSelectKeyboard);
    if (!notUnique) {
        pControl->OnKeyboardActivate();
    }
    return TRUE;
}

void CUTKCommandBars::OnTrackingModeChanged(CUTKCommandBar*, int bMode)
{
    CUTKMouseManager* pMouse = GetMouseManager();
    const int tracked = pMouse->GetTrackedCount();
    if (!bMode && m_bKeyboardCuesHidden && tracked == 0) {
        ShowKeyboardCues(FALSE);
    }
    if (m_keyboardTipsMode > 0 && m_pOptions->bKeyboardTips) {
        HideKeyboardTips();
        if (tracked > 0) {
            // The innermost bar shows its tips again once it runs its own timer.
            CUTKCommandBar* pLast = pMouse->GetTrackArray()[tracked - 1];
            if (pLast != nullptr && pLast->GetKeyboardSelection() != 0 &&
                pLast->GetSafeHwnd() != nullptr) {
                pLast->PostMessage(WM_TIMER, CUTKCommandBar::kShowKeyboardTipsMessage, 0);
            }
        }
    }
    if (m_pToolTipContext != nullptr) {
        m_pToolTipContext->DeactivateToolTip();
    }
}

namespace UTKFrameIntegration {

CUTKControl* GetNextAccelControl(const CUTKCommandBars* pCommandBars, CUTKControls** ppControls,
                                 int nFrom)
{
    CUTKControls* pControls = *ppControls;
    if (pControls == nullptr) {
        return nullptr;
    }
    const int next = pControls->GetNext(nFrom, 1, TRUE);
    const BOOL wrapped = next == -1 || next <= nFrom;
    if ((pCommandBars->GetCommandBarsOptions()->keyboardCuesUse & kCuesAllBars) == 0 || !wrapped) {
        return next >= 0 ? pControls->GetAt(next) : nullptr;
    }
    // Past the last control of this bar the walk goes on through the next shown bars, and
    // comes back to this one.
    CUTKCommandBar* pBar = pControls->GetParent();
    const int barIndex = pCommandBars->IndexOf(pBar);
    if (barIndex < 0) {
        return next >= 0 ? pControls->GetAt(next) : nullptr;
    }
    int index = barIndex;
    for (int n = 0; n < pCommandBars->GetCount(); ++n) {
        index = pCommandBars->GetNextVisibleBar(index, 1);
        if (index < 0) {
            break;
        }
        CUTKCommandBar* pNext = pCommandBars->GetAt(index);
        CUTKControls* pNextControls = pNext != nullptr ? pNext->GetControls() : nullptr;
        const int first = pNextControls != nullptr ? pNextControls->GetNext(-1, 1, TRUE) : -1;
        if (first >= 0) {
            *ppControls = pNextControls;
            return pNextControls->GetAt(first);
        }
        if (index == barIndex) {
            break;
        }
    }
    return nullptr;
}

CUTKControl* FindAccelControl(const CUTKCommandBars* pCommandBars, CUTKCommandBar* pBar,
                              UINT chAccel, BOOL* pNotUnique)
{
    if (pNotUnique != nullptr) {
        *pNotUnique = FALSE;
    }
    if (pBar == nullptr || pBar->GetControls() == nullptr) {
        return nullptr;
    }
    const int cuesUse = pCommandBars->GetCommandBarsOptions()->keyboardCuesUse;
    CUTKControls* pControls = pBar->GetControls();
    int from = pBar->GetSelectedIndex();
    CUTKControl* pFirstMet = nullptr;
    CUTKControl* pExplicit = nullptr;
    CUTKControl* pLetter = nullptr;
    // The walk ends when it meets its first control again; the guard bounds it anyway.
    int guard = 0;
    for (int i = 0; i < pCommandBars->GetCount(); ++i) {
        if (CUTKCommandBar* p = pCommandBars->GetAt(i); p != nullptr && p->GetControls() != nullptr) {
            guard += p->GetControls()->GetCount();
        }
    }
    guard += pControls->GetCount() + 1;
    for (; guard > 0; --guard) {
        CUTKControl* pControl = GetNextAccelControl(pCommandBars, &pControls, from);
        if (pControl == nullptr || pControl == pFirstMet) {
            break;
        }
        if (pFirstMet == nullptr) {
            pFirstMet = pControl;
        }
        from = pControl->GetIndex();
        if (!pControl->IsCaptionVisible() || !pControl->GetEnabled()) {
            continue;
        }
        BOOL bExplicit = FALSE;
        const WCHAR ch = MnemonicOf(pControl->GetCaption(), bExplicit);
        if (ch == 0 || !CUTKShortcutManager::IsKeyForChar(ch, chAccel)) {
            continue;
        }
        if (bExplicit) {
            if (pExplicit != nullptr) {
                if (pNotUnique != nullptr) {
                    *pNotUnique = TRUE;
                }
                return pExplicit;
            }
            pExplicit = pControl;
            continue;
        }
        CUTKCommandBar* pOwner = pControl->GetParent();
        const BOOL firstLetterCounts =
            (cuesUse & kCuesExplicitOnly) == 0 && pOwner != nullptr &&
            (pOwner->GetType() == utkBarTypeMenuBar || pOwner->IsTrackingMode());
        if (!firstLetterCounts) {
            continue;
        }
        if (pLetter != nullptr) {
            if (pNotUnique != nullptr) {
                *pNotUnique = TRUE;
            }
            continue;
        }
        pLetter = pControl;
    }
    return pExplicit != nullptr ? pExplicit : pLetter;
}

} // namespace UTKFrameIntegration

// ---------------------------------------------------------------------------------------
// Popup tracking

UINT CUTKCommandBars::TrackPopupMenu(CUTKPopupBar* pPopup, UINT nFlags, int x, int y,
                                     CWnd* pOwner, LPCRECT lpExclude, CWnd* pCommandWindow)
{
    if (pPopup == nullptr) {
        return 0;
    }
    // Held for the call: a command run from the menu may drop the caller's reference.
    pPopup->InternalAddRef();
    CUTKCommandBars* pCommandBars = pPopup->GetCommandBars();
    const MSG* pCurrent = CWnd::GetCurrentMessage();
    if (pCurrent != nullptr && pCurrent->message == WM_CONTEXTMENU && pCurrent->lParam == -1 &&
        pCommandBars != nullptr) {
        pCommandBars->ShowKeyboardCues(TRUE);
    }
    if (pOwner == nullptr) {
        pOwner = pPopup->GetSite();
    }
    pPopup->SetOwnerWindow(pOwner);
    pPopup->SetCommandWindow(pCommandWindow);
    if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr &&
        (pOwner->GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RIGHT)) != 0) {
        nFlags |= TPM_RIGHTALIGN;
    }
    UINT result = 1;
    pPopup->SetReturnCmd(nullptr);
    if ((nFlags & TPM_RETURNCMD) != 0) {
        result = 0;
        pPopup->SetReturnCmd(&result);
    }
    pPopup->SetRightButtonTracking((nFlags & TPM_RIGHTBUTTON) != 0);
    pPopup->SetNoNotify((nFlags & TPM_NONOTIFY) != 0);
    pPopup->SetRecurse((nFlags & TPM_RECURSE) != 0);
    UINT popupFlags = (nFlags & TPM_RIGHTALIGN) != 0 ? CUTKPopupBar::kFlagLeft : 0;
    popupFlags |= (nFlags & TPM_BOTTOMALIGN) != 0 ? CUTKPopupBar::kFlagAbove
                                                  : CUTKPopupBar::kFlagBelow;
    pPopup->SetPopupFlags(popupFlags);

    CUTKMouseManager* pMouse = GetThreadMouseManager();
    const BOOL recurse = (nFlags & TPM_RECURSE) != 0;
    if (!recurse) {
        pMouse->SendTrackLost();
        ::ReleaseCapture();
    } else {
        pMouse->SendTrackLostRecurse();
        pMouse->LockTrackRecurse(TRUE);
    }
    pMouse->SetIgnoreLButtonUp(TRUE);

    if (!pPopup->PopupAt(x, y, lpExclude)) {
        if (recurse) {
            pMouse->LockTrackRecurse(FALSE);
        }
        pPopup->SetReturnCmd(nullptr);
        pPopup->InternalRelease();
        return 0;
    }
    UTKFrameIntegration::PumpTrackingMessages(pPopup);
    if (recurse) {
        pMouse->LockTrackRecurse(FALSE);
    }
    // The record lives on this stack: the popup must not write to it after the call.
    pPopup->SetReturnCmd(nullptr);
    pPopup->InternalRelease();
    return result;
}

namespace UTKFrameIntegration {

void PumpTrackingMessages(CUTKCommandBar* pBar)
{
    CUTKMouseManager* pMouse = GetThreadMouseManager();
    while (pBar->IsTrackingMode()) {
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::WaitMessage();
            continue;
        }
        if (pMouse->PreviewTrackingClick(pBar, &msg)) {
            pBar->SetTrackingMode(FALSE, TRUE, FALSE);
            break;
        }
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (!got || msg.message == WM_QUIT) {
            // The application's own loop must still see the quit: it is posted again, and the
            // menu closes so nothing stays open behind a closing program.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            if (pBar->IsTrackingMode()) {
                pBar->SetTrackingMode(FALSE, TRUE, FALSE);
            }
            break;
        }
        if (!pBar->IsTrackingMode()) {
            ::PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            break;
        }
        if (msg.message == WM_KICKIDLE) {
            continue;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

} // namespace UTKFrameIntegration

namespace UTKFrameIntegration {

BOOL IsCustomizeWindowOpen(const CUTKCommandBars* pCommandBars)
{
    // The customise dialog registers its window with the drag source while it is open.
    const CUTKCustomizeDropSource* pSource =
        pCommandBars != nullptr ? pCommandBars->GetDropSource() : nullptr;
    return pSource != nullptr && pSource->GetCustomizeWindow() != nullptr;
}

} // namespace UTKFrameIntegration

// ---------------------------------------------------------------------------------------
// Docking

void CUTKCommandBars::EnableDocking()
{
    struct DockSide {
        UINT id;
        DWORD alignment;
    };
    // Top, bottom, left, right: the order the manager keeps them in.
    static constexpr DockSide kSides[4] = {{0xE81B, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
                                           {0xE81E, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
                                           {0xE81C, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
                                           {0xE81D, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT}};
    constexpr DWORD kWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    for (int i = 0; i < 4; ++i) {
        if (m_pDocks[i] != nullptr) {
            continue;
        }
        CObject* pObject = m_pDockBarClass != nullptr ? m_pDockBarClass->CreateObject() : nullptr;
        auto* pDock = dynamic_cast<CUTKDockBar*>(pObject);
        if (pDock == nullptr) {
            delete pObject;
            AfxThrowResourceException();
        }
        pDock->SetCommandBars(this);
        if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr ||
            !pDock->Create(m_pFrame, kWindowStyle | kSides[i].alignment, kSides[i].id)) {
            delete pDock;
            AfxThrowResourceException();
        }
        m_pDocks[i] = pDock;
    }
}
