// The appearances drawn from the Office 2007 image set: ribbon-like tabs under the selected
// and hot tab, or an image under every tab. While the image set is not loaded they draw
// nothing at all, captions included.
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSets.h"

#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSet.h"
#include "toolkit/tabmanager/TabOffice2007Seam.h"

#include <algorithm>

using PM = CUTKTabPaintManager;

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);

BOOL IsSelectedItem(CUTKTabManagerItem* item)
{
    CUTKTabManager* manager = item->GetTabManager();
    return manager != nullptr && manager->GetSelectedItem() == item;
}

}  // namespace

PM::CAppearanceSetPropertyPage2007::CAppearanceSetPropertyPage2007()
{
    m_rcHeaderMargin.SetRect(4, 1, 0, 0);
}

int PM::CAppearanceSetPropertyPage2007::RibbonTabState(CUTKTabManagerItem* item)
{
    CUTKTabManager* manager = item->GetTabManager();
    const BOOL selected = IsSelectedItem(item);
    const BOOL hot = item->IsHot();
    if (selected && manager != nullptr && manager->HeaderHasFocus()) {
        return 5;
    }
    if (selected) {
        return hot ? 4 : 3;
    }
    if (manager != nullptr && manager->GetPressedItem() == item) {
        return 2;
    }
    return hot ? 1 : 0;
}

void PM::CAppearanceSetPropertyPage2007::FillImagePage(CUTKTabManager* manager, CDC* dc,
                                                       CRect rect)
{
    CColorSet* colors = m_pPaintManager->GetColorSet();
    const CRect header = GetHeaderRect(rect, manager);
    dc->FillSolidRect(&header, colors->m_clrHeaderFace.clrLight);
    const CRect page = GetClientRect(rect, manager);
    const CRect margins(8, 8, 8, 8);
    if (!TabOffice2007DrawImage(dc, L"TABCONTROLPAGE", page, 0, 1, margins, kKey)) {
        (void)TabOffice2007DrawImage(dc, L"RIBBONGROUPS", page, 0, 1, margins, kKey);
    }
}

CRect PM::CAppearanceSetPropertyPage2007::FillTabControl(CUTKTabManager* manager, CDC* dc,
                                                         CRect rect)
{
    if (!TabOffice2007IsLoaded()) {
        return CRect();
    }
    FillImagePage(manager, dc, rect);
    return GetHeaderRect(rect, manager);
}

void PM::CAppearanceSetPropertyPage2007::DrawSingleTabImage(CDC* dc, CUTKTabManagerItem* item,
                                                            CRect rect)
{
    (void)TabOffice2007DrawImage(dc, L"RIBBONTAB", rect, RibbonTabState(item), 6,
                                 CRect(5, 5, 5, 5), kKey);
}

void PM::CAppearanceSetPropertyPage2007::DrawSingleButton(CDC* dc, CUTKTabManagerItem* item)
{
    if (!TabOffice2007IsLoaded()) {
        return;
    }
    if (IsSelectedItem(item) || item->IsHot()) {
        DrawSingleTabImage(dc, item, item->m_rcItem);
    }
    m_pPaintManager->DrawSingleButton(dc, item, item->m_rcItem, TRUE);
}

PM::CAppearanceSetPropertyPageAccess2007::CAppearanceSetPropertyPageAccess2007() = default;

void PM::CAppearanceSetPropertyPageAccess2007::RefreshMetrics()
{
    CAppearanceSetPropertyPage2007::RefreshMetrics();
    m_nRowHeight = std::max(m_nRowHeight, 24);
}

CRect PM::CAppearanceSetPropertyPageAccess2007::GetHeaderMargin()
{
    CRect margin = m_rcHeaderMargin;
    margin.right += m_nRowHeight / 2;
    return margin;
}

CRect PM::CAppearanceSetPropertyPageAccess2007::GetButtonDrawRect(const CUTKTabManagerItem* item)
{
    CRect rect = CAppearanceSetPropertyPage2007::GetButtonDrawRect(item);
    InflateRectForTabPosition(rect, 0, 0, m_nRowHeight / 2 - 1, 0,
                              m_pPaintManager->GetPosition());
    return rect;
}

CRect PM::CAppearanceSetPropertyPageAccess2007::FillTabControl(CUTKTabManager* manager, CDC* dc,
                                                               CRect rect)
{
    if (!TabOffice2007IsLoaded()) {
        return CRect();
    }
    CColorSet* colors = m_pPaintManager->GetColorSet();
    const CRect header = GetHeaderRect(rect, manager);
    dc->FillSolidRect(&header, colors->m_clrHeaderFace.clrLight);
    const CRect page = GetClientRect(rect, manager);
    (void)colors->FillClient(dc, page, manager);
    dc->Draw3dRect(&page, colors->m_clrFrameBorder, colors->m_clrFrameBorder);
    return header;
}

void PM::CAppearanceSetPropertyPageAccess2007::DrawSingleTabImage(CDC* dc,
                                                                  CUTKTabManagerItem* item,
                                                                  CRect rect)
{
    const BOOL selected = IsSelectedItem(item);
    const BOOL hot = item->IsHot();
    const int state = selected ? (hot ? 3 : 2) : (hot ? 1 : 0);
    (void)TabOffice2007DrawImage(dc, L"ACCESSTAB", rect, state, 4, CRect(5, 10, 22, 10), kKey);
}

void PM::CAppearanceSetPropertyPageAccess2007::DrawSingleButton(CDC* dc,
                                                                CUTKTabManagerItem* item)
{
    if (!TabOffice2007IsLoaded()) {
        return;
    }
    CRect rect = item->m_rcItem;
    InflateRectForTabPosition(rect, 0, 0, m_nRowHeight / 2 - 1, 0, m_pPaintManager->GetPosition());
    DrawSingleTabImage(dc, item, rect);
    m_pPaintManager->DrawSingleButton(dc, item, item->m_rcItem, TRUE);
}
