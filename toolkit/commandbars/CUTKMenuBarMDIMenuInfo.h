// CUTKMenuBarMDIMenuInfo: one document template's control set of the menu bar in an MDI frame,
// with the template's name, file type and icon. Reference counted; it holds one reference to
// its controls.
#pragma once

#include <windows.h>

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKCommandBars;
class CUTKControls;

class CUTKMenuBarMDIMenuInfo : public CCmdTarget {
public:
    CUTKMenuBarMDIMenuInfo(CUTKCommandBars* pCommandBars, UINT nIDMenu);
    ~CUTKMenuBarMDIMenuInfo() override;
    CUTKMenuBarMDIMenuInfo(const CUTKMenuBarMDIMenuInfo&) = delete;
    CUTKMenuBarMDIMenuInfo& operator=(const CUTKMenuBarMDIMenuInfo&) = delete;

    CUTKControls* m_pControls = nullptr;
    CString m_strTitle;
    CString m_strDescription;
    HICON m_hIcon = nullptr;
    UINT m_nIDMenu = 0;
    BOOL m_bChanged = FALSE;
};
