// Filling, sizing and reading the playback settings panel.
#include "video/display/CPlaySettingPanel.h"

#include "video/display/CPlaySettingDlg.h"
#include "video/display/DisplayResource.h"
#include "video/display/DisplayText.h"
#include "video/EngineText.h"
#include "video/display/MonitorList.h"

namespace {

constexpr int kCombos[] = {IDC_VIDEO_RENDERER, IDC_CAMERA_MONITOR, IDC_SCREEN_MONITOR};

}  // namespace

BEGIN_MESSAGE_MAP(CPlaySettingPanel, CBasePanel)
    ON_CBN_SELCHANGE(IDC_VIDEO_RENDERER, OnSelChange)
    ON_CBN_SELCHANGE(IDC_CAMERA_MONITOR, OnSelChange)
    ON_CBN_SELCHANGE(IDC_SCREEN_MONITOR, OnSelChange)
END_MESSAGE_MAP()

CPlaySettingPanel::CPlaySettingPanel(CPlaySettingDlg* owner)
    : CBasePanel(IDD_PLAY_SETTINGS), m_owner(owner)
{
}

BOOL CPlaySettingPanel::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_hWnd || !m_parentWindow) {
        return FALSE;
    }
    for (int id : kCombos) {
        ::SendDlgItemMessageW(m_hWnd, id, CB_RESETCONTENT, 0, 0);
        ::SendDlgItemMessageW(m_hWnd, id, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(EngineString(213)));
    }
    for (int kind = 0; kind < kRendererCount; ++kind) {
        ::SendDlgItemMessageW(m_hWnd, IDC_VIDEO_RENDERER, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(RendererName(kind)));
    }
    MonitorList monitors;
    for (int i = 0; i < monitors.GetCount(); ++i) {
        const LPARAM name = reinterpret_cast<LPARAM>(monitors.GetAt(i)->name.c_str());
        ::SendDlgItemMessageW(m_hWnd, IDC_CAMERA_MONITOR, CB_ADDSTRING, 0, name);
        ::SendDlgItemMessageW(m_hWnd, IDC_SCREEN_MONITOR, CB_ADDSTRING, 0, name);
    }
    RECT mine{};
    RECT parent{};
    ::GetWindowRect(m_hWnd, &mine);
    ::GetWindowRect(m_parentWindow, &parent);
    const int dx = (parent.right - parent.left) - (mine.right - mine.left);
    const int dy = (parent.bottom - parent.top) - (mine.bottom - mine.top);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, mine.right - mine.left + dx,
                   mine.bottom - mine.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int id : {IDC_MONITOR_GROUP, IDC_HINT_GROUP, IDC_SETTINGS_HINT, IDC_CAMERA_MONITOR,
                   IDC_SCREEN_MONITOR}) {
        Widen(id, dx);
    }
    m_initialized = TRUE;
    LoadControls();
    return TRUE;
}

void CPlaySettingPanel::Widen(int id, int by)
{
    HWND control = ::GetDlgItem(m_hWnd, id);
    RECT rect{};
    if (!control || !::GetWindowRect(control, &rect)) {
        return;
    }
    ::SetWindowPos(control, nullptr, 0, 0, rect.right - rect.left + by, rect.bottom - rect.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPlaySettingPanel::LoadControls()
{
    if (!m_initialized || !m_hWnd) {
        return;
    }
    PlaySettingsValues values;
    m_owner->Record().GetValues(&values);
    ::SendDlgItemMessageW(m_hWnd, IDC_VIDEO_RENDERER, CB_SETCURSEL,
                        values.AutoRender ? 0 : values.VideoRender + 1, 0);
    const struct {
        int id;
        const std::wstring* name;
    } monitors[] = {{IDC_CAMERA_MONITOR, &values.CamMonitor},
                    {IDC_SCREEN_MONITOR, &values.ScrMonitor}};
    for (const auto& monitor : monitors) {
        const LRESULT count = ::SendDlgItemMessageW(m_hWnd, monitor.id, CB_GETCOUNT, 0, 0);
        LRESULT found = CB_ERR;
        if (!monitor.name->empty() && count > 2) {
            found = ::SendDlgItemMessageW(m_hWnd, monitor.id, CB_FINDSTRINGEXACT,
                                        static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(monitor.name->c_str()));
        }
        if (found != CB_ERR) {
            ::SendDlgItemMessageW(m_hWnd, monitor.id, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
        } else if (count > 0) {
            ::SendDlgItemMessageW(m_hWnd, monitor.id, CB_SETCURSEL, 0, 0);
        }
    }
    RefreshControls();
}

void CPlaySettingPanel::RefreshControls()
{
    if (!m_initialized || !m_hWnd) {
        return;
    }
    for (int id : {IDC_CAMERA_MONITOR, IDC_SCREEN_MONITOR}) {
        const LRESULT count = ::SendDlgItemMessageW(m_hWnd, id, CB_GETCOUNT, 0, 0);
        ::EnableWindow(::GetDlgItem(m_hWnd, id), count > 2);
    }
}

std::wstring CPlaySettingPanel::SelectedText(int id)
{
    const LRESULT selected = ::SendDlgItemMessageW(m_hWnd, id, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        return L"";
    }
    const LRESULT length = ::SendDlgItemMessageW(m_hWnd, id, CB_GETLBTEXTLEN,
                                               static_cast<WPARAM>(selected), 0);
    if (length <= 0) {
        return L"";
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendDlgItemMessageW(m_hWnd, id, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void CPlaySettingPanel::ReadControls()
{
    if (!m_initialized || !m_hWnd) {
        return;
    }
    PlaySettingsValues values;
    const LRESULT renderer = ::SendDlgItemMessageW(m_hWnd, IDC_VIDEO_RENDERER, CB_GETCURSEL, 0, 0);
    values.AutoRender = renderer <= 0;
    values.VideoRender = renderer > 0 ? static_cast<int>(renderer - 1) : 0;
    values.CamMonitor = SelectedText(IDC_CAMERA_MONITOR);
    values.ScrMonitor = SelectedText(IDC_SCREEN_MONITOR);
    m_owner->OnPanelChanged(values);
    RefreshControls();
}

void CPlaySettingPanel::OnSelChange()
{
    ReadControls();
}

void CPlaySettingPanel::PostNcDestroy()
{
    CBasePanel::PostNcDestroy();
    m_owner->OnPanelDestroyed();
}
