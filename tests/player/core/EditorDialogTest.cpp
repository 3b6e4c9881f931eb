// The list editors as dialogs (Xvfb): a good list is accepted and handed back in its stored
// form; a bad one keeps the dialog open with the caret or selection on the bad entry and the
// message shown.
#include "WinNT_SP/Include_VS2005/MessageBoxLayer.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "player/core/SpeedListEditor.h"
#include "player/core/TimeListEditor.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

class EditorTestApp : public CWinApp {
public:
    EditorTestApp() : CWinApp(L"PlayerCoreEditorTests") {}
    void WinHelpInternal(DWORD_PTR data, UINT) override { helpIds.push_back(data); }
    std::vector<DWORD_PTR> helpIds;
};

EditorTestApp g_app;

void InitApp()
{
    static const bool done = [] {
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_SHOW);
        return true;
    }();
    (void)done;
}

class RecordingPresenter final : public IMessageBoxPresenter {
public:
    std::vector<std::wstring> texts;
    int Show(const wchar_t*, const wchar_t* text, UINT, UINT, const wchar_t*,
             const MSGBOX_OPTIONS&) override
    {
        texts.emplace_back(text);
        return IDOK;
    }
};

using Step = std::function<void(HWND)>;

// Runs the steps one per idle kick of the modal loop.
template <class Base>
class Driven : public Base {
public:
    using Base::Base;
    std::vector<Step> steps;
    size_t next = 0;

protected:
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (next < steps.size()) {
            steps[next++](this->m_hWnd);
        }
        return next < steps.size() ? TRUE : FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

using DrivenSpeed = Driven<SpeedListEditor>;
using DrivenTime = Driven<TimeListEditor>;

BEGIN_TEMPLATE_MESSAGE_MAP(Driven, Base, Base)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

void Press(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

struct Selection {
    DWORD start = 0, end = 0;
};

Selection SelectionOf(HWND dialog, int edit)
{
    Selection s;
    SendDlgItemMessageW(dialog, edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s.start),
                        reinterpret_cast<LPARAM>(&s.end));
    return s;
}

class EditorDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        InitApp();
        SetMessageBoxPresenter(&presenter);
    }
    void TearDown() override { SetMessageBoxPresenter(nullptr); }
    RecordingPresenter presenter;
};

TEST_F(EditorDialogTest, SpeedEditorAcceptsAGoodList)
{
    DrivenSpeed dialog(L"0.35,0.5,0.7,1.5,2,3");
    std::wstring shown;
    dialog.steps = {[&](HWND d) {
                        wchar_t text[200] = {};
                        GetDlgItemTextW(d, IDC_SPEED_LIST_EDIT, text, 200);
                        shown = text;
                        SetDlgItemTextW(d, IDC_SPEED_LIST_EDIT, L"0.5\r\n\r\n1\r\n2.5\r\n");
                        Press(d, IDOK);
                    },
                    [](HWND) {}};
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shown, L"0.35\r\n0.5\r\n0.7\r\n1\r\n1.5\r\n2\r\n3\r\n");
    EXPECT_EQ(dialog.m_listText, L"0.5,2.5");
    EXPECT_TRUE(presenter.texts.empty());
}

TEST_F(EditorDialogTest, HelpButtonsAskForTheDialogsTopics)
{
    g_app.helpIds.clear();
    DrivenSpeed speed(L"0.5,2");
    speed.steps = {[](HWND d) { Press(d, IDC_LIST_HELP); }, [](HWND d) { Press(d, IDCANCEL); },
                   [](HWND) {}};
    EXPECT_EQ(speed.DoModal(), IDCANCEL);
    DrivenTime time;
    time.m_decimals = 1;
    time.steps = {[](HWND d) { Press(d, IDC_LIST_HELP); }, [](HWND d) { Press(d, IDCANCEL); },
                  [](HWND) {}};
    EXPECT_EQ(time.DoModal(), IDCANCEL);
    ASSERT_EQ(g_app.helpIds.size(), 2u);
    EXPECT_EQ(g_app.helpIds[0], HID_BASE_RESOURCE + IDD_SPEED_LIST_EDITOR);
    EXPECT_EQ(g_app.helpIds[1], HID_BASE_RESOURCE + IDD_TIME_LIST_EDITOR);
}

TEST_F(EditorDialogTest, SpeedEditorPointsAtTheBadLine)
{
    DrivenSpeed dialog(L"0.5,2");
    Selection sel;
    dialog.steps = {[](HWND d) {
                        SetDlgItemTextW(d, IDC_SPEED_LIST_EDIT, L"0.5\r\nabc\r\n2");
                        Press(d, IDOK);
                    },
                    [&](HWND d) {
                        sel = SelectionOf(d, IDC_SPEED_LIST_EDIT);
                        Press(d, IDCANCEL);
                    },
                    [](HWND) {}};
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(presenter.texts.size(), 1u);
    EXPECT_EQ(presenter.texts[0], L"Line number 2 (\"abc...\") contains an invalid speed value.");
    EXPECT_EQ(sel.start, 5u);
    EXPECT_EQ(sel.end, 5u);
}

TEST_F(EditorDialogTest, TimeEditorSelectsExcessDigitsAndAcceptsAGoodList)
{
    DrivenTime dialog;
    dialog.m_defaultList = L"0:01,0:02";
    dialog.m_decimals = 1;
    dialog.m_listText = L"0:01,0:02";
    Selection sel;
    dialog.steps = {[](HWND d) {
                        SetDlgItemTextW(d, IDC_TIME_LIST_EDIT, L"0:05\r\n0:01.25");
                        Press(d, IDOK);
                    },
                    [&](HWND d) {
                        sel = SelectionOf(d, IDC_TIME_LIST_EDIT);
                        SetDlgItemTextW(d, IDC_TIME_LIST_EDIT, L"0:05\r\n0:01,5");
                        Press(d, IDOK);
                    },
                    [](HWND) {}};
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(presenter.texts.size(), 1u);
    EXPECT_EQ(presenter.texts[0],
              L"The line number 2 (\"0:01.25\") contains an invalid time value.");
    EXPECT_EQ(sel.start, 6u + 6u);
    EXPECT_EQ(sel.end, 6u + 7u);
    EXPECT_EQ(dialog.m_listText, L"0:05,0:01.5");
}

TEST_F(EditorDialogTest, StepEditorRejectsAnEmptyListAndSortKeepsValues)
{
    DrivenTime dialog;
    dialog.m_defaultList = L"0:01";
    dialog.m_decimals = 1;
    dialog.m_listText = L"0:30,0:10";
    std::wstring sorted;
    dialog.steps = {[](HWND d) { Press(d, IDC_TIME_LIST_SORT); },
                    [&](HWND d) {
                        wchar_t text[200] = {};
                        GetDlgItemTextW(d, IDC_TIME_LIST_EDIT, text, 200);
                        sorted = text;
                        SetDlgItemTextW(d, IDC_TIME_LIST_EDIT, L"");
                        Press(d, IDOK);
                    },
                    [](HWND d) { Press(d, IDCANCEL); },
                    [](HWND) {}};
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(sorted, L"0:10\r\n0:30\r\n");
    ASSERT_EQ(presenter.texts.size(), 1u);
    EXPECT_EQ(presenter.texts[0], L"Time list cannot be empty.");
}

}  // namespace
