// The hosted-window control: placement inside the borders, visibility with the control and the
// vertical option, enabling, saved state and the hook that forwards mouse moves to the bar.
#include "toolkit/controls/CUTKControlCustom.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/common/CUTKHookManager.h"
#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/controls/CUTKControls.h"

IMPLEMENT_SERIAL(CUTKControlCustom, CUTKControlButton, kUtkControlSchema)

namespace {

constexpr DWORD kVerticalLayout = 0x10;

} // namespace

CUTKControlCustom::CUTKControlCustom()
{
    m_controlType = utkControlCustom;
    m_flags = utkFlagNoMovable;
}

CUTKControlCustom::~CUTKControlCustom()
{
    if (CUTKHookManager* hooks = GetHookManager()) {
        hooks->RemoveAll(this);
    }
}

void CUTKControlCustom::SetControl(HWND window)
{
    if (window == m_window) {
        return;
    }
    CUTKHookManager* hooks = GetHookManager();
    if (m_window != nullptr && hooks != nullptr) {
        hooks->RemoveHook(m_window, this);
    }
    m_window = window;
    if (HasLiveWindow()) {
        if (hooks != nullptr) {
            hooks->SetHook(m_window, this);
        }
        if (m_controlSize.cx == 0 && m_controlSize.cy == 0) {
            RECT rc{};
            ::GetWindowRect(m_window, &rc);
            m_controlSize = CSize(rc.right - rc.left, rc.bottom - rc.top);
        }
    }
    RequestParentRelayout();
}

void CUTKControlCustom::SetBorders(int left, int top, int right, int bottom)
{
    m_borders = CRect(left, top, right, bottom);
    RequestParentRelayout();
}

void CUTKControlCustom::SetEnabled(BOOL enabled)
{
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    if (HasLiveWindow()) {
        ::EnableWindow(m_window, GetEnabled());
    }
    RedrawParent(TRUE);
}

void CUTKControlCustom::SetRect(CRect rcControl)
{
    HWND barWindow = m_parent != nullptr ? m_parent->GetSafeHwnd() : nullptr;
    if (rcControl == m_rcControl &&
        (m_window == nullptr || (barWindow != nullptr && ::GetParent(m_window) == barWindow))) {
        return;
    }
    m_rcControl = rcControl;
    // A destroyed window keeps its place in the bar but is never touched.
    if (!HasLiveWindow() || barWindow == nullptr) {
        return;
    }
    if (::GetParent(m_window) != barWindow) {
        ::SetParent(m_window, barWindow);
        const LONG_PTR style = ::GetWindowLongPtrW(m_window, GWL_STYLE);
        ::SetWindowLongPtrW(m_window, GWL_STYLE, static_cast<LONG_PTR>((static_cast<DWORD>(style) & ~DWORD{WS_POPUP}) | WS_CHILD));
    }
    const int left = rcControl.left + m_borders.left;
    const int top = rcControl.top + m_borders.top;
    ::MoveWindow(m_window, left, top, rcControl.right - m_borders.right - left,
                 rcControl.bottom - m_borders.bottom - top, TRUE);
    UpdateWindowVisibility();
}

void CUTKControlCustom::SetHideFlags(DWORD hideFlags)
{
    if (hideFlags == m_hideFlags) {
        return;
    }
    m_hideFlags = hideFlags;
    UpdateWindowVisibility();
    RequestParentRelayout();
}

CSize CUTKControlCustom::GetSize(CDC* pDC)
{
    if (m_window != nullptr && m_shownInLayout) {
        return CSize(m_controlSize.cx + m_borders.left + m_borders.right,
                     m_controlSize.cy + m_borders.top + m_borders.bottom);
    }
    return CUTKControlButton::GetSize(pDC);
}

void CUTKControlCustom::Draw(CDC* pDC)
{
    if (m_window == nullptr || !::IsWindowVisible(m_window)) {
        CUTKControlButton::Draw(pDC);
    }
}

void CUTKControlCustom::OnCalcDynamicSize(DWORD layoutFlags)
{
    const BOOL vertical = (layoutFlags & kVerticalLayout) != 0;
    if (m_verticalOptions == verticalHide) {
        // Through SetHideFlags, so that the window leaves the bar with its control.
        SetHideFlags(vertical ? (m_hideFlags | utkHideDock) : (m_hideFlags & ~DWORD{utkHideDock}));
    } else if (m_verticalOptions == verticalHideWindow) {
        m_shownInLayout = !vertical;
    }
    // Every layout pass brings the window in line with the control: SetVisible changes the
    // hide flags without telling the control, and a hidden control gets no SetRect.
    UpdateWindowVisibility();
}

