// The shortcut manager's table, key names and shortcut texts. Formatting and parsing of keys
// are in CUTKShortcutManagerText.cpp, storage in CUTKShortcutManagerExchange.cpp, the key
// translation in CUTKShortcutManagerTranslate.cpp.
#include "toolkit/commandbars/CUTKShortcutManager.h"

#include <windows.h>

#include <vector>

#include "platform/framework/frame/CFrameWnd.h"

namespace {

struct KeyName {
    WORD vk;
    LPCWSTR name;
};

// Named keys, in the order they are entered after the digits and letters.
constexpr KeyName kNamedKeys[] = {
    {0x01, L"Left Button"}, {0x02, L"Right Button"}, {0x03, L"Ctrl+Break"},
    {0x04, L"Middle Button"}, {0x08, L"Backspace"}, {0x09, L"Tab"}, {0x0C, L"Clear"},
    {0x0D, L"Enter"}, {0x10, L"Shift"}, {0x11, L"Ctrl"}, {0x12, L"Alt"}, {0x13, L"Pause"},
    {0x14, L"Caps Lock"}, {0x1B, L"Esc"}, {0x20, L"Space"}, {0x21, L"Page Up"},
    {0x22, L"Page Down"}, {0x23, L"End"}, {0x24, L"Home"}, {0x25, L"Left Arrow"},
    {0x26, L"Up Arrow"}, {0x27, L"Right Arrow"}, {0x28, L"Down Arrow"}, {0x29, L"Select"},
    {0x2A, L"Print"}, {0x2B, L"Execute"}, {0x2C, L"Snapshot"}, {0x2D, L"Ins"}, {0x2E, L"Del"},
    {0x2F, L"Help"}, {0x5B, L"Win"}, {0x5C, L"Win"}, {0x5D, L"Application"},
    {0x6A, L"Num *"}, {0x6B, L"Num +"}, {0x6C, L"Separator"}, {0x6D, L"Num -"},
    {0x6E, L"Num ."}, {0x6F, L"Num /"},
};

constexpr KeyName kLastKeys[] = {
    {0x90, L"Num Lock"}, {0xF6, L"Attn"}, {0xF7, L"Crsel"}, {0xF8, L"Exsel"}, {0xF9, L"Ereof"},
    {0xFA, L"Play"}, {0xFB, L"Zoom"}, {0xFC, L"No Name"}, {0xFD, L"Pa1"}, {0xFE, L"Oem Clear"},
};

} // namespace

CUTKShortcutManager::CUTKShortcutManager(CUTKCommandBars* commandBars)
    : m_pAccelTable(std::make_unique<CUTKShortcutManagerAccelTable>(this)),
      m_pCommandBars(commandBars)
{
    m_mapVirtualKeys.InitHashTable(17);
    InitKeyNames();
}

CUTKShortcutManager::~CUTKShortcutManager()
{
    m_pAccelTable.reset();
    m_pOriginalAccelTable.reset();
    m_mapVirtualKeys.RemoveAll();
}

void CUTKShortcutManager::InitKeyNames()
{
    for (WORD vk = 0x30; vk <= 0x39; ++vk) {
        m_mapVirtualKeys.SetAt(vk, CString(static_cast<wchar_t>(vk)));
    }
    for (WORD vk = 0x41; vk <= 0x5A; ++vk) {
        m_mapVirtualKeys.SetAt(vk, CString(static_cast<wchar_t>(vk)));
    }
    for (const KeyName& key : kNamedKeys) {
        m_mapVirtualKeys.SetAt(key.vk, key.name);
    }
    for (WORD i = 0; i < 12; ++i) {
        CString name;
        name.Format(L"F%u", i + 1u);
        m_mapVirtualKeys.SetAt(static_cast<WORD>(VK_F1 + i), name);
    }
    for (WORD i = 0; i < 10; ++i) {
        CString name;
        name.Format(L"Num %u", static_cast<unsigned>(i));
        m_mapVirtualKeys.SetAt(static_cast<WORD>(VK_NUMPAD0 + i), name);
    }
    m_mapVirtualKeys.SetAt(0x90, kLastKeys[0].name);
    m_mapVirtualKeys.SetAt(0x91, L"Scrl Lock");
    for (size_t i = 1; i < sizeof(kLastKeys) / sizeof(kLastKeys[0]); ++i) {
        m_mapVirtualKeys.SetAt(kLastKeys[i].vk, kLastKeys[i].name);
    }
}

CString CUTKShortcutManager::GetTableKeyName(UINT vk) const
{
    CString name;
    if (vk <= 0xFFFF) {
        m_mapVirtualKeys.Lookup(static_cast<WORD>(vk), name);
    }
    return name;
}

CString CUTKShortcutManager::GetKeyName(UINT vk)
{
    CString name;
    if (m_bUseSystemKeyNameText) {
        name = GetKeyLayoutName(vk);
        if (name.IsEmpty()) {
            name = GetTableKeyName(vk);
        }
    } else {
        name = GetTableKeyName(vk);
        if (name.IsEmpty()) {
            name = GetKeyLayoutName(vk);
        }
    }
    return name;
}

