// The tab paint manager's generic drawing: the whole strip (frame, background, rows of tabs,
// navigate buttons) and the measuring and drawing of one tab's icon, caption and buttons.
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

#include "toolkit/common/CUTKFontDC.h"
#include "toolkit/common/UTKDrawFunctions.h"
#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSet.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSet.h"
#include "toolkit/tabmanager/TabMarkupSeam.h"

#include <algorithm>

void CUTKTabPaintManager::DrawTabStrip(CUTKTabManager* manager, CDC* dc, CRect rect)
{
    if (m_bStaticFrame) {
        CBrush border;
        if (border.CreateSolidBrush(m_pColorSet->m_clrFrameBorder)) {
            dc->FrameRect(&rect, &border);
        }
        DeflateRectForTabPosition(rect, 1, 1, 1, 1, m_nPosition);
        CBrush face;
        if (face.CreateSolidBrush(m_pColorSet->m_clrControlFace)) {
            dc->FrameRect(&rect, &face);
        }
        DeflateRectForTabPosition(rect, 1, 0, 1, 1, m_nPosition);
    }
    if (m_bFillBackground) {
        dc->FillSolidRect(&rect, m_pColorSet->m_clrControlFace);
    }
    DeflateRectForTabPosition(rect, m_rcControlMargin, m_nPosition);
    dc->SetBkMode(TRANSPARENT);
    if (m_bFillBackground) {
        (void)m_pAppearanceSet->FillTabControl(manager, dc, rect);
    }

    CRect area;
    if (m_bClipHeader) {
        area = m_pAppearanceSet->GetHeaderClipBox(dc, manager);
    } else {
        dc->GetClipBox(&area);
    }
    if (!area.IsRectEmpty()) {
        // The header clip is added to whatever clip the caller's DC has, and taken off again.
        const int saved = m_bClipHeader ? dc->SaveDC() : 0;
        if (m_bClipHeader) {
            dc->IntersectClipRect(&area);
            m_pColorSet->AdjustHeaderClip(dc, area, manager);
        }
        CUTKTabManager::CRowIndexer* rows = manager->GetRowIndexer();
        for (int row = rows->GetRowCount() - 1; row >= 0; --row) {
            const auto& entry = rows->GetRowItems()[row];
            DrawRow(manager, dc, area, entry.nFirstItem, entry.nLastItem);
        }
        if (saved != 0) {
            dc->RestoreDC(saved);
        }
    }
    const auto& buttons = manager->GetNavigateButtons();
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) {
        (*it)->Draw(dc);
    }
}

void CUTKTabPaintManager::DrawRow(CUTKTabManager* manager, CDC* dc, CRect area, int first,
                                  int last)
{
    first = std::max(first, 0);
    last = std::min(last, manager->GetItemCount() - 1);
    CUTKTabManagerItem* selected = manager->GetSelectedItem();
    auto drawable = [&](CUTKTabManagerItem* item) {
        if (item == nullptr || !item->IsVisible()) {
            return FALSE;
        }
        CRect overlap;
        const CRect drawRect = m_pAppearanceSet->GetButtonDrawRect(item);
        return overlap.IntersectRect(&drawRect, &area);
    };
    int selectedIndex = -1;
    for (int i = first; i <= last; ++i) {
        if (manager->GetItem(i) == selected) {
            selectedIndex = i;
        }
    }
    int from = last;
    if (m_pAppearanceSet->m_bButtonsReverseZOrder && selectedIndex >= 0) {
        for (int i = first; i < selectedIndex; ++i) {
            if (drawable(manager->GetItem(i))) {
                m_pAppearanceSet->DrawSingleButton(dc, manager->GetItem(i));
            }
        }
        first = selectedIndex;
    }
    for (int i = from; i >= first; --i) {
        CUTKTabManagerItem* item = manager->GetItem(i);
        if (i != selectedIndex && drawable(item)) {
            m_pAppearanceSet->DrawSingleButton(dc, item);
        }
    }
    if (selectedIndex >= 0 && drawable(selected)) {
        m_pAppearanceSet->DrawSingleButton(dc, selected);
    }
}