void CUTKControlCustom::DoPropExchange(CUTKPropExchange* px)
{
    CUTKControlButton::DoPropExchange(px);
    if (px == nullptr) {
        return;
    }
    ExchangeRectProp(px, L"Borders", m_borders, CRect(0, 0, 0, 0));
    ExchangeSizeProp(px, L"ControlSize", m_controlSize, CSize(0, 0));
    ExchangeIntPropDefault(px, L"VerticalOptions", m_verticalOptions, 0);
    if (px->m_nSchema > 5) {
        ExchangeIntPropDefault(px, L"ControlId", m_controlId, 0);
    }
    if (px->IsLoading() && m_controlId != 0) {
        // An id naming no window leaves the control drawn as a button.
        HWND window = FindControlWindow(GetCommandBars(), m_controlId);
        if (window != nullptr) {
            const CSize size = m_controlSize;
            SetControl(window);
            m_controlSize = size;
        }
    }
}

void CUTKControlCustom::Copy(CUTKControl* source, BOOL recursive)
{
    if (auto* custom = dynamic_cast<CUTKControlCustom*>(source); custom != nullptr && custom != this) {
        m_borders = custom->m_borders;
        m_verticalOptions = custom->m_verticalOptions;
        m_controlSize = custom->m_controlSize;
        const CSize size = custom->m_controlSize;
        SetControl(custom->m_window);
        m_controlSize = size;
        m_controlId = custom->m_controlId;
    }
    CUTKControlButton::Copy(source, recursive);
}

CUTKControl* CUTKControlCustom::Clone(BOOL recursive)
{
    auto* clone = new CUTKControlCustom();
    clone->Copy(this, recursive);
    return clone;
}

void CUTKControlCustom::OnClick(BOOL keyboard, CPoint pt)
{
    if (m_window == nullptr || !::IsWindowVisible(m_window) ||
        (m_parent != nullptr && m_parent->IsCustomizeMode())) {
        CUTKControlButton::OnClick(keyboard, pt);
    }
}

void CUTKControlCustom::OnRemoved()
{
    m_shownInLayout = FALSE;
    UpdateWindowVisibility();
    CUTKControlButton::OnRemoved();
}

void CUTKControlCustom::OnActionChanged(int property)
{
    CUTKControlButton::OnActionChanged(property);
    if (property == 2 && m_window != nullptr) {
        UpdateWindowVisibility();
    }
}

void CUTKControlCustom::UpdateWindowVisibility()
{
    if ((m_controls != nullptr && m_controls->IsOriginalControls()) || m_parent == nullptr ||
        !HasLiveWindow()) {
        return;
    }
    HWND barWindow = m_parent->GetSafeHwnd();
    if (barWindow == nullptr || ::GetParent(m_window) != barWindow) {
        return;
    }
    const BOOL show = m_shownInLayout && IsVisible(0);
    ::SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
                   (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOSIZE | SWP_NOMOVE |
                       SWP_NOZORDER | SWP_NOACTIVATE);
}

int CUTKControlCustom::OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam,
                                     LRESULT& result)
{
    (void)result;
    if (message == WM_MOUSEMOVE && m_parent != nullptr && m_parent->GetSafeHwnd() != nullptr) {
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::MapWindowPoints(hWnd, m_parent->GetSafeHwnd(), &point, 1);
        m_parent->OnMouseMove(static_cast<UINT>(wParam), CPoint(point.x, point.y));
    }
    return hookContinue;
}

HWND CUTKControlCustom::FindControlWindow(CUTKCommandBars* commandBars, int id)
{
    if (commandBars == nullptr) {
        return nullptr;
    }
    if (CWnd* site = commandBars->GetSite(); site != nullptr && site->GetSafeHwnd() != nullptr) {
        if (HWND window = ::GetDlgItem(site->GetSafeHwnd(), id)) {
            return window;
        }
    }
    for (int i = 0; i < commandBars->GetCount(); ++i) {
        CUTKCommandBar* bar = commandBars->GetAt(i);
        if (bar != nullptr && bar->GetSafeHwnd() != nullptr) {
            if (HWND window = ::GetDlgItem(bar->GetSafeHwnd(), id)) {
                return window;
            }
        }
    }
    return nullptr;
}
