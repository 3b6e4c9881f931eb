// The icons of one command, keyed by width, with the closest-width lookup.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKImageManager;
class CUTKImageManagerIcon;
class IconImageHandle;

class CUTKImageManagerIconSet : public CCmdTarget {
    DECLARE_DYNAMIC(CUTKImageManagerIconSet)

public:
    CUTKImageManagerIconSet(UINT id, CUTKImageManager* manager);
    ~CUTKImageManagerIconSet() override;

    // Width 0: the narrowest icon; 1: the widest; otherwise that width exactly or, when
    // scaled, the nearest (the first met on a tie).
    CUTKImageManagerIcon* GetIcon(int width, BOOL scaled = TRUE);
    CUTKImageManagerIcon* CreateIcon(int width);
    void SetIcon(const IconImageHandle& image, int width);
    void SetDisabledIcon(const IconImageHandle& image, int width);
    void SetHotIcon(const IconImageHandle& image, int width);
    void SetCheckedIcon(const IconImageHandle& image, int width);
    void SetPressedIcon(const IconImageHandle& image, int width);
    void RemoveAll();
    void RefreshAll();

    UINT GetID() const noexcept { return m_nID; }
    CUTKImageManager* GetImageManager() const noexcept { return m_pImageManager; }
    CMap<UINT, UINT, CUTKImageManagerIcon*, CUTKImageManagerIcon*>* GetIcons() noexcept
    {
        return &m_mapIcons;
    }
    // Puts an icon in under width (the set takes the caller's reference), releasing one held
    // there before.
    void SetAt(int width, CUTKImageManagerIcon* icon);

private:
    CMap<UINT, UINT, CUTKImageManagerIcon*, CUTKImageManagerIcon*> m_mapIcons{10};
    UINT m_nID;
    CUTKImageManager* m_pImageManager;
};
