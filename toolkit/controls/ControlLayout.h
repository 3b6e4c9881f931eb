// Window-free placement of command-bar controls: rows and columns of a toolbar (wrapping,
// hiding what does not fit, a balanced floating shape, far alignment and stretching, large
// buttons demoted until they fit) and the columns of a popup bar. It works on layout records
// that the control collection fills from its controls and writes back; a measuring interface
// stands for the paint manager, so the algorithm is tested with fixed-size fake controls.
#pragma once

#include <windows.h>

#include <vector>

// One control as the layout sees it.
struct ControlLayoutRecord {
    RECT rect{};        // where the control goes
    RECT band{};        // the row (column) it stands in
    SIZE size{};        // measured size at `style`
    bool visible = false;
    bool wrap = false;   // starts a new row (column)
    bool hidden = false; // did not fit and is hidden
    bool beginGroup = false;
    int style = 0;       // effective style when measured
    DWORD flags = 0;     // the control's behaviour flags (far 0x01, stretch 0x20, row 0x80)
    void* control = nullptr;
};

// Measures a control again after the large-button layout changed its style.
class IControlLayoutMeasure {
public:
    virtual ~IControlLayoutMeasure() = default;
    virtual SIZE MeasureAtStyle(const ControlLayoutRecord& record, int style) = 0;
    virtual bool HasLargeImage(const ControlLayoutRecord& record) = 0;
};

class ControlLayout {
public:
    // Layout flags of a toolbar run (the framework's dynamic-layout modes and two more).
    static constexpr DWORD kStretch = 0x01;
    static constexpr DWORD kUseRememberedWidth = 0x04;
    static constexpr DWORD kHorzDock = 0x08;
    static constexpr DWORD kVertDock = 0x10;
    static constexpr DWORD kLengthIsHeight = 0x20;
    static constexpr DWORD kCommit = 0x40;
    static constexpr DWORD kHideWrap = 0x80;
    static constexpr DWORD kFloatingShape = 0x100;
    // Written back into the caller's flags when something did not fit.
    static constexpr DWORD kResultDidNotFit = 0x01;

    // Control flags the layout reads.
    static constexpr DWORD kControlFarAlign = 0x01;
    static constexpr DWORD kControlStretch = 0x20;
    static constexpr DWORD kControlNewRow = 0x80;

    // Styles the large-button layout assigns.
    static constexpr int kStyleIcon = 2;
    static constexpr int kStyleIconAndCaption = 3;
    static constexpr int kStyleCaptionBelow = 4;

    // Upper bound of every bisection and reduction loop: the widths searched lie in 0..32767,
    // so a halving search never needs more than 16 steps; a stalled step must not spin.
    static constexpr int kMaxSearchSteps = 40;
    static constexpr int kOneRowWidth = 32767;

    struct ToolBarParams {
        int length = 0;
        DWORD flags = 0; // in: layout flags; out: kResultDidNotFit added when it applies
        RECT borders{};
        int minExtent = 0;
        int rememberedWidth = 0;
        SIZE separator{};    // gap along a row before a group, gap between rows at a group
        SIZE spacing{};      // gap along a row between neighbours, gap between rows
        bool largeButtons = false;
        SIZE largeIcon{};
        int splitDropDownHeight = 0;
        IControlLayoutMeasure* measure = nullptr; // needed for large buttons only
    };

    struct PopupParams {
        int heightLimit = 0;
        int fixedWidth = 0;
        RECT borders{};
        SIZE separator{};
        RECT workArea{};
        bool limitWidth = true; // items are clipped to a third of the work area
    };

    struct PopupResult {
        SIZE size{};
        bool severalColumns = false;
    };

    // Lays the records out and answers the bar's size including the borders. With kCommit the
    // records are also centred in their bands, far-aligned and stretched; the caller writes
    // them into the controls.
    static SIZE CalcToolBar(std::vector<ControlLayoutRecord>& records, ToolBarParams& params);

    // Places the visible records of a popup bar top to bottom in columns; every record's
    // rectangle, band and wrap mark is written.
    static PopupResult CalcPopup(std::vector<ControlLayoutRecord>& records,
                                 const PopupParams& params);

    // The steps, public for the tests.
    static int Wrap(std::vector<ControlLayoutRecord>& records, const ToolBarParams& params,
                    int length, DWORD flags, DWORD& result);
    static SIZE Place(std::vector<ControlLayoutRecord>& records, const ToolBarParams& params,
                      bool vertical);
    static void FindBalancedShape(std::vector<ControlLayoutRecord>& records,
                                  const ToolBarParams& params, DWORD flags, DWORD& result,
                                  int* steps = nullptr);
    static void FitLength(std::vector<ControlLayoutRecord>& records, const ToolBarParams& params,
                          int length, DWORD flags, DWORD& result, int* steps = nullptr);

private:
    static void SizeBands(std::vector<ControlLayoutRecord>& records, SIZE result, DWORD flags,
                          const ToolBarParams& params);
    static void AlignFarAndStretch(std::vector<ControlLayoutRecord>& records, SIZE result,
                                   DWORD flags, const ToolBarParams& params);
    static SIZE LayoutLargeButtons(std::vector<ControlLayoutRecord>& records,
                                   ToolBarParams& params, int length, DWORD& result);
    static SIZE PlaceLargeButtons(std::vector<ControlLayoutRecord>& records,
                                  const ToolBarParams& params, bool vertical);
    static bool ReduceLargeButtonsStep(std::vector<ControlLayoutRecord>& records,
                                       const ToolBarParams& params);
};
