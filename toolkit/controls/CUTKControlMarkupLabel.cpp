// The markup label: parse on caption change, measure without limits, render in the control
// rectangle with the bar's text colour for its enabled state.
#include "toolkit/controls/CUTKControlMarkupLabel.h"

#include <climits>

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/controls/SpecialControlCustomize.h"
#include "toolkit/markup/Markup.h"
#include "toolkit/themes/CUTKPaintManager.h"

IMPLEMENT_SERIAL(CUTKControlMarkupLabel, CUTKControl, kUtkControlSchema)

CUTKControlMarkupLabel::CUTKControlMarkupLabel()
{
    m_controlType = utkControlLabel;
    m_flags = utkFlagSkipFocus | utkFlagNoUpdate | utkFlagNoMovable;
}

CUTKControlMarkupLabel::~CUTKControlMarkupLabel() { ReleaseMarkup(); }

void CUTKControlMarkupLabel::ReleaseMarkup()
{
    MarkupReleaseElement(&m_pMarkupElement);
    MarkupReleaseContext(&m_pMarkupContext);
}

int CUTKControlMarkupLabel::GetSelected() const { return utkSelectedNone; }

void CUTKControlMarkupLabel::OnClick(BOOL keyboard, CPoint pt)
{
    SpecialControlCustomize::OnClick(this, keyboard, pt);
}

void CUTKControlMarkupLabel::OnCaptionChanged()
{
    CUTKControl::OnCaptionChanged();
    ReleaseMarkup();
    m_pMarkupContext = MarkupCreateContext(nullptr);
    m_pMarkupElement = MarkupParseText(m_pMarkupContext, GetCaption());
    if (m_pMarkupElement == nullptr)
        MarkupReleaseContext(&m_pMarkupContext);
}

HFONT CUTKControlMarkupLabel::GetLabelFont() const
{
    CUTKPaintManager* paintManager = GetPaintManager();
    if (paintManager != nullptr && paintManager->m_fontRegular.GetSafeHandle() != nullptr)
        return static_cast<HFONT>(paintManager->m_fontRegular.GetSafeHandle());
    return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

CSize CUTKControlMarkupLabel::GetSize(CDC* pDC)
{
    if (m_pMarkupElement == nullptr)
        return CUTKControl::GetSize(pDC);
    MarkupSetDefaultFont(m_pMarkupContext, GetLabelFont(), static_cast<COLORREF>(-1));
    const SIZE size = MarkupMeasureElement(m_pMarkupElement, INT_MAX, INT_MAX);
    return CSize(size.cx, size.cy);
}

void CUTKControlMarkupLabel::Draw(CDC* pDC)
{
    if (m_pMarkupElement == nullptr) {
        CUTKControl::Draw(pDC);
        return;
    }
    COLORREF textColor = static_cast<COLORREF>(-1);
    if (CUTKPaintManager* paintManager = GetPaintManager()) {
        const int barType = m_parent != nullptr ? m_parent->GetType() : 0;
        const int barPosition = m_parent != nullptr ? m_parent->GetPosition() : 0;
        textColor = paintManager->GetRectangleTextColor(FALSE, FALSE, GetEnabled(), FALSE, FALSE,
                                                        barType, barPosition);
    }
    MarkupSetDefaultFont(m_pMarkupContext, GetLabelFont(), textColor);
    MarkupRenderElement(m_pMarkupElement, pDC->GetSafeHdc(), &m_rcControl);
}
