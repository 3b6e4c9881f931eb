// The recent-file list on its own: ordering and size, display names, menu items and the
// profile round trip.
#include "tests/platform/framework/frame/FrameTestApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> Names(CRecentFileList& list)
{
    std::vector<std::wstring> names;
    for (int i = 0; i < list.GetSize(); ++i) {
        names.emplace_back(static_cast<LPCTSTR>(list[i]));
    }
    return names;
}

TEST(RecentFileListTest, AddKeepsNewestFirstWithoutDuplicates)
{
    CRecentFileList list(0, L"Recent", L"File%d", 3);
    list.Add(L"C:\\a.tst");
    list.Add(L"C:\\b.tst");
    list.Add(L"C:\\c.tst");
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"C:\\c.tst", L"C:\\b.tst", L"C:\\a.tst"}));
    list.Add(L"c:\\A.TST");  // same file, other case: moves up, no second entry
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"c:\\A.TST", L"C:\\c.tst", L"C:\\b.tst"}));
    list.Add(L"C:\\d.tst");  // the oldest falls off
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"C:\\d.tst", L"c:\\A.TST", L"C:\\c.tst"}));
    list.Remove(1);
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"C:\\d.tst", L"C:\\c.tst", L""}));
    list.Remove(7);
    list.Remove(-1);
    list.Add(L"");
    list.Add(nullptr);
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"C:\\d.tst", L"C:\\c.tst", L""}));
}

TEST(RecentFileListTest, SizeIsLimitedToTheCommandRange)
{
    CRecentFileList big(0, L"Recent", L"File%d", 40);
    EXPECT_EQ(big.GetSize(), AFX_MRU_COUNT);
    CRecentFileList none(0, L"Recent", L"File%d", -2);
    EXPECT_EQ(none.GetSize(), 0);
    none.Add(L"C:\\x.tst");
    CString name;
    EXPECT_FALSE(none.GetDisplayName(name, 0, nullptr, 0));
}

TEST(RecentFileListTest, DisplayNames)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* curDir;
        int maxLength;
        BOOL atLeastName;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"C:\\dir\\file.tst", L"C:\\dir", 30, TRUE, L"file.tst"},
        {L"C:\\dir\\sub\\file.tst", L"C:\\dir", 30, TRUE, L"C:\\dir\\sub\\file.tst"},
        {L"C:\\very\\long\\directory\\names\\here\\file.tst", nullptr, 25, TRUE,
         L"C:\\...\\here\\file.tst"},
        {L"C:\\a\\averyveryverylongfilename.tst", nullptr, 10, TRUE,
         L"averyveryverylongfilename.tst"},
        {L"C:\\a\\averyveryverylongfilename.tst", nullptr, 10, FALSE, L""},
        {L"\\\\server\\share\\dir1\\dir2\\file.tst", nullptr, 30, TRUE,
         L"\\\\server\\share\\...\\file.tst"},
        {L"\\\\server\\share\\dir1\\dir2\\file.tst", nullptr, 25, TRUE, L"file.tst"},
    };
    for (const Case& c : cases) {
        CRecentFileList list(0, L"Recent", L"File%d", 4, c.maxLength);
        list[0] = c.path;
        CString name;
        const int curLength = c.curDir != nullptr ? static_cast<int>(wcslen(c.curDir)) : 0;
        const BOOL ok = list.GetDisplayName(name, 0, c.curDir, curLength, c.atLeastName);
        EXPECT_EQ(ok, *c.expected != L'\0') << c.path;
        EXPECT_EQ(std::wstring(name), c.expected) << c.path;
    }
    CRecentFileList list(0, L"Recent", L"File%d", 4);
    CString name;
    EXPECT_FALSE(list.GetDisplayName(name, 0, nullptr, 0));   // empty entry
    EXPECT_FALSE(list.GetDisplayName(name, 9, nullptr, 0));   // out of range
}

