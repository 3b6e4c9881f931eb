// Key messages of the frame to commands: the first matching shortcut sends its command to the
// site frame; a chord waits modally for its second keystroke. The wait gives back the capture
// and the disable count on every way out, and a WM_QUIT it meets is posted again.
#include "toolkit/commandbars/CUTKShortcutManager.h"

#include <windows.h>

#include "platform/framework/frame/CFrameWnd.h"
#include "toolkit/common/CUTKResourceManager.h"

namespace {

BOOL IsKeyDown(int vk)
{
    return (::GetKeyState(vk) & 0x8000) != 0;
}

BOOL IsModifierKey(WPARAM vk)
{
    switch (vk) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL EndsChordWait(UINT message)
{
    switch (message) {
    case WM_ACTIVATE:
    case WM_CLOSE:
    case WM_NCACTIVATE:
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_LBUTTONDOWN:
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

BYTE CUTKShortcutManager::ModifierStateFromKeys(BOOL ctrl, BOOL alt, BOOL shift, BOOL leftCtrl,
                                                BOOL rightCtrl, BOOL leftAlt, BOOL rightAlt)
{
    // AltGr arrives as left Ctrl with right Alt: then only the other Ctrl and Alt count.
    if (rightAlt && leftCtrl) {
        ctrl = rightCtrl;
        alt = leftAlt;
    }
    BYTE state = 0;
    if (ctrl) {
        state |= FCONTROL;
    }
    if (alt) {
        state |= FALT;
    }
    if (shift) {
        state |= FSHIFT;
    }
    return state;
}

BYTE CUTKShortcutManager::GetModifierState()
{
    return ModifierStateFromKeys(IsKeyDown(VK_CONTROL), IsKeyDown(VK_MENU), IsKeyDown(VK_SHIFT),
                                 IsKeyDown(VK_LCONTROL), IsKeyDown(VK_RCONTROL),
                                 IsKeyDown(VK_LMENU), IsKeyDown(VK_RMENU));
}

BOOL CUTKShortcutManager::IsKeyMatch(const UTK_SHORTCUTMANAGER_ACCEL::KEY& key, const MSG& msg,
                                     BYTE modifiers)
{
    if (key.key != msg.wParam) {
        return FALSE;
    }
    const BOOL virtualMessage = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const BOOL characterMessage = msg.message == WM_CHAR || msg.message == WM_SYSCHAR;
    const BOOL virtualKey = (key.fVirt & FVIRTKEY) != 0;
    if (virtualKey ? !virtualMessage : !characterMessage) {
        return FALSE;
    }
    if (virtualKey && (key.fVirt & (FCONTROL | FSHIFT)) != (modifiers & (FCONTROL | FSHIFT))) {
        return FALSE;
    }
    return (key.fVirt & FALT) == (modifiers & FALT);
}

BOOL CUTKShortcutManager::TranslateAccelerator(MSG* msg)
{
    CUTKShortcutManagerAccelTable* table = GetAccelTable();
    if (msg == nullptr || m_pCommandBars == nullptr || IsCustomizeMode() ||
        m_nDisableShortcuts > 0 || table == nullptr || table->GetCount() == 0) {
        return FALSE;
    }
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
        break;
    default:
        return FALSE;
    }
    // The key state is read only once some entry has this key: every key of the frame comes
    // through here, and reading the state costs more than the whole table walk.
    BYTE modifiers = 0;
    BOOL modifiersRead = FALSE;
    CUTKShortcutManagerAccel* entry = nullptr;
    for (int i = 0; i < table->GetCount(); ++i) {
        const UTK_SHORTCUTMANAGER_ACCEL::KEY& key = table->GetAt(i)->m_accel.key[0];
        if (key.key != msg->wParam) {
            continue;
        }
        if (!modifiersRead) {
            modifiers = GetModifierState();
            modifiersRead = TRUE;
        }
        if (IsKeyMatch(key, *msg, modifiers)) {
            entry = table->GetAt(i);
            break;
        }
    }
    if (entry == nullptr) {
        return FALSE;
    }
    CFrameWnd* frame = GetSiteFrame();
    if (frame == nullptr || !::IsWindow(frame->GetSafeHwnd()) ||
        !::IsWindowEnabled(frame->GetSafeHwnd()) ||
        (m_bIgnoreKeyWhileCaptured && ::GetCapture() != nullptr) ||
        ::IsIconic(frame->GetSafeHwnd()) || entry->m_accel.cmd == 0) {
        return TRUE;
    }
    HWND frameWnd = frame->GetSafeHwnd();
    if (entry->IsChord()) {
        // The entry may go while the wait dispatches messages: hold it.
        entry->InternalAddRef();
        CUTKShortcutManagerAccel* second = WaitForChord(entry, frame);
        entry->InternalRelease();
        entry = second;
        if (entry == nullptr) {
            return TRUE;
        }
    }
    const int cmd = entry->m_accel.cmd;
    if (::IsWindow(frameWnd)) {
        ::SendMessageW(frameWnd, WM_COMMAND, static_cast<WPARAM>(static_cast<UINT>(cmd)), 0);
    }
    return TRUE;
}

CUTKShortcutManagerAccel* CUTKShortcutManager::WaitForChord(CUTKShortcutManagerAccel* first,
                                                            CFrameWnd* frame)
{
    HWND frameWnd = frame->GetSafeHwnd();
    const UTK_SHORTCUTMANAGER_ACCEL::KEY firstKey = first->m_accel.key[0];
    BOOL prompted = FALSE;
    if (frame->GetMessageBar() != nullptr) {
        CString format;
        CString prompt;
        if (GetResourceManager()->LoadString(&format, kChordPromptStringId)) {
            // The text is put in place of "%s" by hand: the string is data, not a format.
            const int at = format.Find(L"%s");
            prompt = at < 0 ? format
                            : format.Left(at) + CKeyHelper(firstKey, this).Format() +
                                  format.Mid(at + 2);
        }
        frame->SetMessageText(prompt);
        prompted = TRUE;
    }

    // Undone on every way out of the wait, an exception included.
    struct Restore {
        CUTKShortcutManager* manager;
        HWND frameWnd;
        CFrameWnd* frame;
        BOOL prompted;
        ~Restore()
        {
            if (::GetCapture() == frameWnd) {
                ::ReleaseCapture();
            }
            manager->m_nDisableShortcuts--;
            // The frame object is gone with its window.
            if (prompted && ::IsWindow(frameWnd)) {
                frame->SetMessageText(static_cast<UINT>(0));
            }
        }
    } restore{this, frameWnd, frame, prompted};
    m_nDisableShortcuts++;
    ::SetCapture(frameWnd);

    CUTKShortcutManagerAccel* chosen = nullptr;
    MSG msg{};
    while (::GetCapture() == frameWnd) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return nullptr;
        }
        if (got == -1) {
            return nullptr;
        }
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            if (IsModifierKey(msg.wParam)) {
                continue;
            }
            const BYTE modifiers = GetModifierState();
            CUTKShortcutManagerAccelTable* table = GetAccelTable();
            for (int i = 0; i < table->GetCount(); ++i) {
                const UTK_SHORTCUTMANAGER_ACCEL& accel = table->GetAt(i)->m_accel;
                if (accel.key[0].fVirt == firstKey.fVirt && accel.key[0].key == firstKey.key &&
                    IsKeyMatch(accel.key[1], msg, modifiers)) {
                    chosen = table->GetAt(i);
                    break;
                }
            }
            if (chosen == nullptr) {
                ::MessageBeep(MB_ICONEXCLAMATION);
            }
            return chosen;
        }
        ::DispatchMessageW(&msg);
        if (EndsChordWait(msg.message)) {
            return nullptr;
        }
    }
    return nullptr;
}
