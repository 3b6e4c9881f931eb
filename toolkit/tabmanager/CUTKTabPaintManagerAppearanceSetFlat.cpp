// The appearances with rectangular tabs beside the property page: the selected-only property
// page, flat tabs (square and with rounded outer corners), push-button tabs and the Visual
// Studio look with its framed selected tab.
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSets.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSet.h"
#include "toolkit/tabmanager/TabOutline.h"

using PM = CUTKTabPaintManager;

namespace {

// The page frame of the flat family: all round with client frame 0, the tab side only with 1.
void FramePage(CDC* dc, const CRect& page, int clientFrame, int position, COLORREF nearColor,
               COLORREF farColor)
{
    if (clientFrame == 0) {
        PM::HorizontalLine(dc, page.left, page.top, page.Width(), nearColor);
        PM::VerticalLine(dc, page.left, page.top, page.Height(), nearColor);
        PM::HorizontalLine(dc, page.left, page.bottom - 1, page.Width(), farColor);
        PM::VerticalLine(dc, page.right - 1, page.top, page.Height(), farColor);
    } else if (clientFrame == 1) {
        PM::DrawSingleLineBorder(dc, page, position, nearColor, farColor);
    }
}

BOOL IsSelectedItem(CUTKTabManagerItem* item)
{
    CUTKTabManager* manager = item->GetTabManager();
    return manager != nullptr && manager->GetSelectedItem() == item;
}

}  // namespace

void PM::CAppearanceSetPropertyPageSelected::DrawSingleButton(CDC* dc, CUTKTabManagerItem* item)
{
    if (IsSelectedItem(item) || item->IsHot()) {
        CAppearanceSetPropertyPage::DrawSingleButton(dc, item);
        return;
    }
    m_pPaintManager->DrawSingleButton(dc, item, item->m_rcItem, TRUE);
}

PM::CAppearanceSetFlat::CAppearanceSetFlat()
{
    m_rcHeaderMargin.SetRect(2, 2, 4, 0);
}

CRect PM::CAppearanceSetFlat::FlatTabRect(const CUTKTabManagerItem* item, int position)
{
    CRect rect = item->m_rcItem;
    const BOOL selected = item->GetTabManager() != nullptr &&
                          item->GetTabManager()->GetSelectedItem() == item;
    InflateRectForTabPosition(rect, 0, 0, 1, selected ? 1 : 0, position);
    return rect;
}

CRect PM::CAppearanceSetFlat::FillTabControl(CUTKTabManager* manager, CDC* dc, CRect rect)
{
    CColorSet* colors = m_pPaintManager->GetColorSet();
    const CRect header = GetHeaderRect(rect, manager);
    colors->FillHeader(dc, header, manager);
    const CRect page = GetClientRect(rect, manager);
    if (m_pPaintManager->m_nClientFrame == 0) {
        (void)colors->FillClient(dc, page, manager);
    }
    FramePage(dc, page, m_pPaintManager->m_nClientFrame, manager->GetPosition(),
              colors->m_clrFrameBorder, colors->m_clrFrameBorder);
    return header;
}

void PM::CAppearanceSetFlat::DrawSingleButton(CDC* dc, CUTKTabManagerItem* item)
{
    const int position = m_pPaintManager->GetPosition();
    const CRect rect = FlatTabRect(item, position);
    CColorSet* colors = m_pPaintManager->GetColorSet();
    (void)colors->FillPropertyButton(dc, rect, item);
    const COLORREF border = colors->m_clrFrameBorder;
    const TabOutline tab(rect, position);
    const int l = tab.Length();
    const int d = tab.Depth();
    if (IsSelectedItem(item)) {
        // Open towards the page: the face covers the page's frame under the tab.
        tab.PolyLine(dc, border, {{0, d - 2}, {0, 0}, {l - 1, 0}, {l - 1, d - 2}});
    } else {
        tab.PolyLine(dc, border, {{0, d - 1}, {0, 0}, {l - 1, 0}, {l - 1, d - 1}, {0, d - 1}});
    }
    m_pPaintManager->DrawSingleButton(dc, item, item->m_rcItem, TRUE);
}

PM::CAppearanceSetPropertyPageFlat::CAppearanceSetPropertyPageFlat()
{
    m_rcHeaderMargin.SetRect(2, 2, 4, 0);
}

