// The extended message box under Xvfb: button sets with their Escape and close rules, the
// details fold, the copy button and its tooltip, the check box, and the layout bounds. Each case
// runs the real modal box; a timer on the test thread plays the user.
#include "WinNT_SP/Include_VS2005/FileSystem.h"
#include "WinNT_SP/Include_VS2005/ui/MsgBoxExt.h"
#include "WinNT_SP/Include_VS2005/ui/SupportUiResource.h"
#include "tests/WinNT_SP/Include_VS2005/ui/UiTestApp.h"
#include "tests/WinNT_SP/Include_VS2005/ui/UiTestWindow.h"
#include "WinNT_SP/Include_VS2005/WindowHelpers.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <string>

using namespace orvane::test;

namespace {

std::vector<std::function<void(HWND)>> g_steps;
size_t g_nextStep = 0;
std::wstring g_caption;
HWND g_timerWindow = nullptr;

HWND FindBox()
{
    return FindWindowW(L"#32770", g_caption.c_str());
}

// One step per tick, so the box's own modal loop handles what a step posts (keys go through
// the dialog manager there). A last tick ends a box that is still open.
void CALLBACK PlayUser(HWND timerWindow, UINT, UINT_PTR id, DWORD)
{
    HWND box = FindBox();
    if (!box) {
        KillTimer(timerWindow, id);
        return;
    }
    if (g_nextStep < g_steps.size()) {
        g_steps[g_nextStep++](box);
        return;
    }
    KillTimer(timerWindow, id);
    ADD_FAILURE() << "the box was still open after its last step";
    EndDialog(box, -2);
}

using Step = std::function<void(HWND)>;

void StartSteps()
{
    // A window timer: the framework's loop gives window-less messages to the thread object.
    if (!g_timerWindow) {
        g_timerWindow = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    }
    SetTimer(g_timerWindow, 1, 40, PlayUser);
}

int RunBox(const wchar_t* text, UINT style, DWORD flags, const wchar_t* details,
           std::vector<Step> steps, MSGBOX_EXT_OPTIONS* options = nullptr)
{
    EnsureUiTestApp();
    g_steps = std::move(steps);
    g_nextStep = 0;
    g_caption = L"Orvane test box";
    StartSteps();
    const int result = ShowMsgBoxExt(options, text, g_caption.c_str(), style, flags, details);
    KillTimer(g_timerWindow, 1);
    return result;
}

void PostKey(HWND box, UINT key)
{
    HWND focus = GetFocus();
    PostMessageW(focus && IsChild(box, focus) ? focus : box, WM_KEYDOWN, key, 0);
}

std::wstring Text(HWND window)
{
    wchar_t text[512];
    GetWindowTextW(window, text, 512);
    return text;
}

bool CloseGrayed(HWND box)
{
    return (GetMenuState(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (!OpenClipboard(nullptr)) {
        return L"<busy>";
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

int Height(HWND window)
{
    RECT rc;
    GetWindowRect(window, &rc);
    return rc.bottom - rc.top;
}

int Width(HWND window)
{
    RECT rc;
    GetWindowRect(window, &rc);
    return rc.right - rc.left;
}

}  // namespace

TEST(MsgBoxExt, ButtonSetsEscapeAndCloseRules)
{
    struct Case {
        UINT type;
        std::vector<std::wstring> captions;
        int escape;  // 0: Escape is ignored
        bool closeGrayed;
        int press;  // 0-based button pressed when Escape is ignored
        int pressResult;
    } cases[] = {
        {MB_OK, {L"OK"}, IDOK, true, 0, 0},
        {MB_OKCANCEL, {L"OK", L"Cancel"}, IDCANCEL, false, 0, 0},
        {MB_ABORTRETRYIGNORE, {L"&Abort", L"&Retry", L"&Ignore"}, 0, true, 2, IDIGNORE},
        {MB_YESNOCANCEL, {L"&Yes", L"&No", L"Cancel"}, IDCANCEL, false, 0, 0},
        {MB_YESNO, {L"&Yes", L"&No"}, 0, true, 1, IDNO},
        {MB_RETRYCANCEL, {L"&Retry", L"Cancel"}, IDCANCEL, false, 0, 0},
    };
    for (const Case& c : cases) {
        std::vector<Step> steps = {
            [&](HWND box) {
                for (int i = 0; i < 4; ++i) {
                    HWND button = GetDlgItem(box, IDC_MBX_BUTTON1 + i);
                    const bool used = i < static_cast<int>(c.captions.size());
                    EXPECT_EQ((GetWindowLongW(button, GWL_STYLE) & WS_VISIBLE) != 0, used)
                        << c.type << " " << i;
                    if (used) {
                        EXPECT_EQ(Text(button), c.captions[i]) << c.type;
                    }
                }
                EXPECT_EQ(CloseGrayed(box), c.closeGrayed) << c.type;
                PostKey(box, VK_ESCAPE);
            },
            [&](HWND box) {
                EXPECT_EQ(c.escape, 0) << "still open after Escape: " << c.type;
                SendMessageW(GetDlgItem(box, IDC_MBX_BUTTON1 + c.press), BM_CLICK, 0, 0);
            },
        };
        const int result =
            RunBox(L"Line one\nline two", c.type | MB_ICONEXCLAMATION, 0, nullptr, steps);
        EXPECT_EQ(result, c.escape ? c.escape : c.pressResult) << c.type;
    }
}

TEST(MsgBoxExt, DefaultButtonAndCustomDisabledCaptions)
{
    MSGBOX_EXT_OPTIONS options;
    options.captions[0] = L"Keep";
    options.captions[1] = L"Drop";
    options.captions[2] = L"Later";
    options.disabledMask = 2;
    const int result = RunBox(L"Choose", MB_YESNOCANCEL | MB_DEFBUTTON3, 0, nullptr,
                              {[](HWND box) {
                                  EXPECT_EQ(Text(GetDlgItem(box, IDC_MBX_BUTTON1)), L"Keep");
                                  EXPECT_EQ(Text(GetDlgItem(box, IDC_MBX_BUTTON3)), L"Later");
                                  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(box, IDC_MBX_BUTTON2)));
                                  EXPECT_EQ(LOWORD(SendMessageW(box, DM_GETDEFID, 0, 0)),
                                            IDC_MBX_BUTTON3);
                                  PostKey(box, VK_RETURN);
                              }},
                              &options);
    EXPECT_EQ(result, IDCANCEL);
}

TEST(MsgBoxExt, DetailsFoldCopyAndTooltip)
{
    const wchar_t* details = L"12:00:00.000 Reader opened\r\n12:00:01.000 Graph built";
    int folded = 0;
    int unfolded = 0;
    std::wstring copiedFolded;
    std::wstring copiedUnfolded;
    auto tipText = [](HWND box) {
        wchar_t text[128] = L"";
        TOOLINFOW info = {};
        info.cbSize = sizeof(info);
        info.hwnd = box;
        info.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(box, IDC_MBX_COPY));
        info.lpszText = text;
        for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
             w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr)) {
            if (GetWindow(w, GW_OWNER) == box) {
                SendMessageW(w, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
            }
        }
        return std::wstring(text);
    };
    const int result = RunBox(
        L"The file could not be played.\nSee the details.", MB_OK | MB_ICONHAND,
        MBXF_COPY_BUTTON, details,
        {[&](HWND box) {
             HWND toggle = GetDlgItem(box, IDC_MBX_DETAILS_TOGGLE);
             EXPECT_TRUE(GetWindowLongW(toggle, GWL_STYLE) & WS_VISIBLE);
             EXPECT_FALSE(GetWindowLongW(GetDlgItem(box, IDC_MBX_DETAILS), GWL_STYLE) &
                          WS_VISIBLE);
             folded = Height(box);
             SendMessageW(GetDlgItem(box, IDC_MBX_COPY), BM_CLICK, 0, 0);
             copiedFolded = ClipboardText();
             EXPECT_EQ(tipText(box), L"Copy message to the Clipboard");
             SendMessageW(toggle, BM_CLICK, 0, 0);
             unfolded = Height(box);
             EXPECT_TRUE(GetWindowLongW(GetDlgItem(box, IDC_MBX_DETAILS), GWL_STYLE) &
                         WS_VISIBLE);
             EXPECT_EQ(Text(toggle), L"Debug info <<");
             EXPECT_EQ(tipText(box), L"Copy debug info to the Clipboard");
             SendMessageW(GetDlgItem(box, IDC_MBX_COPY), BM_CLICK, 0, 0);
             copiedUnfolded = ClipboardText();
         },
         [&](HWND) {
             // No steps run while the box stays up for a screenshot.
             KillTimer(g_timerWindow, 1);
             HoldForScreenshot();
             SetTimer(g_timerWindow, 1, 40, PlayUser);
         },
         [&](HWND box) {
             HWND toggle = GetDlgItem(box, IDC_MBX_DETAILS_TOGGLE);
             SendMessageW(toggle, BM_CLICK, 0, 0);
             EXPECT_EQ(Height(box), folded);
             EXPECT_EQ(Text(toggle), L"Debug info >>");
             PostKey(box, VK_ESCAPE);
         }});
    EXPECT_EQ(result, IDOK);
    EXPECT_GT(unfolded, folded + 20);
    EXPECT_EQ(copiedFolded, L"The file could not be played.\r\nSee the details.");
    EXPECT_EQ(copiedUnfolded, details);
}

