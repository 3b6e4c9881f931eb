// 64-bit files, text files, path helpers and the program exception.
#include "WinNT_SP/Include_VS2005/CFile64.h"
#include "WinNT_SP/Include_VS2005/FileSystem.h"
#include "WinNT_SP/Include_VS2005/MyException.h"
#include "tests/WinNT_SP/Include_VS2005/TempFolder.h"
#include "WinNT_SP/Include_VS2005/TextFile.h"
#include "WinNT_SP/Include_VS2005/TextFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using orvane::test::ReadFileBytes;
using orvane::test::TempFolder;

TEST(CFile64, CreateUniqueNumbersFromOne)
{
    TempFolder dir(L"unique");
    CFile64 a;
    CFile64 b;
    ASSERT_EQ(a.CreateUnique(dir.Path().c_str(), L"name", L".txt", 0, FALSE), 0u);
    EXPECT_EQ(std::wstring(a.GetFilePath()), dir / L"name1.txt");
    ASSERT_EQ(b.CreateUnique((dir.Path() + L"\\").c_str(), L"name", L".txt", 0, FALSE), 0u);
    EXPECT_EQ(std::wstring(b.GetFilePath()), dir / L"name2.txt");
    CFile64 exact;
    ASSERT_EQ(exact.CreateUnique(dir.Path().c_str(), L"name1", L".txt", 0, TRUE),
              DWORD(ERROR_FILE_EXISTS));
    EXPECT_FALSE(exact.IsOpen());
    ASSERT_EQ(exact.CreateUnique(dir.Path().c_str(), L"plain", L".txt", 0, TRUE), 0u);
    EXPECT_TRUE(exact.IsOpen());
}

TEST(CFile64, CloseTwiceAndHandOver)
{
    TempFolder dir(L"handover");
    CFile64 a;
    ASSERT_EQ(a.CreateUnique(dir.Path().c_str(), L"f", L".bin", 0, TRUE), 0u);
    a.Write("abc", 3);
    CFile64 b;
    b.TakeOver(a);
    EXPECT_FALSE(a.IsOpen());
    EXPECT_TRUE(b.IsOpen());
    EXPECT_EQ(b.GetLength(), 3u);
    {
        CFile64 borrowed;
        borrowed.AttachFrom(b);
        EXPECT_EQ(borrowed.GetLength(), 3u);
    }
    EXPECT_EQ(b.GetLength(), 3u);  // the borrower did not close it
    b.SetLength(10);
    EXPECT_EQ(b.GetPosition(), 10u);
    b.Close();
    b.Close();
    EXPECT_FALSE(b.IsOpen());
}

TEST(CFile64, OpenErrorsAsText)
{
    TempFolder dir(L"openerr");
    CFile64 f;
    const std::wstring missing = dir / L"missing.bin";
    EXPECT_NE(f.OpenForRead(missing.c_str()), L"");
    EXPECT_NE(f.OpenReadShared(missing.c_str()), L"");
    orvane::test::WriteFileBytes(dir / L"there.bin", "x");
    EXPECT_EQ(f.OpenReadShared((dir / L"there.bin").c_str()), L"");
    EXPECT_EQ(f.GetLength(), 1u);
}

TEST(TextFile, EncodingsAndLineEnds)
{
    TempFolder dir(L"text");
    struct Case {
        int encoding;
        std::string expected;
    };
    const Case cases[] = {
        {TFE_ANSI, "a\r\nb\r\nc\r\r\n\r\n"},
        {TFE_UTF8, "\xEF\xBB\xBF" "a\r\nb\r\nc\r\r\n\r\n"},
        {TFE_UTF16, std::string("\xFF\xFE" "a\0\r\0\n\0b\0\r\0\n\0c\0\r\0\r\0\n\0\r\0\n\0", 26)},
    };
    int i = 0;
    for (const Case& c : cases) {
        const std::wstring path = dir / (L"t" + std::to_wstring(i++) + L".txt");
        TextFile f;
        ASSERT_EQ(f.CreateForWrite(path.c_str()), L"");
        f.m_encoding = c.encoding;
        f.WriteLine(L"a");
        f.WriteLine(L"b\n");
        f.WriteLine(L"c\r\n");
        f.WriteLine(L"");
        f.Close();
        EXPECT_EQ(ReadFileBytes(path), c.expected) << c.encoding;
    }
}

TEST(TextFile, NoByteOrderMarkWhenAppending)
{
    TempFolder dir(L"append");
    const std::wstring path = dir / L"a.txt";
    orvane::test::WriteFileBytes(path, "old\r\n");
    TextFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeWrite));
    f.SeekToEnd();
    f.m_encoding = TFE_UTF8;
    f.WriteLine(L"\x00e9");
    f.Close();
    EXPECT_EQ(ReadFileBytes(path), "old\r\n\xC3\xA9\r\n");
}

