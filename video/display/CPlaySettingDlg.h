// The playback settings page: renderer choice and the full-screen monitors of the camera and
// screen streams, edited in its panel and kept as the playback settings text the player
// stores. The engine object embeds one and hands it out for the player's options dialog.
#pragma once

#include "video/display/CBaseSettingDlg.h"
#include "video/display/CPlaySettingPanel.h"
#include "video/PlaySettings.h"

class CPlaySettingDlg : public CBaseSettingDlg {
public:
    CPlaySettingDlg();

    BOOL IsDefault() override;
    void ResetToDefaults() override;
    void ShowPanel() override;
    BOOL Validate() override;

    // At each opening of the player's page; an error text.
    std::wstring Init(const wchar_t* text, HWND parent, QVRSettDlgHost* host);
    void OnPanelChanged(const PlaySettingsValues& values);
    void OnPanelDestroyed();
    PlaySettings& Record() { return m_record; }
    CPlaySettingPanel& Panel() { return m_panel; }

private:
    CPlaySettingPanel m_panel;
    PlaySettings m_record;
};
