// The playback settings page between the player, the panel and the settings record.
#include "video/display/CPlaySettingDlg.h"

#include "video/EngineGlobals.h"

CPlaySettingDlg::CPlaySettingDlg() : m_panel(this) {}

BOOL CPlaySettingDlg::IsDefault()
{
    return m_record.IsDefault();
}

void CPlaySettingDlg::ResetToDefaults()
{
    m_record.ResetToDefaults();
    m_panel.LoadControls();
    m_record.GetText(m_current);
}

void CPlaySettingDlg::ShowPanel()
{
    if (!m_panel.IsShown()) {
        const std::wstring error = m_panel.SetParentWindow(m_parentWindow);
        if (!error.empty()) {
            LOG_UNEXPECTED(error);
        }
        m_panel.ShowPanel();
    }
    m_record.GetText(m_current);
}

BOOL CPlaySettingDlg::Validate()
{
    return TRUE;
}

std::wstring CPlaySettingDlg::Init(const wchar_t* text, HWND parent, QVRSettDlgHost* host)
{
    m_current.clear();
    m_saved = text ? text : L"";
    m_parentWindow = parent;
    m_host = host;
    m_record.SetText(m_saved.c_str());
    m_record.GetText(m_current);
    return L"";
}

void CPlaySettingDlg::OnPanelChanged(const PlaySettingsValues& values)
{
    m_record.SetValues(values);
    m_record.GetText(m_current);
    if (m_host) {
        m_host->OnSettDlgChanged();
    }
}

void CPlaySettingDlg::OnPanelDestroyed()
{
    m_host = nullptr;
    m_parentWindow = nullptr;
}
