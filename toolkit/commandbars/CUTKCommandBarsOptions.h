// CUTKCommandBarsOptions: the behaviour switches of one command bars object (tooltips, icon
// sizes, popup expansion and animation, keyboard cues, customisation by Alt+drag). This is the
// part the bars, controls and themes read; saving and loading come with the full manager.
#pragma once

#include <windows.h>

#include "platform/framework/CSize.h"
#include "platform/framework/window/CCmdTarget.h"

class CUTKCommandBars;

class CUTKCommandBarsOptions : public CCmdTarget {
public:
    CUTKCommandBarsOptions() = default;

    // 0 always show underlines, 1 never, 2 as the system says (SPI_GETKEYBOARDCUES).
    void SetShowKeyboardCues(int mode);
    int GetShowKeyboardCues() const { return keyboardCuesShow; }

    BOOL bAlwaysShowFullMenus = TRUE;
    BOOL bShowFullAfterDelay = TRUE;
    BOOL bToolBarScreenTips = TRUE;
    BOOL bToolBarAccelTips = FALSE;
    BOOL bLargeIcons = FALSE;
    BOOL bSyncFloatingBars = TRUE;
    BOOL bShowExpandButtonAlways = TRUE;
    BOOL bDblClickFloat = FALSE;
    BOOL bShowTextBelowIcons = FALSE;
    BOOL bAltDragCustomization = TRUE;
    BOOL bAutoHideUnusedPopups = TRUE;
    BOOL bDirty = FALSE;                  // changed
    BOOL bShowPopupBarToolTips = FALSE;   // popup tooltips
    BOOL bShowContextMenuAccelerators = FALSE;
    int animationType = 0;                // "Animation"
    BOOL bAutoUpdateShortcuts = TRUE;
    int keyboardCuesUse = 1;              // "KeyboardCuesUse"
    BOOL bStatusBarDescriptions = TRUE;   // status-bar descriptions
    CSize szIcons{0, 0};                  // "IconsSize"
    CSize szLargeIcons{0, 0};             // "LargeIconsSize"
    CSize szPopupIcons{0, 0};             // "PopupIconsSize"
    BOOL bUseKeypadAccelerators = FALSE;
    BOOL bUseSaveBits = TRUE;
    BOOL bDisableCommandIfNoHandler = TRUE;
    BOOL bPopupPlacementFlag = FALSE;
    BOOL bKeyboardTips = FALSE;
    CUTKCommandBars* pCommandBars = nullptr;
    int keyboardCuesShow = 0;             // "KeyboardCuesShow"
};
