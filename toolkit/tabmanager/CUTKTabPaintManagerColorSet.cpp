#include "toolkit/tabmanager/CUTKTabPaintManagerColorSet.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKDrawHelpers.h"
#include "toolkit/tabmanager/CUTKTabManager.h"

using PM = CUTKTabPaintManager;

namespace {

constexpr COLORREF kUnset = static_cast<COLORREF>(-1);
constexpr COLORREF kHalftone = static_cast<COLORREF>(-2);

}  // namespace

COLORREF PM::CColorSet::Sys(int index)
{
    return GetColorManager()->GetColor(index);
}

void PM::CColorSet::SetFurther(const COLORREF (&values)[6])
{
    for (int i = 0; i < 6; ++i) {
        m_clrFurther[i].SetStandardValue(values[i]);
        m_clrFurtherCopy[i].SetStandardValue(i < 3 ? values[i] : kUnset);
    }
}

void PM::CColorSet::RefreshMetrics()
{
    RefreshGlobalColors();
    m_clrHeaderFace.SetStandardValue(Sys(COLOR_BTNFACE), Sys(COLOR_BTNFACE));
    m_clrFrameBorder.SetStandardValue(Sys(COLOR_BTNSHADOW));
    m_clrControlFace.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrPageFace.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrButtonHighlight.SetStandardValue(Sys(COLOR_BTNHIGHLIGHT));
    const BOOL excel = m_pPaintManager != nullptr && m_pPaintManager->GetAppearance() == 7;
    m_clrButtonSelected.SetStandardValue(Sys(excel ? COLOR_WINDOW : COLOR_BTNFACE));
    m_clrButtonHighlighted.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrButtonPressed.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrButtonNormal.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrButtonText.SetStandardValue(Sys(COLOR_BTNTEXT));
    m_clrButtonTextInactive.SetStandardValue(Sys(COLOR_BTNTEXT));
    m_clrSelectedText.SetStandardValue(Sys(COLOR_BTNTEXT));
    m_clrHighlightText.SetStandardValue(RGB(0, 0, 128));
    m_clrDisabledText.SetStandardValue(Sys(COLOR_GRAYTEXT));
    m_clrStateSelectedFill.SetStandardValue(Sys(COLOR_WINDOW), Sys(COLOR_WINDOW));
    m_clrStateSelectedBorder.SetStandardValue(Sys(COLOR_HIGHLIGHT), Sys(COLOR_HIGHLIGHT));
    m_csPropertyPage3DHighlight.SetStandardValue(Sys(COLOR_BTNHIGHLIGHT));
    m_csPropertyPage3DShadow.SetStandardValue(Sys(COLOR_BTNSHADOW));
    m_csPropertyPage3DDarkShadow.SetStandardValue(Sys(COLOR_3DDKSHADOW));
    m_clrTabBorder.SetStandardValue(Sys(COLOR_BTNSHADOW));
    m_clrPageBorder.SetStandardValue(Sys(COLOR_BTNSHADOW));
    m_clrTabLightEdge.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrTabLightEdge2.SetStandardValue(Sys(COLOR_BTNFACE));
    SetFurther({Sys(COLOR_BTNTEXT), Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNTEXT), kUnset, kUnset,
                kUnset});
    m_clrAutoHideFace = m_clrHeaderFace;
}

void PM::CColorSet::SetTextColor(CDC* dc, CUTKTabManagerItem* item)
{
    CUTKTabManager* manager = item->GetTabManager();
    COLORREF color = m_clrButtonText;
    if (!item->IsEnabled()) {
        color = m_clrDisabledText;
    } else if (manager != nullptr && !manager->IsActive()) {
        color = m_clrButtonTextInactive;
    } else if (item->IsSelected()) {
        color = m_clrSelectedText;
    } else if (item->IsHot()) {
        color = m_clrHighlightText;
    }
    dc->SetTextColor(color);
}

void PM::CColorSet::GradientFill(CDC* dc, CRect rect, COLORREF first, COLORREF second,
                                 int position)
{
    if (rect.IsRectEmpty()) {
        return;
    }
    if (first == kHalftone) {
        const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        CBitmap pattern;
        CBrush brush;
        if (!pattern.CreateBitmap(8, 8, 1, 1, rows) || !brush.CreatePatternBrush(&pattern)) {
            return;
        }
        const COLORREF oldBack = dc->SetBkColor(Sys(COLOR_BTNFACE));
        const COLORREF oldText = dc->SetTextColor(Sys(COLOR_BTNHIGHLIGHT));
        HGDIOBJ old = ::SelectObject(dc->m_hDC, brush.m_hObject);
        dc->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATCOPY);
        ::SelectObject(dc->m_hDC, old);
        dc->SetBkColor(oldBack);
        dc->SetTextColor(oldText);
        return;
    }
    BOOL swap = position == positionBottom || position == positionRight;
    if (m_pPaintManager != nullptr && m_pPaintManager->m_bInvertGradient) {
        swap = !swap;
    }
    if (swap) {
        std::swap(first, second);
    }
    const BOOL horizontal = position == positionLeft || position == positionRight;
    GetDrawHelpers()->GradientFill(dc, &rect, first, second, horizontal);
}

