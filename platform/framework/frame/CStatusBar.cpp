// Status bars: panes sized from their strings, the first stretching, and update UI by pane.
#include "platform/framework/frame/CStatusBar.h"

#include "platform/framework/frame/CFrameWnd.h"
#include "platform/base/CSelectGuard.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

// Update-UI record of one status pane: enabled panes show their text, disabled ones none.
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        auto* pBar = static_cast<CStatusBar*>(m_pOther);
        const int index = static_cast<int>(m_nIndex);
        if (!bOn) {
            pBar->SetPaneText(index, L"");
        } else if (pBar->GetPaneText(index).IsEmpty()) {
            pBar->SetPaneText(index, CStatusBar::IndicatorText(m_nID));
        }
    }
    void SetCheck(int) override {}
    void SetText(LPCTSTR lpszText) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), lpszText);
    }
};

}  // namespace

CString CStatusBar::IndicatorText(UINT nID)
{
    CString full;
    CString text;
    if (nID != 0 && full.LoadString(nID)) {
        AfxExtractSubString(text, full, 0);
    }
    return text;
}

CStatusBar::CStatusBar()
{
    m_cyTopBorder = 2;
}

CStatusBar::~CStatusBar()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        DestroyWindow();
    }
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_dwStyle = dwStyle & CBRS_ALL;
    const DWORD windowStyle =
        (dwStyle & ~CBRS_ALL) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (!CWnd::CreateEx(0, STATUSCLASSNAMEW, nullptr, windowStyle, CRect(0, 0, 100, 20),
                        pParentWnd, nID)) {
        return FALSE;
    }
    if (CFrameWnd* pFrame = GetParentFrame()) {
        pFrame->DelayRecalcLayout();
    }
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (m_hWnd == nullptr || nIDCount < 0 || nIDCount > 255) {
        return FALSE;
    }
    m_ids.assign(lpIDArray, lpIDArray + nIDCount);
    m_widths.assign(m_ids.size(), 0);
    {
        CClientDC dc(this);
        const CSelectGuard font(dc.m_hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
        for (size_t i = 0; i < m_ids.size(); ++i) {
            CString text;
            if (m_ids[i] != 0 && text.LoadString(m_ids[i])) {
                SIZE extent{};
                ::GetTextExtentPoint32W(dc.m_hDC, text, text.GetLength(), &extent);
                m_widths[i] = extent.cx + 8;
            } else {
                m_widths[i] = 80;
            }
        }
    }
    UpdateParts();
    // Each pane starts with its indicator's text (after the parts exist).
    for (size_t i = 0; i < m_ids.size(); ++i) {
        SetPaneText(static_cast<int>(i), IndicatorText(m_ids[i]));
    }
    return TRUE;
}

void CStatusBar::UpdateParts()
{
    if (m_hWnd == nullptr || m_ids.empty()) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    std::vector<int> rights(m_ids.size());
    int right = client.right;
    for (size_t i = m_ids.size(); i-- > 1;) {
        rights[i] = right;
        right -= m_widths[i];
    }
    rights[0] = right;
    rights.back() = -1;  // the last pane reaches the edge
    SendMessage(SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateParts();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL)
{
    if (m_hWnd == nullptr || nIndex < 0 || nIndex > 255) {
        return FALSE;
    }
    return SendMessage(SB_SETTEXTW, static_cast<WPARAM>(nIndex),
                       reinterpret_cast<LPARAM>(lpszNewText != nullptr ? lpszNewText : L"")) != 0;
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    wchar_t text[512] = {};
    const LRESULT length = SendMessage(SB_GETTEXTLENGTHW, static_cast<WPARAM>(nIndex));
    if (LOWORD(length) < 512) {
        SendMessage(SB_GETTEXTW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text));
    }
    return text;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && static_cast<size_t>(nIndex) < m_ids.size() ? m_ids[nIndex] : 0;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_ids.size(); ++i) {
        if (m_ids[i] == nIDFind) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    TEXTMETRICW tm{};
    {
        CClientDC dc(this);
        const CSelectGuard font(dc.m_hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
        ::GetTextMetricsW(dc.m_hDC, &tm);
    }
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cy += tm.tmHeight + 2 * ::GetSystemMetrics(SM_CYBORDER) + 4;
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(m_ids.size());
    for (state.m_nIndex = 1; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = m_ids[state.m_nIndex];
        if (state.m_nID != 0) {
            state.DoUpdate(pTarget, bDisableIfNoHndler);
        }
    }
}
