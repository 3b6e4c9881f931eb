// CUTKControl: the base of every item a command bar shows (buttons, menu items, popups, edit
// fields, labels...). It holds the command id, texts, state and hide/behaviour flags, its
// rectangle in the bar, and an optional shared action; it never measures or draws itself but
// asks its bar's paint manager, executes by notifying the bar's owner site, takes part in
// customisation, answers accessibility queries and saves itself through the property exchange.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/framework/Framework.h"
#include "platform/framework/CMap.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "toolkit/common/CUTKAccessible.h"

class CDC;
class CUTKCommandBar;
class CUTKCommandBars;
class CUTKCommandBarList;
class CUTKControl;
class CUTKControls;
class CUTKControlAction;
class CUTKImageManager;
class CUTKImageManagerIcon;
class CUTKPaintManager;
class CUTKPropExchange;
class CUTKRibbonGroup;
struct UTK_COMMANDBARS_PROPEXCHANGE_PARAM;

// Control type numbers (the "Type" key and the factory's first argument).
enum UTKControlType : int {
    utkControlError = 0,
    utkControlButton = 1,
    utkControlPopup = 2,
    utkControlButtonPopup = 3,
    utkControlSplitButtonPopup = 4,
    utkControlComboBox = 5,
    utkControlEdit = 6,
    utkControlCustom = 7,
    utkControlLabel = 8,
    utkControlCheckBox = 9,
    utkControlGallery = 10,
    utkControlRadioButton = 11,
};

// Button styles (GetStyle).
enum UTKButtonStyle : int {
    utkButtonAutomatic = 0,
    utkButtonCaption = 1,
    utkButtonIcon = 2,
    utkButtonIconAndCaption = 3,
    utkButtonIconAndCaptionBelow = 4,
    utkButtonCaptionAndDescription = 5,
};

// Why a control is hidden (hide flags, "HideFlags").
enum : DWORD {
    utkHideGeneric = 0x01,
    utkHideWrap = 0x02,          // did not fit; shown in the bar's expand popup
    utkHideDock = 0x04,          // hidden while the bar is vertical
    utkHideDynamic = 0x08,       // hidden by the bar's own layout
    utkHideCustomize = 0x10,     // removed by the user
    utkHideExpand = 0x20,        // rarely used, hidden until the popup is expanded
    utkHideRibbon = 0x80,
};

// Behaviour flags ("Flags").
enum : DWORD {
    utkFlagRightAlign = 0x01,
    utkFlagSkipFocus = 0x02,
    utkFlagNoUpdate = 0x08,
    utkFlagNoMovable = 0x10,
    utkFlagControlStretched = 0x20,
    utkFlagShowPopupBarTip = 0x40,
    utkFlagWrapRow = 0x80,
    utkFlagManualUpdate = 0x08,
};

// Selection states (GetSelected) and press states (GetPressed).
enum : int {
    utkSelectedNone = 0,
    utkSelectedMouse = 1,
    utkSelectedKeyboard = 2,
    utkSelectedKeyboardAlt = 3,
    utkSelectedSplitButton = 4,  // split button: pointer over the button part
    utkSelectedSplitArrow = 5,   // split button: pointer over the arrow part
};
enum : int { utkPressedNone = 0, utkPressedMouse = 1, utkPressedExecuting = 2 };

// Site messages and notification codes.
constexpr UINT kUtkControlNotifyMessage = 0x2862;    // ControlNotify: wParam id, lParam record
constexpr UINT kUtkCreateControlMessage = 0x285E;    // before a menu item becomes a control
constexpr UINT kUtkControlCreatedMessage = 0x285F;   // after it became one
constexpr UINT kUtkCreateBarMessage = 0x2861;        // a popup wants its bar
constexpr int kUtkNotifyExecute = 100;
constexpr int kUtkNotifySelectorChanged = 0x1006;
// The toolkit's control-resize cursor.
constexpr UINT kUtkResizeControlCursor = 9972;

// Class schema of the serializable control classes: the binary bar state stores each control
// by its class, and the stored schema becomes the schema its values are read with. Derived
// control classes use IMPLEMENT_SERIAL(Class, Base, kUtkControlSchema).
constexpr UINT kUtkControlSchema = VERSIONABLE_SCHEMA | 36;

// Record of a control notification (0x2862): the notification header, then the control.
struct NMUTKCONTROL {
    NMHDR hdr;
    CUTKControl* pControl;
};
using ControlNotify = NMUTKCONTROL;

class CUTKControl : public CCmdTarget, public CUTKAccessible {
    DECLARE_SERIAL(CUTKControl)

public:
    CUTKControl();
    ~CUTKControl() override;

