// One image of an icon in one of three forms: an icon handle, a 32-bit alpha bitmap, or a slot
// in a shared image resource of its manager. Owning handles destroy what they hold; copies are
// made explicitly with CopyHandle (into the manager's resource when it uses resources).
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKImageManager;
struct UTK_IMAGERESOURCE_INFO;

class IconImageHandle {
public:
    IconImageHandle() noexcept = default;
    // Non-owning wrappers.
    explicit IconImageHandle(HICON icon);
    explicit IconImageHandle(HBITMAP bitmap);
    ~IconImageHandle();
    IconImageHandle(const IconImageHandle&) = delete;
    IconImageHandle& operator=(const IconImageHandle&) = delete;

    // Owning assignment (the previous content is released first).
    IconImageHandle& operator=(HICON icon);
    IconImageHandle& operator=(HBITMAP bitmap);
    // Takes an owned alpha bitmap whose pixels are already premultiplied.
    void SetPremultipliedBitmap(HBITMAP bitmap);

    BOOL IsEmpty() const;
    BOOL IsAlpha() const;
    CSize GetExtent() const;
    void Clear();
    // The premultiplied pixels of an alpha bitmap (made on first call), else null.
    LPBYTE GetBits();
    // Releases, then copies source (into the manager's image resource when it has one).
    void CopyHandle(const IconImageHandle& source);
    // An icon resource of module (group or single image); TRUE when something was loaded.
    BOOL LoadFromResource(HMODULE module, LPCWSTR name, int cx, int cy, BOOL group);
    // Draws at (x, y) in cx by cy; nothing for an empty image.
    void Draw(CDC* dc, CPoint point, CSize size, BOOL composited);

    HICON GetIcon() const noexcept { return m_hIcon; }
    HBITMAP GetBitmap() const noexcept { return m_hBitmap; }
    UTK_IMAGERESOURCE_INFO* GetSlot() const noexcept { return m_pResource; }
    CUTKImageManager* GetManager() const noexcept { return m_pImageManager; }
    void SetManager(CUTKImageManager* manager) noexcept { m_pImageManager = manager; }
    BOOL IsOwned() const noexcept { return m_bOwned; }

    // Takes an owned slot of an image resource (used by the resources only).
    void AttachSlot(UTK_IMAGERESOURCE_INFO* slot, CSize size);

private:
    void DrawAlphaBitmap(CDC* dc, CPoint point, CSize size);

    HICON m_hIcon = nullptr;
    HBITMAP m_hBitmap = nullptr;
    LPBYTE m_pBits = nullptr;
    BOOL m_bOwned = FALSE;
    CUTKImageManager* m_pImageManager = nullptr;
    UTK_IMAGERESOURCE_INFO* m_pResource = nullptr;
    CSize m_szIcon{0, 0};
};

// The mirror decision of an image drawn into dc: the manager's mirror mode (the shared
// manager's when null), mode 2 following the DC's layout.
BOOL IsImageMirrored(CUTKImageManager* manager, CDC* dc);
