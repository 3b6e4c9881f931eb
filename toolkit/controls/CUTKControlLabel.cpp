// The label control: type 8, skipped by focus, never updated, not movable by default.
#include "toolkit/controls/CUTKControlLabel.h"

#include "toolkit/controls/SpecialControlCustomize.h"

IMPLEMENT_SERIAL(CUTKControlLabel, CUTKControl, kUtkControlSchema)

CUTKControlLabel::CUTKControlLabel()
{
    m_controlType = utkControlLabel;
    m_flags = utkFlagSkipFocus | utkFlagNoUpdate | utkFlagNoMovable;
}

int CUTKControlLabel::GetSelected() const { return utkSelectedNone; }

void CUTKControlLabel::OnClick(BOOL keyboard, CPoint pt)
{
    SpecialControlCustomize::OnClick(this, keyboard, pt);
}
