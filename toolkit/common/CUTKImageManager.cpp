// The image manager: icon sets by command id, loading from strips, toolbars, icons and image
// lists, and lookups by id and width.
#include "toolkit/common/CUTKImageManager.h"

#include <commctrl.h>

#include "platform/base/CSelectGuard.h"
#include "toolkit/common/ImageRecordFormats.h"

#include <cstring>
#include <memory>

IMPLEMENT_DYNAMIC(CUTKImageManager, CCmdTarget)

CUTKImageManager::CUTKImageManager()
{
    m_mapImages.InitHashTable(127);
}

CUTKImageManager::~CUTKImageManager()
{
    RemoveAll();
}

CUTKImageManager* GetImageManager()
{
    static CUTKImageManager manager;
    return &manager;
}

COLORREF CUTKImageManager::SetMaskColor(COLORREF mask)
{
    const COLORREF previous = m_clrMask;
    m_clrMask = mask;
    return previous;
}

CUTKImageManagerIconSet* CUTKImageManager::GetIconSet(UINT id)
{
    CUTKImageManagerIconSet* iconSet = nullptr;
    return m_mapImages.Lookup(id, iconSet) ? iconSet : nullptr;
}

BOOL CUTKImageManager::SetIconImage(const IconImageHandle& image, UINT id, int cx, int cy,
                                    int state)
{
    if (image.IsEmpty()) {
        return FALSE;
    }
    if (cx == 0 && cy == 0) {
        const CSize size = image.GetExtent();
        cx = size.cx;
        cy = size.cy;
        if (cx == 0) {
            return FALSE;
        }
    }
    if (state < 0 || state > 4) {
        // Nothing is stored for a state the manager does not know: say so.
        return FALSE;
    }
    CUTKImageManagerIconSet* iconSet = GetIconSet(id);
    if (iconSet == nullptr) {
        if (state != 0) {
            return FALSE;
        }
        iconSet = new CUTKImageManagerIconSet(id, this);
        iconSet->SetIcon(image, cx);
        m_mapImages.SetAt(id, iconSet);
        return TRUE;
    }
    switch (state) {
    case 0:
        iconSet->SetIcon(image, cx);
        break;
    case 1:
        iconSet->SetDisabledIcon(image, cx);
        break;
    case 2:
        iconSet->SetHotIcon(image, cx);
        break;
    case 3:
        iconSet->SetCheckedIcon(image, cx);
        break;
    default:
        iconSet->SetPressedIcon(image, cx);
        break;
    }
    return TRUE;
}

BOOL CUTKImageManager::SetIconsFromBitmap(CBitmap* strip, const UINT* ids, int count, int cx,
                                          int cy, int state, BOOL alpha)
{
    BITMAP object = {};
    if (strip == nullptr || strip->GetSafeHandle() == nullptr || strip->GetBitmap(&object) == 0) {
        return FALSE;
    }
    if (cx == 0 && cy == 0 && count > 0) {
        cx = object.bmWidth / count;
        cy = object.bmHeight;
    }
    if (count == 0 && cx > 0) {
        count = object.bmWidth / cx;
    }
    if (cx <= 0) {
        return FALSE;
    }
    if (cy <= 0) {
        cy = object.bmHeight;
    }
    if (alpha) {
        return SetIconsFromBitmapSplit(static_cast<HBITMAP>(strip->GetSafeHandle()), ids, count,
                                       cx, state);
    }
    CImageList list;
    if (!list.Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 1)) {
        return FALSE;
    }
    COLORREF mask = m_clrMask;
    if (mask == static_cast<COLORREF>(-1)) {
        HDC dc = ::CreateCompatibleDC(nullptr);
        {
            CSelectGuard select(dc, strip->GetSafeHandle());
            mask = ::GetPixel(dc, 0, 0);
        }
        ::DeleteDC(dc);
    }
    if (::ImageList_AddMasked(list.m_hImageList, static_cast<HBITMAP>(strip->GetSafeHandle()),
                              mask) < 0) {
        return FALSE;
    }
    return SetIconsFromImageList(&list, ids, count, cx, cy, state);
}

