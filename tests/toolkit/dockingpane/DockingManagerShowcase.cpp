// The player's docking arrangement for the screenshots (not a test): a frame with a view,
// theme 3, pane 4002 at the bottom and 4000 at the right. The scene argument picks what is
// shown: "docked", "tabbed" (4002 attached to 4000's container) or "reopened" (4002 closed,
// then shown again). Writes the ready file given as second argument once painted, then keeps
// pumping for a few seconds.
#include <windows.h>

#include "tests/toolkit/dockingpane/DockingManagerTestHost.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterWnd.h"

#include <cstdio>
#include <cwchar>

namespace {

// The tree under an object, one line per object, for the log beside the screenshot.
void PrintTree(CUTKDockingPaneBase* object, int depth)
{
    const CRect rect = object->GetPaneWindowRect();
    std::printf("%*stype %d at %ld,%ld,%ld,%ld\n", depth * 2, "", object->GetType(), rect.left,
                rect.top, rect.right, rect.bottom);
    if (object->GetType() != dockingPaneTypeSplitterContainer &&
        object->GetType() != dockingPaneTypeTabbedContainer)
        return;
    auto* container = static_cast<CUTKDockingPaneBaseContainer*>(object);
    for (POSITION pos = container->GetHeadPosition(); pos;)
        PrintTree(container->GetNext(pos), depth + 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    ::OleInitialize(nullptr);
    const wchar_t* scene = argc > 1 ? argv[1] : L"docked";
    dockingtest::HostFrame host;
    if (!host.CreateHost(CRect(0, 0, 640, 480), TRUE))
        return 1;
    host.SetWindowText(scene);
    CUTKDockingPaneManager* manager = host.m_pManager;
    CUTKDockingPane* bottom = manager->CreatePane(4002, CRect(0, 0, 200, 120), 3);
    CUTKDockingPane* right = manager->CreatePane(4000, CRect(0, 0, 200, 120), 1);
    bottom->SetTitle(L"Volume and level");
    right->SetTitle(L"Bookmarks");
    host.RecalcLayout();
    host.Pump();
    if (std::wcscmp(scene, L"tabbed") == 0) {
        manager->AttachPane(bottom, right);
        PrintTree(manager->GetTopContainer(), 0);
        manager->GetLiveLayout()->Normalize();
    } else if (std::wcscmp(scene, L"reopened") == 0) {
        manager->ClosePane(bottom);
        host.RecalcLayout();
        host.Pump();
        manager->ShowPane(bottom, TRUE);
    }
    host.RecalcLayout();
    host.Pump();
    ::RedrawWindow(host.m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    host.Pump();
    for (int id : {4002, 4000}) {
        const CRect rect = host.ClientRectOf(host.m_windows[id]);
        CUTKDockingPane* pane = manager->FindPane(id);
        std::printf("pane %d: %ld,%ld,%ld,%ld closed %d\n", id, rect.left, rect.top, rect.right,
                    rect.bottom, pane && pane->IsClosed() ? 1 : 0);
    }
    PrintTree(manager->GetTopContainer(), 0);
    const CRect view = host.ClientRectOf(host.m_view.GetSafeHwnd());
    std::printf("view: %ld,%ld,%ld,%ld\n", view.left, view.top, view.right, view.bottom);
    std::fflush(stdout);
    if (argc > 2) {
        FILE* ready = _wfopen(argv[2], L"w");
        if (ready != nullptr) {
            std::fputs("ready\n", ready);
            std::fclose(ready);
        }
    }
    const DWORD end = ::GetTickCount() + 4000;
    while (::GetTickCount() < end) {
        host.Pump();
        ::Sleep(20);
    }
    host.Destroy();
    ::OleUninitialize();
    return 0;
}
