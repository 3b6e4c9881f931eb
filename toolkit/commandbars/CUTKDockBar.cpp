// CUTKDockBar: the rows of one frame side. The array holds the toolbars row by row with a null
// before every row; layout hands the visible ones to DockBarRowLayout and moves their windows
// to the placements it returns.
#include "toolkit/commandbars/CUTKDockBar.h"

#include "platform/framework/frame/AfxFrameDefs.h"
#include "platform/framework/window/CDC.h"
#include "platform/framework/window/CPaintDC.h"
#include "platform/framework/window/CWinApp.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKDockContext.h"
#include "toolkit/commandbars/CUTKMenuBar.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/commandbars/DockBarRowLayout.h"
#include "toolkit/themes/CUTKPaintManager.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CUTKDockBar, CWnd)

BEGIN_MESSAGE_MAP(CUTKDockBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_PAINT, OnPaintMessage)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgndMessage)
    ON_MESSAGE(WM_RBUTTONDOWN, OnRButtonDownMessage)
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTestMessage)
END_MESSAGE_MAP()

namespace {

void RegisterDockBarClass()
{
    HINSTANCE instance = AfxGetInstanceHandle();
    WNDCLASSW wc{};
    if (::GetClassInfoW(instance, CUTKDockBar::kClassName, &wc))
        return;
    // No cursor, brush or icon: the dock bar paints itself and leaves the cursor alone.
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = CUTKDockBar::kClassName;
    ::RegisterClassW(&wc);
}

CRect ClientRectOf(const CWnd* parent, HWND child)
{
    CRect rc(0, 0, 0, 0);
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(nullptr, parent->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

BOOL IsShownBar(const CUTKToolBar* bar)
{
    return bar != nullptr && bar->GetSafeHwnd() != nullptr && bar->IsVisible();
}

// The toolbars as the row layout measures them.
class ToolBarMeasure : public DockBarRowLayout::Measure {
public:
    explicit ToolBarMeasure(const std::vector<CUTKToolBar*>& bars) : m_bars(bars) {}
    CSize CalcDockingLayout(int bar, int length, DWORD mode) override
    {
        return m_bars[static_cast<size_t>(bar)]->CalcDockingLayout(length, mode);
    }

private:
    const std::vector<CUTKToolBar*>& m_bars;
};

// The manager's menu bar, its last customise mode and its toolbars menu, asked for only where
// the manager offers them (a bare manager has no menu bar and shows no menu).
template <class Bars>
CUTKToolBar* MenuBarOf(const Bars* bars)
{
    if constexpr (requires { bars->GetMenuBar(); })
        return bars->GetMenuBar();
    else
        return nullptr;
}

template <class Bars>
BOOL IsLastCustomizeModeOf(const Bars* bars)
{
    if constexpr (requires { bars->IsLastCustomizeMode(); })
        return bars->IsLastCustomizeMode();
    else
        return FALSE;
}

template <class Bars>
void ShowToolbarsMenu(Bars* bars, CPoint pt)
{
    if constexpr (requires { bars->ContextMenu(nullptr, pt); })
        bars->ContextMenu(nullptr, pt);
}

} // namespace

CUTKDockBar::CUTKDockBar()
{
    m_arrBars.Add(nullptr);
    RegisterDockBarClass();
}

CUTKDockBar::~CUTKDockBar()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

BOOL CUTKDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwBarStyle = dwStyle & kBarStyleMask;
    static const wchar_t* const kNames[] = {L"utkBarTop", L"utkBarBottom", L"utkBarLeft",
                                            L"utkBarRight"};
    // The bar style's bits mean nothing to the window (0x400000 would even give it a frame).
    const DWORD windowStyle = (dwStyle & ~kBarStyleMask) | WS_CLIPSIBLINGS;
    const CRect empty(0, 0, 0, 0);
    return CreateEx(0, kClassName, kNames[GetPosition()], windowStyle, empty, pParentWnd, nID);
}

int CUTKDockBar::PositionOfStyle(DWORD dwBarStyle)
{
    if (dwBarStyle & (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM))
        return 0;
    if (dwBarStyle & (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP))
        return 1;
    if (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT))
        return 2;
    return 3;
}

int CUTKDockBar::GetPosition() const
{
    return PositionOfStyle(m_dwBarStyle);
}

CUTKToolBar* CUTKDockBar::GetAt(int nIndex) const
{
    return m_arrBars.GetAt(nIndex);
}

