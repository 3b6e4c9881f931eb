// Placement, showing and destruction of a settings panel.
#include "video/display/CBasePanel.h"

#include "video/EngineGlobals.h"
#include "video/EngineText.h"

CBasePanel::CBasePanel(UINT templateId) : m_templateId(templateId) {}

CBasePanel::~CBasePanel()
{
    if (m_hWnd && ::IsWindow(m_hWnd) && !::DestroyWindow(m_hWnd)) {
        LOG_UNEXPECTED(FormatText(L"DestroyWindow Err=%u", GetLastError()));
    }
}

std::wstring CBasePanel::SetParentWindow(HWND parent)
{
    if (parent == m_parentWindow && (!parent || m_hWnd)) {
        return L"";
    }
    m_parentWindow = nullptr;
    if (!parent) {
        return L"";
    }
    m_parentWindow = parent;
    if (m_hWnd) {
        ::SetParent(m_hWnd, parent);
    } else if (!Create(m_templateId, CWnd::FromHandle(parent))) {
        return CALL_FAILURE(L"CDialog::Create", E_FAIL, L"");
    }
    ::ShowWindow(m_hWnd, SW_HIDE);
    m_shown = FALSE;
    return L"";
}

void CBasePanel::ShowPanel()
{
    if (!m_hWnd) {
        return;
    }
    RefreshControls();
    if (!m_shown) {
        ::ShowWindow(m_hWnd, SW_SHOW);
        m_shown = TRUE;
    }
}

void CBasePanel::PostNcDestroy()
{
    // The player's page is gone with its window: the next showing starts afresh.
    m_parentWindow = nullptr;
    m_initialized = FALSE;
    m_shown = FALSE;
    CDialog::PostNcDestroy();
}
