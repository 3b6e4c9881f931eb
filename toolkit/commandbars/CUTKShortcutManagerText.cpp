// Shortcut texts: one keystroke to text ("Ctrl+Shift+F5"), text back to keys, and the
// keyboard layout's names of keys.
#include "toolkit/commandbars/CUTKShortcutManager.h"

#include <windows.h>

namespace {

constexpr WORD kVkBreak = 0x03;

// Removes the first occurrence of part (exact case) from text; TRUE when it was there.
BOOL TakeOut(CString& text, const CString& part)
{
    if (part.IsEmpty()) {
        return FALSE;
    }
    const int index = text.Find(part);
    if (index < 0) {
        return FALSE;
    }
    text = text.Left(index) + text.Mid(index + part.GetLength());
    return TRUE;
}

// "0x" followed by 1 to 4 hexadecimal digits and nothing else.
BOOL ParseHexKey(const CString& text, WORD& key)
{
    if (text.GetLength() <= 3 || text.GetLength() > 6 || text[0] != L'0' || text[1] != L'x') {
        return FALSE;
    }
    unsigned value = 0;
    for (int i = 2; i < text.GetLength(); ++i) {
        const wchar_t ch = text[i];
        unsigned digit = 0;
        if (ch >= L'0' && ch <= L'9') {
            digit = static_cast<unsigned>(ch - L'0');
        } else if (ch >= L'a' && ch <= L'f') {
            digit = static_cast<unsigned>(ch - L'a' + 10);
        } else if (ch >= L'A' && ch <= L'F') {
            digit = static_cast<unsigned>(ch - L'A' + 10);
        } else {
            return FALSE;
        }
        value = value * 16 + digit;
    }
    key = static_cast<WORD>(value);
    return TRUE;
}

} // namespace

CUTKShortcutManager::CKeyHelper::CKeyHelper(const UTK_SHORTCUTMANAGER_ACCEL::KEY& key,
                                            CUTKShortcutManager* manager, BOOL useManagerNames)
    : m_key(key), m_pManager(manager), m_bUseManagerNames(useManagerNames)
{
}

CUTKShortcutManager::CKeyHelper::~CKeyHelper() = default;

CString CUTKShortcutManager::CKeyHelper::KeyName(WORD vk) const
{
    if (m_pManager == nullptr) {
        return CString();
    }
    if (m_bUseManagerNames) {
        return m_pManager->GetKeyName(vk);
    }
    CString name = m_pManager->GetTableKeyName(vk);
    if (name.IsEmpty()) {
        name.Format(L"0x%x", static_cast<unsigned>(vk));
    }
    return name;
}

void CUTKShortcutManager::CKeyHelper::Format(CString& text) const
{
    text.Empty();
    const BYTE flags = m_key.fVirt;
    const WORD key = m_key.key;
    auto addModifier = [&](BYTE flag, WORD vk) {
        if (flags & flag) {
            const CString name = KeyName(vk);
            if (!name.IsEmpty()) {
                text += name;
                text += L'+';
            }
        }
    };
    if (key != kVkBreak) {
        addModifier(FCONTROL, VK_CONTROL);
        addModifier(FSHIFT, VK_SHIFT);
        addModifier(FALT, VK_MENU);
        addModifier(UTK_FWINKEY, VK_LWIN);
    }
    if (flags & FVIRTKEY) {
        text += KeyName(key);
    } else if (key >= 1 && key <= 26 && flags == FNOINVERT) {
        text += KeyName(VK_CONTROL);
        text += L'+';
        text += static_cast<wchar_t>(key + 64);
    } else if (key != 27 && key != 9 && key != 0) {
        // The key is the character itself; keys of 0x80 and above are not sign-extended.
        text += static_cast<wchar_t>(key);
    }
    if (key == 0 && !text.IsEmpty() && text[text.GetLength() - 1] == L'+') {
        text = text.Left(text.GetLength() - 1);
    }
}

