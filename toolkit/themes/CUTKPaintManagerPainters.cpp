// CUTKPaintManager: the painters it owns for galleries, sliders and progress bars, made with
// the paint manager and refreshed with its metrics.
#include "toolkit/themes/CUTKPaintManager.h"

#include "toolkit/controls/CUTKControlGalleryPaintManager.h"
#include "toolkit/controls/CUTKProgressPaintManager.h"
#include "toolkit/controls/CUTKSliderPaintManager.h"

void CUTKPaintManager::OwnedPainterDeleter::operator()(
    CUTKControlGalleryPaintManager* painter) const noexcept
{
    delete painter;
}

void CUTKPaintManager::OwnedPainterDeleter::operator()(
    CUTKSliderPaintManager* painter) const noexcept
{
    delete painter;
}

void CUTKPaintManager::OwnedPainterDeleter::operator()(
    CUTKProgressPaintManager* painter) const noexcept
{
    delete painter;
}

void CUTKPaintManager::CreateOwnedPainters()
{
    m_pGalleryPaintManager.reset(new CUTKControlGalleryPaintManager(this));
    m_pSliderPaintManager.reset(new CUTKSliderPaintManager(this));
    m_pProgressPaintManager.reset(new CUTKProgressPaintManager(this));
}

void CUTKPaintManager::RefreshOwnedPainters()
{
    m_pGalleryPaintManager->RefreshMetrics();
    m_pSliderPaintManager->RefreshMetrics();
    m_pProgressPaintManager->RefreshMetrics();
    // Frame and ribbon painters are refreshed here once they can exist.
}
