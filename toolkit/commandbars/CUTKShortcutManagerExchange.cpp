// Storing the shortcut table: the profile ("Accelerators", "AcceleratorsVersion") and the
// property exchange (a blob of records for binary storages, "Shortcut" sections with "Key"
// texts for the others). Stored data is checked before it replaces the table: a damaged
// blob or an impossible count leaves the table as it was.
#include "toolkit/commandbars/CUTKShortcutManager.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/framework/window/CWinApp.h"
#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/common/CUTKPropExchangeEnumerator.h"

namespace {

constexpr LPCWSTR kAccelerators = L"Accelerators";
constexpr LPCWSTR kAcceleratorsVersion = L"AcceleratorsVersion";
constexpr int kFirstShortcutSchema = 33;

// Releases a section made by CreateSection or an enumerator.
struct SectionRelease {
    void operator()(CUTKPropExchange* section) const
    {
        if (section != nullptr) {
            section->InternalRelease();
        }
    }
};
using SectionPtr = std::unique_ptr<CUTKPropExchange, SectionRelease>;

// Little-endian reads, so the stored form does not depend on the structure's layout.
WORD ReadWord(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

int ReadInt(const BYTE* p)
{
    return static_cast<int>(static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
                            (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24));
}

} // namespace

BOOL CUTKShortcutManager::LoadStoredAccels(const BYTE* data, DWORD size, int version)
{
    const DWORD recordSize = version == 0 ? sizeof(ACCEL) : sizeof(UTK_SHORTCUTMANAGER_ACCEL);
    if (version != 0 && version != 1) {
        return FALSE;
    }
    if (size % recordSize != 0 || size / recordSize > static_cast<DWORD>(kMaxStoredAccels) ||
        (size != 0 && data == nullptr)) {
        return FALSE;
    }
    const int count = static_cast<int>(size / recordSize);
    std::vector<UTK_SHORTCUTMANAGER_ACCEL> records(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const BYTE* p = data + static_cast<size_t>(i) * recordSize;
        UTK_SHORTCUTMANAGER_ACCEL& record = records[static_cast<size_t>(i)];
        record = UTK_SHORTCUTMANAGER_ACCEL{};
        if (version == 0) {
            record.key[0].fVirt = p[0];
            record.key[0].key = ReadWord(p + 2);
            record.cmd = ReadWord(p + 4);
        } else {
            record.cmd = ReadInt(p);
            record.key[0].fVirt = p[4];
            record.key[0].pad = p[5];
            record.key[0].key = ReadWord(p + 6);
            record.key[1].fVirt = p[8];
            record.key[1].pad = p[9];
            record.key[1].key = ReadWord(p + 10);
        }
    }
    GetAccelTable()->CopyAccels(records.data(), count);
    return TRUE;
}

void CUTKShortcutManager::SaveShortcuts(LPCTSTR section)
{
    CWinApp* app = AfxGetApp();
    if (!m_pOriginalAccelTable || app == nullptr || section == nullptr) {
        return;
    }
    int count = 0;
    std::unique_ptr<UTK_SHORTCUTMANAGER_ACCEL[]> records = GetAccelTable()->CopyAccels(count);
    app->WriteProfileBinary(section, kAccelerators, reinterpret_cast<LPBYTE>(records.get()),
                            static_cast<UINT>(count) * sizeof(UTK_SHORTCUTMANAGER_ACCEL));
    app->WriteProfileInt(section, kAcceleratorsVersion, 1);
}

BOOL CUTKShortcutManager::LoadShortcuts(LPCTSTR section)
{
    CWinApp* app = AfxGetApp();
    if (!m_pOriginalAccelTable || app == nullptr || section == nullptr) {
        return FALSE;
    }
    const int version = static_cast<int>(app->GetProfileInt(section, kAcceleratorsVersion, 0));
    if (version != 0 && version != 1) {
        return FALSE;
    }
    LPBYTE data = nullptr;
    UINT size = 0;
    if (!app->GetProfileBinary(section, kAccelerators, &data, &size)) {
        return FALSE; // no stored table: the current one stays
    }
    const std::unique_ptr<BYTE[]> owned(data);
    return LoadStoredAccels(data, size, version);
}

void CUTKShortcutManager::DoPropExchange(CUTKPropExchange* px)
{
    if (px == nullptr) {
        return;
    }
    px->ExchangeSchema();
    CUTKShortcutManagerAccelTable* table = GetAccelTable();

    if (px->IsStoring()) {
        int count = 0;
        std::unique_ptr<UTK_SHORTCUTMANAGER_ACCEL[]> records = table->CopyAccels(count);
        if (px->StoresBinary()) {
            px->WriteCount(static_cast<DWORD>(count));
            (void)px->WriteBlob(L"Data", reinterpret_cast<BYTE*>(records.get()),
                                static_cast<DWORD>(count) * sizeof(UTK_SHORTCUTMANAGER_ACCEL));
            return;
        }
        std::unique_ptr<CUTKPropExchangeEnumerator> enumerator(px->GetEnumerator(L"Shortcut"));
        POSITION pos = enumerator->GetPosition(static_cast<DWORD>(count));
        for (int i = 0; i < count && pos != nullptr; ++i) {
            SectionPtr entry(enumerator->GetNext(pos));
            int cmd = records[i].cmd;
            CString key = FormatAccelForStorage(records[i]);
            (void)ExchangeIntPropDefault(entry.get(), L"Id", cmd, 0);
            (void)ExchangeStringProp(entry.get(), L"Key", key); // always written
        }
        return;
    }

    // Loading: everything is read and checked first, then it replaces the table.
    const BOOL oldForm = px->m_nSchema < kFirstShortcutSchema;
    std::vector<UTK_SHORTCUTMANAGER_ACCEL> records;
    if (px->StoresBinary()) {
        const DWORD count = px->ReadCount();
        if (count > static_cast<DWORD>(kMaxStoredAccels)) {
            return;
        }
        const DWORD recordSize = oldForm ? sizeof(ACCEL) : sizeof(UTK_SHORTCUTMANAGER_ACCEL);
        const DWORD size = count * recordSize;
        std::vector<BYTE> data(size);
        if (size != 0 && px->ReadBlob(L"Data", data.data(), size) != size) {
            return; // shorter than its count says: damaged
        }
        if (!LoadStoredAccels(data.data(), size, oldForm ? 0 : 1)) {
            return;
        }
        return;
    }
    std::unique_ptr<CUTKPropExchangeEnumerator> enumerator(
        px->GetEnumerator(oldForm ? L"Accel" : L"Shortcut"));
    POSITION pos = enumerator->GetPosition();
    if (enumerator->GetCount() > static_cast<DWORD>(kMaxStoredAccels)) {
        return;
    }
    while (pos != nullptr) {
        SectionPtr entry(enumerator->GetNext(pos));
        if (!entry) {
            return;
        }
        UTK_SHORTCUTMANAGER_ACCEL record{};
        if (oldForm) {
            short id = 0;
            BYTE virt = 0;
            short key = 0;
            (void)ExchangeShortProp(entry.get(), L"Id", id, 0);
            (void)ExchangeByteProp(entry.get(), L"virt", virt, 0);
            (void)ExchangeShortProp(entry.get(), L"key", key, 0);
            record.cmd = static_cast<WORD>(id);
            record.key[0].fVirt = virt;
            record.key[0].key = static_cast<WORD>(key);
        } else {
            int cmd = 0;
            CString key;
            (void)ExchangeIntPropDefault(entry.get(), L"Id", cmd, 0);
            (void)ExchangeStringPropDefault(entry.get(), L"Key", key, L"");
            if (!ParseShortcut(key, record)) {
                continue; // a text that does not parse is dropped
            }
            record.cmd = cmd;
        }
        records.push_back(record);
    }
    table->CopyAccels(records.data(), static_cast<int>(records.size()));
}
