// A link in a command bar: its caption drawn red when hot, blue when enabled and grey when
// disabled, under a hand cursor; executing it has the shell open the control's own tooltip
// text (an address or a file), not its caption.
#pragma once

#include "toolkit/controls/CUTKControl.h"

class CUTKControlHyperlink : public CUTKControl {
    DECLARE_SERIAL(CUTKControlHyperlink)

public:
    CUTKControlHyperlink();

    void OnExecute() override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnClick(BOOL keyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    void OnMouseMove(CPoint point) override;

    // The text colour for the control's state.
    COLORREF GetLinkColor() const;

private:
    CFont* GetLinkFont() const;

    HCURSOR m_hHandCursor = nullptr;  // the system's shared cursor, never destroyed
};
