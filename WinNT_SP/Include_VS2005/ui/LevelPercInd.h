// Read-outs of the loudest level of the last second, in percent and in decibels: a rising value
// shows at once, a falling one at most once a second.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct PERC_LEVEL_INFO {
    DWORD tick;
    WORD level;
};

class CLevelPercInd {
public:
    // Any of the windows may be NULL.
    void SetWindows(HWND percent, HWND decibels, HWND combined)
    {
        m_percentWnd = percent;
        m_dbWnd = decibels;
        m_combinedWnd = combined;
    }
    void AddLevel(WORD level);
    void AddLevelAt(DWORD now, WORD level);
    void UpdateTexts(DWORD now);

    const std::wstring& CombinedText() const { return m_combined; }
    const std::wstring& PercentText() const { return m_percent; }
    const std::wstring& DecibelText() const { return m_decibels; }

private:
    std::vector<PERC_LEVEL_INFO> m_samples;
    HWND m_percentWnd = nullptr;
    HWND m_dbWnd = nullptr;
    HWND m_combinedWnd = nullptr;
    int m_lastPercent = -1;
    int m_lastDb = -1000;
    DWORD m_lastChange = 0;
    std::wstring m_combined;
    std::wstring m_percent;
    std::wstring m_decibels;
};
