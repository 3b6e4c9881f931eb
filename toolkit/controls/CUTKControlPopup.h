// A control that opens a popup bar: a submenu item or menu-bar title (type 2), a toolbar button
// whose whole face opens the popup (type 3), or a split button whose button part executes and
// whose arrow part opens the popup (type 4; enabled values 4 and 5 enable only one part).
#pragma once

#include "toolkit/controls/CUTKControlButton.h"

class CUTKControlPopup : public CUTKControlButton {
    DECLARE_SERIAL(CUTKControlPopup)

public:
    // Enabled values of split buttons: only the button part, only the arrow part.
    static constexpr BOOL kSplitButtonOnly = 4;
    static constexpr BOOL kSplitArrowOnly = 5;

    CUTKControlPopup();
    ~CUTKControlPopup() override;

    BOOL Compare(CUTKControl* other) override;                                   // 33
    CUTKCommandBar* GetCommandBar() const override;                               // 34
    void DoPropExchange(CUTKPropExchange* px) override;                           // 42
    void OnKeyboardActivate() override;                                           // 43
    BOOL IsPopupOpen() const override;                                            // 44
    void Copy(CUTKControl* source, BOOL recursive = FALSE) override;              // 51
    void OnClick(BOOL keyboard = FALSE, CPoint pt = CPoint(0, 0)) override;       // 52
    BOOL SetPopuped(BOOL popuped) override;                                       // 57
    void OnLButtonUp(CPoint point) override;                                      // 58
    BOOL OnLButtonDblClk(CPoint point) override;                                  // 62
    void OnMouseMove(CPoint point) override;                                      // 63
    void OnMouseHover() override;                                                 // 64
    BOOL SetSelected(int selected) override;                                      // 65
    void OnCustomizeDragOver(CUTKControl* dragged, CPoint point, DWORD& effect) override; // 68
    BOOL IsCustomizeDragOverAvail(CUTKCommandBar* bar, CPoint point,
                                  DWORD& effect) override;                        // 69
    void RestoreCommandBarList(CUTKCommandBarList* list) override;                // 77
    CUTKControl* Clone(BOOL recursive = FALSE) override;                          // 82
    virtual void AdjustExcludeRect(CRect& rc, BOOL vertical);                     // 83
    virtual void UpdateShadow();                                                  // 84

    static CUTKControlPopup* CreateControlPopup(int type);
    // Releases the current popup bar and takes the new one, adding a reference.
    void SetCommandBar(CUTKCommandBar* bar);
    // Adopts a bar whose reference the caller hands over (a fresh clone).
    void AttachCommandBar(CUTKCommandBar* bar);
    void ExpandPopupBar();

    BOOL GetShadowWithPopup() const { return m_shadowWithPopup; }
    void SetShadowWithPopup(BOOL shadow) { m_shadowWithPopup = shadow; }
    UINT GetLoadedBarId() const { return m_loadedBarId; }

    // Window-free part rules of split buttons: whether a point lies on the button part, and
    // whether a release there executes (point.x + arrow width < right, not arrow-only).
    static BOOL IsOverButtonPart(const CRect& buttonPart, CPoint point);
    static BOOL IsReleaseOnButtonPart(const CRect& control, int arrowWidth, CPoint point);

    // Fields after the button's.
    BOOL m_popuped = FALSE;
    CUTKCommandBar* m_commandBar = nullptr;  // one reference
    UINT m_loadedBarId = 0;                  // "CommandBarId" until the bar list is restored
    BOOL m_shadowWithPopup = TRUE;

protected:
    BOOL IsSplitButton() const { return m_controlType == utkControlSplitButtonPopup; }
    // The part of a split button that runs its command, in bar coordinates.
    CRect GetButtonPartRect();
    BOOL ParentAtPopupPosition() const;
};
