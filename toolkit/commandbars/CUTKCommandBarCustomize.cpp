// CUTKCommandBar: customisation drag and drop onto a bar: where a dragged control would land
// (the drop index and its 6-pixel mark), and the drag-over and drop handling.
#include "toolkit/commandbars/CUTKCommandBar.h"

#include <cstdlib>

#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"

CRect CUTKCommandBar::CalcDropMark(CRect rc, BOOL bVertical, BOOL bAfter, BOOL bAtInnerEdge)
{
    if (!bVertical) {
        if (!bAfter)
            return CRect(rc.left, rc.top, rc.left + 6, rc.bottom);
        return bAtInnerEdge ? CRect(rc.right - 6, rc.top, rc.right, rc.bottom)
                            : CRect(rc.right, rc.top, rc.right + 6, rc.bottom);
    }
    if (!bAfter)
        return CRect(rc.left, rc.top, rc.right, rc.top + 6);
    return bAtInnerEdge ? CRect(rc.left, rc.bottom - 6, rc.right, rc.bottom)
                        : CRect(rc.left, rc.bottom, rc.right, rc.bottom + 6);
}

void CUTKCommandBar::FindDropIndex(CUTKControl* pDraggedControl, CPoint point, CRect& rcMark,
                                   int& nDropIndex, BOOL& bDropAfter)
{
    const BOOL vertical = m_barPosition == utkBarLeft || m_barPosition == utkBarRight ||
                          m_barType == utkBarTypePopup;
    int best = -1;
    int bestDistance = 0;
    for (int i = 0; i < GetControlCount(); ++i) {
        CUTKControl* pControl = GetControl(i);
        if (!pControl->IsVisible() || !pControl->IsCustomizeMovable())
            continue;
        const CRect rc = pControl->GetRect();
        if (m_bRowRestrictedDrop) {
            const BOOL inSpan = vertical ? (point.x >= rc.left && point.x < rc.right)
                                         : (point.y >= rc.top && point.y < rc.bottom);
            if (!inSpan)
                continue;
        } else if (pControl->GetWrap() && best != -1) {
            if (!vertical) {
                if (rc.top > point.y)
                    break;
                best = -1;
            } else {
                if (rc.right < point.x)
                    break;
                best = -1;
            }
        }
        const int distance = vertical ? std::abs((rc.top + rc.bottom) / 2 - point.y)
                                      : std::abs((rc.left + rc.right) / 2 - point.x);
        if (best == -1 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    m_bMarkerVertical = vertical;
    if (best == -1) {
        nDropIndex = -1;
        bDropAfter = TRUE;
        CRect rcClient(0, 0, 0, 0);
        if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
            GetClientRect(&rcClient);
        rcMark = IsRibbonBar() ? CRect(0, 0, 0, 0)
                               : CRect(rcClient.left + 2, rcClient.top + 2, rcClient.left + 8,
                                       rcClient.bottom - 2);
        return;
    }
    CUTKControl* pBest = GetControl(best);
    const CRect rc = pBest->GetRect();
    bDropAfter = vertical ? (rc.top + rc.bottom) / 2 < point.y : (rc.left + rc.right) / 2 < point.x;
    nDropIndex = best;
    CUTKControl* pNext = GetControl(best + 1);
    const BOOL innerEdge = pNext == nullptr || pNext->GetBeginGroup() || (!vertical && pNext->GetWrap());
    rcMark = CalcDropMark(rc, vertical, bDropAfter, innerEdge);
    if (pBest == pDraggedControl)
        rcMark.SetRectEmpty();
}

void CUTKCommandBar::OnCustomizeDragEnter(CUTKControl* pDataObject, CPoint point)
{
    m_rcMarker.SetRectEmpty();
    OnCustomizeDragOver(pDataObject, point);
}

void CUTKCommandBar::OnCustomizeDragLeave()
{
    if (!m_rcMarker.IsRectEmpty()) {
        m_rcMarker.SetRectEmpty();
        Redraw(nullptr, FALSE);
    }
}

DWORD CUTKCommandBar::OnCustomizeDragOver(CUTKControl* pDataObject, CPoint point)
{
    CUTKCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || pDataObject == nullptr)
        return 0;
    if (!IsCustomizable() && !pCommandBars->IsCustomizeAll())
        return 0;
    if (m_hWnd == nullptr || (GetStyle() & WS_VISIBLE) == 0)
        return 0;
    CRect rcMark;
    int index = -1;
    BOOL after = TRUE;
    FindDropIndex(pDataObject, point, rcMark, index, after);
    CUTKControl* pUnder = m_pControls->HitTest(point);
    if (GetParentCommandBar() == nullptr && pUnder != nullptr && pUnder->GetIndex() != m_nPopuped)
        GetThreadMouseManager()->SendTrackLost();
    DWORD effect = DROPEFFECT_MOVE;
    if (pUnder != nullptr)
        pUnder->OnCustomizeDragOver(pDataObject, point, effect);
    if (!pDataObject->IsCustomizeDragOverAvail(this, point, effect))
        return 0;
    m_rcMarker = rcMark;
    Redraw(nullptr, FALSE);
    return effect;
}

void CUTKCommandBar::OnCustomizeDrop(CUTKControl* pDataObject, DWORD& dropEffect, CPoint ptDrop,
                                     CPoint ptDrag)
{
    CUTKCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || pDataObject == nullptr)
        return;
    CRect rcMark;
    int index = -1;
    BOOL after = TRUE;
    FindDropIndex(pDataObject, ptDrop, rcMark, index, after);
    if (index == -1 || GetControl(index) != pDataObject) {
        if (after)
            ++index;
        SetPopuped(-1);
        SetSelected(-1, utkSelectMouse);
        BOOL beginGroup = FALSE;
        if (CUTKControl* pBefore = GetControl(index)) {
            beginGroup = pBefore->GetBeginGroup();
            pBefore->SetBeginGroup(FALSE);
        }
        CUTKControl* pCopy = m_pControls->AddClone(pDataObject, index == -1 ? -1 : index, TRUE);
        if (pCopy != nullptr) {
            if (beginGroup)
                pCopy->SetBeginGroup(TRUE);
            pCommandBars->SetDragControl(pCopy);
        }
    } else {
        if (std::abs(ptDrop.x - ptDrag.x) > 4 || std::abs(ptDrop.y - ptDrag.y) > 4)
            pDataObject->SetBeginGroup(after && index != 0);
        // The value a cancelled drag reports too, so the source leaves the control in place.
        dropEffect = 5;
    }
    OnRecalcLayout();
    m_rcMarker.SetRectEmpty();
    Redraw(nullptr, TRUE);
}
