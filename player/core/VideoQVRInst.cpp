// The engine callback object. Slots 12, 13 and 15 run on the engine's worker threads: they
// touch the program's state only through the playback state's lock and posted messages.
#include "player/core/VideoQVRInst.h"

#include "player/core/CommandStates.h"
#include "WinNT_SP/Include_VS2005/ui/IconManager.h"
#include "player/core/PlayerShell.h"
#include "player/core/PlayerState.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "player/core/SupportMessageBox.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"

#include <cstdarg>
#include <cwchar>

namespace {

constexpr UINT kCommandHelp = 0x0365;  // WM_COMMANDHELP
constexpr LPARAM kHelpBaseResource = 0x20000;

// One entry of a settings list: {"Name" string, "Descr" text}.
struct NamedTextRecord {
    TypedValue v[4];
    NamedTextRecord()
    {
        InitStringValue(v[1], L"Name");
        InitTextValue(v[2], L"Descr");
        InitEndMarker(v[3]);
        InitRecordHeader(v[0], nullptr, 4, false);
    }
    ~NamedTextRecord() { v[0].Reset(); }
    NamedTextRecord(const NamedTextRecord&) = delete;
    NamedTextRecord& operator=(const NamedTextRecord&) = delete;
};

TypedValue* SettingsList(int list)
{
    return list == 0 ? &AppSettings().Item(SETT_FmtPresets) : nullptr;
}

}  // namespace

void VideoQVRInst::Log(int level, const wchar_t* format, ...)
{
    wchar_t buffer[kLogLineChars];
    va_list args;
    va_start(args, format);
    _vsnwprintf(buffer, kLogLineChars, format ? format : L"", args);
    va_end(args);
    buffer[kLogLineChars - 1] = 0;
    TraceLog().Output(level == 1 ? RMD_CONTINUATION : RMD_STAMPED, buffer);
}

int VideoQVRInst::MessageBox(HWND owner, const wchar_t* text, UINT flags, UINT style,
                             UINT helpContext)
{
    return TracedMessageBox(style | (flags & (MBX_SHOW_LOG | MBX_NO_LOG)), text, owner,
                            helpContext);
}

void VideoQVRInst::GetCommandStates(void* out)
{
    if (out) {
        *static_cast<COMMAND_STATES*>(out) = TheCommandStates();
    }
}

BOOL VideoQVRInst::RunCommand(UINT command, INT_PTR param, int)
{
    IPlayerShell* frame = MainFrame();
    IPlayerView* view = MainView();
    if (!frame || !view) {
        return FALSE;
    }
    const DWORD* f = TheCommandStates().flags;
    struct Entry {
        void (IPlayerShell::*handler)();
        int flag;
        int alternative;
    };
    static const Entry kCommands[] = {
        {&IPlayerShell::OnStop, 7, -1},         {&IPlayerShell::OnPlay, 2, -1},
        {&IPlayerShell::OnSpeedLess, 3, -1},    {&IPlayerShell::OnSpeedMore, 4, -1},
        {&IPlayerShell::OnPause, 8, 9},         {&IPlayerShell::OnGoLeft, 12, -1},
        {&IPlayerShell::OnGoRight, 13, -1},     {&IPlayerShell::OnGoToStart, 10, -1},
        {&IPlayerShell::OnGoToEnd, 11, -1},     {&IPlayerShell::OnGoLeftFrame, 14, -1},
        {&IPlayerShell::OnGoRightFrame, 15, -1},
    };
    if (command < sizeof kCommands / sizeof kCommands[0]) {
        const Entry& e = kCommands[command];
        if (!f[e.flag] && (e.alternative < 0 || !f[e.alternative])) {
            return FALSE;
        }
        (frame->*e.handler)();
        return TRUE;
    }
    if (command == 11) {
        int* result = reinterpret_cast<int*>(param);
        if (!result) {
            return FALSE;
        }
        const int mode = AppSettings().Item(SETT_VideoViewMode).GetInt(0);
        *result = mode == 0 ? 0 : mode == 1 ? 1 : mode == 2 ? 3 : 2;
        return TRUE;
    }
    if (command == 12) {
        switch (static_cast<int>(param)) {
        case 0:
            view->OnVideoOnlyCamera();
            break;
        case 1:
            view->OnVideoOnlyScreen();
            break;
        case 3:
            view->OnVideoCameraUp();
            break;
        default:
            view->OnVideoCameraLeft();
            break;
        }
        return TRUE;
    }
    return FALSE;
}

int VideoQVRInst::IconIndexForId(UINT id)
{
    if (id <= 10) {
        return static_cast<int>(id);
    }
    switch (id) {
    case 11:
        return 12;
    case 12:
        return 13;
    case 13:
        return 15;
    case 14:
        return 16;
    case 15:
        return 19;
    case 16:
        return 21;
    case 17:
        return GetSpeedIconIndex();
    case 18:
        return GetPlayStateIconIndex();
    case 19:
        return GetPlayPauseIconIndex();
    default:
        return -1;
    }
}

HICON VideoQVRInst::GetIcon(UINT id)
{
    const int index = IconIndexForId(id);
    if (index < 0) {
        return nullptr;
    }
    // The engine's full-screen panel shows the command icons through the callback object.
    return TheIconManager().GetIcon(static_cast<UINT>(index));
}

