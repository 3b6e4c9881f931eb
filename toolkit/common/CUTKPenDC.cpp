#include "toolkit/common/CUTKPenDC.h"

CUTKPenDC::CUTKPenDC(CDC* dc, CPen* pen) : m_hDC(dc != nullptr ? dc->m_hDC : nullptr)
{
    if (m_hDC != nullptr && pen != nullptr && pen->m_hObject != nullptr) {
        m_hOldPen = ::SelectObject(m_hDC, pen->m_hObject);
    }
}

CUTKPenDC::CUTKPenDC(HDC dc, COLORREF colour) : m_hDC(dc)
{
    if (m_hDC != nullptr && m_pen.CreatePen(PS_SOLID, 1, colour)) {
        m_hOldPen = ::SelectObject(m_hDC, m_pen.m_hObject);
    }
}

CUTKPenDC::~CUTKPenDC()
{
    if (m_hDC != nullptr && m_hOldPen != nullptr) {
        ::SelectObject(m_hDC, m_hOldPen);
    }
    m_pen.DeleteObject();
}

void CUTKPenDC::SetColor(COLORREF colour)
{
    if (m_hDC == nullptr) {
        return;
    }
    if (m_hOldPen != nullptr) {
        ::SelectObject(m_hDC, m_hOldPen);
    }
    m_pen.DeleteObject();
    if (m_pen.CreatePen(PS_SOLID, 1, colour)) {
        HGDIOBJ previous = ::SelectObject(m_hDC, m_pen.m_hObject);
        if (m_hOldPen == nullptr) {
            m_hOldPen = previous;
        }
    }
}
