// The tooltip context: kinds and style bits, tool records, colours, and the message tables of
// its filter as a recording tooltip window receives them; the module filter serving plain
// framework windows.
#include <cstdlib>
#include <cwchar>

#include <gtest/gtest.h>

#include "tests/toolkit/common/ImageTestImages.h"
#include "tests/toolkit/common/TooltipTestHost.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKImageManagerIcon.h"
#include "toolkit/common/CUTKToolTipContext.h"
#include "toolkit/common/CUTKToolTipContextKinds.h"
#include "toolkit/common/UTKDrawFunctions.h"

using namespace orvane::test;

TEST(TooltipContextKinds, StyleBitsFollowTheKind)
{
    struct Case {
        int kind;
        DWORD comctl;
        int expectedKind;
        DWORD expectedStyle;
    } cases[] = {
        {0, 0x50051, 0, TTS_NOPREFIX},
        {2, 0x50051, 2, TTS_NOPREFIX | UTK_TTS_FRAMED | UTK_TTS_NOSHADOW},
        {5, 0x50051, 5, TTS_NOPREFIX | UTK_TTS_OFFICE2007},
        {4, 0x50051, 4, TTS_NOPREFIX},
        {1, 0x50051, 1, TTS_NOPREFIX},
        // balloons need common controls 5.80
        {1, 0x5004F, 0, TTS_NOPREFIX},
        {1, 0x50050, 1, TTS_NOPREFIX},
    };
    for (const Case& c : cases) {
        CUTKToolTipContext context;
        context.SetComCtlVersion(c.comctl);
        context.SetStyle(2);
        context.SetStyle(0);
        context.SetStyle(c.kind);
        EXPECT_EQ(context.GetStyle(), c.expectedKind) << c.kind << " " << c.comctl;
        EXPECT_EQ(context.GetToolTipStyle(), c.expectedStyle) << c.kind << " " << c.comctl;
    }
}

TEST(TooltipContextKinds, CreateToolTipMakesTheKindsWindow)
{
    using Ctx = CUTKToolTipContext;
    struct Case {
        int kind;
        bool (*is)(CWnd*);
    } cases[] = {
        {0, [](CWnd* w) { return dynamic_cast<Ctx::CStandardToolTip*>(w) != nullptr; }},
        {1, [](CWnd* w) { return dynamic_cast<Ctx::CStandardToolTip*>(w) != nullptr; }},
        {2, [](CWnd* w) { return typeid(*w) == typeid(CUTKToolTipContextToolTip); }},
        {3, [](CWnd* w) { return dynamic_cast<Ctx::CRichEditToolTip*>(w) != nullptr; }},
        {4, [](CWnd* w) { return dynamic_cast<Ctx::CLunaToolTip*>(w) != nullptr; }},
        {5, [](CWnd* w) { return typeid(*w) == typeid(CUTKToolTipContextToolTip); }},
        {6, [](CWnd* w) { return dynamic_cast<Ctx::CHTMLToolTip*>(w) != nullptr; }},
        {7, [](CWnd* w) { return dynamic_cast<Ctx::CMarkupToolTip*>(w) != nullptr; }},
        {42, [](CWnd* w) { return dynamic_cast<Ctx::CStandardToolTip*>(w) != nullptr; }},
    };
    for (const Case& c : cases) {
        CUTKToolTipContext context;
        context.SetComCtlVersion(0x50051);
        context.SetStyle(c.kind);
        CWnd* window = context.CreateToolTip(nullptr);
        ASSERT_NE(window, nullptr) << c.kind;
        EXPECT_TRUE(c.is(window)) << c.kind;
        EXPECT_EQ(window->m_hWnd, nullptr) << "no system window yet";
        delete window;
    }
}