TEST(Paths, FoldersRootsAndDeletion)
{
    EXPECT_EQ(GetVolumeRoot(L"C:\\a\\b.txt"), L"C:\\");
    EXPECT_EQ(GetVolumeRoot(L"\\\\server\\share\\dir\\f"), L"\\\\server\\share\\");
    EXPECT_EQ(GetVolumeRoot(L"//server/share/x"), L"//server/share/");
    EXPECT_EQ(GetVolumeRoot(L"plain"), L"plain");
    EXPECT_EQ(GetFolderOfPath(L"C:\\a\\b.txt"), L"C:\\a");
    EXPECT_EQ(GetFolderOfPath(L"C:\\b.txt"), L"C:\\");
    EXPECT_EQ(GetFolderOfFile(L"C:\\a\\b.txt"), L"C:\\a\\");
    EXPECT_EQ(GetFolderOfFile(L"b.txt"), L"");
    const std::wstring longName = L"C:\\" + std::wstring(300, L'x');
    EXPECT_EQ(GetFullFilePath(longName.c_str()), longName);

    TempFolder dir(L"paths");
    const std::wstring file = dir / L"gone.txt";
    orvane::test::WriteFileBytes(file, "x");
    EXPECT_EQ(DeleteFileText(file.c_str()), L"");
    const std::wstring again = DeleteFileText(file.c_str());
    EXPECT_EQ(again.rfind(L"Unable to delete the file \"" + file + L"\" - system error 2", 0),
              0u)
        << again;
}

TEST(Paths, CreateFolderPath)
{
    TempFolder dir(L"mkdir");
    const std::wstring deep = dir / L"a\\b\\c";
    EXPECT_EQ(CreateFolderPath(deep.c_str()), L"");
    EXPECT_TRUE(IsFolder(deep.c_str()));
    EXPECT_EQ(CreateFolderPath(deep.c_str()), L"");  // existing: nothing to do
    EXPECT_EQ(CreateFolderPath(L"C:\\"), L"");
    orvane::test::WriteFileBytes(dir / L"file", "x");
    const std::wstring blocked = CreateFolderPath((dir / L"file\\sub").c_str());
    EXPECT_EQ(blocked.rfind(L"Unable to create folder", 0), 0u) << blocked;
    EXPECT_TRUE(FileExists((dir / L"file").c_str()));
    EXPECT_FALSE(PathExists(L""));
    EXPECT_FALSE(IsFolder((dir / L"file").c_str()));
}

TEST(MyException, TextAndUnknown)
{
    try {
        ThrowMyException(L"broken file");
    } catch (CException* e) {
        EXPECT_EQ(GetExceptionText(e), L"broken file");
        e->Delete();
    }
    try {
        ThrowMyException(L"");
    } catch (CException* e) {
        EXPECT_EQ(GetExceptionText(e), L"Unknown exception.");
        e->Delete();
    }
    CMyException cut(L"abcdef");
    wchar_t buf[4];
    UINT help = 7;
    EXPECT_TRUE(cut.GetErrorMessage(buf, 4, &help));
    EXPECT_STREQ(buf, L"abc");
    EXPECT_EQ(help, 0u);
    EXPECT_EQ(GetExceptionText(nullptr), L"Unknown exception.");
}

TEST(Paths, FolderQueries)
{
    const std::wstring temp = GetTempFolder();
    EXPECT_NE(temp, L"");
    EXPECT_TRUE(IsFolder(temp.c_str()));
    const std::wstring video = GetVideoLibraryPath();
    EXPECT_GT(video.size(), 12u);
    EXPECT_EQ(video.substr(video.size() - 13), L"\\QVPVideo.dll");

    TempFolder dir(L"list");
    orvane::test::WriteFileBytes(dir / L"a.txt", "12345");
    orvane::test::WriteFileBytes(dir / L"b.txt", "");
    CreateDirectoryW((dir / L"sub.txt").c_str(), nullptr);
    std::vector<std::wstring> names;
    EXPECT_EQ(ListFolderFiles(names, (dir / L"*.txt").c_str()), 2);
    EXPECT_EQ(names.size(), 2u);

    uint64_t size = 0;
    std::wstring date;
    std::wstring sizeText;
    EXPECT_TRUE(GetFileSizeAndDateText(&size, &date, &sizeText, (dir / L"a.txt").c_str()));
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(sizeText, L"5");
    EXPECT_NE(date, L"");
    EXPECT_FALSE(GetFileSizeAndDateText(&size, &date, &sizeText, (dir / L"none").c_str()));
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(date, L"");
}
