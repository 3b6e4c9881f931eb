// A system image list presented as command icons.
#include "toolkit/common/CUTKImageManagerImageList.h"

#include <commctrl.h>

#include "toolkit/common/CUTKImageManagerIcon.h"

CUTKImageManagerImageList::CUTKImageManagerImageList(HIMAGELIST imageList, UINT baseId,
                                                     BOOL owned)
    : m_hImageList(imageList), m_bDestroyImageList(owned), m_nBaseCommand(baseId)
{
}

CUTKImageManagerImageList::~CUTKImageManagerImageList()
{
    if (m_bDestroyImageList && m_hImageList != nullptr) {
        ::ImageList_Destroy(m_hImageList);
    }
    RemoveIcons();
}

BOOL CUTKImageManagerImageList::Lookup(UINT id) const
{
    const int count = m_hImageList != nullptr ? ::ImageList_GetImageCount(m_hImageList) : 0;
    return id >= m_nBaseCommand && id - m_nBaseCommand < static_cast<UINT>(count) ? TRUE : FALSE;
}

CUTKImageManagerIcon* CUTKImageManagerImageList::GetIcon(UINT id)
{
    CUTKImageManagerIcon* icon = nullptr;
    if (!m_mapIcons.Lookup(id, icon)) {
        const CSize size = GetIconSize();
        icon = new CUTKImageManagerIcon(id, size.cx, size.cy, this);
        m_mapIcons.SetAt(id, icon);
    }
    return icon;
}

CSize CUTKImageManagerImageList::GetIconSize() const
{
    int cx = 0;
    int cy = 0;
    if (m_hImageList != nullptr) {
        ::ImageList_GetIconSize(m_hImageList, &cx, &cy);
    }
    return CSize(cx, cy);
}

void CUTKImageManagerImageList::RemoveIcons()
{
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos != nullptr) {
        UINT key = 0;
        CUTKImageManagerIcon* icon = nullptr;
        m_mapIcons.GetNextAssoc(pos, key, icon);
        icon->InternalRelease();
    }
    m_mapIcons.RemoveAll();
}