TEST(TooltipContextColors, DefaultsAndOverrides)
{
    CUTKToolTipContext context;
    EXPECT_EQ(context.GetTipBkColor(), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(context.GetTipTextColor(), GetSysColor(COLOR_INFOTEXT));
    context.SetStyle(CUTKToolTipContext::kindOffice2007);
    EXPECT_EQ(context.GetTipTextColor(), RGB(76, 76, 76));
    context.SetTipTextColor(RGB(1, 2, 3));
    context.SetTipBkColor(RGB(4, 5, 6));
    EXPECT_EQ(context.GetTipTextColor(), RGB(1, 2, 3));
    EXPECT_EQ(context.GetTipBkColor(), RGB(4, 5, 6));
    EXPECT_EQ(context.GetMaxTipWidth(), GetSystemMetrics(SM_CXSCREEN) / 2);
    LOGFONTW tip{};
    LOGFONTW title{};
    ASSERT_NE(context.GetFont()->GetLogFont(&tip), 0);
    ASSERT_NE(context.GetTitleFont()->GetLogFont(&title), 0);
    EXPECT_EQ(tip.lfWeight, FW_NORMAL);
    EXPECT_EQ(title.lfWeight, FW_BOLD);
    EXPECT_STREQ(tip.lfFaceName, title.lfFaceName);
}

TEST(TooltipContextRecords, FillToolInfo)
{
    const CRect rect(1, 2, 3, 4);
    {
        TTTOOLINFOW small{};
        small.cbSize = TTTOOLINFOW_V1_SIZE - 1;
        CUTKToolTipContext::FillToolInfo(&small, HWND(0x10), rect, 7, L"text");
        EXPECT_EQ(small.hwnd, nullptr) << "a record below the first form is left alone";
        EXPECT_EQ(small.lpszText, nullptr);
        CUTKToolTipContext::FillToolInfo(nullptr, HWND(0x10), rect, 7, L"text");
    }
    struct Case {
        UINT size;
        const wchar_t* title;
        const wchar_t* description;
        bool copies;
    } cases[] = {
        {TTTOOLINFOW_V2_SIZE, L"Open", L"Opens a file", true},
        {TTTOOLINFOW_V2_SIZE, L"Open", L"", false},
        {TTTOOLINFOW_V2_SIZE, nullptr, L"Opens a file", false},
        {TTTOOLINFOW_V1_SIZE, L"Open", L"Opens a file", false},
    };
    int marker = 0;
    auto* manager = reinterpret_cast<CUTKImageManager*>(&marker);
    for (const Case& c : cases) {
        UTK_TOOLTIP_EXTRAINFO extra{};
        TTTOOLINFOW record{};
        record.cbSize = c.size;
        record.uFlags = TTF_CENTERTIP;
        record.lParam = reinterpret_cast<LPARAM>(&extra);
        CUTKToolTipContext::FillToolInfoEx(&record, HWND(0x10), rect, 7, L"Open", c.title,
                                           c.description, manager);
        EXPECT_EQ(record.hwnd, HWND(0x10));
        EXPECT_EQ(record.uId, 7u);
        EXPECT_TRUE(EqualRect(&record.rect, &rect));
        EXPECT_EQ(record.uFlags, static_cast<UINT>(TTF_CENTERTIP)) << "flags are the caller's";
        ASSERT_NE(record.lpszText, nullptr);
        EXPECT_STREQ(record.lpszText, L"Open");
        EXPECT_NE(record.lpszText, L"Open") << "a heap copy";
        std::free(record.lpszText);
        if (c.copies) {
            ASSERT_NE(extra.lpszTitle, nullptr);
            EXPECT_STREQ(extra.lpszTitle, c.title);
            EXPECT_STREQ(extra.lpszDescription, c.description);
        } else {
            EXPECT_EQ(extra.lpszTitle, nullptr);
            EXPECT_EQ(extra.lpszDescription, nullptr);
        }
        EXPECT_EQ(extra.pImageManager, c.size == TTTOOLINFOW_V2_SIZE ? manager : nullptr);
        std::free(extra.lpszTitle);
        std::free(extra.lpszDescription);
    }
}

namespace {

class ContextMessages : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_context.make = TestContext::Make::recording;
        m_context.SetComCtlVersion(0x50051);
        ASSERT_TRUE(m_host.CreateHost(60, 60, 400, 200));
        m_host.tools = {{1, {10, 10, 110, 60}, L"Alpha"},
                        {1, {10, 10, 120, 60}, L"Alpha moved"},
                        {2, {150, 10, 250, 60}, L"Beta"}};
        // Windows of other test programs may take the activation meanwhile: ask again (bounded).
        for (int attempt = 0; attempt < 50 && !IsTopParentActive(m_host.m_hWnd); ++attempt) {
            SetForegroundWindow(m_host.m_hWnd);
            PumpMessages(20);
        }
        ASSERT_TRUE(IsTopParentActive(m_host.m_hWnd));
    }
    void Send(UINT message, int tool)
    {
        m_host.forced = tool;
        MSG msg{};
        msg.hwnd = m_host.m_hWnd;
        msg.message = message;
        msg.pt = m_host.ScreenPoint(1);
        m_context.FilterToolTipMessage(&m_host, &msg);
    }

    TestContext m_context;
    TipHost m_host;
};

