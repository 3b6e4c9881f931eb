// What the docking paint manager reads of the object whose caption it draws (a tabbed
// container, a side panel or a floating mini frame). The docking objects implement it; until
// they exist, hosts and tests supply their own.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

#include <vector>

class CUTKDockingPaneCaptionButton;
class CUTKTabManager;
class CUTKImageManagerIcon;

class DockingCaptionOwner {
public:
    enum Type { typeTabbedContainer = 1, typeMiniFrame = 3, typeSidePanel = 6 };
    // Enabled bits of a caption's pane: 1 the caption is enabled, 2 its buttons act.
    enum PaneEnabled { paneEnabled = 1, paneActionsEnabled = 2 };

    DockingCaptionOwner() = default;
    DockingCaptionOwner(const DockingCaptionOwner&) = delete;
    DockingCaptionOwner& operator=(const DockingCaptionOwner&) = delete;
    virtual ~DockingCaptionOwner() = default;

    virtual int GetOwnerType() const = 0;
    virtual BOOL IsActive() const = 0;
    virtual HWND GetOwnerWindow() const = 0;
    virtual CRect GetOwnerClientRect() const = 0;
    virtual CString GetTitle() const = 0;
    virtual std::vector<CUTKDockingPaneCaptionButton*>* GetCaptionButtons() = 0;
    // Whether the owner shows this button now.
    virtual BOOL IsCaptionButtonVisible(const CUTKDockingPaneCaptionButton* button) const = 0;
    virtual void OnCaptionButtonMoved(CUTKDockingPaneCaptionButton* button) { (void)button; }
    // The enabled bits of the caption's pane; FALSE when the caption has no pane.
    virtual BOOL GetCaptionPaneEnabled(int* bits) const = 0;
    // The caption pane's icon, null when none.
    virtual CUTKImageManagerIcon* GetCaptionPaneIcon(int width) const
    {
        (void)width;
        return nullptr;
    }

    // Tabbed containers.
    virtual BOOL IsCaptionVisible() const { return FALSE; }
    virtual BOOL IsCaptionVertical() const { return FALSE; }
    virtual BOOL IsTabsVisible() const { return FALSE; }
    virtual CUTKTabManager* GetTabManager() { return nullptr; }
    // Side panels: the side they are docked at (0 left, 1 right, 2 top, 3 bottom).
    virtual int GetDockedSide() const { return 0; }
};
