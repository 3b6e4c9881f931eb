// The command bars' host program: a frame built like the player's main frame (a CUTKFrameWnd
// whose manager holds the menu bar of menu 128, toolbar 128, a second toolbar and the dialog bar
// at the bottom), printing every command it gets ("command <id>"). Options:
//   --plain          the plain frame instead: menu bar and toolbar as children, no manager
//   --theme N        paint theme (0 default, 3 native)
//   --demo menu      opens View > Video by keyboard (F10, Right, Down, Right)
//   --demo hot       rests the pointer on the toolbar's fourth button
//   --demo buttons   toolbar buttons normal, hot, pressed, checked and disabled, and a split
//                    button with its popup open (a radio item, a shortcut, a separator)
//   --demo altf      opens File by Alt+F
//   --exit-after MS  closes itself after that many milliseconds
#include "tests/toolkit/commandbars/BarsFrameHost.h"
#include "tests/toolkit/commandbars/BarsHostFrame.h"

#include "platform/framework/window/CWinThread.h"
#include "player/core/PlayerResource.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

void Key(WORD vk)
{
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = vk;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
}

// Alt held down around a key.
void AltKey(WORD vk)
{
    INPUT input[4] = {};
    for (INPUT& i : input) {
        i.type = INPUT_KEYBOARD;
    }
    input[0].ki.wVk = VK_MENU;
    input[1].ki.wVk = vk;
    input[2].ki.wVk = vk;
    input[2].ki.dwFlags = KEYEVENTF_KEYUP;
    input[3].ki.wVk = VK_MENU;
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, input, sizeof(INPUT));
}

// The application's loop: the thread's pre-translation (the frame's and its manager's) first.
void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

template <class Frame>
void PumpFor(DWORD ms, Frame* frame)
{
    const DWORD end = ::GetTickCount() + ms;
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
        Pump();
        if (frame->GetSafeHwnd() != nullptr) {
            frame->Idle();
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// One toolbar showing every button state at once: the hot and pressed looks are set on the
// controls as the pointer would leave them (one pointer cannot hover one button and hold
// another), and the split button added at the end opens its popup as a click on its arrow
// would.
template <class Frame>
void ShowButtonStates(Frame* frame)
{
    CUTKToolBar* bar = frame->m_pToolBar;
    if (bar == nullptr || bar->GetControlCount() < 3) {
        return;
    }
    CUTKControl* split = bar->GetControls()->Add(utkControlSplitButtonPopup, 0);
    CUTKCommandBar* popup = split != nullptr ? split->GetCommandBar() : nullptr;
    if (popup == nullptr) {
        return;
    }
    split->SetCaption(L"Speed");
    split->SetIconId(ID_PLAY_PLAY);
    split->SetBeginGroup(TRUE);
    CUTKControls* items = popup->GetControls();
    if (CUTKControl* radio = items->Add(utkControlRadioButton, ID_PLAY_SPEED_01)) {
        radio->SetCaption(L"Set &normal playback speed");
        radio->SetChecked(TRUE);
    }
    if (CUTKControl* less = items->Add(utkControlButton, ID_PLAY_SPEED_LESS)) {
        less->SetCaption(L"&Decrease playback speed");
    }
    if (CUTKControl* jump = items->Add(utkControlButton, ID_PLAY_GO_JUMP)) {
        jump->SetCaption(L"&Jump to time...\tCtrl+J");
    }
    if (CUTKControl* edit = items->Add(utkControlButton, ID_PLAY_SPEED_EDIT)) {
        edit->SetCaption(L"&Edit list of playback speed values...");
        edit->SetBeginGroup(TRUE);
    }
    frame->RecalcLayout();
    frame->Idle();
    PumpFor(200, frame);

    CUTKControl* hot = bar->GetControl(1);
    CUTKControl* pressed = bar->GetControl(2);
    hot->m_selected = TRUE;
    pressed->m_selected = TRUE;
    pressed->SetPressed(utkPressedMouse);
    bar->SetPopuped(split->GetIndex(), FALSE);
    PumpFor(300, frame);
    bar->Invalidate(FALSE);
    PumpFor(200, frame);
}

template <class Frame>
int RunHost(Frame* frame, const wchar_t* demo, DWORD exitAfter)
{
    frame->m_bPrintCommands = TRUE;
    frame->m_bDeleteOnDestroy = TRUE;
    frame->ShowWindow(SW_SHOW);
    frame->SetForegroundWindow();
    frame->UpdateWindow();
    PumpFor(300, frame);

    if (std::wcscmp(demo, L"menu") == 0) {
        Key(VK_F10);
        PumpFor(150, frame);
        Key(VK_RIGHT);
        PumpFor(150, frame);
        Key(VK_DOWN);
        PumpFor(250, frame);
        Key(VK_RIGHT);
        PumpFor(250, frame);
    } else if (std::wcscmp(demo, L"altf") == 0) {
        AltKey('F');
        PumpFor(400, frame);
    } else if (std::wcscmp(demo, L"hot") == 0 && frame->m_pToolBar != nullptr) {
        if (CUTKControl* button = frame->m_pToolBar->GetControl(3)) {
            CRect rc = button->GetRect();
            frame->m_pToolBar->ClientToScreen(&rc);
            const CPoint centre = rc.CenterPoint();
            ::SetCursorPos(centre.x, centre.y);
            INPUT move = {};
            move.type = INPUT_MOUSE;
            move.mi.dwFlags = MOUSEEVENTF_MOVE;
            ::SendInput(1, &move, sizeof(INPUT));
            PumpFor(200, frame);
        }
    } else if (std::wcscmp(demo, L"buttons") == 0) {
        ShowButtonStates(frame);
    }

    const DWORD start = ::GetTickCount();
    MSG msg;
    for (;;) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                return static_cast<int>(msg.wParam);
            }
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        if (!::IsWindow(frame->GetSafeHwnd())) {
            return 0;
        }
        frame->Idle();
        if (exitAfter != 0 && ::GetTickCount() - start >= exitAfter) {
            frame->DestroyWindow();
            return 0;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int theme = 0;
    const wchar_t* demo = L"";
    DWORD exitAfter = 0;
    BOOL plain = FALSE;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--theme") == 0 && i + 1 < argc) {
            theme = _wtoi(argv[++i]);
        } else if (std::wcscmp(argv[i], L"--demo") == 0 && i + 1 < argc) {
            demo = argv[++i];
        } else if (std::wcscmp(argv[i], L"--exit-after") == 0 && i + 1 < argc) {
            exitAfter = static_cast<DWORD>(_wtoi(argv[++i]));
        } else if (std::wcscmp(argv[i], L"--plain") == 0) {
            plain = TRUE;
        } else {
            std::fwprintf(stderr, L"unknown option %ls\n", argv[i]);
            return 2;
        }
    }
    CUTKPaintManager::SetTheme(theme);
    if (plain) {
        auto* frame = new CBarsHostFrame;
        frame->m_checkedId = 32786;
        frame->m_disabledId = 32854;
        if (!frame->CreateHost(RECT{0, 0, 560, 300})) {
            std::fprintf(stderr, "the host frame could not be created\n");
            return 1;
        }
        return RunHost(frame, demo, exitAfter);
    }
    auto* frame = new CBarsManagedFrame;
    CBarsManagedFrame::Options options;
    options.dialogBar = TRUE;
    if (!frame->CreateHost(RECT{0, 0, 560, 340}, options)) {
        std::fprintf(stderr, "the host frame could not be created\n");
        return 1;
    }
    return RunHost(frame, demo, exitAfter);
}
