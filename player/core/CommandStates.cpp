// The command-state record, recomputed on every position refresh, and the play-state,
// speed-state, icon, tooltip and status-text questions built on the same inputs.
#include "player/core/CommandStates.h"

#include "player/core/PlayerResource.h"
#include "player/core/PlayerShell.h"
#include "player/core/PlayerState.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "player/core/SpeedSteps.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"

namespace {

DWORD Flag(bool value) { return value ? 1u : 0u; }

}  // namespace

COMMAND_STATES& TheCommandStates()
{
    static COMMAND_STATES states = {};
    return states;
}

void ComputeCommandStates(const CommandStateInputs& in, COMMAND_STATES* out)
{
    DWORD* f = out->flags;
    for (DWORD& v : out->flags) {
        v = 0;
    }
    const long long d = TimeGridSteps(in.duration);
    const long long p = TimeGridSteps(in.position);
    const bool length = (in.file && d > 0) || (in.url && in.urlDuration > 0);
    f[0] = Flag(in.file || in.url);
    if (length) {
        f[1] = 1;
        f[12] = Flag(p > 0);
        f[13] = Flag(d > p);
    }
    f[2] = Flag(((in.file && d > 0) || in.url) &&
                (!in.playing || (!in.url && in.quickSpeedSwitch)));
    ISpeedSteps& steps = SpeedSteps();
    if (!in.url) {
        if (in.playing) {
            f[3] = Flag(steps.GetLowerSpeed(in.speed) != -1);
            f[4] = Flag(steps.GetHigherSpeed(in.speed) != -1);
            f[5] = Flag(!steps.IsNormalSpeed(in.speed));
            f[6] = Flag(SpeedGridSteps(in.speed) != SpeedGridSteps(in.speedPlayLast));
        } else {
            f[3] = Flag(f[2] && IsInSpeedRange(steps.EntryBelowNormal()));
            f[4] = Flag(f[2] && IsInSpeedRange(steps.EntryAboveNormal()));
        }
    }
    f[7] = Flag(in.playing);
    f[8] = Flag(in.playing && (!in.url || in.urlHasDuration));
    f[9] = Flag(f[8] && in.paused);
    f[10] = f[12];
    f[11] = f[13];
    f[14] = Flag(f[12] && in.video);
    f[15] = Flag(f[13] && in.video);
    f[18] = Flag(in.selectedBookmarks > 0);
}

CommandStateInputs GatherCommandStateInputs()
{
    PlayerState& state = ThePlayerState();
    CommandStateInputs in;
    IPlayerShell* frame = MainFrame();
    in.duration = frame ? frame->GetDuration() : 0;
    in.position = GetAppPosition();
    IOpenPresentation* file = state.OpenFile();
    INetReaderState* net = state.NetReader();
    in.file = file != nullptr;
    in.url = net != nullptr;
    if (net) {
        in.urlDuration = net->GetDuration();
        in.urlHasDuration = net->HasDuration() != FALSE;
    }
    in.video = file && file->HasVideo();
    in.playing = state.playing != FALSE;
    in.paused = state.paused != FALSE;
    in.speed = state.speed;
    in.quickSpeedSwitch = frame && frame->GetQuickSpeedSwitch();
    in.speedPlayLast = AppSettings().Item(SETT_SpeedPlayLast).GetDouble(0);
    in.selectedBookmarks = frame ? frame->GetSelectedBookmarkCount() : 0;
    return in;
}

void UpdateCommandStates()
{
    ComputeCommandStates(GatherCommandStateInputs(), &TheCommandStates());
}

int GetPlayState()
{
    const PlayerState& state = ThePlayerState();
    if (state.paused) {
        return 3;
    }
    return state.playing ? 2 : 0;
}

int GetSpeedState()
{
    const PlayerState& state = ThePlayerState();
    if (!TheCommandStates().flags[2] || !state.playing) {
        return 0;
    }
    return SpeedSteps().IsNormalSpeed(state.speed) ? 2 : 1;
}

int GetPlayPauseIconIndex() { return ThePlayerState().playing ? 16 : 15; }

int GetPlayStateIconIndex()
{
    switch (GetPlayState()) {
    case 2:
        return 10;
    case 3:
        return 13;
    default:
        return 9;
    }
}

int GetSpeedIconIndex()
{
    switch (GetSpeedState()) {
    case 1:
        return 5;
    case 2:
        return 6;
    default:
        return 4;
    }
}

double GetAppDuration()
{
    PlayerState& state = ThePlayerState();
    if (INetReaderState* net = state.NetReader()) {
        return net->GetDuration();
    }
    if (IOpenPresentation* file = state.OpenFile()) {
        return file->GetDuration();
    }
    return 0;
}

double GetAppPosition()
{
    const PlayerState& state = ThePlayerState();
    return state.HasFileOrURL() ? state.GetPositionValue() : 0;
}

