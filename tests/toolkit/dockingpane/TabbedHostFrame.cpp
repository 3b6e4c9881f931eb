// The tabbed container tests' host frame: notifications recorded, actions refused on request,
// pane windows attached on demand.
#include "tests/toolkit/dockingpane/TabbedHostFrame.h"

#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPaneBase.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterWnd.h"
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"

#include <algorithm>

namespace orvane::test {

TabbedHostFrame::TabbedHostFrame() = default;

TabbedHostFrame::~TabbedHostFrame()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
    delete m_pManager;
}

BOOL TabbedHostFrame::CreateHost(const RECT& rc, int theme, BOOL visible)
{
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
    if (!Create(nullptr, L"Docking host", style, rc, nullptr, nullptr)) {
        return FALSE;
    }
    m_pManager = new CUTKDockingPaneManager;
    if (!m_pManager->InstallDockingPanes(this)) {
        return FALSE;
    }
    m_pManager->SetTheme(theme);
    RecalcLayout();
    Pump();
    return TRUE;
}

void TabbedHostFrame::Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (m_hWnd != nullptr) {
        if ((m_nIdleFlags & idleLayout) != 0) {
            RecalcLayout();
        }
        SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void TabbedHostFrame::PumpFor(DWORD ms)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    for (;;) {
        Pump();
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end) {
            return;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 20)),
                                    QS_ALLINPUT);
    }
}

BOOL TabbedHostFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DOCKINGPANE_NOTIFY) {
        return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
    Notice notice;
    notice.code = wParam;
    *pResult = 0;
    switch (wParam) {
    case DOCKINGPANE_SHOWWINDOW: {
        auto* pane = reinterpret_cast<CUTKDockingPane*>(lParam);
        notice.paneId = pane->GetID();
        if (m_bAttachWindows && !pane->HasWindow()) {
            wchar_t text[32];
            swprintf(text, 32, L"Pane %d", pane->GetID());
            HWND child = ::CreateWindowExW(0, L"EDIT", text, WS_CHILD | ES_MULTILINE, 0, 0, 10, 10,
                                           m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
            m_windows.push_back({pane->GetID(), child});
            pane->Attach(child);
        }
        break;
    }
    case DOCKINGPANE_PANECLOSED:
        notice.paneId = reinterpret_cast<CUTKDockingPane*>(lParam)->GetID();
        *pResult = m_closeAnswer;
        break;
    case DOCKINGPANE_ACTION: {
        auto* record = reinterpret_cast<DOCKINGPANE_ACTION_RECORD*>(lParam);
        notice.action = record->action;
        notice.paneId = record->pane != nullptr ? record->pane->GetID() : 0;
        if (m_refused.count(record->action) != 0) {
            record->cancel = TRUE;
        }
        break;
    }
    case DOCKINGPANE_MENU: {
        auto* record = reinterpret_cast<DOCKINGPANE_MENU_RECORD*>(lParam);
        notice.paneId = record->pane != nullptr ? record->pane->GetID() : 0;
        break;
    }
    default:
        break;
    }
    m_notices.push_back(notice);
    return TRUE;
}

void TabbedHostFrame::PostNcDestroy()
{
    // The test owns the frame object.
}

std::vector<int> TabbedHostFrame::ActionsOf(int paneId) const
{
    std::vector<int> actions;
    for (const Notice& notice : m_notices) {
        if (notice.code == DOCKINGPANE_ACTION && notice.paneId == paneId) {
            actions.push_back(notice.action);
        }
    }
    return actions;
}

HWND TabbedHostFrame::WindowOf(int paneId) const
{
    for (const Attached& attached : m_windows) {
        if (attached.paneId == paneId) {
            return attached.window;
        }
    }
    return nullptr;
}

std::string DescribeTree(CUTKDockingPaneBase* object)
{
    if (object == nullptr) {
        return "null";
    }
    switch (object->GetType()) {
    case dockingPaneTypePane:
        return std::to_string(static_cast<CUTKDockingPane*>(object)->GetID());
    case dockingPaneTypeClientContainer:
        return "C";
    case dockingPaneTypeTabbedContainer: {
        auto* tabbed = static_cast<CUTKDockingPaneTabbedContainer*>(object);
        std::string text = "T[";
        bool first = true;
        for (POSITION pos = tabbed->GetHeadPosition(); pos != nullptr;) {
            CUTKDockingPaneBase* pane = tabbed->GetNext(pos);
            text += first ? "" : ",";
            text += DescribeTree(pane);
            if (pane == tabbed->GetSelected()) {
                text += "*";
            }
            first = false;
        }
        return text + "]";
    }
    case dockingPaneTypeSplitterContainer: {
        auto* splitter = static_cast<CUTKDockingPaneSplitterContainer*>(object);
        std::string text = splitter->IsHorizontal() ? "H(" : "V(";
        bool first = true;
        for (POSITION pos = splitter->GetHeadPosition(); pos != nullptr;) {
            text += first ? "" : ",";
            text += DescribeTree(splitter->GetNext(pos));
            first = false;
        }
        return text + ")";
    }
    default:
        return "?";
    }
}

}  // namespace orvane::test
