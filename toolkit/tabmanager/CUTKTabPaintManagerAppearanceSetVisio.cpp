// Stacked bars like a shortcut bar: the bars up to the selected one from the top, the others
// collected at the bottom, and the page between them. Every tab has a bar, hidden ones too.
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSets.h"

#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSet.h"

#include <algorithm>

using PM = CUTKTabPaintManager;

namespace {

int SelectedIndex(CUTKTabManager* manager)
{
    CUTKTabManagerItem* selected = manager->GetSelectedItem();
    for (int i = 0; i < manager->GetItemCount(); ++i) {
        if (manager->GetItem(i) == selected) {
            return i;
        }
    }
    return -1;
}

}  // namespace

CRect PM::CAppearanceSetVisio::BarRect(CRect client, int index, int count, int selected,
                                       int height)
{
    int top = 0;
    if (index <= selected) {
        top = client.top + 1 + index * height;
    } else {
        const int selectedEnd = client.top + 1 + (selected + 1) * height;
        const int after = count - 1 - selected;
        int first = client.bottom - after * height;
        first = std::max(first, selectedEnd + height);
        first = std::min(first, static_cast<int>(client.bottom) - 1);
        top = first + (index - selected - 1) * height;
    }
    return CRect(client.left, top, client.right, top + height);
}

CRect PM::CAppearanceSetVisio::GetHeaderRect(CRect client, CUTKTabManager* manager)
{
    (void)manager;
    return CRect(client.left, client.top, client.left, client.top);
}

CRect PM::CAppearanceSetVisio::GetClientRect(CRect client, CUTKTabManager* manager)
{
    if (!m_pPaintManager->m_bShowTabs) {
        return client;
    }
    const int count = manager->GetItemCount();
    const int selected = SelectedIndex(manager);
    const int height = GetHeaderHeight(manager);
    const BOOL frameless = m_pPaintManager->m_nClientFrame == 2;
    CRect page = client;
    page.top = client.top + 1 + (selected + 1) * height;
    if (selected + 1 < count) {
        page.bottom = BarRect(client, selected + 1, count, selected, height).top;
    } else if (!frameless) {
        page.bottom = client.bottom - 1;
    }
    page.bottom = std::max(page.bottom, page.top + height);
    if (!frameless) {
        page.DeflateRect(1, 0);
    }
    return page;
}

void PM::CAppearanceSetVisio::RepositionTabControl(CUTKTabManager* manager, CDC* dc, CRect rect)
{
    (void)dc;
    const int count = manager->GetItemCount();
    const int selected = SelectedIndex(manager);
    const int height = GetHeaderHeight(manager);
    for (int i = 0; i < count; ++i) {
        CUTKTabManagerItem* item = manager->GetItem(i);
        item->m_nLength = item->m_nIdealLength = rect.Width();
        item->m_nRow = 0;
        const CRect bar = BarRect(rect, i, count, selected, height);
        item->SetRect(bar.left, bar.top, bar.right, bar.bottom);
    }
}

void PM::CAppearanceSetVisio::DrawTabControl(CUTKTabManager* manager, CDC* dc, CRect rect)
{
    CColorSet* colors = m_pPaintManager->GetColorSet();
    dc->FillSolidRect(&rect, colors->m_clrControlFace);
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(&rect);
    const COLORREF border = colors->m_clrFrameBorder;
    if (m_pPaintManager->m_nClientFrame == 2) {
        if (manager->GetItemCount() > 0) {
            HorizontalLine(dc, rect.left, rect.top, rect.Width(), border);
        }
    } else {
        dc->Draw3dRect(&rect, border, border);
    }
    dc->SetBkMode(TRANSPARENT);
    // Bars pushed past the control by a small client are not drawn at all.
    for (int i = manager->GetItemCount() - 1; i >= 0; --i) {
        CUTKTabManagerItem* item = manager->GetItem(i);
        CRect visible;
        if (visible.IntersectRect(&item->m_rcItem, &rect)) {
            DrawSingleButton(dc, item);
        }
    }
    if (saved != 0) {
        dc->RestoreDC(saved);
    }
}

void PM::CAppearanceSetVisio::DrawSingleButton(CDC* dc, CUTKTabManagerItem* item)
{
    CColorSet* colors = m_pPaintManager->GetColorSet();
    const CRect bar = item->m_rcItem;
    (void)colors->FillPropertyButton(dc, bar, item);
    dc->Draw3dRect(&bar, colors->m_clrButtonHighlight, colors->m_clrFrameBorder);
    const COLORREF grip = CColorSet::Sys(38);
    for (int y = bar.top + 4; y < bar.bottom - 3; y += 2) {
        HorizontalLine(dc, bar.right - 7, y, 3, grip);
    }
    CRect caption = bar;
    caption.right -= 7;
    m_pPaintManager->DrawSingleButton(dc, item, caption, TRUE);
}
