// The document: titles, a refused missing path, a failed open (a test opener's or the
// program's own) that keeps the previous presentation, and the new-document command.
#include "tests/player/core/FakeShell.h"
#include "player/core/PlayerState.h"
#include "player/core/QVRDoc.h"

#include <gtest/gtest.h>

namespace {

using playertest::FakeShell;
using playertest::ShellScope;

class NamedFile final : public IOpenPresentation {
public:
    explicit NamedFile(std::wstring path) : m_path(std::move(path)) {}
    double GetDuration() override { return 20; }
    std::wstring GetFilePath() override { return m_path; }
    BOOL HasVideo() override { return FALSE; }

private:
    std::wstring m_path;
};

IOpenPresentation* OpenForTest(const std::wstring& path, std::wstring* error)
{
    if (path.find(L"bad") != std::wstring::npos) {
        *error = L"Not a presentation.";
        return nullptr;
    }
    return new NamedFile(path);
}

std::wstring Title(QVRDoc& doc) { return static_cast<LPCTSTR>(doc.GetTitle()); }

// A document that opens through the test's opener until told to use the program's own.
class TestDoc final : public QVRDoc {
public:
    bool programOpener = false;

protected:
    IOpenPresentation* OpenPresentation(const std::wstring& path, std::wstring* error) override
    {
        return programOpener ? QVRDoc::OpenPresentation(path, error) : OpenForTest(path, error);
    }
};

class DocTest : public testing::Test {
protected:
    void TearDown() override
    {
        delete ThePlayerState().ReplaceOpenFile(nullptr);
        ThePlayerState().playing = FALSE;
        SetEnvironmentVariableW(L"ORVANE_MSGBOX_ANSWER", nullptr);
    }
    void SetUp() override { SetEnvironmentVariableW(L"ORVANE_MSGBOX_ANSWER", L"1"); }
    FakeShell shell;
};

TEST(DocTitle, NameThenPath)
{
    EXPECT_EQ(QVRDoc::TitleFor(L"C:\\Talks\\a.wmv"), L"a.wmv (C:\\Talks\\a.wmv)");
    EXPECT_EQ(QVRDoc::TitleFor(L"Untitled"), L"Untitled");
    EXPECT_EQ(QVRDoc::TitleFor(L"\\a.wmv"), L"\\a.wmv");
}

TEST_F(DocTest, ProgressTitles)
{
    TestDoc doc;
    doc.SetOpenProgress(45);
    EXPECT_EQ(Title(doc), L"45.0%");
    doc.SetOpenProgress(100);
    EXPECT_EQ(Title(doc), L"100.0%");
    doc.SetOpenProgress(-1);
    EXPECT_EQ(Title(doc), L"Untitled");
}

TEST_F(DocTest, MissingPathIsRefused)
{
    ShellScope scope(shell);
    QVRDocManager manager;
    EXPECT_EQ(manager.OpenDocumentFile(L"C:\\no\\such\\file.wmv"), nullptr);
    EXPECT_EQ(ThePlayerState().OpenFile(), nullptr);
    EXPECT_TRUE(shell.calls.empty()) << "nothing stopped";
}

TEST_F(DocTest, FailedOpenKeepsThePreviousPresentation)
{
    ShellScope scope(shell);
    TestDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(L"C:\\Talks\\good.wmv"));
    IOpenPresentation* open = ThePlayerState().OpenFile();
    EXPECT_EQ(Title(doc), L"good.wmv (C:\\Talks\\good.wmv)");
    ThePlayerState().playing = TRUE;
    shell.calls.clear();
    EXPECT_FALSE(doc.OnOpenDocument(L"C:\\Talks\\bad.wmv"));
    EXPECT_EQ(ThePlayerState().OpenFile(), open);
    EXPECT_TRUE(ThePlayerState().playing);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(DocTest, ProgramOpenerFailureKeepsThePreviousPresentation)
{
    ShellScope scope(shell);
    TestDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(L"C:\\Talks\\good.wmv"));
    IOpenPresentation* open = ThePlayerState().OpenFile();
    ThePlayerState().playing = TRUE;
    shell.calls.clear();
    // The program's own opener reads the file through the engine; this one cannot be read.
    doc.programOpener = true;
    EXPECT_FALSE(doc.OnOpenDocument(L"C:\\no\\such\\talk.wmv"));
    EXPECT_EQ(ThePlayerState().OpenFile(), open);
    EXPECT_TRUE(ThePlayerState().playing);
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_EQ(Title(doc), L"good.wmv (C:\\Talks\\good.wmv)");
}

TEST_F(DocTest, NewDocumentClosesAndResets)
{
    ShellScope scope(shell);
    TestDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(L"C:\\Talks\\good.wmv"));
    shell.calls.clear();
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(ThePlayerState().OpenFile(), nullptr);
    EXPECT_EQ(Title(doc), L"Untitled");
    const std::vector<std::wstring> expected = {L"Stop", L"ResetSpeed", L"RefreshBookmarks",
                                                L"UpdatePosition"};
    EXPECT_EQ(shell.calls, expected);
}

}  // namespace