TEST(MsgBoxExt, CheckBoxDisablesTheNamedButton)
{
    MSGBOX_EXT_OPTIONS options;
    options.showCheckBox = 1;
    options.checkBoxText = L"Don't display this message again";
    options.extraText = L"You can turn the message on again in the options.";
    options.disableWhenChecked = 1;
    options.checked = 7;
    const int result = RunBox(
        L"Delete the bookmarks?", MB_YESNO | MB_ICONQUESTION, 0, nullptr,
        {[&](HWND box) {
            HWND check = GetDlgItem(box, IDC_MBX_CHECK);
            EXPECT_TRUE(GetWindowLongW(check, GWL_STYLE) & WS_VISIBLE);
            EXPECT_EQ(options.checked, 0);
            SendMessageW(check, BM_CLICK, 0, 0);
            EXPECT_EQ(options.checked, TRUE);
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(box, IDC_MBX_BUTTON2)));
            SendMessageW(check, BM_CLICK, 0, 0);
            EXPECT_EQ(options.checked, FALSE);
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(box, IDC_MBX_BUTTON2)));
            SendMessageW(GetDlgItem(box, IDC_MBX_BUTTON1), BM_CLICK, 0, 0);
        }},
        &options);
    EXPECT_EQ(result, IDYES);
}

