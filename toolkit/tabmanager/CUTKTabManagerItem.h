// One tab of a tab manager: caption, tooltip, icon index, colour, flags, its rectangle as the
// last layout left it, and the small buttons of its own (a close button). Reference counted;
// the owning manager holds one reference while the tab is in its strip.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

#include <vector>

class CUTKTabManager;
class CUTKTabManagerNavigateButton;
class CUTKImageManagerIcon;
class CUTKMarkupUIElement;

class CUTKTabManagerItem : public CCmdTarget {
public:
    CUTKTabManagerItem();
    ~CUTKTabManagerItem() override;

    virtual void SetVisible(BOOL visible);
    // The owner calls this before it drops the tab: the tab's buttons go and the tab forgets
    // its owner, so a reference held elsewhere never reaches a manager that let it go.
    virtual void OnRemoved();

    void SetCaption(const CString& caption);
    CString GetCaption() const;
    void SetTooltip(const CString& tooltip) { m_strToolTip = tooltip; }
    CString GetTooltip() const { return m_strToolTip; }
    COLORREF GetColor() const;
    void SetColor(COLORREF color);
    void SetEnabled(BOOL enabled);
    BOOL IsVisible() const { return m_bVisible; }
    BOOL IsEnabled() const { return m_bEnabled; }
    HWND GetHandle() const { return m_hWnd; }
    void SetHandle(HWND wnd) { m_hWnd = wnd; }
    int GetIndex() const { return m_nIndex; }
    int GetImageIndex() const { return m_nImage; }
    void SetImageIndex(int image) { m_nImage = image; }
    void* GetData() const { return m_pData; }
    void SetData(void* data) { m_pData = data; }
    CRect GetRect() const { return m_rcItem; }
    int GetLength() const { return m_nLength; }
    int GetIdealLength() const { return m_nIdealLength; }
    int GetRow() const { return m_nRow; }
    BOOL IsClosable() const { return m_bClosable; }
    void SetClosable(BOOL closable) { m_bClosable = closable; }
    CUTKTabManager* GetTabManager() const { return m_pTabManager; }
    CUTKMarkupUIElement* GetMarkupCaption() const { return m_pMarkupCaption; }
    const std::vector<CUTKTabManagerNavigateButton*>& GetButtons() const { return m_arrButtons; }

    void Select();
    void Remove();
    void Reposition();
    // Stores the rectangle and hides the tab's own buttons until the tab is drawn again.
    void SetRect(int left, int top, int right, int bottom);
    BOOL IsSelected() const;
    BOOL IsHot() const;

    void DrawImage(CDC* dc, CRect rect, CUTKImageManagerIcon* icon);
    BOOL DrawRotatedImage(CDC* dc, CRect rect, CUTKImageManagerIcon* icon);

private:
    int IconState() const;
    void DeleteButtons();

public:
    // Written by the strip layout and the owner.
    int m_nLength = 0;
    int m_nIdealLength = 0;
    int m_nReserved = -1;
    int m_nIndex = -1;
    BOOL m_bEnabled = TRUE;
    BOOL m_bVisible = TRUE;
    HWND m_hWnd = nullptr;
    int m_nImage = 0;
    void* m_pData = nullptr;
    CRect m_rcItem;
    CString m_strCaption;
    CString m_strToolTip;
    COLORREF m_clrItem = 0;
    CUTKTabManager* m_pTabManager = nullptr;
    int m_nRow = 0;
    BOOL m_bClosable = TRUE;
    std::vector<CUTKTabManagerNavigateButton*> m_arrButtons;
    CUTKMarkupUIElement* m_pMarkupCaption = nullptr;
    int m_nReserved2 = 0;
};
