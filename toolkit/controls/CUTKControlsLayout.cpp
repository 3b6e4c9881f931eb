// CUTKControls' two layouts: fills layout records from the controls (measured once through
// the paint manager), runs the window-free ControlLayout and writes rectangles, bands, wrap
// marks and hide flags back into the controls.
#include "toolkit/controls/CUTKControls.h"

#include <windows.h>

#include "platform/framework/window/CDC.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/common/CUTKFontDC.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/ControlLayout.h"
#include "toolkit/themes/CUTKPaintManager.h"

#include <vector>

namespace {

// Measures a control again at the style the large-button layout gives it. The style is the
// control's own field: the bar shows it at that style afterwards.
class ControlMeasure : public IControlLayoutMeasure {
public:
    ControlMeasure(CDC* dc, CUTKCommandBar* bar) : m_dc(dc), m_bar(bar) {}

    SIZE MeasureAtStyle(const ControlLayoutRecord& record, int style) override
    {
        auto* control = static_cast<CUTKControl*>(record.control);
        control->SetStyle(style);
        return control->GetSize(m_dc);
    }

    bool HasLargeImage(const ControlLayoutRecord& record) override
    {
        if (m_bar == nullptr) {
            return false;
        }
        auto* control = static_cast<CUTKControl*>(record.control);
        CUTKImageManager* images = m_bar->GetImageManager();
        const int iconId = control->GetIconId();
        return images != nullptr && iconId > 0 &&
               images->IsImageAvailable(static_cast<UINT>(iconId),
                                        m_bar->GetLargeIconSize(TRUE).cx) != FALSE;
    }

private:
    CDC* m_dc;
    CUTKCommandBar* m_bar;
};

SIZE SeparatorSize(CUTKPaintManager* paint, CDC* dc, CUTKCommandBar* bar)
{
    if (paint == nullptr || bar == nullptr) {
        return SIZE{0, 0};
    }
    const CSize size = paint->DrawCommandBarSeparator(dc, bar, nullptr, FALSE);
    return SIZE{size.cx, size.cy};
}

} // namespace

CSize CUTKControls::CalcToolBarLayout(CDC* pDC, int length, DWORD& layoutFlags, CRect rcBorder,
                                      int minExtent)
{
    CUTKCommandBar* bar = m_parent;
    CUTKPaintManager* paint = bar != nullptr ? bar->GetPaintManager() : nullptr;
    // Placeholders add or remove their generated controls here, after their own index.
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (CUTKControl* control = GetAt(i)) {
            control->OnCalcDynamicSize(layoutFlags);
        }
    }
    const int count = GetCount();

    ControlLayout::ToolBarParams params;
    params.length = length;
    params.flags = layoutFlags;
    params.borders = rcBorder;
    params.minExtent = minExtent;
    params.separator = SeparatorSize(paint, pDC, bar);
    if (bar != nullptr) {
        params.rememberedWidth = bar->GetWidth();
        const CSize spacing = bar->GetControlSpacing();
        params.spacing = SIZE{spacing.cx, spacing.cy};
        params.largeButtons = (bar->GetBarStyle() & utkBarStyleLargeUncentred) != 0;
        if (params.largeButtons) {
            const CSize large = bar->GetLargeIconSize(TRUE);
            params.largeIcon = SIZE{large.cx, large.cy};
        }
    }
    if (paint != nullptr) {
        params.splitDropDownHeight = paint->GetSplitDropDownHeight();
    }
    ControlMeasure measure(pDC, bar);
    params.measure = &measure;

    // One allocation per run; a control is measured once (large buttons re-measure on change).
    std::vector<ControlLayoutRecord> records(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        CUTKControl* control = GetAt(i);
        ControlLayoutRecord& record = records[static_cast<size_t>(i)];
        record.control = control;
        if (control == nullptr) {
            continue;
        }
        record.rect = control->GetRect();
        record.visible = control->IsVisible(utkHideWrap) != FALSE;
        record.beginGroup = control->GetBeginGroup() != FALSE;
        record.flags = control->GetFlags();
        if (record.visible) {
            record.style = control->GetStyle();
            const CSize size = control->GetSize(pDC);
            record.size = SIZE{size.cx, size.cy};
        }
    }

    const SIZE size = ControlLayout::CalcToolBar(records, params);
    layoutFlags |= params.flags & kLayoutResultDidNotFit;

    if ((layoutFlags & kLayoutCommit) != 0) {
        for (const ControlLayoutRecord& record : records) {
            auto* control = static_cast<CUTKControl*>(record.control);
            if (control == nullptr) {
                continue;
            }
            const DWORD hide = record.hidden ? (control->GetHideFlags() | utkHideWrap)
                                             : (control->GetHideFlags() & ~DWORD{utkHideWrap});
            if (hide != control->GetHideFlags()) {
                control->SetHideFlags(hide);
            }
            control->SetRowRect(CRect(record.band));
            if (!record.hidden) {
                control->SetRect(CRect(record.rect));
            }
            control->SetWrap(record.wrap ? TRUE : FALSE);
        }
    }
    return CSize(size.cx, size.cy);
}

CSize CUTKControls::CalcPopupLayout(CDC* pDC, int heightLimit, int fixedWidth, CRect rcBorder)
{
    CUTKCommandBar* bar = m_parent;
    CUTKPaintManager* paint = bar != nullptr ? bar->GetPaintManager() : nullptr;

    ControlLayout::PopupParams params;
    params.heightLimit = heightLimit;
    params.fixedWidth = fixedWidth;
    params.borders = rcBorder;
    params.limitWidth = bar == nullptr || bar->IsWidthLimited();
    if (bar != nullptr) {
        bar->SetSeveralColumns(FALSE);
    }
    RECT work{};
    if (::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        params.workArea = work;
    }
    CUTKFontDC font(pDC, paint != nullptr && bar != nullptr ? paint->GetCommandBarFont(bar)
                                                            : nullptr);
    params.separator = SeparatorSize(paint, pDC, bar);

    const int count = GetCount();
    std::vector<ControlLayoutRecord> records(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        CUTKControl* control = GetAt(i);
        ControlLayoutRecord& record = records[static_cast<size_t>(i)];
        record.control = control;
        // A snapshot or shared collection may hold controls of another bar: they stay out.
        if (control == nullptr || control->GetParent() != bar) {
            continue;
        }
        control->m_hideFlags &= ~DWORD{utkHideDynamic};
        record.visible = control->IsVisible() != FALSE;
        record.beginGroup = control->GetBeginGroup() != FALSE;
        record.flags = control->GetFlags();
        if (record.visible) {
            const CSize size = control->GetSize(pDC);
            record.size = SIZE{size.cx, size.cy};
        }
    }

    const ControlLayout::PopupResult result = ControlLayout::CalcPopup(records, params);
    if (bar != nullptr && result.severalColumns) {
        bar->SetSeveralColumns(TRUE);
    }
    for (const ControlLayoutRecord& record : records) {
        auto* control = static_cast<CUTKControl*>(record.control);
        if (control == nullptr || !record.visible) {
            continue;
        }
        control->SetWrap(record.wrap ? TRUE : FALSE);
        control->SetRect(CRect(record.rect));
        control->SetRowRect(CRect(record.band));
    }
    return CSize(result.size.cx, result.size.cy);
}
