// CFormView: a view whose window is a child dialog made from a dialog template. Its scroll
// size is the template's size; data exchange works as in dialogs; keyboard navigation
// between its controls comes after the frame's accelerators.
#pragma once

#include "platform/framework/frame/CScrollView.h"

class CFormView : public CScrollView {
    DECLARE_DYNAMIC(CFormView)

public:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(LPCTSTR lpszTemplateName);
    ~CFormView() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    LPCTSTR m_lpszTemplateName;
    UINT m_nIDHelp = 0;
};