std::string Describe(const std::vector<TipRecord>& log)
{
    std::string text;
    for (const TipRecord& r : log) {
        char line[64];
        std::snprintf(line, sizeof(line), "[%#x %llu id %llu] ", r.message,
                      static_cast<unsigned long long>(r.wParam),
                      static_cast<unsigned long long>(r.id));
        text += line;
    }
    return text;
}

}  // namespace

TEST_F(ContextMessages, SequencesOfTheFilter)
{
    struct Expect {
        UINT message;
        WPARAM wParam;
        UINT_PTR id;
    };
    const UINT relay = TTM_RELAYEVENT;
    struct Step {
        const char* name;
        UINT message;
        int tool;  // index into the host's tools, -2: none
        std::vector<Expect> expected;
    } steps[] = {
        {"first tool: window set up, add, no title, activate, relay",
         WM_MOUSEMOVE,
         0,
         {{TTM_ACTIVATE, 0, 0},
          {TTM_ADDTOOLW, 0, 1},
          {TTM_SETTITLEW, 0, 0},
          {TTM_ACTIVATE, 1, 0},
          {relay, WM_MOUSEMOVE, 0}}},
        {"same tool only relays", WM_MOUSEMOVE, 0, {{relay, WM_MOUSEMOVE, 0}}},
        {"a button release is relayed too", WM_LBUTTONUP, 0, {{relay, WM_LBUTTONUP, 0}}},
        {"moved rectangle: delete, add",
         WM_MOUSEMOVE,
         1,
         {{TTM_DELTOOLW, 0, 1},
          {TTM_ADDTOOLW, 0, 1},
          {TTM_SETTITLEW, 0, 0},
          {TTM_ACTIVATE, 1, 0},
          {relay, WM_MOUSEMOVE, 0}}},
        {"new tool: add, relay, delete the old one",
         WM_MOUSEMOVE,
         2,
         {{TTM_ADDTOOLW, 0, 2},
          {TTM_SETTITLEW, 0, 0},
          {TTM_ACTIVATE, 1, 0},
          {relay, WM_MOUSEMOVE, 0},
          {TTM_DELTOOLW, 0, 1}}},
        {"button down deactivates", WM_LBUTTONDOWN, 2, {{TTM_ACTIVATE, 0, 0}}},
        {"right button down deactivates", WM_RBUTTONDOWN, 2, {{TTM_ACTIVATE, 0, 0}}},
        {"key down deactivates", WM_KEYDOWN, 2, {{TTM_ACTIVATE, 0, 0}}},
        {"non-client button down deactivates", WM_NCLBUTTONDOWN, 2, {{TTM_ACTIVATE, 0, 0}}},
        {"other messages do nothing", WM_MOUSEWHEEL, 2, {}},
        {"no tool: deactivate, relay, delete",
         WM_MOUSEMOVE,
         -2,
         {{TTM_ACTIVATE, 0, 0}, {relay, WM_MOUSEMOVE, 0}, {TTM_DELTOOLW, 0, 2}}},
        {"still no tool: nothing", WM_MOUSEMOVE, -2, {}},
    };
    for (const Step& step : steps) {
        m_context.log.clear();
        Send(step.message, step.tool);
        const std::vector<TipRecord>& log = m_context.log;
        ASSERT_EQ(log.size(), step.expected.size()) << step.name << ": " << Describe(log);
        for (size_t i = 0; i < log.size(); ++i) {
            EXPECT_EQ(log[i].message, step.expected[i].message) << step.name << " #" << i;
            EXPECT_EQ(log[i].wParam, step.expected[i].wParam) << step.name << " #" << i;
            EXPECT_EQ(log[i].id, step.expected[i].id) << step.name << " #" << i;
        }
    }
    auto* tip = m_context.OwnTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->GetToolCount(), 0) << "every registered tool was deleted again";
}

