// The hyperlink control: text extent in the bar's regular font, state colours, and the shell
// opening the tooltip text.
#include "toolkit/controls/CUTKControlHyperlink.h"

#include <windows.h>
#include <shellapi.h>

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKFontDC.h"
#include "toolkit/controls/SpecialControlCustomize.h"
#include "toolkit/themes/CUTKPaintManager.h"

IMPLEMENT_SERIAL(CUTKControlHyperlink, CUTKControl, kUtkControlSchema)

CUTKControlHyperlink::CUTKControlHyperlink()
    : m_hHandCursor(::LoadCursorW(nullptr, IDC_HAND))
{
}

void CUTKControlHyperlink::OnExecute()
{
    const CString target = m_tooltipText;
    if (target.IsEmpty())
        return;
    ::ShellExecuteW(nullptr, L"open", target, nullptr, nullptr, SW_SHOWNORMAL);
}

CFont* CUTKControlHyperlink::GetLinkFont() const
{
    CUTKPaintManager* paintManager = GetPaintManager();
    if (paintManager != nullptr && paintManager->m_fontRegular.GetSafeHandle() != nullptr)
        return &paintManager->m_fontRegular;
    return CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

COLORREF CUTKControlHyperlink::GetLinkColor() const
{
    if (!GetEnabled())
        return GetColorManager()->GetColor(COLOR_GRAYTEXT);
    return GetSelected() != utkSelectedNone ? RGB(255, 0, 0) : RGB(0, 0, 255);
}

CSize CUTKControlHyperlink::GetSize(CDC* pDC)
{
    // Measured on the screen when no DC is given.
    CDC screen;
    if (pDC == nullptr) {
        if (!screen.Attach(::GetDC(nullptr)))
            return CSize(0, 0);
        pDC = &screen;
    }
    CSize size;
    {
        CUTKFontDC font(pDC, GetLinkFont());
        const CString caption = GetCaption();
        size = pDC->GetTextExtent(caption, caption.GetLength());
    }
    if (pDC == &screen)
        ::ReleaseDC(nullptr, screen.Detach());
    return size;
}

void CUTKControlHyperlink::Draw(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    CUTKFontDC font(pDC, GetLinkFont());
    const COLORREF oldColor = pDC->SetTextColor(GetLinkColor());
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rc = m_rcControl;
    const UINT flags = DT_SINGLELINE | DT_NOPREFIX;
    CUTKPaintManager* paintManager = GetPaintManager();
    if (paintManager != nullptr)
        paintManager->DrawComposedText(pDC, GetCaption(), rc, flags, IsInRibbonCaption());
    else
        pDC->DrawText(GetCaption(), &rc, flags);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
}

void CUTKControlHyperlink::OnClick(BOOL keyboard, CPoint pt)
{
    if (SpecialControlCustomize::OnClick(this, keyboard, pt))
        return;
    OnExecute();
}

void CUTKControlHyperlink::OnMouseMove(CPoint /*point*/)
{
    if (m_hHandCursor != nullptr)
        ::SetCursor(m_hHandCursor);
}
