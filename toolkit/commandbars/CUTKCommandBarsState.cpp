// Saving and restoring the arrangement of a manager's bars: one record per toolbar in
// "<profile>-Bar<n>" with "<profile>-Summary", the rows of the four dock bars in
// "<profile>-DockBar<d>", the status bar, and (when the user may customise) the customised bars.
#include "toolkit/commandbars/CUTKCommandBarsState.h"

#include <algorithm>
#include <climits>

#include "platform/framework/window/CWinApp.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKDialogBar.h"
#include "toolkit/commandbars/CUTKDockBar.h"
#include "toolkit/commandbars/CUTKDockContext.h"
#include "toolkit/commandbars/CUTKMenuBar.h"
#include "toolkit/commandbars/CUTKStatusBar.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/common/MultiMonitorApi.h"

namespace {

constexpr UINT kStatusBarId = 0xE801;  // the frame's status bar child

void WriteInt(LPCTSTR section, LPCTSTR entry, int value)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(section, entry, value);
}

void DeleteSection(LPCTSTR section)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileString(section, nullptr, nullptr);
}

CUTKStatusBar* FindStatusBar(CUTKCommandBars* bars)
{
    CWnd* site = bars->GetSite();
    if (site == nullptr || site->GetSafeHwnd() == nullptr)
        return nullptr;
    return DYNAMIC_DOWNCAST(CUTKStatusBar,
                            CWnd::FromHandlePermanent(::GetDlgItem(site->GetSafeHwnd(),
                                                                   static_cast<int>(kStatusBarId))));
}

}  // namespace

// ---- one toolbar's record ------------------------------------------------------------------

void CUTKToolBar::CToolBarInfo::GetBarInfo(CUTKToolBar* pToolBar)
{
    pBar = pToolBar;
    nBarID = pToolBar->GetBarID();
    bVisible = pToolBar->IsVisible();
    nMRUWidth = pToolBar->GetWidth();
    bFloating = pToolBar->GetPosition() == utkBarFloating;
    CUTKDockContext* context = pToolBar->GetDockContext();
    if (pToolBar->GetSafeHwnd() != nullptr) {
        CRect rc;
        pToolBar->GetWindowRect(&rc);
        CUTKDockBar* dockBar = pToolBar->GetDockBar();
        if (!bFloating && dockBar != nullptr && dockBar->GetSafeHwnd() != nullptr)
            dockBar->ScreenToClient(&rc);
        ptPos = rc.TopLeft();
    } else if (context != nullptr) {
        ptPos = context->m_ptMRUFloatPos;
    }
    if (context != nullptr) {
        uMRUDockID = context->m_uMRUDockID;
        rectMRUDockPos = context->m_rectMRUDockPos;
        ptMRUFloatPos = context->m_ptMRUFloatPos;
    }
    bDialogBar = pToolBar->IsDialogBar();
    if (auto* dialogBar = DYNAMIC_DOWNCAST(CUTKDialogBar, pToolBar); bDialogBar && dialogBar) {
        szDialogBarDockingClient = dialogBar->GetDockingClientSize();
        szDialogBarFloatingClient = dialogBar->GetFloatingClientSize();
    } else if (!bDialogBar) {
        szDialogBarDockingClient = CSize(0, 0);
        szDialogBarFloatingClient = CSize(0, 0);
    }
}

void CUTKToolBar::CToolBarInfo::ApplyBarInfo(CUTKToolBar* pToolBar) const
{
    pToolBar->SetWidth(nMRUWidth);
    if (auto* dialogBar = DYNAMIC_DOWNCAST(CUTKDialogBar, pToolBar); bDialogBar && dialogBar) {
        dialogBar->SetDockingClientSize(szDialogBarDockingClient);
        dialogBar->SetFloatingClientSize(szDialogBarFloatingClient);
    }
    if (CUTKDockContext* context = pToolBar->GetDockContext()) {
        context->m_uMRUDockID = uMRUDockID;
        context->m_rectMRUDockPos = rectMRUDockPos;
        context->m_ptMRUFloatPos = ptMRUFloatPos;
    }
    pToolBar->SetVisibleField(bVisible);
    if (pToolBar->GetSafeHwnd() == nullptr)
        return;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE;
    flags |= bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    const BOOL floating = pToolBar->GetPosition() == utkBarFloating;
    // A docked bar is placed in its dock bar's rows; one without a dock bar stays put.
    if (!floating && pToolBar->GetDockBar() == nullptr)
        flags |= SWP_NOMOVE;
    pToolBar->SetWindowPos(nullptr, ptPos.x, ptPos.y, 0, 0, flags);
    if (floating)
        pToolBar->OnRecalcLayout();
}