CString CUTKShortcutManager::FormatAccelForStorage(const UTK_SHORTCUTMANAGER_ACCEL& accel)
{
    CString text = CKeyHelper(accel.key[0], this, FALSE).Format();
    if (accel.key[1].key != 0) {
        text += L", ";
        text += CKeyHelper(accel.key[1], this, FALSE).Format();
    }
    return text;
}

CString CUTKShortcutManager::GetKeyLayoutName(UINT vk)
{
    if (vk == kVkBreak) {
        return CString();
    }
    HKL layout = ::GetKeyboardLayout(0);
    UINT scan = ::MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, layout);
    LONG lParam = static_cast<LONG>(scan << 16);
    if (vk >= 0x21 && vk <= 0x2F) {
        lParam |= 1 << 24;
    }
    wchar_t buffer[51] = {};
    const int length = ::GetKeyNameTextW(lParam, buffer, 50);
    if (length <= 0) {
        return CString();
    }
    CString name(buffer, length);
    name.MakeLower();
    for (int i = 0; i < name.GetLength(); ++i) {
        const wchar_t ch = name[i];
        if (::IsCharLowerW(ch)) {
            wchar_t upper[2] = {ch, 0};
            ::CharUpperW(upper);
            name.SetAt(i, upper[0]);
            break;
        }
    }
    return name;
}

BOOL CUTKShortcutManager::ParseKey(const CString& text, UTK_SHORTCUTMANAGER_ACCEL::KEY& key) const
{
    // Ctrl+Break is one name of its own (written without a separate modifier).
    if (!text.IsEmpty() && text.CompareNoCase(GetTableKeyName(kVkBreak)) == 0) {
        key.fVirt = FVIRTKEY | FCONTROL;
        key.pad = 0;
        key.key = kVkBreak;
        return TRUE;
    }
    BYTE flags = FVIRTKEY;
    CString rest = text;
    const CString plus(L"+");
    if (TakeOut(rest, GetTableKeyName(VK_CONTROL) + plus)) {
        flags |= FCONTROL;
    }
    if (TakeOut(rest, GetTableKeyName(VK_MENU) + plus)) {
        flags |= FALT;
    }
    if (TakeOut(rest, GetTableKeyName(VK_SHIFT) + plus)) {
        flags |= FSHIFT;
    }
    // The Windows-key modifier is written too, so it has to come back.
    if (TakeOut(rest, GetTableKeyName(VK_LWIN) + plus)) {
        flags |= UTK_FWINKEY;
    }
    WORD vk = 0;
    if (!rest.IsEmpty()) {
        // The lowest code of that name (both Windows keys are "Win").
        BOOL found = FALSE;
        POSITION pos = m_mapVirtualKeys.GetStartPosition();
        while (pos != nullptr) {
            WORD code = 0;
            CString name;
            m_mapVirtualKeys.GetNextAssoc(pos, code, name);
            if (!name.IsEmpty() && name.CompareNoCase(rest) == 0 && (!found || code < vk)) {
                vk = code;
                found = TRUE;
            }
        }
        if (!found && !ParseHexKey(rest, vk)) {
            vk = 0;
        }
    }
    if (vk == 0) {
        return FALSE;
    }
    key.fVirt = flags;
    key.pad = 0;
    key.key = vk;
    return TRUE;
}

BOOL CUTKShortcutManager::ParseShortcut(LPCTSTR text, UTK_SHORTCUTMANAGER_ACCEL& accel) const
{
    if (text == nullptr) {
        return FALSE;
    }
    const CString all(text);
    UTK_SHORTCUTMANAGER_ACCEL::KEY first{};
    UTK_SHORTCUTMANAGER_ACCEL::KEY second{};
    const int comma = all.Find(L", ");
    if (comma >= 0) {
        if (!ParseKey(all.Left(comma), first) || !ParseKey(all.Mid(comma + 2), second)) {
            return FALSE;
        }
    } else if (!ParseKey(all, first)) {
        return FALSE;
    }
    accel.key[0] = first;
    accel.key[1] = second;
    return TRUE;
}
