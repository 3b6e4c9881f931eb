// The File menu's recent files: at each layout the placeholder hides itself and puts one
// numbered item per entry of the application's recent-file list after itself (ids from
// 0xE110, the entry's full path in the parameter); an empty list shows the placeholder greyed.
#pragma once

#include "toolkit/controls/CUTKControlButton.h"

class CRecentFileList;

class CUTKControlRecentFileList : public CUTKControlButton {
    DECLARE_SERIAL(CUTKControlRecentFileList)

public:
    CUTKControlRecentFileList();

    void OnCalcDynamicSize(DWORD layoutFlags) override;
    BOOL IsCustomizeDragOverAvail(CUTKCommandBar* bar, CPoint point, DWORD& effect) override;
    CUTKControl* Clone(BOOL recursive = FALSE) override;
    // The application's recent-file list, or null.
    virtual CRecentFileList* GetRecentFileList();
    // The id of the first entry's item.
    virtual int GetFirstId();

private:
    int m_nGenerated = 0;  // items made by the last expansion
};
