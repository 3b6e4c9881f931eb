// The modal drag of a splitter bar: the bar is drawn inverted (twice erases) on the tracking
// window or the desktop while the left button is held; Escape cancels.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class SplitterTracker {
public:
    explicit SplitterTracker(BOOL invert = FALSE, BOOL desktop = TRUE) noexcept;
    SplitterTracker(const SplitterTracker&) = delete;
    SplitterTracker& operator=(const SplitterTracker&) = delete;

    // Drags tracker (screen coordinates) along one axis inside available; TRUE with the new
    // position when the button was released, FALSE when cancelled.
    [[nodiscard]] BOOL Track(CWnd* trackWnd, CRect available, CRect& tracker, CPoint start,
                             BOOL horizontal);

    // Drawn together with the bar when not empty.
    CRect m_rcBound;

private:
    void OnInvertTracker(const CRect& rect);

    CDC* m_pDC = nullptr;
    BOOL m_bInvert;
    CWnd* m_pWnd = nullptr;
    BOOL m_bDesktop;
};
