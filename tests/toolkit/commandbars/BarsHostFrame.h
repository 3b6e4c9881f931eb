// The command bars' host: a framework frame window with the menu bar (menu 128) and the
// toolbar (toolbar 128) as its children, without a command bars manager. It records (and may
// print) the commands it gets, answers the update of a few commands, and can supply a control
// of its own for one id of the toolbar.
#pragma once

#include <windows.h>

#include "platform/framework/frame/FrameworkFrame.h"
#include "toolkit/commandbars/CUTKMenuBar.h"
#include "toolkit/commandbars/CUTKToolBar.h"

#include <vector>

class CBarsHostFrame : public CFrameWnd {
public:
    CBarsHostFrame();
    ~CBarsHostFrame() override;

    // The frame (with the Windows menu 128, which the menu bar takes away), the menu bar and the
    // toolbar laid out on top. FALSE when a window cannot be made.
    BOOL CreateHost(const RECT& rc, BOOL withMenuBar = TRUE, BOOL withToolBar = TRUE);
    // The frame's idle pass: the bars' command-UI update.
    void Idle();
    // Dispatches what is queued (idle pass included).
    static void Pump();

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;

    CUTKMenuBar* m_pMenuBar = nullptr;  // one reference
    CUTKToolBar* m_pToolBar = nullptr;  // one reference
    HMENU m_hMenuAtStart = nullptr;     // the frame's Windows menu before the menu bar came
    std::vector<UINT> m_commands;
    BOOL m_bPrintCommands = FALSE;
    // Update handlers: commands answered enabled, one disabled, one checked.
    UINT m_disabledId = 0;
    UINT m_checkedId = 0;
    // 0x285E: for this id the frame supplies a control and renames the id.
    UINT m_supplyId = 0;
    UINT m_supplyNewId = 0;
    CUTKControl* m_pSupplied = nullptr;
    int m_createdNotices = 0;           // 0x285F seen
    int m_popupsOpening = 0;            // 0x285B seen
    int m_popupsClosed = 0;             // 0x285D seen
    BOOL m_bDeleteOnDestroy = FALSE;
};
