// Progress range and position, and the window-free fill and chunk arithmetic of the painters.
#include "toolkit/controls/CUTKProgressBase.h"

#include <algorithm>
#include <cstdint>

CUTKProgressBase::CUTKProgressBase() = default;

CUTKProgressBase::~CUTKProgressBase() = default;

void CUTKProgressBase::GetRange(int& lower, int& upper) const
{
    lower = m_nMin;
    upper = m_nMax;
}

void CUTKProgressBase::SetRange(int lower, int upper)
{
    if (lower == m_nMin && upper == m_nMax)
        return;
    m_nMin = lower;
    m_nMax = upper;
    RedrawProgress();
}

void CUTKProgressBase::SetPos(int pos)
{
    if (pos < m_nMin)
        pos = m_nMin;
    if (pos > m_nMax)
        pos = m_nMax;
    if (pos == m_nPos)
        return;
    m_nPos = pos;
    RedrawProgress();
}

int CUTKProgressBase::CalcFilledWidth(int innerWidth, int pos, int lower, int upper)
{
    if (innerWidth <= 0 || upper <= lower)
        return 0;
    const int64_t span = static_cast<int64_t>(upper) - lower;
    const int64_t done = std::clamp<int64_t>(static_cast<int64_t>(pos) - lower, 0, span);
    return static_cast<int>(done * innerWidth / span);
}

std::vector<CRect> CUTKProgressBase::CalcChunks(const CRect& inner, int filledWidth, int chunk,
                                                int gap)
{
    std::vector<CRect> chunks;
    if (chunk <= 0)
        chunk = 1;
    gap = std::max(gap, 0);
    const int count = (filledWidth + gap + chunk - 1) / (chunk + gap);
    int x = inner.left;
    for (int i = 0; i < count && x < inner.right; ++i) {
        const int right = std::min<int>(x + chunk, inner.right - 1);
        if (right > x)
            chunks.emplace_back(x, inner.top, right, inner.bottom);
        x += chunk + gap;
    }
    return chunks;
}
