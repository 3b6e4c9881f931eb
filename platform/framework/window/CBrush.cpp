// Brushes.
#include "CBrush.h"

#include "CBitmap.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

CBrush::CBrush(COLORREF crColor)
{
    CreateSolidBrush(crColor);
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    CreateHatchBrush(nIndex, crColor);
}

CBrush::CBrush(CBitmap* pBitmap)
{
    CreatePatternBrush(pBitmap);
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return pBitmap != nullptr &&
           Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->GetSafeHandle())));
}