CString CUTKShortcutManager::FormatAccel(CUTKShortcutManagerAccel* accel, int* priority)
{
    if (accel == nullptr) {
        if (priority != nullptr) {
            *priority = 0;
        }
        return CString();
    }
    const UTK_SHORTCUTMANAGER_ACCEL& record = accel->m_accel;
    CString text = CKeyHelper(record.key[0], this).Format();
    if (record.key[1].key != 0) {
        text += L", ";
        text += CKeyHelper(record.key[1], this).Format();
    }
    if (priority != nullptr) {
        const BYTE flags = record.key[0].fVirt;
        if ((flags & (FCONTROL | FALT | FSHIFT)) == 0) {
            *priority = 4;
        } else if (flags & FCONTROL) {
            *priority = 3;
        } else if (flags & FALT) {
            *priority = 2;
        } else {
            *priority = 1;
        }
    }
    return text;
}

BOOL CUTKShortcutManager::IsValidAccel(CUTKShortcutManagerAccel* accel)
{
    if (accel == nullptr) {
        return FALSE;
    }
    const UTK_SHORTCUTMANAGER_ACCEL::KEY& key = accel->m_accel.key[0];
    const BOOL plainEscape = key.key == VK_ESCAPE && (key.fVirt & FVIRTKEY) != 0 &&
                             (key.fVirt & (FSHIFT | FCONTROL | FALT)) == 0;
    return !(plainEscape && !m_bAllowEscapeShortcut);
}

BOOL CUTKShortcutManager::OnExtension1(LPARAM)
{
    return FALSE;
}

BOOL CUTKShortcutManager::OnExtension2(LPARAM)
{
    return FALSE;
}

CUTKShortcutManagerAccelTable* CUTKShortcutManager::GetAccelTable()
{
    return m_pAccelTable.get();
}

void CUTKShortcutManager::Reset()
{
    if (m_pOriginalAccelTable) {
        GetAccelTable()->Copy(*m_pOriginalAccelTable);
    }
}

void CUTKShortcutManager::DisableShortcuts(BOOL disable)
{
    m_nDisableShortcuts += disable ? 1 : -1;
}

void CUTKShortcutManager::SetAccels(const ACCEL* accels, int count)
{
    GetAccelTable()->CopyAccels(accels, count);
}

void CUTKShortcutManager::SetAccels(const UTK_SHORTCUTMANAGER_ACCEL* accels, int count)
{
    GetAccelTable()->CopyAccels(accels, count);
}

BOOL CUTKShortcutManager::FindShortcut(CUTKShortcutManagerAccelTable& table, int cmd,
                                       CString& text)
{
    CString best;
    int bestPriority = -1;
    for (int i = 0; i < table.GetCount(); ++i) {
        CUTKShortcutManagerAccel* accel = table.GetAt(i);
        if (accel->m_accel.cmd != cmd) {
            continue;
        }
        int priority = 0;
        const CString formatted = FormatAccel(accel, &priority);
        if (!text.IsEmpty() && formatted == text) {
            return TRUE; // the caller's text is one of the command's shortcuts: kept
        }
        if (priority > bestPriority) {
            bestPriority = priority;
            best = formatted;
        }
    }
    if (bestPriority < 0) {
        text.Empty();
        return FALSE;
    }
    text = best;
    return TRUE;
}

BOOL CUTKShortcutManager::GetShortcut(int cmd, CString& text)
{
    CUTKShortcutManagerAccelTable* table = GetAccelTable();
    if (table != nullptr && table->GetCount() > 0) {
        return FindShortcut(*table, cmd, text);
    }
    if (m_pOriginalAccelTable) {
        return FALSE;
    }
    // No table of our own: the site frame's accelerators answer.
    CFrameWnd* frame = GetSiteFrame();
    if (frame == nullptr || frame->m_hAccelTable == nullptr) {
        return FALSE;
    }
    const int count = ::CopyAcceleratorTableW(frame->m_hAccelTable, nullptr, 0);
    if (count <= 0) {
        return FALSE;
    }
    std::vector<ACCEL> accels(static_cast<size_t>(count));
    const int copied = ::CopyAcceleratorTableW(frame->m_hAccelTable, accels.data(), count);
    // Only this command's entries become table entries (a menu asks for every command).
    CUTKShortcutManagerAccelTable frameTable(this);
    for (int i = 0; i < copied; ++i) {
        if (accels[static_cast<size_t>(i)].cmd == static_cast<WORD>(cmd) && cmd >= 0 &&
            cmd <= 0xFFFF) {
            frameTable.Add(CUTKShortcutManagerAccel::FromAccel(accels[static_cast<size_t>(i)]));
        }
    }
    return FindShortcut(frameTable, cmd, text);
}