void PM::CAppearanceSetPropertyPageFlat::DrawSingleButton(CDC* dc, CUTKTabManagerItem* item)
{
    const int position = m_pPaintManager->GetPosition();
    const CRect rect = FlatTabRect(item, position);
    CColorSet* colors = m_pPaintManager->GetColorSet();
    const BOOL selected = IsSelectedItem(item);

    // Only the outer corners are round: the round rectangle reaches past the page side and is
    // cut back to the tab.
    CRect reach = rect;
    InflateRectForTabPosition(reach, 0, 0, 0, 6, position);
    CRgn round;
    CRgn shape;
    if (!round.CreateRoundRectRgn(reach.left, reach.top, reach.right + 1, reach.bottom + 1, 6,
                                  6) ||
        !shape.CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom)) {
        return;
    }
    ::CombineRgn(static_cast<HRGN>(shape.m_hObject), static_cast<HRGN>(shape.m_hObject),
                 static_cast<HRGN>(round.m_hObject), RGN_AND);

    COLORREF face = colors->GetItemColor(item);
    const int saved = dc->SaveDC();
    if (saved != 0) {
        POINT origin = {0, 0};
        ::LPtoDP(dc->m_hDC, &origin, 1);
        CRgn clip;
        if (clip.CreateRectRgn(0, 0, 0, 0)) {
            ::CombineRgn(static_cast<HRGN>(clip.m_hObject), static_cast<HRGN>(shape.m_hObject),
                         nullptr, RGN_COPY);
            ::OffsetRgn(static_cast<HRGN>(clip.m_hObject), origin.x, origin.y);
            ::ExtSelectClipRgn(dc->m_hDC, static_cast<HRGN>(clip.m_hObject), RGN_AND);
        }
        if (m_bGradientFace) {
            colors->GradientFill(dc, rect, CUTKColorManager::MixColors(face, RGB(255, 255, 255), 30),
                                 face, position);
        } else {
            face = colors->FillPropertyButton(dc, rect, item);
        }
        dc->RestoreDC(saved);
    }
    if (m_bDrawFrame) {
        CBrush border;
        if (border.CreateSolidBrush(colors->m_clrFrameBorder)) {
            ::FrameRgn(dc->m_hDC, static_cast<HRGN>(shape.m_hObject),
                       static_cast<HBRUSH>(border.m_hObject), 1, 1);
        }
        if (selected && face != static_cast<COLORREF>(-1)) {
            const TabOutline tab(rect, position);
            tab.PolyLine(dc, face, {{1, tab.Depth() - 2}, {tab.Length() - 2, tab.Depth() - 2}});
            tab.PolyLine(dc, face, {{1, tab.Depth() - 1}, {tab.Length() - 2, tab.Depth() - 1}});
        }
    }
    m_pPaintManager->DrawSingleButton(dc, item, item->m_rcItem, TRUE);
}

PM::CAppearanceSetStateButtons::CAppearanceSetStateButtons()
{
    m_rcHeaderMargin.SetRect(2, 2, 4, 2);
    m_nRowMargin = 0;
}

CRect PM::CAppearanceSetStateButtons::FillTabControl(CUTKTabManager* manager, CDC* dc,
                                                     CRect rect)
{
    const CRect header = GetHeaderRect(rect, manager);
    m_pPaintManager->GetColorSet()->FillHeader(dc, header, manager);
    return header;
}

void PM::CAppearanceSetStateButtons::DrawSingleButton(CDC* dc, CUTKTabManagerItem* item)
{
    m_pPaintManager->GetColorSet()->FillStateButton(dc, item->m_rcItem, item);
    m_pPaintManager->DrawSingleButton(dc, item, item->m_rcItem, TRUE);
}

PM::CAppearanceSetVisualStudio::CAppearanceSetVisualStudio()
{
    m_rcHeaderMargin.SetRect(4, 2, 4, 0);
}

CRect PM::CAppearanceSetVisualStudio::FillTabControl(CUTKTabManager* manager, CDC* dc,
                                                     CRect rect)
{
    CColorSet* colors = m_pPaintManager->GetColorSet();
    const CRect header = GetHeaderRect(rect, manager);
    colors->FillHeader(dc, header, manager);
    const CRect page = GetClientRect(rect, manager);
    if (m_pPaintManager->m_nClientFrame == 0) {
        (void)colors->FillClient(dc, page, manager);
    }
    FramePage(dc, page, m_pPaintManager->m_nClientFrame, manager->GetPosition(),
              colors->m_clrButtonHighlight, colors->m_clrSelectedText);
    return header;
}

void PM::CAppearanceSetVisualStudio::DrawSingleButton(CDC* dc, CUTKTabManagerItem* item)
{
    CColorSet* colors = m_pPaintManager->GetColorSet();
    const int position = m_pPaintManager->GetPosition();
    CRect rect = item->m_rcItem;
    if (IsSelectedItem(item)) {
        InflateRectForTabPosition(rect, 0, 0, 0, 1, position);
        (void)colors->FillPropertyButton(dc, rect, item);
        const COLORREF light = colors->m_clrButtonHighlight;
        const COLORREF dark = colors->m_clrSelectedText;
        // Light at the top and left, dark at the bottom and right, open towards the page.
        if (position != positionBottom) {
            HorizontalLine(dc, rect.left, rect.top, rect.Width(), light);
        }
        if (position != positionRight) {
            VerticalLine(dc, rect.left, rect.top, rect.Height(), light);
        }
        if (position != positionTop) {
            HorizontalLine(dc, rect.left, rect.bottom - 1, rect.Width(), dark);
        }
        if (position != positionLeft) {
            VerticalLine(dc, rect.right - 1, rect.top, rect.Height(), dark);
        }
    } else if (position == positionTop || position == positionBottom) {
        VerticalLine(dc, rect.right - 1, rect.top + 2, rect.Height() - 4,
                     colors->m_clrFrameBorder);
    } else {
        HorizontalLine(dc, rect.left + 2, rect.bottom - 1, rect.Width() - 4,
                       colors->m_clrFrameBorder);
    }
    m_pPaintManager->DrawSingleButton(dc, item, item->m_rcItem, TRUE);
}
