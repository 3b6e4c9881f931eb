// CReBar: the rebar control as a frame's control bar.
#include "platform/framework/frame/CReBar.h"

#include "platform/framework/frame/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
    ON_MESSAGE(WM_REFLECT_BASE + WM_NOTIFY, OnReflectedNotify)
END_MESSAGE_MAP()

CReBar::CReBar() = default;

CReBar::~CReBar()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_dwStyle = dwStyle & CBRS_ALL;
    // The frame places the bar: the control neither aligns nor sizes itself.
    const DWORD windowStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN |
                              CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (!CWnd::CreateEx(0, REBARCLASSNAMEW, nullptr, windowStyle, CRect(0, 0, 100, 20),
                        pParentWnd, nID))
        return FALSE;
    REBARINFO info{};
    info.cbSize = sizeof(info);
    SendMessage(RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
    if (CFrameWnd* frame = GetParentFrame())
        frame->DelayRecalcLayout();
    return TRUE;
}

BOOL CReBar::AddBar(CWnd* pBar, LPCTSTR pszText, CBitmap* pbmp, DWORD dwStyle)
{
    if (m_hWnd == nullptr || pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return FALSE;
    CRect rect;
    pBar->GetWindowRect(&rect);
    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
    band.fStyle = dwStyle;
    band.hwndChild = pBar->GetSafeHwnd();
    band.cxMinChild = rect.Width();
    band.cyMinChild = rect.Height();
    band.cx = rect.Width();
    if (pszText != nullptr) {
        band.fMask |= RBBIM_TEXT;
        band.lpText = const_cast<LPWSTR>(pszText);
    }
    if (pbmp != nullptr) {
        band.fMask |= RBBIM_BACKGROUND;
        band.hbmBack = static_cast<HBITMAP>(pbmp->GetSafeHandle());
    }
    if (SendMessage(RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)) == 0)
        return FALSE;
    if (CFrameWnd* frame = GetParentFrame())
        frame->DelayRecalcLayout();
    return TRUE;
}

UINT CReBar::GetBandCount() const
{
    return static_cast<UINT>(SendMessage(RB_GETBANDCOUNT));
}

BOOL CReBar::GetBandInfo(UINT uBand, REBARBANDINFOW* prbbi) const
{
    return static_cast<BOOL>(SendMessage(RB_GETBANDINFOW, uBand, reinterpret_cast<LPARAM>(prbbi)));
}

BOOL CReBar::SetBandInfo(UINT uBand, REBARBANDINFOW* prbbi)
{
    return static_cast<BOOL>(SendMessage(RB_SETBANDINFOW, uBand, reinterpret_cast<LPARAM>(prbbi)));
}

BOOL CReBar::DeleteBand(UINT uBand)
{
    const BOOL deleted = static_cast<BOOL>(SendMessage(RB_DELETEBAND, uBand));
    if (deleted) {
        if (CFrameWnd* frame = GetParentFrame())
            frame->DelayRecalcLayout();
    }
    return deleted;
}

UINT CReBar::GetBarHeight() const
{
    return static_cast<UINT>(SendMessage(RB_GETBARHEIGHT));
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (m_hWnd == nullptr)
        return size;
    // The control knows the height of its rows; an empty rebar takes none.
    const int rows = static_cast<int>(GetBarHeight());
    if (bHorz)
        size.cy += rows;
    else
        size.cx += rows;
    return size;
}

void CReBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

LRESULT CReBar::OnHeightChange(WPARAM, LPARAM)
{
    if (CFrameWnd* frame = GetParentFrame())
        frame->DelayRecalcLayout();
    return 0;
}

LRESULT CReBar::OnReflectedNotify(WPARAM wParam, LPARAM lParam)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && header->code == static_cast<UINT>(RBN_HEIGHTCHANGE))
        return OnHeightChange(wParam, lParam);
    return 0;
}
