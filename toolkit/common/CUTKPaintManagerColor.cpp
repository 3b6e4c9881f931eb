#include "toolkit/common/CUTKPaintManagerColor.h"

#include "platform/framework/Framework.h"

void CUTKPaintManagerColor::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_clrStandardValue) << static_cast<DWORD>(m_clrCustomValue);
    } else {
        DWORD standard = 0;
        DWORD custom = 0;
        ar >> standard >> custom;
        m_clrStandardValue = standard;
        m_clrCustomValue = custom;
    }
}
