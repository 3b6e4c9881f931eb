// CUTKStatusBar: panes, lookups and the saved state ("StatusBar", "StatusBarPanes") in the
// profile section named by the profile itself.
#include "toolkit/commandbars/CUTKStatusBar.h"

#include "platform/framework/window/CWinApp.h"
#include "toolkit/common/CUTKImageManager.h"

#include <cwchar>

IMPLEMENT_DYNCREATE(CUTKStatusBar, CStatusBar)

void CUTKStatusBarPane::SetVisible(BOOL visible)
{
    const UINT flags = visible ? (m_dwFlags & ~kHiddenFlag) : (m_dwFlags | kHiddenFlag);
    if (flags == m_dwFlags)
        return;
    m_dwFlags = flags;
    if (m_pStatusBar != nullptr)
        m_pStatusBar->RecalcPanes();
}

CUTKStatusBar::CUTKStatusBar() = default;
CUTKStatusBar::~CUTKStatusBar() = default;

CUTKStatusBarPane* CUTKStatusBar::AddIndicator(UINT nID, int nIndex)
{
    auto pane = std::make_unique<CUTKStatusBarPane>();
    pane->m_nID = nID;
    pane->m_pStatusBar = this;
    CUTKStatusBarPane* added = pane.get();
    if (nIndex < 0 || nIndex >= GetAllPaneCount())
        m_allPanes.push_back(std::move(pane));
    else
        m_allPanes.insert(m_allPanes.begin() + nIndex, std::move(pane));
    RecalcPanes();
    return added;
}

CUTKStatusBarPane* CUTKStatusBar::GetPaneAt(int index) const noexcept
{
    return index >= 0 && index < GetAllPaneCount() ? m_allPanes[static_cast<size_t>(index)].get()
                                                    : nullptr;
}

CUTKStatusBarPane* CUTKStatusBar::FindPane(UINT nID) const noexcept
{
    for (const auto& pane : m_allPanes) {
        if (pane->m_nID == nID)
            return pane.get();
    }
    return nullptr;
}

void CUTKStatusBar::RecalcPanes()
{
    m_panes.clear();
    for (const auto& pane : m_allPanes) {
        if (pane->IsVisible()) {
            pane->m_nIndex = static_cast<int>(m_panes.size());
            m_panes.push_back(pane.get());
        }
    }
    if (m_hWnd == nullptr)
        return;
    std::vector<UINT> ids;
    for (CUTKStatusBarPane* pane : m_panes)
        ids.push_back(pane->m_nID);
    SetIndicators(ids.empty() ? nullptr : ids.data(), static_cast<int>(ids.size()));
    Invalidate();
}

CUTKImageManager* CUTKStatusBar::GetImageManager() const
{
    return m_pImageManager ? m_pImageManager : ::GetImageManager();
}

CString CUTKStatusBar::FormatPaneLines(LPCTSTR lpszSeparator) const
{
    CString text;
    for (const auto& pane : m_allPanes) {
        if (!text.IsEmpty())
            text += lpszSeparator;
        CString line;
        line.Format(L"%i=%i", static_cast<int>(pane->m_nID), pane->IsVisible() ? 1 : 0);
        text += line;
    }
    return text;
}

int CUTKStatusBar::ApplyPaneLines(const CString& strPanes)
{
    int applied = 0;
    const int length = strPanes.GetLength();
    int start = 0;
    while (start <= length) {
        int end = start;
        // A line ends at a line feed; an INI profile keeps the lines apart by spaces.
        while (end < length && strPanes[end] != L'\n' && strPanes[end] != L' ')
            ++end;
        const CString line = strPanes.Mid(start, end - start);
        int id = 0;
        int visible = 0;
        if (swscanf(line, L"%i=%i", &id, &visible) == 2 && id != 0) {
            if (CUTKStatusBarPane* pane = FindPane(static_cast<UINT>(id))) {
                pane->SetVisible(visible != 0);
                ++applied;
            }
        }
        start = end + 1;
    }
    return applied;
}

void CUTKStatusBar::SaveState(LPCTSTR lpszProfileName)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || lpszProfileName == nullptr)
        return;
    if (m_hWnd != nullptr && !IsVisible())
        app->WriteProfileInt(lpszProfileName, kEntryVisible, 0);
    else
        app->WriteProfileString(lpszProfileName, kEntryVisible, nullptr);

    CString panes;
    if (m_bSavePanes) {
        // An INI file cannot hold a line feed inside a value: what followed it would come back
        // as entries of its own and the panes after the first would be lost.
        panes = FormatPaneLines(app->m_pszRegistryKey != nullptr ? L"\n" : L" ");
    }
    app->WriteProfileString(lpszProfileName, kEntryPanes,
                            panes.IsEmpty() ? nullptr : static_cast<LPCTSTR>(panes));
}

void CUTKStatusBar::LoadState(LPCTSTR lpszProfileName)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || lpszProfileName == nullptr)
        return;
    if (app->GetProfileInt(lpszProfileName, kEntryVisible, 1) == 0 && m_hWnd != nullptr) {
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        DelayShow(FALSE);
    }
    if (m_bSavePanes)
        ApplyPaneLines(app->GetProfileString(lpszProfileName, kEntryPanes, L""));
}
