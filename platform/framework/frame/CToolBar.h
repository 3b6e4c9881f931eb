// CToolBar: a bar over the system toolbar control. Its buttons come from an RT_TOOLBAR
// resource (WORD version 1, image width, height, count, command ids, 0 for a separator; or the
// same in DWORD fields without the version, as binutils writes a TOOLBAR statement) with the
// bitmap of the same id, and are enabled and checked from the frame's update-UI handlers.
#pragma once

#include "platform/framework/frame/CControlBar.h"

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)

public:
    CToolBar();
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    // dwCtrlStyle: TBSTYLE_* of the control; dwStyle: window and CBRS_* styles.
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);

    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCEW(nIDResource)); }
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEW(nIDResource)); }
    BOOL SetBitmap(HBITMAP hbmImageWell);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    // Replaces the buttons: one per id, 0 for a separator; lpIDArray null gives nIDCount
    // separators to be filled by SetButtonInfo.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    // Styles are MAKELONG(TBSTYLE/BTNS bits, TBSTATE bits).
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
    CString GetButtonText(int nIndex) const;
    INT_PTR GetCount() const override;
    CToolTipCtrl* GetToolTips() const;
    // The bar is the control's window: the control wrapper's non-virtual members apply to it.
    CToolBarCtrl& GetToolBarCtrl() const;
    DWORD SetExtendedStyle(DWORD dwExStyle);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    HBITMAP m_hbmImageWell = nullptr;
    CSize m_sizeImage{16, 15};
    CSize m_sizeButton{23, 22};
};
