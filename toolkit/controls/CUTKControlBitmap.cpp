// The bitmap control: measured and drawn from the image manager's icon for width 1.
#include "toolkit/controls/CUTKControlBitmap.h"

#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKImageManagerIcon.h"
#include "toolkit/controls/SpecialControlCustomize.h"

IMPLEMENT_SERIAL(CUTKControlBitmap, CUTKControl, kUtkControlSchema)

CUTKControlBitmap::CUTKControlBitmap()
{
    m_controlType = utkControlLabel;
    m_flags = utkFlagSkipFocus | utkFlagNoUpdate | utkFlagNoMovable;
}

int CUTKControlBitmap::GetSelected() const { return utkSelectedNone; }

CUTKImageManagerIcon* CUTKControlBitmap::GetBitmapImage() const
{
    CUTKImageManager* images = GetImageManager();
    // Width 1 asks for the image the manager keeps for that width (its widest one).
    return images != nullptr ? images->GetImage(static_cast<UINT>(m_id), 1) : nullptr;
}

CSize CUTKControlBitmap::GetSize(CDC* /*pDC*/)
{
    CUTKImageManagerIcon* icon = GetBitmapImage();
    return icon != nullptr ? icon->GetExtent() : CSize(0, 0);
}

void CUTKControlBitmap::Draw(CDC* pDC)
{
    if (CUTKImageManagerIcon* icon = GetBitmapImage())
        icon->Draw(pDC, m_rcControl.TopLeft());
}

void CUTKControlBitmap::OnClick(BOOL keyboard, CPoint pt)
{
    SpecialControlCustomize::OnClick(this, keyboard, pt);
}
