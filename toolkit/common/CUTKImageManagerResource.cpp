// Shared image bitmaps of one cell size: slot allocation, copies in and out, drawing.
#include "toolkit/common/CUTKImageManagerResource.h"

#include "platform/base/CSelectGuard.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKModuleHandle.h"
#include "toolkit/common/CriticalSectionLock.h"

#include <cstring>

namespace {

DWORD g_comCtlVersionOverride = 0;

DWORD ComCtlVersion()
{
    return g_comCtlVersionOverride != 0 ? g_comCtlVersionOverride : GetComCtlVersion();
}

}  // namespace

CUTKImageManagerResource::CBitmapDC::~CBitmapDC()
{
    if (m_hOldBitmap != nullptr && m_hDC != nullptr) {
        ::SelectObject(m_hDC, m_hOldBitmap);
    }
}

void CUTKImageManagerResource::CBitmapDC::SetBitmap(HBITMAP bitmap)
{
    if (bitmap != nullptr) {
        HGDIOBJ previous = ::SelectObject(m_hDC, bitmap);
        if (m_hOldBitmap == nullptr) {
            m_hOldBitmap = previous;
        }
    } else if (m_hOldBitmap != nullptr) {
        ::SelectObject(m_hDC, m_hOldBitmap);
        m_hOldBitmap = nullptr;
    }
}

void CUTKImageManagerResource::OverrideComCtlVersion(DWORD version) noexcept
{
    g_comCtlVersionOverride = version;
}

CUTKImageManagerResource::CUTKImageManagerResource(CUTKImageManager* manager, int cx, int cy)
    : m_pImageManager(manager), m_nWidth(cx), m_nHeight(cy)
{
    HDC screen = ::GetDC(nullptr);
    m_dc.Attach(::CreateCompatibleDC(screen));
    ::ReleaseDC(nullptr, screen);
    ::InitializeCriticalSection(&m_cs);
}

CUTKImageManagerResource::~CUTKImageManagerResource()
{
    Clear();
    ::DeleteCriticalSection(&m_cs);
    m_dc.SetBitmap(nullptr);
    HDC dc = m_dc.Detach();
    if (dc != nullptr) {
        ::DeleteDC(dc);
    }
}

void CUTKImageManagerResource::Clear()
{
    for (INT_PTR i = 0; i < m_arrAlloc.GetSize(); ++i) {
        delete m_arrAlloc[i];
    }
    for (INT_PTR i = 0; i < m_arrFree.GetSize(); ++i) {
        delete m_arrFree[i];
    }
    m_arrAlloc.RemoveAll();
    m_arrFree.RemoveAll();
    if (m_hbmpImage != nullptr) {
        ::DeleteObject(m_hbmpImage);
    }
    if (m_hbmpMask != nullptr) {
        ::DeleteObject(m_hbmpMask);
    }
    m_hbmpImage = nullptr;
    m_hbmpMask = nullptr;
    m_pBits = nullptr;
    m_nUsedWidth = 0;
}