TEST(MsgBoxExt, LayoutBoundsAndTexts)
{
    int oneLineHeight = 0;
    int width = 0;
    std::wstring shown;
    RunBox(L"Short.", MB_OK, 0, nullptr, {[&](HWND box) {
        oneLineHeight = Height(box);
        width = Width(box);
        shown = Text(GetDlgItem(box, IDC_MBX_TEXT));
        EXPECT_FALSE(GetWindowLongW(GetDlgItem(box, IDC_MBX_CHECK), GWL_STYLE) & WS_VISIBLE);
        EXPECT_FALSE(GetWindowLongW(GetDlgItem(box, IDC_MBX_COPY), GWL_STYLE) & WS_VISIBLE);
        EXPECT_FALSE(GetWindowLongW(GetDlgItem(box, IDC_MBX_DETAILS_TOGGLE), GWL_STYLE) &
                     WS_VISIBLE);
        PostKey(box, VK_ESCAPE);
    }});
    EXPECT_EQ(shown, L"\r\nShort.");
    EXPECT_GE(width, 250);

    std::wstring longText;
    for (int i = 0; i < 60; ++i) {
        longText += L"A line of a long message that needs the scroll bar\n";
    }
    int longHeight = 0;
    int longWidth = 0;
    RunBox(longText.c_str(), MB_OK, 0, nullptr, {[&](HWND box) {
        longHeight = Height(box);
        longWidth = Width(box);
        EXPECT_EQ(SendMessageW(GetDlgItem(box, IDC_MBX_TEXT), EM_GETLINECOUNT, 0, 0), 61);
        PostKey(box, VK_ESCAPE);
    }});
    EXPECT_GT(longHeight, oneLineHeight);
    EXPECT_LE(longHeight, oneLineHeight + 320);
    EXPECT_GE(longWidth, 250);
    EXPECT_LE(longWidth, width + 200);
}

TEST(MsgBoxExt, HelpRequestWithoutHelpIdIsAnsweredWithNoHelp)
{
    LRESULT answer = 1;
    RunBox(L"No help here", MB_OK, 0, nullptr, {[&](HWND box) {
        answer = SendMessageW(box, 0x0365, 0, 0);
        PostKey(box, VK_ESCAPE);
    }});
    EXPECT_EQ(answer, 0);
}

TEST(MsgBoxExt, MessageTextIsCutAndLineFeedsFixed)
{
    // (Wine's edit control needs seconds for a 32 K wrapped text, so this is checked directly.)
    const std::wstring cut = CMsgBoxExt::PrepareText(std::wstring(40000, L'x').c_str());
    EXPECT_EQ(cut.size(), 32766u);
    EXPECT_EQ(cut.substr(cut.size() - 5), L"xx...");
    EXPECT_EQ(CMsgBoxExt::PrepareText(std::wstring(32767, L'y').c_str()).size(), 32767u);
    EXPECT_EQ(CMsgBoxExt::PrepareText(L"a\nb\r\nc\n"), L"a\r\nb\r\nc\r\n");
    EXPECT_EQ(CMsgBoxExt::PrepareText(nullptr), L"");
}

