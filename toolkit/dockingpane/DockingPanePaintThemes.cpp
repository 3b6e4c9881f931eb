// The docking themes by number; 0, 13 and every number without a theme of its own take the
// Default theme.
#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"

#include "toolkit/dockingpane/CUTKDockingPaneOffice2003OutlookTheme.h"
#include "toolkit/dockingpane/CUTKDockingPaneOffice2007OutlookTheme.h"
#include "toolkit/dockingpane/CUTKDockingPaneOffice2007VisioTheme.h"
#include "toolkit/dockingpane/CUTKDockingPaneOffice2007WordTheme.h"
#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2010Theme.h"
#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio6Theme.h"
#include "toolkit/dockingpane/CUTKDockingPaneWinExplorerTheme.h"
#include "toolkit/dockingpane/CUTKDockingPaneWinNativeTheme.h"

CUTKDockingPanePaintManager* CreateDockingPanePaintTheme(int theme)
{
    using namespace UTKDockingPanePaintThemes;
    CUTKDockingPanePaintManager* paint = nullptr;
    switch (theme) {
    case 1:
        paint = new CUTKDockingPaneVisualStudio2003Theme();
        break;
    case 2:
        paint = new CUTKDockingPaneOffice2003Theme();
        break;
    case 3:
        paint = new CUTKDockingPaneWinNativeTheme();
        break;
    case 4:
        paint = new CUTKDockingPaneGripperedTheme();
        break;
    case 5:
        paint = new CUTKDockingPaneOffice2002VisioTheme();
        break;
    case 6:
        paint = new CUTKDockingPaneVisualStudio2005Beta1Theme();
        break;
    case 7:
        paint = new CUTKDockingPaneOffice2003OutlookTheme();
        break;
    case 8:
        paint = new CUTKDockingPaneWinExplorerTheme();
        break;
    case 9:
        paint = new CUTKDockingPaneVisualStudio2005Theme();
        break;
    case 10:
        paint = new CUTKDockingPaneOffice2007Theme();
        break;
    case 11:
        paint = new CUTKDockingPaneOffice2007WordTheme();
        break;
    case 12:
        paint = new CUTKDockingPaneOffice2007OutlookTheme();
        break;
    case 14:
        paint = new CUTKDockingPaneVisualStudio6Theme();
        break;
    case 15:
        paint = new CUTKDockingPaneVisualStudio2005Beta2Theme();
        break;
    case 16:
        paint = new CUTKDockingPaneVisualStudio2008Theme();
        break;
    case 17:
        paint = new CUTKDockingPaneVisualStudio2010Theme();
        break;
    case 18:
        paint = new CUTKDockingPaneOffice2003VisioTheme();
        break;
    case 19:
        paint = new CUTKDockingPaneOffice2007VisioTheme();
        break;
    default:
        paint = new CUTKDockingPaneDefaultTheme();
        break;
    }
    paint->m_nThemeNumber = theme;
    return paint;
}
