// One shortcut entry of the shortcut manager's table.
#include "toolkit/commandbars/CUTKShortcutManagerAccel.h"

CUTKShortcutManagerAccel::CUTKShortcutManagerAccel(CUTKShortcutManager* manager,
                                                   const UTK_SHORTCUTMANAGER_ACCEL& accel)
    : m_accel(accel), m_pManager(manager)
{
}

CUTKShortcutManagerAccel::~CUTKShortcutManagerAccel() = default;

UTK_SHORTCUTMANAGER_ACCEL CUTKShortcutManagerAccel::FromAccel(const ACCEL& accel)
{
    UTK_SHORTCUTMANAGER_ACCEL result{};
    result.cmd = accel.cmd; // the older record's command is unsigned 16-bit
    result.key[0].fVirt = accel.fVirt;
    result.key[0].key = accel.key;
    return result;
}