    // Virtual operations, in slot order (the shell and the ribbon override by position).
    virtual CString GetCaption() const;                                   // 20
    virtual CString GetDescription() const;                               // 21
    virtual CString GetTooltip() const;                                   // 22
    virtual void SetBeginGroup(BOOL beginGroup);                          // 23
    virtual void SetEnabled(BOOL enabled);                                // 24
    virtual void SetChecked(BOOL checked);                                // 25
    virtual int GetSelected() const;                                      // 26
    virtual void SetFocused(BOOL focused);                                // 27
    virtual BOOL IsFocused() const;                                       // 28
    virtual BOOL GetPressed() const;                                      // 29
    virtual void SetRect(CRect rcControl);                                // 30
    virtual BOOL IsVisible(DWORD skipHideFlags = 0) const;                // 31
    virtual BOOL IsCaptionVisible() const;                                // 32
    virtual BOOL Compare(CUTKControl* other);                             // 33
    virtual CUTKCommandBar* GetCommandBar() const;                        // 34
    // TRUE makes the theme's popup-bar drawing skip its highlight face (the control draws it).
    virtual BOOL IsCustomPopupFace() const;                               // 35
    virtual void SetHideFlags(DWORD hideFlags);                           // 36
    virtual void OnExecute();                                             // 37
    virtual CSize GetSize(CDC* pDC);                                      // 38
    virtual void Draw(CDC* pDC);                                          // 39
    virtual void OnCalcDynamicSize(DWORD layoutFlags);                    // 40
    virtual CUTKImageManagerIcon* GetImage(int width = 0) const;          // 41
    virtual void DoPropExchange(CUTKPropExchange* px);                    // 42
    virtual void OnKeyboardActivate();                                    // 43
    virtual BOOL IsPopupOpen() const;                                     // 44
    virtual void SetAction(CUTKControlAction* action);                    // 45
    virtual void OnThemeChanged();                                        // 46
    virtual void SetWidth(int width);                                     // 47
    virtual void SetHeight(int height);                                   // 48
    virtual CSize GetButtonSize() const;                                  // 49
    virtual CSize GetIconSize() const;                                    // 50
    virtual void Copy(CUTKControl* source, BOOL recursive = FALSE);       // 51
    virtual void OnClick(BOOL keyboard = FALSE, CPoint pt = CPoint(0, 0)); // 52
    virtual BOOL HasChildWindow() const;                                  // 53
    virtual BOOL OnHookKeyDown(UINT key, LPARAM data);                    // 54
    virtual BOOL OnHookMouseWheel(UINT keyFlags, short delta, CPoint pt); // 55
    virtual void SetParent(CUTKCommandBar* parent);                       // 56
    virtual BOOL SetPopuped(BOOL popuped);                                // 57
    virtual void OnLButtonUp(CPoint point);                               // 58
    virtual void OnLButtonDown(CPoint point);                             // 59
    virtual BOOL OnRButtonDown(CPoint point);                             // 60
    virtual BOOL OnRButtonUp(CPoint point);                               // 61
    virtual BOOL OnLButtonDblClk(CPoint point);                           // 62
    virtual void OnMouseMove(CPoint point);                               // 63
    virtual void OnMouseHover();                                          // 64
    virtual BOOL SetSelected(int selected);                               // 65
    virtual void CustomizeStartDrag(CPoint point);                        // 66
    virtual BOOL CustomizeStartResize(CPoint point);                      // 67
    virtual void OnCustomizeDragOver(CUTKControl* dragged, CPoint point, DWORD& effect); // 68
    virtual BOOL IsCustomizeDragOverAvail(CUTKCommandBar* bar, CPoint point,
                                          DWORD& effect);            // 69
    virtual BOOL IsCustomizeResizeAllow() const;                          // 70
    virtual int GetCustomizeMinWidth() const;                             // 71
    // A query no control class answers TRUE; kept for its slot.
    virtual BOOL IsReservedQuery() const;                                 // 72
    virtual void OnIdleUpdate();                                          // 73
    virtual void OnRemoved();                                             // 74
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;     // 75
    virtual BOOL IsCustomizeMovable() const;                              // 76
    virtual void RestoreCommandBarList(CUTKCommandBarList* list);         // 77
    virtual void GenerateCommandBarList(DWORD& nextId, CUTKCommandBarList* list,
                                        UTK_COMMANDBARS_PROPEXCHANGE_PARAM* param); // 78
    virtual void OnActionChanged(int property);                           // 79
    virtual void OnActionChanging(int property);                          // 80
    virtual void OnCaptionChanged();                                      // 81
    virtual CUTKControl* Clone(BOOL recursive = FALSE);                   // 82

