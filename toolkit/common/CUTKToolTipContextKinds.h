// The tooltip windows of the context's kinds other than the toolkit's plain window: the
// common-controls tooltip (kinds 0 and 1), the Luna look (4), rich text (3), markup text (7)
// and HTML text (6).
#pragma once

#include <functional>

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "toolkit/common/CUTKToolTipContext.h"
#include "toolkit/common/CUTKToolTipContextToolTip.h"
#include "toolkit/markup/CUTKRichRender.h"
#include "toolkit/markup/Markup.h"

// The common-controls tooltip; only its window-from-point answer follows the toolkit's rule.
class CUTKToolTipContext::CStandardToolTip : public CToolTipCtrl {
public:
    CStandardToolTip() = default;

protected:
    LRESULT OnWindowFromPoint(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// A vertical gradient following the system colour scheme.
class CUTKToolTipContext::CLunaToolTip : public CUTKToolTipContextToolTip {
public:
    explicit CLunaToolTip(CUTKToolTipContext* context) : CUTKToolTipContextToolTip(context) {}
    void DrawBackground(CDC* dc, TOOLITEM* tool, CRect rect) override;
};

// Rich text (RTF or plain) through the rich-text renderer.
class CUTKToolTipContext::CRichEditToolTip : public CUTKToolTipContextToolTip {
public:
    explicit CRichEditToolTip(CUTKToolTipContext* context) : CUTKToolTipContextToolTip(context) {}
    SIZE CalcToolTipSize(TOOLITEM* tool) override;
    void DrawContent(CDC* dc, TOOLITEM* tool, CRect rect) override;
    CUTKRichRender& GetRenderer() noexcept { return m_richRender; }

private:
    CUTKRichRender m_richRender;
};

// Markup text; a text that does not parse shows as plain text.
class CUTKToolTipContext::CMarkupToolTip : public CUTKToolTipContextToolTip {
public:
    explicit CMarkupToolTip(CUTKToolTipContext* context);
    ~CMarkupToolTip() override;
    SIZE CalcToolTipSize(TOOLITEM* tool) override;
    void DrawContent(CDC* dc, TOOLITEM* tool, CRect rect) override;

private:
    CUTKMarkupUIElement* m_pUIElement = nullptr;
    CUTKMarkupContext* m_pMarkupContext = nullptr;
};

// HTML text in a hosted web browser control. Where the control cannot be created the tip
// shows its text plainly.
class CUTKToolTipContext::CHTMLToolTip : public CUTKToolTipContextToolTip {
public:
    explicit CHTMLToolTip(CUTKToolTipContext* context);
    ~CHTMLToolTip() override;
    SIZE CalcToolTipSize(TOOLITEM* tool) override;
    void DrawContent(CDC* dc, TOOLITEM* tool, CRect rect) override;
    // Whether the browser control could be created (asked once, on the first tip).
    BOOL HasBrowser() const noexcept { return m_bBrowserReady; }

    // The narrowest width at which the content keeps the height it has at full width.
    // measure(width, &height) gives the content's scroll width at that width and its scroll
    // height; fullHeight is the scroll height at full width.
    static int FindNarrowestWidth(int maxWidth, int fullHeight,
                                  const std::function<int(int width, int* height)>& measure);
    // Runs the message pump one message at a time until ready() or timeoutMs (measured by
    // clock) has passed; a WM_QUIT met on the way is posted again. TRUE when ready.
    static BOOL WaitUntilReady(const std::function<BOOL()>& ready, DWORD timeoutMs,
                               const std::function<DWORD()>& clock);

protected:
    // Creates the browser control as a child of the tip; FALSE where none can be hosted.
    virtual BOOL CreateBrowser();

private:
    BOOL m_bBrowserTried = FALSE;
    BOOL m_bBrowserReady = FALSE;
    BOOL m_bPlainFallback = FALSE;
};
