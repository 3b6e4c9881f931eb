// CView: a child window of a frame that shows a document. It is created by the frame from a
// creation context, joins its document, draws through OnDraw, and passes the commands it does
// not handle to its document.
#pragma once

#include "platform/framework/frame/CCreateContext.h"

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)

public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, void* pInfo = nullptr);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    // Whether a document item is selected in this view; none is by default.
    virtual BOOL IsSelected(const CObject* pDocItem) const;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);

protected:
    CDocument* m_pDocument = nullptr;
    // FALSE for views whose window is not made by CreateEx with the creation context (a
    // dialog's creation message carries something else).
    BOOL m_bContextInCreateParams = TRUE;

    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};
