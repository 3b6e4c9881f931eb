// The player's callback object handed to the engine: trace lines, message boxes, command
// states and commands for the engine's full-screen panel, icons, status, position and duration,
// position and end-of-play reports, asynchronous errors, audio data and two settings.
#pragma once

#include "Common/QVRInterfaces.h"

#include <string>

class VideoQVRInst final : public QVRInstance {
public:
    VideoQVRInst() = default;
    VideoQVRInst(const VideoQVRInst&) = delete;
    VideoQVRInst& operator=(const VideoQVRInst&) = delete;

    void Log(int level, const wchar_t* format, ...) override;
    int MessageBox(HWND owner, const wchar_t* text, UINT flags, UINT style,
                   UINT helpContext) override;
    void GetCommandStates(void* out) override;
    BOOL RunCommand(UINT command, INT_PTR param, int unused) override;
    HICON GetIcon(UINT id) override;
    void OnSliderScroll(UINT code, UINT position, HWND slider) override;
    const wchar_t* GetStatusText() override;
    int TrackSpeedMenu(HWND button, HWND owner) override;
    double GetPosition() override;
    double GetDuration() override;
    BOOL MinimizeRestore(BOOL minimize) override;
    LRESULT ShowHelp(int topic) override;
    void OnAsyncError(HRESULT code, const wchar_t* text) override;
    void OnAudioData(int source, const WAVEFORMATEX* format, const BYTE* data,
                     long bytes) override;
    void OnPosition(double seconds) override;
    BOOL OnPlayEnd(double seconds) override;
    const wchar_t* GetVideoSettings() override;
    void SetVideoSettings(const wchar_t* text) override;
    int GetListCount(int list) override;
    const wchar_t* GetListItemName(int list, int index) override;
    const wchar_t* GetListItemValue(int list, int index) override;
    void SetListItem(int list, const wchar_t* name, const wchar_t* value) override;
    void Destroy() override;

    // Engine icon id to the player's icon index; -1 for an unknown id.
    static int IconIndexForId(UINT id);

private:
    ~VideoQVRInst() = default;
    const wchar_t* ListItemMember(int list, int index, int member);

    // The last text returned by slots 6, 16, 19 and 20; valid until the next of them.
    std::wstring m_text;
};
