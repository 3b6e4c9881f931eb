// CUTKCommandBarAnimation: cached painting of a bar and the cross-fade of its changed parts.
#include "toolkit/commandbars/CUTKCommandBarAnimation.h"

#include "toolkit/commandbars/CUTKCommandBar.h"

CUTKCommandBarAnimation::CAnimateInfo::~CAnimateInfo()
{
    if (hbmNew != nullptr)
        ::DeleteObject(hbmNew);
    if (hbmOld != nullptr)
        ::DeleteObject(hbmOld);
}

CUTKCommandBarAnimation::CUTKCommandBarAnimation(CUTKCommandBar* pBar) : m_pBar(pBar) {}
CUTKCommandBarAnimation::~CUTKCommandBarAnimation()
{
    RemoveAll();
    DeleteCache();
}
void CUTKCommandBarAnimation::RedrawRect(LPCRECT, BOOL) {}
void CUTKCommandBarAnimation::OnPaint(CDC&) {}
void CUTKCommandBarAnimation::OnAnimationTimer() {}
void CUTKCommandBarAnimation::OnDestroyWindow() {}
void CUTKCommandBarAnimation::RemoveAll()
{
    for (CAnimateInfo* p : m_animations)
        delete p;
    m_animations.clear();
}
BOOL CUTKCommandBarAnimation::IsAnimationActive() const { return m_bEnabled; }
void CUTKCommandBarAnimation::BlendStep(const BYTE* pNew, const BYTE* pOld, BYTE* pOut,
                                       size_t nBytes, int step)
{
    const int a = StepAlpha(step);
    for (size_t i = 0; i < nBytes; ++i)
        pOut[i] = static_cast<BYTE>((pNew[i] * a + pOld[i] * (255 - a)) / 256);
}
HBITMAP CUTKCommandBarAnimation::CreateDIB(int, int, BYTE** ppBits)
{
    *ppBits = nullptr;
    return nullptr;
}
void CUTKCommandBarAnimation::DrawStep(CAnimateInfo*, HDC) {}
void CUTKCommandBarAnimation::StartAnimation(CAnimateInfo* pInfo) { delete pInfo; }
void CUTKCommandBarAnimation::DeleteCache()
{
    if (m_hbmCache != nullptr)
        ::DeleteObject(m_hbmCache);
    m_hbmCache = nullptr;
}