int CUTKDockBar::FindBar(CUTKToolBar* pBar, int nSkipIndex) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (i != nSkipIndex && m_arrBars[i] == pBar)
            return i;
    }
    return -1;
}

int CUTKDockBar::InsertAt(int nIndex, CUTKToolBar* pBar)
{
    if (GetCount() == 0)
        m_arrBars.Add(nullptr);
    const int index = std::clamp(nIndex, 1, GetCount());
    m_arrBars.InsertAt(index, pBar);
    return index;
}

BOOL CUTKDockBar::IsFirstRowReserved(CUTKToolBar* pInserted) const
{
    if (m_pCommandBars == nullptr || (pInserted != nullptr && pInserted->IsRibbonBar()))
        return FALSE;
    CUTKToolBar* menuBar = MenuBarOf(m_pCommandBars);
    return menuBar != nullptr && menuBar->IsRibbonBar() && menuBar->GetDockBar() == this;
}

int CUTKDockBar::InsertBar(CUTKToolBar* pBar, CRect /*rect*/, CPoint centre)
{
    const BOOL horizontal = IsHorizontal();
    const int p = horizontal ? centre.y : centre.x;
    const BOOL reserved = IsFirstRowReserved(pBar);

    int farEdge = 0;
    int previousRowEnd = 0;
    int rowSeparator = -1;  // the separator that begins the row being walked
    for (int i = 0; i < GetCount(); ++i) {
        CUTKToolBar* entry = m_arrBars[i];
        if (entry != nullptr) {
            if (IsShownBar(entry)) {
                const CRect rc = ClientRectOf(this, entry->GetSafeHwnd());
                farEdge = std::max<int>(farEdge, horizontal ? rc.bottom : rc.right);
            }
            continue;
        }
        // A separator ends the row that began at rowSeparator (nothing for the leading one).
        const BOOL firstRow = rowSeparator <= 0;
        if (p < farEdge && !(reserved && firstRow)) {
            const int at = (rowSeparator < 0 ? i : rowSeparator) + 1;
            m_arrBars.InsertAt(at, pBar);
            // Before the first row, or right on the boundary in front of the chosen row: a row
            // of its own.
            if (rowSeparator < 0 || p == previousRowEnd)
                m_arrBars.InsertAt(at + 1, static_cast<CUTKToolBar*>(nullptr));
            return at;
        }
        previousRowEnd = farEdge;
        rowSeparator = i;
    }
    // A new row at the end; the array keeps ending with a separator.
    if (m_arrBars[GetCount() - 1] != nullptr)
        m_arrBars.Add(nullptr);
    const int at = static_cast<int>(m_arrBars.Add(pBar));
    m_arrBars.Add(nullptr);
    return at;
}

void CUTKDockBar::DockBar(CUTKToolBar* pBar, LPCRECT lpScreenRect)
{
    if (pBar == nullptr)
        return;
    HWND hwndBar = pBar->GetSafeHwnd();
    if (FindBar(pBar) > 0) {
        if (lpScreenRect == nullptr)
            return;
        CRect rcWindow(0, 0, 0, 0);
        if (hwndBar != nullptr)
            ::GetWindowRect(hwndBar, &rcWindow);
        if (rcWindow == CRect(*lpScreenRect))
            return;
    }
    CUTKDockContext* context = pBar->GetDockContext();
    int newIndex = -1;
    if (lpScreenRect != nullptr) {
        CRect rc(*lpScreenRect);
        ScreenToClient(&rc);
        newIndex = InsertBar(pBar, rc, rc.CenterPoint());
        if (context != nullptr)
            context->m_rectMRUDockPos = rc;
    } else {
        newIndex = static_cast<int>(m_arrBars.Add(pBar));
        m_arrBars.Add(nullptr);
        if (context != nullptr)
            context->m_rectMRUDockPos.SetRectEmpty();
    }
    if (hwndBar != nullptr && m_hWnd != nullptr && ::GetParent(hwndBar) != m_hWnd) {
        // A floating bar's popup window cannot live inside the dock bar as it is.
        if (pBar->GetStyle() & WS_POPUP)
            pBar->ModifyStyle(WS_POPUP, WS_CHILD);
        ::SetParent(hwndBar, m_hWnd);
    }
    CUTKDockBar* oldDockBar = pBar->GetDockBar();
    if (oldDockBar != nullptr && oldDockBar != this)
        oldDockBar->RemoveBar(pBar);
    if (FindBar(pBar, newIndex) > 0)
        RemoveBar(pBar, newIndex);
    pBar->SetDockBar(this);
    NormalizeRows();
    if (m_pCommandBars != nullptr)
        m_pCommandBars->RecalcFrameLayout(TRUE);
}

