// A button of a docking caption (pin, close, maximize, restore, pane menu): where it was last
// drawn, its hot and pressed state and the modal click loop. Owned by its caption's owner.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class DockingCaptionOwner;

class CUTKDockingPaneCaptionButton {
public:
    enum Id { idAutoHide = 9456, idClose = 9457, idMaximize = 9458, idRestore = 9459, idMenu = 9460 };
    enum State { stateAutoHideOffered = 1, stateHidden = 2 };

    CUTKDockingPaneCaptionButton(int id, DockingCaptionOwner* owner) : m_pOwner(owner), m_nId(id)
    {
    }

    void SetRect(CRect rect);
    CRect GetRect() const { return m_rcButton; }
    BOOL IsVisible() const;
    BOOL IsEnabled() const;
    void Redraw();
    BOOL CheckForMouseOver(CPoint point);
    // Runs until the button is released (TRUE when released on it), Escape, a right click or
    // the capture ends; gives up at once when another window holds the capture.
    BOOL Click(CWnd* wnd, CPoint point, BOOL clientArea = TRUE);
    BOOL Click(HWND window, CPoint point, BOOL clientArea = TRUE);

    int GetID() const { return m_nId; }
    DockingCaptionOwner* GetOwner() const { return m_pOwner; }
    BOOL IsPressed() const { return m_bPressed; }
    BOOL IsHot() const { return m_bHot; }
    int GetState() const { return m_dwState; }
    void SetState(int state) { m_dwState = state; }

    CRect m_rcButton;
    DockingCaptionOwner* m_pOwner;
    int m_nId;
    BOOL m_bPressed = FALSE;
    BOOL m_bHot = FALSE;
    int m_dwState = 0;

private:
    void ArmMouseLeave() const;
};
