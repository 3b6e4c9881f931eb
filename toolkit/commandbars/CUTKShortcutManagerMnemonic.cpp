// The mnemonic helpers of the bars: where a caption's mnemonic ampersand is, and whether a
// virtual key types a given character under any installed keyboard layout.
#include "toolkit/commandbars/CUTKShortcutManager.h"

#include <windows.h>

#include <vector>

namespace {

WCHAR UpperChar(WCHAR ch)
{
    WCHAR text[2] = {ch, 0};
    ::CharUpperW(text);
    return text[0];
}

BOOL SameChar(WCHAR produced, WCHAR ch)
{
    return produced == ch || UpperChar(produced) == UpperChar(ch);
}

// The one character the key types under the layout with that keyboard state, or 0.
WCHAR CharOfKey(UINT vk, const BYTE* state, HKL layout)
{
    WCHAR buffer[8] = {};
    const UINT scan = ::MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, layout);
    const int count = ::ToUnicodeEx(vk, scan, state, buffer, 8, 0, layout);
    if (count < 0) {
        // A dead key: type it once more so the layout's pending state is cleared again.
        ::ToUnicodeEx(vk, scan, state, buffer, 8, 0, layout);
        return 0;
    }
    return count == 1 ? buffer[0] : 0;
}

} // namespace

int CUTKShortcutManager::FindMnemonicAmpersand(LPCTSTR text)
{
    if (text == nullptr) {
        return -1;
    }
    for (int i = 0; text[i] != L'\0'; ++i) {
        if (text[i] != L'&') {
            continue;
        }
        if (text[i + 1] == L'&') {
            ++i; // "&&" is a literal ampersand
            continue;
        }
        return i;
    }
    return -1;
}

BOOL CUTKShortcutManager::IsKeyForChar(WCHAR ch, UINT vk)
{
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        return vk == static_cast<UINT>(ch) + 0x30;
    }
    if (::MapVirtualKeyW(vk, MAPVK_VK_TO_CHAR) == 0) {
        return FALSE;
    }
    if (vk == ch || vk == UpperChar(ch)) {
        return TRUE;
    }
    const int layouts = ::GetKeyboardLayoutList(0, nullptr);
    if (layouts <= 0) {
        return FALSE;
    }
    std::vector<HKL> list(static_cast<size_t>(layouts));
    const int got = ::GetKeyboardLayoutList(layouts, list.data());
    BYTE state[256] = {};
    if (got <= 0 || !::GetKeyboardState(state)) {
        return FALSE;
    }
    for (int i = 0; i < got; ++i) {
        const WCHAR plain = CharOfKey(vk, state, list[static_cast<size_t>(i)]);
        if (plain != 0 && SameChar(plain, ch)) {
            return TRUE;
        }
        BYTE shifted[256];
        ::CopyMemory(shifted, state, sizeof(shifted));
        shifted[VK_SHIFT] = 0x81;
        const WCHAR withShift = CharOfKey(vk, shifted, list[static_cast<size_t>(i)]);
        if (withShift != 0 && SameChar(withShift, ch)) {
            return TRUE;
        }
    }
    return FALSE;
}
