// The system file dialogs with the framework object on the explorer hook child: its
// OnInitDialog and notifications arrive, the dialog can be asked for its folder while it is
// up, OK goes through OnFileNameOK, and the chosen path is read back afterwards.
#include "tests/platform/framework/window/TestApp.h"

#include <gtest/gtest.h>

namespace {

class ScriptedFileDialog : public CFileDialog {
public:
    using CFileDialog::CFileDialog;

    bool initDialogSeen = false;
    bool initDoneSeen = false;
    CString folderWhileUp;
    int fileNameChecks = 0;
    WPARAM closeWith = IDCANCEL;

protected:
    BOOL OnInitDialog() override
    {
        initDialogSeen = m_hWnd != nullptr;
        return CFileDialog::OnInitDialog();
    }
    void OnInitDone() override
    {
        initDoneSeen = true;
        folderWhileUp = GetFolderPath();
        ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, closeWith, 0);
    }
    BOOL OnFileNameOK() override
    {
        ++fileNameChecks;
        return FALSE;
    }
};

std::wstring TempDir()
{
    wchar_t dir[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, dir);
    std::wstring path = dir;
    if (!path.empty() && path.back() == L'\\') {
        path.pop_back();
    }
    return path;
}

TEST(FileDialogTest, OpenDialogRunsTheHookChildAndCancels)
{
    TheTestApp();
    const std::wstring dir = TempDir();
    ScriptedFileDialog dlg(TRUE, L"wmv", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                           L"Presentations (*.wmv)|*.wmv|All files (*.*)|*.*||");
    dlg.m_ofn.lpstrInitialDir = dir.c_str();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(dlg.initDialogSeen) << "the framework object got the hook child";
    EXPECT_TRUE(dlg.initDoneSeen) << "notifications reach OnNotify";
    EXPECT_EQ(dlg.folderWhileUp.CompareNoCase(dir.c_str()), 0);
    EXPECT_EQ(dlg.fileNameChecks, 0);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(FileDialogTest, SaveDialogReturnsThePath)
{
    TheTestApp();
    const std::wstring dir = TempDir();
    ScriptedFileDialog dlg(FALSE, L"txt", L"orvane-fw-save.txt");
    dlg.m_ofn.lpstrInitialDir = dir.c_str();
    dlg.closeWith = IDOK;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.fileNameChecks, 1);
    const CString path = dlg.GetPathName();
    EXPECT_EQ(path.CompareNoCase((dir + L"\\orvane-fw-save.txt").c_str()), 0);
    EXPECT_EQ(dlg.GetFileName(), CString(L"orvane-fw-save.txt"));
    EXPECT_EQ(dlg.GetFileExt(), CString(L"txt"));
    EXPECT_EQ(dlg.GetFileTitle(), CString(L"orvane-fw-save"));
}

}  // namespace
