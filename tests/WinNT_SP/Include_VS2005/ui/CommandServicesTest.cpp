// Command icons cut from the drawn strip, the clipboard copy of a text file, and batched child
// moves (also when the deferred batch fails).
#include "WinNT_SP/Include_VS2005/ui/ClipboardText.h"
#include "WinNT_SP/Include_VS2005/ui/IconManager.h"
#include "tests/WinNT_SP/Include_VS2005/ui/UiTestApp.h"
#include "tests/WinNT_SP/Include_VS2005/ui/UiTestWindow.h"
#include "WinNT_SP/Include_VS2005/ui/WndSizeMove.h"

#include <gtest/gtest.h>

#include <string>

using namespace orvane::test;

namespace {

std::string ClipboardBytes(UINT format)
{
    std::string bytes;
    if (!OpenClipboard(nullptr)) {
        return "<busy>";
    }
    if (HANDLE data = GetClipboardData(format)) {
        const SIZE_T size = GlobalSize(data);
        const char* p = static_cast<const char*>(GlobalLock(data));
        bytes.assign(p, size);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

std::wstring ClipboardUnicode()
{
    const std::string bytes = ClipboardBytes(CF_UNICODETEXT);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()));
}

std::wstring TempFileWith(const std::wstring& text)
{
    wchar_t dir[MAX_PATH];
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"orv", 0, path);
    HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written,
              nullptr);
    CloseHandle(h);
    return path;
}

}  // namespace

TEST(IconManager, SlotsAndStrips)
{
    EnsureUiTestApp();
    IconManager icons;
    EXPECT_EQ(icons.GetIcon(26), nullptr);
    EXPECT_EQ(icons.GetIcon(1000), nullptr);
    HICON five = icons.GetIcon(5);
    ASSERT_NE(five, nullptr);
    // One load fills the whole strip.
    for (UINT i = 0; i <= 22; ++i) {
        EXPECT_NE(icons.GetIcon(i), nullptr) << i;
    }
    EXPECT_EQ(icons.GetIcon(5), five);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(five, &info));
    BITMAP bm;
    GetObjectW(info.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 22);
    EXPECT_EQ(bm.bmHeight, 22);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    // The program's resources hold no second strip.
    EXPECT_EQ(icons.GetIcon(23), nullptr);
    EXPECT_EQ(icons.GetIcon(24), nullptr);
    EXPECT_NE(icons.GetIcon(25), nullptr);
    EXPECT_EQ(&TheIconManager(), &TheIconManager());
}

TEST(ClipboardCopy, TextInAllThreeFormats)
{
    EnsureUiTestApp();
    const std::wstring text = L"00:01.5 Intro\r\n02:10.0 Caf\u00e9 chapter";
    const std::wstring path = TempFileWith(text);
    CFile file(path.c_str(), CFile::modeRead);
    EXPECT_EQ(CopyFileTextToClipboard(file), L"");
    file.Close();
    DeleteFileW(path.c_str());
    EXPECT_EQ(ClipboardUnicode(), text);
    const std::string ansi = ClipboardBytes(CF_TEXT);
    EXPECT_EQ(std::string(ansi.c_str()), "00:01.5 Intro\r\n02:10.0 Caf\xe9 chapter");
    EXPECT_FALSE(ClipboardBytes(CF_OEMTEXT).empty());
}

TEST(ClipboardCopy, EmptyFileGivesEmptyTexts)
{
    EnsureUiTestApp();
    const std::wstring path = TempFileWith(L"");
    CFile file(path.c_str(), CFile::modeRead);
    EXPECT_EQ(CopyFileTextToClipboard(file), L"");
    file.Close();
    DeleteFileW(path.c_str());
    EXPECT_EQ(ClipboardUnicode(), L"");
    EXPECT_EQ(std::string(ClipboardBytes(CF_TEXT).c_str()), "");
    EXPECT_EQ(std::string(ClipboardBytes(CF_OEMTEXT).c_str()), "");
}

class BatchMoves : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_host = CreateHostWindow(L"Moves", 300, 200);
        for (int i = 0; i < 3; ++i) {
            m_children[i] = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | (i == 1 ? 0 : WS_VISIBLE),
                                            10, 10 + 30 * i, 50, 20, m_host, nullptr,
                                            GetModuleHandleW(nullptr), nullptr);
        }
    }
    void TearDown() override { DestroyWindow(m_host); }
    RECT Where(int i)
    {
        RECT rc;
        GetWindowRect(m_children[i], &rc);
        MapWindowPoints(nullptr, m_host, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    void Check()
    {
        for (int i = 0; i < 3; ++i) {
            const RECT rc = Where(i);
            EXPECT_EQ(rc.left, 10 + 5 * (i + 1)) << i;
            EXPECT_EQ(rc.right - rc.left, 50 + 2 * (i + 1)) << i;
            EXPECT_EQ(rc.top, 10 + 30 * i) << i;
        }
    }
    HWND m_host = nullptr;
    HWND m_children[3] = {};
};

TEST_F(BatchMoves, AppliedWhenTheBatchEnds)
{
    {
        WndSizeMove moves;
        for (int i = 0; i < 3; ++i) {
            moves.AddShift(m_children[i], 5 * (i + 1), 2 * (i + 1));
        }
        EXPECT_EQ(moves.Count(), 3u);
        EXPECT_EQ(Where(0).left, 10);
    }
    Check();
}

TEST_F(BatchMoves, FailedDeferStillMovesEveryWindow)
{
    WndSizeMove moves;
    for (int i = 0; i < 3; ++i) {
        moves.AddShift(m_children[i], 5 * (i + 1), 2 * (i + 1));
    }
    moves.m_failDeferAt = 2;
    moves.Apply();
    EXPECT_EQ(moves.Count(), 0u);
    Check();
}
