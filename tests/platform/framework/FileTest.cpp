// Files on a temporary folder (open modes, sharing, reading, writing, seeking, lengths, the
// causes and system codes of failures) and memory files (growth, fixed buffers, Attach and
// Detach, seeking, and the memory hooks derived files override).
#include <gtest/gtest.h>

#include "platform/framework/Framework.h"

#include <cstring>
#include <cwchar>
#include <vector>

namespace {

class FileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        ASSERT_NE(0u, ::GetTempPathW(MAX_PATH, temp));
        m_folder.Format(L"%sfwfile%lu", temp, ::GetCurrentProcessId());
        ::CreateDirectoryW(m_folder, nullptr);
    }
    void TearDown() override
    {
        for (const CString& name : m_created) {
            ::DeleteFileW(name);
        }
        ::RemoveDirectoryW(m_folder);
    }
    CString PathOf(LPCTSTR name)
    {
        CString path = m_folder + L"\\" + name;
        m_created.push_back(path);
        return path;
    }

    CString m_folder;
    std::vector<CString> m_created;
};

template <class Operation>
CFileException* CatchFile(Operation operation)
{
    try {
        operation();
    } catch (CFileException* e) {
        return e;
    }
    return nullptr;
}

TEST_F(FileTest, CreateWriteReadSeek)
{
    CString path = PathOf(L"data.bin");
    CFile file;
    CFileException error;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeReadWrite, &error));
    EXPECT_EQ(path, file.GetFilePath());
    EXPECT_STREQ(L"data.bin", file.GetFileName().GetString());
    EXPECT_STREQ(L"data", file.GetFileTitle().GetString());
    file.Write("0123456789", 10);
    EXPECT_EQ(10u, file.GetPosition());
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_EQ(3u, file.Seek(3, CFile::begin));
    char buffer[16] = {};
    EXPECT_EQ(4u, file.Read(buffer, 4));
    EXPECT_STREQ("3456", buffer);
    EXPECT_EQ(5u, file.Seek(-2, CFile::current));
    EXPECT_EQ(8u, file.Seek(-2, CFile::end));
    EXPECT_EQ(2u, file.Read(buffer, 16));
    EXPECT_EQ(0u, file.Read(buffer, 16));
    EXPECT_EQ(0u, file.Read(buffer, 0));
    EXPECT_EQ(10u, file.SeekToEnd());
    file.SetLength(4);
    EXPECT_EQ(4u, file.GetLength());
    EXPECT_EQ(4u, file.GetPosition());
    file.SetLength(0x100000000ULL + 5);  // beyond 4 GB: positions are 64-bit
    EXPECT_EQ(0x100000000ULL + 5, file.GetLength());
    file.SetLength(4);
    file.Flush();
    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    EXPECT_TRUE(file.GetFilePath().IsEmpty());
    file.Close();  // closing a closed file does nothing

    CFile again(path, CFile::modeRead);
    EXPECT_EQ(4u, again.GetLength());
}

struct OpenFailureCase {
    const wchar_t* name;
    UINT flags;
    LONG osError;
    int cause;
};

TEST_F(FileTest, OpenFailuresReportCauseCodeAndPath)
{
    CString missing = PathOf(L"missing.bin");
    CString badFolder = m_folder + L"\\no-such-folder\\x.bin";
    const OpenFailureCase cases[] = {
        {missing, CFile::modeRead, ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {badFolder, CFile::modeCreate | CFile::modeWrite, ERROR_PATH_NOT_FOUND,
         CFileException::badPath},
    };
    for (const OpenFailureCase& c : cases) {
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(c.name, c.flags, &error)) << c.name;
        EXPECT_EQ(c.osError, error.m_lOsError) << c.name;
        EXPECT_EQ(c.cause, error.m_cause) << c.name;
        EXPECT_EQ(CString(c.name), error.m_strFileName);
        EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    }
    CFileException* thrown = CatchFile([&] { CFile file(missing, CFile::modeRead); });
    ASSERT_NE(nullptr, thrown);
    EXPECT_EQ(CFileException::fileNotFound, thrown->m_cause);
    thrown->Delete();
    thrown = CatchFile([&] { CFile::Remove(missing); });
    ASSERT_NE(nullptr, thrown);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, thrown->m_lOsError);
    EXPECT_EQ(missing, thrown->m_strFileName);
    thrown->Delete();
}

