// The command icons of the player's user interface, cut once from bitmap strips (and one icon
// resource) and kept for the life of the process.
#pragma once

#include <windows.h>

class IconManager {
public:
    static constexpr int kIconCount = 26;

    // NULL for an index above 25 or an icon that cannot be loaded; a strip that fails to load
    // is tried again on the next request. The handles stay owned by the manager.
    HICON GetIcon(UINT index);

    ~IconManager();

private:
    bool LoadStrip(UINT resourceId, int count, int firstSlot);

    HICON m_icons[kIconCount] = {};
};

// The one process-wide instance, made on first use.
IconManager& TheIconManager();
