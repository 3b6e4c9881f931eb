// The store of command icons: per command id an icon set with one icon per width, loaded from
// bitmap strips (PNG or BMP, with or without alpha), toolbar, icon and image-list sources, and
// looked up by id and width. One instance is shared by the process (GetImageManager); owners
// of their own create further instances. Icons of one size share image resources.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

#include "toolkit/common/CUTKImageManagerIcon.h"
#include "toolkit/common/CUTKImageManagerIconSet.h"
#include "toolkit/common/CUTKImageManagerImageList.h"
#include "toolkit/common/CUTKImageManagerResource.h"
#include "toolkit/common/IconImageHandle.h"
#include "toolkit/common/UTKImageFunctions.h"

class CUTKPropExchange;

class CUTKImageManager : public CCmdTarget {
    DECLARE_DYNAMIC(CUTKImageManager)

public:
    CUTKImageManager();
    ~CUTKImageManager() override;

    COLORREF SetMaskColor(COLORREF mask);
    COLORREF GetMaskColor() const noexcept { return m_clrMask; }

    // States: 0 normal, 1 disabled, 2 hot, 3 checked, 4 pressed. FALSE for an empty image, a
    // size that stays 0, an unknown state, or a state other than normal for a command that
    // has no icon yet.
    [[nodiscard]] BOOL SetIconImage(const IconImageHandle& image, UINT id, int cx, int cy,
                                    int state);
    [[nodiscard]] BOOL SetIconsFromBitmap(CBitmap* strip, const UINT* ids, int count, int cx,
                                          int cy, int state, BOOL alpha);
    [[nodiscard]] BOOL SetIconsFromResource(UINT bitmapId, const UINT* ids, int count, int cx,
                                            int cy, int state);
    [[nodiscard]] BOOL SetIconsFromResource(LPCWSTR bitmapName, const UINT* ids, int count,
                                            int cx, int cy, int state);
    [[nodiscard]] BOOL SetIconsFromToolBar(UINT toolBarId, UINT bitmapId, int state);
    [[nodiscard]] BOOL SetIconsFromImageList(CImageList* list, const UINT* ids, int count, int cx,
                                             int cy, int state);
    // An icon group of that name in the resource module (every matching entry), else a single
    // icon resource; TRUE only when an image was stored.
    [[nodiscard]] BOOL SetIconFromResource(LPCWSTR name, UINT id, int cx, int cy, int state);
    [[nodiscard]] BOOL SetIconsFromGroupIcon(HMODULE module, LPCWSTR name, UINT id, int cx,
                                             int cy, int state);
    // An icon group of that name in the resource module, else an icon file of that name.
    [[nodiscard]] BOOL SetIconFromNameOrFile(LPCWSTR name, UINT id, int cx = 0, int cy = 0,
                                             int state = 0);

    CUTKImageManagerIcon* GetImage(UINT id, int width = 0);
    BOOL IsImageAvailable(UINT id, int width = 0);
    CUTKImageManagerIconSet* GetIconSet(UINT id);
    void RefreshAll();
    void RemoveAll();
    CUTKImageManagerResource* GetResource(int cx, int cy);

    // Registers an image list for ids base .. base + count - 1 (owned: destroyed with the
    // manager).
    void AddImageList(HIMAGELIST imageList, UINT baseId, BOOL owned);

    // Persistence: every icon set, or one command's. Loading builds aside and replaces the
    // held icons only when everything read; a damaged stream raises the archive exception
    // and leaves them as they were.
    void Serialize(CArchive& ar) override;
    void ExchangeImages(CUTKPropExchange* px);
    void ExchangeIconSet(UINT id, CUTKPropExchange* px);

    // Blits: per-pixel alpha with constant alpha 255, and colour-key transparency; msimg32
    // when bound, else the manager's own code.
    static BOOL AlphaBlend(HDC dest, const RECT& destRect, HDC src, const RECT& srcRect);
    static BOOL TransparentBlt(HDC dest, const RECT& destRect, HDC src, const RECT& srcRect,
                               COLORREF transparent);
    // The own per-pixel blend (also reached when msimg32 is not bound).
    static BOOL AlphaBlendOwn(HDC dest, const RECT& destRect, HDC src, const RECT& srcRect);
    static BOOL TransparentBltOwn(HDC dest, const RECT& destRect, HDC src, const RECT& srcRect,
                                  COLORREF transparent);
    // Draws an icon with alpha built from a magenta key, for surfaces that need alpha.
    static void DrawIconComposited(CDC* dc, CPoint point, CSize size, HICON icon);

    BOOL m_bUseResources = TRUE;
    int m_nMirrorMode = 2;  // 0 never, 1 always, 2 when the DC's layout is right-to-left
    UINT m_nMaxCommand = 0x10AAA;

private:
    BOOL SetIconsFromBitmapSplit(HBITMAP strip, const UINT* ids, int count, int cx, int state);
    // Loads an icon set into a new set that the caller owns (null for a command without
    // sections); raises the archive exception for a damaged set.
    CUTKImageManagerIconSet* LoadIconSet(UINT id, CUTKPropExchange* px);
    void StoreIconSet(UINT id, CUTKPropExchange* px);
    void ReplaceIconSet(UINT id, CUTKImageManagerIconSet* iconSet);

    COLORREF m_clrMask = static_cast<COLORREF>(-1);
    CMap<UINT, UINT, CUTKImageManagerIconSet*, CUTKImageManagerIconSet*> m_mapImages{10};
    CArray<CUTKImageManagerImageList*, CUTKImageManagerImageList*> m_arrImageList;
    CMap<DWORD, DWORD, CUTKImageManagerResource*, CUTKImageManagerResource*> m_mapResources{10};
};

// The process-wide instance, built on first call and destroyed at exit.
CUTKImageManager* GetImageManager();
