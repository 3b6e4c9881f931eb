// CUTKPaintManager: the painters it owns for galleries, sliders and progress bars, made with
// the paint manager and refreshed with its metrics.
#include "toolkit/themes/CUTKPaintManager.h"

void CUTKPaintManager::OwnedPainterDeleter::operator()(
    CUTKControlGalleryPaintManager* /*painter*/) const noexcept
{
}

void CUTKPaintManager::OwnedPainterDeleter::operator()(
    CUTKSliderPaintManager* /*painter*/) const noexcept
{
}

void CUTKPaintManager::OwnedPainterDeleter::operator()(
    CUTKProgressPaintManager* /*painter*/) const noexcept
{
}

void CUTKPaintManager::CreateOwnedPainters()
{
}

void CUTKPaintManager::RefreshOwnedPainters()
{
}
