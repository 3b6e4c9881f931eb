// The shortcut manager's table: one reference per entry, released when emptied or destroyed.
#include "toolkit/commandbars/CUTKShortcutManagerAccelTable.h"

CUTKShortcutManagerAccelTable::CUTKShortcutManagerAccelTable(CUTKShortcutManager* manager)
    : m_pManager(manager)
{
}

CUTKShortcutManagerAccelTable::~CUTKShortcutManagerAccelTable()
{
    RemoveAll();
}

void CUTKShortcutManagerAccelTable::RemoveAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        GetAt(i)->InternalRelease();
    }
    CPtrArray::RemoveAll();
}

CUTKShortcutManagerAccel* CUTKShortcutManagerAccelTable::Add(
    const UTK_SHORTCUTMANAGER_ACCEL& accel)
{
    auto* entry = new CUTKShortcutManagerAccel(m_pManager, accel);
    try {
        CTypedPtrArray::Add(entry);
    } catch (...) {
        entry->InternalRelease();
        throw;
    }
    return entry;
}

void CUTKShortcutManagerAccelTable::CopyAccels(const ACCEL* accels, int count)
{
    RemoveAll();
    for (int i = 0; accels != nullptr && i < count; ++i) {
        Add(CUTKShortcutManagerAccel::FromAccel(accels[i]));
    }
}

void CUTKShortcutManagerAccelTable::CopyAccels(const UTK_SHORTCUTMANAGER_ACCEL* accels, int count)
{
    RemoveAll();
    for (int i = 0; accels != nullptr && i < count; ++i) {
        Add(accels[i]);
    }
}

void CUTKShortcutManagerAccelTable::Copy(const CUTKShortcutManagerAccelTable& source)
{
    if (&source == this) {
        return;
    }
    RemoveAll();
    for (INT_PTR i = 0; i < source.GetSize(); ++i) {
        Add(source.GetAt(i)->m_accel);
    }
}

std::unique_ptr<UTK_SHORTCUTMANAGER_ACCEL[]> CUTKShortcutManagerAccelTable::CopyAccels(
    int& count) const
{
    count = GetCount();
    auto records = std::make_unique<UTK_SHORTCUTMANAGER_ACCEL[]>(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        records[i] = GetAt(i)->m_accel;
    }
    return records;
}
