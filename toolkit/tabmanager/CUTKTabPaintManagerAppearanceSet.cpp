#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSet.h"

#include "toolkit/common/CUTKFontDC.h"
#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSet.h"

#include <algorithm>

using PM = CUTKTabPaintManager;

void PM::CAppearanceSet::RefreshMetrics()
{
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr || m_pPaintManager == nullptr) {
        if (screen != nullptr) {
            ::ReleaseDC(nullptr, screen);
        }
        return;
    }
    CDC dc;
    dc.Attach(screen);
    {
        CUTKFontDC font(&dc, m_pPaintManager->GetFont());
        m_nRowHeight = TextRowHeightFor(dc.GetTextExtent(CString(L" ")).cy);
    }
    dc.Detach();
    ::ReleaseDC(nullptr, screen);
}

int PM::CAppearanceSet::GetHeaderExtent(CUTKTabManager* manager)
{
    if (!m_pPaintManager->m_bShowTabs) {
        return 0;
    }
    const int rows = std::max(manager->GetRowIndexer()->GetRowCount(), 1);
    const CRect margin = GetHeaderMargin();
    int rowsTerm = rows * GetHeaderHeight(manager);
    if (m_pPaintManager->GetLayout() == layoutRotated) {
        for (int i = 0; i < manager->GetItemCount(); ++i) {
            rowsTerm = std::max(rowsTerm, manager->GetItem(i)->m_nLength);
        }
    }
    return margin.top + margin.bottom + rowsTerm + (rows - 1) * m_nRowMargin;
}

CRect PM::CAppearanceSet::GetHeaderRect(CRect client, CUTKTabManager* manager)
{
    const int extent = GetHeaderExtent(manager);
    CRect header = client;
    switch (manager->GetPosition()) {
    case positionLeft:
        header.right = header.left + extent;
        break;
    case positionBottom:
        header.top = header.bottom - extent;
        break;
    case positionRight:
        header.left = header.right - extent;
        break;
    default:
        header.bottom = header.top + extent;
        break;
    }
    return header;
}

CRect PM::CAppearanceSet::GetHeaderClipBox(CDC* dc, CUTKTabManager* manager)
{
    CRect clip;
    dc->GetClipBox(&clip);
    CRect result;
    const CRect header = manager->GetHeaderRect();
    (void)result.IntersectRect(&clip, &header);
    return result;
}

CRect PM::CAppearanceSet::GetClientRect(CRect client, CUTKTabManager* manager)
{
    if (!m_pPaintManager->m_bShowTabs) {
        return client;
    }
    const CRect header = GetHeaderRect(client, manager);
    switch (manager->GetPosition()) {
    case positionLeft:
        client.left = header.right - 1;
        break;
    case positionBottom:
        client.bottom = header.top + 1;
        break;
    case positionRight:
        client.right = header.left + 1;
        break;
    default:
        client.top = header.bottom - 1;
        break;
    }
    return client;
}

CRect PM::CAppearanceSet::GetClientMargin()
{
    return m_pPaintManager->m_rcClientMargin;
}

int PM::CAppearanceSet::GetButtonLength(CDC* dc, CUTKTabManagerItem* item)
{
    return m_pPaintManager->DrawSingleButton(dc, item, CRect(), FALSE);
}

int PM::CAppearanceSet::GetHeaderHeight(CUTKTabManager* manager)
{
    const CRect& im = m_pPaintManager->m_rcItemMargin;
    int height = im.top + im.bottom + m_nRowHeight;
    CSize minimum(0, 0);
    manager->GetItemMetrics(nullptr, &minimum, nullptr);
    height = std::max(height, static_cast<int>(minimum.cy));
    if (m_pPaintManager->m_bShowIcons) {
        CSize icon = m_pPaintManager->m_szIcon;
        (void)manager->DrawIcon(nullptr, CPoint(0, 0), nullptr, FALSE, icon);
        height = std::max(height, static_cast<int>(im.top + im.bottom +
                                                   std::max(icon.cx, icon.cy) + 4));
    }
    return height;
}

CRect PM::CAppearanceSet::GetButtonDrawRect(const CUTKTabManagerItem* item)
{
    CRect rect = item->m_rcItem;
    rect.InflateRect(2, 2);
    return rect;
}

void PM::CAppearanceSet::DrawTabControl(CUTKTabManager* manager, CDC* dc, CRect rect)
{
    m_pPaintManager->DrawTabStrip(manager, dc, rect);
}

CRect PM::CAppearanceSet::FillTabControl(CUTKTabManager* manager, CDC* dc, CRect rect)
{
    (void)manager;
    (void)dc;
    (void)rect;
    return CRect();
}

void PM::CAppearanceSet::RepositionTabControl(CUTKTabManager* manager, CDC* dc, CRect rect)
{
    m_pPaintManager->LayoutTabStrip(manager, dc, rect);
}

void PM::CAppearanceSet::AdjustClientRect(CUTKTabManager* manager, CRect& rect)
{
    const int position = manager->GetPosition();
    DeflateRectForTabPosition(rect, m_pPaintManager->m_rcControlMargin, position);
    rect = GetClientRect(rect, manager);
    DeflateRectForTabPosition(rect, GetClientMargin(), position);
    if (m_pPaintManager->m_nClientFrame == 0) {
        DeflateRectForTabPosition(rect, 2, 2, 2, 2, position);
    } else if (m_pPaintManager->m_nClientFrame == 1) {
        DeflateRectForTabPosition(rect, 0, 2, 0, 0, position);
    }
}

void PM::CAppearanceSet::DrawSingleButton(CDC* dc, CUTKTabManagerItem* item)
{
    (void)dc;
    (void)item;
}

void PM::CAppearanceSet::DrawWorkspacePart(CDC* dc, CRect* rect, int part)
{
    CColorSet* colors = m_pPaintManager->GetColorSet();
    const COLORREF headerFace = colors->m_clrHeaderFace.clrLight;
    if (!m_pPaintManager->m_bStaticFrame) {
        if (part == 1) {
            rect->InflateRect(2, 2);
        } else if (part == 2 || part == 3) {
            dc->FillSolidRect(rect, headerFace);
        }
        return;
    }
    switch (part) {
    case 0:
        dc->Draw3dRect(rect->left + 1, rect->top, rect->Width() - 2, rect->Height() - 1,
                       CColorSet::Sys(COLOR_BTNFACE), CColorSet::Sys(COLOR_BTNFACE));
        dc->Draw3dRect(rect, colors->m_clrFrameBorder, colors->m_clrFrameBorder);
        break;
    case 1:
        rect->top -= 1;
        break;
    case 2:
        dc->FillSolidRect(rect, headerFace);
        VerticalLine(dc, rect->right - 1, rect->top, rect->Height(), colors->m_clrFrameBorder);
        break;
    case 3:
        dc->FillSolidRect(rect, headerFace);
        HorizontalLine(dc, rect->left, rect->bottom - 1, rect->Width(), colors->m_clrFrameBorder);
        break;
    default:
        break;
    }
}

void PM::CAppearanceSet::DrawText(CDC* dc, CUTKTabManager* manager, const CString& text,
                                  CRect* rect, UINT format)
{
    (void)manager;
    dc->DrawText(text, rect, format);
}
