#include "toolkit/common/CUTKBrushDC.h"

CUTKBrushDC::CUTKBrushDC(HDC dc, COLORREF colour) : m_hDC(dc)
{
    if (m_hDC != nullptr && m_brush.CreateSolidBrush(colour)) {
        m_hOldBrush = ::SelectObject(m_hDC, m_brush.m_hObject);
    }
}

CUTKBrushDC::~CUTKBrushDC()
{
    if (m_hDC != nullptr && m_hOldBrush != nullptr) {
        ::SelectObject(m_hDC, m_hOldBrush);
    }
    m_brush.DeleteObject();
}
