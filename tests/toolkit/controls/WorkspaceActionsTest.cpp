// The workspace-actions placeholder without a tab workspace: the factory makes it for its id, it
// offers the group commands in their fixed order, generates nothing without an MDI client or
// over a plain one, and over a stand-in tab client (an MDI client window whose run-time class
// carries the tab client's name and whose update handlers enable a chosen set of commands) puts
// exactly the enabled commands after itself, replacing only what it generated before.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/framework/frame/CMDIFrameWnd.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/controls/CUTKControlWorkspaceActions.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

constexpr int kPrevious = 9155;
constexpr int kNext = 9156;
constexpr int kBelow = 9157;
constexpr int kBeside = 9158;

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Stands in for the tab workspace's client: the placeholder knows it only by run-time class
// name and asks it through the commands' update handlers.
class FakeTabClient : public CWnd {
public:
    static CRuntimeClass classFakeTabClient;
    CRuntimeClass* GetRuntimeClass() const override { return &classFakeTabClient; }

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        if (code == CN_UPDATE_COMMAND_UI && extra != nullptr && info == nullptr &&
            id >= static_cast<UINT>(kPrevious) && id <= static_cast<UINT>(kBeside)) {
            ++m_queries;
            static_cast<CCmdUI*>(extra)->Enable(m_enabled.count(static_cast<int>(id)) != 0);
            return TRUE;
        }
        return CWnd::OnCmdMsg(id, code, extra, info);
    }

    std::set<int> m_enabled;
    int m_queries = 0;
};

CRuntimeClass FakeTabClient::classFakeTabClient = {
    "CUTKTabClientWnd", static_cast<int>(sizeof(FakeTabClient)), 0xFFFF, nullptr,
    RUNTIME_CLASS(CWnd), nullptr};
const AFX_CLASSINIT fakeTabClientInit(&FakeTabClient::classFakeTabClient);

// A framework MDI frame with a plain MDI client and a windowless bar whose site it is.
class MdiSite {
public:
    MdiSite()
    {
        m_frame = new CMDIFrameWnd();
        EXPECT_TRUE(m_frame->Create(nullptr, L"Workspace frame", WS_OVERLAPPEDWINDOW,
                                    CRect(0, 0, 400, 300)));
        CLIENTCREATESTRUCT ccs = {nullptr, 0xFF00};
        m_frame->m_hWndMDIClient = ::CreateWindowExW(
            0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 300,
            m_frame->GetSafeHwnd(), nullptr, ::GetModuleHandleW(nullptr), &ccs);
        EXPECT_NE(nullptr, m_frame->m_hWndMDIClient);
        m_bar = new CUTKCommandBar();
        m_bar->SetOwnerWindow(m_frame);
        Pump();
    }
    ~MdiSite()
    {
        m_bar->InternalRelease();
        if (m_client.GetSafeHwnd() != nullptr)
            m_client.UnsubclassWindow();
        m_frame->DestroyWindow();
        Pump();
    }
    // Makes the MDI client the stand-in tab client.
    void BecomeTabClient() { ASSERT_TRUE(m_client.SubclassWindow(m_frame->m_hWndMDIClient)); }
    void BecomePlainClient() { m_client.UnsubclassWindow(); }

    CUTKControls* controls() const { return m_bar->GetControls(); }
    FakeTabClient m_client;

private:
    CMDIFrameWnd* m_frame = nullptr;  // deletes itself when destroyed
    CUTKCommandBar* m_bar = nullptr;
};

std::vector<int> Ids(CUTKControls* controls)
{
    std::vector<int> ids;
    for (int i = 0; i < controls->GetCount(); ++i)
        ids.push_back(controls->GetAt(i)->GetID());
    return ids;
}

}  // namespace

TEST(WorkspaceActions, FactoryMakesThePlaceholderForItsId)
{
    CUTKControls controls;
    CUTKControl* control = controls.Add(utkControlButton, CUTKControls::kWorkspaceActionsId);
    ASSERT_NE(nullptr, control);
    EXPECT_TRUE(control->IsKindOf(RUNTIME_CLASS(CUTKControlWorkspaceActions)));
    EXPECT_EQ(utkControlButton, control->GetType());
    EXPECT_EQ(CUTKControls::kWorkspaceActionsId, control->GetID());
    // A copy stays a placeholder, so a customised menu keeps expanding.
    CUTKControl* clone = control->Clone(FALSE);
    ASSERT_NE(nullptr, clone);
    EXPECT_TRUE(clone->IsKindOf(RUNTIME_CLASS(CUTKControlWorkspaceActions)));
    EXPECT_EQ(control->GetID(), clone->GetID());
    clone->InternalRelease();
}

