// Change tracking shared by the engine's settings pages.
#include "video/display/CBaseSettingDlg.h"

BOOL CBaseSettingDlg::IsChanged()
{
    return !m_saved.empty() && m_current != m_saved;
}

void CBaseSettingDlg::CommitSaved()
{
    m_saved = m_current;
}

const wchar_t* CBaseSettingDlg::GetText()
{
    return m_current.c_str();
}