void VideoQVRInst::OnSliderScroll(UINT code, UINT position, HWND slider)
{
    TraceLine(0, L"TrfaoOnHScroll %u, %u", code, position);
    IPlayerShell* frame = MainFrame();
    if (slider && IsWindow(slider) && frame) {
        frame->OnPositionSliderScroll(code, slider);
    } else {
        TraceLine(0, L"TrfaoOnHScroll NoSlider!");
    }
}

const wchar_t* VideoQVRInst::GetStatusText()
{
    m_text = ::GetStatusText();
    return m_text.c_str();
}

int VideoQVRInst::TrackSpeedMenu(HWND button, HWND owner)
{
    if (IPlayerShell* frame = MainFrame()) {
        frame->TrackSpeedMenu(button, owner);
    }
    return 0;
}

double VideoQVRInst::GetPosition() { return GetAppPosition(); }

double VideoQVRInst::GetDuration()
{
    IPlayerShell* frame = MainFrame();
    return frame ? frame->GetDuration() : 0;
}

BOOL VideoQVRInst::MinimizeRestore(BOOL minimize)
{
    TraceLine(0, L"QVRMinRestore(%i)", minimize ? 1 : 0);
    IPlayerShell* frame = MainFrame();
    if (!frame) {
        return FALSE;
    }
    HWND main = frame->GetWindow();
    HWND owner = HiddenOwnerWindow();
    ITrayControl& tray = Tray();
    if (!minimize) {
        if (owner) {
            ShowWindow(owner, SW_HIDE);
        }
        tray.RestoreApp();
        return tray.ApplyTrayMode();
    }
    if (!tray.IsTrayMode() && owner) {
        RECT rc;
        GetWindowRect(owner, &rc);
        if (rc.left > -5000) {
            SetWindowPos(owner, nullptr, rc.left - 10000, rc.top - 10000, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
        ShowOwnedPopups(main, FALSE);
        ShowWindow(main, SW_HIDE);
        ShowWindow(owner, SW_SHOW);
    } else {
        ShowOwnedPopups(main, FALSE);
    }
    return tray.MinimizeApp();
}

LRESULT VideoQVRInst::ShowHelp(int topic)
{
    IPlayerShell* frame = MainFrame();
    if (!frame || topic < 1 || topic > 3) {
        return 0;
    }
    return SendMessageW(frame->GetWindow(), kCommandHelp, 0, kHelpBaseResource + 177 + topic);
}

void VideoQVRInst::OnAsyncError(HRESULT code, const wchar_t* text)
{
    TraceLine(0, L"Async.Err(0x%08X): %s", static_cast<unsigned>(code), text ? text : L"");
    IPlayerShell* frame = MainFrame();
    if (!frame) {
        return;
    }
    // An error that the frame has not taken yet is kept: the new text joins it, and the one
    // posted message already on its way shows both.
    if (ThePlayerState().AddAsyncError(code, text)) {
        PostMessageW(frame->GetWindow(), WM_APP_ASYNC_ERROR, 0, 0);
    }
}

void VideoQVRInst::OnAudioData(int source, const WAVEFORMATEX* format, const BYTE* data,
                               long bytes)
{
    if (IPlayerShell* frame = MainFrame()) {
        frame->OnAudioLevelData(source, format, data, bytes);
    }
}

void VideoQVRInst::OnPosition(double seconds)
{
    IPlayerShell* frame = MainFrame();
    if (!frame) {
        return;
    }
    if (ThePlayerState().StoreReportedPosition(seconds, false)) {
        frame->UpdatePosition();
    }
}

BOOL VideoQVRInst::OnPlayEnd(double seconds)
{
    IPlayerShell* frame = MainFrame();
    PlayerState& state = ThePlayerState();
    if (!frame || !state.HasOpenFile()) {
        return FALSE;
    }
    if (seconds != -1) {
        state.StoreReportedPosition(seconds, true);
    }
    return PostMessageW(frame->GetWindow(), WM_APP_PLAY_END, 0, 0);
}

const wchar_t* VideoQVRInst::GetVideoSettings()
{
    if (!ThePlayerState().settingsLoaded) {
        return nullptr;
    }
    m_text = AppSettings().Item(SETT_VideoInt).GetStringValue();
    return m_text.c_str();
}

void VideoQVRInst::SetVideoSettings(const wchar_t* text)
{
    AppSettings().Item(SETT_VideoInt).SetStringValue(text ? text : L"");
}

int VideoQVRInst::GetListCount(int list)
{
    TypedValue* value = SettingsList(list);
    return value ? static_cast<int>(value->ListCount()) : 0;
}

const wchar_t* VideoQVRInst::ListItemMember(int list, int index, int member)
{
    // Bad input gives the empty text: the previous text would look like a real entry.
    m_text.clear();
    TypedValue* value = SettingsList(list);
    if (!value || index < 0 || static_cast<uint32_t>(index) >= value->ListCount()) {
        return m_text.c_str();
    }
    NamedTextRecord record;
    if (record.v[0].Parse(value->ListEntry(static_cast<uint32_t>(index))->GetStringValue()) >= 0) {
        m_text = record.v[member].GetStringValue();
    }
    return m_text.c_str();
}

const wchar_t* VideoQVRInst::GetListItemName(int list, int index)
{
    return ListItemMember(list, index, 1);
}

const wchar_t* VideoQVRInst::GetListItemValue(int list, int index)
{
    return ListItemMember(list, index, 2);
}

void VideoQVRInst::SetListItem(int list, const wchar_t* name, const wchar_t* value)
{
    if (TypedValue* settingsList = SettingsList(list)) {
        SetNamedText(*settingsList, name, value);
    }
}

void VideoQVRInst::Destroy() { delete this; }
