// Percent and decibel read-outs of the level meters.
#include "WinNT_SP/Include_VS2005/ui/LevelPercInd.h"

#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/ui/UiStrings.h"
#include "WinNT_SP/Include_VS2005/Volume.h"

#include <algorithm>

void CLevelPercInd::AddLevel(WORD level)
{
    AddLevelAt(GetTickCount(), level);
}

void CLevelPercInd::AddLevelAt(DWORD now, WORD level)
{
    m_samples.push_back({now, level});
    UpdateTexts(now);
}

void CLevelPercInd::UpdateTexts(DWORD now)
{
    WORD max = 0;
    std::erase_if(m_samples, [now](const PERC_LEVEL_INFO& s) { return now - s.tick > 1000; });
    for (const PERC_LEVEL_INFO& s : m_samples) {
        max = std::max(max, s.level);
    }
    const int percent = (max * 100 + 32767) / 65535;
    const int db = VolumeToDb(percent / 100.0);
    const bool rose = percent > m_lastPercent || db > m_lastDb;
    const bool changed = percent != m_lastPercent || db != m_lastDb;
    if (!rose && !(changed && now - m_lastChange > 1000)) {
        return;
    }
    m_lastChange = now;
    m_lastPercent = percent;
    m_lastDb = db;
    const std::wstring dbText = FormatNewString(LoadUiText(IDS_LEVEL_DB).c_str(), db);
    const std::wstring percentText = FormatNewString(L"%i%%", percent);
    if (db < -40) {
        m_combined = max != 0 ? percentText : std::wstring();
        m_decibels.clear();
    } else {
        m_combined = dbText + FormatNewString(L", %i%%", percent);
        m_decibels = dbText;
    }
    m_percent = percentText;
    if (m_combinedWnd) {
        SetWindowTextW(m_combinedWnd, m_combined.c_str());
    }
    if (m_percentWnd) {
        SetWindowTextW(m_percentWnd, m_percent.c_str());
    }
    if (m_dbWnd) {
        SetWindowTextW(m_dbWnd, m_decibels.c_str());
    }
}