BOOL CUTKDockBar::RemoveBar(CUTKToolBar* pBar, int nSkipIndex)
{
    const int index = FindBar(pBar, nSkipIndex);
    if (index <= 0)
        return FALSE;
    m_arrBars.RemoveAt(index);
    // The row it leaves empty loses its separator too.
    if (index < GetCount() && m_arrBars[index - 1] == nullptr && m_arrBars[index] == nullptr)
        m_arrBars.RemoveAt(index);
    if (pBar->GetDockBar() == this)
        pBar->SetDockBar(nullptr);
    if (m_pCommandBars != nullptr)
        m_pCommandBars->RecalcFrameLayout(TRUE);
    return TRUE;
}

void CUTKDockBar::GetVisibleRow(int nIndex, CBarArray& arrRow) const
{
    arrRow.RemoveAll();
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    int start = nIndex;
    while (start > 0 && m_arrBars[start] != nullptr)
        --start;
    const BOOL vertical = !IsHorizontal();
    std::vector<std::pair<int, CUTKToolBar*>> row;
    for (int i = start + 1; i < GetCount() && m_arrBars[i] != nullptr; ++i) {
        CUTKToolBar* bar = m_arrBars[i];
        if (!bar->IsVisible())
            continue;
        CRect rc(0, 0, 0, 0);
        if (bar->GetSafeHwnd() != nullptr)
            ::GetWindowRect(bar->GetSafeHwnd(), &rc);
        row.emplace_back(vertical ? rc.top : rc.left, bar);
    }
    std::stable_sort(row.begin(), row.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : row)
        arrRow.Add(entry.second);
}

void CUTKDockBar::NormalizeRows()
{
    for (int i = 0; i < GetCount(); ++i) {
        CUTKToolBar* bar = m_arrBars[i];
        if (bar == nullptr || (bar->GetFlags() & utkFlagStretched) == 0)
            continue;
        if (i > 0 && m_arrBars[i - 1] != nullptr) {
            m_arrBars.InsertAt(i, static_cast<CUTKToolBar*>(nullptr));
            ++i;
        }
        if (i + 1 < GetCount() && m_arrBars[i + 1] != nullptr)
            m_arrBars.InsertAt(i + 1, static_cast<CUTKToolBar*>(nullptr));
    }
}

