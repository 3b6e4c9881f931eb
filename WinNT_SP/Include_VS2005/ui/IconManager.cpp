// Command icons: strip 139 (23 icons), strip 147 (2 icons, not in the program's resources) and
// icon resource 140.
#include "WinNT_SP/Include_VS2005/ui/IconManager.h"

#include "platform/framework/window/FrameworkWindows.h"
#include "WinNT_SP/Include_VS2005/ui/ResourceBitmap.h"
#include "WinNT_SP/Include_VS2005/ui/SupportUiResource.h"

#include <commctrl.h>

namespace {

constexpr UINT kExtraStrip = 147;
constexpr COLORREF kStripMask = 0xC0C0C0;

}  // namespace

IconManager::~IconManager()
{
    for (HICON& icon : m_icons) {
        if (icon) {
            ::DestroyIcon(icon);
            icon = nullptr;
        }
    }
}

bool IconManager::LoadStrip(UINT resourceId, int count, int firstSlot)
{
    BOOL hasAlpha = FALSE;
    HBITMAP strip = LoadResourceBitmap(resourceId, &hasAlpha);
    if (!strip) {
        return false;
    }
    BITMAP info = {};
    ::GetObjectW(strip, sizeof(info), &info);
    const int width = info.bmWidth / count;
    bool ok = false;
    if (width > 0 && info.bmHeight > 0) {
        HIMAGELIST list = ImageList_Create(width, info.bmHeight, ILC_COLOR32 | ILC_MASK, count, 0);
        if (list && ImageList_AddMasked(list, strip, kStripMask) >= 0) {
            for (int i = 0; i < count; ++i) {
                m_icons[firstSlot + i] = ImageList_GetIcon(list, i, ILD_NORMAL);
            }
            ok = true;
        }
        if (list) {
            ImageList_Destroy(list);
        }
    }
    ::DeleteObject(strip);
    return ok;
}

HICON IconManager::GetIcon(UINT index)
{
    if (index >= kIconCount) {
        return nullptr;
    }
    if (!m_icons[index]) {
        if (index <= 22) {
            LoadStrip(IDB_COMMAND_STRIP, 23, 0);
        } else if (index <= 24) {
            LoadStrip(kExtraStrip, 2, 23);
        } else {
            m_icons[25] = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(),
                                                          MAKEINTRESOURCEW(IDI_COMMAND_EXTRA),
                                                          IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
        }
    }
    return m_icons[index];
}

IconManager& TheIconManager()
{
    static IconManager manager;
    return manager;
}
