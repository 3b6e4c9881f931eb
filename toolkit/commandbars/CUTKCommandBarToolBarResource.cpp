// A bar's controls from a toolbar resource: the ids read with their count bounded by the
// resource's size, each id offered to the site (which may supply or change the control), the
// icons taken from the bitmap of the same id.
#include "toolkit/commandbars/CUTKCommandBar.h"

#include "platform/framework/Framework.h"
#include "toolkit/commandbars/ToolBarResourceData.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"

BOOL CUTKCommandBar::LoadToolBarResource(UINT nIDResource, BOOL bLoadIcons)
{
    if (m_pControls != nullptr) {
        m_pControls->RemoveAll();
    }
    if (LOWORD(nIDResource) == 0) {
        return FALSE;
    }
    HINSTANCE module = AfxGetResourceHandle();
    if (module == nullptr) {
        return FALSE;
    }
    ToolBarResourceData data;
    if (!data.Load(module, nIDResource)) {
        return FALSE;
    }
    BOOL result = TRUE;
    if (bLoadIcons) {
        CUTKImageManager* images = GetImageManager();
        if (images == nullptr ||
            !images->SetIconsFromResource(nIDResource, data.Items(), data.GetCount(),
                                          data.GetWidth(), data.GetHeight(), 0)) {
            result = FALSE;
        }
        if (data.GetWidth() != 16) {
            SetIconSize(CSize(data.GetWidth(), data.GetHeight()));
        }
    }
    const BOOL built = SetButtons(data.Items(), data.GetCount());
    return result && built;
}

BOOL CUTKCommandBar::SetButtons(const UINT* pButtons, int nCount)
{
    if (m_pControls == nullptr) {
        return TRUE;
    }
    m_pControls->RemoveAll();
    CWnd* site = GetSite();
    BOOL beginGroup = FALSE;
    for (int i = 0; i < nCount && pButtons != nullptr; ++i) {
        const UINT id = pButtons[i];
        if (id == 0) {
            beginGroup = TRUE;
            continue;
        }
        CreateControlNotify request{};
        request.nID = static_cast<int>(id);
        request.dwReserved = 1;  // from an id list, not a menu
        request.nIndex = i;
        request.pCommandBar = this;
        request.strCaption = static_cast<LPCWSTR>(m_strTitle);
        request.controlType = 1;
        request.buttonStyle = 0;
        CUTKControl* control = nullptr;
        if (site != nullptr && site->GetSafeHwnd() != nullptr &&
            site->SendMessage(UTK_WM_CREATECONTROL, 0, reinterpret_cast<LPARAM>(&request)) != 0 &&
            request.pControl != nullptr) {
            control = m_pControls->AddControl(request.pControl, request.nID, L"", -1, FALSE);
        } else {
            control = m_pControls->Add(request.controlType, request.nID, L"", -1, FALSE);
            if (control != nullptr) {
                if (request.buttonStyle != control->GetStyle()) {
                    control->SetStyle(request.buttonStyle);
                    SetPending(kPendingRelayout);
                }
                if (request.controlType == 2 && control->GetIconId() != request.nID) {
                    control->SetIconId(request.nID);
                    control->RedrawParent(FALSE);
                }
            }
        }
        if (control == nullptr) {
            continue;  // no control for this id; the group start waits for the next one
        }
        if (beginGroup) {
            control->SetBeginGroup(TRUE);
            beginGroup = FALSE;
        }
        if (site != nullptr && site->GetSafeHwnd() != nullptr) {
            request.pControl = control;
            site->SendMessage(UTK_WM_CONTROLCREATED, 0, reinterpret_cast<LPARAM>(&request));
        }
    }
    return TRUE;
}
