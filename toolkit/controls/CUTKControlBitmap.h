// A picture in a command bar: the image manager's width-1 image of the control's id, drawn at
// its own size at the control's top-left corner; static like a label.
#pragma once

#include "toolkit/controls/CUTKControl.h"

class CUTKControlBitmap : public CUTKControl {
    DECLARE_SERIAL(CUTKControlBitmap)

public:
    CUTKControlBitmap();

    int GetSelected() const override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnClick(BOOL keyboard = FALSE, CPoint pt = CPoint(0, 0)) override;

private:
    CUTKImageManagerIcon* GetBitmapImage() const;
};
