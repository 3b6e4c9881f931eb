// CUTKCommandBarsOptions: the behaviour switches of one command bars object (tooltips, icon
// sizes, popup expansion and animation, keyboard cues, customisation by Alt+drag) and the two
// command sets of personalised menus (hidden commands, commands the user has used). A subset is
// the user's options; archives hold the whole set.
#pragma once

#include <windows.h>

#include "platform/framework/CMap.h"
#include "platform/framework/CSize.h"
#include "platform/framework/window/CCmdTarget.h"

class CArchive;
class CUTKCommandBars;
class CUTKPropExchange;

// A set of command ids: each id maps to 1.
using CUTKCommandSet = CMap<UINT, UINT, BOOL, BOOL>;

class CUTKCommandBarsOptions : public CCmdTarget {
public:
    static constexpr int kSchema = 36;

    CUTKCommandBarsOptions();

    // Whole set through a property exchange over the archive.
    void Serialize(CArchive& ar) override;
    // The options in their fixed order; with bUserOptionsOnly the exchange ends after
    // "Animation" (the user's options). A missing value on loading keeps the field.
    void DoPropExchange(CUTKPropExchange* pPX, BOOL bUserOptionsOnly = FALSE);

    // 0 always show underlines, 1 never, 2 as the system says (SPI_GETKEYBOARDCUES).
    void SetShowKeyboardCues(int mode);
    int GetShowKeyboardCues() const { return keyboardCuesShow; }

    // A set under a name: one binary object where the storage keeps binary values, else a
    // section with "Count" and "Item0", "Item1" ... Loading stops at the first missing item.
    static void ExchangeCommandSet(CUTKPropExchange* pPX, LPCWSTR name, CUTKCommandSet& set);

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
    CUTKCommandSet mapHiddenCommands;     // "HiddenCommands"
    CUTKCommandSet mapUsedCommands;       // "UsedCommands"
    BOOL bKeyboardTips = FALSE;
    CUTKCommandBars* pCommandBars = nullptr;
    int keyboardCuesShow = 0;             // "KeyboardCuesShow"
};
