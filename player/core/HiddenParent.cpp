// The hidden owner window and its taskbar activation.
#include "player/core/HiddenParent.h"

#include "platform/framework/CComPtr.h"
#include "player/core/PlayerShell.h"

#include <shobjidl.h>

BEGIN_MESSAGE_MAP(HiddenParent, CFrameWnd)
    ON_WM_ACTIVATEAPP()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

BOOL HiddenParent::CreateOwner()
{
    if (!Create(nullptr, L"", 0, CRect(0, 0, 0, 0), nullptr, nullptr, 0, nullptr)) {
        return FALSE;
    }
    SetHiddenOwnerWindow(m_hWnd);
    return TRUE;
}

void HiddenParent::OnActivateApp(BOOL active, DWORD)
{
    if (active) {
        ActivateMainFrameTab();
    }
    Default();
}

void HiddenParent::OnClose()
{
    if (IPlayerShell* frame = MainFrame()) {
        ::PostMessageW(frame->GetWindow(), WM_CLOSE, 0, 0);
    }
}

void HiddenParent::ActivateMainFrameTab()
{
    IPlayerShell* frame = MainFrame();
    if (!frame || Tray().IsTrayMode() || !::IsWindowVisible(frame->GetWindow())) {
        return;
    }
    CComPtr<ITaskbarList> list;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList,
                                reinterpret_cast<void**>(&list)))) {
        return;
    }
    if (SUCCEEDED(list->HrInit())) {
        list->ActivateTab(frame->GetWindow());
    }
}
