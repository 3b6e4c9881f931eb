// CHotKeyCtrl wrapper.
#include "platform/framework/window/CHotKeyCtrl.h"

IMPLEMENT_DYNAMIC(CHotKeyCtrl, CWnd)

BOOL CHotKeyCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CHotKeyCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                           UINT nID)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_HOTKEY_CLASS};
    ::InitCommonControlsEx(&icc);
    return CWnd::CreateEx(dwExStyle, HOTKEY_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}

CString CHotKeyCtrl::GetKeyName(UINT vk, BOOL fExtended)
{
    LONG scan = static_cast<LONG>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    if (fExtended) {
        scan |= 0x01000000L;
    }
    wchar_t name[64] = {};
    ::GetKeyNameTextW(scan, name, 64);
    return CString(name);
}

CString CHotKeyCtrl::GetHotKeyName() const
{
    WORD vk = 0;
    WORD mods = 0;
    GetHotKey(vk, mods);
    CString text;
    const struct {
        WORD flag;
        UINT key;
    } parts[] = {{HOTKEYF_CONTROL, VK_CONTROL}, {HOTKEYF_SHIFT, VK_SHIFT}, {HOTKEYF_ALT, VK_MENU}};
    for (const auto& part : parts) {
        if (mods & part.flag) {
            text += GetKeyName(part.key, FALSE);
            text += L" + ";
        }
    }
    if (vk != 0) {
        text += GetKeyName(vk, (mods & HOTKEYF_EXT) != 0);
    }
    return text;
}
