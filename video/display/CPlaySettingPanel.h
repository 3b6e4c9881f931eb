// The playback settings panel (dialog 198): the renderer combo and the camera and screen
// monitor combos, filled from the page's record and read back into it on every change.
#pragma once

#include "video/display/CBasePanel.h"

class CPlaySettingDlg;

class CPlaySettingPanel : public CBasePanel {
public:
    explicit CPlaySettingPanel(CPlaySettingDlg* owner);

    BOOL OnInitDialog() override;
    void LoadControls();
    void ReadControls() override;
    void RefreshControls() override;

protected:
    void PostNcDestroy() override;
    void OnSelChange();

    DECLARE_MESSAGE_MAP()

private:
    void Widen(int id, int by);
    std::wstring SelectedText(int id);

    CPlaySettingDlg* m_owner;
};