TEST(WorkspaceActions, CommandsAreOfferedNewGroupsFirst)
{
    int count = 0;
    const int* order = CUTKControlWorkspaceActions::GetActionOrder(&count);
    ASSERT_EQ(4, count);
    EXPECT_EQ((std::vector<int>{kBelow, kBeside, kPrevious, kNext}),
              std::vector<int>(order, order + count));
    EXPECT_EQ(kPrevious, CUTKControlWorkspaceActions::kFirstActionId);
    EXPECT_EQ(kBeside, CUTKControlWorkspaceActions::kLastActionId);
}

TEST(WorkspaceActions, WithoutATabClientNothingIsGenerated)
{
    // No site at all.
    {
        CUTKControls controls;
        auto* placeholder = new CUTKControlWorkspaceActions();
        controls.InsertAt(placeholder, 0);
        placeholder->OnCalcDynamicSize(0);
        EXPECT_EQ(1, controls.GetCount());
        EXPECT_EQ(0u, placeholder->GetHideFlags());
    }
    // An MDI frame whose client is a plain one: the commands are not even asked for.
    MdiSite site;
    auto* placeholder = new CUTKControlWorkspaceActions();
    site.controls()->InsertAt(placeholder, 0);
    placeholder->OnCalcDynamicSize(0);
    EXPECT_EQ(1, site.controls()->GetCount());
    EXPECT_EQ(0u, placeholder->GetHideFlags());
    EXPECT_EQ(0, site.m_client.m_queries);
}

TEST(WorkspaceActions, EnabledCommandsFollowThePlaceholderInOrder)
{
    struct Case {
        std::set<int> enabled;
        std::vector<int> generated;
    } cases[] = {
        {{}, {}},
        {{kNext}, {kNext}},
        {{kPrevious, kNext}, {kPrevious, kNext}},
        {{kBelow, kNext}, {kBelow, kNext}},
        {{kBelow, kBeside, kPrevious, kNext}, {kBelow, kBeside, kPrevious, kNext}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.generated.size());
        MdiSite site;
        site.BecomeTabClient();
        site.m_client.m_enabled = c.enabled;
        CUTKControls* controls = site.controls();
        CUTKControl* placeholder =
            controls->Add(utkControlButton, CUTKControls::kWorkspaceActionsId, L"", 0, FALSE);
        ASSERT_NE(nullptr, placeholder);
        placeholder->SetBeginGroup(TRUE);
        CUTKControl* closeAll = controls->Add(utkControlButton, 0xE130, L"", -1, FALSE);

        placeholder->OnCalcDynamicSize(0);
        EXPECT_EQ(4, site.m_client.m_queries);
        EXPECT_NE(0u, placeholder->GetHideFlags() & utkHideGeneric);
        std::vector<int> expected{CUTKControls::kWorkspaceActionsId};
        expected.insert(expected.end(), c.generated.begin(), c.generated.end());
        expected.push_back(0xE130);
        ASSERT_EQ(expected, Ids(controls));
        for (size_t n = 0; n < c.generated.size(); ++n) {
            CUTKControl* item = controls->GetAt(static_cast<int>(n) + 1);
            EXPECT_TRUE(item->IsTemporary());
            EXPECT_EQ(n == 0, item->GetBeginGroup() != FALSE) << n;
        }
        EXPECT_EQ(closeAll, controls->GetAt(controls->GetCount() - 1));
    }
}

TEST(WorkspaceActions, ExpandingAgainReplacesOnlyItsOwnItems)
{
    MdiSite site;
    site.BecomeTabClient();
    CUTKControls* controls = site.controls();
    CUTKControl* placeholder =
        controls->Add(utkControlButton, CUTKControls::kWorkspaceActionsId, L"", 0, FALSE);
    ASSERT_NE(nullptr, placeholder);
    // A real command with an id of the range right after the placeholder is the menu's own.
    CUTKControl* real = controls->Add(utkControlButton, kPrevious, L"", -1, FALSE);
    real->SetCaption(L"Previous group (own item)");

    site.m_client.m_enabled = {kBelow, kBeside};
    placeholder->OnCalcDynamicSize(0);
    placeholder->OnCalcDynamicSize(0);
    EXPECT_EQ((std::vector<int>{CUTKControls::kWorkspaceActionsId, kBelow, kBeside, kPrevious}),
              Ids(controls));

    site.m_client.m_enabled = {kNext};
    placeholder->OnCalcDynamicSize(0);
    EXPECT_EQ((std::vector<int>{CUTKControls::kWorkspaceActionsId, kNext, kPrevious}),
              Ids(controls));
    EXPECT_EQ(real, controls->GetAt(2));
    EXPECT_FALSE(real->IsTemporary());

    // The tab client gone: the generated items go with it, the real one stays.
    site.BecomePlainClient();
    placeholder->OnCalcDynamicSize(0);
    EXPECT_EQ((std::vector<int>{CUTKControls::kWorkspaceActionsId, kPrevious}), Ids(controls));
    EXPECT_EQ(real, controls->GetAt(1));
}
