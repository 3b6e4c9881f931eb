// A label whose caption is markup: the caption is parsed again whenever it changes, measured
// and rendered by the markup engine in the bar's font; a caption that does not parse leaves a
// plain label.
#pragma once

#include "toolkit/controls/CUTKControl.h"

class CUTKMarkupContext;
class CUTKMarkupUIElement;

class CUTKControlMarkupLabel : public CUTKControl {
    DECLARE_SERIAL(CUTKControlMarkupLabel)

public:
    CUTKControlMarkupLabel();
    ~CUTKControlMarkupLabel() override;

    int GetSelected() const override;
    void OnClick(BOOL keyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnCaptionChanged() override;

    CUTKMarkupUIElement* GetMarkupElement() const { return m_pMarkupElement; }

private:
    void ReleaseMarkup();
    HFONT GetLabelFont() const;

    CUTKMarkupUIElement* m_pMarkupElement = nullptr;  // one reference
    // The element's context, kept with it so its default font can be set before each use.
    CUTKMarkupContext* m_pMarkupContext = nullptr;    // one reference
};
