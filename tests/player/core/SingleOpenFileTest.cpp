// Shared open files: one handle per path, windows clamped at the end of the file, independent
// positions, id reuse, errors for unregistered ids, and two threads reading one handle.
#include "player/core/SingleOpenFile.h"

#include "platform/base/CHandle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace {

class SingleOpenFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        wchar_t dir[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        m_path = std::wstring(dir) + L"sof_test_" + std::to_wstring(GetCurrentProcessId()) +
                 L".bin";
        const CHandle h(
            CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_NE(h.Get(), INVALID_HANDLE_VALUE);
        std::vector<unsigned char> data(5000);
        for (size_t i = 0; i < data.size(); ++i) {
            data[i] = static_cast<unsigned char>(i % 251);
        }
        DWORD written = 0;
        WriteFile(h, data.data(), 5000, &written, nullptr);
    }
    void TearDown() override { DeleteFileW(m_path.c_str()); }

    int Open(SingleOpenFile& sof, const std::wstring& path, int64_t start = 0,
             int64_t length = -1)
    {
        int id = 0;
        EXPECT_EQ(sof.OpenSFile(&id, path.c_str(), start, length), L"");
        return id;
    }

    std::wstring m_path;
};

TEST_F(SingleOpenFileTest, OneHandlePerPathWhateverTheCase)
{
    SingleOpenFile sof;
    std::wstring upper = m_path;
    for (auto& c : upper) {
        c = towupper(c);
    }
    int64_t size = 0;
    int a = 0;
    ASSERT_EQ(sof.OpenSFile(&a, m_path.c_str(), 0, -1, &size), L"");
    EXPECT_EQ(size, 5000);
    const int b = Open(sof, upper);
    EXPECT_EQ(sof.FileCount(), 1);
    EXPECT_TRUE(sof.IsSameSFile(a, b));
    sof.CloseSFile(a);
    EXPECT_EQ(sof.FileCount(), 1);
    unsigned char byte = 0;
    EXPECT_EQ(sof.ReadSFile(b, &byte, 1), 1u);
    sof.CloseSFile(b);
    EXPECT_EQ(sof.FileCount(), 0);
}

TEST_F(SingleOpenFileTest, WindowIsClampedAtEndOfFile)
{
    SingleOpenFile sof;
    const int id = Open(sof, m_path, 1000, -1);
    EXPECT_EQ(sof.SeekSFile(id, 0, 2), 4000);
    unsigned char buf[16];
    EXPECT_EQ(sof.ReadSFile(id, buf, sizeof buf), 0u);
    const int longer = Open(sof, m_path, 4900, 1000);
    EXPECT_EQ(sof.SeekSFile(longer, 0, 2), 100);
}

TEST_F(SingleOpenFileTest, SeekTable)
{
    SingleOpenFile sof;
    const int id = Open(sof, m_path, 1000, 2000);
    struct Case {
        int64_t offset;
        int origin;
        int64_t expected;
    };
    const Case cases[] = {
        {0, 0, 0},       {2000, 0, 2000}, {2001, 0, -1}, {-1, 0, -1}, {500, 0, 500},
        {-501, 1, -1},   {-500, 1, 0},    {2000, 1, 2000}, {1, 1, -1},  {0, 2, 2000},
        {-2000, 2, 0},   {-2001, 2, -1},  {1, 2, -1},      {0, 7, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sof.SeekSFile(id, c.offset, c.origin), c.expected)
            << c.offset << " from " << c.origin;
    }
    EXPECT_EQ(sof.SeekSFile(id + 1, 0, 0), -1);
}

TEST_F(SingleOpenFileTest, ReadStopsAtWindowEndAndPositionsAreIndependent)
{
    SingleOpenFile sof;
    const int a = Open(sof, m_path, 0, 1100);
    const int b = Open(sof, m_path, 2000, -1);
    ASSERT_EQ(sof.SeekSFile(a, 1000, 0), 1000);
    std::vector<unsigned char> buf(4096);
    EXPECT_EQ(sof.ReadSFile(a, buf.data(), 4096), 100u);
    EXPECT_EQ(buf[0], 1000 % 251);
    EXPECT_EQ(sof.SeekSFile(a, 0, 1), 1100);
    EXPECT_EQ(sof.ReadSFile(b, buf.data(), 10), 10u);
    EXPECT_EQ(buf[0], 2000 % 251);
    ASSERT_EQ(sof.SeekSFile(a, 5, 0), 5);
    EXPECT_EQ(sof.ReadSFile(a, buf.data(), 1), 1u);
    EXPECT_EQ(buf[0], 5);
    EXPECT_EQ(sof.ReadSFile(b, buf.data(), 1), 1u);
    EXPECT_EQ(buf[0], 2010 % 251);
}

TEST_F(SingleOpenFileTest, IdsGrowFromTheHighest)
{
    SingleOpenFile sof;
    EXPECT_EQ(Open(sof, m_path), 1);
    EXPECT_EQ(Open(sof, m_path), 2);
    EXPECT_EQ(Open(sof, m_path), 3);
    sof.CloseSFile(3);
    EXPECT_EQ(Open(sof, m_path), 3);
    sof.CloseSFile(1);
    EXPECT_EQ(Open(sof, m_path), 4);
}

TEST_F(SingleOpenFileTest, UnregisteredIds)
{
    SingleOpenFile sof;
    EXPECT_FALSE(sof.IsSameSFile(5, 6));
    EXPECT_EQ(sof.GetSFileName(5), L"");
    sof.CloseSFile(5);
    unsigned char byte = 0;
    bool thrown = false;
    try {
        sof.ReadSFile(5, &byte, 1);
    } catch (CFileException* e) {
        thrown = true;
        EXPECT_EQ(e->m_lOsError, ERROR_INVALID_HANDLE);
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    const int id = Open(sof, m_path);
    EXPECT_FALSE(sof.IsSameSFile(id, id + 1));
}

TEST_F(SingleOpenFileTest, MissingFileGivesTextAndNoRecord)
{
    SingleOpenFile sof;
    int id = 0;
    EXPECT_NE(sof.OpenSFile(&id, (m_path + L".none").c_str(), 0, -1), L"");
    EXPECT_EQ(sof.FileCount(), 0);
    EXPECT_EQ(sof.InstanceCount(), 0);
}

TEST_F(SingleOpenFileTest, TwoThreadsReadOneHandle)
{
    SingleOpenFile sof;
    const int a = Open(sof, m_path, 0, 2500);
    const int b = Open(sof, m_path, 2500, -1);
    bool okA = true, okB = true;
    auto reader = [&sof](int id, int64_t start, bool* ok) {
        for (int round = 0; round < 50; ++round) {
            sof.SeekSFile(id, 0, 0);
            unsigned char buf[100];
            for (int64_t pos = start; pos < start + 2500; pos += 100) {
                if (sof.ReadSFile(id, buf, 100) != 100u) {
                    *ok = false;
                    return;
                }
                for (int k = 0; k < 100; ++k) {
                    if (buf[k] != (pos + k) % 251) {
                        *ok = false;
                        return;
                    }
                }
            }
        }
    };
    std::thread ta(reader, a, 0, &okA);
    std::thread tb(reader, b, 2500, &okB);
    ta.join();
    tb.join();
    EXPECT_TRUE(okA);
    EXPECT_TRUE(okB);
}

}  // namespace
