// Dialogs from compiled templates: modal with data exchange both ways, Cancel, validation
// failures, the window vanishing under the modal loop, WM_QUIT during the loop, a missing
// template, and a modeless child dialog inside a modeless parent. Modal dialogs are driven
// by messages they post to themselves once they are up.
#include "tests/platform/framework/window/TestApp.h"
#include "tests/platform/framework/window/WindowTestResource.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class DdxDialog : public CDialog {
public:
    DdxDialog() : CDialog(IDD_DDX_TEST) {}

    CString m_name = L"initial";
    int m_number = 5;
    int m_check = 1;
    int m_radio = 2;
    int m_combo = 1;
    CWnd m_nameEdit;
    // Steps run one per idle kick of the modal loop: after everything the previous step
    // caused has been handled, as a user would act.
    std::vector<std::function<void(DdxDialog&)>> steps;
    size_t nextStep = 0;
    int kickIdles = 0;

protected:
    BOOL OnInitDialog() override
    {
        for (LPCTSTR item : {L"One", L"Two", L"Three"}) {
            SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_NAME, m_nameEdit);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 10);
        DDX_Text(pDX, IDC_NUMBER, m_number);
        DDX_Check(pDX, IDC_CHECK, m_check);
        DDX_Radio(pDX, IDC_RADIO1, m_radio);
        DDX_CBIndex(pDX, IDC_COMBO, m_combo);
    }
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++kickIdles;
        if (nextStep < steps.size()) {
            steps[nextStep++](*this);
        }
        return nextStep < steps.size() ? TRUE : FALSE;  // more to do: keep idling
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DdxDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

void PressOk(DdxDialog& dlg)
{
    dlg.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                    reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, IDOK)));
}

class DialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        TheTestApp().messageBoxes.clear();
        TheTestApp().m_pMainWnd = nullptr;
    }
};

TEST_F(DialogTest, ModalDataExchangeRoundTrip)
{
    DdxDialog dlg;
    CString shownName;
    CString shownNumber;
    UINT shownCheck = 0;
    int shownRadio = 0;
    LRESULT shownCombo = -1;
    bool editSubclassed = false;
    dlg.steps.push_back([&](DdxDialog& d) {
        d.GetDlgItemText(IDC_NAME, shownName);
        d.GetDlgItemText(IDC_NUMBER, shownNumber);
        shownCheck = d.IsDlgButtonChecked(IDC_CHECK);
        shownRadio = d.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3);
        shownCombo = d.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL);
        editSubclassed =
            CWnd::FromHandlePermanent(::GetDlgItem(d.m_hWnd, IDC_NAME)) == &d.m_nameEdit;
        d.SetDlgItemText(IDC_NAME, L"changed");
        d.SetDlgItemText(IDC_NUMBER, L" -42 ");
        d.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
        d.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
        d.SendDlgItemMessage(IDC_COMBO, CB_SETCURSEL, 2);
        PressOk(d);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shownName, CString(L"initial"));
    EXPECT_EQ(shownNumber, CString(L"5"));
    EXPECT_EQ(shownCheck, static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(shownRadio, IDC_RADIO3);
    EXPECT_EQ(shownCombo, 1);
    EXPECT_TRUE(editSubclassed) << "DDX_Control subclasses the control";
    EXPECT_EQ(dlg.m_name, CString(L"changed"));
    EXPECT_EQ(dlg.m_number, -42);
    EXPECT_EQ(dlg.m_check, 0);
    EXPECT_EQ(dlg.m_radio, 0);
    EXPECT_EQ(dlg.m_combo, 2);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_nameEdit.m_hWnd, nullptr) << "the control's object lets go when it dies";
    EXPECT_GT(dlg.kickIdles, 0) << "the modal loop kicks idle processing";
}

