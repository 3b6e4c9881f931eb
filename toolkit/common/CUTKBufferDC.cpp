#include "toolkit/common/CUTKBufferDC.h"

#include <algorithm>

CUTKBufferDC::CUTKBufferDC(HDC destination, const CRect& rect)
    : m_hDestDC(destination), m_rect(rect)
{
    Create(rect.right, rect.bottom);
}

CUTKBufferDC::CUTKBufferDC(CPaintDC& paint)
    : m_hDestDC(paint.m_hDC), m_rect(paint.m_ps.rcPaint)
{
    Create(std::max<LONG>(1, m_rect.right), std::max<LONG>(1, m_rect.bottom));
    if (m_hDC != nullptr) {
        ::IntersectClipRect(m_hDC, m_rect.left, m_rect.top, m_rect.right, m_rect.bottom);
    }
}

void CUTKBufferDC::Create(int width, int height)
{
    if (!Attach(::CreateCompatibleDC(m_hDestDC))) {
        return;
    }
    HBITMAP bitmap = nullptr;
    if (width > 0 && height > 0) {
        HDC screen = m_hDestDC != nullptr ? m_hDestDC : ::GetDC(nullptr);
        bitmap = ::CreateCompatibleBitmap(screen, width, height);
        if (screen != m_hDestDC) {
            ::ReleaseDC(nullptr, screen);
        }
    }
    if (bitmap != nullptr && m_bitmap.Attach(bitmap)) {
        m_hOldBitmap = ::SelectObject(m_hDC, bitmap);
    }
}

CUTKBufferDC::~CUTKBufferDC()
{
    if (m_hDC != nullptr && m_hDestDC != nullptr) {
        ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC,
                 m_rect.left, m_rect.top, SRCCOPY);
    }
    if (m_hDC != nullptr && m_hOldBitmap != nullptr) {
        ::SelectObject(m_hDC, m_hOldBitmap);
    }
    m_bitmap.DeleteObject();
    DeleteDC();
}