    // Command routing: id 1 with code -2 redraws the control.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LPUNKNOWN GetInterfaceHook(const void* iid) override;

    // Accessibility (child id 0 is the control; anything else is E_INVALIDARG).
    HRESULT get_accParent(IDispatch** ppdispParent) override;
    HRESULT get_accChildCount(long* pcountChildren) override;
    HRESULT get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT get_accName(VARIANT varChild, BSTR* pszName) override;
    HRESULT get_accValue(VARIANT varChild, BSTR* pszValue) override;
    HRESULT get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT get_accState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT get_accHelp(VARIANT varChild, BSTR* pszHelp) override;
    HRESULT get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
    HRESULT get_accKeyboardShortcut(VARIANT varChild, BSTR* pszShortcut) override;
    HRESULT get_accFocus(VARIANT* pvarChild) override;
    HRESULT get_accSelection(VARIANT* pvarChildren) override;
    HRESULT get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT accSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                        VARIANT varChild) override;
    HRESULT accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
    HRESULT accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    HRESULT accDoDefaultAction(VARIANT varChild) override;
    HRESULT put_accName(VARIANT varChild, BSTR szName) override;
    HRESULT put_accValue(VARIANT varChild, BSTR szValue) override;
    CCmdTarget* GetAccessibleOwner() override;

    // Non-virtual operations.
    int GetStyle() const;
    void SetStyle(int style);
    int GetCustomStyle() const { return m_customStyle; }
    void SetCustomStyle(int style) { m_customStyle = style; }
    int GetReducedStyle() const { return m_reducedStyle; }
    void SetReducedStyle(int style) { m_reducedStyle = style; }
    int GetIconId() const;
    void SetIconId(int iconId) { m_iconId = iconId; }
    int GetCustomIconId() const { return m_customIconId; }
    void SetCustomIconId(int iconId) { m_customIconId = iconId; }
    int GetHelpId() const { return m_helpId; }
    void SetHelpId(int helpId) { m_helpId = helpId; }
    BOOL GetEnabled() const;
    BOOL GetChecked() const;
    void RequestParentRelayout();
    void RedrawParent(BOOL animate = TRUE);
    CUTKImageManager* GetImageManager() const;
    CUTKPaintManager* GetPaintManager() const;
    void SetHiddenUntilExpand(BOOL hidden);
    BOOL IsHiddenUntilExpand() const { return m_hiddenUntilExpand; }
    BOOL GetDefaultItem() const { return m_defaultItem; }
    void SetDefaultItem(BOOL defaultItem);
    void SetFlags(DWORD flags) { m_flags = flags; }
    DWORD GetFlags() const { return m_flags; }
    void SetVisible(BOOL visible);
    BOOL IsCursorOver() const;
    LRESULT NotifySite(int code);
    LRESULT NotifySiteWithData(int code, NMHDR* record);
    CString GetShortcutText() const;
    void SetShortcutText(LPCWSTR text) { m_shortcutText = text; }
    CString GetShortcutTextAuto() const { return m_shortcutTextAuto; }
    CString GetAccessibleName() const;
    void SetID(int id);
    int GetID() const { return m_id; }
    void SetCaption(LPCWSTR caption);
    BOOL SetCaptionFromResource(UINT stringId);
    void OnCustomizeMouseMove(CPoint point);
    // What a finished customisation drag does with its source: none (dropped where nothing
    // accepts it) and move delete the control, handing its begin-group mark on; copy keeps it.
    void ApplyCustomizeDragResult(DWORD effect);
    // The ribbon is not built here: no control draws into a ribbon caption.
    BOOL IsInRibbonCaption() const { return FALSE; }

    // Plain accessors.
    int GetType() const { return m_controlType; }
    void SetType(int type) { m_controlType = type; }
    int GetIndex() const { return m_index; }
    CUTKControls* GetControls() const { return m_controls; }
    CUTKCommandBar* GetParent() const { return m_parent; }
    CUTKControlAction* GetAction() const { return m_action; }
    CRect GetRect() const { return m_rcControl; }
    CRect GetRowRect() const { return m_rcRow; }
    void SetRowRect(CRect rc) { m_rcRow = rc; }
    BOOL GetWrap() const { return m_wrap; }
    void SetWrap(BOOL wrap) { m_wrap = wrap; }
    BOOL GetBeginGroup() const { return m_beginGroup; }
    DWORD GetHideFlags() const { return m_hideFlags; }
    BOOL IsTemporary() const { return m_temporary; }
    void SetTemporary(BOOL temporary) { m_temporary = temporary; }
    DWORD_PTR GetTag() const { return m_tag; }
    void SetTag(DWORD_PTR tag) { m_tag = tag; }
    CString GetParameter() const { return m_parameter; }
    void SetParameter(LPCWSTR parameter) { m_parameter = parameter; }
    CString GetCustomCaption() const { return m_customCaption; }
    void SetCustomCaption(LPCWSTR caption) { m_customCaption = caption; }
    CString GetTooltipText() const { return m_tooltipText; }
    void SetTooltip(LPCWSTR tooltip) { m_tooltipText = tooltip; }
    void SetDescription(LPCWSTR description) { m_descriptionText = description; }
    CString GetKeyboardTip() const;
    void SetKeyboardTip(LPCWSTR tip) { m_keyboardTip = tip; }
    CString GetCategory() const { return m_category; }
    void SetCategory(LPCWSTR category) { m_category = category; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetExecuteOnPressInterval() const { return m_executeOnPressInterval; }
    void SetExecuteOnPressInterval(int interval) { m_executeOnPressInterval = interval; }
    BOOL GetCloseSubMenuOnClick() const { return m_closeSubMenuOnClick; }
    void SetCloseSubMenuOnClick(BOOL close) { m_closeSubMenuOnClick = close; }
    void SetIconSize(CSize size) { m_iconSize = size; }
    CUTKRibbonGroup* GetRibbonGroup() const { return m_ribbonGroup; }
    void SetPressed(int pressed) { m_pressed = pressed; }
    CMap<UINT, UINT, BOOL, BOOL>& GetDocTemplatesAssigned() { return m_templatesAssigned; }
    CMap<UINT, UINT, BOOL, BOOL>& GetDocTemplatesExcluded() { return m_templatesExcluded; }

    // The root of the parent-bar chain, the bar's owner site and command bars (or null).
    CUTKCommandBar* GetRootParent() const;
    CWnd* GetSite() const;
    CUTKCommandBars* GetCommandBars() const;

    // Fields, in declaration order (the paint manager, the layout and the bars read them).
    DWORD_PTR m_tag = 0;
    int m_index = 0;
    int m_id = 0;
    int m_iconId = 0;
    int m_helpId = 0;
    int m_customIconId = 0;
    BOOL m_wrap = FALSE;
    BOOL m_beginGroup = FALSE;
    BOOL m_enabled = TRUE;      // -1: the action's state; split popups also 4 and 5
    BOOL m_checked = FALSE;     // -1: the action's state
    int m_selected = 0;
    int m_pressed = 0;
    BOOL m_temporary = FALSE;
    CRect m_rcRow;
    CRect m_rcControl;
    DWORD m_hideFlags = 0;
    DWORD m_flags = 0;
    CString m_caption;
    CString m_customCaption;
    CString m_shortcutText;
    CString m_shortcutTextAuto;
    CString m_tooltipText;
    CString m_descriptionText;
    CString m_parameter;
    CString m_keyboardTip;
    CUTKControls* m_controls = nullptr;      // not owned
    int m_controlType = 0;
    CUTKCommandBar* m_parent = nullptr;      // not owned
    BOOL m_hiddenUntilExpand = FALSE;
    CString m_category;
    BOOL m_defaultItem = FALSE;
    CMap<UINT, UINT, BOOL, BOOL> m_templatesAssigned;
    CMap<UINT, UINT, BOOL, BOOL> m_templatesExcluded;
    int m_style = 0;
    int m_customStyle = -1;
    int m_reducedStyle = 0;      // set by ribbon group size reduction; 4 = reduced to a popup
    BOOL m_closeSubMenuOnClick = TRUE;
    CUTKRibbonGroup* m_ribbonGroup = nullptr; // not owned
    CUTKControlAction* m_action = nullptr;    // not owned; the action lists the control
    int m_width = 0;
    int m_height = 0;
    int m_executeOnPressInterval = 0;
    CSize m_iconSize;

protected:
    // The id-list keys of the document-template maps.
    static void ExchangeTemplateMap(CUTKPropExchange* px, LPCWSTR name,
                                    CMap<UINT, UINT, BOOL, BOOL>& map);
    // Whether a VARIANT child id addresses the control itself.
    static BOOL IsSelfChild(const VARIANT& varChild);
    // The edge-resize loop of CustomizeStartResize, after the point was accepted.
    BOOL RunResizeLoop(CPoint point);
};