TEST(RecentFileListTest, MenuItemsAreNumberedAndEscaped)
{
    CRecentFileList list(0, L"Recent", L"File%d", 4);
    list.Add(L"C:\\docs\\one.tst");
    list.Add(L"C:\\docs\\R&D.tst");
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_FILE_NEW, L"&New");
    menu.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1, L"Recent File");
    menu.AppendMenu(MF_STRING, ID_APP_EXIT, L"E&xit");
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndex = 1;
    state.m_nID = ID_FILE_MRU_FILE1;
    state.m_nIndexMax = 3;
    list.UpdateMenu(&state);
    ASSERT_EQ(menu.GetMenuItemCount(), 4);
    wchar_t text[128] = {};
    ::GetMenuStringW(menu.m_hMenu, 1, text, 128, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"&1 C:\\docs\\R&&D.tst");
    ::GetMenuStringW(menu.m_hMenu, 2, text, 128, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"&2 C:\\docs\\one.tst");
    EXPECT_EQ(menu.GetMenuItemID(2), static_cast<UINT>(ID_FILE_MRU_FILE1 + 1));
    EXPECT_EQ(state.m_nIndex, 2u);  // the pass goes on after the last entry
    EXPECT_EQ(state.m_nIndexMax, 4u);

    // Shown again with one entry fewer: the old items go.
    list.Remove(0);
    state.m_nIndex = 1;
    state.m_nID = ID_FILE_MRU_FILE1;
    list.UpdateMenu(&state);
    EXPECT_EQ(menu.GetMenuItemCount(), 3);
    // Emptied: the original text comes back, disabled.
    list.Remove(0);
    state.m_nIndex = 1;
    list.UpdateMenu(&state);
    ::GetMenuStringW(menu.m_hMenu, 1, text, 128, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"Recent File");
    EXPECT_NE(::GetMenuState(menu.m_hMenu, 1, MF_BYPOSITION) & MF_GRAYED, 0u);
}

TEST(RecentFileListTest, ProfileRoundTripDropsRemovedEntries)
{
    TheApp();
    CRecentFileList list(0, L"Test MRU", L"Item%d", 4);
    list.Add(L"C:\\one.tst");
    list.Add(L"C:\\two.tst");
    list.Add(L"C:\\three.tst");
    list.WriteList();
    EXPECT_EQ(std::wstring(TheApp().GetProfileString(L"Test MRU", L"Item1")), L"C:\\three.tst");
    list.Remove(0);
    list.WriteList();
    CRecentFileList reread(0, L"Test MRU", L"Item%d", 4);
    reread.ReadList();
    EXPECT_EQ(Names(reread),
              (std::vector<std::wstring>{L"C:\\two.tst", L"C:\\one.tst", L"", L""}));
}

TEST(RecentFileListTest, ReadingTakesOnlyTextEntriesAndClearsTheRest)
{
    TheApp();
    // A section written by hand: a gap, a number where a name belongs, and an expandable text.
    TheApp().WriteProfileString(L"Mixed MRU", nullptr, nullptr);
    TheApp().WriteProfileString(L"Mixed MRU", L"Item1", L"C:\\first.tst");
    TheApp().WriteProfileInt(L"Mixed MRU", L"Item2", 7);
    HKEY section = TheApp().GetSectionKey(L"Mixed MRU");
    ASSERT_NE(section, nullptr);
    const wchar_t expandable[] = L"%TEMP%\\fourth.tst";
    ASSERT_EQ(::RegSetValueExW(section, L"Item4", 0, REG_EXPAND_SZ,
                               reinterpret_cast<const BYTE*>(expandable), sizeof expandable),
              ERROR_SUCCESS);
    ::RegCloseKey(section);
    CRecentFileList list(0, L"Mixed MRU", L"Item%d", 4);
    list.Add(L"C:\\stale.tst");
    list.ReadList();
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"C:\\first.tst", L"", L"",
                                                      L"%TEMP%\\fourth.tst"}));
}

}  // namespace
