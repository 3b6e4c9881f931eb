#include "toolkit/common/CUTKCompatibleDC.h"

CUTKCompatibleDC::CUTKCompatibleDC(CDC* dc, CBitmap* bitmap)
    : CUTKCompatibleDC(dc, bitmap != nullptr ? static_cast<HBITMAP>(bitmap->m_hObject) : nullptr)
{
}

CUTKCompatibleDC::CUTKCompatibleDC(CDC* dc, HBITMAP bitmap)
{
    if (CreateCompatibleDC(dc) && bitmap != nullptr) {
        m_hOldBitmap = ::SelectObject(m_hDC, bitmap);
    }
}

CUTKCompatibleDC::~CUTKCompatibleDC()
{
    if (m_hDC != nullptr && m_hOldBitmap != nullptr) {
        ::SelectObject(m_hDC, m_hOldBitmap);
    }
    DeleteDC();
}