void CUTKToolBar::CToolBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex) const
{
    const CString section = MakeBarStateSectionName(lpszProfileName, L"-Bar%d", nIndex);
    DeleteSection(section);
    WriteInt(section, L"BarID", static_cast<int>(nBarID));
    if (!bVisible)
        WriteInt(section, L"Visible", 0);
    if (bFloating)
        WriteInt(section, L"Floating", bFloating);
    if (ptPos.x != -1)
        WriteInt(section, L"XPos", ptPos.x);
    if (ptPos.y != -1)
        WriteInt(section, L"YPos", ptPos.y);
    if (nMRUWidth != kNoWidth)
        WriteInt(section, L"MRUWidth", nMRUWidth);
    WriteInt(section, L"MRUDockID", uMRUDockID);
    WriteInt(section, L"MRUDockLeftPos", rectMRUDockPos.left);
    WriteInt(section, L"MRUDockTopPos", rectMRUDockPos.top);
    WriteInt(section, L"MRUDockRightPos", rectMRUDockPos.right);
    WriteInt(section, L"MRUDockBottomPos", rectMRUDockPos.bottom);
    WriteInt(section, L"MRUFloatXPos", ptMRUFloatPos.x);
    WriteInt(section, L"MRUFloatYPos", ptMRUFloatPos.y);
    WriteInt(section, L"DialogBar", bDialogBar);
    if (bDialogBar) {
        WriteInt(section, L"DialogBarDockingClientCx", szDialogBarDockingClient.cx);
        WriteInt(section, L"DialogBarDockingClientCy", szDialogBarDockingClient.cy);
        WriteInt(section, L"DialogBarFloatingClientCx", szDialogBarFloatingClient.cx);
        WriteInt(section, L"DialogBarFloatingClientCy", szDialogBarFloatingClient.cy);
    }
}

BOOL CUTKToolBar::CToolBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex,
                                          const CommandBarsDockState& state)
{
    const CString section = MakeBarStateSectionName(lpszProfileName, L"-Bar%d", nIndex);
    if (!HasStateEntry(section, L"BarID"))
        return FALSE;
    nBarID = static_cast<UINT>(ReadStateInt(section, L"BarID", 0));
    bVisible = ReadStateInt(section, L"Visible", 1) != 0;
    bFloating = ReadStateInt(section, L"Floating", 0) != 0;
    ptPos = state.ScalePoint(
        CPoint(ReadStateInt(section, L"XPos", -1), ReadStateInt(section, L"YPos", -1)));
    nMRUWidth = ReadStateInt(section, L"MRUWidth", kNoWidth);
    uMRUDockID = ReadStateInt(section, L"MRUDockID", 0);
    // A dock index outside the four sides would index past the dock bars.
    if (uMRUDockID < 0 || uMRUDockID > 3)
        uMRUDockID = 0;
    rectMRUDockPos = state.ScaleRect(CRect(ReadStateInt(section, L"MRUDockLeftPos", 0),
                                           ReadStateInt(section, L"MRUDockTopPos", 0),
                                           ReadStateInt(section, L"MRUDockRightPos", 0),
                                           ReadStateInt(section, L"MRUDockBottomPos", 0)));
    ptMRUFloatPos = state.ScalePoint(CPoint(ReadStateInt(section, L"MRUFloatXPos", 0),
                                            ReadStateInt(section, L"MRUFloatYPos", 0)));
    bDialogBar = ReadStateInt(section, L"DialogBar", 0) != 0;
    if (bDialogBar) {
        szDialogBarDockingClient.cx = ReadStateInt(section, L"DialogBarDockingClientCx", 200);
        szDialogBarDockingClient.cy = ReadStateInt(section, L"DialogBarDockingClientCy", 200);
        szDialogBarFloatingClient.cx = ReadStateInt(section, L"DialogBarFloatingClientCx", 200);
        szDialogBarFloatingClient.cy = ReadStateInt(section, L"DialogBarFloatingClientCy", 200);
    }
    return TRUE;
}

