#include "toolkit/tabmanager/CUTKTabManagerNavigateButtons.h"

#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/common/UTKDrawFunctions.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSet.h"

namespace {

constexpr UINT kScrollLeftString = 9800;
constexpr UINT kScrollRightString = 9801;
constexpr UINT kCloseString = 9802;
constexpr UINT kScrollUpString = 9803;
constexpr UINT kScrollDownString = 9804;

CRect HeaderMargin(CUTKTabManager* manager)
{
    CUTKTabPaintManager* paint = manager->GetPaintManager();
    if (paint == nullptr || paint->GetAppearanceSet() == nullptr) {
        return CRect();
    }
    return paint->GetAppearanceSet()->GetHeaderMargin();
}

}  // namespace

void CUTKTabManager::CNavigateButtonArrow::AdjustWidth(int& length)
{
    if (m_nShowMode == showAlways) {
        CUTKTabManagerNavigateButton::AdjustWidth(length);
    }
}

void CUTKTabManager::CNavigateButtonArrow::Reposition(CRect& rect)
{
    CUTKTabManager* manager = m_pManager;
    const BOOL horizontal = manager->IsHorizontalPosition();
    (void)GetResourceManager()->LoadString(&m_strToolTip, TooltipId(horizontal));

    const int freeLength = manager->GetRectLength(rect);
    m_bEnabled = ComputeEnabled(freeLength);

    const int layout = manager->GetLayout();
    if (layout == CUTKTabPaintManager::layoutMultiRow || m_nShowMode == showNever) {
        SetRect(0, 0, 0, 0);
        return;
    }
    if (m_nShowMode == showAlways) {
        Place(rect);
        return;
    }
    if (layout == CUTKTabPaintManager::layoutSizeToFit) {
        SetRect(0, 0, 0, 0);
        return;
    }
    const CRect margin = HeaderMargin(manager);
    const int total = manager->GetItemsLength();
    const int offset = manager->GetScrollOffset();
    if (total + offset - margin.left - 1 > freeLength - margin.right - margin.left ||
        offset < 0) {
        Place(rect);
    } else {
        SetRect(0, 0, 0, 0);
    }
}

CUTKTabManager::CNavigateButtonArrowLeft::CNavigateButtonArrowLeft(CUTKTabManager* manager,
                                                                   int showMode)
    : CNavigateButtonArrow(manager, idLeft, showMode)
{
}

BOOL CUTKTabManager::CNavigateButtonArrowLeft::ComputeEnabled(int freeLength) const
{
    (void)freeLength;
    return m_pManager->GetScrollOffset() < 0;
}

UINT CUTKTabManager::CNavigateButtonArrowLeft::TooltipId(BOOL horizontal) const
{
    return horizontal ? kScrollLeftString : kScrollUpString;
}

void CUTKTabManager::CNavigateButtonArrowLeft::OnExecute(BOOL tick)
{
    if (tick) {
        m_pManager->OnScroll(FALSE);
    }
}

void CUTKTabManager::CNavigateButtonArrowLeft::DrawEntry(CDC* dc, CRect rect)
{
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;
    if (m_pManager->IsHorizontalPosition()) {
        DrawTriangle(dc, CPoint(cx + 2, cy - 5), CPoint(cx - 2, cy - 1), CPoint(cx + 2, cy + 3));
    } else {
        DrawTriangle(dc, CPoint(cx - 5, cy + 2), CPoint(cx - 1, cy - 2), CPoint(cx + 3, cy + 2));
    }
}

CUTKTabManager::CNavigateButtonArrowRight::CNavigateButtonArrowRight(CUTKTabManager* manager,
                                                                     int showMode)
    : CNavigateButtonArrow(manager, idRight, showMode)
{
}

BOOL CUTKTabManager::CNavigateButtonArrowRight::ComputeEnabled(int freeLength) const
{
    const CRect margin = HeaderMargin(m_pManager);
    return freeLength - margin.left - margin.right - 28 <
           m_pManager->GetItemsLength() + m_pManager->GetScrollOffset();
}

UINT CUTKTabManager::CNavigateButtonArrowRight::TooltipId(BOOL horizontal) const
{
    return horizontal ? kScrollRightString : kScrollDownString;
}

void CUTKTabManager::CNavigateButtonArrowRight::OnExecute(BOOL tick)
{
    if (tick) {
        m_pManager->OnScroll(TRUE);
    }
}

void CUTKTabManager::CNavigateButtonArrowRight::DrawEntry(CDC* dc, CRect rect)
{
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;
    if (m_pManager->IsHorizontalPosition()) {
        DrawTriangle(dc, CPoint(cx - 2, cy - 5), CPoint(cx + 2, cy - 1), CPoint(cx - 2, cy + 3));
    } else {
        DrawTriangle(dc, CPoint(cx - 5, cy - 2), CPoint(cx - 1, cy + 2), CPoint(cx + 3, cy - 2));
    }
}

CUTKTabManager::CNavigateButtonClose::CNavigateButtonClose(CUTKTabManager* manager,
                                                           int showMode)
    : CUTKTabManagerNavigateButton(manager, idClose, showMode)
{
    (void)GetResourceManager()->LoadString(&m_strToolTip, kCloseString);
}

void CUTKTabManager::CNavigateButtonClose::DrawEntry(CDC* dc, CRect rect)
{
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;
    // Two one-pixel diagonals side by side each way: a cross two pixels thick.
    dc->MoveTo(cx - 4, cy - 3);
    dc->LineTo(cx + 3, cy + 4);
    dc->MoveTo(cx - 3, cy - 3);
    dc->LineTo(cx + 4, cy + 4);
    dc->MoveTo(cx - 4, cy + 3);
    dc->LineTo(cx + 3, cy - 4);
    dc->MoveTo(cx - 3, cy + 3);
    dc->LineTo(cx + 4, cy - 4);
}

CUTKTabManager::CNavigateButtonTabClose::CNavigateButtonTabClose(CUTKTabManager* manager,
                                                                 CUTKTabManagerItem* item,
                                                                 int showMode)
    : CNavigateButtonClose(manager, showMode)
{
    m_pItem = item;
}
