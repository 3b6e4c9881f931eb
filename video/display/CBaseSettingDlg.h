// An engine settings page as the player sees it: the settings text being edited, the text
// last handed in or committed, and the player's page that hears about changes.
#pragma once

#include "Common/QVRInterfaces.h"

#include <string>

class CBaseSettingDlg : public IQVRSettDlg {
public:
    BOOL IsChanged() override;
    void CommitSaved() override;
    const wchar_t* GetText() override;

protected:
    HWND m_parentWindow = nullptr;
    std::wstring m_current;
    std::wstring m_saved;
    QVRSettDlgHost* m_host = nullptr;
};
