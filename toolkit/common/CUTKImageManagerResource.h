// Shared 32-bit bitmaps holding the images of every icon of one size side by side, one slot
// per image: a colour bitmap (premultiplied alpha pixels, or an icon's colours on black) and a
// monochrome mask. The bitmaps grow one cell at a time; freed cells are reused first.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKImageManager;
class CUTKImageManagerResource;
class IconImageHandle;

struct UTK_IMAGERESOURCE_INFO {
    BOOL bAlpha;
    CRect rc;
    CUTKImageManagerResource* pResource;
};

class CUTKImageManagerResource {
public:
    // The resource DC: remembers what was selected before a bitmap and puts it back.
    class CBitmapDC : public CDC {
    public:
        CBitmapDC() = default;
        ~CBitmapDC() override;
        void SetBitmap(HBITMAP bitmap);

    private:
        HGDIOBJ m_hOldBitmap = nullptr;
    };

    CUTKImageManagerResource(CUTKImageManager* manager, int cx, int cy);
    ~CUTKImageManagerResource();
    CUTKImageManagerResource(const CUTKImageManagerResource&) = delete;
    CUTKImageManagerResource& operator=(const CUTKImageManagerResource&) = delete;

    UTK_IMAGERESOURCE_INFO* AllocSlot();
    void FreeSlot(UTK_IMAGERESOURCE_INFO* slot);
    UTK_IMAGERESOURCE_INFO* Add(const IconImageHandle& image);
    void CopyFromResource(IconImageHandle& target, UTK_IMAGERESOURCE_INFO* slot);
    void Draw(CDC* dc, UTK_IMAGERESOURCE_INFO* slot, CPoint point, CSize size, BOOL composited);

    CSize GetExtent() const noexcept { return CSize(m_nWidth, m_nHeight); }
    int GetUsedWidth() const noexcept { return m_nUsedWidth; }
    INT_PTR GetSlotsInUse() const noexcept { return m_arrAlloc.GetSize(); }
    HBITMAP GetColorBitmap() const noexcept { return m_hbmpImage; }
    HBITMAP GetMaskBitmap() const noexcept { return m_hbmpMask; }
    CUTKImageManager* GetImageManager() const noexcept { return m_pImageManager; }

    // The common-controls version the icon path is chosen by; 0 asks the system (tests set
    // another to reach the premultiplied branch on an older library).
    static void OverrideComCtlVersion(DWORD version) noexcept;

private:
    void Clear();
    BOOL AddIcon(HICON icon, UTK_IMAGERESOURCE_INFO* slot);
    void CopyCell(const BYTE* source, int sourceWidth, UTK_IMAGERESOURCE_INFO* slot);

    HBITMAP m_hbmpImage = nullptr;
    HBITMAP m_hbmpMask = nullptr;
    CBitmapDC m_dc;
    LPBYTE m_pBits = nullptr;
    CUTKImageManager* m_pImageManager;
    int m_nWidth;
    int m_nHeight;
    int m_nUsedWidth = 0;
    CArray<UTK_IMAGERESOURCE_INFO*, UTK_IMAGERESOURCE_INFO*> m_arrAlloc;
    CArray<UTK_IMAGERESOURCE_INFO*, UTK_IMAGERESOURCE_INFO*> m_arrFree;
    CRITICAL_SECTION m_cs;
};