UTK_IMAGERESOURCE_INFO* CUTKImageManagerResource::AllocSlot()
{
    if (m_arrFree.GetSize() > 0) {
        UTK_IMAGERESOURCE_INFO* slot = m_arrFree[m_arrFree.GetSize() - 1];
        m_arrFree.RemoveAt(m_arrFree.GetSize() - 1);
        m_arrAlloc.Add(slot);
        return slot;
    }
    if (m_nWidth <= 0 || m_nHeight <= 0) {
        return nullptr;
    }
    const int newWidth = m_nUsedWidth + m_nWidth;
    void* bits = nullptr;
    HBITMAP image = Create32BitDIBSection(nullptr, newWidth, m_nHeight, &bits);
    HBITMAP mask = ::CreateBitmap(newWidth, m_nHeight, 1, 1, nullptr);
    if (image == nullptr || mask == nullptr) {
        if (image != nullptr) {
            ::DeleteObject(image);
        }
        if (mask != nullptr) {
            ::DeleteObject(mask);
        }
        return nullptr;
    }
    if (m_hbmpImage != nullptr) {
        ::GdiFlush();
        const size_t oldRow = static_cast<size_t>(m_nUsedWidth) * 4;
        const size_t newRow = static_cast<size_t>(newWidth) * 4;
        for (int y = 0; y < m_nHeight; ++y) {
            std::memcpy(static_cast<BYTE*>(bits) + newRow * static_cast<size_t>(y),
                        m_pBits + oldRow * static_cast<size_t>(y), oldRow);
        }
        HDC target = ::CreateCompatibleDC(m_dc.m_hDC);
        {
            CSelectGuard select(target, mask);
            ::PatBlt(target, 0, 0, newWidth, m_nHeight, WHITENESS);
            m_dc.SetBitmap(m_hbmpMask);
            ::BitBlt(target, 0, 0, m_nUsedWidth, m_nHeight, m_dc.m_hDC, 0, 0, SRCCOPY);
            m_dc.SetBitmap(nullptr);
        }
        ::DeleteDC(target);
        ::DeleteObject(m_hbmpImage);
        ::DeleteObject(m_hbmpMask);
    }
    m_hbmpImage = image;
    m_hbmpMask = mask;
    m_pBits = static_cast<LPBYTE>(bits);
    auto* slot = new UTK_IMAGERESOURCE_INFO{FALSE, CRect(m_nUsedWidth, 0, newWidth, m_nHeight),
                                            this};
    m_nUsedWidth = newWidth;
    m_arrAlloc.Add(slot);
    return slot;
}

void CUTKImageManagerResource::FreeSlot(UTK_IMAGERESOURCE_INFO* slot)
{
    CriticalSectionLock lock(&m_cs);
    for (INT_PTR i = 0; i < m_arrAlloc.GetSize(); ++i) {
        if (m_arrAlloc[i] == slot) {
            m_arrAlloc.RemoveAt(i);
            m_arrFree.Add(slot);
            break;
        }
    }
    if (m_arrFree.GetSize() * m_nWidth == m_nUsedWidth) {
        Clear();
    }
}

void CUTKImageManagerResource::CopyCell(const BYTE* source, int sourceWidth,
                                        UTK_IMAGERESOURCE_INFO* slot)
{
    // Both are bottom-up 32-bit rows; the cell is m_nWidth pixels of each.
    ::GdiFlush();
    const size_t row = static_cast<size_t>(m_nUsedWidth) * 4;
    const size_t cell = static_cast<size_t>(m_nWidth) * 4;
    for (int y = 0; y < m_nHeight; ++y) {
        std::memcpy(m_pBits + row * static_cast<size_t>(y) + static_cast<size_t>(slot->rc.left) * 4,
                    source + static_cast<size_t>(sourceWidth) * 4 * static_cast<size_t>(y), cell);
    }
}

BOOL CUTKImageManagerResource::AddIcon(HICON icon, UTK_IMAGERESOURCE_INFO* slot)
{
    if (ComCtlVersion() >= 0x60000) {
        ICONINFO info = {};
        if (::GetIconInfo(icon, &info)) {
            BOOL hasAlpha = FALSE;
            HBITMAP premultiplied =
                info.hbmColor != nullptr ? PremultiplyBitmap(info.hbmColor, &hasAlpha) : nullptr;
            if (premultiplied != nullptr && hasAlpha) {
                DIBSECTION section = {};
                ::GetObjectW(premultiplied, sizeof(section), &section);
                if (section.dsBm.bmWidth == m_nWidth && section.dsBm.bmHeight == m_nHeight) {
                    CopyCell(static_cast<const BYTE*>(section.dsBm.bmBits), m_nWidth, slot);
                    slot->bAlpha = TRUE;
                }
            }
            if (premultiplied != nullptr) {
                ::DeleteObject(premultiplied);
            }
            if (info.hbmColor != nullptr) {
                ::DeleteObject(info.hbmColor);
            }
            if (info.hbmMask != nullptr) {
                ::DeleteObject(info.hbmMask);
            }
            if (slot->bAlpha) {
                return TRUE;
            }
        }
    }
    const CRect& rc = slot->rc;
    {
        m_dc.SetBitmap(m_hbmpImage);
        ::PatBlt(m_dc.m_hDC, rc.left, 0, m_nWidth, m_nHeight, BLACKNESS);
        ::DrawIconEx(m_dc.m_hDC, rc.left, 0, icon, m_nWidth, m_nHeight, 0, nullptr, DI_NORMAL);
        m_dc.SetBitmap(m_hbmpMask);
        ::PatBlt(m_dc.m_hDC, rc.left, 0, m_nWidth, m_nHeight, BLACKNESS);
        ::DrawIconEx(m_dc.m_hDC, rc.left, 0, icon, m_nWidth, m_nHeight, 0, nullptr, DI_MASK);
        m_dc.SetBitmap(nullptr);
    }
    slot->bAlpha = FALSE;
    return TRUE;
}

