// Stands for the site frame's client area (the application's view) inside a layout: no window,
// no children; the rectangle it gets in the layout pass is where the frame puts its view.
// Every layout has exactly one.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneBase.h"

class CUTKDockingPaneClientContainer : public CCmdTarget, public CUTKDockingPaneBase {
    DECLARE_DYNAMIC(CUTKDockingPaneClientContainer)

public:
    explicit CUTKDockingPaneClientContainer(CUTKDockingPaneLayout* layout);

    void DeletePane() override;
};
