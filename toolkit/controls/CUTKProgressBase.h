// Range and position of a progress display, shared by the command-bar progress control and
// other progress bars; the owner supplies the rectangle, the redraw and the painter. The
// fill and chunk arithmetic is static and window-free.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/framework/Framework.h"

class CUTKProgressPaintManager;

class CUTKProgressBase {
public:
    CUTKProgressBase();
    virtual ~CUTKProgressBase();

    virtual void GetProgressRect(CRect* rc) = 0;
    virtual void RedrawProgress() = 0;
    virtual CUTKProgressPaintManager* GetProgressPaintManager() = 0;

    void GetRange(int& lower, int& upper) const;
    // Stores the range; the position is not clamped again (drawing clamps it).
    void SetRange(int lower, int upper);
    int GetPos() const { return m_nPos; }
    // Clamps to the minimum, then to the maximum.
    void SetPos(int pos);

    // Pixels of innerWidth that a position fills, always within 0 .. innerWidth: an empty or
    // inverted range fills nothing and a position outside the range is taken at its end.
    static int CalcFilledWidth(int innerWidth, int pos, int lower, int upper);
    // The chunk rectangles of a themed bar: from inner's left, chunk wide, gap apart, the last
    // one cut at inner's right - 1.
    static std::vector<CRect> CalcChunks(const CRect& inner, int filledWidth, int chunk, int gap);

protected:
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nPos = 0;
};
