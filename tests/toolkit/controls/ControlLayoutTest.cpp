// The window-free control layout with fixed-size fake controls: wrapping before groups, forced
// rows, hiding what does not fit, vertical columns, bands, far alignment and stretching, the
// bisections' shapes and step bound, large buttons and the columns of popup bars.
#include <windows.h>

#include <gtest/gtest.h>

#include "toolkit/controls/ControlLayout.h"

#include <string>
#include <vector>

namespace {

using Records = std::vector<ControlLayoutRecord>;

struct Fake {
    int cx = 20;
    int cy = 20;
    bool group = false;
    DWORD flags = 0;
    bool visible = true;
};

Records Make(const std::vector<Fake>& fakes)
{
    Records records;
    for (const Fake& fake : fakes) {
        ControlLayoutRecord record;
        record.size = SIZE{fake.cx, fake.cy};
        record.beginGroup = fake.group;
        record.flags = fake.flags;
        record.visible = fake.visible;
        records.push_back(record);
    }
    return records;
}

Records Uniform(int count, int cx = 20, int cy = 20)
{
    return Make(std::vector<Fake>(static_cast<size_t>(count), Fake{cx, cy}));
}

std::string Wraps(const Records& records)
{
    std::string marks;
    for (const ControlLayoutRecord& record : records) {
        marks += !record.visible ? '-' : record.hidden ? 'h' : record.wrap ? 'W' : '.';
    }
    return marks;
}

std::string Str(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

ControlLayout::ToolBarParams Params(int length, DWORD flags, RECT borders = RECT{0, 0, 0, 0})
{
    ControlLayout::ToolBarParams params;
    params.length = length;
    params.flags = flags;
    params.borders = borders;
    params.separator = SIZE{6, 6};
    params.spacing = SIZE{0, 0};
    return params;
}

constexpr DWORD kHorz = ControlLayout::kHorzDock | ControlLayout::kCommit;
constexpr DWORD kVert = ControlLayout::kVertDock | ControlLayout::kCommit;

} // namespace

TEST(ControlLayout, AllHiddenAnswersTheBordersAround23By22)
{
    struct Case {
        DWORD flags;
        int minExtent;
        SIZE expected;
    };
    const Case cases[] = {
        {kHorz, 0, {27, 24}},
        {kHorz, 40, {27, 40}},
        {kVert, 40, {40, 24}},
        {ControlLayout::kCommit, 10, {27, 24}},
    };
    for (const Case& c : cases) {
        Records records = Make({{20, 20, false, 0, false}, {30, 20, true, 0, false}});
        auto params = Params(200, c.flags, RECT{2, 1, 2, 1});
        params.minExtent = c.minExtent;
        const SIZE size = ControlLayout::CalcToolBar(records, params);
        EXPECT_EQ(size.cx, c.expected.cx) << "flags " << c.flags << " min " << c.minExtent;
        EXPECT_EQ(size.cy, c.expected.cy) << "flags " << c.flags << " min " << c.minExtent;
        EXPECT_EQ(params.flags & ControlLayout::kResultDidNotFit, 0u);
    }
}

TEST(ControlLayout, WrapTable)
{
    // Length 86 holds four 20-px controls and one 6-px group gap.
    struct Case {
        const char* name;
        std::vector<Fake> fakes;
        int length;
        DWORD flags;
        const char* marks;
        int rows;
        bool didNotFit;
    };
    const Fake p{};
    const Fake g{20, 20, true};
    const Fake forced{20, 20, false, ControlLayout::kControlNewRow};
    const Fake hidden{20, 20, false, 0, false};
    const Case cases[] = {
        {"fits", {p, p, p}, 86, 0, "...", 1, false},
        {"wrap before the group, not the fifth", {p, p, g, p, p}, 86, 0, "..W..", 2, true},
        {"no group: wrap at the overflow", {p, p, p, p, p}, 86, 0, "....W", 2, true},
        {"group start of the row is not a wrap point", {g, p, p, p, p}, 86, 0, "....W", 2, true},
        {"forced row does not count as a misfit", {p, forced, p}, 500, 0, ".W.", 2, false},
        {"forced row on the first control", {forced, p}, 500, 0, "..", 1, false},
        {"invisible controls take no room", {p, hidden, p, p, p}, 86, 0, ".-...", 1, false},
        {"a lone wide control stays", {Fake{200, 20}, p}, 86, 0, ".W", 2, true},
        {"narrowest: one per row", {p, p, p}, 0, 0, ".WW", 3, true},
        {"floating: every group starts a row", {p, g, p, g}, 500, ControlLayout::kFloatingShape,
         ".W.W", 3, true},
        {"hide to the next forced row", {p, p, p, p, forced, p}, 45, ControlLayout::kHideWrap,
         "..hhW.", 2, true},
        {"hide to the end", {p, p, p, p}, 45, ControlLayout::kHideWrap, "..hh", 1, true},
        {"hiding keeps the first control", {Fake{60, 20}, p}, 45, ControlLayout::kHideWrap, ".h",
         1, true},
    };
    for (const Case& c : cases) {
        Records records = Make(c.fakes);
        const auto params = Params(c.length, c.flags);
        DWORD result = 0;
        const int rows = ControlLayout::Wrap(records, params, c.length, c.flags, result);
        EXPECT_EQ(Wraps(records), c.marks) << c.name;
        EXPECT_EQ(rows, c.rows) << c.name;
        EXPECT_EQ((result & ControlLayout::kResultDidNotFit) != 0, c.didNotFit) << c.name;
    }
}

TEST(ControlLayout, HorizontalRowsAreCentredInTheirBands)
{
    // The wrapping control begins a group, so the rows are a separator thickness apart.
    Records records = Make({{20, 20}, {30, 10}, {20, 16, true}, {20, 22}});
    auto params = Params(60 + 4, kHorz, RECT{2, 3, 2, 3});
    const SIZE size = ControlLayout::CalcToolBar(records, params);
    EXPECT_EQ(Wraps(records), "..W.");
    EXPECT_EQ(size.cx, 4 + 50);
    EXPECT_EQ(size.cy, 6 + 20 + 6 + 22);
    EXPECT_EQ(Str(records[0].rect), "2,3,22,23");
    EXPECT_EQ(Str(records[1].rect), "22,8,52,18"); // 10 high in a 20-px band
    EXPECT_EQ(Str(records[2].rect), "2,32,22,48");  // 16 high in a 22-px band from 29
    EXPECT_EQ(Str(records[3].rect), "22,29,42,51");
    EXPECT_EQ(Str(records[0].band), "2,3,52,23");
    EXPECT_EQ(Str(records[3].band), "2,29,52,51");
    EXPECT_NE(params.flags & ControlLayout::kResultDidNotFit, 0u);
}

TEST(ControlLayout, OneRowBandTakesTheWholeHeight)
{
    Records records = Make({{20, 20}, {20, 10}});
    auto params = Params(200, kHorz, RECT{0, 0, 0, 0});
    params.minExtent = 30;
    const SIZE size = ControlLayout::CalcToolBar(records, params);
    EXPECT_EQ(size.cy, 30);
    EXPECT_EQ(Str(records[1].band), "0,0,40,30");
    EXPECT_EQ(Str(records[1].rect), "20,10,40,20");
    EXPECT_EQ(Str(records[0].rect), "0,5,20,25");
}

TEST(ControlLayout, VerticalSecondColumnGoesLeftOfTheFirst)
{
    Records records = Make({{16, 20}, {20, 20}, {20, 20}});
    auto params = Params(45 + 2, kVert, RECT{1, 1, 1, 1});
    const SIZE size = ControlLayout::CalcToolBar(records, params);
    EXPECT_EQ(Wraps(records), "..W");
    EXPECT_EQ(size.cx, 2 + 40);
    EXPECT_EQ(size.cy, 2 + 40);
    EXPECT_EQ(Str(records[0].rect), "23,1,39,21"); // 16 wide, centred in its column
    EXPECT_EQ(Str(records[1].rect), "21,21,41,41");
    EXPECT_EQ(Str(records[2].rect), "1,1,21,21");
    EXPECT_EQ(Str(records[0].band), "21,1,41,41");
    EXPECT_EQ(Str(records[2].band), "1,1,21,41");
}

TEST(ControlLayout, StretchAndFarAlignTable)
{
    const Fake p{};
    const Fake s{20, 20, false, ControlLayout::kControlStretch};
    const Fake f{20, 20, false, ControlLayout::kControlFarAlign};
    struct Case {
        const char* name;
        std::vector<Fake> fakes;
        int length;
        std::vector<std::string> rects;
    };
    const Case cases[] = {
        {"11 px as 5 + 6", {s, p, s}, 71, {"0,0,25,20", "25,0,45,20", "45,0,71,20"}},
        {"far run ends the row", {s, p, f}, 80, {"0,0,40,20", "40,0,60,20", "60,0,80,20"}},
        {"two far controls", {p, f, f}, 100, {"0,0,20,20", "60,0,80,20", "80,0,100,20"}},
        {"nothing to share", {s, p}, 40, {"0,0,20,20", "20,0,40,20"}},
        {"one stretch, 1 px", {p, s}, 41, {"0,0,20,20", "20,0,41,20"}},
    };
    for (const Case& c : cases) {
        Records records = Make(c.fakes);
        auto params = Params(c.length, kHorz | ControlLayout::kStretch);
        ControlLayout::CalcToolBar(records, params);
        for (size_t i = 0; i < c.rects.size(); ++i) {
            EXPECT_EQ(Str(records[i].rect), c.rects[i]) << c.name << " control " << i;
        }
    }
}

TEST(ControlLayout, StretchWorksRowByRowAndVertically)
{
    const Fake s{20, 20, false, ControlLayout::kControlStretch};
    Records records = Make({s, {30, 20}, {20, 20, true, ControlLayout::kControlNewRow}, s});
    auto params = Params(60, kHorz);
    ControlLayout::CalcToolBar(records, params);
    EXPECT_EQ(Str(records[0].rect), "0,0,20,20");
    EXPECT_EQ(Str(records[3].rect), "20,26,50,46"); // the second row shares 10 px
    Records column = Make({s, {20, 10}});
    auto vparams = Params(50, kVert | ControlLayout::kStretch);
    ControlLayout::CalcToolBar(column, vparams);
    EXPECT_EQ(Str(column[0].rect), "0,0,20,40");
    EXPECT_EQ(Str(column[1].rect), "0,40,20,50");
}

TEST(ControlLayout, FarAlignOnlyMovesTheEndOfTheLastRow)
{
    const Fake f{30, 20, false, ControlLayout::kControlFarAlign};
    const Fake forced{30, 20, false, ControlLayout::kControlFarAlign | ControlLayout::kControlNewRow};
    Records records = Make({f, forced, f});
    auto params = Params(200, kHorz | ControlLayout::kStretch);
    const SIZE size = ControlLayout::CalcToolBar(records, params);
    EXPECT_EQ(size.cx, 200);
    EXPECT_EQ(Str(records[2].rect), "170,20,200,40");
    EXPECT_EQ(Str(records[1].rect), "0,20,30,40"); // starts its row: the run stops there
    EXPECT_EQ(Str(records[0].rect), "0,0,30,20");
}

TEST(ControlLayout, HiddenControlsAreNotPlaced)
{
    const Fake forced{20, 20, false, ControlLayout::kControlNewRow};
    Records records = Make({{}, {}, {}, forced, {}});
    auto params = Params(45, kHorz | ControlLayout::kHideWrap);
    const SIZE size = ControlLayout::CalcToolBar(records, params);
    EXPECT_EQ(Wraps(records), "..hW.");
    EXPECT_EQ(size.cx, 40);
    EXPECT_EQ(size.cy, 40);
    EXPECT_EQ(Str(records[3].rect), "0,20,20,40");
    EXPECT_NE(params.flags & ControlLayout::kResultDidNotFit, 0u);
}

TEST(ControlLayout, FloatingShapeIsBalancedWithinTheStepBound)
{
    struct Case {
        int count;
        int cx;
        int cy;
    };
    const Case cases[] = {{12, 20, 20}, {100, 60, 22}, {1, 20, 20}, {2, 3000, 5}, {7, 1, 200}};
    for (const Case& c : cases) {
        Records records = Uniform(c.count, c.cx, c.cy);
        auto params = Params(0, ControlLayout::kFloatingShape);
        int steps = -1;
        DWORD result = 0;
        ControlLayout::FindBalancedShape(records, params, params.flags, result, &steps);
        EXPECT_GE(steps, 0);
        EXPECT_LE(steps, ControlLayout::kMaxSearchSteps);
        records = Uniform(c.count, c.cx, c.cy);
        const SIZE size = ControlLayout::CalcToolBar(records, params);
        // Balanced: neither three times higher than wide unless one column of tall controls.
        if (c.cy <= c.cx) {
            EXPECT_LE(size.cy, 3 * size.cx) << c.count << " of " << c.cx << "x" << c.cy;
        }
        EXPECT_GE(size.cx, c.cx);
    }
    Records twelve = Uniform(12);
    auto params = Params(0, ControlLayout::kFloatingShape);
    const SIZE size = ControlLayout::CalcToolBar(twelve, params);
    EXPECT_EQ(size.cx * size.cy, 12 * 400);
    EXPECT_LE(size.cx, 80);
    EXPECT_GE(size.cx, 60);
}

TEST(ControlLayout, FloatingShapeKeepsTheRememberedWidth)
{
    Records records = Uniform(6);
    auto params = Params(0, ControlLayout::kFloatingShape);
    params.rememberedWidth = 65;
    const SIZE size = ControlLayout::CalcToolBar(records, params);
    EXPECT_EQ(size.cx, 60);
    EXPECT_EQ(size.cy, 40);
}

TEST(ControlLayout, FitLengthBalancesTheRows)
{
    struct Case {
        int count;
        int length;
        DWORD flags;
        SIZE expected;
    };
    const Case cases[] = {
        {5, 90, 0, {60, 40}},           // 4 + 1 becomes 3 + 2
        {7, 130, 0, {80, 40}},          // 6 + 1 becomes 4 + 3
        {4, 500, 0, {80, 20}},          // one row stays one row
        {6, 40, ControlLayout::kLengthIsHeight, {60, 40}},
        {6, 10, ControlLayout::kLengthIsHeight, {120, 20}}, // no shape fits: one row
        {3, 500, ControlLayout::kLengthIsHeight, {20, 60}},
    };
    for (const Case& c : cases) {
        Records records = Uniform(c.count);
        auto params = Params(c.length, c.flags);
        int steps = -1;
        DWORD result = 0;
        ControlLayout::FitLength(records, params, c.length, c.flags, result, &steps);
        EXPECT_LE(steps, ControlLayout::kMaxSearchSteps);
        const SIZE size = ControlLayout::Place(records, params, false);
        EXPECT_EQ(size.cx, c.expected.cx) << c.count << " at " << c.length;
        EXPECT_EQ(size.cy, c.expected.cy) << c.count << " at " << c.length;
    }
}

namespace {

// Large-button measurement: caption below 40 x 50, beside 60 x 22, icon only 22 x 22.
class FakeLargeMeasure : public IControlLayoutMeasure {
public:
    SIZE MeasureAtStyle(const ControlLayoutRecord& record, int style) override
    {
        (void)record;
        ++m_measured;
        switch (style) {
        case ControlLayout::kStyleCaptionBelow:
            return SIZE{40, 50};
        case ControlLayout::kStyleIconAndCaption:
            return SIZE{60, 22};
        default:
            return SIZE{22, 22};
        }
    }
    bool HasLargeImage(const ControlLayoutRecord& record) override
    {
        return record.control != nullptr;
    }
    int m_measured = 0;
};

} // namespace

TEST(ControlLayout, LargeButtonsAreDemotedUntilTheyFit)
{
    int marker = 0;
    struct Case {
        int length;
        std::vector<int> styles;
        bool didNotFit;
    };
    // Six large buttons: 240 wide in styles 4; columns of 66 (32 + 7 + 27) hold three of 22.
    const Case cases[] = {
        {240, {4, 4, 4, 4, 4, 4}, false},
        {220, {4, 4, 4, 3, 3, 3}, true},
        {150, {3, 3, 3, 3, 3, 3}, true},
        {100, {3, 3, 3, 2, 2, 2}, true},
        {60, {2, 2, 2, 2, 2, 2}, true},
    };
    for (const Case& c : cases) {
        Records records = Uniform(6);
        for (ControlLayoutRecord& record : records) {
            record.control = &marker;
            record.style = 0;
        }
        FakeLargeMeasure measure;
        auto params = Params(c.length, kHorz);
        params.largeButtons = true;
        params.largeIcon = SIZE{32, 32};
        params.splitDropDownHeight = 27;
        params.measure = &measure;
        const SIZE size = ControlLayout::CalcToolBar(records, params);
        std::vector<int> styles;
        for (const ControlLayoutRecord& record : records) {
            styles.push_back(record.style);
        }
        EXPECT_EQ(styles, c.styles) << "length " << c.length;
        EXPECT_EQ(size.cy, 66) << "length " << c.length;
        EXPECT_EQ((params.flags & ControlLayout::kResultDidNotFit) != 0, c.didNotFit)
            << "length " << c.length;
    }
}

TEST(ControlLayout, LargeButtonsWithoutImagesStackBesideEachOther)
{
    Records records = Uniform(4);
    FakeLargeMeasure measure;
    auto params = Params(500, kHorz);
    params.largeButtons = true;
    params.largeIcon = SIZE{32, 32};
    params.splitDropDownHeight = 27;
    params.measure = &measure;
    records[2].beginGroup = true;
    const SIZE size = ControlLayout::CalcToolBar(records, params);
    // Styles 3 stack three to a column; the group starts a column 6 px further on.
    EXPECT_EQ(Str(records[0].rect), "0,0,60,22");
    EXPECT_EQ(Str(records[1].rect), "0,22,60,44");
    EXPECT_EQ(Str(records[2].rect), "66,0,126,22");
    EXPECT_EQ(Str(records[3].rect), "66,22,126,44");
    EXPECT_EQ(size.cx, 126);
    EXPECT_EQ(measure.m_measured, 4);
}

TEST(ControlLayout, LargeButtonsHideWhatStillDoesNotFit)
{
    int marker = 0;
    Records records = Uniform(2);
    for (ControlLayoutRecord& record : records) {
        record.control = &marker;
    }
    FakeLargeMeasure measure;
    auto params = Params(50, kHorz | ControlLayout::kHideWrap);
    params.largeButtons = true;
    params.largeIcon = SIZE{32, 32};
    params.splitDropDownHeight = 27;
    params.measure = &measure;
    const SIZE size = ControlLayout::CalcToolBar(records, params);
    EXPECT_EQ(Wraps(records), ".h");
    EXPECT_EQ(records[1].style, 2);
    EXPECT_EQ(size.cx, 40);
}

namespace {

ControlLayout::PopupParams Popup(int heightLimit = 0)
{
    ControlLayout::PopupParams params;
    params.heightLimit = heightLimit;
    params.borders = RECT{3, 3, 3, 3};
    params.separator = SIZE{8, 7};
    params.workArea = RECT{0, 0, 600, 400};
    return params;
}

} // namespace

TEST(ControlLayout, PopupItemsGoTopToBottom)
{
    Records records = Make({{100, 22}, {80, 22, true}, {60, 22, false, 0, false}, {90, 22}});
    const auto result = ControlLayout::CalcPopup(records, Popup());
    EXPECT_FALSE(result.severalColumns);
    EXPECT_EQ(result.size.cx, 106);
    EXPECT_EQ(result.size.cy, 6 + 22 + 7 + 22 + 22);
    EXPECT_EQ(Str(records[0].rect), "3,3,103,25");
    EXPECT_EQ(Str(records[1].rect), "3,32,103,54"); // after the separator, column-wide
    EXPECT_EQ(Str(records[3].rect), "3,54,103,76");
    EXPECT_EQ(Str(records[1].band), "3,3,103,76");
}

TEST(ControlLayout, PopupHeightLimitStartsANewColumn)
{
    // Limit 80 less the bottom border: three items of 22 from y = 3 reach 69; a fourth would
    // pass 77.
    Records records = Uniform(5, 50, 22);
    records[3].size.cx = 70;
    const auto result = ControlLayout::CalcPopup(records, Popup(80));
    EXPECT_TRUE(result.severalColumns);
    EXPECT_EQ(Wraps(records), "...W.");
    EXPECT_EQ(Str(records[3].rect), "53,3,123,25");
    EXPECT_EQ(Str(records[4].rect), "53,25,123,47");
    EXPECT_EQ(result.size.cx, 6 + 120);
    EXPECT_EQ(result.size.cy, 6 + 66);
    for (const ControlLayoutRecord& record : records) {
        EXPECT_LE(record.rect.bottom, 80 - 3);
    }
}

TEST(ControlLayout, PopupForcedColumnAndFixedWidth)
{
    const Fake forced{40, 22, true, ControlLayout::kControlNewRow};
    Records records = Make({forced, {50, 22}, forced});
    auto params = Popup();
    params.fixedWidth = 200;
    const auto result = ControlLayout::CalcPopup(records, params);
    EXPECT_EQ(Wraps(records), "..W");
    // The first column keeps its own width; the fixed width replaces the last one's.
    EXPECT_EQ(Str(records[1].rect), "3,25,53,47");
    EXPECT_EQ(Str(records[2].rect), "61,3,255,25");
    EXPECT_EQ(result.size.cx, 258);
}

TEST(ControlLayout, PopupEmptyAndNarrowMinimums)
{
    Records none = Make({{50, 22, false, 0, false}});
    auto result = ControlLayout::CalcPopup(none, Popup());
    EXPECT_EQ(result.size.cx, 6 + 24);
    EXPECT_EQ(result.size.cy, 6 + 22);
    Records narrow = Make({{10, 5}});
    result = ControlLayout::CalcPopup(narrow, Popup());
    EXPECT_EQ(result.size.cx, 6 + 24);
    EXPECT_EQ(result.size.cy, 6 + 5);
}

TEST(ControlLayout, PopupItemsAreClippedToAThirdOfTheRealWorkArea)
{
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    const int third = work.right / 3;
    ASSERT_GT(third, 50);
    Records records = Make({{third + 40, 22}, {third - 10, 22}});
    auto params = Popup();
    params.workArea = work;
    auto result = ControlLayout::CalcPopup(records, params);
    EXPECT_EQ(records[0].rect.right - records[0].rect.left, third);
    EXPECT_EQ(result.size.cx, 6 + third);
    params.limitWidth = false;
    records = Make({{third + 40, 22}});
    result = ControlLayout::CalcPopup(records, params);
    EXPECT_EQ(result.size.cx, 6 + third + 40);
}
