// The host as the player builds its main frame: a CUTKFrameWnd whose manager holds the menu bar
// and toolbar 128, both fixed in place as the player fixes them, a second toolbar that may be
// moved, a view filling the rest, and the frame's accelerators 128. Commands are recorded like
// the plain host's.
#pragma once

#include <windows.h>

#include "platform/framework/frame/FrameworkFrame.h"
#include "toolkit/commandbars/CUTKFrameWnd.h"
#include "platform/framework/window/CDialog.h"
#include "toolkit/commandbars/CUTKDialogBar.h"
#include "toolkit/commandbars/CUTKToolBar.h"

#include <utility>
#include <vector>

class CBarsManagedFrame : public CUTKFrameWnd {
public:
    struct Options {
        UINT menuId = 128;
        BOOL secondToolBar = TRUE;
        BOOL frameAccelerators = TRUE;
        // A dialog bar at the bottom holding dialog 130, as the player's control panel.
        BOOL dialogBar = FALSE;
    };

    CBarsManagedFrame();
    ~CBarsManagedFrame() override;

    // The frame, its manager and bars. FALSE when a window or a bar cannot be made.
    BOOL CreateHost(const RECT& rc, const Options& options);
    BOOL CreateHost(const RECT& rc) { return CreateHost(rc, Options()); }
    void Idle();
    // The dialog bar at the bottom with the panel inside, made the way the player makes its
    // control panel's bar.
    BOOL CreateDialogBar();

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;

    // The bar fixed the way the player fixes its menu bar and main toolbar: no gripper, a dock
    // row of its own, no dock sides and no floating.
    static void FixInPlace(CUTKCommandBar* pBar);

    CUTKToolBar* m_pMenuBar = nullptr;     // owned by the manager
    CUTKToolBar* m_pToolBar = nullptr;     // owned by the manager
    CUTKToolBar* m_pSecondBar = nullptr;   // owned by the manager
    CUTKDialogBar* m_pDialogBar = nullptr; // owned by the manager
    CDialog m_panel;                       // the dialog bar's child (dialog 130)
    CWnd m_view;                           // the client area's view
    std::vector<UINT> m_commands;
    // WM_SYSCOMMAND codes with their lParam, and Alt key presses, that reached the frame.
    std::vector<std::pair<WPARAM, LPARAM>> m_sysCommands;
    int m_sysKeysDown = 0;
    BOOL m_bPrintCommands = FALSE;
    BOOL m_bDeleteOnDestroy = FALSE;
};