TEST_F(ContextMessages, ANewWindowGetsTheToolUnderTheMouseAgain)
{
    struct Case {
        const char* name;
        void (*change)(CUTKToolTipContext&, TipHost&);
    } cases[] = {
        {"style change", [](CUTKToolTipContext& c, TipHost&) { c.ModifyToolTipStyle(0, 0x100); }},
        {"kind change", [](CUTKToolTipContext& c, TipHost&) { c.SetStyle(4); }},
        {"system window gone",
         [](CUTKToolTipContext& c, TipHost&) { c.GetToolTipWindow()->DestroyWindow(); }},
    };
    for (const Case& c : cases) {
        Send(WM_MOUSEMOVE, 0);
        c.change(m_context, m_host);
        m_context.log.clear();
        Send(WM_MOUSEMOVE, 0);
        auto* tip = m_context.OwnTip();
        ASSERT_NE(tip, nullptr) << c.name;
        EXPECT_EQ(tip->GetToolCount(), 1) << c.name;
        size_t adds = 0;
        for (const TipRecord& r : m_context.log) {
            adds += r.message == TTM_ADDTOOLW ? 1 : 0;
        }
        EXPECT_EQ(adds, 1u) << c.name << ": " << Describe(m_context.log);
    }
}

TEST_F(ContextMessages, InactiveHostTipsNeedTheAlwaysTipFlag)
{
    Send(WM_MOUSEMOVE, 0);
    auto* tip = m_context.OwnTip();
    ASSERT_NE(tip, nullptr);
    TipHost other;
    ASSERT_TRUE(other.CreateHost(60, 300, 200, 100));
    SetForegroundWindow(other.m_hWnd);
    PumpMessages(20);
    ASSERT_FALSE(IsTopParentActive(m_host.m_hWnd));
    m_host.tools.push_back({3,
                            {260, 10, 300, 60},
                            L"Always",
                            nullptr,
                            nullptr,
                            {0, 0, 0, 0},
                            TTF_ALWAYSTIP | TTF_NOTBUTTON});
    struct Step {
        const char* name;
        int tool;
        bool activates;
    } steps[] = {
        {"an inactive host's new tool stays off", 2, false},
        {"the always-tip flag switches it on", 3, true},
    };
    for (const Step& step : steps) {
        m_context.log.clear();
        Send(WM_MOUSEMOVE, step.tool);
        bool activated = false;
        for (const TipRecord& r : m_context.log) {
            activated |= r.message == TTM_ACTIVATE && r.wParam == TRUE;
            if (r.message == TTM_ADDTOOLW) {
                EXPECT_EQ(r.flags & (TTF_ALWAYSTIP | TTF_NOTBUTTON), 0u)
                    << "the framework's private bits stay private";
            }
        }
        EXPECT_EQ(activated, step.activates) << step.name << ": " << Describe(m_context.log);
    }
}

