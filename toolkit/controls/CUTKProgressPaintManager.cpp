// Progress bar drawing, themed with chunks or flat. The filled width is clamped to the bar, so
// an empty range or a position left outside by a range change never draws past the frame.
#include "toolkit/controls/CUTKProgressPaintManager.h"

#include <windows.h>
#include <uxtheme.h>
#include <vsstyle.h>
#include <vssym32.h>

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/controls/CUTKProgressBase.h"
#include "toolkit/themes/CUTKPaintManager.h"

CUTKProgressPaintManager::CUTKProgressPaintManager(CUTKPaintManager* paintManager)
    : m_pPaintManager(paintManager)
{
}

CUTKProgressPaintManager::~CUTKProgressPaintManager() { m_themeProgress.CloseThemeData(); }

void CUTKProgressPaintManager::RefreshMetrics()
{
    m_themeProgress.OpenThemeData(nullptr, L"PROGRESS");
}

void CUTKProgressPaintManager::DrawProgressBar(CDC* dc, CUTKProgressBase* progressBar)
{
    if (dc == nullptr || progressBar == nullptr)
        return;
    CRect rc;
    progressBar->GetProgressRect(&rc);
    const int theme = GetBaseTheme();
    const BOOL themed = theme != 0 && theme != 1 && m_themeProgress.IsThemeOpen() &&
                        m_themeProgress.IsAppThemed();
    CRect inner = rc;
    if (themed)
        inner.DeflateRect(4, 3);
    else
        inner.DeflateRect(2, 2);
    int lower = 0;
    int upper = 0;
    progressBar->GetRange(lower, upper);
    const int filled =
        CUTKProgressBase::CalcFilledWidth(inner.Width(), progressBar->GetPos(), lower, upper);

    if (!themed) {
        CUTKColorManager* colors = GetColorManager();
        dc->FillSolidRect(&rc, colors->GetColor(15));
        dc->Draw3dRect(&rc, colors->GetColor(16), colors->GetColor(16));
        if (inner.Width() >= 2 && inner.Height() > 0 && filled > 0)
            dc->FillSolidRect(inner.left, inner.top, filled, inner.Height(),
                              colors->GetColor(13));
        return;
    }

    m_themeProgress.DrawThemeBackground(dc->GetSafeHdc(), PP_BAR, 0, &rc, nullptr);
    int chunk = 0;
    int gap = 0;
    if (FAILED(m_themeProgress.GetThemeInt(0, 0, TMT_PROGRESSCHUNKSIZE, &chunk)))
        chunk = inner.Height() * 2 / 3;
    if (FAILED(m_themeProgress.GetThemeInt(0, 0, TMT_PROGRESSSPACESIZE, &gap)))
        gap = 2;
    if (chunk <= 0)
        chunk = 1;
    for (const CRect& piece : CUTKProgressBase::CalcChunks(inner, filled, chunk, gap))
        m_themeProgress.DrawThemeBackground(dc->GetSafeHdc(), PP_CHUNK, 0, &piece, nullptr);
}

int CUTKProgressPaintManager::GetBaseTheme() const
{
    return m_pPaintManager != nullptr ? m_pPaintManager->GetBaseTheme() : 0;
}
