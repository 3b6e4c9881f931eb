// A small button of a tab strip: the two scroll arrows and the close button every strip has,
// or a tab's own close button. No window: the manager positions and hit-tests it and the
// paint manager draws it.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKTabManager;
class CUTKTabManagerItem;

class CUTKTabManagerNavigateButton {
public:
    enum Id { idLeft = 0, idRight = 1, idClose = 2 };
    enum ShowMode { showNever = 0, showWhenNeeded = 1, showAlways = 2 };

    CUTKTabManagerNavigateButton(CUTKTabManager* manager, int id, int showMode);
    CUTKTabManagerNavigateButton(const CUTKTabManagerNavigateButton&) = delete;
    CUTKTabManagerNavigateButton& operator=(const CUTKTabManagerNavigateButton&) = delete;

    // Clears the manager's hot button when it is this one.
    virtual ~CUTKTabManagerNavigateButton();
    // Takes the button's extent off the length when the button will be shown.
    virtual void AdjustWidth(int& length);
    virtual CSize GetSize() const;
    // The press loop: ticks every 20 ms while held, a click when released inside.
    virtual void PerformClick(HWND window, CPoint point);
    // Takes the button's place at the far end of the free header rectangle, or hides it.
    virtual void Reposition(CRect& rect);
    // Draws the glyph with the pen and brush the paint manager selected.
    virtual void DrawEntry(CDC* dc, CRect rect) = 0;
    virtual void OnExecute(BOOL tick);

    void SetRect(int left, int top, int right, int bottom);
    void Draw(CDC* dc);
    CString GetTooltip() const { return m_strToolTip; }
    int GetId() const { return m_nId; }
    int GetShowMode() const { return m_nShowMode; }
    void SetShowMode(int mode) { m_nShowMode = mode; }
    CRect GetRect() const { return m_rcButton; }
    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL enabled) { m_bEnabled = enabled; }
    BOOL IsPressed() const { return m_bPressed; }
    BOOL IsHot() const;
    CUTKTabManagerItem* GetItem() const { return m_pItem; }
    CUTKTabManager* GetManager() const { return m_pManager; }
    // Shown by the layout: show mode 2, or 1 when the manager allows it.
    BOOL IsShownByMode() const;
    // Takes the button's place at the far end of rect whatever its show mode.
    void Place(CRect& rect);

    int m_nId;
    int m_nShowMode;
    CUTKTabManager* m_pManager;
    CRect m_rcButton;
    BOOL m_bEnabled = TRUE;
    BOOL m_bPressed = FALSE;
    CString m_strToolTip;
    CUTKTabManagerItem* m_pItem = nullptr;
};