TEST(MsgBoxExt, HelpButtonKeepsTheBoxOpen)
{
    MSGBOX_EXT_OPTIONS options;
    options.helpContext = 178;
    const int result = RunBox(L"Need help?", MB_OKCANCEL, 0, nullptr, {[](HWND box) {
        HWND help = GetDlgItem(box, IDC_MBX_BUTTON3);
        EXPECT_EQ(Text(help), L"&Help");
        const std::wstring text = Text(GetDlgItem(box, IDC_MBX_TEXT));
        EXPECT_NE(text.find(L"press the \"Help\" button."), std::wstring::npos);
        EXPECT_EQ(GetWindowContextHelpId(box), 178u);
        SendMessageW(GetDlgItem(box, IDC_MBX_BUTTON2), BM_CLICK, 0, 0);
    }}, &options);
    EXPECT_EQ(result, IDCANCEL);
}

TEST(FindActiveOwnedPopup, OwnedEnabledPopupIsFound)
{
    HWND owner = CreateHostWindow(L"Owner", 200, 100);
    HWND popup = CreateWindowExW(0, L"OrvaneUiTestHost", L"Popup", WS_POPUP | WS_VISIBLE, 50, 50,
                                 80, 40, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND tool = CreateWindowExW(WS_EX_TOOLWINDOW, L"OrvaneUiTestHost", L"Tool",
                                WS_POPUP | WS_VISIBLE, 60, 60, 80, 40, owner, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    PumpMessages();
    EXPECT_EQ(FindActiveOwnedPopup(owner, TRUE, TRUE), popup);
    EnableWindow(popup, FALSE);
    EXPECT_EQ(FindActiveOwnedPopup(owner, TRUE, TRUE), nullptr);
    EXPECT_EQ(FindActiveOwnedPopup(owner, TRUE, FALSE), popup);
    EXPECT_EQ(FindActiveOwnedPopup(popup, FALSE, FALSE), nullptr);
    DestroyWindow(tool);
    DestroyWindow(popup);
    DestroyWindow(owner);
}

TEST(MsgBoxExt, TracedMessageBoxShowsTheExtendedBox)
{
    EnsureUiTestApp();
    InstallMsgBoxExtPresenter();
    g_caption = L"Orvane Presentation Player";
    g_steps = {[](HWND box) {
        EXPECT_NE(GetDlgItem(box, IDC_MBX_DETAILS_TOGGLE), nullptr);
        SendMessageW(GetDlgItem(box, IDC_MBX_BUTTON2), BM_CLICK, 0, 0);
    }};
    g_nextStep = 0;
    StartSteps();
    const int result = TracedMessageBox(MB_YESNO, L"Save the bookmarks?", nullptr, 0);
    KillTimer(g_timerWindow, 1);
    SetMessageBoxPresenter(nullptr);
    EXPECT_EQ(result, IDNO);
}

TEST(MsgBoxExt, MissingSoundPanelEndsInItsErrorBox)
{
    // Wine has no sound control panel applet: the error text comes up in the extended box.
    EnsureUiTestApp();
    InstallMsgBoxExtPresenter();
    g_caption = L"Orvane Presentation Player";
    std::wstring message;
    g_steps = {[&](HWND box) {
        message = Text(GetDlgItem(box, IDC_MBX_TEXT));
        PostKey(box, VK_ESCAPE);
    }};
    g_nextStep = 0;
    StartSteps();
    const BOOL opened = OpenSoundControlPanel(nullptr);
    KillTimer(g_timerWindow, 1);
    SetMessageBoxPresenter(nullptr);
    EXPECT_FALSE(opened);
    EXPECT_NE(message.find(L"MmSys.cpl"), std::wstring::npos) << message;
    EXPECT_NE(message.find(L"System error code: 0x"), std::wstring::npos) << message;
}

TEST(VolumeControl, MissingMixerProgramGivesItsText)
{
    for (bool vista : {false, true}) {
        const std::wstring text = StartVolumeControl(vista);
        EXPECT_NE(text.find(vista ? L"\"SndVol.exe\"" : L"\"SndVol32.exe\""), std::wstring::npos)
            << text;
        EXPECT_NE(text.find(L"cannot be found"), std::wstring::npos) << text;
    }
}
