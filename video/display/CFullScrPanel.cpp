// Layout, updates and the player's commands of the full-screen control panel.
#include "video/display/CFullScrPanel.h"

#include "video/display/CVideoBoard.h"
#include "video/display/DisplayResource.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "video/display/MonitorList.h"
#include "WinNT_SP/Include_VS2005/TextFormat.h"

#include <commctrl.h>

#include <cmath>
#include <iterator>

namespace {

struct PanelButton {
    int id;
    int command;
    int icon;
    int flag;
};

// In the order of the icon update; the flag index enables the button (Pause: 8 or 9).
constexpr PanelButton kButtons[] = {
    {IDC_PANEL_PLAY, 1, 17, 2},         {IDC_PANEL_STOP, 0, 19, 7},
    {IDC_PANEL_PAUSE, 4, 18, 8},        {IDC_PANEL_SLOWER, 2, 7, 3},
    {IDC_PANEL_FASTER, 3, 8, 4},        {IDC_PANEL_HOME, 7, 0, 10},
    {IDC_PANEL_LEFT, 5, 1, 12},         {IDC_PANEL_RIGHT, 6, 2, 13},
    {IDC_PANEL_END, 8, 3, 11},          {IDC_PANEL_FRAME_LEFT, 9, 15, 14},
    {IDC_PANEL_FRAME_RIGHT, 10, 16, 15},
};

std::wstring TickText(double seconds)
{
    const double tenths = std::floor(seconds * 10 + 0.499999);
    const uint64_t ms = tenths > 0 ? static_cast<uint64_t>(tenths) * 100 : 0;
    wchar_t buffer[16];
    const wchar_t* text = FormatTickTemplate(ms, buffer);
    buffer[12] = L'\0';  // after the tenths digit
    return text;
}

void SetTextIfChanged(HWND control, const wchar_t* text)
{
    wchar_t current[512] = {};
    GetWindowTextW(control, current, 512);
    if (wcscmp(current, text) != 0) {
        SetWindowTextW(control, text);
    }
}

}  // namespace

CFullScrPanel::CFullScrPanel(CWnd* parent, int kind, const wchar_t* settingsText)
    : m_parent(parent)
{
    MonitorList monitors;
    if (const MonitorInfo* monitor = monitors.GetForStream(kind, settingsText)) {
        m_monitorRect = monitor->rect;
    }
    if (!Create(IDD_FULL_SCREEN_PANEL, parent)) {
        LOG_UNEXPECTED(FormatText(L"CDialog::Create Err=%u", GetLastError()));
        return;
    }
    ::SetTimer(m_hWnd, kUpdateTimer, 200, nullptr);
}

CFullScrPanel::~CFullScrPanel()
{
    if (!m_hWnd) {
        return;
    }
    ::KillTimer(m_hWnd, kUpdateTimer);
    HWND slider = ::GetDlgItem(m_hWnd, IDC_PANEL_SLIDER);
    if (m_dragging) {
        // The player is told the drag is over, or it would wait for its end for ever.
        if (QVRInstance* player = GetEngineCallback()) {
            player->OnSliderScroll(SB_ENDSCROLL,
                                   static_cast<UINT>(::SendMessageW(slider, TBM_GETPOS, 0, 0)),
                                   slider);
        }
    }
    if (::IsWindow(m_hWnd) && !::DestroyWindow(m_hWnd)) {
        LOG_UNEXPECTED(FormatText(L"DestroyWindow Err=%u", GetLastError()));
    }
}

void CFullScrPanel::Shift(int id, int dx, int grow)
{
    HWND control = ::GetDlgItem(m_hWnd, id);
    RECT rect{};
    if (!control || !::GetWindowRect(control, &rect)) {
        return;
    }
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    ::SetWindowPos(control, nullptr, rect.left + dx, rect.top, rect.right - rect.left + grow,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CFullScrPanel::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_slider.SubclassDlgItem(IDC_PANEL_SLIDER, this);
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        m_buttons[i].SubclassDlgItem(static_cast<UINT>(kButtons[i].id), this);
    }
    HWND slider = ::GetDlgItem(m_hWnd, IDC_PANEL_SLIDER);
    ::SendMessageW(slider, TBM_SETLINESIZE, 0, 1);
    ::SendMessageW(slider, TBM_SETPAGESIZE, 0, 60);
    ::SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, kSliderRange));
    ::SendMessageW(slider, TBM_SETPOS, TRUE, 0);
    ControlUpdate();
    RECT panel{};
    ::GetWindowRect(m_hWnd, &panel);
    const int width = panel.right - panel.left;
    const int height = panel.bottom - panel.top;
    const int extra = (m_monitorRect.right - m_monitorRect.left) - width;
    ::SetWindowPos(m_hWnd, nullptr, m_monitorRect.left, m_monitorRect.bottom, width + extra,
                   height, SWP_NOZORDER | SWP_NOACTIVATE);
    Shift(IDC_PANEL_SLIDER, 0, extra);
    Shift(IDC_PANEL_STATUS, 0, extra);
    for (int id : {IDC_PANEL_TIME_GROUP, IDC_PANEL_TIME, IDC_PANEL_SLOWER, IDC_PANEL_PLAY,
                   IDC_PANEL_FASTER, IDC_PANEL_PAUSE, IDC_PANEL_STOP}) {
        Shift(id, extra, 0);
    }
    return TRUE;
}

