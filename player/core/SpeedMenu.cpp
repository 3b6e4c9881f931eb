// Speed popup menu. While playing, a choice changes the running speed; while stopped it starts
// playing at that speed (remembered as "SpeedPlayLast") when Play is possible.
#include "player/core/SpeedMenu.h"

#include "player/core/CommandStates.h"
#include "player/core/PlayerShell.h"
#include "player/core/PlayerState.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "player/core/SpeedPlay.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"

namespace {

std::wstring ResFormat(UINT id, const wchar_t* fallback)
{
    const std::wstring text = LoadResText(id);
    return text.empty() ? fallback : text;
}

bool PlayEnabled() { return TheCommandStates().flags[2] != 0; }

}  // namespace

HMENU BuildSpeedMenu(BOOL withEditEntry)
{
    HMENU menu = CreatePopupMenu();
    if (!menu) {
        return nullptr;
    }
    const SpeedPlay& list = TheSpeedList();
    const PlayerState& state = ThePlayerState();
    for (int i = 0; i < list.Count(); ++i) {
        const double v = list.Value(i);
        const std::wstring text = FormatNewString(
            state.playing ? ResFormat(233, L"Set playback speed to x%g").c_str()
                          : ResFormat(234, L"Play at normal speed x%g").c_str(),
            v);
        const bool grey = !IsInSpeedRange(v) ||
                          (state.playing ? SpeedGridSteps(v) == SpeedGridSteps(state.speed)
                                         : !PlayEnabled());
        AppendMenuW(menu, MF_STRING | (grey ? MF_GRAYED : 0), static_cast<UINT_PTR>(i + 1),
                    text.c_str());
    }
    if (withEditEntry) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(list.Count() + 1),
                    ResFormat(235, L"Edit list of playback speed values...").c_str());
    }
    return menu;
}

void ApplySpeedMenuChoice(int result)
{
    const SpeedPlay& list = TheSpeedList();
    IPlayerShell* frame = MainFrame();
    if (result == list.Count() + 1) {
        if (frame) {
            frame->OnSpeedEdit();
        }
        return;
    }
    if (result < 1 || result > list.Count()) {
        return;
    }
    PlayerState& state = ThePlayerState();
    const double v = list.Value(result - 1);
    state.speed = v;
    if (state.playing) {
        if (frame) {
            frame->ApplySpeed();
        }
    } else if (PlayEnabled()) {
        AppSettings().Item(SETT_SpeedPlayLast).SetDouble(v);
        if (frame) {
            frame->ClampSpeed();
            frame->OnPlay();
        }
    }
}

int ShowSpeedPopupMenu(HWND button, HWND owner, BOOL withEditEntry)
{
    HMENU menu = BuildSpeedMenu(withEditEntry);
    if (!menu) {
        return 0;
    }
    RECT rect = {};
    GetWindowRect(button, &rect);
    const int result = static_cast<int>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_VERTICAL, rect.left, rect.bottom, 0, owner, nullptr));
    DestroyMenu(menu);
    ApplySpeedMenuChoice(result);
    return 0;
}