BOOL CUTKImageManager::SetIconsFromBitmapSplit(HBITMAP strip, const UINT* ids, int count, int cx,
                                               int state)
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    if (!ReadBitmapPixels32(strip, width, height, pixels)) {
        return FALSE;
    }
    if (width % cx != 0) {
        return FALSE;
    }
    const int cells = width / cx;
    int cell = 0;
    for (int j = 0; j < count; ++j) {
        if (ids != nullptr && count != cells && ids[j] == 0) {
            continue;  // a separator takes no cell
        }
        if (cell >= cells) {
            break;
        }
        void* bits = nullptr;
        HBITMAP image = Create32BitDIBSection(nullptr, cx, height, &bits);
        if (image == nullptr) {
            return FALSE;
        }
        auto* out = static_cast<uint32_t*>(bits);
        for (int y = 0; y < height; ++y) {
            std::memcpy(out + static_cast<size_t>(y) * static_cast<size_t>(cx),
                        pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width) +
                            static_cast<size_t>(cell) * static_cast<size_t>(cx),
                        static_cast<size_t>(cx) * 4);
        }
        ::GdiFlush();
        IconImageHandle handle;
        handle = image;
        (void)SetIconImage(handle, ids != nullptr ? ids[j] : static_cast<UINT>(j), cx, height,
                           state);
        ++cell;
    }
    return TRUE;
}

BOOL CUTKImageManager::SetIconsFromResource(LPCWSTR bitmapName, const UINT* ids, int count,
                                            int cx, int cy, int state)
{
    BOOL alpha = FALSE;
    HBITMAP loaded = LoadResourceBitmap(bitmapName, &alpha);
    if (loaded == nullptr) {
        return FALSE;
    }
    CBitmap strip;
    strip.Attach(loaded);
    return SetIconsFromBitmap(&strip, ids, count, cx, cy, state, alpha);
}

BOOL CUTKImageManager::SetIconsFromResource(UINT bitmapId, const UINT* ids, int count, int cx,
                                            int cy, int state)
{
    return SetIconsFromResource(MAKEINTRESOURCEW(bitmapId), ids, count, cx, cy, state);
}

BOOL CUTKImageManager::SetIconsFromToolBar(UINT toolBarId, UINT bitmapId, int state)
{
    UINT* ids = nullptr;
    int count = 0;
    SIZE size = {0, 0};
    if (!ReadToolBarResource(toolBarId, ids, count, size)) {
        return FALSE;
    }
    std::unique_ptr<UINT[]> owned(ids);
    if (count == 0) {
        return FALSE;
    }
    return SetIconsFromResource(bitmapId, owned.get(), count, 0, 0, state);
}

BOOL CUTKImageManager::SetIconsFromImageList(CImageList* list, const UINT* ids, int count, int cx,
                                             int cy, int state)
{
    if (list == nullptr || list->m_hImageList == nullptr) {
        return FALSE;
    }
    const int images = ::ImageList_GetImageCount(list->m_hImageList);
    if (count == 0 && ids == nullptr) {
        count = images;
    }
    if (cx == 0 && cy == 0 && count > 0) {
        IMAGEINFO info = {};
        if (::ImageList_GetImageInfo(list->m_hImageList, 0, &info)) {
            cx = info.rcImage.right - info.rcImage.left;
            cy = info.rcImage.bottom - info.rcImage.top;
        }
    }
    const bool complete = count == images;
    int next = 0;
    for (int j = 0; j < count; ++j) {
        if (ids != nullptr && !complete && ids[j] == 0) {
            continue;
        }
        if (next >= images) {
            break;
        }
        HICON icon = ::ImageList_GetIcon(list->m_hImageList, next, 0);
        if (icon == nullptr) {
            return FALSE;
        }
        IconImageHandle handle;
        handle = icon;
        (void)SetIconImage(handle, ids != nullptr ? ids[j] : static_cast<UINT>(j), cx, cy, state);
        ++next;
    }
    return TRUE;
}

BOOL CUTKImageManager::SetIconsFromGroupIcon(HMODULE module, LPCWSTR name, UINT id, int cx,
                                             int cy, int state)
{
    HRSRC info = ::FindResourceW(module, name, RT_GROUP_ICON);
    HGLOBAL loaded = info != nullptr ? ::LoadResource(module, info) : nullptr;
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr) {
        IconImageHandle single;
        if (!single.LoadFromResource(module, name, cx, cy, FALSE)) {
            return FALSE;
        }
        return SetIconImage(single, id, cx, cy, state);
    }
    std::vector<orvane::IconDirectoryEntry> entries;
    if (!orvane::ParseIconDirectory(static_cast<const uint8_t*>(data),
                                    ::SizeofResource(module, info), entries)) {
        return FALSE;
    }
    BOOL stored = FALSE;
    for (const orvane::IconDirectoryEntry& entry : entries) {
        if ((cx != 0 || cy != 0) && (entry.width != cx || entry.height != cy)) {
            continue;
        }
        IconImageHandle image;
        if (!image.LoadFromResource(module, MAKEINTRESOURCEW(entry.id), entry.width,
                                    entry.height, FALSE) ||
            !SetIconImage(image, id, entry.width, entry.height, state)) {
            return FALSE;
        }
        stored = TRUE;
    }
    // A group without a matching entry stored nothing.
    return stored;
}

