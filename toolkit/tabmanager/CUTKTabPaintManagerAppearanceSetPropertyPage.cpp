// The property-page appearance: raised tabs with a 3D edge in the colour set's highlight,
// shadow and dark shadow (an edge of colour -1 is left out, so a themed colour set that draws
// the tabs itself gets no edges), the selected tab larger and joined to the page.
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSet.h"

#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSet.h"

using PM = CUTKTabPaintManager;

namespace {

void Pixel(CDC* dc, int x, int y, COLORREF color)
{
    if (color != static_cast<COLORREF>(-1)) {
        dc->SetPixelV(x, y, color);
    }
}

}  // namespace

PM::CAppearanceSetPropertyPage::CAppearanceSetPropertyPage()
{
    m_rcHeaderMargin.SetRect(2, 3, 6, 0);
}

CRect PM::CAppearanceSetPropertyPage::GetClientMargin()
{
    CRect margin = CAppearanceSet::GetClientMargin();
    if (m_pPaintManager->GetColorSet()->IsAppThemed() && m_pPaintManager->m_nClientFrame == 0) {
        margin.right += 2;
        const int position = m_pPaintManager->GetPosition();
        if (position == positionTop || position == positionLeft) {
            margin.bottom += 2;
        }
    }
    return margin;
}

CRect PM::CAppearanceSetPropertyPage::GetHeaderClipBox(CDC* dc, CUTKTabManager* manager)
{
    CRect clip;
    dc->GetClipBox(&clip);
    CRect header = manager->GetHeaderRect();
    if (manager->GetPosition() == positionBottom) {
        header.top -= 1;
    } else if (manager->GetPosition() == positionRight) {
        header.left -= 1;
    }
    CRect result;
    (void)result.IntersectRect(&clip, &header);
    return result;
}

CRect PM::CAppearanceSetPropertyPage::FillTabControl(CUTKTabManager* manager, CDC* dc,
                                                     CRect rect)
{
    CColorSet* colors = m_pPaintManager->GetColorSet();
    const int position = manager->GetPosition();
    CRect header = GetHeaderRect(rect, manager);
    switch (position) {
    case positionLeft:
        header.right += 1;
        break;
    case positionBottom:
        header.top -= 1;
        break;
    case positionRight:
        header.left -= 1;
        break;
    default:
        header.bottom += 1;
        break;
    }
    colors->FillHeader(dc, header, manager);

    const CRect page = GetClientRect(rect, manager);
    const COLORREF h = colors->m_csPropertyPage3DHighlight;
    const COLORREF s = colors->m_csPropertyPage3DShadow;
    const COLORREF d = colors->m_csPropertyPage3DDarkShadow;
    constexpr COLORREF none = static_cast<COLORREF>(-1);
    if (m_pPaintManager->m_nClientFrame == 0) {
        (void)colors->FillClient(dc, page, manager);
        if (h != none && d != none) {
            dc->Draw3dRect(&page, h, d);
        }
        HorizontalLine(dc, page.left + 1, page.bottom - 2, page.Width() - 2, s);
        VerticalLine(dc, page.right - 2, page.top + 1, page.Height() - 2, s);
    } else if (m_pPaintManager->m_nClientFrame == 1) {
        switch (position) {
        case positionLeft:
            VerticalLine(dc, page.left, page.top, page.Height(), h);
            break;
        case positionBottom:
            HorizontalLine(dc, page.left, page.bottom - 1, page.Width(), d);
            HorizontalLine(dc, page.left, page.bottom - 2, page.Width(), s);
            break;
        case positionRight:
            VerticalLine(dc, page.right - 1, page.top, page.Height(), d);
            VerticalLine(dc, page.right - 2, page.top, page.Height(), s);
            break;
        default:
            HorizontalLine(dc, page.left, page.top, page.Width(), h);
            break;
        }
    }
    return header;
}

void PM::CAppearanceSetPropertyPage::DrawSingleButton(CDC* dc, CUTKTabManagerItem* item)
{
    CUTKTabManager* manager = item->GetTabManager();
    if (manager == nullptr) {
        return;
    }
    CColorSet* colors = m_pPaintManager->GetColorSet();
    const int position = manager->GetPosition();
    const BOOL selected = manager->GetSelectedItem() == item;
    CRect rect = item->m_rcItem;
    if (selected) {
        if (position == positionTop || position == positionLeft) {
            InflateRectForTabPosition(rect, 2, 2, 2, 0, position);
        } else {
            rect.InflateRect(2, 2);
        }
    }
    CRect face = rect;
    face.DeflateRect(1, 1);
    const COLORREF f = colors->FillPropertyButton(dc, face, item);
    const COLORREF h = colors->m_csPropertyPage3DHighlight;
    const COLORREF s = colors->m_csPropertyPage3DShadow;
    const COLORREF d = colors->m_csPropertyPage3DDarkShadow;
    const BOOL join = selected && item->m_nRow == 0;
    const int l = rect.left;
    const int t = rect.top;
    const int r = rect.right;
    const int b = rect.bottom;

    switch (position) {
    case positionLeft:
        HorizontalLine(dc, l + 2, t, r - (l + 2), h);
        Pixel(dc, l + 1, t + 1, h);
        VerticalLine(dc, l, t + 2, b - 2 - (t + 2), h);
        HorizontalLine(dc, l + 3, b - 1, r - (l + 3), d);
        HorizontalLine(dc, l + 3, b - 2, r - (l + 3), s);
        Pixel(dc, l + 2, b - 2, d);
        Pixel(dc, l + 2, b - 1, s);
        if (join) {
            VerticalLine(dc, r - 1, t + 1, rect.Height() - 3, f);
        }
        break;
    case positionBottom:
        VerticalLine(dc, l, t, b - 2 - t, h);
        Pixel(dc, l + 1, b - 1, h);
        HorizontalLine(dc, l + 2, b - 1, r - 2 - (l + 2), d);
        HorizontalLine(dc, l + 2, b - 2, r - 2 - (l + 2), s);
        Pixel(dc, r - 2, b - 1, d);
        VerticalLine(dc, r - 1, t, b - 2 - t, d);
        VerticalLine(dc, r - 2, t, b - 2 - t, s);
        if (join) {
            HorizontalLine(dc, l + 1, t, rect.Width() - 3, f);
        }
        rect.bottom += 2;
        break;
    case positionRight:
        HorizontalLine(dc, l, t, r - 2 - l, h);
        Pixel(dc, r - 1, t + 1, h);
        VerticalLine(dc, r - 1, t + 2, b - 1 - (t + 2), d);
        VerticalLine(dc, r - 2, t + 1, b - 1 - (t + 1), s);
        HorizontalLine(dc, l, b - 1, r - 1 - l, d);
        HorizontalLine(dc, l, b - 2, r - 2 - l, s);
        if (join) {
            VerticalLine(dc, l, t + 1, rect.Height() - 3, f);
        }
        rect.right += 2;
        break;
    default:
        VerticalLine(dc, l, t + 2, b - (t + 2), h);
        Pixel(dc, l + 1, t + 1, h);
        HorizontalLine(dc, l + 2, t, r - 2 - (l + 2), h);
        Pixel(dc, r - 2, t + 1, d);
        VerticalLine(dc, r - 1, t + 2, b - 1 - (t + 2), d);
        VerticalLine(dc, r - 2, t + 2, b - 1 - (t + 2), s);
        if (join) {
            HorizontalLine(dc, l + 1, b - 1, rect.Width() - 3, f);
        }
        break;
    }
    m_pPaintManager->DrawSingleButton(dc, item, rect, TRUE);
}
