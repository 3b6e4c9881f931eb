// CUTKControl's execution: the command goes to the owner site as a control notification
// (0x2862, code 100) and, when nobody handles it, as WM_COMMAND; return-command mode stores
// the id instead. The control is held for the whole run, since a handler may remove it.
#include "toolkit/controls/CUTKControl.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/common/SoundManager.h"

namespace {

// The keeper of an extra reference while a command runs: the handler may remove the control.
class ControlReference {
public:
    explicit ControlReference(CCmdTarget* target) : m_target(target) { m_target->InternalAddRef(); }
    ~ControlReference() { m_target->InternalRelease(); }
    ControlReference(const ControlReference&) = delete;
    ControlReference& operator=(const ControlReference&) = delete;

private:
    CCmdTarget* m_target;
};

// Closes the popups of a run: the root bar's own close when it closes itself, else the
// command bars', else every popup the thread tracks.
void ClosePopupsOf(CUTKCommandBar* root, CUTKCommandBars* bars)
{
    if (root && root->IsCloseOnExecute()) {
        root->SetTrackingMode(FALSE);
    } else if (bars) {
        bars->ClosePopups();
    } else if (CUTKMouseManager* mouse = GetThreadMouseManager()) {
        mouse->SendTrackLost();
    }
}

}  // namespace

// ---- command routing and execution ----

BOOL CUTKControl::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID == 1 && nCode == -2) {
        RedrawParent(FALSE);
        return TRUE;
    }
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LPUNKNOWN CUTKControl::GetInterfaceHook(const void* iid)
{
    if (iid && ::IsEqualIID(*static_cast<const IID*>(iid), IID_IAccessible)) {
        return GetAccessible();
    }
    return CCmdTarget::GetInterfaceHook(iid);
}

LRESULT CUTKControl::NotifySite(int code)
{
    NMUTKCONTROL record{};
    return NotifySiteWithData(code, &record.hdr);
}

LRESULT CUTKControl::NotifySiteWithData(int code, NMHDR* record)
{
    if (!record) {
        return 0;
    }
    record->hwndFrom = nullptr;
    record->idFrom = static_cast<UINT_PTR>(m_id);
    record->code = static_cast<UINT>(code);
    reinterpret_cast<NMUTKCONTROL*>(record)->pControl = this;

    CWnd* site = GetSite();
    if (!site) {
        return 0;
    }
    LRESULT result = 0;
    if (HWND hwnd = site->GetSafeHwnd()) {
        result = ::SendMessageW(hwnd, kUtkControlNotifyMessage, static_cast<WPARAM>(m_id),
                                reinterpret_cast<LPARAM>(record));
    }
    if (result == 0 && m_parent) {
        LRESULT stored = 0;
        AFX_NOTIFY notify{&stored, record};
        if (site->OnCmdMsg(static_cast<UINT>(m_id),
                           static_cast<int>(MAKELONG(static_cast<WORD>(code), WM_NOTIFY)), &notify,
                           nullptr)) {
            result = stored;
        }
    }
    return result;
}

void CUTKControl::OnExecute()
{
    if (SoundManager* sounds = GetSoundManager()) {
        sounds->PlaySystemSound(SoundManager::soundMenuCommand);
    }
    m_pressed = (!m_parent || m_parent->GetPosition() != utkBarPopup) ? utkPressedExecuting
                                                                      : utkPressedNone;
    CUTKCommandBar* root = GetRootParent();
    CWnd* site = GetSite();
    CUTKCommandBars* bars = GetCommandBars();

    if (bars) {
        if (m_id != 0) {
            bars->SetCommandUsed(static_cast<UINT>(m_id));
        }
        // The popup that opened this control's bar was used as well.
        if (m_parent && m_parent->IsKindOf(RUNTIME_CLASS(CUTKPopupBar))) {
            CUTKControl* opener = static_cast<CUTKPopupBar*>(m_parent)->GetControlPopup();
            if (opener && opener->GetID() != 0) {
                bars->SetCommandUsed(static_cast<UINT>(opener->GetID()));
            }
        }
    }
    // Held from here on: closing the popups or the command itself may remove the control.
    ControlReference keep(this);
    if (root && root->GetReturnCmd()) {
        UINT* returnCmd = root->GetReturnCmd();
        const UINT id = static_cast<UINT>(m_id);
        ClosePopupsOf(root, bars);
        *returnCmd = id;
        return;
    }

    if (m_closeSubMenuOnClick) {
        ClosePopupsOf(root, bars);
    }
    if (m_id == 0) {
        return;
    }
    const int id = m_id;
    LRESULT handled = NotifySite(kUtkNotifyExecute);
    if (handled == 0 && site && site->GetSafeHwnd()) {
        ::SendMessageW(site->GetSafeHwnd(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    }
    if ((!m_closeSubMenuOnClick || m_pressed != utkPressedNone) && m_parent) {
        m_pressed = utkPressedNone;
        m_parent->UpdatePending();
        RedrawParent(TRUE);
    }
}
