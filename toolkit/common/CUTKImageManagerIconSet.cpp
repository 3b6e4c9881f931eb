// The icons of one command keyed by width.
#include "toolkit/common/CUTKImageManagerIconSet.h"

#include "toolkit/common/CUTKImageManager.h"

#include <cstdlib>

IMPLEMENT_DYNAMIC(CUTKImageManagerIconSet, CCmdTarget)

CUTKImageManagerIconSet::CUTKImageManagerIconSet(UINT id, CUTKImageManager* manager)
    : m_nID(id), m_pImageManager(manager)
{
}

CUTKImageManagerIconSet::~CUTKImageManagerIconSet()
{
    RemoveAll();
}

CUTKImageManagerIcon* CUTKImageManagerIconSet::GetIcon(int width, BOOL scaled)
{
    if (m_mapIcons.GetCount() == 0) {
        return nullptr;
    }
    CUTKImageManagerIcon* found = nullptr;
    if (width != 0 && width != 1) {
        if (m_mapIcons.Lookup(static_cast<UINT>(width), found)) {
            return found;
        }
        if (!scaled) {
            return nullptr;
        }
    }
    int best = 0;
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos != nullptr) {
        UINT key = 0;
        CUTKImageManagerIcon* icon = nullptr;
        m_mapIcons.GetNextAssoc(pos, key, icon);
        const int w = static_cast<int>(key);
        bool better = false;
        if (found == nullptr) {
            better = true;
        } else if (width == 0) {
            better = w < best;
        } else if (width == 1) {
            better = w > best;
        } else {
            better = std::abs(w - width) < std::abs(best - width);
        }
        if (better) {
            found = icon;
            best = w;
        }
    }
    return found;
}

CUTKImageManagerIcon* CUTKImageManagerIconSet::CreateIcon(int width)
{
    CUTKImageManagerIcon* icon = nullptr;
    if (!m_mapIcons.Lookup(static_cast<UINT>(width), icon)) {
        icon = new CUTKImageManagerIcon(m_nID, width, 15, this);
        m_mapIcons.SetAt(static_cast<UINT>(width), icon);
    }
    return icon;
}

void CUTKImageManagerIconSet::SetAt(int width, CUTKImageManagerIcon* icon)
{
    CUTKImageManagerIcon* old = nullptr;
    if (m_mapIcons.Lookup(static_cast<UINT>(width), old) && old != icon) {
        old->Clear();
        old->InternalRelease();
    }
    m_mapIcons.SetAt(static_cast<UINT>(width), icon);
}

void CUTKImageManagerIconSet::SetIcon(const IconImageHandle& image, int width)
{
    CreateIcon(width)->SetNormalIcon(image);
}

void CUTKImageManagerIconSet::SetDisabledIcon(const IconImageHandle& image, int width)
{
    CreateIcon(width)->SetDisabledIcon(image);
}

void CUTKImageManagerIconSet::SetHotIcon(const IconImageHandle& image, int width)
{
    CreateIcon(width)->SetHotIcon(image);
}

void CUTKImageManagerIconSet::SetCheckedIcon(const IconImageHandle& image, int width)
{
    CreateIcon(width)->SetCheckedIcon(image);
}

void CUTKImageManagerIconSet::SetPressedIcon(const IconImageHandle& image, int width)
{
    CreateIcon(width)->SetPressedIcon(image);
}

void CUTKImageManagerIconSet::RemoveAll()
{
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos != nullptr) {
        UINT key = 0;
        CUTKImageManagerIcon* icon = nullptr;
        m_mapIcons.GetNextAssoc(pos, key, icon);
        icon->Clear();
        icon->m_pIconSet = nullptr;
        icon->InternalRelease();
    }
    m_mapIcons.RemoveAll();
}

void CUTKImageManagerIconSet::RefreshAll()
{
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos != nullptr) {
        UINT key = 0;
        CUTKImageManagerIcon* icon = nullptr;
        m_mapIcons.GetNextAssoc(pos, key, icon);
        icon->Refresh();
    }
}
