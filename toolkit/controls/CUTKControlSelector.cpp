// The grid selector: cell drawing, selection from the pointer, growth while dragging past the
// edge, execution on release, saved sizes ("ItemsCount", "ItemsMax", "ItemSize").
#include "toolkit/controls/CUTKControlSelector.h"

#include <algorithm>

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/themes/CUTKPaintManager.h"

IMPLEMENT_SERIAL(CUTKControlSelector, CUTKControl, kUtkControlSchema)

CUTKControlSelector::CUTKControlSelector() = default;

CSize CUTKControlSelector::CalcSelection(CPoint point, CPoint origin, CSize item, CSize grid)
{
    auto count = [](int p, int start, int step, int cells) {
        int n = 0;
        // Cells whose leading edge lies before the point.
        for (int i = 0; i < cells && start + i * step < p; ++i)
            ++n;
        return n;
    };
    return CSize(count(point.x, origin.x, std::max<int>(item.cx, 1), grid.cx),
                 count(point.y, origin.y, std::max<int>(item.cy, 1), grid.cy));
}

CSize CUTKControlSelector::CalcGrownGrid(CPoint point, CPoint origin, CSize item, CSize grid,
                                         CSize max)
{
    CSize grown = grid;
    if (item.cx > 0 && point.x >= origin.x + grid.cx * item.cx)
        grown.cx = std::min<int>((point.x - origin.x) / item.cx + 1, max.cx);
    if (item.cy > 0 && point.y >= origin.y + grid.cy * item.cy)
        grown.cy = std::min<int>((point.y - origin.y) / item.cy + 1, max.cy);
    grown.cx = std::max(grown.cx, grid.cx);
    grown.cy = std::max(grown.cy, grid.cy);
    return grown;
}

CSize CUTKControlSelector::GetSize(CDC* /*pDC*/)
{
    return CSize(m_szGrid.cx * m_szItem.cx, m_szGrid.cy * m_szItem.cy);
}

void CUTKControlSelector::Draw(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    CUTKColorManager* colors = GetColorManager();
    CUTKPaintManager* paintManager = GetPaintManager();
    const COLORREF frame = paintManager != nullptr ? paintManager->GetColor(43)
                                                   : colors->GetColor(COLOR_BTNSHADOW);
    const COLORREF outsideText = paintManager != nullptr ? paintManager->GetColor(46)
                                                         : colors->GetColor(COLOR_WINDOWTEXT);
    for (int row = 0; row < m_szGrid.cy; ++row) {
        for (int column = 0; column < m_szGrid.cx; ++column) {
            CRect cell(CPoint(m_rcControl.left + column * m_szItem.cx,
                              m_rcControl.top + row * m_szItem.cy),
                       m_szItem);
            cell.DeflateRect(1, 1);
            const bool inside = column < m_szSelected.cx && row < m_szSelected.cy;
            pDC->FillSolidRect(&cell, colors->GetColor(inside ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            pDC->Draw3dRect(&cell, frame, frame);
            DrawItem(pDC, cell,
                     inside ? colors->GetColor(COLOR_HIGHLIGHTTEXT) : outsideText);
        }
    }
}

void CUTKControlSelector::DrawItem(CDC* /*pDC*/, CRect /*rcItem*/, COLORREF /*textColor*/) {}

void CUTKControlSelector::SetSelection(CSize selection, BOOL force)
{
    if (selection == m_szSelected && !force)
        return;
    m_szSelected = selection;
    RedrawParent(TRUE);
    NotifySite(kUtkNotifySelectorChanged);
}

void CUTKControlSelector::OnCalcDynamicSize(DWORD /*layoutFlags*/)
{
    if (!m_bResizing) {
        m_szSelected = CSize(0, 0);
        m_szGrid = m_szItemsCount;
    }
    SetSelection(m_szSelected, TRUE);
}

void CUTKControlSelector::OnMouseMove(CPoint point)
{
    SetSelection(CalcSelection(point, m_rcControl.TopLeft(), m_szItem, m_szGrid), FALSE);
}

BOOL CUTKControlSelector::SetSelected(int selected)
{
    if (selected == utkSelectedNone && (::GetKeyState(VK_LBUTTON) & 0x8000) != 0 &&
        m_parent != nullptr && m_parent->GetSafeHwnd() != nullptr) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ::ScreenToClient(m_parent->GetSafeHwnd(), &cursor);
        const CPoint origin = m_rcControl.TopLeft();
        const bool beyond = cursor.x >= origin.x + m_szGrid.cx * m_szItem.cx ||
                            cursor.y >= origin.y + m_szGrid.cy * m_szItem.cy;
        if (beyond) {
            const CSize grown = CalcGrownGrid(cursor, origin, m_szItem, m_szGrid, m_szItemsMax);
            if (grown == m_szGrid) {
                SetSelection(CSize(0, 0));
            } else {
                m_szGrid = grown;
                m_bResizing = TRUE;
                m_parent->OnRecalcLayout();
                OnMouseMove(cursor);
                m_bResizing = FALSE;
            }
        }
    }
    return CUTKControl::SetSelected(selected);
}

void CUTKControlSelector::OnLButtonUp(CPoint /*point*/)
{
    if (m_szSelected.cx == 0 || m_szSelected.cy == 0)
        return;
    m_szLastSelected = m_szSelected;
    OnExecute();
}

void CUTKControlSelector::DoPropExchange(CUTKPropExchange* px)
{
    CUTKControl::DoPropExchange(px);
    (void)ExchangeSizeProp(px, L"ItemsCount", m_szItemsCount, CSize(0, 0));
    (void)ExchangeSizeProp(px, L"ItemsMax", m_szItemsMax, CSize(0, 0));
    (void)ExchangeSizeProp(px, L"ItemSize", m_szItem, CSize(0, 0));
    if (px->IsLoading()) {
        // Stored sizes are bounded: a grid never grows past its maximum, and cells keep at
        // least one pixel.
        m_szItemsCount.cx = std::clamp<int>(m_szItemsCount.cx, 0, 1000);
        m_szItemsCount.cy = std::clamp<int>(m_szItemsCount.cy, 0, 1000);
        m_szItemsMax.cx = std::clamp<int>(m_szItemsMax.cx, 0, 1000);
        m_szItemsMax.cy = std::clamp<int>(m_szItemsMax.cy, 0, 1000);
        m_szItem.cx = std::clamp<int>(m_szItem.cx, 0, 1000);
        m_szItem.cy = std::clamp<int>(m_szItem.cy, 0, 1000);
        m_szGrid = m_szItemsCount;
    }
}

void CUTKControlSelector::Copy(CUTKControl* source, BOOL recursive)
{
    CUTKControl::Copy(source, recursive);
    if (auto* selector = DYNAMIC_DOWNCAST(CUTKControlSelector, source)) {
        m_szItemsCount = selector->m_szItemsCount;
        m_szItemsMax = selector->m_szItemsMax;
        m_szItem = selector->m_szItem;
        m_szGrid = m_szItemsCount;
    }
}

CUTKControl* CUTKControlSelector::Clone(BOOL recursive) { return CUTKControl::Clone(recursive); }
