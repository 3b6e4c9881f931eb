// The command button: press-and-hold loop with repeat on the bar window, execute on release in
// popup bars, and the old "Style" key of saved state before schema 18.
#include "toolkit/controls/CUTKControlButton.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/controls/ControlPressLoop.h"

IMPLEMENT_SERIAL(CUTKControlButton, CUTKControl, kUtkControlSchema)

namespace {

// Keeps the control alive while its command runs: a handler may remove it from its bar.
class KeepControl {
public:
    explicit KeepControl(CCmdTarget* target) : m_target(target) { m_target->InternalAddRef(); }
    ~KeepControl() { m_target->InternalRelease(); }
    KeepControl(const KeepControl&) = delete;
    KeepControl& operator=(const KeepControl&) = delete;

private:
    CCmdTarget* m_target;
};

// The loop's view of the pressed control.
class ButtonPressSink : public IControlPressSink {
public:
    explicit ButtonPressSink(CUTKControlButton* control) : m_control(control) {}

    bool IsPressSelected() override { return m_control->m_selected != utkSelectedNone; }
    void SetPressSelected(bool selected) override
    {
        const int state = selected ? utkSelectedMouse : utkSelectedNone;
        if (m_control->m_selected != state) {
            m_control->m_selected = state;
            m_control->RedrawParent(TRUE);
        }
    }
    void ExecuteRepeat() override { m_control->NotifyExecuteRepeat(); }
    bool HasBar() override
    {
        return m_control->GetParent() != nullptr && m_control->GetParent()->GetSafeHwnd() != nullptr;
    }

private:
    CUTKControlButton* m_control;
};

} // namespace

CUTKControlButton::CUTKControlButton()
{
    m_controlType = utkControlButton;
}

void CUTKControlButton::DoPropExchange(CUTKPropExchange* px)
{
    CUTKControl::DoPropExchange(px);
    if (px != nullptr && px->m_nSchema < 18) {
        ExchangeIntPropDefault(px, L"Style", m_style, 0);
    }
}

void CUTKControlButton::Copy(CUTKControl* source, BOOL recursive)
{
    CUTKControl::Copy(source, recursive);
}

CUTKControl* CUTKControlButton::Clone(BOOL recursive)
{
    auto* clone = new CUTKControlButton();
    clone->Copy(this, recursive);
    return clone;
}

BOOL CUTKControlButton::IsInPopupBar() const
{
    return m_parent != nullptr &&
           (m_parent->GetType() == utkBarTypePopup || m_parent->GetPosition() == utkBarPopup);
}

void CUTKControlButton::NotifyExecuteRepeat()
{
    // The execute notification alone: the button stays pressed and no popup closes.
    const int id = m_id;
    CWnd* site = GetSite();
    if (id == 0) {
        return;
    }
    if (NotifySite(kUtkNotifyExecute) == 0 && site != nullptr && site->GetSafeHwnd() != nullptr) {
        ::SendMessageW(site->GetSafeHwnd(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    }
}

BOOL CUTKControlButton::TrackPress(CRect rc)
{
    CUTKCommandBar* bar = m_parent;
    if (bar == nullptr || bar->GetSafeHwnd() == nullptr) {
        return FALSE;
    }
    if (rc.IsRectEmpty()) {
        rc = m_rcControl;
    }
    KeepControl keep(this);
    bar->SetPopuped(-1);
    bar->SetSelected(m_index, utkSelectMouse);
    m_pressed = utkPressedMouse;
    RedrawParent(TRUE);

    const UINT interval = m_executeOnPressInterval > 0 ? static_cast<UINT>(m_executeOnPressInterval)
                                                       : 0;
    ButtonPressSink sink(this);
    const ControlPressLoop::Result result =
        ControlPressLoop::Run(bar->GetSafeHwnd(), rc, interval, sink);
    const BOOL accepted = result.accepted ? TRUE : FALSE;

    m_pressed = (accepted && interval == 0 && bar == m_parent && m_parent != nullptr &&
                 m_parent->GetPosition() != utkBarPopup)
                    ? utkPressedExecuting
                    : utkPressedNone;

    if (m_selected != utkSelectedNone && m_parent != nullptr) {
        m_parent->SetSelected(-1, utkSelectMouse);
        m_selected = utkSelectedNone;
        m_parent->SetLastPressedIndex(m_index);
    }
    if (!accepted || interval > 0) {
        RedrawParent(TRUE);
    } else {
        OnExecute();
        if (m_pressed != utkPressedNone) {
            m_pressed = utkPressedNone;
            RedrawParent(TRUE);
        }
    }
    return accepted;
}

void CUTKControlButton::OnClick(BOOL keyboard, CPoint pt)
{
    if (!GetEnabled()) {
        return;
    }
    if (m_parent != nullptr && m_parent->IsCustomizeMode()) {
        m_parent->SetPopuped(-1);
        m_parent->SetSelected(-1, utkSelectMouse);
        CustomizeStartDrag(pt);
        return;
    }
    if (keyboard) {
        OnExecute();
        return;
    }
    if (!IsInPopupBar()) {
        TrackPress(m_rcControl);
    }
}

void CUTKControlButton::OnLButtonUp(CPoint)
{
    if (GetEnabled() && IsInPopupBar()) {
        OnExecute();
    }
}