void CFullScrPanel::ShowPanel()
{
    if (!m_hWnd || !::IsWindow(m_hWnd)) {
        return;
    }
    if (!m_shown) {
        m_shown = TRUE;
        TimeUpdate();
        RECT panel{};
        ::GetWindowRect(m_hWnd, &panel);
        ::SetWindowPos(m_hWnd, nullptr, m_monitorRect.left,
                       m_monitorRect.bottom - (panel.bottom - panel.top), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::ShowWindow(m_hWnd, SW_SHOW);
    }
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(m_hWnd);
}

void CFullScrPanel::HidePanel()
{
    if (m_hWnd && ::IsWindow(m_hWnd) && m_shown) {
        // Not shown any more before the hide: the activation it moves is not the user's.
        m_shown = FALSE;
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

void CFullScrPanel::OnCancel()
{
    if (m_parent && m_parent->GetSafeHwnd()) {
        ::PostMessageW(m_parent->GetSafeHwnd(), CVideoBoard::kLeaveFullScreen, 0, 0);
    }
}

void CFullScrPanel::ControlUpdate()
{
    QVRInstance* player = GetEngineCallback();
    if (!m_hWnd || !::IsWindow(m_hWnd) || !player) {
        return;
    }
    COMMAND_STATES states{};
    player->GetCommandStates(&states);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PANEL_SLIDER), states.flags[1] != 0);
    for (const PanelButton& button : kButtons) {
        HWND control = ::GetDlgItem(m_hWnd, button.id);
        BOOL enabled = states.flags[button.flag] != 0;
        if (button.id == IDC_PANEL_PAUSE) {
            enabled = enabled || states.flags[9] != 0;
        }
        ::EnableWindow(control, enabled);
        HICON icon = player->GetIcon(static_cast<UINT>(button.icon));
        if (icon != m_iconSet[button.icon]) {
            ::SendMessageW(control, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
            m_iconSet[button.icon] = icon;
        }
    }
    const wchar_t* status = player->GetStatusText();
    SetTextIfChanged(::GetDlgItem(m_hWnd, IDC_PANEL_STATUS), status ? status : L"");
}

std::wstring CFullScrPanel::TimeText(double position, double duration)
{
    return TickText(position) + L" / " + TickText(duration);
}

int CFullScrPanel::SliderTarget(double position, double duration)
{
    const double target = duration > 0 ? position * kSliderRange / duration + 0.499999
                                        : position * 10;
    // A position before the start (or past the end) still keeps the thumb on the track.
    if (!(target > 0)) {
        return 0;
    }
    return target >= kSliderRange ? kSliderRange : static_cast<int>(target);
}

void CFullScrPanel::TimeUpdate()
{
    QVRInstance* player = GetEngineCallback();
    if (!m_hWnd || !::IsWindow(m_hWnd) || !player) {
        return;
    }
    ControlUpdate();
    const double duration = player->GetDuration();
    const double position = player->GetPosition();
    SetTextIfChanged(::GetDlgItem(m_hWnd, IDC_PANEL_TIME), TimeText(position, duration).c_str());
    if (m_sliderFollows) {
        HWND slider = ::GetDlgItem(m_hWnd, IDC_PANEL_SLIDER);
        const int target = SliderTarget(position, duration);
        if (::SendMessageW(slider, TBM_GETPOS, 0, 0) != target) {
            ::SendMessageW(slider, TBM_SETPOS, TRUE, target);
        }
    }
}

LRESULT CFullScrPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    QVRInstance* player = GetEngineCallback();
    switch (message) {
    case WM_TIMER:
        if (wParam == kUpdateTimer) {
            TimeUpdate();
            return 0;
        }
        break;
    case WM_HSCROLL: {
        HWND slider = ::GetDlgItem(m_hWnd, IDC_PANEL_SLIDER);
        if (reinterpret_cast<HWND>(lParam) == slider && player) {
            const UINT code = LOWORD(wParam);
            if (code == SB_THUMBTRACK) {
                m_dragging = TRUE;
            }
            m_sliderFollows = FALSE;
            player->OnSliderScroll(code,
                                   static_cast<UINT>(::SendMessageW(slider, TBM_GETPOS, 0, 0)),
                                   slider);
            m_sliderFollows = TRUE;
            if (code == SB_ENDSCROLL) {
                m_dragging = FALSE;
            }
        }
        break;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && player) {
            for (const PanelButton& button : kButtons) {
                if (button.id == static_cast<int>(LOWORD(wParam))) {
                    player->RunCommand(static_cast<UINT>(button.command), 0, 0);
                    return 0;
                }
            }
        }
        break;
    case WM_NOTIFY: {
        // A right click on a speed button opens the player's speed menu there.
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        const int id = header ? static_cast<int>(header->idFrom) : 0;
        if (header && header->code == static_cast<UINT>(NM_RCLICK) && m_shown && player &&
            (id == IDC_PANEL_SLOWER || id == IDC_PANEL_PLAY || id == IDC_PANEL_FASTER)) {
            m_menuOpen = TRUE;
            player->TrackSpeedMenu(header->hwndFrom, m_hWnd);
            m_menuOpen = FALSE;
            return 0;
        }
        break;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && m_parent &&
            reinterpret_cast<HWND>(lParam) != m_parent->GetSafeHwnd() && m_shown) {
            ::PostMessageW(m_parent->GetSafeHwnd(), CVideoBoard::kLeaveFullScreen, 0, 0);
        }
        break;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