BOOL CUTKImageManager::SetIconFromResource(LPCWSTR name, UINT id, int cx, int cy, int state)
{
    HMODULE module = AfxGetResourceHandle();
    if (::FindResourceW(module, name, RT_GROUP_ICON) != nullptr) {
        return SetIconsFromGroupIcon(module, name, id, cx, cy, state);
    }
    IconImageHandle image;
    if (!image.LoadFromResource(module, name, cx, cy, FALSE)) {
        return FALSE;
    }
    return SetIconImage(image, id, cx, cy, state);
}

BOOL CUTKImageManager::SetIconFromNameOrFile(LPCWSTR name, UINT id, int cx, int cy, int state)
{
    if (name == nullptr) {
        return FALSE;
    }
    HMODULE module = AfxGetResourceHandle();
    if (::FindResourceW(module, name, RT_GROUP_ICON) != nullptr) {
        return SetIconsFromGroupIcon(module, name, id, cx, cy, state);
    }
    if (IS_INTRESOURCE(name)) {
        return FALSE;
    }
    auto* icon = static_cast<HICON>(
        ::LoadImageW(nullptr, name, IMAGE_ICON, cx, cy, LR_LOADFROMFILE | LR_DEFAULTCOLOR));
    if (icon == nullptr) {
        return FALSE;
    }
    IconImageHandle image;
    image = icon;
    return SetIconImage(image, id, cx, cy, state);
}

CUTKImageManagerIcon* CUTKImageManager::GetImage(UINT id, int width)
{
    if (CUTKImageManagerIconSet* iconSet = GetIconSet(id)) {
        return iconSet->GetIcon(width, TRUE);
    }
    for (INT_PTR i = 0; i < m_arrImageList.GetSize(); ++i) {
        if (m_arrImageList[i]->Lookup(id)) {
            return m_arrImageList[i]->GetIcon(id);
        }
    }
    return nullptr;
}

BOOL CUTKImageManager::IsImageAvailable(UINT id, int width)
{
    if (CUTKImageManagerIconSet* iconSet = GetIconSet(id)) {
        if (width == 0 ? iconSet->GetIcon(0) != nullptr : iconSet->GetIcon(width, FALSE) != nullptr) {
            return TRUE;
        }
    }
    for (INT_PTR i = 0; i < m_arrImageList.GetSize(); ++i) {
        if (m_arrImageList[i]->Lookup(id)) {
            return width == 0 || m_arrImageList[i]->GetIconSize().cx == width ? TRUE : FALSE;
        }
    }
    return FALSE;
}

void CUTKImageManager::RefreshAll()
{
    POSITION pos = m_mapImages.GetStartPosition();
    while (pos != nullptr) {
        UINT id = 0;
        CUTKImageManagerIconSet* iconSet = nullptr;
        m_mapImages.GetNextAssoc(pos, id, iconSet);
        iconSet->RefreshAll();
    }
    for (INT_PTR i = 0; i < m_arrImageList.GetSize(); ++i) {
        m_arrImageList[i]->RemoveIcons();
    }
}

void CUTKImageManager::RemoveAll()
{
    POSITION pos = m_mapImages.GetStartPosition();
    while (pos != nullptr) {
        UINT id = 0;
        CUTKImageManagerIconSet* iconSet = nullptr;
        m_mapImages.GetNextAssoc(pos, id, iconSet);
        iconSet->RemoveAll();
        iconSet->InternalRelease();
    }
    m_mapImages.RemoveAll();
    // Icons are gone from the sets; what a holder keeps no longer points into a resource.
    POSITION resources = m_mapResources.GetStartPosition();
    while (resources != nullptr) {
        DWORD key = 0;
        CUTKImageManagerResource* resource = nullptr;
        m_mapResources.GetNextAssoc(resources, key, resource);
        delete resource;
    }
    m_mapResources.RemoveAll();
    for (INT_PTR i = 0; i < m_arrImageList.GetSize(); ++i) {
        delete m_arrImageList[i];
    }
    m_arrImageList.RemoveAll();
}

CUTKImageManagerResource* CUTKImageManager::GetResource(int cx, int cy)
{
    const DWORD key = (static_cast<DWORD>(cy) << 16) | (static_cast<DWORD>(cx) & 0xFFFF);
    CUTKImageManagerResource* resource = nullptr;
    if (!m_mapResources.Lookup(key, resource)) {
        resource = new CUTKImageManagerResource(this, cx, cy);
        m_mapResources.SetAt(key, resource);
    }
    return resource;
}

void CUTKImageManager::AddImageList(HIMAGELIST imageList, UINT baseId, BOOL owned)
{
    if (imageList != nullptr) {
        m_arrImageList.Add(new CUTKImageManagerImageList(imageList, baseId, owned));
    }
}