std::wstring GetStatusText()
{
    PlayerState& state = ThePlayerState();
    INetReaderState* net = state.NetReader();
    if (!state.OpenFile() && !net) {
        return L"";
    }
    std::wstring text;
    if (state.playing) {
        text = LoadResText(state.paused ? IDS_PAUSED_PLAYING : IDS_PLAYING);
        if (state.speed != 1.0) {
            text += FormatNewString(L" x%g", state.speed);
        }
    }
    if (net && net->IsBuffering()) {
        const int percent = net->GetBufferingPercent();
        text += L" ";
        text += percent == -1 ? LoadResText(IDS_BUFFERING)
                              : FormatResString(IDS_BUFFERING_PERCENT, unsigned(percent));
    }
    return text;
}

std::wstring GetCommandShortcut(unsigned id)
{
    IPlayerShell* frame = MainFrame();
    return frame ? frame->GetShortcutText(id) : std::wstring();
}

std::wstring GetCommandTooltip(unsigned id)
{
    if (!MainFrame()) {
        return L"";
    }
    const PlayerState& state = ThePlayerState();
    ISpeedSteps& steps = SpeedSteps();
    std::wstring tip;
    switch (id) {
    case ID_STEP_VALUE_BOX: {
        std::wstring less = GetCommandShortcut(ID_PLAY_GO_STEP_LESS);
        std::wstring more = GetCommandShortcut(ID_PLAY_GO_STEP_MORE);
        if (less.empty()) {
            less = LoadResText(IDS_NO_SHORTCUT);
        }
        if (more.empty()) {
            more = LoadResText(IDS_NO_SHORTCUT);
        }
        tip = FormatResString(IDS_TIP_STEP_VALUE, less.c_str(), more.c_str());
        break;
    }
    case ID_PLAY_PLAY:
        switch (GetSpeedState()) {
        case 1:
            tip = LoadResText(IDS_TIP_NORMAL_SPEED);
            break;
        case 2:
            tip = FormatResString(IDS_TIP_LAST_SPEED,
                                  steps.ClampSpeed(
                                      AppSettings().Item(SETT_SpeedPlayLast).GetDouble(0)));
            break;
        default:
            tip = LoadResText(IDS_TIP_PLAY);
            break;
        }
        break;
    case ID_PLAY_SPEED_LESS:
        if (state.playing) {
            const double lower = steps.GetLowerSpeed(state.speed);
            tip = lower == -1 ? LoadResText(IDS_TIP_SLOWER)
                              : FormatResString(IDS_TIP_DECREASE_TO, lower);
        } else {
            tip = FormatResString(IDS_TIP_PLAY_SLOW, steps.EntryBelowNormal());
        }
        break;
    case ID_PLAY_SPEED_MORE:
        if (state.playing) {
            const double higher = steps.GetHigherSpeed(state.speed);
            tip = higher == -1 ? LoadResText(IDS_TIP_FASTER)
                               : FormatResString(IDS_TIP_INCREASE_TO, higher);
        } else {
            tip = FormatResString(IDS_TIP_PLAY_FAST, steps.EntryAboveNormal());
        }
        break;
    default: {
        static const struct {
            unsigned id;
            unsigned text;
        } kPlain[] = {
            {ID_VIEW_SHOW_VOL, IDS_TIP_SHOW_VOL},     {ID_FILE_OPEN_URL, IDS_TIP_OPEN_URL},
            {ID_FILE_PROP, IDS_TIP_PROPERTIES},       {ID_PLAY_PAUSE, IDS_TIP_PAUSE},
            {ID_PLAY_STOP, IDS_TIP_STOP},             {ID_PLAY_GO_TOSTART, IDS_TIP_TO_START},
            {ID_PLAY_GO_TOLEFT, IDS_TIP_LEFT_BY},     {ID_PLAY_GO_TOLEFT_FRAME, IDS_TIP_LEFT_FRAME},
            {ID_PLAY_GO_TORIGHT_FRAME, IDS_TIP_RIGHT_FRAME},
            {ID_PLAY_GO_TORIGHT, IDS_TIP_RIGHT_BY},   {ID_PLAY_GO_TOEND, IDS_TIP_TO_END},
            {ID_PLAY_GO_JUMP, IDS_TIP_JUMP},          {ID_OPTIONS_SETTINGS, IDS_TIP_SETTINGS},
            {ID_OPTIONS_VOLUME_MUTE, IDS_TIP_MUTE},   {ID_OPTIONS_SYS_MIXER, IDS_TIP_SYS_MIXER},
            {ID_VIEW_VIDEO, IDS_TIP_VIDEO_VIEW},      {ID_VIEW_BM_VISIBLE, IDS_TIP_BOOKMARKS},
            {ID_FILE_NEW, IDS_TIP_CLOSE},             {ID_FILE_OPEN, IDS_TIP_OPEN},
        };
        bool found = false;
        for (const auto& entry : kPlain) {
            if (entry.id == id) {
                tip = LoadResText(entry.text);
                found = true;
                break;
            }
        }
        if (!found) {
            return L"";
        }
        break;
    }
    }
    const std::wstring shortcut = GetCommandShortcut(id);
    if (!shortcut.empty()) {
        tip += L" (" + shortcut + L")";
    }
    return tip;
}