int CUTKTabPaintManager::DrawSingleButton(CDC* dc, CUTKTabManagerItem* item, CRect rect,
                                          BOOL draw)
{
    CUTKTabManager* manager = item != nullptr ? item->GetTabManager() : nullptr;
    if (manager == nullptr || dc == nullptr) {
        return 0;
    }
    BOOL vertical = !manager->IsHorizontalPosition();
    if (m_nLayout == layoutRotated) {
        vertical = !vertical;
    }
    const BOOL selected = manager->GetSelectedItem() == item;
    CFont* font = m_bBoldSelected && selected && manager->IsActive()
                      ? GetBoldFont(vertical)
                      : (vertical ? &m_fntVertical : &m_fntNormal);
    CUTKFontDC fontScope(dc, font);

    CSize icon = m_szIcon;
    const BOOL hasIcon = manager->DrawIcon(dc, CPoint(0, 0), item, FALSE, icon);
    const int iconLength = vertical ? icon.cy : icon.cx;
    const BOOL captionCounts = m_nLayout != layoutCompressed || selected;

    std::vector<CUTKTabManagerNavigateButton*> counted;
    int buttonSpace = 0;
    for (CUTKTabManagerNavigateButton* button : item->GetButtons()) {
        const int mode = button->GetShowMode();
        if (mode == CUTKTabManagerNavigateButton::showAlways ||
            (mode == CUTKTabManagerNavigateButton::showWhenNeeded && selected)) {
            counted.push_back(button);
            const CSize size = button->GetSize();
            buttonSpace += vertical ? size.cy : size.cx;
        }
    }
    if (buttonSpace > 0) {
        buttonSpace += 3;
    }
    const CString caption = item->GetCaption();

    if (!draw) {
        UINT calc = DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE;
        if (m_bDrawTextNoPrefix) {
            calc |= DT_NOPREFIX;
        }
        auto captionWidth = [&](CUTKTabManagerItem* of) {
            if (of->GetMarkupCaption() != nullptr) {
                return static_cast<int>(TabMarkupMeasureElement(of->GetMarkupCaption(), INT_MAX, INT_MAX).cx);
            }
            CRect measure(0, 0, 0, 0);
            m_pAppearanceSet->DrawText(dc, manager, of->GetCaption(), &measure, calc);
            return static_cast<int>(measure.Width());
        };
        const int iconPart = hasIcon ? iconLength : 0;
        if (m_nLayout == layoutFixed) {
            return ClampLength(m_nFixedTabWidth);
        }
        if (m_nLayout == layoutCompressed) {
            if (!selected) {
                return ClampLength(iconLength + 8);
            }
            int widest = 0;
            for (int i = 0; i < manager->GetItemCount(); ++i) {
                widest = std::max(widest, captionWidth(manager->GetItem(i)));
            }
            return ClampLength(widest + m_rcButtonMargin.left + m_rcButtonMargin.right +
                               iconPart + buttonSpace);
        }
        return ClampLength(captionWidth(item) + m_rcButtonMargin.left + m_rcButtonMargin.right +
                           iconPart + buttonSpace);
    }

    if (buttonSpace > 0) {
        m_pColorSet->SetTextColor(dc, item);
        if (vertical) {
            rect.bottom -= 3;
        } else {
            rect.right -= 3;
        }
        for (auto it = counted.rbegin(); it != counted.rend(); ++it) {
            CUTKTabManagerNavigateButton* button = *it;
            const CSize size = button->GetSize();
            if (vertical) {
                const int left = (rect.left + rect.right) / 2 - size.cx / 2;
                button->SetRect(left, rect.bottom - size.cy, left + size.cx, rect.bottom);
                rect.bottom -= size.cy;
            } else {
                const int top = (rect.top + rect.bottom) / 2 - size.cy / 2;
                button->SetRect(rect.right - size.cx, top, rect.right, top + size.cy);
                rect.right -= size.cx;
            }
            button->Draw(dc);
        }
    }
    m_pColorSet->SetTextColor(dc, item);
    const CRect focusRect = rect;

    if (item->m_nLength > item->m_nIdealLength) {
        const int half = (item->m_nLength - item->m_nIdealLength) / 2;
        if (vertical) {
            rect.DeflateRect(0, half);
        } else {
            rect.DeflateRect(half, 0);
        }
    }

    const CRect& bm = m_rcButtonMargin;
    const CRect& im = m_rcItemMargin;
    if (!vertical) {
        rect.left += bm.left + im.left;
        if (m_nPosition == positionBottom) {
            rect.top += im.bottom;
            rect.bottom -= im.top;
        } else {
            rect.top += im.top;
            rect.bottom -= im.bottom;
        }
        if (hasIcon) {
            if (icon.cx < rect.Width()) {
                const CPoint at(rect.left - 1, rect.top + (rect.Height() - icon.cy) / 2);
                (void)manager->DrawIcon(dc, at, item, TRUE, icon);
            }
            rect.left += icon.cx + 2;
        }
        if (captionCounts && rect.left < rect.right) {
            rect.right -= bm.right + im.right - (hasIcon ? 2 : 0);
            DrawCaption(dc, manager, item, rect, FALSE);
        }
    } else {
        rect.top += bm.left + im.left;
        if (m_nPosition == positionRight) {
            rect.left += im.bottom;
            rect.right -= im.top;
        } else {
            rect.left += im.top;
            rect.right -= im.bottom;
        }
        if (hasIcon) {
            if (icon.cy < rect.Height()) {
                const CPoint at(rect.left + rect.Width() / 2 - icon.cx / 2, rect.top - 1);
                (void)manager->DrawIcon(dc, at, item, TRUE, icon);
            }
            rect.top += icon.cy + 2;
        }
        if (captionCounts && rect.top + 8 < rect.bottom) {
            DrawCaption(dc, manager, item, rect, TRUE);
        }
    }

    if (selected && manager->HeaderHasFocus()) {
        DrawFocusRect(dc, item, focusRect);
    }
    return 0;
}

