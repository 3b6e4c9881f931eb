// The plain command button of a bar (type 1) and the base of every control that executes a
// command when clicked: a toolbar click runs the press-and-hold loop (with its repeat timer),
// a popup-menu item executes on release.
#pragma once

#include "toolkit/controls/CUTKControl.h"

class CUTKControlButton : public CUTKControl {
    DECLARE_SERIAL(CUTKControlButton)

public:
    CUTKControlButton();

    void DoPropExchange(CUTKPropExchange* px) override;                    // 42
    void Copy(CUTKControl* source, BOOL recursive = FALSE) override;       // 51
    void OnClick(BOOL keyboard = FALSE, CPoint pt = CPoint(0, 0)) override; // 52
    void OnLButtonUp(CPoint point) override;                               // 58
    CUTKControl* Clone(BOOL recursive = FALSE) override;                   // 82

    // The press-and-hold loop over a rectangle (empty: the control rectangle); answers whether
    // the release accepted the press.
    BOOL TrackPress(CRect rc = CRect(0, 0, 0, 0));
    // The execute notification of repeat mode (code 100, else WM_COMMAND), without closing
    // popups or changing the press state.
    void NotifyExecuteRepeat();

protected:
    // The bar is a popup bar or stands at the popup position: items execute on release.
    BOOL IsInPopupBar() const;
};
