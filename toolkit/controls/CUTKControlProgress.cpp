// The command-bar progress control: size, drawing through the painter, saved range and
// position ("Min", "Max", "Pos"), copies and clones.
#include "toolkit/controls/CUTKControlProgress.h"

#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/controls/CUTKProgressPaintManager.h"
#include "toolkit/themes/CUTKPaintManager.h"

IMPLEMENT_SERIAL(CUTKControlProgress, CUTKControl, kUtkControlSchema)

CUTKControlProgress::CUTKControlProgress() { m_width = kDefaultWidth; }

void CUTKControlProgress::GetProgressRect(CRect* rc)
{
    if (rc != nullptr)
        *rc = m_rcControl;
}

void CUTKControlProgress::RedrawProgress() { RedrawParent(FALSE); }

CUTKProgressPaintManager* CUTKControlProgress::GetProgressPaintManager()
{
    CUTKPaintManager* paintManager = GetPaintManager();
    return paintManager != nullptr ? paintManager->GetProgressPaintManager() : nullptr;
}

CSize CUTKControlProgress::GetSize(CDC* /*pDC*/)
{
    int height = m_height;
    if (height <= 0) {
        const CUTKProgressPaintManager* painter = GetProgressPaintManager();
        height = painter != nullptr ? painter->m_cyProgress : 16;
    }
    return CSize(m_width, height);
}

void CUTKControlProgress::Draw(CDC* pDC)
{
    if (CUTKProgressPaintManager* painter = GetProgressPaintManager())
        painter->DrawProgressBar(pDC, this);
}

void CUTKControlProgress::DoPropExchange(CUTKPropExchange* px)
{
    CUTKControl::DoPropExchange(px);
    // A stored position outside the stored range is kept as saved; drawing clamps it.
    (void)ExchangeIntPropDefault(px, L"Min", m_nMin, 0);
    (void)ExchangeIntPropDefault(px, L"Max", m_nMax, 100);
    (void)ExchangeIntPropDefault(px, L"Pos", m_nPos, 0);
}

void CUTKControlProgress::Copy(CUTKControl* source, BOOL recursive)
{
    CUTKControl::Copy(source, recursive);
    auto* progress = DYNAMIC_DOWNCAST(CUTKControlProgress, source);
    if (progress == nullptr)
        return;
    int lower = 0;
    int upper = 0;
    progress->GetRange(lower, upper);
    SetRange(lower, upper);
    SetPos(progress->GetPos());
}

CUTKControl* CUTKControlProgress::Clone(BOOL recursive)
{
    auto* clone = new CUTKControlProgress();
    clone->Copy(this, recursive);
    return clone;
}