void PM::CColorSet::FillHeader(CDC* dc, CRect rect, CUTKTabManager* manager)
{
    const COLORREF face = Sys(COLOR_BTNFACE);
    if (m_clrHeaderFace.clrLight.GetColor() == face && m_clrHeaderFace.clrDark.GetColor() == face &&
        manager->DrawParentBackground(dc, rect)) {
        return;
    }
    GradientFill(dc, rect, m_clrHeaderFace.clrLight, m_clrHeaderFace.clrDark,
                 manager->GetPosition());
}

COLORREF PM::CColorSet::FillClient(CDC* dc, CRect rect, CUTKTabManager* manager)
{
    CUTKTabManagerItem* selected = manager->GetSelectedItem();
    const COLORREF color = selected != nullptr ? GetItemColor(selected)
                                               : m_clrButtonSelected.GetColor();
    dc->FillSolidRect(&rect, color);
    return color;
}

void PM::CColorSet::FillStateButton(CDC* dc, CRect rect, CUTKTabManagerItem* item)
{
    CUTKTabManager* manager = item->GetTabManager();
    const int position = manager != nullptr ? manager->GetPosition() : positionTop;
    if (item->IsSelected()) {
        if (m_pPaintManager != nullptr && m_pPaintManager->m_bOneNoteColors) {
            dc->FillSolidRect(&rect, item->GetColor());
        } else {
            GradientFill(dc, rect, m_clrStateSelectedFill.clrLight, m_clrStateSelectedFill.clrDark,
                         position);
        }
        dc->Draw3dRect(&rect, m_clrStateSelectedBorder.clrLight, m_clrStateSelectedBorder.clrDark);
        return;
    }
    if (position == positionTop || position == positionBottom) {
        dc->Draw3dRect(rect.right - 2, rect.top + 2, 2, rect.Height() - 4, Sys(COLOR_BTNSHADOW),
                       Sys(COLOR_BTNHIGHLIGHT));
    } else {
        dc->Draw3dRect(rect.left + 2, rect.bottom - 2, rect.Width() - 4, 2, Sys(COLOR_BTNSHADOW),
                       Sys(COLOR_BTNHIGHLIGHT));
    }
}

COLORREF PM::CColorSet::FillPropertyButton(CDC* dc, CRect rect, CUTKTabManagerItem* item)
{
    const COLORREF color = GetItemColor(item);
    dc->FillSolidRect(&rect, color);
    return color;
}

void PM::CColorSet::AdjustHeaderClip(CDC* dc, CRect rect, CUTKTabManager* manager)
{
    (void)dc;
    (void)rect;
    (void)manager;
}

COLORREF PM::CColorSet::GetItemColor(CUTKTabManagerItem* item)
{
    if (m_pPaintManager != nullptr && m_pPaintManager->m_bOneNoteColors) {
        return item->GetColor();
    }
    return item->IsSelected() ? m_clrButtonSelected.GetColor() : m_clrButtonNormal.GetColor();
}

void PM::CColorSetDefault::RefreshMetrics()
{
    CColorSet::RefreshMetrics();
    m_clrStateSelectedFill.SetStandardValue(kHalftone, kHalftone);
    m_clrStateSelectedBorder.SetStandardValue(Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
    SetFurther({Sys(COLOR_BTNTEXT), Sys(COLOR_BTNTEXT), Sys(COLOR_BTNTEXT), Sys(COLOR_WINDOW),
                Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW)});
    if (m_pPaintManager != nullptr && m_pPaintManager->GetAppearance() == 7) {
        m_clrButtonSelected.SetStandardValue(Sys(COLOR_BTNFACE));
        m_clrButtonNormal.SetStandardValue(Sys(COLOR_WINDOW));
        m_clrFrameBorder.SetStandardValue(Sys(COLOR_BTNTEXT));
    }
}

void PM::CColorSetDefault::FillNavigateButton(CDC* dc, CUTKTabManagerNavigateButton* button,
                                              CRect& rect)
{
    if (button->IsEnabled()) {
        if (button->IsPressed()) {
            dc->Draw3dRect(&rect, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
            rect.OffsetRect(1, 1);
        } else if (button->IsHot()) {
            dc->Draw3dRect(&rect, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
        }
    }
    dc->SetTextColor(Sys(COLOR_BTNTEXT));
}