UTK_IMAGERESOURCE_INFO* CUTKImageManagerResource::Add(const IconImageHandle& image)
{
    CriticalSectionLock lock(&m_cs);
    if (image.IsEmpty() || image.GetExtent() != CSize(m_nWidth, m_nHeight) ||
        (image.GetIcon() == nullptr && image.GetBitmap() == nullptr)) {
        return nullptr;
    }
    LPBYTE bits = nullptr;
    if (image.GetIcon() == nullptr) {
        // The image's premultiplied pixels, made now when they are not yet.
        bits = const_cast<IconImageHandle&>(image).GetBits();
        if (bits == nullptr) {
            return nullptr;
        }
    }
    UTK_IMAGERESOURCE_INFO* slot = AllocSlot();
    if (slot == nullptr) {
        return nullptr;
    }
    if (image.GetIcon() != nullptr) {
        (void)AddIcon(image.GetIcon(), slot);
    } else {
        CopyCell(bits, m_nWidth, slot);
        slot->bAlpha = TRUE;
    }
    return slot;
}

void CUTKImageManagerResource::CopyFromResource(IconImageHandle& target,
                                                UTK_IMAGERESOURCE_INFO* slot)
{
    CriticalSectionLock lock(&m_cs);
    target.Clear();
    if (slot == nullptr || m_hbmpImage == nullptr) {
        return;
    }
    void* bits = nullptr;
    HBITMAP colour = Create32BitDIBSection(nullptr, m_nWidth, m_nHeight, &bits);
    if (colour == nullptr) {
        return;
    }
    ::GdiFlush();
    const size_t row = static_cast<size_t>(m_nUsedWidth) * 4;
    const size_t cell = static_cast<size_t>(m_nWidth) * 4;
    for (int y = 0; y < m_nHeight; ++y) {
        std::memcpy(static_cast<BYTE*>(bits) + cell * static_cast<size_t>(y),
                    m_pBits + row * static_cast<size_t>(y) + static_cast<size_t>(slot->rc.left) * 4,
                    cell);
    }
    if (slot->bAlpha) {
        target.SetPremultipliedBitmap(colour);
        return;
    }
    HBITMAP mask = ::CreateBitmap(m_nWidth, m_nHeight, 1, 1, nullptr);
    if (mask != nullptr) {
        HDC target_dc = ::CreateCompatibleDC(m_dc.m_hDC);
        {
            CSelectGuard select(target_dc, mask);
            m_dc.SetBitmap(m_hbmpMask);
            ::BitBlt(target_dc, 0, 0, m_nWidth, m_nHeight, m_dc.m_hDC, slot->rc.left, 0, SRCCOPY);
            m_dc.SetBitmap(nullptr);
        }
        ::DeleteDC(target_dc);
        ICONINFO info = {TRUE, 0, 0, mask, colour};
        target = ::CreateIconIndirect(&info);
        ::DeleteObject(mask);
    }
    ::DeleteObject(colour);
}

