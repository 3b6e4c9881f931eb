// Frame and dialog helpers over framework objects: the frame size that yields a wanted view
// client size, and the file dialog's start folder (set, kept, restored).
#include "WinNT_SP/Include_VS2005/FrameHelpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class PlainView : public CView {
protected:
    void OnDraw(CDC*) override {}
};

// Records how it was started instead of showing the system dialog.
class RecordingFileDialog : public CFileDialog {
public:
    explicit RecordingFileDialog(LPCTSTR fileName) : CFileDialog(TRUE, nullptr, fileName) {}
    INT_PTR DoModal() override
    {
        ++runs;
        startFolder = m_ofn.lpstrInitialDir != nullptr ? m_ofn.lpstrInitialDir : L"(none)";
        return IDCANCEL;
    }
    int runs = 0;
    std::wstring startFolder;
};

std::wstring CurrentFolder()
{
    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    return folder;
}

}  // namespace

TEST(FrameHelpers, NoViewOrNoFrameGivesTheLargeSize)
{
    EXPECT_EQ(FitFrameToViewSize(nullptr, CSize(10, 10)), CSize(0x7FFF, 0x7FFF));
    PlainView orphan;  // never created: no window, so no frame either
    EXPECT_EQ(FitFrameToViewSize(&orphan, CSize(10, 10)), CSize(0x7FFF, 0x7FFF));
}

TEST(FrameHelpers, FittedFrameGivesTheViewTheRequestedClientSize)
{
    auto* frame = new CFrameWnd;  // deletes itself when its window goes
    ASSERT_TRUE(frame->Create(nullptr, L"Fit test", WS_OVERLAPPEDWINDOW,
                              CRect(20, 20, 420, 320)));
    auto* view = new PlainView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER,
                             CRect(0, 0, 50, 50), frame, AFX_IDW_PANE_FIRST, nullptr));
    frame->RecalcLayout();

    for (const CSize wanted : {CSize(320, 240), CSize(641, 479), CSize(180, 90)}) {
        const CSize outer = FitFrameToViewSize(view, wanted);
        frame->SetWindowPos(nullptr, 0, 0, outer.cx, outer.cy,
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        frame->RecalcLayout();
        CRect client;
        view->GetClientRect(&client);
        EXPECT_EQ(client.Width(), wanted.cx);
        EXPECT_EQ(client.Height(), wanted.cy);
    }
    frame->DestroyWindow();
}

TEST(FrameHelpers, FileDialogStartsInTheFolderOfItsFileAndRestoresTheCallersFolder)
{
    RecordingFileDialog fromName(L"C:\\talks\\2026\\lecture.wmv");
    EXPECT_EQ(DoModalFileDialogSafe(fromName), IDCANCEL);
    EXPECT_EQ(fromName.runs, 1);
    EXPECT_EQ(fromName.startFolder, L"C:\\talks\\2026");
    EXPECT_EQ(fromName.m_ofn.lpstrInitialDir, nullptr);

    RecordingFileDialog noName(nullptr);
    DoModalFileDialogSafe(noName);
    EXPECT_EQ(noName.startFolder, CurrentFolder());

    RecordingFileDialog callerSet(L"C:\\talks\\lecture.wmv");
    const wchar_t* chosen = L"D:\\elsewhere";
    callerSet.m_ofn.lpstrInitialDir = chosen;
    DoModalFileDialogSafe(callerSet);
    EXPECT_EQ(callerSet.startFolder, chosen);
    EXPECT_EQ(callerSet.m_ofn.lpstrInitialDir, chosen);
}

TEST(FrameHelpers, UiFontGoesIntoTheFontObject)
{
    CFont font;
    ASSERT_TRUE(CreateUiFont(font, L"Tahoma", FW_BOLD));
    LOGFONTW lf{};
    ASSERT_NE(::GetObjectW(font.m_hObject, sizeof(lf), &lf), 0);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    EXPECT_LT(lf.lfHeight, 0);
}