TEST_F(ContextMessages, ConfiguredValuesReachTheNewWindow)
{
    m_context.SetDelayTime(700, 100, 5000);
    m_context.SetMargin(RECT{1, 2, 3, 4});
    Send(WM_MOUSEMOVE, 0);
    ASSERT_GE(m_context.log.size(), 4u);
    // reshow, initial, auto-pop in that order, then the deactivation
    EXPECT_EQ(m_context.log[0].message, static_cast<UINT>(TTM_SETDELAYTIME));
    EXPECT_EQ(m_context.log[0].wParam, static_cast<WPARAM>(TTDT_RESHOW));
    EXPECT_EQ(m_context.log[1].wParam, static_cast<WPARAM>(TTDT_INITIAL));
    EXPECT_EQ(m_context.log[2].wParam, static_cast<WPARAM>(TTDT_AUTOPOP));
    EXPECT_EQ(m_context.log[3].message, static_cast<UINT>(TTM_ACTIVATE));
    auto* tip = m_context.OwnTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->GetInitialDelay(), 700);
    EXPECT_EQ(tip->GetReshowDelay(), 100);
    EXPECT_TRUE(tip->IsActive());
    EXPECT_EQ(tip->GetToolCount(), 1);
}

TEST_F(ContextMessages, TitlesAndDescriptions)
{
    m_context.ShowTitleAndDescription(TRUE, TTI_WARNING);
    struct Case {
        const wchar_t* title;
        const wchar_t* description;
        WPARAM icon;
        const wchar_t* shownTitle;
        const wchar_t* shownText;  // null: no TTM_UPDATETIPTEXT
    } cases[] = {
        {L"Open", L"Opens a file", TTI_WARNING, L"Open", L"Opens a file"},
        // a description equal to the title shows the plain text
        {L"Open", L"Open", 0, L"", nullptr},
        {L"Open", L"", 0, L"", nullptr},
        {L"Open", L"open", TTI_WARNING, L"Open", L"open"},
    };
    UINT_PTR id = 10;
    for (const Case& c : cases) {
        m_host.tools = {{id, {10, 10, 110, 60}, L"Open", c.title, c.description}};
        m_context.log.clear();
        Send(WM_MOUSEMOVE, 0);
        const TipRecord* title = nullptr;
        const TipRecord* update = nullptr;
        for (const TipRecord& r : m_context.log) {
            if (r.message == TTM_SETTITLEW) {
                title = &r;
            } else if (r.message == TTM_UPDATETIPTEXTW) {
                update = &r;
            }
        }
        ASSERT_NE(title, nullptr) << id;
        EXPECT_EQ(title->wParam, c.icon) << id;
        EXPECT_EQ(title->text, c.shownTitle) << id;
        if (c.shownText == nullptr) {
            EXPECT_EQ(update, nullptr) << id;
        } else {
            ASSERT_NE(update, nullptr) << id;
            EXPECT_EQ(update->text, c.shownText) << id;
            EXPECT_EQ(update->id, id);
        }
        auto* tip = m_context.OwnTip();
        ASSERT_NE(tip, nullptr);
        EXPECT_EQ(std::wstring(tip->GetTitle()), c.shownTitle) << id;
        ++id;
    }
}

TEST_F(ContextMessages, ImagesAndMnemonics)
{
    struct Case {
        bool noPrefix;
        const wchar_t* text;
        const wchar_t* registered;
    } cases[] = {
        {true, L"&Open && Save", L"&Open && Save"},
        {false, L"&Open && Save", L"Open & Save"},
        {false, L"Plain", L"Plain"},
    };
    UINT_PTR id = 20;
    for (const Case& c : cases) {
        if (c.noPrefix) {
            m_context.ModifyToolTipStyle(0, TTS_NOPREFIX);
        } else {
            m_context.ModifyToolTipStyle(TTS_NOPREFIX, 0);
        }
        m_context.ShowImage(TRUE, 100);
        m_host.tools = {{id, {10, 10, 110, 60}, c.text}};
        m_context.log.clear();
        Send(WM_MOUSEMOVE, 0);
        const TipRecord* add = nullptr;
        const TipRecord* image = nullptr;
        for (const TipRecord& r : m_context.log) {
            if (r.message == TTM_ADDTOOLW) {
                add = &r;
            } else if (r.message == UTK_TTM_SETIMAGE) {
                image = &r;
            }
        }
        ASSERT_NE(add, nullptr);
        EXPECT_EQ(add->text, c.registered);
        ASSERT_NE(image, nullptr) << "an image (none without a manager) goes with each tool";
        ++id;
    }
}