void CUTKImageManagerResource::Draw(CDC* dc, UTK_IMAGERESOURCE_INFO* slot, CPoint point,
                                    CSize size, BOOL composited)
{
    CriticalSectionLock lock(&m_cs);
    if (dc == nullptr || slot == nullptr || m_hbmpImage == nullptr || size.cx == 0 ||
        size.cy == 0) {
        return;
    }
    const CRect& rc = slot->rc;
    if (slot->bAlpha) {
        m_dc.SetBitmap(m_hbmpImage);
        const RECT target = {point.x, point.y, point.x + size.cx, point.y + size.cy};
        (void)CUTKImageManager::AlphaBlend(dc->m_hDC, target, m_dc.m_hDC, rc);
        m_dc.SetBitmap(nullptr);
        return;
    }
    const int oldMode = ::SetStretchBltMode(dc->m_hDC, COLORONCOLOR);
    if (composited) {
        const int width = size.cx < 0 ? -size.cx : size.cx;
        void* bits = nullptr;
        HBITMAP layer = Create32BitDIBSection(nullptr, width, size.cy, &bits);
        if (layer != nullptr) {
            HDC layerDC = ::CreateCompatibleDC(dc->m_hDC);
            {
                CSelectGuard select(layerDC, layer);
                ::SetStretchBltMode(layerDC, COLORONCOLOR);
                ::SetBkColor(layerDC, RGB(255, 255, 255));
                ::SetTextColor(layerDC, RGB(0, 0, 0));
                m_dc.SetBitmap(m_hbmpMask);
                ::StretchBlt(layerDC, 0, 0, width, size.cy, m_dc.m_hDC, rc.left, 0, m_nWidth,
                             m_nHeight, SRCCOPY);
                ::GdiFlush();
                auto* pixels = static_cast<uint32_t*>(bits);
                const size_t count = static_cast<size_t>(width) * static_cast<size_t>(size.cy);
                for (size_t i = 0; i < count; ++i) {
                    pixels[i] = (pixels[i] & 0xFFFFFF) == 0 ? 0xFF000000u : 0;
                }
                m_dc.SetBitmap(m_hbmpImage);
                ::StretchBlt(layerDC, 0, 0, width, size.cy, m_dc.m_hDC, rc.left, 0, m_nWidth,
                             m_nHeight, SRCINVERT);
                m_dc.SetBitmap(nullptr);
                const RECT target = {point.x, point.y, point.x + width, point.y + size.cy};
                const RECT from = {0, 0, width, size.cy};
                (void)CUTKImageManager::AlphaBlend(dc->m_hDC, target, layerDC, from);
            }
            ::DeleteDC(layerDC);
            ::DeleteObject(layer);
        }
    } else {
        if (IsImageMirrored(m_pImageManager, dc)) {
            point.x += size.cx;
            size.cx = -size.cx;
        }
        const COLORREF oldText = ::SetTextColor(dc->m_hDC, RGB(0, 0, 0));
        const COLORREF oldBack = ::SetBkColor(dc->m_hDC, RGB(255, 255, 255));
        ::SetTextColor(m_dc.m_hDC, RGB(0, 0, 0));
        ::SetBkColor(m_dc.m_hDC, RGB(255, 255, 255));
        m_dc.SetBitmap(m_hbmpMask);
        ::StretchBlt(dc->m_hDC, point.x, point.y, size.cx, size.cy, m_dc.m_hDC, rc.left, 0,
                     m_nWidth, m_nHeight, SRCAND);
        m_dc.SetBitmap(m_hbmpImage);
        ::StretchBlt(dc->m_hDC, point.x, point.y, size.cx, size.cy, m_dc.m_hDC, rc.left, 0,
                     m_nWidth, m_nHeight, SRCINVERT);
        m_dc.SetBitmap(nullptr);
        ::SetTextColor(dc->m_hDC, oldText);
        ::SetBkColor(dc->m_hDC, oldBack);
    }
    ::SetStretchBltMode(dc->m_hDC, oldMode);
}
