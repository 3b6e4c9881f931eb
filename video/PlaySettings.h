// The engine's playback settings (renderer choice and the full-screen monitor of each video
// stream) and their text in the typed-value form, with the checks that repair bad values.
#pragma once

#include <windows.h>

#include <string>

struct PlaySettingsValues {
    BOOL AutoRender = TRUE;
    int VideoRender = 0;  // 0 "EVR", 1 "VMR9", 2 "VMR7"
    std::wstring CamMonitor;
    std::wstring ScrMonitor;
};

class PlaySettings {
public:
    static constexpr size_t kMaxMonitorName = 256;

    void SetDefaults();
    void ResetToDefaults();
    BOOL IsDefault() const;
    void Validate();
    void Pack();
    void Unpack();
    void SetText(const wchar_t* text);
    void GetText(std::wstring& out);
    void GetValues(PlaySettingsValues* out);
    void SetValues(const PlaySettingsValues& values);
    static void CopyValues(const PlaySettingsValues* source, PlaySettingsValues* destination);

    // The values and the text as they stand, without validation.
    const PlaySettingsValues& RawValues() const { return m_values; }
    const std::wstring& RawText() const { return m_text; }

private:
    PlaySettingsValues m_values;
    std::wstring m_text;
};
