// CUTKControlGalleryPaintManager: the scroll-bar painter of galleries, with the sizes of the
// gallery's own scroll buttons. Every paint manager owns one; galleries draw through it.
#pragma once

#include "toolkit/controls/CUTKScrollBarPaintManager.h"

class CUTKControlGalleryPaintManager : public CUTKScrollBarPaintManager {
public:
    explicit CUTKControlGalleryPaintManager(CUTKPaintManager* paintManager);

    // The scroll-bar painter's refresh, then the gallery's button sizes again.
    void RefreshMetrics() override;

    int m_cyPopupUp = 19;     // height of the scroll-up button
    int m_cyPopupDown = 19;   // height of the scroll-down button
    int m_cxPopup = 16;       // width of the button column
};
