// A dialog from a windres-compiled template opens, shows its controls, and closes.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/harness/HarnessResource.h"

namespace {

INT_PTR CALLBACK HarnessDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        wchar_t text[64] = {};
        GetDlgItemTextW(dlg, IDC_HARNESS_TEXT, text, 64);
        // Report what the template gave us, then close as a user pressing OK would.
        SetWindowLongPtrW(dlg, DWLP_USER, lstrcmpW(text, L"A dialog from a compiled template.") == 0);
        PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
            EndDialog(dlg, 1 + GetWindowLongPtrW(dlg, DWLP_USER));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

}  // namespace

TEST(DialogSmoke, TemplateOpensAndCloses)
{
    const INT_PTR rc = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_HARNESS),
                                       nullptr, HarnessDlgProc, 0);
    EXPECT_EQ(rc, 2) << "1 = closed but the text was wrong, -1 = template not found";
}
