// The appearances whose tabs are polygons: a slanted leading edge as wide as the tab is deep,
// slants on both sides drawn left to right, and sheet-like trapezoids. Outlines are written
// for a top strip and turned onto the others.
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSets.h"

#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSet.h"
#include "toolkit/tabmanager/TabOutline.h"

using PM = CUTKTabPaintManager;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kNone = static_cast<COLORREF>(-1);

int DepthOf(const CRect& rect, int position)
{
    return position == PM::positionTop || position == PM::positionBottom ? rect.Height()
                                                                         : rect.Width();
}

BOOL IsSelectedItem(CUTKTabManagerItem* item)
{
    CUTKTabManager* manager = item->GetTabManager();
    return manager != nullptr && manager->GetSelectedItem() == item;
}

// A tab with slants half its depth wide at both ends: face, border, optional light edges and,
// for the selected tab, the line of its face that joins it to the page.
void DrawTrapezoid(CDC* dc, PM::CColorSet* colors, CUTKTabManagerItem* item, int position,
                   COLORREF border, COLORREF light, COLORREF light2)
{
    const TabOutline tab(item->m_rcItem, position);
    const int l = tab.Length();
    const int d = tab.Depth();
    const int s = d / 2;
    const COLORREF face = tab.FillPolygon(
        dc, {{-s + 1, d}, {1, 1}, {l - 1, 1}, {l - 1 + s, d}},
        [&](CDC* target, const CRect& bounds) {
            return colors->FillPropertyButton(target, bounds, item);
        });
    tab.PolyLine(dc, border, {{-s, d - 1}, {0, 0}, {l - 1, 0}, {l - 1 + s, d - 1}});
    tab.PolyLine(dc, light2, {{1, 1}, {l - 2, 1}});
    tab.PolyLine(dc, light, {{-s + 2, d - 1}, {1, 2}});
    if (IsSelectedItem(item) && face != kNone) {
        tab.PolyLine(dc, face, {{-s + 1, d - 1}, {l - 2 + s, d - 1}});
    }
}

}  // namespace

PM::CAppearanceSetPropertyPage2003::CAppearanceSetPropertyPage2003()
{
    m_rcHeaderMargin.SetRect(2, 3, 6, 0);
}

CRect PM::CAppearanceSetPropertyPage2003::GetHeaderMargin()
{
    CRect margin = m_rcHeaderMargin;
    margin.left += m_nRowHeight;
    return margin;
}

CRect PM::CAppearanceSetPropertyPage2003::GetButtonDrawRect(const CUTKTabManagerItem* item)
{
    CRect rect = item->m_rcItem;
    const int position = m_pPaintManager->GetPosition();
    InflateRectForTabPosition(rect, 2 + DepthOf(rect, position), 2, 2, 2, position);
    return rect;
}

CRect PM::CAppearanceSetPropertyPage2003::FillTabControl(CUTKTabManager* manager, CDC* dc,
                                                         CRect rect)
{
    CColorSet* colors = m_pPaintManager->GetColorSet();
    const CRect header = GetHeaderRect(rect, manager);
    colors->FillHeader(dc, header, manager);
    const CRect page = GetClientRect(rect, manager);
    const COLORREF border = colors->m_clrPageBorder;
    if (m_pPaintManager->m_nClientFrame == 0) {
        (void)colors->FillClient(dc, page, manager);
        HorizontalLine(dc, page.left, page.top, page.Width(), border);
        HorizontalLine(dc, page.left, page.bottom - 1, page.Width(), border);
        VerticalLine(dc, page.left, page.top, page.Height(), border);
        VerticalLine(dc, page.right - 1, page.top, page.Height(), border);
    } else if (m_pPaintManager->m_nClientFrame == 1) {
        DrawSingleLineBorder(dc, page, manager->GetPosition(), border, border);
    }
    return header;
}

PM::CAppearanceSetPropertyPage2003::EdgeColors
PM::CAppearanceSetPropertyPage2003::EdgeColorsFor(CUTKTabManagerItem* item)
{
    CColorSet* colors = m_pPaintManager->GetColorSet();
    if (IsSelectedItem(item)) {
        return {colors->m_clrPageBorder, kWhite, kWhite};
    }
    if (m_bHotEdge && item->IsHot()) {
        const COLORREF hot = colors->m_clrStateSelectedBorder.clrDark;
        return {hot, hot, hot};
    }
    return {colors->m_clrTabBorder, colors->m_clrTabLightEdge, colors->m_clrTabLightEdge2};
}