// ---- the collection ------------------------------------------------------------------------

CommandBarsDockState::CommandBarsDockState()
    : m_szScreen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN))
{
}

CommandBarsDockState::~CommandBarsDockState() = default;

CUTKToolBar::CToolBarInfo* CommandBarsDockState::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return m_arrBarInfo[static_cast<size_t>(nIndex)].get();
}

void CommandBarsDockState::Add(std::unique_ptr<CUTKToolBar::CToolBarInfo> info)
{
    if (info != nullptr)
        m_arrBarInfo.push_back(std::move(info));
}

void CommandBarsDockState::GetDockState(CUTKCommandBars* pCommandBars)
{
    Clear();
    for (int i = 0; i < pCommandBars->GetCount(); ++i) {
        CUTKToolBar* bar = pCommandBars->GetToolBarAt(i);
        if (bar == nullptr)
            continue;
        auto info = std::make_unique<CUTKToolBar::CToolBarInfo>();
        info->GetBarInfo(bar);
        Add(std::move(info));
    }
}

void CommandBarsDockState::SetDockState(CUTKCommandBars* pCommandBars) const
{
    CWnd* site = pCommandBars->GetSite();
    for (const auto& info : m_arrBarInfo) {
        CUTKToolBar* bar = pCommandBars->FindCommandBar(info->nBarID);
        if (bar == nullptr)
            continue;
        if (info->bFloating)
            pCommandBars->FloatCommandBar(bar);
        else if (site != nullptr)
            bar->Create(site, FALSE);
        info->ApplyBarInfo(bar);
    }
}

void CommandBarsDockState::SaveState(LPCTSTR lpszProfileName) const
{
    int written = 0;
    for (const auto& info : m_arrBarInfo)
        info->SaveState(lpszProfileName, written++);
    const CString summary = MakeBarStateSectionName(lpszProfileName, L"-Summary");
    WriteInt(summary, L"Bars", written);
    WriteInt(summary, L"ScreenCX", m_szScreen.cx);
    WriteInt(summary, L"ScreenCY", m_szScreen.cy);
}

void CommandBarsDockState::LoadState(LPCTSTR lpszProfileName)
{
    Clear();
    const CString summary = MakeBarStateSectionName(lpszProfileName, L"-Summary");
    const int count = ReadStateInt(summary, L"Bars", 0);
    m_szSavedScreen = CSize(ReadStateInt(summary, L"ScreenCX", 0), ReadStateInt(summary, L"ScreenCY", 0));
    m_bScaling = BarStateScaling(m_szScreen, m_szSavedScreen).IsScaling();
    // The count is a bound only: reading ends at the first record that is not there.
    for (int i = 0; i < std::min(count, kMaxBars); ++i) {
        auto info = std::make_unique<CUTKToolBar::CToolBarInfo>();
        if (!info->LoadState(lpszProfileName, i, *this))
            break;
        Add(std::move(info));
    }
}

CPoint CommandBarsDockState::ScalePoint(CPoint pt) const
{
    const BarStateScaling scaling(m_bScaling ? m_szScreen : CSize(0, 0), m_szSavedScreen);
    return scaling.ScalePoint(
        pt,
        [](CPoint at) {
            RECT rc{};
            return CRect(GetMultiMonitorApi()->GetWorkAreaFromPoint(&rc, at));
        },
        CSize(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)));
}

CRect CommandBarsDockState::ScaleRect(CRect rc) const
{
    const BarStateScaling scaling(m_bScaling ? m_szScreen : CSize(0, 0), m_szSavedScreen);
    return scaling.ScaleRect(rc, [](const CRect& area) {
        RECT work{};
        return CRect(GetMultiMonitorApi()->GetWorkAreaFromRect(&work, area));
    });
}

// ---- dock-bar rows -------------------------------------------------------------------------