TEST_F(ContextMessages, ToolImageComesFromItsImageManagerAtImageBasePlusId)
{
    CUTKImageManager* images = new CUTKImageManager;
    IconImageHandle small(orvane::test::MakeBitmap32(16, 16, [](int, int) { return 0xFF112233u; }));
    IconImageHandle large(orvane::test::MakeBitmap32(32, 32, [](int, int) { return 0xFF445566u; }));
    ASSERT_TRUE(images->SetIconImage(small, 102, 0, 0, 0));
    ASSERT_TRUE(images->SetIconImage(large, 102, 0, 0, 0));
    struct Case {
        UINT_PTR tool;
        int width;
        CUTKImageManagerIcon* expected;
    } cases[] = {
        {2, 16, images->GetImage(102, 16)},
        {2, 1, images->GetImage(102, 32)},
        {3, 16, nullptr},  // no image for command 103
    };
    UINT_PTR previous = 0;
    for (const Case& c : cases) {
        m_context.ShowImage(TRUE, 100, c.width);
        // A fresh id each time, so the tool is new and its image is looked up again.
        m_host.tools = {{c.tool, {10, 10, 110, 60}, L"Tip"}};
        m_host.tools[0].images = images;
        if (c.tool == previous) {
            m_host.tools = {{c.tool + 10, {10, 10, 110, 60}, L"Other"}};
            Send(WM_MOUSEMOVE, 0);
            m_host.tools = {{c.tool, {10, 10, 110, 60}, L"Tip"}};
            m_host.tools[0].images = images;
        }
        previous = c.tool;
        m_context.log.clear();
        Send(WM_MOUSEMOVE, 0);
        const TipRecord* image = nullptr;
        for (const TipRecord& r : m_context.log) {
            if (r.message == UTK_TTM_SETIMAGE) {
                image = &r;
            }
        }
        ASSERT_NE(image, nullptr) << "tool " << c.tool << " width " << c.width;
        EXPECT_EQ(image->id, reinterpret_cast<UINT_PTR>(c.expected))
            << "tool " << c.tool << " width " << c.width;
    }
    EXPECT_NE(cases[0].expected, nullptr);
    EXPECT_NE(cases[0].expected, cases[1].expected);
    m_context.DeactivateToolTip();
    m_host.tools.clear();
    images->InternalRelease();
}

TEST_F(ContextMessages, StandardTooltipRegistersTheTool)
{
    m_context.make = TestContext::Make::kindDefault;
    Send(WM_MOUSEMOVE, 0);
    CWnd* tip = m_context.GetToolTipWindow();
    ASSERT_NE(tip, nullptr);
    ASSERT_NE(tip->m_hWnd, nullptr);
    EXPECT_NE(dynamic_cast<CToolTipCtrl*>(tip), nullptr);
    EXPECT_EQ(tip->SendMessage(TTM_GETTOOLCOUNT), 1);
    EXPECT_EQ(GetWindowLongW(tip->m_hWnd, GWL_STYLE) & (TTS_NOPREFIX | TTS_ALWAYSTIP),
              TTS_NOPREFIX | TTS_ALWAYSTIP);
    EXPECT_EQ(GetWindow(tip->m_hWnd, GW_OWNER), m_host.m_hWnd);
    // a style change drops the window object
    m_context.ModifyToolTipStyle(0, TTS_NOANIMATE);
    EXPECT_EQ(m_context.GetToolTipWindow(), nullptr);
}

