// Images of icons: forms, copies, loading from icon resources and drawing.
#include "toolkit/common/IconImageHandle.h"

#include <commctrl.h>

#include "platform/base/CSelectGuard.h"
#include "toolkit/common/CUTKDrawHelpers.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/ImageRecordFormats.h"

#include <cstring>

namespace {

// A copy of a 32-bit DIB as a new bottom-up DIB section; the bits pointer of the copy goes
// through bits.
HBITMAP CopyAlphaBitmap(HBITMAP source, LPBYTE* bits)
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    *bits = nullptr;
    if (!ReadBitmapPixels32(source, width, height, pixels)) {
        return nullptr;
    }
    void* out = nullptr;
    HBITMAP copy = Create32BitDIBSection(nullptr, width, height, &out);
    if (copy != nullptr) {
        std::memcpy(out, pixels.data(), pixels.size() * 4);
        *bits = static_cast<LPBYTE>(out);
    }
    return copy;
}

LPBYTE DibBits(HBITMAP bitmap)
{
    DIBSECTION section = {};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(section), &section) != sizeof(section)) {
        return nullptr;
    }
    return static_cast<LPBYTE>(section.dsBm.bmBits);
}

}  // namespace

BOOL IsImageMirrored(CUTKImageManager* manager, CDC* dc)
{
    CUTKImageManager* owner = manager != nullptr ? manager : GetImageManager();
    const int mode = owner->m_nMirrorMode;
    return mode == 1 || (mode == 2 && CUTKDrawHelpers::IsContextRTL(dc)) ? TRUE : FALSE;
}

IconImageHandle::IconImageHandle(HICON icon) : m_hIcon(icon), m_szIcon(GetIconSize(icon))
{
}

IconImageHandle::IconImageHandle(HBITMAP bitmap) : m_hBitmap(bitmap)
{
    BITMAP object = {};
    if (bitmap != nullptr && ::GetObjectW(bitmap, sizeof(object), &object) != 0) {
        m_szIcon = CSize(object.bmWidth, object.bmHeight);
    }
}

IconImageHandle::~IconImageHandle()
{
    Clear();
}

IconImageHandle& IconImageHandle::operator=(HICON icon)
{
    Clear();
    m_hIcon = icon;
    m_bOwned = TRUE;
    m_szIcon = GetIconSize(icon);
    return *this;
}

IconImageHandle& IconImageHandle::operator=(HBITMAP bitmap)
{
    Clear();
    m_hBitmap = bitmap;
    m_bOwned = TRUE;
    BITMAP object = {};
    if (bitmap != nullptr && ::GetObjectW(bitmap, sizeof(object), &object) != 0) {
        m_szIcon = CSize(object.bmWidth, object.bmHeight);
    }
    return *this;
}

void IconImageHandle::SetPremultipliedBitmap(HBITMAP bitmap)
{
    *this = bitmap;
    m_pBits = DibBits(bitmap);
}

void IconImageHandle::AttachSlot(UTK_IMAGERESOURCE_INFO* slot, CSize size)
{
    Clear();
    m_pResource = slot;
    m_bOwned = TRUE;
    m_szIcon = size;
}

BOOL IconImageHandle::IsEmpty() const
{
    if (m_hIcon == nullptr && m_hBitmap == nullptr && m_pResource == nullptr) {
        return TRUE;
    }
    return m_szIcon.cx == 0 && m_szIcon.cy == 0 ? TRUE : FALSE;
}

BOOL IconImageHandle::IsAlpha() const
{
    return m_hBitmap != nullptr || (m_pResource != nullptr && m_pResource->bAlpha) ? TRUE : FALSE;
}

CSize IconImageHandle::GetExtent() const
{
    if (m_pResource != nullptr) {
        return m_pResource->pResource->GetExtent();
    }
    if (m_hIcon != nullptr) {
        return GetIconSize(m_hIcon);
    }
    if (m_hBitmap != nullptr) {
        BITMAP object = {};
        if (::GetObjectW(m_hBitmap, sizeof(object), &object) != 0) {
            return CSize(object.bmWidth, object.bmHeight);
        }
    }
    return CSize(0, 0);
}

void IconImageHandle::Clear()
{
    if (m_bOwned) {
        if (m_hIcon != nullptr) {
            ::DestroyIcon(m_hIcon);
        }
        if (m_hBitmap != nullptr) {
            ::DeleteObject(m_hBitmap);
        }
        if (m_pResource != nullptr) {
            m_pResource->pResource->FreeSlot(m_pResource);
        }
    }
    m_hIcon = nullptr;
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_pResource = nullptr;
    m_bOwned = FALSE;
    m_szIcon = CSize(0, 0);
}

LPBYTE IconImageHandle::GetBits()
{
    if (m_pBits != nullptr) {
        return m_pBits;
    }
    if (m_hBitmap == nullptr) {
        return nullptr;
    }
    HBITMAP premultiplied = PremultiplyBitmap(m_hBitmap);
    if (premultiplied == nullptr) {
        return nullptr;
    }
    const CSize size = m_szIcon;
    CUTKImageManager* manager = m_pImageManager;
    *this = premultiplied;  // owned from now on
    m_pImageManager = manager;
    m_szIcon = size;
    m_pBits = DibBits(premultiplied);
    return m_pBits;
}

