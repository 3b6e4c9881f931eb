// CToolCmdUI: the update-UI record of one toolbar button (by position), so that buttons
// sharing a command id are each updated.
#pragma once

#include "platform/framework/frame/AfxFrameDefs.h"

class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR lpszText) override;
};
