// CUTKCommandBar: keys while the bar tracks: the key hook's answer, arrow and special keys,
// moves between rows of a grid-like bar, and mnemonics.
#include "toolkit/commandbars/CUTKCommandBar.h"

#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKShortcutManager.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

BOOL IsKeyDown(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }

// Popup controls (popup, button popup, split-button popup) open a bar of their own.
BOOL IsPopupControl(const CUTKControl* pControl)
{
    return pControl != nullptr && pControl->GetType() >= 2 && pControl->GetType() <= 4;
}

// The mnemonic character of a caption, 0 when it has none. Characters are kept as UTF-16 code
// units: one at 0x80 or above is itself, never a sign-extended value.
WCHAR MnemonicOf(const CString& caption)
{
    const int pos = CUTKShortcutManager::FindMnemonicAmpersand(caption);
    if (pos < 0 || pos + 1 >= caption.GetLength())
        return 0;
    return static_cast<WCHAR>(caption[pos + 1]);
}

} // namespace

int CUTKCommandBar::ArrowKeyCode(UINT nChar, BOOL bHorizontal, BOOL bRTL)
{
    switch (nChar) {
    case VK_LEFT:
        return bHorizontal ? (bRTL ? utkKeyRight : utkKeyLeft) : (bRTL ? utkKeyExpand : utkKeyCollapse);
    case VK_RIGHT:
        return bHorizontal ? (bRTL ? utkKeyLeft : utkKeyRight) : (bRTL ? utkKeyCollapse : utkKeyExpand);
    case VK_UP:
        return bHorizontal ? utkKeyCollapse : utkKeyPrev;
    case VK_DOWN:
        return bHorizontal ? utkKeyExpand : utkKeyNext;
    case VK_HOME:
        return utkKeyHome;
    case VK_END:
        return utkKeyEnd;
    default:
        return -1;
    }
}

BOOL CUTKCommandBar::IsHorizontalKeys() const
{
    return m_barPosition == utkBarTop || m_barPosition == utkBarBottom ||
           m_barPosition == utkBarFloating ||
           (m_barPosition == utkBarPopup && m_barType == utkBarTypeNormal);
}

int CUTKCommandBar::GetArrowKeyCode(UINT nChar) const
{
    return ArrowKeyCode(nChar, IsHorizontalKeys(), IsLayoutRTL());
}

int CUTKCommandBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (IsCustomizeMode() || IsContextHelpMode())
        return 2;
    if (m_nTrackLock > 0)
        return 1;

    // The site may release the bar while it is told of the key: hold a reference meanwhile.
    InternalAddRef();
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
        LPARAM pair[2] = {static_cast<LPARAM>(nChar), lParam};
        pSite->SendMessage(UTK_WM_TRACKINGKEY, reinterpret_cast<WPARAM>(pair),
                           reinterpret_cast<LPARAM>(this));
    }
    if (m_dwRef == 1) {
        InternalRelease();
        return 1;
    }
    InternalRelease();

    CUTKControl* pHot = GetControl(m_nSelected);
    if (pHot != nullptr && pHot->IsFocused()) {
        const int answer = pHot->OnHookKeyDown(nChar, lParam);
        if (answer == 1 || answer == 2)
            return answer;
    }
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return 1;

    switch (nChar) {
    case VK_TAB:
        if (IsKeyDown(VK_CONTROL) && MoveKeyboardTracking(IsKeyDown(VK_SHIFT) ? -1 : +1))
            return 1;
        ProcessSpecialKey(IsKeyDown(VK_SHIFT) ? utkKeyPrev : utkKeyNext);
        if (CUTKControl* pNew = GetControl(m_nSelected))
            if (pNew->HasChildWindow())
                pNew->SetFocused(TRUE);
        return 1;
    case VK_RETURN:
        ProcessSpecialKey(utkKeyReturn);
        return 1;
    case VK_ESCAPE:
        ProcessSpecialKey(utkKeyEscape);
        return 1;
    case VK_SPACE:
        if (ProcessSpecialKey(utkKeySpace))
            return 1;
        break;
    default:
        break;
    }

    HWND hwndFocus = ::GetFocus();
    if (hwndFocus != nullptr && ::IsChild(m_hWnd, hwndFocus))
        return 2;
    if (nChar == 0)
        return 1;
    const int code = GetArrowKeyCode(nChar);
    if (code != -1)
        return ProcessSpecialKey(code) ? 1 : 0;

    // Keys that type no character are eaten silently.
    if (::MapVirtualKeyW(nChar, MAPVK_VK_TO_CHAR) == 0)
        return 1;
    const BOOL ctrl = IsKeyDown(VK_CONTROL);
    CUTKCommandBars* pCommandBars = GetCommandBars();
    if (!IsPopupBar() && pCommandBars != nullptr && pCommandBars->OnFrameAccel(nChar))
        return 1;
    if (!ctrl) {
        BOOL ambiguous = FALSE;
        const int index = FindAccel(nChar, ambiguous);
        if (index != -1) {
            SetSelected(index, utkSelectKeyboardNext);
            if (!ambiguous)
                if (CUTKControl* pControl = GetControl(index))
                    pControl->OnKeyboardActivate();
            return 1;
        }
    }
    if (nChar != VK_SHIFT && nChar != VK_CONTROL)
        ::MessageBeep(0);
    return 1;
}