void IconImageHandle::CopyHandle(const IconImageHandle& source)
{
    Clear();
    if (source.IsEmpty()) {
        return;
    }
    const CSize size = source.m_szIcon;
    if (m_pImageManager == nullptr || !m_pImageManager->m_bUseResources) {
        if (source.m_hIcon != nullptr) {
            *this = ::CopyIcon(source.m_hIcon);
        } else if (source.m_hBitmap != nullptr) {
            LPBYTE bits = nullptr;
            HBITMAP copy = CopyAlphaBitmap(source.m_hBitmap, &bits);
            *this = copy;
            // The copy keeps the source's premultiplied state.
            m_pBits = source.m_pBits != nullptr ? bits : nullptr;
        } else if (source.m_pResource != nullptr) {
            source.m_pResource->pResource->CopyFromResource(*this, source.m_pResource);
        }
        if (!IsEmpty()) {
            m_szIcon = size;
        }
        return;
    }
    CUTKImageManagerResource* resource = m_pImageManager->GetResource(size.cx, size.cy);
    UTK_IMAGERESOURCE_INFO* slot = nullptr;
    if (source.m_pResource != nullptr) {
        IconImageHandle detached;
        source.m_pResource->pResource->CopyFromResource(detached, source.m_pResource);
        slot = resource != nullptr ? resource->Add(detached) : nullptr;
    } else if (source.m_hBitmap != nullptr && source.m_pBits == nullptr) {
        // The resource wants premultiplied pixels: premultiply a private copy, not the source.
        IconImageHandle premultiplied;
        premultiplied = PremultiplyBitmap(source.m_hBitmap);
        premultiplied.m_pBits = DibBits(premultiplied.m_hBitmap);
        premultiplied.m_szIcon = size;
        slot = resource != nullptr ? resource->Add(premultiplied) : nullptr;
    } else {
        slot = resource != nullptr ? resource->Add(source) : nullptr;
    }
    if (slot != nullptr) {
        AttachSlot(slot, size);
    }
}

BOOL IconImageHandle::LoadFromResource(HMODULE module, LPCWSTR name, int cx, int cy, BOOL group)
{
    Clear();
    if (group) {
        HRSRC info = ::FindResourceW(module, name, RT_GROUP_ICON);
        HGLOBAL loaded = info != nullptr ? ::LoadResource(module, info) : nullptr;
        const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
        if (data != nullptr) {
            std::vector<orvane::IconDirectoryEntry> entries;
            if (!orvane::ParseIconDirectory(static_cast<const uint8_t*>(data),
                                            ::SizeofResource(module, info), entries)) {
                return FALSE;
            }
            for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
                if (it->width == cx && it->height == cy) {
                    return LoadFromResource(module, MAKEINTRESOURCEW(it->id), cx, cy, FALSE);
                }
            }
            return FALSE;
        }
    }
    HRSRC info = ::FindResourceW(module, name, RT_ICON);
    HGLOBAL loaded = info != nullptr ? ::LoadResource(module, info) : nullptr;
    auto* data = loaded != nullptr ? static_cast<BYTE*>(::LockResource(loaded)) : nullptr;
    const DWORD size = info != nullptr ? ::SizeofResource(module, info) : 0;
    if (data == nullptr || size < sizeof(BITMAPINFOHEADER)) {
        return FALSE;
    }
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(data);
    if (header->biBitCount != 32) {
        *this = ::CreateIconFromResourceEx(data, size, TRUE, 0x30000, cx, cy, LR_DEFAULTCOLOR);
    } else {
        orvane::DibLayout layout;
        size_t offset = 0;
        if (!orvane::Check32BitIconResource(data, size, layout, offset)) {
            return FALSE;
        }
        void* bits = nullptr;
        HBITMAP bitmap = ::Create32BitDIBSection(nullptr, layout.width, layout.height, &bits);
        if (bitmap == nullptr) {
            return FALSE;
        }
        std::memcpy(bits, data + offset, layout.imageBytes);
        *this = bitmap;
    }
    return IsEmpty() ? FALSE : TRUE;
}

void IconImageHandle::Draw(CDC* dc, CPoint point, CSize size, BOOL composited)
{
    if (dc == nullptr || IsEmpty()) {
        return;
    }
    if (m_pResource != nullptr) {
        m_pResource->pResource->Draw(dc, m_pResource, point, size, composited);
        return;
    }
    if (m_hIcon != nullptr) {
        if (IsImageMirrored(m_pImageManager, dc)) {
            point.x += size.cx;
            size.cx = -size.cx;
        }
        if (composited) {
            CUTKImageManager::DrawIconComposited(dc, point, size, m_hIcon);
        } else {
            ::DrawIconEx(dc->m_hDC, point.x, point.y, m_hIcon, size.cx, size.cy, 0, nullptr,
                         DI_NORMAL);
        }
        return;
    }
    DrawAlphaBitmap(dc, point, size);
}

void IconImageHandle::DrawAlphaBitmap(CDC* dc, CPoint point, CSize size)
{
    if (GetBits() == nullptr) {
        return;
    }
    const CSize extent = m_szIcon;
    int sourceY = 0;
    int sourceHeight = extent.cy;
    if (point.y < 0 && size.cy == extent.cy) {
        // Only the part below the DC's origin is drawn.
        sourceY = -point.y;
        sourceHeight = size.cy + point.y;
        size.cy = sourceHeight;
        point.y = 0;
        if (sourceHeight <= 0) {
            return;
        }
    }
    HDC source = ::CreateCompatibleDC(dc->m_hDC);
    {
        CSelectGuard select(source, m_hBitmap);
        const RECT target = {point.x, point.y, point.x + size.cx, point.y + size.cy};
        const RECT from = {0, sourceY, extent.cx, sourceY + sourceHeight};
        (void)CUTKImageManager::AlphaBlend(dc->m_hDC, target, source, from);
    }
    ::DeleteDC(source);
}
