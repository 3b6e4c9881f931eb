// The docking themes by number. Numbers whose theme is not built yet take the Default theme,
// as numbers without any theme do.
#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"

#include "toolkit/dockingpane/CUTKDockingPaneWinNativeTheme.h"

CUTKDockingPanePaintManager* CreateDockingPanePaintTheme(int theme)
{
    using namespace UTKDockingPanePaintThemes;
    CUTKDockingPanePaintManager* paint = nullptr;
    switch (theme) {
    case 1:
        paint = new CUTKDockingPaneVisualStudio2003Theme();
        break;
    case 3:
        paint = new CUTKDockingPaneWinNativeTheme();
        break;
    case 4:
        paint = new CUTKDockingPaneGripperedTheme();
        break;
    default:
        paint = new CUTKDockingPaneDefaultTheme();
        break;
    }
    paint->m_nThemeNumber = theme;
    return paint;
}
