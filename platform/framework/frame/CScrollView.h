// CScrollView: a view larger than its window. It keeps the total size, page and line steps
// in device units (MM_TEXT), shows scroll bars only when the window is smaller than the
// total size, and offsets drawing by the scroll position.
#pragma once

#include "platform/framework/frame/CView.h"

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)

public:
    CScrollView();
    ~CScrollView() override;

    static const SIZE sizeDefault;

    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const;
    CSize GetTotalSize() const { return m_totalDev; }
    void ScrollToPosition(POINT pt);
    void OnPrepareDC(CDC* pDC, void* pInfo = nullptr) override;

    void OnSize(UINT nType, int cx, int cy);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

protected:
    void UpdateBars();
    void OnScroll(int nBar, UINT nSBCode);

    int m_nMapMode = MM_TEXT;
    CSize m_totalDev{0, 0};
    CSize m_pageDev{0, 0};
    CSize m_lineDev{0, 0};
    BOOL m_bInUpdateBars = FALSE;

    DECLARE_MESSAGE_MAP()
};
