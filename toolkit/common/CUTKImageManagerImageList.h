// A system image list presented as icons of a range of command ids: image i belongs to
// command base + i. Icon wrappers are made on first request and kept until RemoveIcons.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKImageManagerIcon;

class CUTKImageManagerImageList {
public:
    // owned: the wrapper destroys the list with itself.
    CUTKImageManagerImageList(HIMAGELIST imageList, UINT baseId, BOOL owned);
    ~CUTKImageManagerImageList();
    CUTKImageManagerImageList(const CUTKImageManagerImageList&) = delete;
    CUTKImageManagerImageList& operator=(const CUTKImageManagerImageList&) = delete;

    BOOL Lookup(UINT id) const;
    CUTKImageManagerIcon* GetIcon(UINT id);
    CSize GetIconSize() const;
    void RemoveIcons();

    HIMAGELIST GetImageList() const noexcept { return m_hImageList; }
    UINT GetBaseId() const noexcept { return m_nBaseCommand; }

private:
    HIMAGELIST m_hImageList;
    BOOL m_bDestroyImageList;
    UINT m_nBaseCommand;
    CMap<UINT, UINT, CUTKImageManagerIcon*, CUTKImageManagerIcon*> m_mapIcons;
};
