// Regions.
#include "platform/framework/window/CRgn.h"

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject),
                        static_cast<HRGN>(pRgn1 != nullptr ? pRgn1->m_hObject : nullptr),
                        static_cast<HRGN>(pRgn2 != nullptr ? pRgn2->m_hObject : nullptr),
                        nCombineMode);
}