TEST_F(DialogTest, CancelKeepsTheMembers)
{
    DdxDialog dlg;
    dlg.steps.push_back([](DdxDialog& d) {
        d.SetDlgItemText(IDC_NAME, L"thrown away");
        d.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
        d.PostMessage(WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_name, CString(L"initial"));
    EXPECT_EQ(dlg.m_check, 1);
}

TEST_F(DialogTest, ValidationFailureKeepsTheDialogUp)
{
    struct Case {
        LPCTSTR name;
        LPCTSTR number;
        LPCTSTR message;
    };
    const Case cases[] = {
        {L"much too long a name", L"1", L"Enter no more than 10 characters."},
        {L"ok", L"12x", L"Please enter an integer."},
        {L"ok", L"", L"Please enter an integer."},
        {L"ok", L"99999999999", L"Please enter an integer."},
    };
    for (const Case& c : cases) {
        TheTestApp().messageBoxes.clear();
        DdxDialog dlg;
        HWND focusAfterFailure = nullptr;
        dlg.steps.push_back([&](DdxDialog& d) {
            d.SetDlgItemText(IDC_NAME, c.name);
            d.SetDlgItemText(IDC_NUMBER, c.number);
            d.SendMessage(WM_COMMAND, IDOK, 0);  // fails: the dialog stays
            focusAfterFailure = ::GetFocus();
        });
        dlg.steps.push_back([](DdxDialog& d) {
            d.SetDlgItemText(IDC_NAME, L"fixed");
            d.SetDlgItemText(IDC_NUMBER, L"7");
            PressOk(d);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK) << c.name;
        ASSERT_EQ(TheTestApp().messageBoxes.size(), 1u) << c.name;
        EXPECT_EQ(TheTestApp().messageBoxes[0], c.message);
        EXPECT_NE(focusAfterFailure, nullptr);
        EXPECT_EQ(dlg.m_name, CString(L"fixed"));
        EXPECT_EQ(dlg.m_number, 7);
    }
}

TEST_F(DialogTest, DestroyedUnderTheLoopEndsWithCancel)
{
    DdxDialog dlg;
    dlg.steps.push_back([](DdxDialog& d) { d.DestroyWindow(); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogTest, QuitDuringTheLoopIsPassedOn)
{
    DdxDialog dlg;
    dlg.steps.push_back([](DdxDialog&) { ::PostQuitMessage(3); });
    EXPECT_EQ(dlg.DoModal(), -1);
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "the outer loop must still see WM_QUIT";
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(DialogTest, HelpGoesToTheDialogsHelpTopic)
{
    TestApp& app = TheTestApp();
    app.helpRequests.clear();
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_DDX_TEST, nullptr));
    EXPECT_EQ(dlg.m_nIDHelp, static_cast<UINT>(IDD_DDX_TEST));
    EXPECT_TRUE(dlg.SendMessage(WM_COMMANDHELP, 0, 0));
    dlg.SendMessage(WM_COMMAND, ID_HELP, 0);  // the Help button
    EXPECT_TRUE(dlg.SendMessage(WM_COMMANDHELP, 0, 0x1234));
    ASSERT_EQ(app.helpRequests.size(), 3u);
    EXPECT_EQ(app.helpRequests[0].first, HID_BASE_RESOURCE + IDD_DDX_TEST);
    EXPECT_EQ(app.helpRequests[0].second, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(app.helpRequests[1].first, HID_BASE_RESOURCE + IDD_DDX_TEST);
    EXPECT_EQ(app.helpRequests[2].first, 0x1234u) << "an explicit topic wins";
    dlg.m_nIDHelp = 0;
    EXPECT_FALSE(dlg.SendMessage(WM_COMMANDHELP, 0, 0)) << "no topic: not handled";
    dlg.DestroyWindow();
}

TEST_F(DialogTest, MissingTemplateFails)
{
    CDialog dlg(4242);
    EXPECT_EQ(dlg.DoModal(), -1);
}

class ChildPage : public CDialog {
public:
    ChildPage() : CDialog(IDD_CHILD_TEST) {}
    CString m_text = L"page text";
    int applies = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_CHILD_EDIT, m_text); }
    void OnApply() { ++applies; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ChildPage, CDialog)
    ON_BN_CLICKED(IDC_CHILD_BUTTON, OnApply)
END_MESSAGE_MAP()

TEST_F(DialogTest, ModelessChildDialogInsideModelessParent)
{
    CDialog parent;
    ASSERT_TRUE(parent.Create(IDD_PARENT_TEST, nullptr));
    ChildPage page;
    ASSERT_TRUE(page.Create(IDD_CHILD_TEST, &parent));
    EXPECT_TRUE(parent.IsChild(&page));
    EXPECT_TRUE(page.GetStyle() & WS_CHILD);
    CString shown;
    page.GetDlgItemText(IDC_CHILD_EDIT, shown);
    EXPECT_EQ(shown, CString(L"page text"));
    page.SetDlgItemText(IDC_CHILD_EDIT, L"edited");
    EXPECT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(page.m_text, CString(L"edited"));
    ::SendMessageW(::GetDlgItem(page.m_hWnd, IDC_CHILD_BUTTON), BM_CLICK, 0, 0);
    EXPECT_EQ(page.applies, 1) << "the page's own map gets its button";
    parent.ShowWindow(SW_SHOW);
    parent.DestroyWindow();
    EXPECT_EQ(page.m_hWnd, nullptr) << "the child went with its parent";
    EXPECT_EQ(parent.m_hWnd, nullptr);
}

}  // namespace