namespace {

// A framework window that enabled tooltips (or not) and answers its own hit test.
class FrameworkTips : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_context = new TestContext;
        m_context->make = TestContext::Make::recording;
        ASSERT_TRUE(m_served.CreateHost(60, 60, 300, 150));
        ASSERT_TRUE(m_other.CreateHost(60, 260, 300, 150));
        m_served.tools = {{5, {10, 10, 110, 60}, L"Served"}};
        m_other.tools = {{6, {10, 10, 110, 60}, L"Other"}};
        m_served.EnableToolTips(TRUE);
        SetForegroundWindow(m_served.m_hWnd);
        PumpMessages(20);
    }
    void TearDown() override
    {
        delete m_context;
        AfxGetModuleThreadState()->m_pfnFilterToolTipMessage = nullptr;
        CWnd::CancelToolTips();
    }
    // What the framework's message pump does before dispatching a message.
    static void PreTranslate(HWND window, UINT message, POINT screen)
    {
        MSG msg{};
        msg.hwnd = window;
        msg.message = message;
        msg.pt = screen;
        POINT client = screen;
        ScreenToClient(window, &client);
        msg.lParam = MAKELPARAM(client.x, client.y);
        CWnd::WalkPreTranslateTree(nullptr, &msg);
    }
    size_t Count(UINT message) const
    {
        size_t n = 0;
        for (const TipRecord& r : m_context->log) {
            n += r.message == message ? 1 : 0;
        }
        return n;
    }

    TestContext* m_context = nullptr;
    TipHost m_served;
    TipHost m_other;
};

}  // namespace

TEST_F(FrameworkTips, InstalledContextServesWindowsThatEnabledTooltips)
{
    m_context->InstallToolTipFilter();
    EXPECT_EQ(CUTKToolTipContext::GetActiveContext(), m_context);
    PreTranslate(m_served.m_hWnd, WM_MOUSEMOVE, m_served.ScreenPoint(5));
    EXPECT_EQ(Count(TTM_ADDTOOLW), 1u);
    EXPECT_EQ(m_context->GetLastToolInfo().uId, 5u);

    // A child control of the served window is served through it.
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 200, 10, 50, 50,
                                 m_served.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    PreTranslate(child, WM_MOUSEMOVE, m_served.ScreenPoint(5));
    EXPECT_EQ(Count(TTM_RELAYEVENT), 2u);

    // The mouse over a window that did not enable tooltips registers nothing.
    m_context->log.clear();
    PreTranslate(m_other.m_hWnd, WM_MOUSEMOVE, m_other.ScreenPoint(6));
    EXPECT_TRUE(m_context->log.empty()) << Describe(m_context->log);

    // A key press or a click deactivates the tip.
    for (UINT message : {UINT(WM_KEYDOWN), UINT(WM_LBUTTONDOWN)}) {
        m_context->log.clear();
        PreTranslate(m_served.m_hWnd, message, m_served.ScreenPoint(5));
        ASSERT_EQ(m_context->log.size(), 1u) << message;
        EXPECT_EQ(m_context->log[0].message, static_cast<UINT>(TTM_ACTIVATE));
        EXPECT_EQ(m_context->log[0].wParam, 0u);
    }
}

TEST_F(FrameworkTips, WithoutActiveContextTheFrameworkFilterServes)
{
    m_context->InstallToolTipFilter();
    delete m_context;
    m_context = nullptr;
    EXPECT_EQ(CUTKToolTipContext::GetActiveContext(), nullptr);
    m_context = new TestContext;  // for TearDown
    AFX_MODULE_THREAD_STATE* state = AfxGetModuleThreadState();
    ASSERT_NE(state->m_pfnFilterToolTipMessage, nullptr);
    const POINT p = m_served.ScreenPoint(5);
    SetCursorPos(p.x, p.y);
    PreTranslate(m_served.m_hWnd, WM_MOUSEMOVE, p);
    ASSERT_NE(state->m_pToolTip, nullptr) << "the framework made its own tooltip";
    EXPECT_EQ(state->m_pToolTip->SendMessage(TTM_GETTOOLCOUNT), 1);
    EXPECT_TRUE(m_context->log.empty());
}
