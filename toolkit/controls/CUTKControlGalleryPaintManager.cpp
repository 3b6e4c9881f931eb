// CUTKControlGalleryPaintManager: the gallery's scroll-bar painter and its button sizes.
#include "toolkit/controls/CUTKControlGalleryPaintManager.h"

CUTKControlGalleryPaintManager::CUTKControlGalleryPaintManager(CUTKPaintManager* paintManager)
    : CUTKScrollBarPaintManager(paintManager)
{
}

void CUTKControlGalleryPaintManager::RefreshMetrics()
{
    CUTKScrollBarPaintManager::RefreshMetrics();
    // Fixed sizes, whatever the system's scroll bars measure.
    m_cyPopupUp = 19;
    m_cyPopupDown = 19;
    m_cxPopup = 16;
}
