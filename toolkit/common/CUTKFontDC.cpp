#include "toolkit/common/CUTKFontDC.h"

CUTKFontDC::CUTKFontDC(CDC* dc, CFont* font) : m_pDC(dc)
{
    SetFont(font);
}

CUTKFontDC::~CUTKFontDC()
{
    if (m_pDC != nullptr && m_hOldFont != nullptr) {
        ::SelectObject(m_pDC->m_hDC, m_hOldFont);
        m_hOldFont = nullptr;
    }
}

void CUTKFontDC::SetFont(CFont* font)
{
    if (m_pDC == nullptr || font == nullptr || font->m_hObject == nullptr) {
        return;
    }
    HGDIOBJ previous = ::SelectObject(m_pDC->m_hDC, font->m_hObject);
    if (m_hOldFont == nullptr) {
        m_hOldFont = previous;
    }
}