TEST_F(FileTest, SharingFlags)
{
    CString path = PathOf(L"shared.bin");
    CFile writer;
    ASSERT_TRUE(writer.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive));
    CFile reader;
    CFileException error;
    EXPECT_FALSE(reader.Open(path, CFile::modeRead | CFile::shareDenyNone, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    EXPECT_EQ(ERROR_SHARING_VIOLATION, error.m_lOsError);
    writer.Close();

    // Deny-write: others may read but not write.
    ASSERT_TRUE(writer.Open(path, CFile::modeWrite | CFile::shareDenyWrite));
    CFile second;
    EXPECT_FALSE(second.Open(path, CFile::modeWrite | CFile::shareDenyNone, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    EXPECT_TRUE(reader.Open(path, CFile::modeRead | CFile::shareDenyNone, &error));
    // An open object refuses a second Open without touching its file.
    EXPECT_FALSE(writer.Open(path, CFile::modeRead, &error));
    EXPECT_EQ(path, writer.GetFilePath());
}

TEST_F(FileTest, WritingAReadOnlyFileThrows)
{
    CString path = PathOf(L"readonly.bin");
    {
        CFile create(path, CFile::modeCreate | CFile::modeWrite);
    }
    CFile file(path, CFile::modeRead);
    CFileException* e = CatchFile([&] { file.Write("x", 1); });
    ASSERT_NE(nullptr, e);
    EXPECT_EQ(CFileException::accessDenied, e->m_cause);
    EXPECT_EQ(path, e->m_strFileName);
    e->Delete();
    e = CatchFile([&] { file.Seek(-1, CFile::begin); });
    ASSERT_NE(nullptr, e);
    EXPECT_EQ(CFileException::badSeek, e->m_cause);
    e->Delete();
}

TEST_F(FileTest, OpenKeepsOrTruncates)
{
    CString path = PathOf(L"keep.bin");
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.Write("abc", 3);
    }
    {
        CFile file(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(3u, file.GetLength());
    }
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(0u, file.GetLength());
    }
}

TEST(FileTitle, TitleOfAPath)
{
    wchar_t title[MAX_PATH];
    ASSERT_EQ(0u, AfxGetFileTitle(L"C:\\talks\\keynote.wmv", title, MAX_PATH));
    EXPECT_NE(nullptr, std::wcsstr(title, L"keynote"));
    EXPECT_EQ(static_cast<UINT>(-1), AfxGetFileTitle(nullptr, title, MAX_PATH));
}

TEST(MemFile, GrowsInSteps)
{
    struct Probe : CMemFile {
        explicit Probe(UINT grow) : CMemFile(grow) {}
        SIZE_T BufferSize() const { return m_nBufferSize; }
    };
    Probe file(1024);
    EXPECT_EQ(0u, file.BufferSize());
    file.Write("a", 1);
    EXPECT_EQ(1024u, file.BufferSize());
    std::vector<char> block(1500, 'b');
    file.Write(block.data(), static_cast<UINT>(block.size()));
    EXPECT_EQ(2048u, file.BufferSize());
    EXPECT_EQ(1501u, file.GetLength());
    EXPECT_EQ(1501u, file.GetPosition());
    file.SeekToBegin();
    char c = 0;
    EXPECT_EQ(1u, file.Read(&c, 1));
    EXPECT_EQ('a', c);
}

TEST(MemFile, FixedBufferCannotGrow)
{
    BYTE data[4] = {1, 2, 3, 4};
    CMemFile file(data, sizeof(data));
    EXPECT_EQ(4u, file.GetLength());
    BYTE out[8] = {};
    EXPECT_EQ(4u, file.Read(out, 8));
    EXPECT_EQ(3, out[2]);
    file.SeekToBegin();
    file.Write("zz", 2);
    EXPECT_EQ('z', data[1]);
    try {
        file.Write("12345", 5);
        FAIL() << "no exception";
    } catch (CMemoryException* e) {
        e->Delete();
    }
    EXPECT_EQ(data, file.Detach());
    EXPECT_EQ(0u, file.GetLength());
}

TEST(MemFile, AttachWithGrowthStartsEmptyAndDetachHandsOver)
{
    auto* buffer = static_cast<BYTE*>(std::malloc(8));
    CMemFile file;
    file.Attach(buffer, 8, 16);
    EXPECT_EQ(0u, file.GetLength());
    file.Write("0123456789", 10);  // grows the caller's block with realloc
    EXPECT_EQ(10u, file.GetPosition());
    BYTE* detached = file.Detach();
    ASSERT_NE(nullptr, detached);
    EXPECT_EQ(0, std::memcmp(detached, "0123456789", 10));
    EXPECT_EQ(0u, file.GetLength());
    std::free(detached);
}

TEST(MemFile, SeekingAndLength)
{
    CMemFile file;
    file.Write("abc", 3);
    EXPECT_EQ(6u, file.Seek(3, CFile::current));
    file.Write("d", 1);  // the gap is zeros
    EXPECT_EQ(7u, file.GetLength());
    BYTE out[7];
    file.SeekToBegin();
    ASSERT_EQ(7u, file.Read(out, 7));
    EXPECT_EQ(0, out[4]);
    EXPECT_EQ('d', out[6]);
    EXPECT_EQ(0u, file.Read(out, 1));
    file.SetLength(2);
    EXPECT_EQ(2u, file.GetLength());
    EXPECT_EQ(2u, file.GetPosition());
    try {
        file.Seek(-3, CFile::current);
        FAIL() << "no exception";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::badSeek, e->m_cause);
        e->Delete();
    }
    EXPECT_FALSE(file.Open(L"x", CFile::modeRead));
    EXPECT_TRUE(file.IsKindOf(RUNTIME_CLASS(CFile)));
}

TEST(MemFile, DerivedFileTakesOverAnAttachedBuffer)
{
    // The pattern of a memory file that unpacks data into a block of its own: attach with no
    // growth, then own the block so that Close frees it.
    struct Owning : CMemFile {
        Owning() : CMemFile(1024) {}
        void Adopt(BYTE* block, UINT size)
        {
            Attach(block, size, 0);
            m_bAutoDelete = TRUE;
        }
        int frees = 0;
        void Free(BYTE* block) noexcept override
        {
            ++frees;
            CMemFile::Free(block);
        }
    };
    Owning file;
    auto* block = static_cast<BYTE*>(std::malloc(3));
    std::memcpy(block, "xyz", 3);
    file.Adopt(block, 3);
    EXPECT_EQ(3u, file.GetLength());
    char out[3];
    EXPECT_EQ(3u, file.Read(out, 3));
    file.Close();
    EXPECT_EQ(1, file.frees);
    EXPECT_EQ(0u, file.GetLength());

    // Writing sequentially, the position is the number of bytes to detach.
    CMemFile writer(1024);
    CArchive ar(&writer, CArchive::store);
    ar << static_cast<DWORD>(7) << CString(L"abc");
    ar.Flush();
    EXPECT_EQ(4u + 4 + 6, writer.GetPosition());
    ar.Abort();
    BYTE* detached = writer.Detach();
    EXPECT_EQ(7, detached[0]);
    std::free(detached);
}

TEST(MemFile, DerivedFilesSupplyTheirMemory)
{
    struct Counting : CMemFile {
        int allocs = 0;
        int frees = 0;
        Counting() : CMemFile(64) {}
        ~Counting() override { Close(); }
        BYTE* Alloc(SIZE_T bytes) noexcept override
        {
            ++allocs;
            return CMemFile::Alloc(bytes);
        }
        void Free(BYTE* block) noexcept override
        {
            ++frees;
            CMemFile::Free(block);
        }
    };
    Counting file;
    file.Write("x", 1);
    EXPECT_EQ(1, file.allocs);
    file.Close();
    EXPECT_EQ(1, file.frees);
}

}  // namespace
