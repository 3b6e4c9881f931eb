// Palettes.
#include "platform/framework/window/CPalette.h"

#include "platform/framework/window/CDC.h"

IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return pDC != nullptr && Attach(::CreateHalftonePalette(pDC->m_hDC));
}