void CUTKTabPaintManager::DrawCaption(CDC* dc, CUTKTabManager* manager, CUTKTabManagerItem* item,
                                      CRect rect, BOOL vertical)
{
    CString caption = item->GetCaption();
    if (!vertical) {
        if (CUTKMarkupUIElement* markup = item->GetMarkupCaption()) {
            CRect target = rect;
            if ((m_nDrawTextFormat & DT_VCENTER) != 0) {
                const CSize desired = TabMarkupMeasureElement(markup, rect.Width(), rect.Height());
                target.top = rect.top + (rect.Height() - desired.cy) / 2;
                target.bottom = target.top + desired.cy;
            }
            TabMarkupRenderElement(markup, dc, target);
            return;
        }
        if (m_bDrawTextPathEllipsis) {
            DrawTextPathEllipsis(dc, manager, caption, rect,
                                 (m_bDrawTextNoPrefix ? DT_NOPREFIX : 0) | m_nDrawTextFormat |
                                     DT_SINGLELINE);
            return;
        }
        if (m_bStripPrefix) {
            StripMnemonics(caption);
        }
        const UINT format = (m_bDrawTextEndEllipsis ? DT_END_ELLIPSIS : 0) | m_nDrawTextFormat |
                            DT_SINGLELINE |
                            (m_bDrawTextNoPrefix || m_bStripPrefix ? DT_NOPREFIX : 0);
        m_pAppearanceSet->DrawText(dc, manager, caption, &rect, format);
        return;
    }
    const CSize extent = dc->GetTextExtent(caption);
    const int width = rect.Width();
    CRect text;
    text.left = rect.right - (width - (m_nPosition == positionRight ? 1 : 0) - extent.cy) / 2;
    text.right = text.left + (rect.bottom - rect.top);
    text.top = rect.top;
    text.bottom = rect.bottom - std::max(static_cast<int>(m_rcButtonMargin.right) - 4, 0) -
                  m_rcItemMargin.right;
    // Vertical text cannot underline a mnemonic.
    if (!m_bDrawTextNoPrefix) {
        StripMnemonics(caption);
    }
    const UINT format = DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE |
                        (m_bDrawTextEndEllipsis ? DT_END_ELLIPSIS : 0);
    if (m_bDrawTextPathEllipsis) {
        DrawTextPathEllipsis(dc, manager, caption, text, format);
    } else {
        m_pAppearanceSet->DrawText(dc, manager, caption, &text, format);
    }
}
