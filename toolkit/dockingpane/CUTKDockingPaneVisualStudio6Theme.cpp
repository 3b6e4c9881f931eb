// Docking theme 14: the caption shows no title, only its buttons and two raised bars.
#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio6Theme.h"

#include "toolkit/dockingpane/DockingCaptionOwner.h"

namespace UTKDockingPanePaintThemes {

CUTKDockingPaneVisualStudio6Theme::CUTKDockingPaneVisualStudio6Theme()
{
    m_nCaptionButtonStyle = 0;
}

void CUTKDockingPaneVisualStudio6Theme::DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner,
                                                        CRect rect, const CString& title,
                                                        BOOL active, BOOL vertical)
{
    (void)title;
    (void)active;
    DrawCaptionButtons(dc, owner->GetCaptionButtons(), rect, m_clrNormalCaptionText, 14, 2,
                       vertical);
    const COLORREF light = GetColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetColor(COLOR_BTNSHADOW);
    if (vertical) {
        const int middle = (rect.left + rect.right) / 2;
        const int start = rect.top + 4;
        if (start < rect.bottom) {
            dc->Draw3dRect(middle - 3, start, 3, rect.bottom - start, light, dark);
            dc->Draw3dRect(middle + 1, start, 3, rect.bottom - start, light, dark);
        }
    } else {
        const int middle = (rect.top + rect.bottom) / 2;
        const int start = rect.left + 4;
        if (start < rect.right) {
            dc->Draw3dRect(start, middle - 3, rect.right - start, 3, light, dark);
            dc->Draw3dRect(start, middle + 1, rect.right - start, 3, light, dark);
        }
    }
}

}  // namespace UTKDockingPanePaintThemes
