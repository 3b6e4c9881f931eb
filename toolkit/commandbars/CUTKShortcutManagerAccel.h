// One keyboard shortcut of the shortcut manager: the 12-byte record stored in profiles and
// blobs (a command and up to two keystrokes, a chord when the second is set), and the
// reference-counted object the manager's table holds for each.
#pragma once

#include <windows.h>

#include "platform/framework/window/CCmdTarget.h"

// Key flags of a keystroke besides the system's FVIRTKEY, FNOINVERT, FSHIFT, FCONTROL, FALT.
constexpr BYTE UTK_FWINKEY = 0x20;

// Little-endian, 12 bytes: command id, then two keystrokes each as flags, a padding byte
// (any value, ignored) and a key (virtual key with FVIRTKEY, else a character).
struct UTK_SHORTCUTMANAGER_ACCEL {
    struct KEY {
        BYTE fVirt;
        BYTE pad;
        WORD key;
    };
    int cmd;
    KEY key[2];
};
static_assert(sizeof(UTK_SHORTCUTMANAGER_ACCEL) == 12, "the stored record is 12 bytes");
static_assert(sizeof(ACCEL) == 6, "the older stored record is 6 bytes");

class CUTKShortcutManager;

class CUTKShortcutManagerAccel : public CCmdTarget {
public:
    CUTKShortcutManagerAccel(CUTKShortcutManager* manager, const UTK_SHORTCUTMANAGER_ACCEL& accel);
    ~CUTKShortcutManagerAccel() override;

    // A system ACCEL record as a single keystroke (no second key).
    static UTK_SHORTCUTMANAGER_ACCEL FromAccel(const ACCEL& accel);

    int GetCommand() const { return m_accel.cmd; }
    // A second key of 0 is none (its flags alone make no chord).
    BOOL IsChord() const { return m_accel.key[1].key != 0; }

    UTK_SHORTCUTMANAGER_ACCEL m_accel;
    CUTKShortcutManager* m_pManager;
};