void PM::CAppearanceSetPropertyPage2003::DrawSingleButton(CDC* dc, CUTKTabManagerItem* item)
{
    CColorSet* colors = m_pPaintManager->GetColorSet();
    const int position = m_pPaintManager->GetPosition();
    const TabOutline tab(item->m_rcItem, position);
    const int l = tab.Length();
    const int d = tab.Depth();
    const EdgeColors edges = EdgeColorsFor(item);
    const COLORREF face = tab.FillPolygon(
        dc, {{l - 1, d - 1}, {l - 1, 2}, {4, 2}, {8 - d, d - 2}},
        [&](CDC* target, const CRect& bounds) {
            return colors->FillPropertyButton(target, bounds, item);
        });
    tab.PolyLine(dc, edges.border,
                 {{l, d - 2}, {l, 2}, {l - 2, 0}, {7, 0}, {2, 2}, {6 - d, d - 2}, {4 - d, d - 2}});
    tab.PolyLine(dc, edges.light, {{l - 1, d - 2}, {l - 1, 2}, {l - 3, 0}});
    tab.PolyLine(dc, edges.light2, {{l - 3, 1}, {6, 1}, {1, 4}, {6 - d, d - 1}});
    if (IsSelectedItem(item) && face != kNone) {
        tab.PolyLine(dc, face, {{7 - d, d - 1}, {l - 1, d - 1}});
    }
    m_pPaintManager->DrawSingleButton(dc, item, item->m_rcItem, TRUE);
}

PM::CAppearanceSetVisualStudio2005::CAppearanceSetVisualStudio2005()
{
    m_bButtonsReverseZOrder = TRUE;
}

CRect PM::CAppearanceSetVisualStudio2005::GetHeaderMargin()
{
    CRect margin = m_rcHeaderMargin;
    margin.left += m_nRowHeight / 2;
    return margin;
}

CRect PM::CAppearanceSetVisualStudio2005::GetButtonDrawRect(const CUTKTabManagerItem* item)
{
    CRect rect = item->m_rcItem;
    const int position = m_pPaintManager->GetPosition();
    const int slant = DepthOf(rect, position) / 2;
    InflateRectForTabPosition(rect, 2 + slant, 2, 2 + slant, 2, position);
    return rect;
}

void PM::CAppearanceSetVisualStudio2005::DrawSingleButton(CDC* dc, CUTKTabManagerItem* item)
{
    const EdgeColors edges = EdgeColorsFor(item);
    DrawTrapezoid(dc, m_pPaintManager->GetColorSet(), item, m_pPaintManager->GetPosition(),
                  edges.border, edges.light, edges.light2);
    m_pPaintManager->DrawSingleButton(dc, item, item->m_rcItem, TRUE);
}

PM::CAppearanceSetExcel::CAppearanceSetExcel()
{
    m_rcHeaderMargin.SetRect(2, 3, 2, 0);
}

CRect PM::CAppearanceSetExcel::GetHeaderMargin()
{
    CRect margin = m_rcHeaderMargin;
    margin.left += m_nRowHeight / 2;
    margin.right += m_nRowHeight / 2;
    return margin;
}

CRect PM::CAppearanceSetExcel::GetButtonDrawRect(const CUTKTabManagerItem* item)
{
    CRect rect = item->m_rcItem;
    const int position = m_pPaintManager->GetPosition();
    const int slant = DepthOf(rect, position) / 2;
    InflateRectForTabPosition(rect, 2 + slant, 2, 2 + slant, 2, position);
    return rect;
}

void PM::CAppearanceSetExcel::DrawSingleButton(CDC* dc, CUTKTabManagerItem* item)
{
    CColorSet* colors = m_pPaintManager->GetColorSet();
    DrawTrapezoid(dc, colors, item, m_pPaintManager->GetPosition(), colors->m_clrFrameBorder,
                  kNone, kNone);
    m_pPaintManager->DrawSingleButton(dc, item, item->m_rcItem, TRUE);
}
