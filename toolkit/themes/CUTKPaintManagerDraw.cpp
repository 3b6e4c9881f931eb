// Caption text of controls as every theme draws it: mnemonics shown or hidden by the keyboard
// cues, embossed disabled text, one- and two-line captions with their popup glyphs, and the
// caption layout of icon-and-text toolbar buttons. The dispatch of DrawControl lives here too.
#include "toolkit/themes/CUTKPaintManager.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/common/CUTKFontDC.h"
#include "toolkit/controls/CUTKControl.h"

#include <algorithm>

namespace {

// Whether a control's caption is drawn enabled: split-button popups use 4 (arrow part
// disabled) and 5 (button part disabled); which of them disables the caption depends on
// whether the arrow sits below (style 4) or beside it.
BOOL IsCaptionEnabled(CUTKControl* control)
{
    const int enabled = control->GetEnabled();
    if (enabled == 0) {
        return FALSE;
    }
    if (control->GetType() == utkControlSplitButtonPopup) {
        if (enabled == 5 || (enabled == 4 && control->GetStyle() == utkButtonIconAndCaptionBelow)) {
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

CSize CUTKPaintManager::DrawControl(CDC* pDC, CUTKControl* pControl, BOOL bDraw)
{
    if (pDC == nullptr || pControl == nullptr) {
        return CSize(0, 0);
    }
    const int type = pControl->GetType();
    if (type == utkControlEdit || type == utkControlComboBox) {
        // The field classes come later; until then fields are measured and labelled from the
        // control base.
        return DrawControlField(pDC, pControl, bDraw, type == utkControlComboBox);
    }
    // The slots set text colours and modes as they go; the caller gets its DC back as it was.
    const HDC dc = pDC->GetSafeHdc();
    const COLORREF oldText = ::GetTextColor(dc);
    const COLORREF oldBk = ::GetBkColor(dc);
    const int oldMode = ::GetBkMode(dc);
    CUTKCommandBar* bar = pControl->GetParent();
    const CSize size = bar != nullptr && bar->GetType() == kBarTypePopup
                           ? DrawControlPopupParent(pDC, pControl, bDraw)
                           : DrawControlToolBarParent(pDC, pControl, bDraw);
    ::SetBkMode(dc, oldMode);
    ::SetBkColor(dc, oldBk);
    ::SetTextColor(dc, oldText);
    return size;
}

BOOL CUTKPaintManager::IsKeyboardCuesShown(CUTKControl* pControl) const
{
    if (m_nShowKeyboardCues >= 0) {
        return m_nShowKeyboardCues > 0;
    }
    CUTKCommandBar* bar = pControl != nullptr ? pControl->GetParent() : nullptr;
    return bar != nullptr && bar->IsKeyboardCuesVisible();
}

void CUTKPaintManager::DrawControlCaption(CDC* pDC, CUTKControl* pControl, const CString& caption,
                                          const CString& captionNoMnemonics, CRect rc,
                                          BOOL bVert, BOOL bCentered)
{
    const BOOL enabled = pControl->GetEnabled() != 0;
    const BOOL cues = IsKeyboardCuesShown(pControl);
    UINT flags = DT_SINGLELINE | (bCentered ? DT_CENTER : 0);
    if (bVert) {
        flags |= DT_NOCLIP | DT_NOPREFIX;
    }
    if (!enabled && m_bEmbossedDisabledText) {
        const COLORREF old = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
        CRect rcEmboss = rc;
        rcEmboss.OffsetRect(1, 1);
        pDC->DrawText(captionNoMnemonics, rcEmboss, flags | DT_NOPREFIX | DT_VCENTER);
        pDC->SetTextColor(old);
    }
    if (bVert) {
        pDC->DrawText(captionNoMnemonics, rc, flags);
        return;
    }
    const BOOL composited = pControl->IsInRibbonCaption();
    if (cues) {
        DrawComposedText(pDC, caption, rc, flags | DT_VCENTER, composited);
    } else {
        DrawComposedText(pDC, captionNoMnemonics, rc, flags | DT_NOPREFIX | DT_VCENTER,
                         composited);
    }
}

int CUTKPaintManager::DrawControlText(CDC* pDC, const CString& text, CRect& rc, UINT flags,
                                      BOOL bDraw, BOOL bSelected, BOOL bEnabled)
{
    if (!bDraw) {
        // Ellipsis flags would fit the text to the empty rectangle instead of measuring it.
        const UINT measure = flags & ~(DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
        return pDC->DrawText(text, rc, measure | DT_CALCRECT | DT_SINGLELINE);
    }
    if (!bSelected && !bEnabled && m_bEmbossedDisabledText) {
        const COLORREF old = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
        CRect rcEmboss = rc;
        rcEmboss.OffsetRect(1, 1);
        pDC->DrawText(text, rcEmboss, flags | DT_SINGLELINE | DT_VCENTER);
        pDC->SetTextColor(old);
    }
    return pDC->DrawText(text, rc, flags | DT_SINGLELINE | DT_VCENTER);
}

void CUTKPaintManager::DrawComposedText(CDC* pDC, const CString& text, CRect rc, UINT flags,
                                        BOOL bComposited)
{
    if (!bComposited) {
        pDC->DrawText(text, rc, flags);
        return;
    }
    CUTKWinThemeWrapper globals;
    globals.OpenThemeData(nullptr, L"GLOBALS");
    if (!globals.IsAppThemed()) {
        pDC->DrawText(text, rc, flags);
        return;
    }
    BP_PAINTPARAMS params = {};
    params.cbSize = sizeof(params);
    HDC bufferDC = nullptr;
    HPAINTBUFFER buffer = globals.BeginBufferedPaint(pDC->GetSafeHdc(), &rc,
                                                     BPBF_TOPDOWNDIB, &params, &bufferDC);
    if (buffer == nullptr || bufferDC == nullptr) {
        pDC->DrawText(text, rc, flags);
        return;
    }
    ::BitBlt(bufferDC, rc.left, rc.top, rc.Width(), rc.Height(), pDC->GetSafeHdc(), rc.left,
             rc.top, SRCCOPY);
    HGDIOBJ oldFont = ::SelectObject(bufferDC, ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT));
    DTTOPTS options = {};
    options.dwSize = sizeof(options);
    options.dwFlags = DTT_COMPOSITED | DTT_TEXTCOLOR;
    options.crText = pDC->GetTextColor();
    globals.DrawThemeTextEx(bufferDC, 0, 0, text, text.GetLength(), flags, &rc, &options);
    ::SelectObject(bufferDC, oldFont);
    globals.EndBufferedPaint(buffer, TRUE);
}

CSize CUTKPaintManager::DrawControlCaptionText(CDC* pDC, CUTKControl* pControl, CRect rc,
                                               BOOL bDraw, BOOL bVert, BOOL bCentered,
                                               BOOL bPopupGlyph)
{
    const CString caption = pControl->GetCaption();
    CString plain = caption;
    StripMnemonics(plain);
    const CSize text = pDC->GetTextExtent(plain.IsEmpty() ? CString(L" ") : plain);
    if (!bDraw) {
        CSize size = text;
        if (bPopupGlyph) {
            size.cx += 8 + (m_nCaptionOption == 0 ? 2 : 0);
        }
        return bVert ? CSize(size.cy, size.cx) : size;
    }
    const int length = text.cx + (bPopupGlyph ? 5 : 0);
    const BOOL selected = pControl->GetSelected() != 0;
    const BOOL popuped = pControl->IsPopupOpen();
    const BOOL enabled = pControl->GetEnabled() != 0;
    if (!bVert) {
        if (bCentered) {
            rc.left += (rc.Width() - length) / 2;
        }
        DrawControlCaption(pDC, pControl, caption, plain, rc, FALSE, FALSE);
        if (bPopupGlyph) {
            DrawControlPopupGlyph(pDC, pControl,
                                  CPoint(rc.left + length, (rc.top + rc.bottom) / 2), selected,
                                  popuped, enabled, FALSE);
        }
    } else {
        // Text turned to run downward: its cell extends to the left of the start point.
        const int x = rc.right - (rc.right - text.cy - rc.left + 1) / 2;
        int top = rc.top;
        if (bCentered) {
            top += (rc.Height() - length + 1) / 2;
        }
        DrawControlCaption(pDC, pControl, caption, plain, CRect(x, top, x + text.cy, rc.bottom),
                           TRUE, FALSE);
        if (bPopupGlyph) {
            DrawControlPopupGlyph(pDC, pControl, CPoint((rc.left + rc.right) / 2, top + length - 1),
                                  selected, popuped, enabled, TRUE);
        }
    }
    return bVert ? CSize(text.cy, text.cx) : text;
}

BOOL CUTKPaintManager::SplitCaption(const CString& caption, CString& line1, CString& line2)
{
    line1 = caption;
    line2.Empty();
    const int length = caption.GetLength();
    if (length < 4 || caption[0] == L' ') {
        return FALSE;
    }
    const int middle = length / 2;
    const int steps = length / 2 - 1;
    for (int i = 0; i < steps; ++i) {
        for (int pos : {middle - i, middle + i}) {
            if (pos > 0 && pos < length && caption[pos] == L' ') {
                line1 = caption.Left(pos);
                line2 = caption.Mid(pos + 1);
                return TRUE;
            }
        }
    }
    return FALSE;
}

CSize CUTKPaintManager::DrawTwoLineControlText(CDC* pDC, CUTKControl* pControl, CRect rc,
                                               BOOL bDraw, BOOL bVert, BOOL bPopupGlyph)
{
    CString line1;
    CString line2;
    if (m_bTwoLineCaptions) {
        SplitCaption(pControl->GetCaption(), line1, line2);
    } else {
        line1 = pControl->GetCaption();
    }
    CString plain1 = line1;
    CString plain2 = line2;
    StripMnemonics(plain1);
    StripMnemonics(plain2);
    const int w1 = plain1.IsEmpty() ? 0 : pDC->GetTextExtent(plain1).cx;
    const int w2 = plain2.IsEmpty() ? 0 : pDC->GetTextExtent(plain2).cx;
    if (!bDraw) {
        const int width = std::max(w1, w2 + (bPopupGlyph ? 8 : 0));
        return bVert ? CSize(24, width) : CSize(width, 24);
    }
    const BOOL selected = pControl->GetSelected() != 0;
    const BOOL popuped = pControl->IsPopupOpen();
    const BOOL enabled = pControl->GetEnabled() != 0;
    const int g = bPopupGlyph ? 9 : 0;
    if (!bVert) {
        const int mid = (rc.top + rc.bottom) / 2;
        DrawControlCaption(pDC, pControl, line1, plain1, CRect(rc.left, rc.top, rc.right, mid + 1),
                           FALSE, TRUE);
        const int x = rc.left + (rc.Width() - w2 - g) / 2;
        if (!line2.IsEmpty()) {
            DrawControlCaption(pDC, pControl, line2, plain2, CRect(x, mid, rc.right, rc.bottom),
                               FALSE, FALSE);
        }
        if (bPopupGlyph) {
            const CPoint pt = line2.IsEmpty() ? CPoint((rc.left + rc.right) / 2 - 1,
                                                       (mid + rc.bottom) / 2)
                                              : CPoint(x + w2 + 5, (mid + rc.bottom) / 2);
            DrawControlPopupGlyph(pDC, pControl, pt, selected, popuped, enabled, FALSE);
        }
    } else {
        // Turned across the width: the first line at the right (the top of downward text).
        const int mid = (rc.left + rc.right) / 2;
        const int h = pDC->GetTextExtent(L" ").cy;
        DrawControlCaption(pDC, pControl, line1, plain1,
                           CRect(rc.right - (rc.right - mid - h) / 2, rc.top + (rc.Height() - w1) / 2,
                                 rc.right, rc.bottom),
                           TRUE, FALSE);
        const int y = rc.top + (rc.Height() - w2 - g) / 2;
        if (!line2.IsEmpty()) {
            DrawControlCaption(pDC, pControl, line2, plain2,
                               CRect(mid - (mid - rc.left - h) / 2, y, mid, rc.bottom), TRUE,
                               FALSE);
        }
        if (bPopupGlyph) {
            const CPoint pt = line2.IsEmpty() ? CPoint((rc.left + mid) / 2, (rc.top + rc.bottom) / 2)
                                              : CPoint((rc.left + mid) / 2, y + w2 + 5);
            DrawControlPopupGlyph(pDC, pControl, pt, selected, popuped, enabled, TRUE);
        }
    }
    return CSize(0, 0);
}

CSize CUTKPaintManager::CalcControlTextSize(CDC* pDC, CUTKControl* pControl, CRect rc,
                                            BOOL bDraw, BOOL bPopupGlyph, int cellWidth,
                                            int cellHeight, BOOL bWithIcon)
{
    const BOOL vert = GetControlTextOrientation(pControl) == kTextVertical;
    const CSize caption =
        DrawControlCaptionText(pDC, pControl, rc, FALSE, vert, FALSE, bPopupGlyph);
    CRect rcText = rc;
    BOOL centred = FALSE;
    CSize size;
    if (!vert) {
        if (bWithIcon) {
            rcText.left += cellWidth - (m_nCaptionOption == 0 ? 1 : 0);
            size = CSize(caption.cx + cellWidth + 3 + (m_nCaptionOption != 0 ? 1 : 0),
                         std::max<int>(caption.cy + 6, cellHeight));
        } else {
            centred = TRUE;
            size = CSize(caption.cx + 8, std::max<int>(caption.cy + 6, cellHeight));
        }
    } else {
        if (bWithIcon) {
            rcText.top += cellHeight;
            size = CSize(std::max<int>(caption.cx + 6, cellWidth), caption.cy + cellHeight + 3);
        } else {
            centred = TRUE;
            size = CSize(std::max<int>(caption.cx + 6, cellWidth), caption.cy + 8);
        }
    }
    if (bDraw) {
        DrawControlCaptionText(pDC, pControl, rcText, TRUE, vert, centred, bPopupGlyph);
    }
    return size;
}

BOOL CUTKPaintManager::IsControlCaptionEnabled(CUTKControl* pControl)
{
    return pControl != nullptr && IsCaptionEnabled(pControl);
}