CSize CUTKDockBar::CalcDockBarSize(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* pLayout)
{
    const BOOL horizontal = IsHorizontal();
    const BOOL commit = pLayout != nullptr && pLayout->hDWP != nullptr;
    BOOL hideAllowed = TRUE;
    if (m_pCommandBars != nullptr && m_pCommandBars->IsCustomizeMode() &&
        !IsLastCustomizeModeOf(m_pCommandBars))
        hideAllowed = FALSE;

    std::vector<CUTKToolBar*> bars;
    std::vector<DockBarRowLayout::Bar> records;
    std::vector<std::vector<int>> rows(1);
    for (int i = 1; i < GetCount(); ++i) {
        CUTKToolBar* bar = m_arrBars[i];
        if (bar == nullptr) {
            if (!rows.back().empty())
                rows.emplace_back();
            continue;
        }
        if (!IsShownBar(bar))
            continue;
        DockBarRowLayout::Bar record;
        record.flags = bar->GetFlags();
        if (CUTKDockContext* context = bar->GetDockContext())
            record.dockedEdge = horizontal ? context->m_rectMRUDockPos.left
                                           : context->m_rectMRUDockPos.top;
        rows.back().push_back(static_cast<int>(bars.size()));
        bars.push_back(bar);
        records.push_back(record);
    }

    ToolBarMeasure measure(bars);
    DockBarRowLayout layout(measure, records, horizontal, hideAllowed);
    // The starting size follows the mode: a stretching layout asks for the whole length.
    const CSize size = layout.CalcDockBarSize(rows, nLength, (dwMode & LM_STRETCH) != 0, commit);
    if (!commit)
        return size;

    HDWP hdwp = ::BeginDeferWindowPos(std::max(GetCount(), 1));
    std::vector<CUTKToolBar*> moved;
    for (const DockBarRowLayout::Placement& placement : layout.GetPlacements()) {
        CUTKToolBar* bar = bars[static_cast<size_t>(placement.bar)];
        if (CUTKDockContext* context = bar->GetDockContext())
            context->m_uMRUDockID = GetPosition();
        const CRect current = ClientRectOf(this, bar->GetSafeHwnd());
        if (current == placement.rect)
            continue;
        if (hdwp != nullptr) {
            hdwp = ::DeferWindowPos(hdwp, bar->GetSafeHwnd(), nullptr, placement.rect.left,
                                    placement.rect.top, placement.rect.Width(),
                                    placement.rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (hdwp == nullptr) {
            ::SetWindowPos(bar->GetSafeHwnd(), nullptr, placement.rect.left, placement.rect.top,
                           placement.rect.Width(), placement.rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
        }
        moved.push_back(bar);
    }
    if (hdwp != nullptr)
        ::EndDeferWindowPos(hdwp);
    for (CUTKToolBar* bar : moved)
        bar->Redraw();
    return size;
}

LRESULT CUTKDockBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (layout == nullptr || (GetStyle() & WS_VISIBLE) == 0)
        return 0;
    const CRect avail(layout->rect);
    const int width = std::max<int>(avail.Width(), 0);
    const int height = std::max<int>(avail.Height(), 0);
    const DWORD stretch = layout->bStretch ? LM_STRETCH : 0;
    const int position = GetPosition();
    const BOOL horizontal = position < 2;
    DWORD mode;
    if ((m_dwBarStyle & CBRS_FLOATING) && (m_dwBarStyle & CBRS_SIZE_DYNAMIC))
        mode = LM_HORZ | LM_MRUWIDTH | stretch;
    else
        mode = (horizontal ? (LM_HORZDOCK | LM_HORZ) : LM_VERTDOCK) | stretch;

    CSize size = CalcDockBarSize(horizontal ? width : height, mode, layout);
    size.cx = std::min<LONG>(size.cx, width);
    size.cy = std::min<LONG>(size.cy, height);

    CRect rect(avail.TopLeft(), size);
    if (horizontal) {
        layout->sizeTotal.cy += size.cy;
        layout->sizeTotal.cx = std::max<LONG>(layout->sizeTotal.cx, size.cx);
        if (position == 0) {
            layout->rect.top += size.cy;
        } else {
            rect.OffsetRect(0, avail.Height() - size.cy);
            layout->rect.bottom -= size.cy;
        }
    } else {
        layout->sizeTotal.cx += size.cx;
        layout->sizeTotal.cy = std::max<LONG>(layout->sizeTotal.cy, size.cy);
        if (position == 2) {
            layout->rect.left += size.cx;
        } else {
            rect.OffsetRect(avail.Width() - size.cx, 0);
            layout->rect.right -= size.cx;
        }
    }
    if (layout->hDWP != nullptr)
        AfxRepositionWindow(layout, m_hWnd, &rect);
    Invalidate();
    return 0;
}

void CUTKDockBar::FillBackground(HDC hdc)
{
    CUTKPaintManager* paint = m_pCommandBars != nullptr ? m_pCommandBars->GetPaintManager()
                                                        : CUTKPaintManager::GetGlobalPaintManager();
    if (paint == nullptr || hdc == nullptr)
        return;
    CDC dc;
    dc.Attach(hdc);
    paint->FillDockBar(&dc, this);
    dc.Detach();
}

LRESULT CUTKDockBar::OnPaintMessage(WPARAM, LPARAM)
{
    CPaintDC dc(this);
    FillBackground(dc.GetSafeHdc());
    return 0;
}

LRESULT CUTKDockBar::OnPrintClient(WPARAM wParam, LPARAM)
{
    FillBackground(reinterpret_cast<HDC>(wParam));
    return TRUE;
}

LRESULT CUTKDockBar::OnEraseBkgndMessage(WPARAM, LPARAM)
{
    return TRUE;
}

LRESULT CUTKDockBar::OnRButtonDownMessage(WPARAM, LPARAM lParam)
{
    if (m_pCommandBars != nullptr) {
        CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        ClientToScreen(&pt);
        ShowToolbarsMenu(m_pCommandBars, pt);
    }
    return 0;
}

LRESULT CUTKDockBar::OnNcHitTestMessage(WPARAM, LPARAM)
{
    if (GetPosition() == 0 && m_pCommandBars != nullptr) {
        CUTKToolBar* menuBar = MenuBarOf(m_pCommandBars);
        if (menuBar != nullptr && menuBar->IsRibbonBar() && menuBar->GetDockBar() == this)
            return HTTRANSPARENT;
    }
    return Default();
}
