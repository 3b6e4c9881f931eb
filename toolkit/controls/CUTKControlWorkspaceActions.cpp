// Workspace actions expansion. The commands come from the tabbed MDI client; a frame whose
// MDI client is a plain one (the only kind this build has) gets no items.
#include "toolkit/controls/CUTKControlWorkspaceActions.h"

#include <iterator>

#include "toolkit/controls/CUTKControls.h"
#include "toolkit/controls/PlaceholderExpansion.h"

IMPLEMENT_SERIAL(CUTKControlWorkspaceActions, CUTKControlButton, kUtkControlSchema)

namespace {

constexpr int kActionOrder[] = {9157, 9158, 9155, 9156};

// Whether the MDI client is the tab workspace's client window, which alone offers group
// commands.
BOOL IsTabClient(HWND client)
{
    CWnd* wnd = CWnd::FromHandlePermanent(client);
    CRuntimeClass* tabClient = CRuntimeClass::FromName("CUTKTabClientWnd");
    return wnd != nullptr && tabClient != nullptr && wnd->IsKindOf(tabClient);
}

// Records what an update handler says about a command.
class EnableQuery : public CCmdUI {
public:
    void Enable(BOOL on = TRUE) override
    {
        m_bEnableChanged = TRUE;
        m_enabled = on;
    }
    BOOL m_enabled = FALSE;
};

// Whether the tab client enables a command: asked through the command's update handler.
BOOL IsCommandEnabled(HWND client, int id)
{
    CWnd* wnd = CWnd::FromHandlePermanent(client);
    if (wnd == nullptr)
        return FALSE;
    EnableQuery query;
    query.m_nID = static_cast<UINT>(id);
    wnd->OnCmdMsg(static_cast<UINT>(id), CN_UPDATE_COMMAND_UI, &query, nullptr);
    return query.m_bEnableChanged && query.m_enabled;
}

}  // namespace

CUTKControlWorkspaceActions::CUTKControlWorkspaceActions() = default;

const int* CUTKControlWorkspaceActions::GetActionOrder(int* count)
{
    if (count != nullptr)
        *count = static_cast<int>(std::size(kActionOrder));
    return kActionOrder;
}

void CUTKControlWorkspaceActions::OnCalcDynamicSize(DWORD /*layoutFlags*/)
{
    PlaceholderExpansion::RemoveGenerated(this, m_nGenerated, [](CUTKControl* control) {
        return control->GetID() >= kFirstActionId && control->GetID() <= kLastActionId;
    });
    m_nGenerated = 0;
    HWND client = PlaceholderExpansion::FindMdiClient(this);
    if (client == nullptr || !IsTabClient(client))
        return;
    SetHideFlags(GetHideFlags() | utkHideGeneric);
    CUTKControls* controls = GetControls();
    if (controls == nullptr)
        return;
    for (int id : kActionOrder) {
        if (!IsCommandEnabled(client, id))
            continue;
        CUTKControl* item = controls->Add(utkControlButton, id, L"",
                                          GetIndex() + 1 + m_nGenerated, TRUE);
        if (item == nullptr)
            break;
        if (m_nGenerated == 0)
            item->SetBeginGroup(GetBeginGroup());
        ++m_nGenerated;
    }
}

CUTKControl* CUTKControlWorkspaceActions::Clone(BOOL recursive)
{
    return CUTKControl::Clone(recursive);
}
