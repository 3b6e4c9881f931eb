// The shortcut manager's table of shortcuts: an ordered array of reference-counted entries that
// know their manager. The table holds one reference per entry and releases them when it is
// emptied or destroyed.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/framework/CTypedPtrArray.h"
#include "toolkit/commandbars/CUTKShortcutManagerAccel.h"

class CUTKShortcutManagerAccelTable
    : public CTypedPtrArray<CPtrArray, CUTKShortcutManagerAccel*> {
public:
    explicit CUTKShortcutManagerAccelTable(CUTKShortcutManager* manager);
    ~CUTKShortcutManagerAccelTable() override;
    CUTKShortcutManagerAccelTable(const CUTKShortcutManagerAccelTable&) = delete;
    CUTKShortcutManagerAccelTable& operator=(const CUTKShortcutManagerAccelTable&) = delete;

    // Releases every entry.
    void RemoveAll();
    // Appends a copy of the record; the new entry knows this table's manager.
    CUTKShortcutManagerAccel* Add(const UTK_SHORTCUTMANAGER_ACCEL& accel);
    // Replace the table (emptied first) with system ACCEL records or 12-byte records.
    void CopyAccels(const ACCEL* accels, int count);
    void CopyAccels(const UTK_SHORTCUTMANAGER_ACCEL* accels, int count);
    // Replaces the table with copies of another's entries.
    void Copy(const CUTKShortcutManagerAccelTable& source);
    // The entries as a new array of 12-byte records (count in count).
    std::unique_ptr<UTK_SHORTCUTMANAGER_ACCEL[]> CopyAccels(int& count) const;

    int GetCount() const { return static_cast<int>(GetSize()); }
    CUTKShortcutManager* GetManager() const { return m_pManager; }

private:
    CUTKShortcutManager* m_pManager;
};