BOOL CUTKCommandBar::MoveKeyboardTracking(int direction)
{
    CUTKCommandBars* pCommandBars = GetCommandBars();
    CUTKCommandBar* pRoot = GetRootParent();
    if (pCommandBars == nullptr || pRoot->IsPopupBar() || pRoot->GetType() == utkBarTypePopup)
        return FALSE;
    const int count = pCommandBars->GetCount();
    int index = -1;
    for (int i = 0; i < count; ++i)
        if (pCommandBars->GetAt(i) == pRoot)
            index = i;
    if (index == -1)
        return FALSE;
    for (int n = 1; n < count; ++n) {
        CUTKCommandBar* pNext = pCommandBars->GetAt(((index + direction * n) % count + count) % count);
        if (pNext == pRoot || !pNext->IsShown())
            continue;
        // Leaving tracking here closes this bar's popups too.
        pRoot->SetTrackingMode(0, TRUE, FALSE);
        pNext->SetTrackingMode(1, TRUE, TRUE);
        return TRUE;
    }
    return FALSE;
}

BOOL CUTKCommandBar::ProcessSpecialKey(int key)
{
    if (key == utkKeyLeft)
        key = utkKeyPrev;
    else if (key == utkKeyRight)
        key = utkKeyNext;
    if (key == utkKeyNext || key == utkKeyPrev)
        HideKeyboardTips();

    CUTKControl* pHot = GetControl(m_nSelected);
    const BOOL popupToolBar = IsPopupBar() && m_barType == utkBarTypeNormal;
    if (popupToolBar && pHot != nullptr && m_nPopuped == m_nSelected) {
        if (key == utkKeyNext)
            return FALSE;
        if (key == utkKeyPrev)
            key = utkKeyCollapse;
    } else if (key == utkKeyCollapse && m_nPopuped == -1 && IsPopupControl(pHot) &&
               pHot->GetEnabled() && (popupToolBar || GetParentCommandBar() == nullptr)) {
        key = utkKeyExpand;
    }
    if ((key == utkKeyCollapse || key == utkKeyExpand) && m_nPopuped == -1 &&
        (popupToolBar || m_barPosition == utkBarFloating))
        return ProcessGridKey(key);

    switch (key) {
    case utkKeyNext:
        return SetSelected(m_pControls->GetNext(m_nSelected, +1), utkSelectKeyboardNext) || m_nSelected != -1;
    case utkKeyPrev:
        return SetSelected(m_pControls->GetNext(m_nSelected, -1), utkSelectKeyboardPrev) || m_nSelected != -1;
    case utkKeyCollapse:
        if (m_nPopuped == -1)
            return FALSE;
        SetPopuped(-1);
        SetTrackingMode(1, FALSE, FALSE);
        return TRUE;
    case utkKeyExpand:
        if (pHot == nullptr || m_nPopuped == m_nSelected)
            return FALSE;
        pHot->SetSelected(2);
        return SetPopuped(m_nSelected, TRUE);
    case utkKeyEscape: {
        CUTKCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars != nullptr && pCommandBars->GetKeyboardTipsLevel() > 1) {
            // Deeper tips go back a level; that belongs to the manager's keyboard tips.
            pCommandBars->HideKeyboardTips();
            return TRUE;
        }
        if (CUTKCommandBar* pParent = GetParentCommandBar())
            pParent->SetTrackingMode(1, FALSE, FALSE);
        SetTrackingMode(0, TRUE, FALSE);
        return TRUE;
    }
    case utkKeyReturn:
        if (pHot == nullptr)
            return FALSE;
        pHot->SetSelected(2);
        pHot->OnKeyboardActivate();
        return TRUE;
    case utkKeyHome:
        SetSelected(m_pControls->GetNext(-1, +1), utkSelectKeyboardNext);
        return TRUE;
    case utkKeyEnd:
        SetSelected(m_pControls->GetNext(-1, -1), utkSelectKeyboardPrev);
        return TRUE;
    case utkKeySpace:
        if (m_barType != utkBarTypeMenuBar)
            return FALSE;
        if (CUTKCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->ClosePopups();
        else
            SetTrackingMode(0, TRUE, FALSE);
        if (CWnd* pSite = GetSite())
            if (pSite->GetSafeHwnd() != nullptr)
                pSite->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CUTKCommandBar::ProcessGridKey(int code)
{
    const BOOL forward = code == utkKeyExpand;
    const int step = forward ? +1 : -1;
    const int reason = forward ? utkSelectKeyboardNext : utkSelectKeyboardPrev;
    CUTKControl* pHot = GetControl(m_nSelected);
    if (pHot == nullptr) {
        SetSelected(m_pControls->GetNext(-1, step), reason);
        return TRUE;
    }
    if (IsPopupControl(pHot) && pHot->GetEnabled()) {
        pHot->SetSelected(2);
        return SetPopuped(m_nSelected, TRUE);
    }
    const CRect rcHot = pHot->GetRect();
    // Walk to the first control of another row, then gather that row.
    int row[256];
    int rowCount = 0;
    int rowTop = 0;
    int index = m_nSelected;
    for (int n = 0; n < GetControlCount() && rowCount < 256; ++n) {
        index = m_pControls->GetNext(index, step);
        if (index == -1 || index == m_nSelected)
            break;
        const CRect rc = GetControl(index)->GetRect();
        if (rc.IsRectEmpty())
            continue;
        if (rowCount == 0) {
            if (rc.top == rcHot.top)
                continue;
            rowTop = rc.top;
        } else if (rc.top != rowTop) {
            break;
        }
        row[rowCount++] = index;
    }
    if (rowCount == 0)
        return TRUE;
    int candidate = -1;
    int fallback = row[0];
    for (int i = 0; i < rowCount; ++i) {
        const int left = GetControl(row[i])->GetRect().left;
        const int best = candidate != -1 ? GetControl(candidate)->GetRect().left : 0;
        const int fall = GetControl(fallback)->GetRect().left;
        if (forward) {
            if (left <= rcHot.left && (candidate == -1 || left > best))
                candidate = row[i];
            if (left < fall)
                fallback = row[i];
        } else {
            if (left >= rcHot.left && (candidate == -1 || left < best))
                candidate = row[i];
            if (left > fall)
                fallback = row[i];
        }
    }
    if (candidate == -1)
        candidate = fallback;
    if (candidate != m_nSelected)
        SetSelected(candidate, reason);
    return TRUE;
}

int CUTKCommandBar::FindAccel(UINT chAccel, BOOL& bSelectOnly) const
{
    bSelectOnly = FALSE;
    const int count = GetControlCount();
    if (count == 0)
        return -1;
    int firstMnemonic = -1;
    int firstLetter = -1;
    BOOL letterTwice = FALSE;
    const int start = m_nSelected < 0 ? 0 : (m_nSelected + 1) % count;
    for (int n = 0; n < count; ++n) {
        const int index = (start + n) % count;
        CUTKControl* pControl = GetControl(index);
        // Commands hidden until the menu expands and commands scrolled away take part too.
        if (!pControl->IsVisible(0x28) || (pControl->GetFlags() & 0x02) != 0 || !pControl->GetEnabled())
            continue;
        const CString caption = pControl->GetCaption();
        if (caption.IsEmpty())
            continue;
        const WCHAR mnemonic = MnemonicOf(caption);
        if (mnemonic != 0) {
            if (CUTKShortcutManager::IsKeyForChar(mnemonic, chAccel)) {
                if (firstMnemonic != -1) {
                    bSelectOnly = TRUE;
                    return firstMnemonic;
                }
                firstMnemonic = index;
            }
        } else if (CUTKShortcutManager::IsKeyForChar(static_cast<WCHAR>(caption[0]), chAccel)) {
            if (firstLetter == -1)
                firstLetter = index;
            else
                letterTwice = TRUE;
        }
    }
    if (firstMnemonic != -1)
        return firstMnemonic;
    if (firstLetter != -1)
        bSelectOnly = letterTwice;
    return firstLetter;
}

void CUTKCommandBar::OnKeyboardTip(CUTKCommandBarKeyboardTip*)
{
    // Tips are made and typed by the manager's keyboard-tip support, which is not built yet.
}