void CommandBarsDockState::SaveDockBars(CUTKCommandBars* pCommandBars, LPCTSTR lpszProfileName)
{
    for (int d = 0; d < 4; ++d) {
        const CString section = MakeBarStateSectionName(lpszProfileName, L"-DockBar%d", d);
        DeleteSection(section);
        CUTKDockBar* dockBar = pCommandBars->GetDockBar(d);
        if (dockBar == nullptr || dockBar->GetCount() <= 1)
            continue;
        int written = 0;
        BOOL lastWasSeparator = FALSE;
        for (int j = 0; j < dockBar->GetCount(); ++j) {
            CUTKToolBar* bar = dockBar->GetAt(j);
            const UINT id = bar != nullptr ? bar->GetBarID() : 0;
            if (id == 0 && lastWasSeparator)
                continue;
            CString entry;
            entry.Format(L"Bar#%d", written++);
            WriteInt(section, entry, static_cast<int>(id));
            lastWasSeparator = id == 0;
        }
        WriteInt(section, L"Bars", written);
    }
    if (CUTKStatusBar* statusBar = FindStatusBar(pCommandBars)) {
        statusBar->SaveState(lpszProfileName);
    } else if (CWinApp* app = AfxGetApp()) {
        app->WriteProfileString(MakeBarStateSectionName(lpszProfileName, nullptr),
                                CUTKStatusBar::kEntryVisible, nullptr);
    }
}

void CommandBarsDockState::LoadDockBars(CUTKCommandBars* pCommandBars, LPCTSTR lpszProfileName)
{
    for (int d = 0; d < 4; ++d) {
        CUTKDockBar* dockBar = pCommandBars->GetDockBar(d);
        if (dockBar == nullptr)
            continue;
        const CString section = MakeBarStateSectionName(lpszProfileName, L"-DockBar%d", d);
        const int count = ReadStateInt(section, L"Bars", 0);
        if (count <= 1)
            continue;
        for (int j = 0; j < std::min(count, kMaxBars); ++j) {
            CString entry;
            entry.Format(L"Bar#%d", j);
            if (!HasStateEntry(section, entry))
                break;
            const UINT id = static_cast<UINT>(ReadStateInt(section, entry, 0));
            CUTKToolBar* bar = id != 0 ? pCommandBars->FindCommandBar(id) : nullptr;
            if (bar != nullptr) {
                if (bar->GetSafeHwnd() != nullptr &&
                    ::GetParent(bar->GetSafeHwnd()) != dockBar->GetSafeHwnd()) {
                    bar->ModifyStyle(WS_POPUP, WS_CHILD);
                    ::SetParent(bar->GetSafeHwnd(), dockBar->GetSafeHwnd());
                }
                if (CUTKDockBar* old = bar->GetDockBar())
                    old->RemoveBar(bar);
                // Also from any other dock bar that still lists it.
                for (int k = 0; k < 4; ++k) {
                    if (CUTKDockBar* other = pCommandBars->GetDockBar(k);
                        other != nullptr && other->FindBar(bar) >= 0) {
                        other->RemoveBar(bar);
                    }
                }
                bar->SetDockBar(dockBar);
                bar->SetBarPosition(dockBar->GetPosition());
            }
            dockBar->InsertAt(j, bar);
        }
    }
    if (CUTKStatusBar* statusBar = FindStatusBar(pCommandBars))
        statusBar->LoadState(lpszProfileName);
}

// ---- the manager's entry points ------------------------------------------------------------

void CUTKCommandBars::SaveBarState(LPCTSTR lpszProfileName, BOOL bOnlyCustomized)
{
    OnSetPreviewMode(FALSE);
    {
        CommandBarsDockState state;
        state.GetDockState(this);
        state.SaveState(lpszProfileName);
    }
    CommandBarsDockState::SaveDockBars(this, lpszProfileName);
    if (IsCustomizeAvail())
        SaveCustomizedBars(this, lpszProfileName, bOnlyCustomized);
    if (auto* menuBar = DYNAMIC_DOWNCAST(CUTKMenuBar, GetMenuBar()))
        menuBar->RestoreActiveMenu();
    GetCommandBarsOptions()->bDirty = FALSE;
}

void CUTKCommandBars::LoadBarState(LPCTSTR lpszProfileName, BOOL bSilent)
{
    if (IsCustomizeAvail())
        LoadCustomizedBars(this, lpszProfileName, bSilent);
    CommandBarsDockState state;
    state.LoadState(lpszProfileName);
    CommandBarsDockState::LoadDockBars(this, lpszProfileName);
    state.SetDockState(this);
    RecalcFrameLayout(TRUE);
    GetCommandBarsOptions()->bDirty = FALSE;
}
